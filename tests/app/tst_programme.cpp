// The program operators run, started as its own process: nothing in its
// environment makes it act for the operator.
#include "Outils_Test.h"
#include "Reglages.h"
#include "Sauvegardes.h"

#include <QProcess>

using namespace Sous_Programmes;

class Tst_Programme : public QObject {
    Q_OBJECT

private slots:
    void aucune_variable_ne_le_fait_agir_seul();
    void aucune_variable_ne_le_fait_agir_seul_data();
};

void Tst_Programme::aucune_variable_ne_le_fait_agir_seul_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("valeur");
    // Timing drivers of old answered every question, changed the log and quit.
    QTest::newRow("actions") << QStringLiteral("KOB_MESURE") << QStringLiteral("actions");
    QTest::newRow("démarrage") << QStringLiteral("KOB_MESURE") << QStringLiteral("demarrage");
    QTest::newRow("quelconque") << QStringLiteral("KOB_MESURE") << QStringLiteral("1");
}

void Tst_Programme::aucune_variable_ne_le_fait_agir_seul()
{
#ifdef Q_OS_WIN
    QSKIP("Sous Windows, les réglages du programme sont dans le registre : un programme lancé par le test lirait ceux de "
          "l'utilisateur.");
#endif
    QFETCH(QString, variable);
    QFETCH(QString, valeur);
    Dossier_Test programme, maison;
    const QString executable = programme.fichier(QStringLiteral("KOB_Dezudidar_ERI"));
    QVERIFY(QFile::copy(QStringLiteral(PROGRAMME), executable));
    const QByteArray log = Fichier_De({Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"),
                                       Ligne("05/03/07", "21002", "Moulin active", "F6XYZ", true)});
    const QString chemin_log = programme.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt"), log);
    Isole_Reglages(maison.fichier(QStringLiteral("config")));
    QVERIFY(Sauve_Station(QStringLiteral("TEST1"), QStringLiteral("2007")).ok());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), maison.chemin());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), maison.fichier(QStringLiteral("config")));
    env.insert(variable, valeur);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(executable, {});
    QVERIFY2(p.waitForStarted(30000), qPrintable(p.errorString()));
    // It waits for the operator, as without the variable: it neither quits
    // nor writes, nor answers a question itself.
    QVERIFY2(!p.waitForFinished(3000), qPrintable(p.readAllStandardError()));
    p.kill();
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.readAllStandardOutput(), QByteArray());
    QCOMPARE(programme.lit(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt")), log);
    QVERIFY(Sauvegardes::Liste(chemin_log).empty());
}

QTEST_GUILESS_MAIN(Tst_Programme)
#include "tst_programme.moc"
