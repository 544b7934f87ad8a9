// Backups of a log: made whole before a change, 30 kept, put back exactly.
#include "Outils_Test.h"
#include "Sauvegardes.h"

using namespace Sauvegardes;

namespace {

const QString Nom = QStringLiteral("TEST1_Dezudidar_ERI_2007.txt");
const QDateTime Heure(QDate(2026, 12, 7), QTime(21, 45, 2));

QStringList Fichiers(const Dossier_Test &d)
{
    return QDir(d.fichier(QStringLiteral("Sauvegardes"))).entryList(QDir::Files, QDir::Name);
}

const QString Preparee = QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007.preparee.tmp");

// Once the copy made ahead is whole, its first byte changed, so that a
// backup that holds it can be told from a copy made again.
bool Marque_Preparee(const Dossier_Test &d, qsizetype taille)
{
    QFile f(d.fichier(Preparee));
    if (f.size() != taille || !f.open(QIODevice::ReadWrite))
        return false;
    return f.write("#", 1) == 1;
}

} // namespace

class Tst_Sauvegardes : public QObject {
    Q_OBJECT

private slots:
    void copie_octet_pour_octet();
    void trente_gardees_par_log();
    void copie_interrompue_jamais_proposee();
    void liste_et_restauration();
    void une_fois_par_lancement_et_par_log();
    void sauvegarde_impossible_dite_et_decidee();
    void copie_faite_d_avance_nommee_au_premier_changement();
    void copie_d_avance_perimee_refaite();
    void copie_d_avance_perimee_refaite_data();
    void copie_d_avance_inutile_retiree();
};

void Tst_Sauvegardes::copie_octet_pour_octet()
{
    Dossier_Test d;
    const QByteArray log = Fichier_De({Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"), "\xE9\x00 fin"});
    d.ecrit(Nom, log);
    const auto s = Sauvegarde_Log(d.fichier(Nom), Heure);
    QVERIFY2(s.ok(), qPrintable(s.erreur()));
    QCOMPARE(QFileInfo(s.valeur()).fileName(), QStringLiteral("TEST1_Dezudidar_ERI_2007_20261207-214502.txt"));
    QCOMPARE(d.lit(QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007_20261207-214502.txt")), log);
    // Within the same second, a second copy beside the first.
    QCOMPARE(QFileInfo(Sauvegarde_Log(d.fichier(Nom), Heure).valeur()).fileName(),
             QStringLiteral("TEST1_Dezudidar_ERI_2007_20261207-214502_2.txt"));
    QCOMPARE(d.lit(QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007_20261207-214502_2.txt")), log);

    // A log not there yet: nothing to keep, nothing made.
    Dossier_Test vide;
    const auto rien = Sauvegarde_Log(vide.fichier(Nom), Heure);
    QVERIFY(rien.ok() && rien.valeur().isEmpty());
    QVERIFY(!vide.existe(QStringLiteral("Sauvegardes")));
}

void Tst_Sauvegardes::trente_gardees_par_log()
{
    Dossier_Test d;
    d.ecrit(Nom, "log");
    d.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2008.txt"), "autre");
    QVERIFY(Sauvegarde_Log(d.fichier(QStringLiteral("TEST1_Dezudidar_ERI_2008.txt")), Heure.addYears(-1)).ok());
    d.ecrit(QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007_notes.txt"), "a moi");
    for (int i = 0; i < 31; ++i)
        QVERIFY(Sauvegarde_Log(d.fichier(Nom), Heure.addSecs(i * 60)).ok());
    QStringList attendus{QStringLiteral("TEST1_Dezudidar_ERI_2007_notes.txt"), QStringLiteral("TEST1_Dezudidar_ERI_2008_20251207-214502.txt")};
    for (int i = 1; i < 31; ++i)
        attendus << QStringLiteral("TEST1_Dezudidar_ERI_2007_%1.txt").arg(Heure.addSecs(i * 60).toString(QStringLiteral("yyyyMMdd-HHmmss")));
    attendus.sort();
    QCOMPARE(Fichiers(d), attendus);

    // A clock set back: the new copy is kept all the same, the oldest goes.
    const auto ancienne = Sauvegarde_Log(d.fichier(Nom), Heure.addYears(-5));
    QVERIFY(QFile::exists(ancienne.valeur()));
    QCOMPARE(Liste(d.fichier(Nom)).size(), size_t(30));
    const QString plus_ancienne = QStringLiteral("TEST1_Dezudidar_ERI_2007_%1.txt").arg(Heure.addSecs(60).toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QVERIFY(!Fichiers(d).contains(plus_ancienne));
    QVERIFY(Fichiers(d).contains(QStringLiteral("TEST1_Dezudidar_ERI_2007_notes.txt")));
}

void Tst_Sauvegardes::copie_interrompue_jamais_proposee()
{
    Dossier_Test d;
    const QByteArray log = Fichier_De({Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC")});
    d.ecrit(Nom, log);
    // What a kill in the middle of a copy leaves: part of the log, under the
    // temporary name.
    QVERIFY(QDir().mkpath(Dossier(d.fichier(Nom))));
    const QString temporaire = Chemin_Temporaire(d.fichier(Nom));
    QVERIFY(temporaire.startsWith(Dossier(d.fichier(Nom))));
    QFile reste(temporaire);
    QVERIFY(reste.open(QIODevice::WriteOnly) && reste.write(log.left(20)) == 20);
    reste.close();
    QVERIFY(Liste(d.fichier(Nom)).empty());

    const auto s = Sauvegarde_Log(d.fichier(Nom), Heure);
    QVERIFY2(s.ok(), qPrintable(s.erreur()));
    QVERIFY(!QFile::exists(temporaire));
    QCOMPARE(Fichiers(d), QStringList{QFileInfo(s.valeur()).fileName()});
    QCOMPARE(Liste(d.fichier(Nom)).size(), size_t(1));
    QCOMPARE(Liste(d.fichier(Nom)).front().qso, qsizetype(1));
}

void Tst_Sauvegardes::liste_et_restauration()
{
    Dossier_Test d;
    const QByteArray ancien = Fichier_De({Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"),
                                          Ligne("02/03/07", "21002", "Moulin active", "F8KOB", true), ""});
    d.ecrit(Nom, ancien);
    QVERIFY(Sauvegarde_Log(d.fichier(Nom), Heure).ok());
    const QByteArray nouveau = Fichier_De({Ligne("03/03/07", "21003", "Moulin active", "F8KOB")});
    d.ecrit(Nom, nouveau);
    QVERIFY(Sauvegarde_Log(d.fichier(Nom), Heure.addSecs(3600)).ok());

    const auto liste = Liste(d.fichier(Nom));
    QCOMPARE(liste.size(), size_t(2));
    QCOMPARE(liste[0].heure, Heure.addSecs(3600));
    QCOMPARE(liste[0].qso, 1);
    QCOMPARE(liste[0].points, 6);
    QCOMPARE(liste[1].heure, Heure);
    QCOMPARE(liste[1].qso, 2); // the blank line holds no QSO
    QCOMPARE(liste[1].points, 2);

    d.ecrit(Nom, "changé depuis");
    QVERIFY(Restaure(liste[1].chemin, d.fichier(Nom), Heure.addSecs(7200)).ok());
    QCOMPARE(d.lit(Nom), ancien);
    // What it replaced is kept first.
    QCOMPARE(d.lit(QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007_20261207-234502.txt")), QByteArray("changé depuis"));
    QVERIFY(!d.existe(QStringLiteral("Temporaire.txt")));
}

void Tst_Sauvegardes::une_fois_par_lancement_et_par_log()
{
    Dossier_Test d;
    d.ecrit(Nom, "2007");
    d.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2008.txt"), "2008");
    int questions = 0;
    int minute = 0;
    Avant_Modification avant([&] { return Heure.addSecs(60 * minute++); }, [&](const QString &) { return ++questions, true; });
    QVERIFY(avant.Autorise(d.fichier(Nom)));
    QVERIFY(avant.Autorise(d.fichier(Nom)));
    QVERIFY(avant.Autorise(d.fichier(QStringLiteral("TEST1_Dezudidar_ERI_2008.txt"))));
    QCOMPARE(Liste(d.fichier(Nom)).size(), size_t(1));
    QCOMPARE(Liste(d.fichier(QStringLiteral("TEST1_Dezudidar_ERI_2008.txt"))).size(), size_t(1));
    QCOMPARE(questions, 0);

    // A log created by the change itself is backed up at the next one.
    const QString neuf = d.fichier(QStringLiteral("TEST2_Dezudidar_ERI_2007.txt"));
    QVERIFY(avant.Autorise(neuf));
    d.ecrit(QStringLiteral("TEST2_Dezudidar_ERI_2007.txt"), "premier QSO");
    QVERIFY(avant.Autorise(neuf));
    QCOMPARE(Liste(neuf).size(), size_t(1));
}

void Tst_Sauvegardes::sauvegarde_impossible_dite_et_decidee()
{
    Dossier_Test d;
    d.ecrit(Nom, "log");
    d.ecrit(QStringLiteral("Sauvegardes"), "un fichier, pas un dossier");
    QStringList questions;
    bool reponse = false;
    Avant_Modification avant([] { return Heure; }, [&](const QString &texte) {
        questions << texte;
        return reponse;
    });
    // The copy made ahead fails as well: asked as without it.
    avant.Prepare(d.fichier(Nom));
    QVERIFY(!avant.Autorise(d.fichier(Nom)));
    QCOMPARE(questions.size(), 1);
    QVERIFY2(questions.first().contains(QStringLiteral("sauvegarde")) && questions.first().contains(QStringLiteral("sans sauvegarde ?")),
             qPrintable(questions.first()));
    // Refused: asked again at the next change. Accepted: not again in this run.
    reponse = true;
    QVERIFY(avant.Autorise(d.fichier(Nom)));
    QVERIFY(avant.Autorise(d.fichier(Nom)));
    QCOMPARE(questions.size(), 2);
    QCOMPARE(d.lit(Nom), QByteArray("log"));
}

void Tst_Sauvegardes::copie_faite_d_avance_nommee_au_premier_changement()
{
    Dossier_Test d;
    const QByteArray log = "le log au lancement";
    d.ecrit(Nom, log);
    int questions = 0;
    Avant_Modification avant([] { return Heure; }, [&](const QString &) { return ++questions, true; });
    avant.Prepare(d.fichier(Nom));
    QTRY_VERIFY(Marque_Preparee(d, log.size()));
    // Never offered for a restore while it waits.
    QVERIFY(Liste(d.fichier(Nom)).empty());

    QVERIFY(avant.Autorise(d.fichier(Nom)));
    QCOMPARE(Fichiers(d), QStringList{QStringLiteral("TEST1_Dezudidar_ERI_2007_20261207-214502.txt")});
    QCOMPARE(d.lit(QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007_20261207-214502.txt")), "#" + log.mid(1));
    QCOMPARE(questions, 0);
    // Later changes of the run make none.
    QVERIFY(avant.Autorise(d.fichier(Nom)));
    avant.Prepare(d.fichier(Nom));
    QVERIFY(avant.Autorise(d.fichier(Nom)));
    QCOMPARE(Liste(d.fichier(Nom)).size(), size_t(1));
}

void Tst_Sauvegardes::copie_d_avance_perimee_refaite()
{
    QFETCH(QByteArray, ensuite);
    Dossier_Test d;
    const QByteArray log = "le log au lancement";
    d.ecrit(Nom, log);
    Avant_Modification avant([] { return Heure; }, [](const QString &) { return true; });
    avant.Prepare(d.fichier(Nom));
    QTRY_VERIFY(Marque_Preparee(d, log.size()));
    // Changed on disk since, by another program: the backup holds it as it is now.
    QTest::qWait(20);
    d.ecrit(Nom, ensuite);
    QVERIFY(avant.Autorise(d.fichier(Nom)));
    QCOMPARE(Fichiers(d), QStringList{QStringLiteral("TEST1_Dezudidar_ERI_2007_20261207-214502.txt")});
    QCOMPARE(d.lit(QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007_20261207-214502.txt")), ensuite);
}

void Tst_Sauvegardes::copie_d_avance_perimee_refaite_data()
{
    QTest::addColumn<QByteArray>("ensuite");
    QTest::newRow("autre taille") << QByteArray("le log changé depuis le lancement");
    QTest::newRow("même taille") << QByteArray("le log au Lancement");
}

void Tst_Sauvegardes::copie_d_avance_inutile_retiree()
{
    Dossier_Test d;
    d.ecrit(Nom, "2007");
    const QString autre = d.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2008.txt"), "2008");
    {
        Avant_Modification avant([] { return Heure; }, [](const QString &) { return true; });
        avant.Prepare(d.fichier(Nom));
        QTRY_COMPARE(d.lit(Preparee), QByteArray("2007"));
        // Another station or year: the first log's copy goes, the new one's is made.
        avant.Prepare(autre);
        QVERIFY(!d.existe(Preparee));
        QVERIFY(avant.Autorise(autre));
        QCOMPARE(d.lit(Liste(autre).front().chemin.mid(d.chemin().size() + 1)), QByteArray("2008"));
        avant.Prepare(d.fichier(Nom));
        QTRY_COMPARE(d.lit(Preparee), QByteArray("2007"));
    }
    // The run changed nothing more: no copy left behind.
    QCOMPARE(Fichiers(d), QStringList{QStringLiteral("TEST1_Dezudidar_ERI_2008_20261207-214502.txt")});
    QVERIFY(Liste(d.fichier(Nom)).empty());
}

QTEST_GUILESS_MAIN(Tst_Sauvegardes)
#include "tst_sauvegardes.moc"
