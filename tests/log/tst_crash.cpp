#include "Journal.h"
#include "Log_Crash.h"
#include "Outils_Test.h"

#include <QProcess>
#include <QRandomGenerator>

#include <csignal>
#include <thread>

using namespace Sous_Programmes;

class Tst_Crash : public QObject {
    Q_OBJECT

private slots:
    void tue_pendant_les_reecritures();
};

void Tst_Crash::tue_pendant_les_reecritures()
{
    Dossier_Test d;
    const QString nom = QStringLiteral("TEST1_Dezudidar_ERI_2007.txt");
    const QList<QByteArray> lignes_a = Log_Crash::Lignes_A();
    QList<QByteArray> lignes_b = lignes_a;
    lignes_b[Log_Crash::Ligne_Changee] = Log_Crash::Ligne_B();
    QList<QByteArray> lignes_c = lignes_a;
    lignes_c.insert(Log_Crash::Place_Insertion, Log_Crash::Ligne_Inseree());
    const QByteArray a = Fichier_De(lignes_a);
    const QByteArray b = Fichier_De(lignes_b);
    const QByteArray c = Fichier_De(lignes_c);
    const QString log = d.ecrit(nom, a);

    // The writer's own sequence must really move between the three contents.
    QVERIFY(Remplace_QSO(log, Ligne_Liste(Log_Crash::Ligne_Changee + 1, Log_Crash::Ligne_A(Log_Crash::Ligne_Changee)),
                         Log_Crash::Ligne_B()).ok());
    QCOMPARE(d.lit(nom), b);
    d.ecrit(nom, a);
    QVERIFY(Insere_QSO_Par_Date(log, Log_Crash::Ligne_Inseree()).ok());
    QCOMPARE(d.lit(nom), c);
    d.ecrit(nom, a);

    QRandomGenerator hasard(20261207);
    const int tues = 220;
    int au_milieu = 0;
    QMap<char, int> etats;
    for (int i = 0; i < tues; ++i) {
        QProcess ecrivain;
        ecrivain.start(QStringLiteral(ECRIVAIN_LOG), {log});
        QVERIFY(ecrivain.waitForStarted());
        QVERIFY2(ecrivain.waitForReadyRead(10000), qPrintable(ecrivain.readAllStandardError()));
        std::this_thread::sleep_for(std::chrono::microseconds(hasard.bounded(30000)));
        QCOMPARE(::kill(pid_t(ecrivain.processId()), SIGKILL), 0);
        QVERIFY(ecrivain.waitForFinished(10000));
        QVERIFY2(ecrivain.exitStatus() == QProcess::CrashExit, qPrintable(ecrivain.readAllStandardError()));

        if (d.existe(QString::fromLatin1(Nom_Temporaire)) || d.existe(QString::fromLatin1(Nom_Temporaire_Insertion)))
            ++au_milieu;
        const QByteArray apres = d.lit(nom);
        const char etat = apres == a ? 'A' : apres == b ? 'B' : apres == c ? 'C' : '?';
        QVERIFY2(etat != '?', qPrintable(QStringLiteral("kill %1: log of %2 bytes is neither state").arg(i).arg(apres.size())));
        ++etats[etat];
    }
    qInfo("%d kills: A %d, B %d, C %d; %d during a rewrite", tues, etats['A'], etats['B'], etats['C'], au_milieu);
    // Kills that never hit a rewrite in progress would prove nothing.
    QVERIFY(au_milieu > 0);
    QVERIFY(etats['B'] > 0 && etats['C'] > 0);
}

QTEST_GUILESS_MAIN(Tst_Crash)
#include "tst_crash.moc"
