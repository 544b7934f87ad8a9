#pragma once

#include "Locator.h"

#include <QPointF>

// Where places fall on the départements' outlines (Formes_France).
namespace Geo {

// A place's point in the outlines' own coordinates, and back.
QPointF Sur_Carte(const Position &p);
Position Du_Point(QPointF point);

// How far a place lies outside the outline of a map box (1 to 95, 96 for 2A,
// 97 for 2B), in km; 0 inside it; none for a box without an outline.
std::optional<double> Ecart_Departement_km(const Position &p, int boite);
// Whether a place lies inside that outline or within `ecart_km` of it; true
// for a box without an outline.
bool Pres_Du_Departement(const Position &p, int boite, double ecart_km);

} // namespace Geo
