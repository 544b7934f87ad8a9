#include "Bilan_Annees.h"
#include "Outils_Test.h"

#include "Departements.h"
#include "Journal.h"
#include "Points.h"

#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Bilan;
using namespace Sous_Programmes;

namespace {

QByteArray L(const char *date, const char *dmf, const char *type = "Moulin Contacte", bool attente = false)
{
    return Ligne(date, dmf, type, "F5ABC", attente) + "\r\n";
}

} // namespace

class Tst_Bilan_Annees : public QObject {
    Q_OBJECT

private slots:
    void jour_de_l_annee_data();
    void jour_de_l_annee();
    void points_jour_par_jour_jusqu_au_total();
    void mois_valides_et_en_attente();
    void departements_comme_la_carte();
    void lignes_blanches_cassees_ou_sans_date();
    void annee_sans_qso();
    void dix_ans_de_logs();
    void logs_illisibles_ou_hostiles();
};

void Tst_Bilan_Annees::jour_de_l_annee_data()
{
    QTest::addColumn<int>("mois");
    QTest::addColumn<int>("jour");
    QTest::addColumn<int>("indice");
    QTest::newRow("1er janvier") << 1 << 1 << 0;
    QTest::newRow("28 février") << 2 << 28 << 58;
    QTest::newRow("29 février") << 2 << 29 << 59;
    QTest::newRow("1er mars") << 3 << 1 << 60;
    QTest::newRow("31 décembre") << 12 << 31 << 365;
}

void Tst_Bilan_Annees::jour_de_l_annee()
{
    QFETCH(int, mois);
    QFETCH(int, jour);
    QTEST(Jour_De_L_Annee(mois, jour), "indice");
}

void Tst_Bilan_Annees::points_jour_par_jour_jusqu_au_total()
{
    Dossier_Test dossier;
    // Out of date order, as imports and insertions may leave a log.
    const QByteArray log = L("10/03/26", "21001", "Moulin active")            // 6
                           + L("02/01/26", "21002")                          // 2
                           + L("02/01/26", "35001", "Reactivation Contactee") // 1
                           + L("15/06/26", "21003", "Moulin Contacte", true)  // 0, pending
                           + L("31/12/26", "29015", "Operateur activation")   // 6
                           + L("20/02/26", "21002", "Double ou non valid\xE9"); // 0
    dossier.ecrit(QStringLiteral("F5ABC_Dezudidar_ERI_2026.txt"), log);
    const Annee a = Calcule_Annee(Contenu_Log(log), QStringLiteral("2026"));
    QCOMPARE(a.points, Calcul_Total(dossier.fichier(QStringLiteral("F5ABC_Dezudidar_ERI_2026.txt"))).valeur());
    QCOMPARE(a.points_cumules.back(), a.points);
    QCOMPARE(a.points_cumules[0], 0);
    QCOMPARE(a.points_cumules[1], 3);                     // 2 January
    QCOMPARE(a.points_cumules[Jour_De_L_Annee(3, 9)], 3);
    QCOMPARE(a.points_cumules[Jour_De_L_Annee(3, 10)], 9);
    QCOMPARE(a.points_cumules[Jour_De_L_Annee(12, 30)], 9);
    QCOMPARE(a.points, 15);
    QVERIFY(std::is_sorted(a.points_cumules.begin(), a.points_cumules.end()));
    QCOMPARE(a.qso, 6);
    QCOMPARE(a.moulins, 5);
    QCOMPARE(a.en_attente, 1);
    QCOMPARE(a.sans_date, 0);
}

void Tst_Bilan_Annees::mois_valides_et_en_attente()
{
    const QByteArray log = L("05/01/26", "21001") + L("06/01/26", "21002", "Moulin Contacte", true) + L("31/01/26", "21003")
                           + L("01/07/26", "21004", "Moulin Contacte", true) + L("15/12/26", "21005")
                           + L("16/12/26", "21005", "Moulin active");
    const Annee a = Calcule_Annee(Contenu_Log(log), QStringLiteral("2026"));
    QCOMPARE(a.mois_valides, (std::array<int, 12>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}));
    QCOMPARE(a.mois_en_attente, (std::array<int, 12>{1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}));
}

void Tst_Bilan_Annees::departements_comme_la_carte()
{
    const QByteArray log = L("03/02/26", "21001") + L("01/02/26", "21999") + L("10/02/26", "2A001")
                           + L("11/02/26", "2B002", "Moulin Contacte", true) + L("12/03/26", "00123") // box 0: not counted
                           + L("13/03/26", "9A001") + L("14/03/26", "5 001") + L("20/04/26", "35001");
    const Contenu_Log contenu(log);
    const Annee a = Calcule_Annee(contenu, QStringLiteral("2026"));
    QCOMPARE(a.departements, Colore_Carte(contenu).nombre);
    QCOMPARE(a.departements_cumules.back(), a.departements);
    QCOMPARE(a.moulins, 8);
    // A number the entry would not take still counts once.
    QCOMPARE(Calcule_Annee(Contenu_Log(log + L("15/03/26", "5 001") + L("16/03/26", "21001")), QStringLiteral("2026")).moulins, 8);
    QCOMPARE(a.departements_cumules[Jour_De_L_Annee(1, 31)], 0);
    QCOMPARE(a.departements_cumules[Jour_De_L_Annee(2, 1)], 1);  // 21, on its first day
    QCOMPARE(a.departements_cumules[Jour_De_L_Annee(2, 3)], 1);  // 21 again
    QCOMPARE(a.departements_cumules[Jour_De_L_Annee(2, 11)], 3); // 2A, 2B
    QCOMPARE(a.departements_cumules[Jour_De_L_Annee(3, 14)], 5); // 9x and 5 by their digits
    QCOMPARE(a.departements_cumules[Jour_De_L_Annee(4, 20)], 6);
}

void Tst_Bilan_Annees::lignes_blanches_cassees_ou_sans_date()
{
    const QByteArray log = L("02/01/26", "21001", "Moulin active") + "\r\n" + "   \r\n" + "cassée\r\n"
                           + L("31/02/26", "21002", "Moulin active")  // no such day
                           + L("xx/yy/zz", "21003")                   // no date
                           + L("29/02/24", "21004")                   // a leap day, of another year
                           + L("29/02/26", "21005")                   // not in 2026
                           + L("05/01/26", "     ");                  // no mill: no QSO
    const Contenu_Log contenu(log);
    const Annee a = Calcule_Annee(contenu, QStringLiteral("2026"));
    QCOMPARE(a.points, Total_Contenu(contenu));
    QCOMPARE(a.qso, 5);
    QCOMPARE(a.sans_date, 3);
    // Undated lines count in the total, not on the curve.
    QCOMPARE(a.points_cumules.back(), a.points - 6 - 2 - 2);
    QCOMPARE(a.points_cumules[Jour_De_L_Annee(1, 4)], 6);
    QCOMPARE(a.points_cumules[Jour_De_L_Annee(1, 5)], 8); // a line without a mill still has its points
    QCOMPARE(a.points_cumules[Jour_De_L_Annee(2, 28)], 8);
    QCOMPARE(a.points_cumules[Jour_De_L_Annee(2, 29)], 10);
    QCOMPARE(a.mois_valides[1], 1);
}

void Tst_Bilan_Annees::annee_sans_qso()
{
    const Annee a = Calcule_Annee(Contenu_Log(QByteArray("\r\n")), QStringLiteral("2026"));
    QCOMPARE(a.qso, 0);
    QCOMPARE(a.points, 0);
    QCOMPARE(a.departements, 0);
    QCOMPARE(a.points_cumules.back(), 0);
    QCOMPARE(a.departements_cumules.back(), 0);
    QCOMPARE(a.mois_valides, (std::array<int, 12>{}));
}

void Tst_Bilan_Annees::dix_ans_de_logs()
{
    Dossier_Test dossier;
    for (int annee = 2016; annee <= 2025; ++annee) {
        QByteArray log;
        for (int i = 0; i <= annee - 2016; ++i)
            log += L(qPrintable(QStringLiteral("%1/03/%2").arg(i + 1, 2, 10, QLatin1Char('0')).arg(annee % 100)),
                     qPrintable(QStringLiteral("%1001").arg(10 + i)));
        dossier.ecrit(QStringLiteral("F5ABC_Dezudidar_ERI_%1.txt").arg(annee), log);
    }
    // Not this station's, nor by the naming rule.
    dossier.ecrit(QStringLiteral("F5ABCD_Dezudidar_ERI_2020.txt"), L("01/01/20", "21001"));
    dossier.ecrit(QStringLiteral("F6XYZ_Dezudidar_ERI_2020.txt"), L("01/01/20", "21001"));
    dossier.ecrit(QStringLiteral("F5ABC_Dezudidar_ERI_2020.txt.bak"), L("01/01/20", "21001"));
    dossier.ecrit(QStringLiteral("F5ABC_Dezudidar_ERI_20.txt"), L("01/01/20", "21001"));
    QVERIFY(QDir(dossier.chemin()).mkpath(QStringLiteral("F5ABC_Dezudidar_ERI_2015.txt")));
    dossier.ecrit(QStringLiteral("F5ABC_Dezudidar_ERI_2026.txt"), L("05/01/26", "21001"));

    const Statistiques s = Lit_Statistiques(dossier.chemin(), QStringLiteral("F5ABC"), QStringLiteral("2026"));
    QCOMPARE(s.annees.size(), size_t(11));
    QCOMPARE(s.annees[0].annee, QStringLiteral("2026"));
    QCOMPARE(s.annees[1].annee, QStringLiteral("2025"));
    QCOMPARE(s.annees[10].annee, QStringLiteral("2016"));
    for (size_t i = 1; i < s.annees.size(); ++i) {
        QCOMPARE(s.annees[i].qso, qsizetype(s.annees[i].annee.toInt() - 2015));
        QCOMPARE(s.annees[i].points_cumules.back(), s.annees[i].points);
    }
    QVERIFY2(s.ignores.isEmpty(), qPrintable(s.ignores.join(u'\n')));

    // A station without its current log yet: the other years all the same.
    QVERIFY(QFile::remove(dossier.fichier(QStringLiteral("F5ABC_Dezudidar_ERI_2026.txt"))));
    const Statistiques sans = Lit_Statistiques(dossier.chemin(), QStringLiteral("F5ABC"), QStringLiteral("2026"));
    QCOMPARE(sans.annees.size(), size_t(10));
    QCOMPARE(sans.annees[0].annee, QStringLiteral("2025"));
    QVERIFY(sans.ignores.isEmpty());
}

void Tst_Bilan_Annees::logs_illisibles_ou_hostiles()
{
    Dossier_Test dossier;
    dossier.ecrit(QStringLiteral("F5ABC_Dezudidar_ERI_2026.txt"), L("05/01/26", "21001"));
    dossier.ecrit(QStringLiteral("F5ABC_Dezudidar_ERI_2024.txt"), L("05/01/24", "21001"));
    {
        // A huge file, without its bytes on the disk.
        QFile enorme(dossier.fichier(QStringLiteral("F5ABC_Dezudidar_ERI_2023.txt")));
        QVERIFY(enorme.open(QIODevice::WriteOnly));
        QVERIFY(enorme.resize(qint64(200) * 1024 * 1024));
    }
    int attendus = 1;
#ifdef Q_OS_UNIX
    QVERIFY(mkfifo(QFile::encodeName(dossier.fichier(QStringLiteral("F5ABC_Dezudidar_ERI_2025.txt"))).constData(), 0600) == 0);
    ++attendus;
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), dossier.fichier(QStringLiteral("F5ABC_Dezudidar_ERI_2022.txt"))));
    ++attendus;
#endif
    const Statistiques s = Lit_Statistiques(dossier.chemin(), QStringLiteral("F5ABC"), QStringLiteral("2026"));
    QCOMPARE(s.annees.size(), size_t(2));
    QCOMPARE(s.annees[1].annee, QStringLiteral("2024"));
    QCOMPARE(s.ignores.size(), attendus);
    QVERIFY(s.ignores.first().startsWith(QStringLiteral("Log de ")));
    QVERIFY(s.ignores.join(u'\n').contains(QStringLiteral("Log de 2023 ignoré : ")));
#ifdef Q_OS_UNIX
    QVERIFY(s.ignores.join(u'\n').contains(QStringLiteral("Log de 2025 ignoré : ")));
    QVERIFY(s.ignores.join(u'\n').contains(QStringLiteral("Log de 2022 ignoré : ")));
#endif
}

QTEST_GUILESS_MAIN(Tst_Bilan_Annees)
#include "tst_bilan_annees.moc"
