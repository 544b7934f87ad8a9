#include "Moulins_Restants.h"

#include "Accessibilite.h"
#include "Dialogue_Fichier.h"
#include "Fenetres.h"
#include "Imprimante.h"
#include "Journal.h"
#include "Message.h"
#include "Modele_Moulins.h"
#include "Texte.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

using namespace Moulins;
using namespace Sous_Programmes;

namespace {

QString Texte_Totaux(const Compte &c)
{
    return QStringLiteral("Total : %1 moulins, %2 contactés, %3 en attente, %4 restants")
        .arg(Nombre(c.moulins), Nombre(c.contactes), Nombre(c.en_attente), Nombre(c.restants));
}

QTableView *Table(QWidget *parent, const char *nom)
{
    auto *t = new QTableView(parent);
    t->setObjectName(QString::fromLatin1(nom));
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    Fenetres::Colore(t, 0xFFFFC0);
    return t;
}

} // namespace

Moulins_Restants::Moulins_Restants(std::shared_ptr<const Liste> liste, Restants restants, const QString &dossier)
    : m_liste(std::move(liste)), m_restants(std::move(restants)), m_dossier(dossier)
{
    setObjectName(QStringLiteral("Moulins_Restants"));
    setWindowTitle(QStringLiteral("Moulins restants"));
    resize(Fenetres::Pixels(720), Fenetres::Pixels(520));

    auto *Frame1 = Fenetres::Bandeau_Titre(this, "Label1", QStringLiteral("Moulins restants à contacter"), 12);

    m_departements = new QStandardItemModel(0, 5, this);
    m_departements->setHorizontalHeaderLabels(
        {QStringLiteral("Dépt"), QStringLiteral("Moulins"), QStringLiteral("Contactés"), QStringLiteral("En attente"), QStringLiteral("Restants")});
    for (int i = 0; i < int(m_restants.departements.size()); ++i) {
        const Departement &d = m_restants.departements[size_t(i)];
        QList<QStandardItem *> rangee{new QStandardItem(QString::fromLatin1(d.code))};
        for (int n : {d.compte.moulins, d.compte.contactes, d.compte.en_attente, d.compte.restants}) {
            auto *item = new QStandardItem;
            item->setData(n, Qt::DisplayRole); // sorted as numbers
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            rangee << item;
        }
        rangee.front()->setData(i, Qt::UserRole);
        rangee.front()->setData(QStringLiteral("Département %1 : %2 moulins, %3 contactés, %4 en attente, %5 restants")
                                    .arg(QString::fromLatin1(d.code))
                                    .arg(d.compte.moulins)
                                    .arg(d.compte.contactes)
                                    .arg(d.compte.en_attente)
                                    .arg(d.compte.restants),
                                Qt::AccessibleTextRole);
        m_departements->appendRow(rangee);
    }
    Table_Departements = Table(this, "Table_Departements");
    Table_Departements->setModel(m_departements);
    Table_Departements->setSortingEnabled(true);
    Table_Departements->sortByColumn(0, Qt::AscendingOrder);
    Table_Departements->horizontalHeader()->setStretchLastSection(false);
    Table_Departements->resizeColumnsToContents();
    // Every count in view, without scrolling sideways.
    int largeur = 2 * Table_Departements->frameWidth() + Table_Departements->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    for (int c = 0; c < m_departements->columnCount(); ++c)
        largeur += Table_Departements->columnWidth(c);
    Table_Departements->setMinimumWidth(largeur);
    Accessibilite::Nomme(Table_Departements, QStringLiteral("Départements de la liste"),
                         QStringLiteral("une ligne par département : moulins, contactés, en attente, restants ; "
                                        "choisir un département montre ses moulins"));

    Totaux_Moulins = new QLabel(this);
    Totaux_Moulins->setObjectName(QStringLiteral("Totaux_Moulins"));
    Accessibilite::Montre_Valeur(Totaux_Moulins, Texte_Totaux(m_restants.total), Texte_Totaux(m_restants.total));
    Absents_Liste = new QLabel(this);
    Absents_Liste->setObjectName(QStringLiteral("Absents_Liste"));
    const QString absents = QStringLiteral("%1 QSO sur des numéros absents de la liste").arg(Nombre(m_restants.qso_absents));
    Accessibilite::Montre_Valeur(Absents_Liste, absents, absents);

    auto *Label_Filtre = new QLabel(QStringLiteral("Montrer"), this);
    Label_Filtre->setObjectName(QStringLiteral("Label_Filtre"));
    Filtre_Moulins_Choix = new QComboBox(this);
    Filtre_Moulins_Choix->setObjectName(QStringLiteral("Filtre_Moulins"));
    Filtre_Moulins_Choix->addItems({QStringLiteral("Restants"), QStringLiteral("Tous"), QStringLiteral("Contactés")});
    Accessibilite::Etiquette_De(Label_Filtre, Filtre_Moulins_Choix);
    auto *Label_Cherche = new QLabel(QStringLiteral("Nom ou commune"), this);
    Label_Cherche->setObjectName(QStringLiteral("Label_Cherche"));
    Cherche_Moulin = new QLineEdit(this);
    Cherche_Moulin->setObjectName(QStringLiteral("Cherche_Moulin"));
    Accessibilite::Etiquette_De(Label_Cherche, Cherche_Moulin);

    m_moulins = new Modele_Moulins(m_liste, &m_restants.etats, this);
    m_moulins->Montre(0, 0);
    m_filtre = new Filtre_Moulins(this);
    m_filtre->setSourceModel(m_moulins);
    Table_Moulins = Table(this, "Table_Moulins");
    Table_Moulins->setModel(m_filtre);
    Table_Moulins->horizontalHeader()->setStretchLastSection(false);
    for (int c : {int(Modele_Moulins::Numero), int(Modele_Moulins::Commune), int(Modele_Moulins::Derniere)})
        Table_Moulins->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    Table_Moulins->horizontalHeader()->setSectionResizeMode(Modele_Moulins::Nom, QHeaderView::Stretch);
    Accessibilite::Nomme(Table_Moulins, QStringLiteral("Moulins du département choisi"),
                         QStringLiteral("une ligne par moulin : numéro, nom, commune, état"));

    auto *filtres = new QHBoxLayout;
    filtres->addWidget(Label_Filtre);
    filtres->addWidget(Filtre_Moulins_Choix);
    filtres->addSpacing(12);
    filtres->addWidget(Label_Cherche);
    filtres->addWidget(Cherche_Moulin, 1);

    auto *gauche = new QVBoxLayout;
    gauche->addWidget(Table_Departements, 1);
    auto *droite = new QVBoxLayout;
    droite->addLayout(filtres);
    droite->addWidget(Table_Moulins, 1);
    auto *tables = new QHBoxLayout;
    tables->addLayout(gauche, 0);
    tables->addLayout(droite, 1);

    auto *page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addLayout(tables, 1);
    page->addWidget(Totaux_Moulins);
    page->addWidget(Absents_Liste);
    const QList<QPushButton *> boutons = Fenetres::Rangee_Boutons(this, page, {{"Enregistrer_Restants", QStringLiteral("Enregistrer...")},
                                                                             {"Imprimer_Restants", QStringLiteral("Imprimer...")},
                                                                             {"Fermer_Restants", QStringLiteral("Fermer")}});
    connect(boutons[0], &QPushButton::clicked, this, &Moulins_Restants::Enregistrer_Restants_Click);
    connect(boutons[1], &QPushButton::clicked, this, &Moulins_Restants::Imprimer_Restants_Click);
    connect(Filtre_Moulins_Choix, &QComboBox::currentIndexChanged, this, &Moulins_Restants::Filtre);
    connect(Cherche_Moulin, &QLineEdit::textChanged, this, &Moulins_Restants::Filtre);
    connect(Table_Departements->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) { Departement_Choisi(i.row()); });

    setTabOrder(Table_Departements, Filtre_Moulins_Choix);
    setTabOrder(Filtre_Moulins_Choix, Cherche_Moulin);
    setTabOrder(Cherche_Moulin, Table_Moulins);
    setTabOrder(Table_Moulins, boutons[0]);
    setTabOrder(boutons[0], boutons[1]);
    setTabOrder(boutons[1], boutons[2]);

    Table_Departements->setFocus();
    if (m_departements->rowCount() > 0)
        Table_Departements->setCurrentIndex(m_departements->index(0, 0));
}

void Moulins_Restants::Departement_Choisi(int rangee)
{
    if (rangee < 0)
        return;
    const int i = m_departements->index(rangee, 0).data(Qt::UserRole).toInt();
    const Departement &d = m_restants.departements[size_t(i)];
    m_departement = QString::fromLatin1(d.code);
    m_moulins->Montre(d.premier, d.nombre);
}

void Moulins_Restants::Filtre()
{
    m_filtre->Choisit(Filtre_Moulins::Choix(Filtre_Moulins_Choix->currentIndex()), Cherche_Moulin->text());
}

QStringList Moulins_Restants::Lignes_Montrees() const
{
    QStringList titres;
    for (int c = 0; c < m_filtre->columnCount(); ++c)
        titres << m_filtre->headerData(c, Qt::Horizontal).toString();
    QList<QStringList> rangees;
    for (int r = 0; r < m_filtre->rowCount(); ++r) {
        QStringList champs;
        for (int c = 0; c < m_filtre->columnCount(); ++c)
            champs << m_filtre->index(r, c).data().toString();
        rangees << champs;
    }
    QStringList lignes{QStringLiteral("Moulins du département %1 : %2").arg(m_departement, Filtre_Moulins_Choix->currentText()),
                       QString()};
    lignes << Lignes_En_Colonnes(titres, rangees);
    return lignes;
}

void Moulins_Restants::Enregistrer_Restants_Click()
{
    const QString propose = QDir(m_dossier).filePath(QStringLiteral("Moulins_%1_%2.txt").arg(m_departement, Filtre_Moulins_Choix->currentText()));
    const QString fichier = Dialogue_Fichier::A_Ecrire(this, QStringLiteral("Enregistrer les moulins"), propose,
                                                       QStringLiteral("Fichiers texte (*.txt);;Tous les fichiers (*)"), m_dossier,
                                                       QStringLiteral("la liste"));
    if (fichier.isEmpty())
        return;
    QByteArray octets;
    for (const QString &l : Lignes_Montrees()) {
        // A character without a byte in Windows-1252 is written "?".
        QString sur = l;
        for (QChar &c : sur)
            if (!Vers_Log(QString(c)))
                c = u'?';
        octets += Vers_Log(sur).value_or(QByteArray()) + "\r\n";
    }
    if (const Statut s = Reecrit_Fichier(fichier, QString::fromLatin1(Nom_Temporaire), octets, Si_Absent::Creer); !s) {
        Message::Information(this, s.erreur());
        return;
    }
    emit Liste_Enregistree(fichier);
}

void Moulins_Restants::Imprimer_Restants_Click()
{
    if (const Statut s = Impression::Imprime(this, Lignes_Montrees()); !s)
        Message::Information(this, s.erreur());
}
