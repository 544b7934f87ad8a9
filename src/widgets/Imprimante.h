#pragma once

#include "Resultat.h"

#include <QStringList>
#include <functional>

class QFont;
class QFontMetrics;
class QPainter;
class QRect;
class QPaintDevice;
class QPrinter;
class QWidget;

// Printing, the same way for every window: the printer chosen in the print
// dialog, kept from one print to the next.
namespace Impression {

// Who chooses the printer: the print dialog, unless a test answers instead.
// False when the operator cancels.
using Choix = std::function<bool(QPrinter &imprimante, QWidget *parent)>;
void Installe_Choix(Choix choix);

// Lines, on paper and on screen: a fixed-pitch bold 10-point font.
QFont Police_Lignes();
// How many lines a page of that height holds: one at least.
qsizetype Lignes_Par_Page(const QFontMetrics &mesure, int hauteur);
// The lines [de, a) one below the other from `haut`, as every printing draws them.
void Dessine_Lignes(QPainter &p, const QStringList &lignes, qsizetype de, qsizetype a, int haut);

// Draws the lines one below the other in a fixed-pitch bold 10-point font,
// going on at the top of a new page (`page_suivante`) when one is full.
// `avance`, when given, is told of each page and stops the drawing when it
// says false.
Sous_Programmes::Statut Imprime_Lignes(QPaintDevice &feuille, const std::function<bool()> &page_suivante,
                                       const QStringList &lignes, const std::function<bool(qint64 fait, qint64 total)> &avance = {});

// The print command: the dialog, then the lines, unless it is cancelled;
// `imprime`, when given, says whether they went to the printer.
Sous_Programmes::Statut Imprime(QWidget *parent, const QStringList &lignes, bool *imprime = nullptr);

// One page drawn by `dessin` in the page's rectangle.
using Dessin = std::function<void(QPainter &peintre, const QRect &page)>;
Sous_Programmes::Statut Imprime_Dessin(QPaintDevice &feuille, const Dessin &dessin);
// The print command for one landscape page.
Sous_Programmes::Statut Imprime_Paysage(QWidget *parent, const Dessin &dessin);

} // namespace Impression
