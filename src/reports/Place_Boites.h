#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

// Where boxes of one size stand so that none covers another: each starts
// centred on its anchor and is pushed away from the boxes it covers, its
// centre kept inside its zone. `ecart` is the least gap left between two
// boxes; `limites` holds every box whole.
std::vector<QPointF> Ecarte_Boites(const std::vector<QPointF> &ancres, const std::vector<QRectF> &zones, QSizeF taille,
                                   const QRectF &limites, qreal ecart = 1);

// True when two boxes of `taille` centred on `a` and `b` leave at least `ecart` between them.
bool Boites_Separees(QPointF a, QPointF b, QSizeF taille, qreal ecart = 1);
