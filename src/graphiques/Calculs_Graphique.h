#pragma once

#include <QColor>
#include <QDate>
#include <QLocale>
#include <QRectF>
#include <QString>

#include <vector>

// The program's own charts: what they show, the ticks, where each value
// goes, and what is said of them, without any painting.
namespace Graphiques {

enum class Forme {
    Courbes_Jours, // a line by steps per series over the days of a leap year (0 = 1 January)
    Barres_Mois,   // the series stacked, one bar per month
};
inline constexpr int Jours = 366;
// The places along the bottom: the days or the months.
int Places(Forme forme);

// How a value is said: "1 point", "22 points", "0 en attente".
struct Unite {
    QString un, plusieurs;
    QString Dit(double valeur) const;
};

struct Serie {
    QString nom;
    QColor couleur;
    qreal epaisseur = 1.5; // of its line, in pixels at 96 dpi
    Unite unite;
    std::vector<double> valeurs; // one per day or month; a curve may stop before the year's end
    int annee = 0;               // of a curve: the year whose dates its days are
};

struct Contenu {
    Forme forme = Forme::Courbes_Jours;
    QString titre;
    QString nom_valeurs;       // the title of the values' axis
    std::vector<Serie> series; // in the legend's order; the first drawn over the others, the bars from the bottom
};

// The highest point of the chart: the highest value or the highest stack.
double Maximum(const Contenu &contenu);

// Ticks from 0 up: a step of 1, 2 or 5 times a power of ten, the smallest
// that covers `maximum` within `intervalles`; 0 to 1 when all is 0.
struct Graduations {
    double pas = 1, haut = 1;
    int nombre() const { return qRound(haut / pas); }
};
Graduations Graduations_Rondes(double maximum, int intervalles);
// A value as the axes and the texts show it, in French: "12 500".
QString Nombre(double valeur);

// Where the values go: each place a slot of equal width in `trace`, the
// values from 0 at the bottom to `haut` at the top.
struct Repere {
    Forme forme = Forme::Courbes_Jours;
    QRectF trace;
    double haut = 1;

    double Largeur_Place() const { return trace.width() / Places(forme); }
    double Debut(int place) const { return trace.left() + place * Largeur_Place(); }
    double X(int place) const { return Debut(place) + Largeur_Place() / 2; }
    double Y(double valeur) const { return trace.bottom() - trace.height() * valeur / haut; }
    // The day or month under `x`, the nearest one beyond the ends.
    int Place(double x) const;
};

// Of the days' axis: the first day of each month (0 to 11), and the date of a
// day in `annee` (29 February of a common year is its 28th).
int Premier_Jour(int mois);
QDate Date_Du_Jour(int annee, int jour);

// The place's name: "15 mars", "mars".
QString Nom_Place(Forme forme, int place);
// A month's name standing alone, January being 0: "janvier", "janv.".
QString Nom_Mois(int mois, QLocale::FormatType format);
// What pointing at a place shows: its name, then each series' value there.
QString Texte_Info_Bulle(const Contenu &contenu, int place);
// What a screen reader is told: each curve's last value and its date, or
// each month's stack.
QString Description(const Contenu &contenu);

} // namespace Graphiques
