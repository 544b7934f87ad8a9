#include "Frequences.h"

#include <QTest>

using namespace Sous_Programmes;

Q_DECLARE_METATYPE(std::optional<qint64>)

class Tst_Frequences : public QObject {
    Q_OBJECT

private slots:
    void hertz_d_un_spot_data();
    void hertz_d_un_spot();
    void dixiemes_d_une_annonce_data();
    void dixiemes_d_une_annonce();
    void texte_des_khz_data();
    void texte_des_khz();
};

void Tst_Frequences::hertz_d_un_spot_data()
{
    QTest::addColumn<QByteArray>("khz");
    QTest::addColumn<std::optional<qint64>>("hertz");
    const std::optional<qint64> aucune;
    QTest::newRow("une décimale") << QByteArray("14285.0") << std::optional<qint64>(14'285'000);
    QTest::newRow("sans décimale") << QByteArray("7012") << std::optional<qint64>(7'012'000);
    QTest::newRow("deux décimales") << QByteArray("7012.05") << std::optional<qint64>(7'012'050);
    QTest::newRow("virgule") << QByteArray("3532,5") << std::optional<qint64>(3'532'500);
    QTest::newRow("blancs") << QByteArray("  50313.0 ") << std::optional<qint64>(50'313'000);
    QTest::newRow("au Hz près") << QByteArray("144300.123") << std::optional<qint64>(144'300'123);
    QTest::newRow("quatrième décimale arrondie") << QByteArray("144300.1235") << std::optional<qint64>(144'300'124);
    QTest::newRow("vide") << QByteArray() << aucune;
    QTest::newRow("point seul") << QByteArray(".") << aucune;
    QTest::newRow("point final") << QByteArray("7012.") << aucune;
    QTest::newRow("zéro") << QByteArray("0.0") << aucune;
    QTest::newRow("négative") << QByteArray("-7012") << aucune;
    QTest::newRow("exposant") << QByteArray("1e5") << aucune;
    QTest::newRow("deux points") << QByteArray("7.012.0") << aucune;
    QTest::newRow("démesurée") << QByteArray("999999999999") << aucune;
}

void Tst_Frequences::hertz_d_un_spot()
{
    QFETCH(QByteArray, khz);
    QFETCH(std::optional<qint64>, hertz);
    QCOMPARE(Hertz_De_kHz(khz), hertz);
}

void Tst_Frequences::dixiemes_d_une_annonce_data()
{
    QTest::addColumn<QByteArray>("khz");
    QTest::addColumn<std::optional<qint64>>("dixiemes");
    const std::optional<qint64> aucune;
    QTest::newRow("une décimale") << QByteArray("14285.0") << std::optional<qint64>(142'850);
    QTest::newRow("sans décimale") << QByteArray("7012") << std::optional<qint64>(70'120);
    QTest::newRow("moitié") << QByteArray("7012,05") << std::optional<qint64>(70'121);
    QTest::newRow("sous la moitié au quatrième chiffre") << QByteArray("14285.0495") << std::optional<qint64>(142'850);
    QTest::newRow("retenue sur les kHz") << QByteArray("14285.96") << std::optional<qint64>(142'860);
    QTest::newRow("sous le kHz") << QByteArray("0.5") << std::optional<qint64>(5);
    QTest::newRow("zéro") << QByteArray("0.04") << aucune;
    QTest::newRow("lettre après les décimales") << QByteArray("14285.04k") << aucune;
}

void Tst_Frequences::dixiemes_d_une_annonce()
{
    QFETCH(QByteArray, khz);
    QFETCH(std::optional<qint64>, dixiemes);
    QCOMPARE(Dixiemes_De_kHz(khz), dixiemes);
}

void Tst_Frequences::texte_des_khz_data()
{
    QTest::addColumn<qint64>("hertz");
    QTest::addColumn<QString>("texte");
    QTest::newRow("20 m") << qint64(14'285'000) << "14 285,0";
    QTest::newRow("arrondi") << qint64(7'012'050) << "7 012,1";
    QTest::newRow("2 m") << qint64(145'500'000) << "145 500,0";
    QTest::newRow("70 cm") << qint64(432'100'000) << "432 100,0";
    QTest::newRow("sous le MHz") << qint64(999'000) << "999,0";
}

void Tst_Frequences::texte_des_khz()
{
    QFETCH(qint64, hertz);
    QFETCH(QString, texte);
    QCOMPARE(Texte_kHz(hertz), texte);
}

QTEST_APPLESS_MAIN(Tst_Frequences)
#include "tst_frequences.moc"
