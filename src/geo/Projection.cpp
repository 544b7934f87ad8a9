#include "Projection.h"

#include "Formes_Carte.h"

#include <QTransform>
#include <QtMath>

namespace Geo {

namespace {

// The outlines are drawn in Mercator. The map's own frame was fitted once on
// the prefectures, each set at least 150 m inside its département; border
// towns then fall within 3 km of theirs.
const QTransform &Vers_Carte()
{
    static const QTransform t(41.692123, -0.048745, 0.262058, -41.442799, 201.162639, 2470.787251);
    return t;
}

double Mercator(double latitude) { return qRadiansToDegrees(std::log(std::tan(M_PI / 4 + qDegreesToRadians(latitude) / 2))); }
double Latitude(double mercator) { return qRadiansToDegrees(2 * std::atan(std::exp(qDegreesToRadians(mercator))) - M_PI / 2); }

QPointF Plus_Proche(QPointF a, QPointF b, QPointF p)
{
    const QPointF d = b - a;
    const double l = QPointF::dotProduct(d, d);
    const double t = l == 0 ? 0 : std::clamp(QPointF::dotProduct(p - a, d) / l, 0.0, 1.0);
    return a + t * d;
}

} // namespace

QPointF Sur_Carte(const Position &p) { return Vers_Carte().map(QPointF(p.longitude, Mercator(p.latitude))); }

Position Du_Point(QPointF point)
{
    const QPointF m = Vers_Carte().inverted().map(point);
    return {Latitude(m.y()), m.x()};
}

std::optional<double> Ecart_Departement_km(const Position &p, int boite)
{
    const Formes_Carte &formes = Formes_France();
    if (boite < 0 || boite >= int(formes.forme.size()) || formes.forme[size_t(boite)].isEmpty())
        return std::nullopt;
    const QPainterPath &forme = formes.forme[size_t(boite)];
    const QPointF point = Sur_Carte(p);
    if (forme.contains(point))
        return 0.0;
    // The outlines are straight lines only: the nearest of their points lies on one of them.
    QPointF proche, debut, precedent;
    double meilleur = std::numeric_limits<double>::max();
    auto essaie = [&](QPointF a, QPointF b) {
        const QPointF q = Plus_Proche(a, b, point);
        const double d = QPointF::dotProduct(q - point, q - point);
        if (d < meilleur) {
            meilleur = d;
            proche = q;
        }
    };
    for (int i = 0; i < forme.elementCount(); ++i) {
        const QPainterPath::Element e = forme.elementAt(i);
        if (e.isMoveTo()) {
            if (i > 0)
                essaie(precedent, debut);
            debut = precedent = e;
            continue;
        }
        essaie(precedent, e);
        precedent = e;
    }
    essaie(precedent, debut);
    return Distance_km(p, Du_Point(proche));
}

} // namespace Geo
