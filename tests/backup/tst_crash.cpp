#include "Ecrivain_Tue.h"
#include "Journal.h"
#include "Log_Crash.h"
#include "Outils_Test.h"
#include "Sauvegardes.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>

#include <thread>

using namespace Sous_Programmes;

class Tst_Crash : public QObject {
    Q_OBJECT

private slots:
    void tue_pendant_les_reecritures_et_les_sauvegardes();
};

void Tst_Crash::tue_pendant_les_reecritures_et_les_sauvegardes()
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
    QElapsedTimer duree;
    duree.start();
    QVERIFY(Remplace_QSO(log, Ligne_Liste(Log_Crash::Ligne_Changee + 1, Log_Crash::Ligne_A(Log_Crash::Ligne_Changee)),
                         Log_Crash::Ligne_B()).ok());
    QCOMPARE(d.lit(nom), b);
    d.ecrit(nom, a);
    QVERIFY(Insere_QSO_Par_Date(log, Log_Crash::Ligne_Inseree()).ok());
    QCOMPARE(d.lit(nom), c);
    d.ecrit(nom, a);
    // Kills spread over a few of the writer's cycles, however fast this
    // machine rewrites: at least 30 ms.
    const qint64 etendue_us = qMax<qint64>(30000, duree.nsecsElapsed() / 1000 * 3);

    QRandomGenerator hasard(20261207);
    const int tues = 220;
    int au_milieu = 0;
    int pendant_sauvegarde = 0;
    qsizetype sauvegardes_vues = 0;
    const QString temporaire = Sauvegardes::Chemin_Temporaire(log);
    const QString preparee = Sauvegardes::Chemin_Preparee(log);
    QMap<char, int> etats;
    for (int i = 0; i < tues; ++i) {
        const QString echec = Lance_Puis_Tue(QStringLiteral("ecrivain_log"), {log}, hasard.bounded(etendue_us));
        QVERIFY2(echec.isEmpty(), qPrintable(echec));

        if (d.existe(QString::fromLatin1(Nom_Temporaire)) || d.existe(QString::fromLatin1(Nom_Temporaire_Insertion)))
            ++au_milieu;
        const QByteArray apres = d.lit(nom);
        const char etat = apres == a ? 'A' : apres == b ? 'B' : apres == c ? 'C' : '?';
        QVERIFY2(etat != '?', qPrintable(QStringLiteral("kill %1: log of %2 bytes is neither state").arg(i).arg(apres.size())));
        ++etats[etat];

        // Every copy the restore window would offer is a state the log had.
        if (QFile::exists(temporaire) || QFile::exists(preparee))
            ++pendant_sauvegarde;
        const auto liste = Sauvegardes::Liste(log);
        for (const auto &s : liste) {
            QFile f(s.chemin);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray copie = f.readAll();
            QVERIFY2(copie == b || copie == c,
                     qPrintable(QStringLiteral("kill %1: backup %2 of %3 bytes is no state of the log").arg(i).arg(s.chemin).arg(copie.size())));
        }
        sauvegardes_vues = qMax(sauvegardes_vues, qsizetype(liste.size()));
    }
    qInfo("%d kills: A %d, B %d, C %d; %d during a rewrite, %d during a backup", tues, etats['A'], etats['B'], etats['C'],
          au_milieu, pendant_sauvegarde);
    // Kills that never hit a rewrite or a backup in progress would prove nothing.
    QVERIFY(au_milieu > 0);
    QVERIFY(pendant_sauvegarde > 0);
    QVERIFY(etats['B'] > 0 && etats['C'] > 0);
    QVERIFY(sauvegardes_vues >= qsizetype(Sauvegardes::Nombre_Garde));

    // The next backup clears what a kill left.
    QFile(temporaire).open(QIODevice::WriteOnly);
    QVERIFY(Sauvegardes::Sauvegarde_Log(log, QDateTime::currentDateTime()).ok());
    QVERIFY(!QFile::exists(temporaire));
}

QTEST_GUILESS_MAIN(Tst_Crash)
#include "tst_crash.moc"
