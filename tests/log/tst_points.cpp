#include "Journal.h"
#include "Outils_Test.h"
#include "Points.h"

using namespace Sous_Programmes;

class Tst_Points : public QObject {
    Q_OBJECT

private slots:
    void points_par_ligne_data();
    void points_par_ligne();
    void total_du_log_data();
    void total_du_log();
    void total_sans_log();
    void types_dans_l_ordre_de_la_liste();
};

void Tst_Points::points_par_ligne_data()
{
    QTest::addColumn<QByteArray>("ligne");
    QTest::addColumn<int>("points");

    const QList<QPair<const char *, int>> table{{"Moulin Contacte", 2},      {"Reactivation Contactee", 1},
                                                {"Resident Contacte", 1},    {"Moulin active", 6},
                                                {"Reactivation activee", 3}, {"Resident active", 3},
                                                {"Operateur activation", 6}, {"Operateur reactivation", 3},
                                                {"Double ou non valid\xE9", 0}};
    for (const auto &[type, points] : table) {
        QTest::newRow(type) << Ligne("01/03/07", "21001", type, "F5ABC") << points;
        QTest::newRow(qPrintable(QStringLiteral("%1 en attente").arg(QString::fromLatin1(type))))
            << Ligne("01/03/07", "21001", type, "F5ABC", true) << 0;
    }
    QTest::newRow("capitales: rien") << Ligne("01/03/07", "21001", "MOULIN CONTACTE", "F5ABC") << 0;
    QTest::newRow("blanc devant: enlevé") << Ligne("01/03/07", "21001", " Moulin Contacte", "F5ABC") << 2;
    QTest::newRow("Double seul: rien") << Ligne("01/03/07", "21001", "Double", "F5ABC") << 0;
    QTest::newRow("texte tapé: rien") << Ligne("01/03/07", "21001", "Moulin", "F5ABC") << 0;
    QTest::newRow("ligne vide") << QByteArray() << 0;
    QTest::newRow("ligne coupée dans le type") << QByteArray("01/03/07  21001  Moulin active") << 6;
    QTest::newRow("tabulation non enlevée") << Ligne("01/03/07", "21001", "\tMoulin active", "F5ABC") << 0;
}

void Tst_Points::points_par_ligne()
{
    QFETCH(QByteArray, ligne);
    QFETCH(int, points);
    QCOMPARE(Points_QSO(ligne), points);
}

void Tst_Points::total_du_log_data()
{
    QTest::addColumn<QList<QByteArray>>("lignes");
    QTest::addColumn<long long>("total");

    const QByteArray contacte = Ligne("01/03/07", "21001", "Moulin Contacte", "F1");
    const QByteArray active = Ligne("02/03/07", "21002", "Moulin active", "F2");
    const QByteArray active_attente = Ligne("02/03/07", "21002", "Moulin active", "F2", true);
    const QByteArray reactivation = Ligne("03/03/07", "21003", "Reactivation activee", "F3");
    const QByteArray double_ = Ligne("04/03/07", "21002", "Double ou non valid\xE9", "F4");
    QTest::newRow("vide") << QList<QByteArray>{} << 0LL;
    QTest::newRow("2 + 6 + 3") << QList<QByteArray>{contacte, active, reactivation} << 11LL;
    QTest::newRow("le 6 en attente") << QList<QByteArray>{contacte, active_attente, reactivation} << 5LL;
    QTest::newRow("double après un 6") << QList<QByteArray>{active, double_, contacte} << 8LL;
    QTest::newRow("ligne vide au milieu") << QList<QByteArray>{contacte, QByteArray(), contacte} << 4LL;
}

void Tst_Points::total_du_log()
{
    QFETCH(QList<QByteArray>, lignes);
    QFETCH(long long, total);
    Dossier_Test d;
    const auto r = Calcul_Total(d.ecrit(QStringLiteral("log.txt"), Fichier_De(lignes)));
    QVERIFY2(r.ok(), qPrintable(r.erreur()));
    QCOMPARE(r.valeur(), total);
}

void Tst_Points::total_sans_log()
{
    Dossier_Test d;
    const auto r = Calcul_Total(d.fichier(QStringLiteral("absent.txt")));
    QVERIFY(!r.ok());
    QVERIFY(r.erreur().contains(QStringLiteral("introuvable")));
}

void Tst_Points::types_dans_l_ordre_de_la_liste()
{
    const QStringList textes = Textes_Types_Activite();
    QCOMPARE(textes.size(), 9);
    QCOMPARE(textes.first(), QStringLiteral("Moulin Contacte"));
    QCOMPARE(textes.at(3), QStringLiteral("Moulin active"));
    QCOMPARE(textes.last(), QString::fromUtf8("Double ou non validé"));
}

QTEST_GUILESS_MAIN(Tst_Points)
#include "tst_points.moc"
