#include "Dates.h"
#include "Outils_Test.h"

using namespace Sous_Programmes;

class Tst_Dates : public QObject {
    Q_OBJECT

private slots:
    void date_et_heures_data();
    void date_et_heures();
    void controle_date_data();
    void controle_date();
};

void Tst_Dates::date_et_heures_data()
{
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("utc");
    QTest::addColumn<QString>("locale");

    QTest::newRow("minuit et demie une heure à l'est: encore la veille en UTC")
        << QDateTime(QDate(2026, 12, 6), QTime(0, 30, 17), QTimeZone(3600)) << QByteArray("UTC+01:00")
        << "05/12/26" << "23:30:17" << "00:30:17";
    QTest::newRow("Paris en hiver") << QDateTime(QDate(2026, 12, 5), QTime(23, 30, 5), Qt::UTC) << QByteArray("Europe/Paris")
                                    << "05/12/26" << "23:30:05" << "00:30:05";
    QTest::newRow("Paris en été, deux heures à l'est") << QDateTime(QDate(2026, 7, 14), QTime(21, 30, 0), Qt::UTC)
                                                      << QByteArray("Europe/Paris") << "14/07/26" << "21:30:00" << "23:30:00";
    QTest::newRow("premier de l'an 2007") << QDateTime(QDate(2007, 1, 1), QTime(8, 5, 9), Qt::UTC) << QByteArray("UTC")
                                         << "01/01/07" << "08:05:09" << "08:05:09";
    QTest::newRow("à l'ouest, déjà le lendemain en UTC") << QDateTime(QDate(2007, 12, 31), QTime(20, 0, 0), QTimeZone(-5 * 3600))
                                                         << QByteArray("UTC-05:00") << "01/01/08" << "01:00:00" << "20:00:00";
}

void Tst_Dates::date_et_heures()
{
    QFETCH(QDateTime, instant);
    QFETCH(QByteArray, zone);
    QFETCH(QString, date);
    QFETCH(QString, utc);
    QFETCH(QString, locale);
    const QTimeZone fuseau(zone);
    QVERIFY2(fuseau.isValid(), zone.constData());
    QCOMPARE(Date_Jour(instant), date);
    QCOMPARE(Heure_Utc(instant), utc);
    QCOMPARE(Heure_Locale(instant, fuseau), locale);
}

void Tst_Dates::controle_date_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<int>("resultat");
    QTest::newRow("12/05/06") << "12/05/06" << 0;
    QTest::newRow("99/99/99: la forme seule") << "99/99/99" << 0;
    QTest::newRow("tirets") << "12-05-06" << 1;
    QTest::newRow("lettre dans le jour") << "1a/05/06" << 1;
    QTest::newRow("lettre dans l'année") << "12/05/0x" << 1;
    QTest::newRow("chiffres arabes indiens") << QString::fromUtf8("١٢/05/06") << 1;
    QTest::newRow("trop court") << "12/05/0" << 1;
}

void Tst_Dates::controle_date()
{
    QFETCH(QString, texte);
    QFETCH(int, resultat);
    QCOMPARE(Controle_Date(texte), resultat);
}

QTEST_GUILESS_MAIN(Tst_Dates)
#include "tst_dates.moc"
