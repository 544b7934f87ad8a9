#pragma once

#include "Calculs_Graphique.h"

class QFont;
class QPainter;
class QPaintDevice;

namespace Graphiques {

// The chart in `zone`, drawn straight onto the painter's device at its own
// resolution (screen, image or printer alike): `echelle` device pixels for
// each pixel at 96 dpi, the texts in `police` so enlarged. `survol`, the
// place pointed at, is marked; -1 for none. Gives where the values went.
Repere Dessine(QPainter &peintre, const QRectF &zone, const Contenu &contenu, qreal echelle, const QFont &police,
               int survol = -1);
// The same places without drawing: where the pointer is.
Repere Place_Des_Valeurs(const QRectF &zone, const Contenu &contenu, qreal echelle, const QFont &police,
                         const QPaintDevice *appareil);

} // namespace Graphiques
