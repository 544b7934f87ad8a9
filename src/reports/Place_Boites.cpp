#include "Place_Boites.h"

#include <QtGlobal>
#include <cmath>

bool Boites_Separees(QPointF a, QPointF b, QSizeF taille, qreal ecart)
{
    return std::abs(a.x() - b.x()) >= taille.width() + ecart || std::abs(a.y() - b.y()) >= taille.height() + ecart;
}

std::vector<QPointF> Ecarte_Boites(const std::vector<QPointF> &ancres, const std::vector<QRectF> &zones, QSizeF taille,
                                   const QRectF &limites, qreal ecart)
{
    std::vector<QPointF> c = ancres;
    const size_t n = c.size();
    const QRectF centres_possibles = limites.adjusted(taille.width() / 2, taille.height() / 2, -taille.width() / 2,
                                                      -taille.height() / 2);
    auto borne = [&](size_t i, bool dans_la_zone) {
        QRectF permis = centres_possibles;
        if (dans_la_zone)
            permis &= zones[i];
        if (permis.isEmpty())
            permis = centres_possibles;
        c[i].setX(qBound(permis.left(), c[i].x(), permis.right()));
        c[i].setY(qBound(permis.top(), c[i].y(), permis.bottom()));
    };
    // First within the zones; what is still covered may then leave them.
    for (const bool dans_la_zone : {true, false}) {
        for (int tour = 0; tour < 2000; ++tour) {
            bool bouge = false;
            for (size_t i = 0; i < n; ++i) {
                for (size_t j = i + 1; j < n; ++j) {
                    if (Boites_Separees(c[i], c[j], taille, ecart))
                        continue;
                    bouge = true;
                    const qreal dx = c[j].x() - c[i].x();
                    const qreal dy = c[j].y() - c[i].y();
                    const qreal ox = taille.width() + ecart - std::abs(dx);
                    const qreal oy = taille.height() + ecart - std::abs(dy);
                    // Along the axis that needs the smaller move, half each.
                    if (ox / taille.width() < oy / taille.height()) {
                        const qreal s = dx > 0 || (dx == 0 && i < j) ? 1 : -1;
                        c[i].rx() -= s * (ox / 2 + 0.25);
                        c[j].rx() += s * (ox / 2 + 0.25);
                    } else {
                        const qreal s = dy > 0 || (dy == 0 && i < j) ? 1 : -1;
                        c[i].ry() -= s * (oy / 2 + 0.25);
                        c[j].ry() += s * (oy / 2 + 0.25);
                    }
                    borne(i, dans_la_zone);
                    borne(j, dans_la_zone);
                }
            }
            if (!bouge)
                return c;
        }
    }
    return c;
}
