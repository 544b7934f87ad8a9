#include "Controles_Saisie.h"
#include "Outils_Test.h"

using namespace Controles_Saisie;

class Tst_Controles_Saisie : public QObject {
    Q_OBJECT

private slots:
    void majuscules_frappees_data();
    void majuscules_frappees();
    void qso_de_ligne_liste_data();
    void qso_de_ligne_liste();
};

void Tst_Controles_Saisie::qso_de_ligne_liste_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<bool>("qso");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("dmf");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("indicatif");
    QTest::addColumn<bool>("attente");

    const QString l = QString::fromLatin1(Ligne("15/03/07", "21001", "Moulin active", "F5ABC", true));
    QTest::newRow("ligne 4") << "    4   " + l << true << "15/03/07" << "21001" << "Moulin active" << "F5ABC" << true;
    QTest::newRow("ligne 100000") << "100000   " + l << true << "15/03/07" << "21001" << "Moulin active" << "F5ABC" << true;
    QTest::newRow("sans DMF") << "    2   " + QString::fromLatin1(Ligne("15/03/07", "", "Moulin active", "F5ABC")) << false
                              << "" << "" << "" << "" << false;
    QTest::newRow("ligne vide: 13 caractères") << "    3        " << true << "     " << "" << "" << "" << false;
    QTest::newRow("rien de sélectionné") << "" << false << "" << "" << "" << "" << false;
}

void Tst_Controles_Saisie::qso_de_ligne_liste()
{
    QFETCH(QString, ligne);
    QFETCH(bool, qso);
    const auto champs = QSO_De_Ligne_Liste(ligne);
    QCOMPARE(champs.has_value(), qso);
    if (!qso)
        return;
    QFETCH(QString, date);
    QFETCH(QString, dmf);
    QFETCH(QString, type);
    QFETCH(QString, indicatif);
    QFETCH(bool, attente);
    QCOMPARE(champs->date, date);
    QCOMPARE(champs->dmf, dmf);
    QCOMPARE(champs->type, type);
    QCOMPARE(champs->indicatif, indicatif);
    QCOMPARE(champs->attente, attente);
}

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
