// The program's icon, drawn from its SVG when the program was built: the
// window's at each size, and the same in the executable's icon file.
#include "Icone.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

class Tst_Icone : public QObject {
    Q_OBJECT

private slots:
    void Chaque_Taille_Dessinee();
    void Chaque_Taille_Dans_Le_Fichier();
    void Lu_Par_Un_Lecteur_D_Icones();
};

namespace {

// The icon file made for the executable.
QByteArray Fichier_Ico()
{
    QFile f(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(ICO_RELATIF)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

quint16 Mot(const QByteArray &o, qsizetype i) { return qFromLittleEndian<quint16>(o.constData() + i); }
quint32 Double_Mot(const QByteArray &o, qsizetype i) { return qFromLittleEndian<quint32>(o.constData() + i); }

// An entry's image: a PNG, or a 32-bit bitmap bottom row first whose mask
// marks exactly its transparent pixels.
QImage Image_Entree(const QByteArray &o, int taille)
{
    if (o.startsWith("\x89PNG"))
        return QImage::fromData(o, "PNG").convertToFormat(QImage::Format_ARGB32);
    if (o.size() < 40 || Double_Mot(o, 0) != 40 || Double_Mot(o, 4) != quint32(taille) || Double_Mot(o, 8) != quint32(2 * taille)
        || Mot(o, 14) != 32)
        return {};
    const int octets_ligne = ((taille + 31) / 32) * 4;
    if (o.size() != 40 + 4 * taille * taille + octets_ligne * taille)
        return {};
    QImage image(taille, taille, QImage::Format_ARGB32);
    const qsizetype masque = 40 + 4 * taille * taille;
    for (int y = 0; y < taille; ++y)
        for (int x = 0; x < taille; ++x) {
            const QRgb p = Double_Mot(o, 40 + 4 * ((taille - 1 - y) * taille + x));
            const bool transparent = quint8(o[masque + (taille - 1 - y) * octets_ligne + x / 8]) & (0x80 >> (x % 8));
            if (transparent != (qAlpha(p) == 0))
                return {};
            image.setPixel(x, y, p);
        }
    return image;
}

} // namespace

// Each size is the mill on its sky: opaque inside, transparent in the
// rounded corners.
void Tst_Icone::Chaque_Taille_Dessinee()
{
    QList<QSize> tailles;
    for (int taille : Icone::Tailles) {
        const QImage image = Icone::Image(taille);
        QCOMPARE(image.size(), QSize(taille, taille));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(taille / 2, taille / 8)), 255);
        tailles << image.size();
    }
    const QImage image = Icone::Image(64);
    QCOMPARE(image.pixel(10, 10) & 0xFFFFFF, 0xCFE8FFu); // the sky
    QCOMPARE(image.pixel(32, 24) & 0xFFFFFF, 0x5B4630u); // the hub
    QVERIFY(Icone::Image(20).isNull());
    QList<QSize> offertes = Icone::Moulin().availableSizes();
    std::sort(offertes.begin(), offertes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    QCOMPARE(offertes, tailles);
}

// The directory names each size once, each entry points at its own bytes,
// and those bytes are the window's icon at that size.
void Tst_Icone::Chaque_Taille_Dans_Le_Fichier()
{
    const QByteArray ico = Fichier_Ico();
    QVERIFY(ico.size() > 6);
    QCOMPARE(Mot(ico, 0), quint16(0));
    QCOMPARE(Mot(ico, 2), quint16(1));
    const int nombre = Mot(ico, 4);
    QCOMPARE(nombre, int(std::size(Icone::Tailles)));
    quint32 attendu = quint32(6 + 16 * nombre);
    for (int i = 0; i < nombre; ++i) {
        const qsizetype entree = 6 + 16 * i;
        const int largeur = quint8(ico[entree]) ? quint8(ico[entree]) : 256;
        const int hauteur = quint8(ico[entree + 1]) ? quint8(ico[entree + 1]) : 256;
        QCOMPARE(largeur, Icone::Tailles[i]);
        QCOMPARE(hauteur, largeur);
        QCOMPARE(Mot(ico, entree + 6), quint16(32));
        const quint32 taille = Double_Mot(ico, entree + 8);
        const quint32 position = Double_Mot(ico, entree + 12);
        QCOMPARE(position, attendu);
        QVERIFY(qsizetype(position + taille) <= ico.size());
        attendu += taille;
        const QImage image = Image_Entree(ico.mid(position, taille), largeur);
        QCOMPARE(image.size(), QSize(largeur, largeur));
        QCOMPARE(image, Icone::Image(largeur).convertToFormat(QImage::Format_ARGB32));
    }
    QCOMPARE(qsizetype(attendu), ico.size());
}

// Another reader of icon files than ours finds every size, not a blank.
void Tst_Icone::Lu_Par_Un_Lecteur_D_Icones()
{
    QByteArray ico = Fichier_Ico();
    QBuffer tampon(&ico);
    QImageReader lecteur(&tampon, "ico");
    if (!lecteur.canRead())
        QSKIP("Qt's icon reader is not installed here.");
    QCOMPARE(lecteur.imageCount(), int(std::size(Icone::Tailles)));
    QList<int> tailles;
    for (int i = 0; i < lecteur.imageCount(); ++i) {
        QVERIFY(lecteur.jumpToImage(i));
        const QImage image = lecteur.read();
        QVERIFY2(!image.isNull(), qPrintable(lecteur.errorString()));
        tailles << image.width();
        // The mill's sky, not a transparent square.
        QCOMPARE(QColor(image.pixel(image.width() / 2, image.height() / 8)).alpha(), 255);
    }
    std::sort(tailles.begin(), tailles.end());
    QCOMPARE(tailles, QList<int>(std::begin(Icone::Tailles), std::end(Icone::Tailles)));
}

QTEST_MAIN(Tst_Icone)
#include "tst_icone.moc"
