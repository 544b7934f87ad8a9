// Draws the program's icon, a windmill, from its one source, the SVG image
// given first, at each size the program uses:
//   icones SVG DOSSIER            PNG files laid out as icon themes want
//                                 them: DOSSIER/48x48/apps/kob-dezudidar-eri.png
//   icones SVG --ico FICHIER      one Windows icon file, for the executable
//   icones SVG --pixels FICHIER   the bare pixels of every size, one after
//                                 the other, for the program's resources
// Run on the build machine only: the program shows the pixels as they are,
// with neither Qt Svg nor an image plugin.
#include "Icone.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <vector>

namespace {

QImage Dessin(QSvgRenderer &svg, int taille)
{
    QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    svg.render(&peintre);
    return image;
}

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

// The largest as a PNG, as Windows takes it since Vista; the others as
// bitmaps, which every reader of icons picks by their exact size.
QByteArray Fichier_Ico(const std::vector<QImage> &dessins)
{
    std::vector<QByteArray> images;
    for (const QImage &dessin : dessins) {
        images.push_back(dessin.width() >= 256 ? Png(dessin) : Bitmap_Icone(dessin));
        if (images.back().isEmpty())
            return {};
    }
    QByteArray ico;
    Mot(ico, 0);
    Mot(ico, 1); // an icon, not a cursor
    Mot(ico, quint16(images.size()));
    quint32 position = quint32(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int taille = dessins[i].width();
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

// Every pixel as a little-endian word, premultiplied ARGB, as Icone::Image
// reads them back.
QByteArray Pixels(const std::vector<QImage> &dessins)
{
    QByteArray o;
    for (const QImage &dessin : dessins)
        for (int y = 0; y < dessin.height(); ++y)
            for (int x = 0; x < dessin.width(); ++x)
                Double_Mot(o, reinterpret_cast<const quint32 *>(dessin.constScanLine(y))[x]);
    return o;
}

bool Ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    return !octets.isEmpty() && f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size() && f.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QByteArray choix = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    if (argc < 3 || ((choix == "--ico" || choix == "--pixels") && argc < 4)) {
        std::fprintf(stderr, "usage : icones IMAGE.svg DOSSIER | icones IMAGE.svg --ico FICHIER.ico | icones IMAGE.svg --pixels FICHIER\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "image SVG illisible : %s\n", argv[1]);
        return 1;
    }
    std::vector<QImage> dessins;
    for (int taille : Icone::Tailles)
        dessins.push_back(Dessin(svg, taille));

    if (choix == "--ico" || choix == "--pixels") {
        const QByteArray octets = choix == "--ico" ? Fichier_Ico(dessins) : Pixels(dessins);
        if (!Ecrit(QString::fromLocal8Bit(argv[3]), octets)) {
            std::fprintf(stderr, "impossible d'écrire %s\n", argv[3]);
            return 1;
        }
        return 0;
    }
    const QDir racine(QString::fromLocal8Bit(argv[2]));
    for (const QImage &dessin : dessins) {
        const QString dossier = racine.filePath(QStringLiteral("%1x%1/apps").arg(dessin.width()));
        if (!QDir().mkpath(dossier) || !dessin.save(QDir(dossier).filePath(QStringLiteral("kob-dezudidar-eri.png")))) {
            std::fprintf(stderr, "impossible d'écrire l'icône dans %s\n", qPrintable(dossier));
            return 1;
        }
    }
    return 0;
}
