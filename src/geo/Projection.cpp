#include "Projection.h"

#include "Formes_Carte.h"

#include <QTransform>
#include <QtMath>

namespace Geo {

namespace {

// The outlines are drawn in Mercator. The map's own frame was fitted once on
// the prefectures, each set at least 150 m inside its département; border
// towns then fall within 3 km of theirs.
const QTransform Vers_Carte(41.692123, -0.048745, 0.262058, -41.442799, 201.162639, 2470.787251);
const QTransform Depuis_Carte = Vers_Carte.inverted();

double Mercator(double latitude) { return qRadiansToDegrees(std::log(std::tan(M_PI / 4 + qDegreesToRadians(latitude) / 2))); }
double Latitude(double mercator) { return qRadiansToDegrees(2 * std::atan(std::exp(qDegreesToRadians(mercator))) - M_PI / 2); }

QPointF Plus_Proche(QPointF a, QPointF b, QPointF p)
{
    const QPointF d = b - a;
    const double l = QPointF::dotProduct(d, d);
    const double t = l == 0 ? 0 : std::clamp(QPointF::dotProduct(p - a, d) / l, 0.0, 1.0);
    return a + t * d;
}

// The outlines as lists of edges, read once: crossing them is several times
// quicker than asking the paths, for a list of 50,000 mills.
struct Arete {
    QPointF a, b;
};
const std::array<std::vector<Arete>, 100> &Aretes()
{
    static const std::array<std::vector<Arete>, 100> aretes = [] {
        std::array<std::vector<Arete>, 100> a;
        for (size_t i = 0; i < a.size(); ++i)
            for (const QPolygonF &contour : Formes_France().forme[i].toSubpathPolygons())
                for (qsizetype k = 0; k < contour.size(); ++k)
                    a[i].push_back({contour[k], contour[(k + 1) % contour.size()]});
        return a;
    }();
    return aretes;
}

// The edges of a box's outline; none for a box without one.
const std::vector<Arete> *Aretes_De(int boite)
{
    if (boite < 0 || boite >= int(Aretes().size()) || Aretes()[size_t(boite)].empty())
        return nullptr;
    return &Aretes()[size_t(boite)];
}

// Even-odd, as the outlines do not overlap themselves.
bool Dedans(const std::vector<Arete> &aretes, QPointF p)
{
    bool dedans = false;
    for (const Arete &e : aretes)
        if ((e.a.y() > p.y()) != (e.b.y() > p.y())
            && p.x() < e.a.x() + (p.y() - e.a.y()) * (e.b.x() - e.a.x()) / (e.b.y() - e.a.y()))
            dedans = !dedans;
    return dedans;
}

} // namespace

QPointF Sur_Carte(const Position &p) { return Vers_Carte.map(QPointF(p.longitude, Mercator(p.latitude))); }

Position Du_Point(QPointF point)
{
    const QPointF m = Depuis_Carte.map(point);
    return {Latitude(m.y()), m.x()};
}

std::optional<double> Ecart_Departement_km(const Position &p, int boite)
{
    const std::vector<Arete> *aretes = Aretes_De(boite);
    if (!aretes)
        return std::nullopt;
    const QPointF point = Sur_Carte(p);
    if (Dedans(*aretes, point))
        return 0.0;
    // The outlines are straight lines only: the nearest of their points lies on one of them.
    QPointF proche;
    double meilleur = std::numeric_limits<double>::max();
    for (const Arete &e : *aretes) {
        const QPointF q = Plus_Proche(e.a, e.b, point);
        const double d = QPointF::dotProduct(q - point, q - point);
        if (d < meilleur) {
            meilleur = d;
            proche = q;
        }
    }
    return Distance_km(p, Du_Point(proche));
}

bool Pres_Du_Departement(const Position &p, int boite, double ecart_km)
{
    if (!Aretes_De(boite))
        return true;
    // Most places are plainly inside or far away: the outline's frame, widened
    // by the distance with room for the scale's change over it, tells first.
    const QPointF point = Sur_Carte(p);
    const double km_par_unite = Distance_km(p, Du_Point(point + QPointF(1, 0)));
    const double marge = 1.25 * ecart_km / km_par_unite;
    if (!Formes_France().forme[size_t(boite)].boundingRect().adjusted(-marge, -marge, marge, marge).contains(point))
        return false;
    return *Ecart_Departement_km(p, boite) <= ecart_km;
}

} // namespace Geo
