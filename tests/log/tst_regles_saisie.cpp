// The entry's checks, the same for a line typed and a line imported.
#include "Outils_Test.h"
#include "Regles_Saisie.h"

using namespace Sous_Programmes;

class Tst_Regles_Saisie : public QObject {
    Q_OBJECT

private slots:
    void ligne_a_enregistrer_annee_provisoire();
    void champ_refuse_nomme_data();
    void champ_refuse_nomme();
};

void Tst_Regles_Saisie::ligne_a_enregistrer_annee_provisoire()
{
    // While the year is the placeholder, no date can match it.
    QCOMPARE(Verifie_Date(QStringLiteral("15/03/07"), QStringLiteral("XXXX")),
             QString::fromUtf8("Attention la date saisie ne correspond pas a l'année du Radovered"));
    const auto ligne = Ligne_A_Enregistrer({QStringLiteral("15/03/07"), false, QStringLiteral("21001"),
                                            QStringLiteral("Moulin active"), QStringLiteral("F5ABC")},
                                           QStringLiteral("2007"));
    QVERIFY(ligne.ok());
    QCOMPARE(ligne.valeur(), Ligne("15/03/07", "21001", "Moulin active", "F5ABC"));
}

void Tst_Regles_Saisie::champ_refuse_nomme_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("dmf");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("indicatif");
    QTest::addColumn<QString>("champ"); // in the refusal; empty when the line is written
    QTest::newRow("accepte") << "15/03/07" << "2A001" << "Moulin active" << "F5ABC" << QString();
    QTest::newRow("date d'une autre annee") << "15/03/06" << "21001" << "Moulin active" << "F5ABC" << "Date";
    QTest::newRow("indicatif vide") << "15/03/07" << "21001" << "Moulin active" << "" << "Indicatif";
    QTest::newRow("indicatif de 13") << "15/03/07" << "21001" << "Moulin active" << "F5ABCDEFGHIJK" << "Indicatif";
    QTest::newRow("DMF chemin") << "15/03/07" << "../.." << "Moulin active" << "F5ABC" << "N° DMF";
    QTest::newRow("DMF hors alphabet") << "15/03/07" << "ZZZZZ" << "Moulin active" << "F5ABC" << "N° DMF";
    QTest::newRow("DMF avec blancs") << "15/03/07" << "1 2 3" << "Moulin active" << "F5ABC" << "N° DMF";
    QTest::newRow("type de 23") << "15/03/07" << "21001" << QString(23, u'X') << "F5ABC" << "Type Activité";
    // The bytes Windows-1252 leaves undefined read as C1 controls.
    QTest::newRow("type octet 81") << "15/03/07" << "21001" << QStringLiteral("A\u0081B") << "F5ABC" << "Type Activité";
    QTest::newRow("type octet 9D") << "15/03/07" << "21001" << QStringLiteral("\u009D") << "F5ABC" << "Type Activité";
    QTest::newRow("type euro") << "15/03/07" << "21001" << QStringLiteral("\u20AC") << "F5ABC" << QString();
}

void Tst_Regles_Saisie::champ_refuse_nomme()
{
    QFETCH(QString, date);
    QFETCH(QString, dmf);
    QFETCH(QString, type);
    QFETCH(QString, indicatif);
    QFETCH(QString, champ);
    const auto ligne = Ligne_A_Enregistrer({date, false, dmf, type, indicatif}, QStringLiteral("2007"));
    QCOMPARE(ligne.ok(), champ.isEmpty());
    if (ligne.ok())
        QCOMPARE(ligne.valeur().size(), qsizetype(53));
    else
        QVERIFY2(ligne.erreur().contains(QStringLiteral("« %1 »").arg(champ)), qPrintable(ligne.erreur()));
}

QTEST_GUILESS_MAIN(Tst_Regles_Saisie)
#include "tst_regles_saisie.moc"
