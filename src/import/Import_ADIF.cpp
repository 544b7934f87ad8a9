#include "Import_ADIF.h"

#include "Carnet.h"

#include "Accessibilite.h"
#include "Fenetres.h"
#include "Journal.h"
#include "Message.h"
#include "Modele_Import.h"
#include "Points.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The type of a row is chosen among the activity texts.
class Choix_Type : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *liste = new QComboBox(parent);
        liste->addItems(Sous_Programmes::Textes_Types_Activite());
        return liste;
    }
    void setEditorData(QWidget *editeur, const QModelIndex &index) const override
    {
        auto *liste = static_cast<QComboBox *>(editeur);
        liste->setCurrentIndex(qMax(0, liste->findText(index.data(Qt::EditRole).toString())));
    }
    void setModelData(QWidget *editeur, QAbstractItemModel *modele, const QModelIndex &index) const override
    {
        modele->setData(index, static_cast<QComboBox *>(editeur)->currentText(), Qt::EditRole);
    }
};

// The summary under the table: the lines to import and the records passed over.
QString Resume_Import_Texte(const Modele_Import &m, const QString &annee)
{
    const ADIF::Analyse &a = m.analyse();
    QString texte = QStringLiteral("%1 QSO seront importés.").arg(m.cochees());
    if (const qsizetype deja = m.deja_dans_le_log(); deja > 0)
        texte += QStringLiteral(" %1 déjà dans le log.").arg(deja);
    if (const qsizetype refuses = m.refuses(); refuses > 0)
        texte += QStringLiteral(" %1 refusé(s) : la remarque dit pourquoi.").arg(refuses);
    if (a.refus_caches > 0)
        texte += QStringLiteral(" %1 autre(s) refusé(s), non montré(s).").arg(a.refus_caches);
    texte += QStringLiteral("\nEnregistrements passés : %1 sans référence DMF, %2 d'une autre année que %3, "
                            "%4 activation de votre moulin (à saisir à la main), %5 illisible(s).")
                 .arg(a.sans_dmf)
                 .arg(a.autre_annee)
                 .arg(annee)
                 .arg(a.activations)
                 .arg(a.illisibles);
    return texte;
}

} // namespace

Import_ADIF::Import_ADIF(ADIF::Analyse analyse, Carnet &carnet, const QString &nom_fichier, std::shared_ptr<const Moulins::Liste> moulins)
    : m_carnet(carnet)
{
    setObjectName(QStringLiteral("Import_ADIF"));
    setWindowTitle(QStringLiteral("Importer des QSO (ADIF)"));
    resize(Fenetres::Pixels(640), Fenetres::Pixels(480));

    auto *Frame1 = Fenetres::Bandeau_Titre(this, "Label1", QStringLiteral("Import du fichier ") + nom_fichier, 9.75);

    m_modele = new Modele_Import(std::move(analyse), std::move(moulins), this);

    Table_Import = new QTableView(this);
    Table_Import->setObjectName(QStringLiteral("Table_Import"));
    Table_Import->setModel(m_modele);
    Accessibilite::Nomme(Table_Import, QStringLiteral("QSO du fichier à importer"),
                         QStringLiteral("une ligne par QSO : case à cocher pour l'importer, puis ses champs et une remarque"));
    Table_Import->setItemDelegateForColumn(Modele_Import::Type, new Choix_Type(Table_Import));
    Table_Import->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table_Import->setSelectionMode(QAbstractItemView::SingleSelection);
    Table_Import->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                  | QAbstractItemView::SelectedClicked);
    Table_Import->verticalHeader()->hide();
    Table_Import->horizontalHeader()->setStretchLastSection(true);
    // Columns sized on the first rows: a general log may give thousands.
    Table_Import->verticalHeader()->setResizeContentsPrecision(100);
    Table_Import->resizeColumnsToContents();
    Table_Import->setColumnWidth(Modele_Import::Type, Table_Import->fontMetrics().horizontalAdvance(QStringLiteral("Reactivation Contactee")) + 40);
    Fenetres::Colore(Table_Import, 0xFFFFC0);

    Attente_Import = new QCheckBox(QStringLiteral("Marquer en attente de validation"), this);
    Attente_Import->setObjectName(QStringLiteral("Attente_Import"));
    Attente_Import->setChecked(true);

    Resume_Import = new QLabel(this);
    Resume_Import->setObjectName(QStringLiteral("Resume_Import"));
    Resume_Import->setWordWrap(true);

    auto *page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addWidget(Table_Import, 1);
    page->addWidget(Attente_Import);
    page->addWidget(Resume_Import);
    auto *Importer_ADIF = Fenetres::Action_Et_Fermer(this, page, "Importer_ADIF", QStringLiteral("Importer"), "Annuler_Import",
                                                     QStringLiteral("Annuler"));
    connect(Importer_ADIF, &QPushButton::clicked, this, &Import_ADIF::Importer_ADIF_Click);
    connect(m_modele, &Modele_Import::Coches_Changees, this, &Import_ADIF::Montre_Resume);

    Montre_Resume();
    Table_Import->setFocus();
    if (m_modele->rowCount() > 0)
        Table_Import->setCurrentIndex(m_modele->index(0, Modele_Import::Coche));
}

void Import_ADIF::Montre_Resume()
{
    Resume_Import->setText(Resume_Import_Texte(*m_modele, m_carnet.annee()));
}

void Import_ADIF::Importer_ADIF_Click()
{
    const std::vector<QByteArray> lignes = m_modele->lignes(Attente_Import->isChecked());
    if (lignes.empty()) {
        Message::Information(this, QStringLiteral("Aucun QSO n'est coché : rien n'a été importé."));
        return;
    }
    if (const auto s = m_carnet.insere(lignes); !s) {
        if (!s.erreur().isEmpty())
            Message::Information(this, s.erreur());
        return;
    }
    close();
    emit QSO_Importes(int(lignes.size()));
}
