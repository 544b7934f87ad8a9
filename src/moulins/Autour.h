#pragma once

#include "Locator.h"
#include "Restants.h"

#include <QPointF>
#include <optional>
#include <vector>

// The mills of the list placed on the map and around a point.
namespace Moulins {

// As the map's filter offers them.
enum class Filtre : quint8 { Restants, Tous, Contactes, En_Attente };
bool Montre(Filtre f, Etat e);

struct Point_Carte {
    qint32 rang = 0; // in the list
    Etat etat = Etat::Restant;
    Geo::Position position;
    QPointF point; // on the outlines
};

struct Points_Carte {
    std::vector<Point_Carte> points; // in the order of numbers
    qsizetype moulins = 0;           // the whole list
    qsizetype sans_position() const { return moulins - qsizetype(points.size()); }
};

// Each mill whose position lies in metropolitan France or Corsica.
Points_Carte Place_Moulins(const Liste &liste, const Restants &restants);

struct Proche {
    qint32 point = 0; // in Points_Carte::points
    double distance_km = 0;
};

// The points the filter shows, nearest first from `origine` and within
// `rayon_km` of it (0: no limit); without an origin, in the order of numbers.
std::vector<Proche> Moulins_Proches(const Points_Carte &points, Filtre filtre, const std::optional<Geo::Position> &origine,
                                    double rayon_km);

// "1 402 moulins sur 1 530 ont des coordonnées ; 128 sans coordonnées ne sont pas sur la carte".
QString Texte_Compte(const Points_Carte &points);
// "21003 Moulin Neuf, Beaune (21) : restant, 42 km, azimut 118°"; without
// an origin, no distance.
QString Texte_Point(const Liste &liste, const Restants &restants, const Point_Carte &p,
                    const std::optional<Geo::Position> &origine);

// A GPX 1.1 file, UTF-8, one waypoint a mill: its number and name, its
// commune, département and state.
QByteArray Texte_GPX(const Liste &liste, const Restants &restants, const Points_Carte &points,
                     const std::vector<Proche> &proches);

} // namespace Moulins
