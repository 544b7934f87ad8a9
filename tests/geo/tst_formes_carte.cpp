#include "Formes_Carte.h"

#include <QTest>

class Tst_Formes_Carte : public QObject {
    Q_OBJECT

private slots:
    void trace_data();
    void trace();
    void refus_data();
    void refus();
    void carte_integree();
    void fichier_refuse_data();
    void fichier_refuse();
};

// Each path's outline as the points it visits, subpaths split by "|".
static QString Points(const QPainterPath &chemin)
{
    QStringList morceaux;
    if (chemin.isEmpty())
        return {};
    for (int i = 0; i < chemin.elementCount(); ++i) {
        const QPainterPath::Element e = chemin.elementAt(i);
        morceaux << (e.isMoveTo() && i > 0 ? QStringLiteral("| ") : QString()) + QStringLiteral("%1,%2").arg(e.x).arg(e.y);
    }
    return morceaux.join(QLatin1Char(' '));
}

void Tst_Formes_Carte::trace_data()
{
    QTest::addColumn<QByteArray>("donnees");
    QTest::addColumn<QString>("points");
    // The map's own form: relative move, then pairs drawing lines.
    QTest::newRow("relatif implicite") << QByteArray("m 10,10 5,0 0,5 z") << "10,10 15,10 15,15 10,10";
    // After Z, a relative move starts from the closed subpath's start.
    QTest::newRow("apres Z") << QByteArray("m 10,10 5,0 0,5 z m 1,1 2,0 z") << "10,10 15,10 15,15 10,10 | 11,11 13,11 11,11";
    QTest::newRow("absolu") << QByteArray("M 1 2 L 3 4 H 7 V 9 Z") << "1,2 3,4 7,4 7,9 1,2";
    QTest::newRow("h v relatifs") << QByteArray("M1,1h2v3h-1") << "1,1 3,1 3,4 2,4";
    QTest::newRow("nombres colles") << QByteArray("M-1-2L.5.5 1e1,2E-1") << "-1,-2 0.5,0.5 10,0.2";
    QTest::newRow("signe plus, blancs varies") << QByteArray(" M +1,\t2\r\n l 1 , 1 ") << "1,2 2,3";
    QTest::newRow("vide") << QByteArray("") << "";
}

void Tst_Formes_Carte::trace()
{
    QFETCH(QByteArray, donnees);
    QFETCH(QString, points);
    const auto chemin = Trace_Chemin(donnees);
    QVERIFY(chemin);
    QCOMPARE(Points(*chemin), points);
    QCOMPARE(chemin->fillRule(), Qt::WindingFill);
}

void Tst_Formes_Carte::refus_data()
{
    QTest::addColumn<QByteArray>("donnees");
    QTest::newRow("courbe") << QByteArray("M 0 0 C 1 1 2 2 3 3");
    QTest::newRow("arc") << QByteArray("m 0,0 a 5,5 0 0 1 10,0");
    QTest::newRow("nombre manquant") << QByteArray("M 0 0 L 5");
    QTest::newRow("nombre sans commande") << QByteArray("5 5");
    QTest::newRow("nombres apres Z") << QByteArray("M 0 0 L 1 1 Z 4 4");
    QTest::newRow("ordure") << QByteArray("M 0 0 L x 1");
}

void Tst_Formes_Carte::refus()
{
    QFETCH(QByteArray, donnees);
    QVERIFY(!Trace_Chemin(donnees));
}

void Tst_Formes_Carte::carte_integree()
{
    const Formes_Carte &f = Formes_France();
    QCOMPARE(f.vue, QRectF(0, 0, 613, 585));
    int nombre = 0;
    for (int i = 0; i < 100; ++i) {
        const bool attendue = i >= 1 && i <= 97 && i != 20;
        QCOMPARE(!f.forme[size_t(i)].isEmpty(), attendue);
        if (!attendue)
            continue;
        ++nombre;
        const QRectF r = f.forme[size_t(i)].boundingRect();
        QVERIFY2(f.vue.contains(r), qPrintable(QString::number(i)));
        QVERIFY2(r.width() > 1 && r.height() > 1, qPrintable(QString::number(i)));
    }
    QCOMPARE(nombre, 96);
    // Where they lie: Paris inside its three neighbours' bounds, the Finistère
    // furthest west, Bas-Rhin east, Corse-du-Sud south of Haute-Corse.
    const auto centre = [&](int i) { return f.forme[size_t(i)].boundingRect().center(); };
    QRectF voisins;
    for (int i : {92, 93, 94})
        voisins |= f.forme[size_t(i)].boundingRect();
    QVERIFY(voisins.contains(f.forme[75].boundingRect()));
    QVERIFY(f.forme[75].contains(centre(75)));
    for (int i = 1; i <= 97; ++i) {
        if (i != 29 && i != 20)
            QVERIFY2(centre(29).x() < centre(i).x(), qPrintable(QString::number(i)));
    }
    QVERIFY(centre(67).x() > centre(75).x() + 150);
    QVERIFY(centre(96).y() > centre(97).y());
}

void Tst_Formes_Carte::fichier_refuse_data()
{
    QTest::addColumn<QByteArray>("svg");
    QTest::newRow("xml mal forme") << QByteArray("<svg viewBox=\"0 0 10 10\"><path id=\"01\" d=\"M 0 0 L 1 1\"/>");
    QTest::newRow("sans viewBox") << QByteArray("<svg><path id=\"01\" d=\"M 0 0 L 1 1\"/></svg>");
    QTest::newRow("courbe dans un departement") << QByteArray("<svg viewBox=\"0 0 10 10\"><path id=\"01\" d=\"M 0 0 Q 1 1 2 2\"/></svg>");
}

void Tst_Formes_Carte::fichier_refuse()
{
    QFETCH(QByteArray, svg);
    QVERIFY(!Lit_Formes_Carte(svg));
}

QTEST_APPLESS_MAIN(Tst_Formes_Carte)
#include "tst_formes_carte.moc"
