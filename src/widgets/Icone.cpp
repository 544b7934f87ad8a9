#include "Icone.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace Icone {

void Dessine_Moulin(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QColor brun(0x5B4630);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xCFE8FF));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    QPainterPath sol(QPointF(2, 50));
    sol.lineTo(62, 50);
    sol.quadTo(62, 62, 50, 62);
    sol.lineTo(14, 62);
    sol.quadTo(2, 62, 2, 50);
    p.setBrush(QColor(0x6AA84F));
    p.drawPath(sol);

    QPen trait(brun, 1.5);
    trait.setJoinStyle(Qt::RoundJoin);
    p.setPen(trait);
    p.setBrush(QColor(0xF3E6C8));
    p.drawPolygon(QPolygonF({{24, 57}, {27, 28}, {37, 28}, {40, 57}}));
    p.setBrush(QColor(0xB5562D));
    p.drawPolygon(QPolygonF({{25, 29}, {32, 18}, {39, 29}}));
    QPainterPath porte(QPointF(30, 57));
    porte.lineTo(30, 51);
    porte.arcTo(QRectF(30, 49, 4, 4), 180, -180);
    porte.lineTo(34, 57);
    porte.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(brun);
    p.drawPath(porte);

    p.setPen(QPen(brun, 1.2));
    p.setBrush(Qt::white);
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(32, 24);
        p.rotate(20 + 90 * i);
        p.translate(-32, -24);
        p.drawRect(QRectF(30, 5, 4, 17));
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(brun);
    p.drawEllipse(QPointF(32, 24), 2.5, 2.5);
}

QImage Image(int taille)
{
    QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(taille / 64.0, taille / 64.0);
    Dessine_Moulin(p);
    return image;
}

QIcon Moulin()
{
    QIcon icone;
    for (int taille : {16, 24, 32, 48, 64, 128, 256})
        icone.addPixmap(QPixmap::fromImage(Image(taille)));
    return icone;
}

} // namespace Icone
