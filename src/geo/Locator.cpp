#include "Locator.h"

#include <QtMath>

#include <charconv>
#include <cmath>

namespace Geo {

namespace {

// Mean radius of the Earth, as amateur-radio distances are given.
constexpr double Rayon_Terre_km = 6371.0;

// A character's place from `premier` when it is one of the `nombre` that
// follow it, any case; -1 otherwise. ASCII only: no other letter becomes one.
int Valeur(QChar c, char premier, int nombre)
{
    if (c.unicode() > 0x7F)
        return -1;
    const char16_t u = c.toUpper().unicode();
    const int v = int(u) - QChar(QLatin1Char(premier)).toUpper().unicode();
    return v >= 0 && v < nombre ? v : -1;
}

} // namespace

std::optional<QString> Forme_Locator(QStringView texte)
{
    const qsizetype n = texte.size();
    if (n != 4 && n != 6 && n != 8)
        return std::nullopt;
    // Fields A-R, squares 0-9, subsquares A-X, extended squares 0-9.
    static const struct {
        char premier;
        int nombre;
    } paires[] = {{'A', 18}, {'0', 10}, {'A', 24}, {'0', 10}};
    QString forme;
    for (qsizetype i = 0; i < n; ++i) {
        const auto &p = paires[i / 2];
        if (Valeur(texte[i], p.premier, p.nombre) < 0)
            return std::nullopt;
        forme += i < 4 ? texte[i].toUpper() : texte[i].toLower();
    }
    return forme;
}

std::optional<Position> Centre_Locator(QStringView texte)
{
    const auto forme = Forme_Locator(texte);
    if (!forme)
        return std::nullopt;
    const QString &t = *forme;
    double longitude = Valeur(t[0], 'A', 18) * 20.0 - 180.0 + Valeur(t[2], '0', 10) * 2.0;
    double latitude = Valeur(t[1], 'A', 18) * 10.0 - 90.0 + Valeur(t[3], '0', 10) * 1.0;
    double largeur = 2.0, hauteur = 1.0;
    if (t.size() >= 6) {
        largeur /= 24;
        hauteur /= 24;
        longitude += Valeur(t[4], 'A', 24) * largeur;
        latitude += Valeur(t[5], 'A', 24) * hauteur;
    }
    if (t.size() == 8) {
        largeur /= 10;
        hauteur /= 10;
        longitude += Valeur(t[6], '0', 10) * largeur;
        latitude += Valeur(t[7], '0', 10) * hauteur;
    }
    return Position{latitude + hauteur / 2, longitude + largeur / 2};
}

QString Refus_Locator(const QString &texte)
{
    if (texte.isEmpty() || Forme_Locator(texte))
        return {};
    return QStringLiteral("Le locator %1 n'est pas valable : 4, 6 ou 8 caractères, par exemple JN18du").arg(texte);
}

std::optional<Position> Position_Lue(QByteArrayView latitude, QByteArrayView longitude)
{
    auto degres = [](QByteArrayView t) -> std::optional<double> {
        t = t.trimmed();
        char chiffres[32];
        if (t.isEmpty() || t.size() >= qsizetype(sizeof chiffres))
            return std::nullopt;
        for (qsizetype i = 0; i < t.size(); ++i)
            chiffres[i] = t[i] == ',' ? '.' : t[i];
        const char *debut = chiffres + (chiffres[0] == '+' && t.size() > 1 && chiffres[1] != '-');
        double v = 0;
        const auto [fin, erreur] = std::from_chars(debut, chiffres + t.size(), v);
        if (erreur != std::errc() || fin != chiffres + t.size() || !std::isfinite(v))
            return std::nullopt;
        return v;
    };
    const auto lat = degres(latitude), lon = degres(longitude);
    if (!lat || !lon || qAbs(*lat) > 90 || qAbs(*lon) > 180)
        return std::nullopt;
    return Position{*lat, *lon};
}

bool En_France(const Position &p) { return p.latitude >= 41.0 && p.latitude <= 51.5 && p.longitude >= -5.5 && p.longitude <= 10.0; }

double Distance_km(const Position &de, const Position &vers)
{
    const double phi1 = qDegreesToRadians(de.latitude), phi2 = qDegreesToRadians(vers.latitude);
    const double dphi = phi2 - phi1, dlambda = qDegreesToRadians(vers.longitude - de.longitude);
    // Haversine: exact for the short distances as for the long ones.
    const double h = std::sin(dphi / 2) * std::sin(dphi / 2) + std::cos(phi1) * std::cos(phi2) * std::sin(dlambda / 2) * std::sin(dlambda / 2);
    return 2 * Rayon_Terre_km * std::asin(std::min(1.0, std::sqrt(h)));
}

double Azimut(const Position &de, const Position &vers)
{
    const double phi1 = qDegreesToRadians(de.latitude), phi2 = qDegreesToRadians(vers.latitude);
    const double dlambda = qDegreesToRadians(vers.longitude - de.longitude);
    const double y = std::sin(dlambda) * std::cos(phi2);
    const double x = std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(dlambda);
    const double a = qRadiansToDegrees(std::atan2(y, x));
    return a < 0 ? a + 360 : a;
}

QString Texte_Distance(const Position &de, const Position &vers)
{
    const int azimut = qRound(Azimut(de, vers)) % 360;
    return QStringLiteral("%1 km, azimut %2°").arg(qRound(Distance_km(de, vers))).arg(azimut);
}

} // namespace Geo
