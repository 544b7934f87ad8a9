#include "Controles_Saisie.h"
#include "Outils_Test.h"

using namespace Controles_Saisie;

class Tst_Controles_Saisie : public QObject {
    Q_OBJECT

private slots:
    void majuscules_frappees_data();
    void majuscules_frappees();
};

void Tst_Controles_Saisie::majuscules_frappees_data()
{
    QTest::addColumn<QChar>("frappe");
    QTest::addColumn<QChar>("recue");
    QTest::newRow("a") << QChar(u'a') << QChar(u'A');
    QTest::newRow("z") << QChar(u'z') << QChar(u'Z');
    QTest::newRow("é reste") << QChar(u'é') << QChar(u'é');
    QTest::newRow("chiffre") << QChar(u'7') << QChar(u'7');
    QTest::newRow("barre") << QChar(u'/') << QChar(u'/');
}

void Tst_Controles_Saisie::majuscules_frappees()
{
    QFETCH(QChar, frappe);
    QFETCH(QChar, recue);
    QCOMPARE(Majuscule_Frappee(frappe), recue);
}

QTEST_GUILESS_MAIN(Tst_Controles_Saisie)
#include "tst_controles_saisie.moc"
