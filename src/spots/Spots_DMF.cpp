#include "Spots_DMF.h"

#include "Accessibilite.h"
#include "Fenetres.h"
#include "Modele_Spots.h"
#include "Regles_Spots.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

template <typename T>
T *Nomme(T *w, const char *nom)
{
    w->setObjectName(QString::fromLatin1(nom));
    return w;
}

} // namespace

Spots_DMF::Spots_DMF(const Cluster::Reglages &reglages, Cluster::Index_Log index, std::function<QDateTime()> horloge_utc,
                     QList<int> attentes_ms, std::shared_ptr<const Moulins::Liste> moulins)
    : m_client(std::move(horloge_utc), std::move(attentes_ms))
{
    setObjectName(QStringLiteral("Spots_DMF"));
    setWindowTitle(QStringLiteral("Spots de moulins"));
    resize(Fenetres::Pixels(920), Fenetres::Pixels(460));

    auto *connexion = Nomme(new QGroupBox(QStringLiteral("Connexion au cluster"), this), "Cadre_Cluster");
    Cluster_Adresse = Nomme(new QLineEdit(reglages.adresse, connexion), "Cluster_Adresse");
    Cluster_Adresse->setPlaceholderText(QString::fromUtf8("nom ou adresse du nœud"));
    Cluster_Port = Nomme(new QSpinBox(connexion), "Cluster_Port");
    Cluster_Port->setRange(1, 65535);
    Cluster_Port->setValue(reglages.port);
    Cluster_Indicatif = Nomme(new QLineEdit(reglages.indicatif, connexion), "Cluster_Indicatif");
    Cluster_Connecter = Nomme(new QPushButton(QStringLiteral("Se connecter"), connexion), "Cluster_Connecter");
    Connexion_Demarrage = Nomme(new QCheckBox(QStringLiteral("Se connecter au démarrage"), connexion), "Connexion_Demarrage");
    Connexion_Demarrage->setChecked(reglages.demarrage);
    Etat_Cluster = Nomme(new QLabel(QStringLiteral("Non connecté"), connexion), "Etat_Cluster");
    Etat_Cluster->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Its text is its name: each new state is announced.
    Etat_Cluster->setAccessibleDescription(QStringLiteral("état de la connexion au cluster"));

    auto *grille = new QGridLayout(connexion);
    const auto etiquette = [&](const QString &texte, QWidget *champ, int colonne) {
        auto *l = new QLabel(texte, connexion);
        l->setBuddy(champ);
        grille->addWidget(l, 0, colonne);
        grille->addWidget(champ, 0, colonne + 1);
    };
    etiquette(QStringLiteral("&Adresse :"), Cluster_Adresse, 0);
    etiquette(QStringLiteral("P&ort :"), Cluster_Port, 2);
    etiquette(QStringLiteral("&Indicatif :"), Cluster_Indicatif, 4);
    grille->addWidget(Cluster_Connecter, 0, 6);
    grille->setColumnStretch(1, 3);
    grille->setColumnStretch(5, 1);
    grille->addWidget(Connexion_Demarrage, 1, 0, 1, 3);
    grille->addWidget(Etat_Cluster, 1, 3, 1, 4);

    Seulement_Nouveaux = Nomme(new QCheckBox(QStringLiteral("Seulement les moulins jamais contactés"), this), "Seulement_Nouveaux");

    m_modele = new Modele_Spots(std::move(index), std::move(moulins), this);
    m_filtre = new Filtre_Nouveaux(this);
    m_filtre->setSourceModel(m_modele);
    Table_Spots = Nomme(new QTableView(this), "Table_Spots");
    Table_Spots->setModel(m_filtre);
    Accessibilite::Nomme(Table_Spots, QStringLiteral("Spots de moulins"),
                         QStringLiteral("le plus récent en haut ; Entrée ou un double clic met l'indicatif et le N° DMF dans la saisie"));
    Table_Spots->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table_Spots->setSelectionMode(QAbstractItemView::SingleSelection);
    Table_Spots->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table_Spots->setTabKeyNavigation(false);
    Table_Spots->verticalHeader()->hide();
    Table_Spots->setWordWrap(false);
    Table_Spots->horizontalHeader()->setStretchLastSection(true);
    Table_Spots->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    const int largeurs[] = {55, 75, 95, 65, 200, 45, 140, 170};
    for (int c = 0; c < int(std::size(largeurs)); ++c)
        Table_Spots->setColumnWidth(c, Fenetres::Pixels(largeurs[c]));

    auto *page = new QVBoxLayout(this);
    page->addWidget(connexion);
    page->addWidget(Seulement_Nouveaux);
    page->addWidget(Table_Spots, 1);
    auto *fermer = Nomme(new QPushButton(QStringLiteral("Fermer"), this), "Fermer_Spots");
    fermer->setAutoDefault(true);
    auto *rangee = new QHBoxLayout;
    rangee->addStretch();
    rangee->addWidget(fermer);
    page->addLayout(rangee);
    connect(fermer, &QPushButton::clicked, this, &QWidget::close);

    connect(Cluster_Connecter, &QPushButton::clicked, this, &Spots_DMF::clic_connecter);
    connect(Connexion_Demarrage, &QCheckBox::toggled, this, &Spots_DMF::sauve);
    connect(Seulement_Nouveaux, &QCheckBox::toggled, m_filtre, &Filtre_Nouveaux::seulement_nouveaux);
    connect(Table_Spots, &QAbstractItemView::activated, this, &Spots_DMF::choisi);
    connect(&m_client, &Cluster::Client::etat, Etat_Cluster, &QLabel::setText);
    connect(&m_client, &Cluster::Client::spots, m_modele, &Modele_Spots::ajoute);
    connect(&m_client, &Cluster::Client::actif_change, this, [this](bool actif) {
        Cluster_Connecter->setText(actif ? QStringLiteral("Se déconnecter") : QStringLiteral("Se connecter"));
    });
    // The row under the cursor stays the same one when new spots push it down.
    connect(m_modele, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        const QModelIndex courant = m_filtre->mapToSource(Table_Spots->currentIndex());
        m_courant = courant.isValid() ? Cle_Spot(m_modele->spot(courant.row())) : QByteArray();
    });
    connect(m_modele, &QAbstractItemModel::modelReset, this, [this] {
        if (m_courant.isEmpty())
            return;
        for (int i = 0; i < m_modele->rowCount(); ++i)
            if (Cle_Spot(m_modele->spot(i)) == m_courant) {
                Table_Spots->setCurrentIndex(m_filtre->mapFromSource(m_modele->index(i, 0)));
                return;
            }
    });
}

void Spots_DMF::change_log(Cluster::Index_Log index) { m_modele->change_log(std::move(index)); }

void Spots_DMF::clic_connecter()
{
    if (m_client.actif())
        m_client.deconnecte();
    else
        connecte();
}

void Spots_DMF::connecte()
{
    const auto demande = Demande_Connexion(Cluster_Adresse->text(), Cluster_Indicatif->text());
    if (!demande) {
        Etat_Cluster->setText(demande.erreur());
        return;
    }
    Cluster_Indicatif->setText(QString::fromLatin1(demande.valeur().indicatif));
    sauve();
    m_client.connecte(demande.valeur().adresse, quint16(Cluster_Port->value()), demande.valeur().indicatif);
}

void Spots_DMF::sauve()
{
    const Cluster::Reglages r{Cluster_Adresse->text().trimmed(), Cluster_Port->value(), Cluster_Indicatif->text().trimmed(),
                              Connexion_Demarrage->isChecked()};
    if (auto s = Cluster::Sauve_Reglages(r); !s)
        Etat_Cluster->setText(s.erreur());
}

void Spots_DMF::choisi(const QModelIndex &index)
{
    const QModelIndex source = m_filtre->mapToSource(index);
    if (!source.isValid())
        return;
    const Cluster::Spot &s = m_modele->spot(source.row());
    emit Spot_Choisi(Texte_Reseau(s.indicatif), QString::fromLatin1(s.dmf));
}
