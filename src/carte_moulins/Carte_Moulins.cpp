#include "Carte_Moulins.h"

#include "Accessibilite.h"
#include "Dialogue_Fichier.h"
#include "Fenetres.h"
#include "Fichier.h"
#include "Journal.h"
#include "Message.h"
#include "Projection.h"
#include "Vue_Carte.h"
#include "Texte.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

using namespace Moulins;
using namespace Sous_Programmes;

namespace {

QString Texte_Position(const Geo::Position &p)
{
    const QLocale fr(QLocale::French);
    return QStringLiteral("%1° %2, %3° %4")
        .arg(fr.toString(qAbs(p.latitude), 'f', 3), p.latitude < 0 ? QStringLiteral("S") : QStringLiteral("N"),
             fr.toString(qAbs(p.longitude), 'f', 3), p.longitude < 0 ? QStringLiteral("O") : QStringLiteral("E"));
}

} // namespace

Modele_Proches::Modele_Proches(const Liste &liste, const Restants &restants, const Points_Carte &points, QObject *parent)
    : QAbstractTableModel(parent), m_liste(liste), m_restants(restants), m_points(points), m_rangees(points.points.size(), -1)
{
}

void Modele_Proches::montre(std::vector<Proche> proches, std::optional<Geo::Position> origine)
{
    beginResetModel();
    for (const Proche &p : m_proches)
        m_rangees[size_t(p.point)] = -1;
    m_proches = std::move(proches);
    for (size_t r = 0; r < m_proches.size(); ++r)
        m_rangees[size_t(m_proches[r].point)] = int(r);
    m_origine = origine;
    endResetModel();
}

int Modele_Proches::rangee(int point) const { return point >= 0 && size_t(point) < m_rangees.size() ? m_rangees[size_t(point)] : -1; }

int Modele_Proches::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_proches.size()); }
int Modele_Proches::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : Nombre_Colonnes; }

QVariant Modele_Proches::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_proches.size())
        return {};
    const Proche &proche = m_proches[size_t(index.row())];
    const bool nombre = index.column() == Distance || index.column() == Azimut;
    if (role == Qt::TextAlignmentRole)
        return nombre ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    const Point_Carte &p = m_points.points[size_t(proche.point)];
    const Moulin &m = m_liste[p.rang];
    switch (index.column()) {
    case Numero: return QString::fromLatin1(m.Numero());
    case Nom: return m_liste.Chaine(m.nom);
    case Commune: return m_liste.Chaine(m.commune);
    case Dept: return QString::fromLatin1(m.Departement());
    case Etat: return Texte_Etat(Etat_De(m_restants, p.rang));
    case Distance: return m_origine ? QVariant(qRound(proche.distance_km)) : QVariant();
    case Azimut: return m_origine ? QVariant(qRound(Geo::Azimut(*m_origine, p.position)) % 360) : QVariant();
    }
    return {};
}

QVariant Modele_Proches::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titres[] = {"N° DMF", "Nom", "Commune", "Dépt", "État", "Distance (km)", "Azimut (°)"};
    return section >= 0 && section < Nombre_Colonnes ? QString::fromUtf8(titres[section]) : QVariant();
}

Carte_Moulins::Carte_Moulins(std::shared_ptr<const Liste> liste, Restants restants, std::optional<Geo::Position> station,
                             const QString &locator, const QString &dossier)
    : m_liste(std::move(liste)), m_restants(std::move(restants)), m_station(station), m_locator(locator), m_dossier(dossier)
{
    setObjectName(QStringLiteral("Carte_Moulins"));
    setWindowTitle(QStringLiteral("Carte des moulins"));
    resize(Fenetres::Pixels(760), Fenetres::Pixels(700));
    m_points = Place_Moulins(*m_liste, m_restants);

    auto *Label_Filtre = new QLabel(QStringLiteral("Montrer"), this);
    Label_Filtre->setObjectName(QStringLiteral("Label_Filtre_Carte"));
    Filtre_Carte = new QComboBox(this);
    Filtre_Carte->setObjectName(QStringLiteral("Filtre_Carte"));
    Filtre_Carte->addItems({QStringLiteral("Restants"), QStringLiteral("Tous"), QStringLiteral("Contactés"), QStringLiteral("En attente")});
    Accessibilite::Etiquette_De(Label_Filtre, Filtre_Carte);
    auto *Zoom_Plus = Fenetres::Nom_Objet(new QPushButton(QStringLiteral("+"), this), "Zoom_Plus");
    auto *Zoom_Moins = Fenetres::Nom_Objet(new QPushButton(QStringLiteral("−"), this), "Zoom_Moins");
    Accessibilite::Nomme(Zoom_Plus, QStringLiteral("Zoom avant"));
    Accessibilite::Nomme(Zoom_Moins, QStringLiteral("Zoom arrière"));
    auto *Toute_La_France = Fenetres::Nom_Objet(new QPushButton(QStringLiteral("Toute la France"), this), "Toute_La_France");

    m_vue = new Vue_Carte(m_points, [this](int i) {
        return Texte_Point(*m_liste, m_restants, m_points.points[size_t(i)], m_origine);
    }, this);
    m_vue->place_station(m_station);

    Compte_Carte = new QLabel(Texte_Compte(m_points), this);
    Compte_Carte->setObjectName(QStringLiteral("Compte_Carte"));
    Compte_Carte->setWordWrap(true);

    auto *Label_Origine = new QLabel(QStringLiteral("Depuis"), this);
    Label_Origine->setObjectName(QStringLiteral("Label_Origine"));
    Origine_Proches = new QLabel(this);
    Origine_Proches->setObjectName(QStringLiteral("Origine_Proches"));
    Origine_Proches->setWordWrap(true);
    auto *Label_Rayon = new QLabel(QStringLiteral("Rayon (km)"), this);
    Label_Rayon->setObjectName(QStringLiteral("Label_Rayon"));
    Rayon = new QSpinBox(this);
    Rayon->setObjectName(QStringLiteral("Rayon"));
    Rayon->setRange(0, 2000);
    Rayon->setSingleStep(10);
    Rayon->setSpecialValueText(QStringLiteral("sans limite"));
    Accessibilite::Etiquette_De(Label_Rayon, Rayon);
    Depuis_Moulin = Fenetres::Nom_Objet(new QPushButton(QStringLiteral("Partir de ce moulin"), this), "Depuis_Moulin");
    Depuis_Station = Fenetres::Nom_Objet(new QPushButton(QStringLiteral("Depuis la station"), this), "Depuis_Station");
    Depuis_Station->setEnabled(m_station.has_value());

    m_modele = new Modele_Proches(*m_liste, m_restants, m_points, this);
    Moulins_Proches = new QTableView(this);
    Moulins_Proches->setObjectName(QStringLiteral("Moulins_Proches"));
    Moulins_Proches->setModel(m_modele);
    Moulins_Proches->setSelectionBehavior(QAbstractItemView::SelectRows);
    Moulins_Proches->setSelectionMode(QAbstractItemView::SingleSelection);
    Moulins_Proches->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Moulins_Proches->verticalHeader()->hide();
    Moulins_Proches->setWordWrap(false);
    // Columns sized once on the first rows: a list may hold 50,000 mills.
    Moulins_Proches->horizontalHeader()->setResizeContentsPrecision(100);
    Fenetres::Colore(Moulins_Proches, 0xFFFFC0);
    // A few rows in view, whatever the size of the text.
    Moulins_Proches->setMinimumHeight(Moulins_Proches->fontMetrics().height() * 9);
    Accessibilite::Nomme(Moulins_Proches, QStringLiteral("Moulins les plus proches"),
                         QStringLiteral("une ligne par moulin montré, le plus proche d'abord : numéro, nom, commune, "
                                        "département, état, distance en km, azimut en degrés"));

    auto *commandes = new QHBoxLayout;
    commandes->addWidget(Label_Filtre);
    commandes->addWidget(Filtre_Carte);
    commandes->addStretch(1);
    commandes->addWidget(Zoom_Plus);
    commandes->addWidget(Zoom_Moins);
    commandes->addWidget(Toute_La_France);
    auto *haut = new QWidget(this);
    auto *colonne_haut = new QVBoxLayout(haut);
    colonne_haut->setContentsMargins(0, 0, 0, 0);
    colonne_haut->addLayout(commandes);
    colonne_haut->addWidget(m_vue, 1);
    colonne_haut->addWidget(Compte_Carte);

    auto *origine = new QHBoxLayout;
    origine->addWidget(Label_Origine);
    origine->addWidget(Origine_Proches, 1);
    auto *rayon = new QHBoxLayout;
    rayon->addWidget(Label_Rayon);
    rayon->addWidget(Rayon);
    rayon->addStretch(1);
    rayon->addWidget(Depuis_Moulin);
    rayon->addWidget(Depuis_Station);
    auto *bas = new QWidget(this);
    auto *colonne_bas = new QVBoxLayout(bas);
    colonne_bas->setContentsMargins(0, 0, 0, 0);
    colonne_bas->addLayout(origine);
    colonne_bas->addLayout(rayon);
    colonne_bas->addWidget(Moulins_Proches, 1);

    auto *partage = new QSplitter(Qt::Vertical, this);
    partage->setObjectName(QStringLiteral("Partage_Carte"));
    partage->setChildrenCollapsible(false);
    partage->addWidget(haut);
    partage->addWidget(bas);
    partage->setStretchFactor(0, 3);
    partage->setStretchFactor(1, 2);
    partage->setSizes({Fenetres::Pixels(380), Fenetres::Pixels(240)});

    auto *page = new QVBoxLayout(this);
    page->addWidget(partage, 1);
    const QList<QPushButton *> boutons = Fenetres::Rangee_Boutons(this, page, {{"Enregistrer_GPX", QStringLiteral("Enregistrer en GPX...")},
                                                                             {"Fermer_Carte", QStringLiteral("Fermer")}});

    connect(Filtre_Carte, &QComboBox::currentIndexChanged, this, &Carte_Moulins::filtre);
    connect(Rayon, &QSpinBox::valueChanged, this, &Carte_Moulins::calcule);
    connect(Zoom_Plus, &QPushButton::clicked, m_vue, [this] { m_vue->zoome(1.5); });
    connect(Zoom_Moins, &QPushButton::clicked, m_vue, [this] { m_vue->zoome(1 / 1.5); });
    connect(Toute_La_France, &QPushButton::clicked, m_vue, &Vue_Carte::toute_la_france);
    connect(m_vue, &Vue_Carte::Point_Clique, this, &Carte_Moulins::point_clique);
    connect(m_vue, &Vue_Carte::Origine_Choisie, this, [this](const Geo::Position &p) {
        part_de(p, QStringLiteral("le point choisi sur la carte (%1)").arg(Texte_Position(p)));
    });
    connect(Moulins_Proches->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &Carte_Moulins::rangee_choisie);
    connect(Depuis_Moulin, &QPushButton::clicked, this, &Carte_Moulins::depuis_moulin);
    connect(Depuis_Station, &QPushButton::clicked, this, &Carte_Moulins::depuis_station);
    connect(boutons[0], &QPushButton::clicked, this, &Carte_Moulins::enregistre_gpx);

    setTabOrder(Filtre_Carte, Zoom_Plus);
    setTabOrder(Zoom_Plus, Zoom_Moins);
    setTabOrder(Zoom_Moins, Toute_La_France);
    setTabOrder(Toute_La_France, m_vue);
    setTabOrder(m_vue, Rayon);
    setTabOrder(Rayon, Depuis_Moulin);
    setTabOrder(Depuis_Moulin, Depuis_Station);
    setTabOrder(Depuis_Station, Moulins_Proches);
    setTabOrder(Moulins_Proches, boutons[0]);
    setTabOrder(boutons[0], boutons[1]);

    depuis_station();
    Moulins_Proches->resizeColumnsToContents();
    // The longest state, whichever the filter shows first.
    Moulins_Proches->setColumnWidth(Modele_Proches::Etat,
                                    qMax(Moulins_Proches->columnWidth(Modele_Proches::Etat),
                                         Moulins_Proches->fontMetrics().horizontalAdvance(QStringLiteral("Contacté le 00/00/00")) +
                                             2 * Moulins_Proches->fontMetrics().averageCharWidth()));
    Moulins_Proches->horizontalHeader()->setSectionResizeMode(Modele_Proches::Nom, QHeaderView::Stretch);
    Filtre_Carte->setFocus();
}

Carte_Moulins::~Carte_Moulins()
{
    // They read the mills kept here: gone before them.
    delete Moulins_Proches;
    delete m_vue;
}

Filtre Carte_Moulins::choix() const { return Filtre(Filtre_Carte->currentIndex()); }

void Carte_Moulins::filtre()
{
    m_vue->montre(choix());
    calcule();
}

void Carte_Moulins::part_de(std::optional<Geo::Position> origine, const QString &texte)
{
    m_origine = origine;
    const QString dit = origine ? texte
                                : QStringLiteral("aucun point : donnez le locator de la station (Station, Nouvel Indicatif), "
                                                 "ou choisissez un point de la carte (clic droit, « Partir d'ici »)");
    Accessibilite::Montre_Valeur(Origine_Proches, dit, QStringLiteral("Distances depuis ") + dit);
    Rayon->setEnabled(origine.has_value());
    calcule();
}

void Carte_Moulins::calcule()
{
    const double rayon = m_origine ? Rayon->value() : 0;
    const int choisi = point_choisi();
    m_modele->montre(Moulins::Moulins_Proches(m_points, choix(), m_origine, rayon), m_origine);
    m_vue->place_origine(m_origine, rayon);
    Depuis_Moulin->setEnabled(m_modele->rowCount() > 0);
    const QString montres = QStringLiteral("%1 montrés : %2").arg(Filtre_Carte->currentText(), Nombre(m_modele->rowCount()));
    Accessibilite::Nomme(m_vue, QStringLiteral("Carte des moulins"),
                         Texte_Compte(m_points) + QStringLiteral(" ; ") + montres +
                             QStringLiteral(" ; le tableau des moulins proches les donne un par un"));
    if (const int r = m_modele->rangee(choisi); r >= 0)
        Moulins_Proches->setCurrentIndex(m_modele->index(r, 0));
    else
        m_vue->choisit(-1);
}

void Carte_Moulins::point_clique(int point)
{
    const int r = m_modele->rangee(point);
    if (r < 0)
        return;
    Moulins_Proches->setCurrentIndex(m_modele->index(r, 0));
    Moulins_Proches->scrollTo(m_modele->index(r, 0));
}

int Carte_Moulins::point_choisi() const
{
    const QModelIndex i = Moulins_Proches->currentIndex();
    return i.isValid() ? m_modele->proches()[size_t(i.row())].point : -1;
}

void Carte_Moulins::rangee_choisie() { m_vue->choisit(point_choisi()); }

void Carte_Moulins::depuis_station()
{
    part_de(m_station, m_station ? QStringLiteral("la station (%1)").arg(m_locator) : QString());
}

void Carte_Moulins::depuis_moulin()
{
    const int point = point_choisi();
    if (point < 0)
        return;
    const Point_Carte &p = m_points.points[size_t(point)];
    const Moulin &m = (*m_liste)[p.rang];
    part_de(p.position, QStringLiteral("le moulin %1 %2").arg(QString::fromLatin1(m.Numero()), m_liste->Designation(m)));
}

void Carte_Moulins::enregistre_gpx()
{
    const auto &proches = m_modele->proches();
    if (proches.empty()) {
        Message::Information(this, QStringLiteral("Le tableau ne montre aucun moulin : rien à enregistrer."));
        return;
    }
    const QString fichier = Dialogue_Fichier::A_Ecrire(this, QStringLiteral("Enregistrer les moulins en GPX"),
                                                       QDir(m_dossier).filePath(QStringLiteral("Moulins.gpx")),
                                                       QStringLiteral("Fichiers GPX (*.gpx)"), m_dossier, QStringLiteral("le fichier GPX"));
    if (fichier.isEmpty())
        return;
    const QByteArray gpx = Texte_GPX(*m_liste, m_restants, m_points, proches);
    if (const Statut s = Reecrit_Fichier(fichier, QString::fromLatin1(Nom_Temporaire), Morceaux{gpx}, Si_Absent::Creer); !s) {
        Message::Information(this, s.erreur());
        return;
    }
    Message::Information(this, QStringLiteral("%1 moulin(s) enregistré(s) en GPX sous le nom : %2")
                                   .arg(Nombre(qsizetype(proches.size())), QDir::toNativeSeparators(fichier)));
}
