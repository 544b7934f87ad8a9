// A list of mills being kept, killed at random moments: the kept file and
// every copy of it are always one whole list.
#include "Ecrivain_Tue.h"
#include "Liste_Moulins.h"
#include "Outils_Test.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>

#include <thread>

class Tst_Crash_Moulins : public QObject {
    Q_OBJECT

private slots:
    void tue_pendant_que_la_liste_est_gardee();
};

void Tst_Crash_Moulins::tue_pendant_que_la_liste_est_gardee()
{
    Dossier_Test d, sources;
    QByteArray texte_a = "dmf;nom;commune\r\n", texte_b = texte_a;
    for (int i = 0; i < 30000; ++i) {
        texte_a += QByteArray::number(10000 + i) + ";Moulin " + QByteArray::number(i) + ";Commune A\r\n";
        texte_b += QByteArray::number(10000 + i) + ";Moulin " + QByteArray::number(i) + " bis;Commune B\r\n";
    }
    const QByteArray a = Moulins::Texte_Garde(Moulins::Lit_Liste(texte_a).liste);
    const QByteArray b = Moulins::Texte_Garde(Moulins::Lit_Liste(texte_b).liste);
    QVERIFY(a.size() > 1000000 && a != b);
    const QString source_a = sources.ecrit(QStringLiteral("a.csv"), texte_a);
    const QString source_b = sources.ecrit(QStringLiteral("b.csv"), texte_b);
    // Kills spread over a few of the writer's cycles, however fast this machine keeps a list.
    QElapsedTimer duree;
    duree.start();
    QVERIFY(Moulins::Garde(d.chemin(), Moulins::Lit_Liste(texte_a).liste, QDateTime::currentDateTime()).ok());
    const qint64 etendue_us = qMax<qint64>(30000, duree.nsecsElapsed() / 1000 * 4);

    QRandomGenerator hasard(20261208);
    const int tues = 80;
    int tordus = 0;
    for (int i = 0; i < tues; ++i) {
        const QString echec = Lance_Puis_Tue(QStringLiteral("ecrivain_moulins"), {d.chemin(), source_a, source_b},
                                             hasard.bounded(etendue_us));
        QVERIFY2(echec.isEmpty(), qPrintable(echec));

        tordus += d.existe(QStringLiteral("Moulins.en_cours.tmp")) || d.existe(QStringLiteral("Sauvegardes/Moulins.en_cours.tmp"));
        const QByteArray gardee = d.lit(QStringLiteral("Moulins.txt"));
        QVERIFY2(gardee == a || gardee == b, qPrintable(QStringLiteral("kill %1: a list of %2 bytes is neither").arg(i).arg(gardee.size())));
        const QDir copies(d.fichier(QStringLiteral("Sauvegardes")));
        for (const QString &nom : copies.entryList({QStringLiteral("Moulins_*.txt")}, QDir::Files)) {
            const QByteArray copie = d.lit(QStringLiteral("Sauvegardes/") + nom);
            QVERIFY2(copie == a || copie == b, qPrintable(QStringLiteral("kill %1: copy %2 of %3 bytes").arg(i).arg(nom).arg(copie.size())));
        }
    }
    qInfo("%d kills, %d while a list or its copy was being written", tues, tordus);
    // Kills that never hit a write in progress would prove nothing.
    QVERIFY(tordus > 0);
}

QTEST_GUILESS_MAIN(Tst_Crash_Moulins)
#include "tst_crash_moulins.moc"
