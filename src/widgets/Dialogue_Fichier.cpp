#include "Dialogue_Fichier.h"

#include "Journal.h"
#include "Message.h"

#include <QDir>
#include <QFileDialog>

namespace Dialogue_Fichier {

namespace {

Repondeur &Repondeur_Installe()
{
    static Repondeur repondeur;
    return repondeur;
}

} // namespace

QString A_Ouvrir(QWidget *parent, const QString &titre, const QString &dossier, const QString &filtre)
{
    if (Repondeur_Installe())
        return Repondeur_Installe()(titre, dossier);
    return QFileDialog::getOpenFileName(parent, titre, dossier, filtre);
}

QString A_Enregistrer(QWidget *parent, const QString &titre, const QString &propose, const QString &filtre)
{
    if (Repondeur_Installe())
        return Repondeur_Installe()(titre, propose);
    return QFileDialog::getSaveFileName(parent, titre, propose, filtre);
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
