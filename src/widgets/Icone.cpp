#include "Icone.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <vector>

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
    for (int taille : Tailles)
        icone.addPixmap(QPixmap::fromImage(Image(taille)));
    return icone;
}

namespace {

void Mot(QByteArray &o, quint16 v) { o.append(char(v & 0xFF)).append(char(v >> 8)); }
void Double_Mot(QByteArray &o, quint32 v)
{
    Mot(o, quint16(v & 0xFFFF));
    Mot(o, quint16(v >> 16));
}

// A size as Windows has always read icons: a 32-bit bitmap, bottom row
// first, then the mask of its transparent pixels.
QByteArray Bitmap_Icone(const QImage &dessin)
{
    const QImage image = dessin.convertToFormat(QImage::Format_ARGB32);
    const int t = image.width();
    QByteArray o;
    Double_Mot(o, 40);
    Double_Mot(o, quint32(t));
    Double_Mot(o, quint32(2 * t)); // the colours and the mask, one above the other
    Mot(o, 1);
    Mot(o, 32);
    for (int i = 0; i < 6; ++i)
        Double_Mot(o, 0);
    for (int y = t - 1; y >= 0; --y)
        for (int x = 0; x < t; ++x)
            Double_Mot(o, image.pixel(x, y)); // BGRA in memory, as Windows wants it
    const int octets_ligne = ((t + 31) / 32) * 4;
    for (int y = t - 1; y >= 0; --y) {
        QByteArray ligne(octets_ligne, '\0');
        for (int x = 0; x < t; ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                ligne[x / 8] = char(ligne[x / 8] | (0x80 >> (x % 8)));
        o += ligne;
    }
    return o;
}

QByteArray Png(const QImage &image)
{
    QByteArray png;
    QBuffer tampon(&png);
    tampon.open(QIODevice::WriteOnly);
    if (!image.save(&tampon, "PNG"))
        return {};
    return png;
}

} // namespace

QByteArray Fichier_Ico()
{
    // The largest as a PNG, as Windows takes it since Vista; the others as
    // bitmaps, which every reader of icons picks by their exact size.
    std::vector<QByteArray> images;
    for (int taille : Tailles) {
        images.push_back(taille >= 256 ? Png(Image(taille)) : Bitmap_Icone(Image(taille)));
        if (images.back().isEmpty())
            return {};
    }
    QByteArray ico;
    Mot(ico, 0);
    Mot(ico, 1); // an icon, not a cursor
    Mot(ico, quint16(images.size()));
    quint32 position = quint32(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int taille = Tailles[i];
        // 256 is written 0: the field is one byte.
        ico.append(char(taille & 0xFF)).append(char(taille & 0xFF));
        ico.append(char(0)).append(char(0)); // no palette
        Mot(ico, 1);
        Mot(ico, 32);
        Double_Mot(ico, quint32(images[i].size()));
        Double_Mot(ico, position);
        position += quint32(images[i].size());
    }
    for (const QByteArray &image : images)
        ico += image;
    return ico;
}

} // namespace Icone
