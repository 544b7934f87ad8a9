#include "Statistiques.h"

#include "Accessibilite.h"
#include "Dialogue_Fichier.h"
#include "Fenetres.h"
#include "Fichier.h"
#include "Imprimante.h"
#include "Journal.h"
#include "Message.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

using namespace Sous_Programmes;

namespace {

// The shared axis of every year: the days of a leap year.
const QDate Axe_Debut(2000, 1, 1);

qreal X_Du_Jour(int jour) { return qreal(Axe_Debut.startOfDay(Qt::UTC).addDays(jour).toMSecsSinceEpoch()); }

// Of the year drawn, the last day shown: today in the current calendar year.
int Dernier_Jour(const QString &annee, QDate aujourd_hui)
{
    if (annee.toInt() != aujourd_hui.year())
        return Bilan::Jours - 1;
    return Bilan::Jour_De_L_Annee(aujourd_hui.month(), aujourd_hui.day());
}

// The current year in red and thick, the earlier ones each its own colour.
QPen Crayon(size_t rang)
{
    static const QRgb couleurs[] = {0x1F77B4, 0x2CA02C, 0x9467BD, 0xFF7F0E, 0x8C564B, 0x17BECF, 0xE377C2, 0xBCBD22, 0x7F7F7F};
    if (rang == 0)
        return QPen(QColor(0xD62728), 3.5);
    return QPen(QColor(couleurs[(rang - 1) % std::size(couleurs)]), 1.5);
}

template <typename T>
QLineSeries *Courbe(const QString &nom, const std::array<T, Bilan::Jours> &valeurs, int dernier_jour, size_t rang)
{
    auto *s = new QLineSeries;
    s->setName(nom);
    QList<QPointF> points;
    points.reserve(dernier_jour + 1);
    for (int j = 0; j <= dernier_jour; ++j)
        points.append({X_Du_Jour(j), qreal(valeurs[size_t(j)])});
    s->replace(points);
    s->setPen(Crayon(rang));
    return s;
}

QChart *Graphique(const QString &titre)
{
    auto *c = new QChart;
    c->setTitle(titre);
    c->setAnimationOptions(QChart::NoAnimation);
    c->legend()->setAlignment(Qt::AlignBottom);
    c->setMargins(QMargins(4, 4, 4, 4));
    return c;
}

// Days along the bottom, the values up the side, every series on both.
void Axes_Annee(QChart *c, const QString &titre_valeurs, int graduations)
{
    auto *x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("dd/MM"));
    x->setRange(Axe_Debut.startOfDay(Qt::UTC), Axe_Debut.addDays(Bilan::Jours - 1).startOfDay(Qt::UTC));
    x->setTickCount(graduations);
    auto *y = new QValueAxis;
    y->setTitleText(titre_valeurs);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setMin(0);
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    qreal maximum = 1;
    for (QAbstractSeries *s : c->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
        for (const QPointF &p : static_cast<QLineSeries *>(s)->points())
            maximum = std::max(maximum, p.y());
    }
    y->setMax(maximum);
    y->applyNiceNumbers();
}

QChartView *Vue(QWidget *parent, const char *nom, QChart *graphique)
{
    auto *v = new QChartView(graphique, parent);
    v->setObjectName(QString::fromLatin1(nom));
    v->setRenderHint(QPainter::Antialiasing);
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

    QChart *points = Graphique(QStringLiteral("Points cumulés depuis le 1er janvier"));
    // The earlier years first, the current one drawn last, over them, and thickest.
    for (size_t i = annees.size(); i-- > 0;)
        points->addSeries(Courbe(annees[i].annee, annees[i].points_cumules, Dernier_Jour(annees[i].annee, aujourd_hui), i));
    Axes_Annee(points, QStringLiteral("Points"), 13);
    Graphique_Points = Vue(this, "Graphique_Points", points);

    QChart *mois = Graphique(annees.empty() ? QStringLiteral("QSO par mois")
                                            : QStringLiteral("QSO par mois en %1").arg(annees.front().annee));
    auto *valides = new QBarSet(QStringLiteral("Validés"));
    auto *attente = new QBarSet(QStringLiteral("En attente"));
    QStringList noms_mois;
    const QLocale francais(QLocale::French, QLocale::France);
    qreal plus_haut = 1;
    for (int m = 0; m < 12; ++m) {
        const int v = annees.empty() ? 0 : annees.front().mois_valides[size_t(m)];
        const int e = annees.empty() ? 0 : annees.front().mois_en_attente[size_t(m)];
        valides->append(v);
        attente->append(e);
        plus_haut = std::max<qreal>(plus_haut, v + e);
        noms_mois.append(francais.standaloneMonthName(m + 1, QLocale::ShortFormat));
    }
    auto *barres = new QStackedBarSeries;
    barres->append(valides);
    barres->append(attente);
    mois->addSeries(barres);
    auto *axe_mois = new QBarCategoryAxis;
    axe_mois->append(noms_mois);
    QFont petite = axe_mois->labelsFont();
    petite.setPointSizeF(petite.pointSizeF() * 0.8);
    axe_mois->setLabelsFont(petite);
    auto *axe_qso = new QValueAxis;
    axe_qso->setTitleText(QStringLiteral("QSO"));
    axe_qso->setLabelFormat(QStringLiteral("%d"));
    axe_qso->setRange(0, plus_haut);
    axe_qso->applyNiceNumbers();
    mois->addAxis(axe_mois, Qt::AlignBottom);
    mois->addAxis(axe_qso, Qt::AlignLeft);
    barres->attachAxis(axe_mois);
    barres->attachAxis(axe_qso);
    Graphique_Mois = Vue(this, "Graphique_Mois", mois);

    QChart *departements = Graphique(QStringLiteral("Départements contactés"));
    for (size_t i = std::min<size_t>(annees.size(), 2); i-- > 0;)
        departements->addSeries(Courbe(annees[i].annee, annees[i].departements_cumules,
                                       Dernier_Jour(annees[i].annee, aujourd_hui), i));
    Axes_Annee(departements, QStringLiteral("Départements"), 7);
    Graphique_Departements = Vue(this, "Graphique_Departements", departements);

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

    Accessibilite::Nomme(Graphique_Points, QStringLiteral("Graphique des points cumulés"),
                         QStringLiteral("une courbe par année ; le tableau des années donne les mêmes totaux"));
    Accessibilite::Nomme(Graphique_Mois, QStringLiteral("Graphique des QSO par mois"));
    Accessibilite::Nomme(Graphique_Departements, QStringLiteral("Graphique des départements contactés"));
    Accessibilite::Nomme(table, QStringLiteral("Tableau des années"));
    auto *ignores = new QLabel(m_donnees.ignores.join(u'\n'), this);
    ignores->setObjectName(QStringLiteral("Logs_Ignores"));
    ignores->setWordWrap(true);
    ignores->setVisible(!m_donnees.ignores.isEmpty());

    auto *enregistrer = new QPushButton(QStringLiteral("Enregistrer l'image..."), this);
    enregistrer->setObjectName(QStringLiteral("Enregistrer_Statistiques"));
    auto *imprimer = new QPushButton(QStringLiteral("Imprimer..."), this);
    imprimer->setObjectName(QStringLiteral("Imprimer_Statistiques"));
    auto *fermer = new QPushButton(QStringLiteral("Fermer"), this);
    fermer->setObjectName(QStringLiteral("Fermer_Statistiques"));
    for (QPushButton *b : {enregistrer, imprimer, fermer})
        b->setAutoDefault(true);
    connect(enregistrer, &QPushButton::clicked, this, &Statistiques::enregistre);
    connect(imprimer, &QPushButton::clicked, this, &Statistiques::imprime);
    connect(fermer, &QPushButton::clicked, this, &QWidget::close);

    auto *graphiques = new QGridLayout;
    graphiques->addWidget(Graphique_Points, 0, 0, 1, 2);
    graphiques->addWidget(Graphique_Mois, 1, 0);
    graphiques->addWidget(Graphique_Departements, 1, 1);
    graphiques->setRowStretch(0, 3);
    graphiques->setRowStretch(1, 2);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(enregistrer);
    boutons->addWidget(imprimer);
    boutons->addWidget(fermer);
    auto *page = new QVBoxLayout(this);
    page->addLayout(graphiques, 1);
    page->addWidget(table);
    page->addWidget(ignores);
    page->addLayout(boutons);
}

void Statistiques::Dessine(QPainter &peintre, const QRect &page) const
{
    const int haut = page.height() * 3 / 5;
    const int moitie = page.width() / 2;
    const QRect places[] = {QRect(page.left(), page.top(), page.width(), haut),
                            QRect(page.left(), page.top() + haut, moitie, page.height() - haut),
                            QRect(page.left() + moitie, page.top() + haut, page.width() - moitie, page.height() - haut)};
    const QChartView *vues[] = {Graphique_Points, Graphique_Mois, Graphique_Departements};
    // One scale for the three, so that their texts have one size.
    peintre.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 3; ++i) {
        // Drawn again at the size of its place, not a screen copy enlarged.
        QChart *c = vues[i]->chart();
        const QSizeF avant = c->size();
        const QRectF place = places[i];
        const qreal echelle = page.width() / 1100.0;
        c->resize(place.size() / echelle);
        peintre.save();
        peintre.translate(place.topLeft());
        peintre.scale(echelle, echelle);
        vues[i]->scene()->render(&peintre, QRectF(QPointF(0, 0), place.size() / echelle), c->geometry());
        peintre.restore();
        c->resize(avant);
    }
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
