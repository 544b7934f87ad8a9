#include "Dialogue_Fichier.h"

#include "Journal.h"
#include "Message.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <memory>

namespace Dialogue_Fichier {

namespace {

Repondeur &Repondeur_Installe()
{
    static Repondeur repondeur;
    return repondeur;
}

// Qt's own dialog writes sizes and dates in the system's language, whatever
// the program's: they are written again here in French ("1,01 Kio").
class Fichiers_En_Francais : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *fichiers = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !fichiers || index.column() < 1 || index.column() > 3)
            return QIdentityProxyModel::data(index, role);
        const QFileInfo f = fichiers->fileInfo(mapToSource(index));
        const QLocale francais;
        switch (index.column()) {
        case 1: return f.isDir() ? QIdentityProxyModel::data(index, role) : QVariant(francais.formattedDataSize(f.size()));
        case 2:
            if (f.isDir())
                return QStringLiteral("Dossier");
            return f.suffix().isEmpty() ? QStringLiteral("Fichier") : QStringLiteral("Fichier %1").arg(f.suffix());
        default: return francais.toString(f.lastModified(), QLocale::ShortFormat);
        }
    }
};

} // namespace

QFileDialog *Cree_Dialogue(QWidget *parent, const QString &titre, const QString &depart, const QString &filtre, bool enregistrer)
{
    auto *d = new QFileDialog(parent, titre, depart, filtre);
    d->setAcceptMode(enregistrer ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d->setFileMode(enregistrer ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d->setProxyModel(new Fichiers_En_Francais(d));
    return d;
}

namespace {

QString Choisi(QWidget *parent, const QString &titre, const QString &depart, const QString &filtre, bool enregistrer)
{
    if (Repondeur_Installe())
        return Repondeur_Installe()(titre, depart);
    const std::unique_ptr<QFileDialog> d(Cree_Dialogue(parent, titre, depart, filtre, enregistrer));
    if (d->exec() != QDialog::Accepted || d->selectedFiles().isEmpty())
        return {};
    return d->selectedFiles().constFirst();
}

} // namespace

QString A_Ouvrir(QWidget *parent, const QString &titre, const QString &dossier, const QString &filtre)
{
    return Choisi(parent, titre, dossier, filtre, false);
}

QString A_Enregistrer(QWidget *parent, const QString &titre, const QString &propose, const QString &filtre)
{
    return Choisi(parent, titre, propose, filtre, true);
}

QString A_Ecrire(QWidget *parent, const QString &titre, const QString &propose, const QString &filtre, const QString &dossier,
                 const QString &quoi)
{
    const QString fichier = A_Enregistrer(parent, titre, propose, filtre);
    if (fichier.isEmpty())
        return {};
    if (const auto protege = Sous_Programmes::Fichier_Du_Programme(fichier, dossier)) {
        Message::Information(parent, QStringLiteral("Le fichier %1 est %2 : %3 ne peut pas le remplacer. Choisissez un autre nom ou un "
                                                    "autre dossier.")
                                         .arg(QDir::toNativeSeparators(fichier), *protege, quoi));
        return {};
    }
    return fichier;
}

void Installe_Repondeur(Repondeur repondeur) { Repondeur_Installe() = std::move(repondeur); }

} // namespace Dialogue_Fichier
