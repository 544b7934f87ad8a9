#include "Icone.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

class Tst_Icone : public QObject {
    Q_OBJECT

private slots:
    void Chaque_Taille_Dans_Le_Fichier();
    void Lu_Par_Un_Lecteur_D_Icones();
};

namespace {

quint16 Mot(const QByteArray &o, qsizetype i) { return qFromLittleEndian<quint16>(o.constData() + i); }
quint32 Double_Mot(const QByteArray &o, qsizetype i) { return qFromLittleEndian<quint32>(o.constData() + i); }

} // namespace

// The directory names each size once, each entry points at its own bytes,
// and those bytes are the drawing at that size.
void Tst_Icone::Chaque_Taille_Dans_Le_Fichier()
{
    const QByteArray ico = Icone::Fichier_Ico();
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
        const QImage image = QImage::fromData(ico.mid(position, taille), "PNG");
        QCOMPARE(image.size(), QSize(largeur, largeur));
        QCOMPARE(image.convertToFormat(QImage::Format_ARGB32), Icone::Image(largeur).convertToFormat(QImage::Format_ARGB32));
    }
    QCOMPARE(qsizetype(attendu), ico.size());
}

// Another reader of icon files than ours finds every size, not a blank.
void Tst_Icone::Lu_Par_Un_Lecteur_D_Icones()
{
    QByteArray ico = Icone::Fichier_Ico();
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
