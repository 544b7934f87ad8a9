#include "Spots_DMF.h"

#include "Accessibilite.h"
#include "Fenetres.h"
#include "Frequences.h"
#include "Modele_Spots.h"
#include "Regles_Spots.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShortcut>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using Fenetres::Nom_Objet;

Spots_DMF::Spots_DMF(const Cluster::Reglages &reglages, Veille_Spots &veille, const Radio::Reglages &poste)
    : m_client(veille.client()), m_modele(veille.modele())
{
    setObjectName(QStringLiteral("Spots_DMF"));
    setWindowTitle(QStringLiteral("Spots de moulins"));
    resize(Fenetres::Pixels(920), Fenetres::Pixels(460));

    auto *connexion = Nom_Objet(new QGroupBox(QStringLiteral("Connexion au cluster"), this), "Cadre_Cluster");
    Cluster_Adresse = Nom_Objet(new QLineEdit(reglages.adresse, connexion), "Cluster_Adresse");
    Cluster_Adresse->setPlaceholderText(QString::fromUtf8("nom ou adresse du nœud"));
    Cluster_Port = Nom_Objet(new QSpinBox(connexion), "Cluster_Port");
    Cluster_Port->setRange(1, 65535);
    Cluster_Port->setValue(reglages.port);
    Cluster_Indicatif = Nom_Objet(new QLineEdit(reglages.indicatif, connexion), "Cluster_Indicatif");
    Cluster_Connecter = Nom_Objet(new QPushButton(m_client.actif() ? QStringLiteral("Se déconnecter") : QStringLiteral("Se connecter"), connexion),
                                  "Cluster_Connecter");
    Connexion_Demarrage = Nom_Objet(new QCheckBox(QStringLiteral("Se connecter au démarrage"), connexion), "Connexion_Demarrage");
    Connexion_Demarrage->setChecked(reglages.demarrage);
    Etat_Cluster = Nom_Objet(new QLabel(connexion), "Etat_Cluster");
    dit_cluster(m_client.actif() ? m_client.dernier_etat() : QStringLiteral("Non connecté"));
    Etat_Cluster->setTextInteractionFlags(Qt::TextSelectableByMouse);
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

    // The radio: its frequency, and what became of the last tuning.
    m_rangee_poste = new QWidget(this);
    Frequence_Poste = Nom_Objet(new QLabel(m_rangee_poste), "Frequence_Poste");
    // Wide enough for any reading: the line beside it does not jump each second.
    Frequence_Poste->setMinimumWidth(Frequence_Poste->fontMetrics().horizontalAdvance(QStringLiteral("Poste : 145 000,0 kHz en PKTUSB")));
    Etat_Poste_Spots = Nom_Objet(new QLabel(m_rangee_poste), "Etat_Poste_Spots");
    Etat_Poste_Spots->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Etat_Poste_Spots->setWordWrap(true);
    Etat_Poste_Spots->setAccessibleDescription(QStringLiteral("état du poste de radio"));
    auto *rangee_poste = new QHBoxLayout(m_rangee_poste);
    rangee_poste->setContentsMargins(0, 0, 0, 0);
    rangee_poste->addWidget(Frequence_Poste);
    rangee_poste->addSpacing(Fenetres::Pixels(16));
    rangee_poste->addWidget(Etat_Poste_Spots, 1);
    // Its place kept from the start, radio or none, for two lines of status:
    // choosing a radio or a longer status moves no row of the table under
    // the pointer.
    m_rangee_poste->setMinimumHeight(2 * Etat_Poste_Spots->fontMetrics().lineSpacing());

    Seulement_Nouveaux = Nom_Objet(new QCheckBox(QStringLiteral("Seulement les moulins jamais contactés"), this), "Seulement_Nouveaux");
    Annoncer = Nom_Objet(new QPushButton(QStringLiteral("Annoncer..."), this), "Annoncer");
    Annoncer->setAutoDefault(true);
    Annoncer->setEnabled(m_client.en_ligne());
    Accessibilite::Nomme(Annoncer, QStringLiteral("Annoncer sur le cluster"),
                         QStringLiteral("envoie au nœud le spot de votre activation ; possible une fois connecté"));

    m_filtre = new Filtre_Nouveaux(this);
    m_filtre->setSourceModel(m_modele);
    Table_Spots = Nom_Objet(new QTableView(this), "Table_Spots");
    Table_Spots->setModel(m_filtre);
    Accessibilite::Nomme(Table_Spots, QStringLiteral("Spots de moulins"),
                         QStringLiteral("le plus récent en haut ; Entrée ou un double clic met l'indicatif et le N° DMF dans la saisie, "
                                        "et règle le poste de radio s'il y en a un ; Suppr cache la ligne"));
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
    page->addWidget(m_rangee_poste);
    auto *rangee_filtre = new QHBoxLayout;
    rangee_filtre->addWidget(Seulement_Nouveaux);
    rangee_filtre->addStretch();
    rangee_filtre->addWidget(Annoncer);
    page->addLayout(rangee_filtre);
    page->addWidget(Table_Spots, 1);
    Fenetres::Rangee_Boutons(this, page, {{"Fermer_Spots", QStringLiteral("Fermer")}});

    connect(Cluster_Connecter, &QPushButton::clicked, this, &Spots_DMF::clic_connecter);
    connect(Connexion_Demarrage, &QCheckBox::toggled, this, &Spots_DMF::sauve);
    connect(Seulement_Nouveaux, &QCheckBox::toggled, m_filtre, &Filtre_Nouveaux::seulement_nouveaux);
    connect(Table_Spots, &QAbstractItemView::activated, this, &Spots_DMF::choisi);
    connect(&m_client, &Cluster::Client::etat, this, &Spots_DMF::dit_cluster);
    connect(&m_client, &Cluster::Client::actif_change, this, [this](bool actif) {
        Cluster_Connecter->setText(actif ? QStringLiteral("Se déconnecter") : QStringLiteral("Se connecter"));
    });
    connect(&m_client, &Cluster::Client::en_ligne_change, Annoncer, &QWidget::setEnabled);
    connect(Annoncer, &QPushButton::clicked, this, &Spots_DMF::Annonce_Demandee);
    auto *suppr = new QShortcut(QKeySequence::Delete, Table_Spots, this, &Spots_DMF::cache_ligne, Qt::WidgetShortcut);
    suppr->setObjectName(QStringLiteral("Cacher_Spot"));

    m_lecture_poste.setInterval(Lecture_Poste_ms);
    connect(&m_lecture_poste, &QTimer::timeout, &m_liaison, &Radio::Liaison::lit);
    connect(&m_liaison, &Radio::Liaison::lecture, this, &Spots_DMF::montre_poste);
    connect(&m_liaison, &Radio::Liaison::lecture_impossible, this, &Spots_DMF::poste_muet);
    connect(&m_liaison, &Radio::Liaison::reglage, this, &Spots_DMF::dit_poste);
    connect(&m_liaison, &Radio::Liaison::reglage_impossible, this, &Spots_DMF::dit_poste);
    change_poste(poste);
    // The row under the cursor stays the same one when new spots push it down.
    connect(m_modele, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        const QModelIndex courant = m_filtre->mapToSource(Table_Spots->currentIndex());
        m_courant = courant.isValid() ? Cluster::Cle_Spot(m_modele->spot(courant.row())) : QByteArray();
    });
    connect(m_modele, &QAbstractItemModel::modelReset, this, [this] {
        if (m_courant.isEmpty())
            return;
        for (int i = 0; i < m_modele->rowCount(); ++i)
            if (Cluster::Cle_Spot(m_modele->spot(i)) == m_courant) {
                Table_Spots->setCurrentIndex(m_filtre->mapFromSource(m_modele->index(i, 0)));
                return;
            }
    });
}

void Spots_DMF::cache_ligne()
{
    const QModelIndex courant = m_filtre->mapToSource(Table_Spots->currentIndex());
    if (!courant.isValid())
        return;
    const int ligne = Table_Spots->currentIndex().row();
    m_modele->cache(courant.row());
    // The next row takes its place under the cursor.
    if (const int reste = m_filtre->rowCount(); reste > 0)
        Table_Spots->setCurrentIndex(m_filtre->index(std::min(ligne, reste - 1), 0));
}

void Spots_DMF::montre_spot(const Cluster::Spot &spot)
{
    m_modele->montre();
    const QByteArray cle = Cluster::Cle_Spot(spot);
    for (int i = 0; i < m_modele->rowCount(); ++i)
        if (Cluster::Cle_Spot(m_modele->spot(i)) == cle) {
            // A filter that hides it would hide what the operator asked to see.
            QModelIndex vue = m_filtre->mapFromSource(m_modele->index(i, 0));
            if (!vue.isValid()) {
                Seulement_Nouveaux->setChecked(false);
                vue = m_filtre->mapFromSource(m_modele->index(i, 0));
            }
            Table_Spots->setCurrentIndex(vue);
            Table_Spots->scrollTo(vue);
            break;
        }
    Table_Spots->setFocus();
}

void Spots_DMF::change_poste(const Radio::Reglages &poste)
{
    m_liaison.configure(poste);
    m_lecture.reset();
    m_modele->change_frequence_poste(std::nullopt);
    const bool aucun = poste.type == Radio::Type::Aucun;
    // Without a radio its line stays, empty, its place kept.
    Frequence_Poste->setVisible(!aucun);
    Etat_Poste_Spots->setVisible(!aucun);
    Accessibilite::Montre_Valeur(Frequence_Poste, QStringLiteral("Poste : lecture..."), QStringLiteral("Fréquence du poste en lecture"));
    Etat_Poste_Spots->clear();
    m_refus_lecture = false;
    if (aucun)
        m_lecture_poste.stop();
    else if (isVisible()) {
        m_lecture_poste.start();
        m_liaison.lit();
    }
}

void Spots_DMF::showEvent(QShowEvent *evenement)
{
    QWidget::showEvent(evenement);
    if (m_liaison.reglages().type != Radio::Type::Aucun && !m_lecture_poste.isActive()) {
        m_lecture_poste.start();
        m_liaison.lit();
    }
}

void Spots_DMF::hideEvent(QHideEvent *evenement)
{
    QWidget::hideEvent(evenement);
    m_lecture_poste.stop();
}

void Spots_DMF::montre_poste(const Radio::Lecture &lue)
{
    m_lecture = lue;
    // The radio answers again: why it did not is old news.
    if (std::exchange(m_refus_lecture, false))
        Etat_Poste_Spots->clear();
    const QString texte = Radio::Texte_Lecture(lue);
    Accessibilite::Montre_Valeur(Frequence_Poste, QStringLiteral("Poste : ") + texte, QStringLiteral("Fréquence du poste ") + texte);
    m_modele->change_frequence_poste(lue.hertz);
}

void Spots_DMF::poste_muet(const QString &raison)
{
    m_lecture.reset();
    Accessibilite::Montre_Valeur(Frequence_Poste, QStringLiteral("Poste : fréquence inconnue"),
                                 QStringLiteral("Fréquence du poste inconnue"));
    m_modele->change_frequence_poste(std::nullopt);
    dit_poste(raison);
    m_refus_lecture = true;
}

void Spots_DMF::dit_cluster(const QString &texte)
{
    // Said with what it is: "Connecté à 127.0.0.1:7300" alone is a bare address.
    Accessibilite::Montre_Valeur(Etat_Cluster, texte, QStringLiteral("État du cluster : ") + texte);
}

void Spots_DMF::dit_poste(const QString &texte)
{
    // Said again each second, it would be announced each second.
    if (Etat_Poste_Spots->text() != texte)
        Etat_Poste_Spots->setText(texte);
}

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
        dit_cluster(demande.erreur());
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
        dit_cluster(s.erreur());
}

void Spots_DMF::choisi(const QModelIndex &index)
{
    const QModelIndex source = m_filtre->mapToSource(index);
    if (!source.isValid())
        return;
    const Cluster::Spot s = m_modele->spot(source.row());
    emit Spot_Choisi(Cluster::Texte_Reseau(s.indicatif), QString::fromLatin1(s.dmf));
    if (m_liaison.reglages().type == Radio::Type::Aucun)
        return;
    const auto hertz = Sous_Programmes::Hertz_De_kHz(s.frequence);
    if (!hertz) {
        dit_poste(QStringLiteral("La fréquence du spot, « %1 », n'est pas lisible : le poste n'est pas réglé.")
                      .arg(QString::fromLatin1(s.frequence)));
        return;
    }
    dit_poste(QStringLiteral("Réglage du poste sur %1 kHz...").arg(Sous_Programmes::Texte_kHz(*hertz)));
    m_liaison.regle(*hertz, Radio::Mode_Du_Commentaire(s.commentaire, *hertz));
}

Annonce_Proposee Spots_DMF::proposition(const QString &indicatif) const
{
    Annonce_Proposee p{std::nullopt, indicatif, {}, {}};
    const QModelIndex courant = m_filtre->mapToSource(Table_Spots->currentIndex());
    const QByteArray commentaire = courant.isValid() ? m_modele->spot(courant.row()).commentaire : QByteArray();
    if (m_lecture)
        p.hertz = m_lecture->hertz;
    p.mode = Radio::Mode_Annonce(commentaire, m_lecture ? m_lecture->mode : QString());
    return p;
}
