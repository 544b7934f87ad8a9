#include "Autour.h"

#include "Projection.h"
#include "Texte.h"

#include <QXmlStreamWriter>
#include <algorithm>

namespace Moulins {

namespace {

using Sous_Programmes::Nombre;

QString Etat_Minuscule(const Etat_Moulin &e)
{
    QString t = Texte_Etat(e);
    t[0] = t[0].toLower();
    return t;
}

} // namespace

bool Montre(Filtre f, Etat e)
{
    switch (f) {
    case Filtre::Tous: return true;
    case Filtre::Restants: return e == Etat::Restant;
    case Filtre::Contactes: return e == Etat::Contacte;
    case Filtre::En_Attente: return e == Etat::En_Attente;
    }
    return false;
}

Points_Carte Place_Moulins(const Liste &liste, const Restants &restants)
{
    Points_Carte c;
    c.moulins = liste.taille();
    for (qsizetype i = 0; i < liste.taille(); ++i) {
        if (const auto p = liste.Position(liste[i]))
            c.points.push_back({qint32(i), Etat_De(restants, i).etat, *p, Geo::Sur_Carte(*p)});
    }
    return c;
}

std::vector<Proche> Moulins_Proches(const Points_Carte &points, Filtre filtre, const std::optional<Geo::Position> &origine,
                                    double rayon_km)
{
    std::vector<Proche> proches;
    for (size_t i = 0; i < points.points.size(); ++i) {
        const Point_Carte &p = points.points[i];
        if (!Montre(filtre, p.etat))
            continue;
        Proche proche{qint32(i)};
        if (origine) {
            proche.distance_km = Geo::Distance_km(*origine, p.position);
            if (rayon_km > 0 && proche.distance_km > rayon_km)
                continue;
        }
        proches.push_back(proche);
    }
    if (origine)
        std::sort(proches.begin(), proches.end(), [](const Proche &a, const Proche &b) {
            return a.distance_km < b.distance_km || (a.distance_km == b.distance_km && a.point < b.point);
        });
    return proches;
}

QString Texte_Compte(const Points_Carte &points)
{
    if (points.moulins == 0)
        return QStringLiteral("Aucune liste des moulins n'est gardée.");
    const qsizetype avec = qsizetype(points.points.size()), sans = points.sans_position();
    QString texte = (avec > 1 ? QStringLiteral("%1 moulins sur %2 ont des coordonnées") : QStringLiteral("%1 moulin sur %2 a des coordonnées"))
                        .arg(Nombre(avec), Nombre(points.moulins));
    if (sans)
        texte += (sans > 1 ? QStringLiteral(" ; %1 sans coordonnées ne sont pas sur la carte")
                           : QStringLiteral(" ; %1 sans coordonnées n'est pas sur la carte"))
                     .arg(Nombre(sans));
    return texte;
}

QString Texte_Point(const Liste &liste, const Restants &restants, const Point_Carte &p,
                    const std::optional<Geo::Position> &origine)
{
    const Moulin &m = liste[p.rang];
    QString texte = QString::fromLatin1(m.Numero()) + u' ' + liste.Designation(m) + QStringLiteral(" : ") +
                    Etat_Minuscule(Etat_De(restants, p.rang));
    if (origine)
        texte += QStringLiteral(", ") + Geo::Texte_Distance(*origine, p.position);
    return texte;
}

QByteArray Texte_GPX(const Liste &liste, const Restants &restants, const Points_Carte &points,
                     const std::vector<Proche> &proches)
{
    QByteArray gpx;
    QXmlStreamWriter x(&gpx);
    x.setAutoFormatting(true);
    x.writeStartDocument();
    x.writeStartElement(QStringLiteral("gpx"));
    x.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
    x.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    x.writeAttribute(QStringLiteral("creator"), QStringLiteral("KOB_Dezudidar_ERI"));
    for (const Proche &proche : proches) {
        const Point_Carte &p = points.points[size_t(proche.point)];
        const Moulin &m = liste[p.rang];
        x.writeStartElement(QStringLiteral("wpt"));
        x.writeAttribute(QStringLiteral("lat"), QString::number(p.position.latitude, 'f', 6));
        x.writeAttribute(QStringLiteral("lon"), QString::number(p.position.longitude, 'f', 6));
        x.writeTextElement(QStringLiteral("name"), (QString::fromLatin1(m.Numero()) + u' ' + liste.Chaine(m.nom)).trimmed());
        QString commune = liste.Chaine(m.commune);
        commune += (commune.isEmpty() ? QStringLiteral("(%1)") : QStringLiteral(" (%1)")).arg(QString::fromLatin1(m.Departement()));
        x.writeTextElement(QStringLiteral("desc"), commune + QStringLiteral(", ") + Etat_Minuscule(Etat_De(restants, p.rang)));
        x.writeEndElement();
    }
    x.writeEndElement();
    x.writeEndDocument();
    return gpx;
}

} // namespace Moulins
