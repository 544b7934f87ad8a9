// The station's locator, and the distances and azimuths from it.
#include "Locator.h"

#include <QTest>

using namespace Geo;

class Tst_Locator : public QObject {
    Q_OBJECT

private slots:
    void locator_data();
    void locator();
    void refus_data();
    void refus();
    void distance_et_azimut_data();
    void distance_et_azimut();
    void position_en_france_data();
    void position_en_france();
};

void Tst_Locator::locator_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("forme"); // empty: refused
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    // JN18: 2° × 1° from 2° E, 48° N; its subsquare "du" 5' × 2.5'; "45" a tenth of that.
    QTest::newRow("4 caractères") << "JN18" << "JN18" << 48.5 << 3.0;
    QTest::newRow("6 caractères") << "JN18du" << "JN18du" << 48.0 + 20.5 / 24 << 2.0 + 3.5 / 12;
    QTest::newRow("8 caractères") << "JN18du45" << "JN18du45" << 48.0 + 20 / 24.0 + 5.5 / 240 << 2.0 + 3 / 12.0 + 4.5 / 120;
    QTest::newRow("casse quelconque") << "jn18DU" << "JN18du" << 48.0 + 20.5 / 24 << 2.0 + 3.5 / 12;
    QTest::newRow("coin sud-ouest de la grille") << "AA00" << "AA00" << -89.5 << -179.0;
    QTest::newRow("coin nord-est de la grille") << "RR99xx99" << "RR99xx99" << 90.0 - 1 / 480.0 << 180.0 - 1 / 240.0;
    QTest::newRow("3 caractères") << "JN1" << "" << 0.0 << 0.0;
    QTest::newRow("5 caractères") << "JN18d" << "" << 0.0 << 0.0;
    QTest::newRow("10 caractères") << "JN18du45ab" << "" << 0.0 << 0.0;
    QTest::newRow("champ au-delà de R") << "SN18" << "" << 0.0 << 0.0;
    QTest::newRow("sous-carré au-delà de X") << "JN18dy" << "" << 0.0 << 0.0;
    QTest::newRow("lettre au lieu d'un chiffre") << "JNA8" << "" << 0.0 << 0.0;
    QTest::newRow("lettre accentuée") << "JN18dé" << "" << 0.0 << 0.0;
    QTest::newRow("i sans point") << QStringLiteral("J\u0131") + "18" << "" << 0.0 << 0.0;
    QTest::newRow("blanc") << "JN18 d" << "" << 0.0 << 0.0;
}

void Tst_Locator::locator()
{
    QFETCH(QString, texte);
    QFETCH(QString, forme);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QCOMPARE(Forme_Locator(texte).value_or(QString()), forme);
    const auto centre = Centre_Locator(texte);
    QCOMPARE(centre.has_value(), !forme.isEmpty());
    if (centre) {
        QVERIFY2(qAbs(centre->latitude - latitude) < 1e-9, qPrintable(QString::number(centre->latitude, 'f', 9)));
        QVERIFY2(qAbs(centre->longitude - longitude) < 1e-9, qPrintable(QString::number(centre->longitude, 'f', 9)));
    }
}

void Tst_Locator::refus_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("message");
    QTest::newRow("vide, permis") << "" << "";
    QTest::newRow("valable") << "in88" << "";
    QTest::newRow("trop court") << "JN1" << "Le locator JN1 n'est pas valable : 4, 6 ou 8 caractères, par exemple JN18du";
    QTest::newRow("hors de la grille") << "ZZ99" << "Le locator ZZ99 n'est pas valable : 4, 6 ou 8 caractères, par exemple JN18du";
}

void Tst_Locator::refus()
{
    QFETCH(QString, texte);
    QFETCH(QString, message);
    QCOMPARE(Refus_Locator(texte), message);
}

void Tst_Locator::distance_et_azimut_data()
{
    QTest::addColumn<double>("lat1");
    QTest::addColumn<double>("lon1");
    QTest::addColumn<double>("lat2");
    QTest::addColumn<double>("lon2");
    QTest::addColumn<double>("km");
    QTest::addColumn<double>("azimut");
    QTest::newRow("Paris - Marseille") << 48.8566 << 2.3522 << 43.2965 << 5.3698 << 660.48 << 158.27;
    QTest::newRow("Brest - Strasbourg") << 48.3904 << -4.4861 << 48.5734 << 7.7521 << 901.30 << 84.12;
    QTest::newRow("Strasbourg - Brest") << 48.5734 << 7.7521 << 48.3904 << -4.4861 << 901.30 << 273.30;
    // RL79 to AL09: across the grid's edge at 180°, a short way east.
    QTest::newRow("par-delà l'antiméridien") << 29.5 << 175.0 << 29.5 << -179.0 << 580.61 << 88.52;
    QTest::newRow("plein nord") << 45.0 << 3.0 << 46.0 << 3.0 << 111.19 << 0.0;
    QTest::newRow("plein sud") << 46.0 << 3.0 << 45.0 << 3.0 << 111.19 << 180.0;
    QTest::newRow("même point") << 45.0 << 3.0 << 45.0 << 3.0 << 0.0 << 0.0;
}

void Tst_Locator::distance_et_azimut()
{
    QFETCH(double, lat1);
    QFETCH(double, lon1);
    QFETCH(double, lat2);
    QFETCH(double, lon2);
    QFETCH(double, km);
    QFETCH(double, azimut);
    const Position a{lat1, lon1}, b{lat2, lon2};
    QVERIFY2(qAbs(Distance_km(a, b) - km) < 0.01, qPrintable(QString::number(Distance_km(a, b), 'f', 3)));
    QVERIFY2(qAbs(Azimut(a, b) - azimut) < 0.01, qPrintable(QString::number(Azimut(a, b), 'f', 3)));
}

void Tst_Locator::position_en_france_data()
{
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<QString>("position"); // "lat;lon", empty when none
    QTest::newRow("point") << "47.0244" << "4.8389" << "47.0244;4.8389";
    QTest::newRow("virgule et blancs") << " 47,0244 " << "4,8389" << "47.0244;4.8389";
    QTest::newRow("ouest de la Bretagne") << "48.36" << "-4.77" << "48.36;-4.77";
    QTest::newRow("Corse") << "41.92" << "8.74" << "41.92;8.74";
    QTest::newRow("au sud") << "40.9" << "8.74" << "";
    QTest::newRow("au nord") << "51.6" << "2.3" << "";
    QTest::newRow("à l'est") << "48.5" << "10.1" << "";
    QTest::newRow("inversées") << "4.8389" << "47.0244" << "";
    QTest::newRow("vide") << "" << "4.8389" << "";
    QTest::newRow("texte") << "47°01'" << "4.8389" << "";
    QTest::newRow("deux virgules") << "47,0,2" << "4.8389" << "";
    QTest::newRow("signe plus") << "+47.5" << "+4.25" << "47.5;4.25";
    QTest::newRow("deux signes") << "+-47.5" << "4.25" << "";
    QTest::newRow("nan, infini") << "nan" << "inf" << "";
    QTest::newRow("lettre non latine") << "47.5\u0660" << "4.25" << "";
}

void Tst_Locator::position_en_france()
{
    QFETCH(QString, latitude);
    QFETCH(QString, longitude);
    QFETCH(QString, position);
    // As a list of mills holds them: bytes, UTF-8 or Windows-1252.
    auto p = Position_Lue(latitude.toUtf8(), longitude.toUtf8());
    if (p && !En_France(*p))
        p.reset();
    QCOMPARE(p ? QStringLiteral("%1;%2").arg(p->latitude).arg(p->longitude) : QString(), position);
    // From Paris to the first: its distance and azimuth, rounded.
    if (position == QLatin1String("47.0244;4.8389"))
        QCOMPARE(Texte_Distance({48.8566, 2.3522}, *p), QStringLiteral("275 km, azimut 137°"));
}

QTEST_GUILESS_MAIN(Tst_Locator)
#include "tst_locator.moc"
