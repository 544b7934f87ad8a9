#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// Places on the Earth, in decimal degrees (north and east positive).
namespace Geo {

struct Position {
    double latitude = 0;
    double longitude = 0;
    bool operator==(const Position &) const = default;
};

// A Maidenhead locator of 4, 6 or 8 characters ("JN18", "JN18du",
// "JN18du45"), any case, as it is written: "JN18du". None for any other text.
std::optional<QString> Forme_Locator(QStringView texte);
// The centre of its square.
std::optional<Position> Centre_Locator(QStringView texte);
// Why the text is no locator, quoting it; empty when it is one, or empty.
QString Refus_Locator(const QString &texte);

// Decimal degrees, with a point or a comma, of any place on the Earth.
std::optional<Position> Position_Lue(QByteArrayView latitude, QByteArrayView longitude);
// Metropolitan France and Corsica: latitude 41 to 51.5, longitude -5.5 to 10.
bool En_France(const Position &p);

// On the sphere (great circle), in km.
double Distance_km(const Position &de, const Position &vers);
// The initial bearing from true north, 0 to 360 degrees.
double Azimut(const Position &de, const Position &vers);
// "42 km, azimut 118°".
QString Texte_Distance(const Position &de, const Position &vers);

} // namespace Geo
