#include "Icone.h"

#include <QPixmap>
#include <QResource>

#include <cstring>

namespace Icone {

QImage Image(int taille)
{
    // tools/icones wrote the sizes in the order of Tailles, every pixel a
    // little-endian word of premultiplied ARGB.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the icon's pixels are copied as they were written");
    const QResource pixels(QStringLiteral(":/icone/moulin.argb"));
    qsizetype debut = -1, total = 0;
    for (int t : Tailles) {
        if (t == taille)
            debut = total;
        total += qsizetype(4) * t * t;
    }
    if (debut < 0 || pixels.compressionAlgorithm() != QResource::NoCompression || pixels.size() != total)
        return {};
    QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
    std::memcpy(image.bits(), pixels.data() + debut, size_t(4) * taille * taille);
    return image;
}

QIcon Moulin()
{
    QIcon icone;
    for (int taille : Tailles)
        icone.addPixmap(QPixmap::fromImage(Image(taille)));
    return icone;
}

} // namespace Icone
