#include "Statistiques.h"

#include "Accessibilite.h"
#include "Dialogue_Fichier.h"
#include "Fenetres.h"
#include "Fichier.h"
#include "Graphique.h"
#include "Imprimante.h"
#include "Journal.h"
#include "Message.h"

#include <QBuffer>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Sous_Programmes;

namespace {

static_assert(Bilan::Jours == Graphiques::Jours, "every year on the charts' axis of days");

// Of the year drawn, the last day shown: today in the current calendar year.
int Dernier_Jour(const QString &annee, QDate aujourd_hui)
{
    if (annee.toInt() != aujourd_hui.year())
        return Bilan::Jours - 1;
    return Bilan::Jour_De_L_Annee(aujourd_hui.month(), aujourd_hui.day());
}

// The current year in red and thick, the earlier ones each its own colour.
template <typename T>
Graphiques::Serie Courbe(const QString &annee, const std::array<T, Bilan::Jours> &valeurs, int dernier_jour, size_t rang,
                         const Graphiques::Unite &unite)
{
    static const QRgb couleurs[] = {0x1F77B4, 0x2CA02C, 0x9467BD, 0xFF7F0E, 0x8C564B, 0x17BECF, 0xE377C2, 0xBCBD22, 0x7F7F7F};
    Graphiques::Serie s;
    s.nom = annee;
    s.annee = annee.toInt();
    s.unite = unite;
    s.couleur = QColor(rang == 0 ? 0xD62728 : couleurs[(rang - 1) % std::size(couleurs)]);
    s.epaisseur = rang == 0 ? 3.5 : 1.5;
    s.valeurs.assign(valeurs.begin(), valeurs.begin() + dernier_jour + 1);
    return s;
}

Graphiques::Graphique *Vue(QWidget *parent, const char *nom, Graphiques::Contenu contenu)
{
    auto *v = new Graphiques::Graphique(std::move(contenu), parent);
    v->setObjectName(QString::fromLatin1(nom));
    v->setMinimumSize(Fenetres::Pixels(320), Fenetres::Pixels(220));
    return v;
}

} // namespace

Statistiques::Statistiques(Bilan::Statistiques donnees, const QString &dossier_programme, const QString &indicatif,
                           QDate aujourd_hui)
    : m_donnees(std::move(donnees)), m_dossier(dossier_programme), m_indicatif(indicatif)
{
    setObjectName(QStringLiteral("Statistiques"));
    setWindowTitle(QStringLiteral("Statistiques"));
    resize(Fenetres::Pixels(900), Fenetres::Pixels(680));
    const std::vector<Bilan::Annee> &annees = m_donnees.annees;

    Graphiques::Contenu points{Graphiques::Forme::Courbes_Jours, QStringLiteral("Points cumulés depuis le 1er janvier"),
                               QStringLiteral("Points"), {}};
    for (size_t i = 0; i < annees.size(); ++i)
        points.series.push_back(Courbe(annees[i].annee, annees[i].points_cumules, Dernier_Jour(annees[i].annee, aujourd_hui), i,
                                       {QStringLiteral("point"), QStringLiteral("points")}));
    Graphique_Points = Vue(this, "Graphique_Points", std::move(points));

    Graphiques::Contenu mois{Graphiques::Forme::Barres_Mois,
                             annees.empty() ? QStringLiteral("QSO par mois")
                                            : QStringLiteral("QSO par mois en %1").arg(annees.front().annee),
                             QStringLiteral("QSO"), {}};
    const auto par_mois = [&](std::array<int, 12> Bilan::Annee::*compte) {
        return annees.empty() ? std::vector<double>(12, 0)
                              : std::vector<double>((annees.front().*compte).begin(), (annees.front().*compte).end());
    };
    mois.series = {{QStringLiteral("Validés"), QColor(0x209FDF), 0, {QStringLiteral("validé"), QStringLiteral("validés")},
                    par_mois(&Bilan::Annee::mois_valides), 0},
                   {QStringLiteral("En attente"), QColor(0x99CA53), 0, {QStringLiteral("en attente"), QStringLiteral("en attente")},
                    par_mois(&Bilan::Annee::mois_en_attente), 0}};
    Graphique_Mois = Vue(this, "Graphique_Mois", std::move(mois));

    Graphiques::Contenu departements{Graphiques::Forme::Courbes_Jours, QStringLiteral("Départements contactés"),
                                     QStringLiteral("Départements"), {}};
    for (size_t i = 0; i < std::min<size_t>(annees.size(), 2); ++i)
        departements.series.push_back(Courbe(annees[i].annee, annees[i].departements_cumules,
                                             Dernier_Jour(annees[i].annee, aujourd_hui), i,
                                             {QStringLiteral("département"), QStringLiteral("départements")}));
    Graphique_Departements = Vue(this, "Graphique_Departements", std::move(departements));

    auto *table = new QTableWidget(int(annees.size()), 6, this);
    table->setObjectName(QStringLiteral("Table_Annees"));
    table->setHorizontalHeaderLabels({QStringLiteral("Année"), QStringLiteral("QSO"), QStringLiteral("Moulins"),
                                      QStringLiteral("Départements"), QStringLiteral("Points"), QStringLiteral("En attente")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setTabKeyNavigation(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int r = 0; r < int(annees.size()); ++r) {
        const Bilan::Annee &a = annees[size_t(r)];
        const QString valeurs[] = {a.annee,
                                   QString::number(a.qso),
                                   QString::number(a.moulins),
                                   QString::number(a.departements),
                                   QString::number(a.points),
                                   QString::number(a.en_attente)};
        for (int c = 0; c < 6; ++c) {
            auto *case_ = new QTableWidgetItem(valeurs[c]);
            case_->setTextAlignment(c == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, case_);
        }
    }
    table->setMaximumHeight(table->horizontalHeader()->height() + table->verticalHeader()->defaultSectionSize() * 4 + 4);

    Accessibilite::Nomme(table, QStringLiteral("Tableau des années"));
    auto *ignores = new QLabel(m_donnees.ignores.join(u'\n'), this);
    ignores->setObjectName(QStringLiteral("Logs_Ignores"));
    ignores->setWordWrap(true);
    ignores->setVisible(!m_donnees.ignores.isEmpty());

    auto *graphiques = new QGridLayout;
    graphiques->addWidget(Graphique_Points, 0, 0, 1, 2);
    graphiques->addWidget(Graphique_Mois, 1, 0);
    graphiques->addWidget(Graphique_Departements, 1, 1);
    graphiques->setRowStretch(0, 3);
    graphiques->setRowStretch(1, 2);
    auto *page = new QVBoxLayout(this);
    page->addLayout(graphiques, 1);
    page->addWidget(table);
    page->addWidget(ignores);
    const QList<QPushButton *> boutons = Fenetres::Rangee_Boutons(this, page, {{"Enregistrer_Statistiques", QStringLiteral("Enregistrer l'image...")},
                                                                             {"Imprimer_Statistiques", QStringLiteral("Imprimer...")},
                                                                             {"Fermer_Statistiques", QStringLiteral("Fermer")}});
    connect(boutons[0], &QPushButton::clicked, this, &Statistiques::enregistre);
    connect(boutons[1], &QPushButton::clicked, this, &Statistiques::imprime);
}

void Statistiques::Dessine(QPainter &peintre, const QRect &page) const
{
    const int haut = page.height() * 3 / 5;
    const int moitie = page.width() / 2;
    const QRectF places[] = {QRectF(page.left(), page.top(), page.width(), haut),
                             QRectF(page.left(), page.top() + haut, moitie, page.height() - haut),
                             QRectF(page.left() + moitie, page.top() + haut, page.width() - moitie, page.height() - haut)};
    const Graphiques::Graphique *graphiques[] = {Graphique_Points, Graphique_Mois, Graphique_Departements};
    // One scale for the three, so that their texts have one size: the page
    // laid out as a window 1100 pixels wide, drawn at the device's resolution.
    const qreal echelle = page.width() / 1100.0, ecart = 6 * echelle;
    for (int i = 0; i < 3; ++i)
        graphiques[i]->Dessine_Sur(peintre, places[i].adjusted(ecart, ecart, -ecart, -ecart), echelle);
}

void Statistiques::enregistre()
{
    const QString annee = m_donnees.annees.empty() ? QString() : m_donnees.annees.front().annee;
    const QString propose = QDir(m_dossier).filePath(QStringLiteral("Statistiques_%1_%2.png").arg(m_indicatif, annee));
    const QString fichier = Dialogue_Fichier::A_Ecrire(this, QStringLiteral("Enregistrer les statistiques"), propose,
                                                       QStringLiteral("Images PNG (*.png)"), m_dossier, QStringLiteral("l'image"));
    if (fichier.isEmpty())
        return;
    QImage image(Taille_Image, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        Dessine(p, image.rect());
    }
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, "PNG");
    if (const Statut s = Reecrit_Fichier(fichier, QString::fromLatin1(Nom_Temporaire), octets, Si_Absent::Creer); !s) {
        Message::Information(this, s.erreur());
        return;
    }
    emit Image_Enregistree(fichier);
}

void Statistiques::imprime()
{
    if (const Statut s = Impression::Imprime_Paysage(this, [this](QPainter &p, const QRect &page) { Dessine(p, page); }); !s)
        Message::Information(this, s.erreur());
}
