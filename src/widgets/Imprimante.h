#pragma once

#include "Resultat.h"

#include <QStringList>
#include <functional>

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

// Draws the lines one below the other in a fixed-pitch bold 10-point font,
// going on at the top of a new page (`page_suivante`) when one is full.
Sous_Programmes::Statut Imprime_Lignes(QPaintDevice &feuille, const std::function<bool()> &page_suivante,
                                       const QStringList &lignes);

// The print command: the dialog, then the lines, unless it is cancelled.
Sous_Programmes::Statut Imprime(QWidget *parent, const QStringList &lignes);

// One page drawn by `dessin` in the page's rectangle.
using Dessin = std::function<void(QPainter &peintre, const QRect &page)>;
Sous_Programmes::Statut Imprime_Dessin(QPaintDevice &feuille, const Dessin &dessin);
// The print command for one landscape page.
Sous_Programmes::Statut Imprime_Paysage(QWidget *parent, const Dessin &dessin);

} // namespace Impression
