#include "Outils_Test.h"
#include "Spots.h"

#include "Journal.h"

#include <QTest>

using namespace Cluster;
using namespace Sous_Programmes;

namespace {

const QDateTime Recu(QDate(2026, 12, 7), QTime(12, 40), Qt::UTC);

} // namespace

class Tst_Spots : public QObject {
    Q_OBJECT

private slots:
    void nettoyage_data();
    void nettoyage();
    void lignes_de_spot_data();
    void lignes_de_spot();
    void lignes_refusees_data();
    void lignes_refusees();
    void spot_de_la_veille();
    void etats_selon_le_log();
    void liste_la_plus_recente_devant();
    void rangee_cachee_jusqu_au_spot_suivant();
    void spots_trop_anciens_retires();
};

void Tst_Spots::nettoyage_data()
{
    QTest::addColumn<QByteArray>("brut");
    QTest::addColumn<QByteArray>("propre");
    QTest::newRow("BEL") << QByteArray("DX de F5XYZ:\x07\x07 7012.0") << QByteArray("DX de F5XYZ: 7012.0");
    QTest::newRow("couleurs ANSI") << QByteArray("\x1b[1;33mDX de\x1b[0m F5XYZ:\x1b[K") << QByteArray("DX de F5XYZ:");
    QTest::newRow("CR et NUL") << QByteArray("abc\r\0def\r", 9) << QByteArray("abcdef");
    QTest::newRow("tabulation") << QByteArray("a\tb") << QByteArray("a b");
    QTest::newRow("ESC seul puis octet") << QByteArray("a\x1b" "7b") << QByteArray("ab");
    QTest::newRow("séquence coupée en fin") << QByteArray("abc\x1b[12") << QByteArray("abc");
    QTest::newRow("DEL") << QByteArray("a\x7f" "b") << QByteArray("ab");
    QTest::newRow("octets hauts gardés") << QByteArray("Moulin d'\xE9t\xE9") << QByteArray("Moulin d'\xE9t\xE9");
}

void Tst_Spots::nettoyage()
{
    QFETCH(QByteArray, brut);
    QFETCH(QByteArray, propre);
    QCOMPARE(Nettoie_Ligne(brut), propre);
}

void Tst_Spots::lignes_de_spot_data()
{
    QTest::addColumn<QByteArray>("ligne");
    QTest::addColumn<QByteArray>("indicatif");
    QTest::addColumn<QByteArray>("dmf");
    QTest::addColumn<QByteArray>("frequence");
    QTest::addColumn<QByteArray>("commentaire");
    QTest::addColumn<QByteArray>("spotteur");
    QTest::addColumn<QDateTime>("quand");
    const QDateTime a_1234(QDate(2026, 12, 7), QTime(12, 34), Qt::UTC);
    QTest::newRow("diffusion") << QByteArray("DX de F5XYZ:     7012.0  F1ABC/P      DMF 21001 CW        1234Z")
                               << QByteArray("F1ABC/P") << QByteArray("21001") << QByteArray("7012.0")
                               << QByteArray("DMF 21001 CW") << QByteArray("F5XYZ") << a_1234;
    QTest::newRow("diffusion avec locator")
        << QByteArray("DX de F5XYZ-#:   3532.5  f4aaa        dmf-2A001 SSB      1234Z JN18") << QByteArray("F4AAA")
        << QByteArray("2A001") << QByteArray("3532.5") << QByteArray("dmf-2A001 SSB") << QByteArray("F5XYZ-#") << a_1234;
    QTest::newRow("liste sh/dx")
        << QByteArray("  7012.0  F1ABC/P     07-Dec-2026 1234Z  DMF 21001 CW      <F5XYZ>") << QByteArray("F1ABC/P")
        << QByteArray("21001") << QByteArray("7012.0") << QByteArray("DMF 21001 CW") << QByteArray("F5XYZ") << a_1234;
    QTest::newRow("liste, jour d'un chiffre")
        << QByteArray(" 14285.0  F6DEF        6-Nov-2026 0905Z dmf21002        <F5XYZ>") << QByteArray("F6DEF")
        << QByteArray("21002") << QByteArray("14285.0") << QByteArray("dmf21002") << QByteArray("F5XYZ")
        << QDateTime(QDate(2026, 11, 6), QTime(9, 5), Qt::UTC);
    QTest::newRow("DMF: et minuscules") << QByteArray("DX de F5XYZ:  7012  F1ABC  moulin DMF: 2b012 qrv  1234Z")
                                        << QByteArray("F1ABC") << QByteArray("2B012") << QByteArray("7012")
                                        << QByteArray("moulin DMF: 2b012 qrv") << QByteArray("F5XYZ") << a_1234;
}

void Tst_Spots::lignes_de_spot()
{
    QFETCH(QByteArray, ligne);
    const auto s = Lit_Spot(ligne, Recu);
    QVERIFY(s);
    QTEST(s->indicatif, "indicatif");
    QTEST(s->dmf, "dmf");
    QTEST(s->frequence, "frequence");
    QTEST(s->commentaire, "commentaire");
    QTEST(s->spotteur, "spotteur");
    QTEST(s->quand, "quand");
    QCOMPARE(s->heure, s->quand.toString(QStringLiteral("HHmm")).toLatin1());
}

void Tst_Spots::lignes_refusees_data()
{
    QTest::addColumn<QByteArray>("ligne");
    QTest::newRow("sans DMF") << QByteArray("DX de F5XYZ:     7012.0  F1ABC        CQ POTA 21001     1234Z");
    QTest::newRow("nombre seul") << QByteArray("DX de F5XYZ:     7012.0  F1ABC        21001             1234Z");
    QTest::newRow("DMF collé à un mot") << QByteArray("DX de F5XYZ:  7012.0  F1ABC  XDMF 21001  1234Z");
    QTest::newRow("numéro trop long") << QByteArray("DX de F5XYZ:  7012.0  F1ABC  DMF 210012  1234Z");
    QTest::newRow("sans heure") << QByteArray("DX de F5XYZ:     7012.0  F1ABC        DMF 21001 CW");
    QTest::newRow("heure impossible") << QByteArray("DX de F5XYZ:  7012.0  F1ABC  DMF 21001  2567Z");
    QTest::newRow("fréquence illisible") << QByteArray("DX de F5XYZ:  70x2.0  F1ABC  DMF 21001  1234Z");
    QTest::newRow("fréquence nulle") << QByteArray("DX de F5XYZ:  0.0  F1ABC  DMF 21001  1234Z");
    QTest::newRow("sans spotteur") << QByteArray("DX de :  7012.0  F1ABC  DMF 21001  1234Z");
    QTest::newRow("liste sans spotteur") << QByteArray("7012.0  F1ABC  07-Dec-2026 1234Z  DMF 21001");
    QTest::newRow("liste, mois inconnu") << QByteArray("7012.0  F1ABC  07-Dek-2026 1234Z  DMF 21001 <F5XYZ>");
    QTest::newRow("liste, 31 novembre") << QByteArray("7012.0  F1ABC  31-Nov-2026 1234Z  DMF 21001 <F5XYZ>");
    QTest::newRow("invite") << QByteArray("F5XYZ de F1NODE  7-Dec-2026 1234Z dxspider >");
    QTest::newRow("annonce") << QByteArray("To ALL de F1NODE: DMF 21001 demain 0800Z");
    QTest::newRow("vide") << QByteArray();
    QTest::newRow("trop longue") << QByteArray("DX de F5XYZ:  7012.0  F1ABC  DMF 21001 ") + QByteArray(1000, 'x') + " 1234Z";
}

void Tst_Spots::lignes_refusees()
{
    QFETCH(QByteArray, ligne);
    QVERIFY(!Lit_Spot(ligne, Recu));
}

void Tst_Spots::spot_de_la_veille()
{
    const QDateTime minuit(QDate(2026, 12, 7), QTime(0, 5), Qt::UTC);
    const auto hier = Lit_Spot("DX de F5XYZ:  7012.0  F1ABC  DMF 21001  2358Z", minuit);
    QVERIFY(hier);
    QCOMPARE(hier->quand, QDateTime(QDate(2026, 12, 6), QTime(23, 58), Qt::UTC));
    // A node's clock a few minutes ahead stays on the same day.
    const auto avance = Lit_Spot("DX de F5XYZ:  7012.0  F1ABC  DMF 21001  1250Z", Recu);
    QVERIFY(avance);
    QCOMPARE(avance->quand.date(), Recu.date());
}

void Tst_Spots::etats_selon_le_log()
{
    const QByteArray log = Ligne("05/03/07", "21001", "Moulin Contacte", "F5ABC") + "\r\n"
                           + Ligne("20/01/07", "21001", "Moulin Contacte", "F5ABC") + "\r\n"
                           + Ligne("12/03/07", "21002", "Moulin Contacte", "F6XYZ", true) + "\r\n" + "\r\n"
                           + Ligne("15/03/07", "2A001", "Moulin Contacte", "F6XYZ", true) + "\r\n"
                           + Ligne("14/03/07", "2A001", "Moulin Contacte", "F6XYZ") + "\r\n"
                           + Ligne("xx/yy/zz", "21003", "Moulin Contacte", "F6XYZ") + "\r\n"
                           + Ligne("01/01/07", "21004", "Moulin Contacte", "F6XYZ") + "\r\n"
                           + Ligne("xx/yy/zz", "21004", "Moulin Contacte", "F6XYZ") + "\r\n" + "ligne cassée\r\n";
    const Index_Log index{Contenu_Log(log)};
    QByteArray date;
    // The latest date, not the file's last line.
    QCOMPARE(index.etat("21001", &date), Etat::Contacte);
    QCOMPARE(date, QByteArray("05/03/07"));
    QCOMPARE(index.etat("21002"), Etat::En_Attente);
    // A validated line wins over a pending one.
    QCOMPARE(index.etat("2A001", &date), Etat::Contacte);
    QCOMPARE(date, QByteArray("14/03/07"));
    // No calendar date: the line's own text; one with a date wins over it.
    QCOMPARE(index.etat("21003", &date), Etat::Contacte);
    QCOMPARE(date, QByteArray("xx/yy/zz"));
    QCOMPARE(index.etat("21004", &date), Etat::Contacte);
    QCOMPARE(date, QByteArray("01/01/07"));
    QCOMPARE(index.etat("21005"), Etat::Nouveau);
    QCOMPARE(Index_Log().etat("21001"), Etat::Nouveau);
}

void Tst_Spots::liste_la_plus_recente_devant()
{
    const auto spot = [](const QByteArray &indicatif, const QByteArray &dmf, int minute, const QByteArray &commentaire = {}) {
        Spot s;
        s.indicatif = indicatif;
        s.dmf = dmf;
        s.quand = QDateTime(QDate(2026, 12, 7), QTime(12, minute), Qt::UTC);
        s.commentaire = commentaire;
        return s;
    };
    Liste_Spots liste;
    // As sh/dx lists them, newest first, then a broadcast.
    liste.ajoute(spot("F1AAA", "21003", 30));
    liste.ajoute(spot("F1BBB", "21002", 20));
    liste.ajoute(spot("F1CCC", "21001", 10));
    liste.ajoute(spot("F1DDD", "21004", 40));
    QCOMPARE(liste.nombre(), 4);
    QCOMPARE(liste.spot(0).indicatif, QByteArray("F1DDD"));
    QCOMPARE(liste.spot(1).indicatif, QByteArray("F1AAA"));
    QCOMPARE(liste.spot(3).indicatif, QByteArray("F1CCC"));

    // Spotted again: the row moves up with its new comment, not a second row.
    liste.ajoute(spot("F1CCC", "21001", 45, "QSY 7020"));
    QCOMPARE(liste.nombre(), 4);
    QCOMPARE(liste.spot(0).indicatif, QByteArray("F1CCC"));
    QCOMPARE(liste.spot(0).commentaire, QByteArray("QSY 7020"));
    // An older copy of it (a late listing) changes nothing.
    liste.ajoute(spot("F1CCC", "21001", 5, "ancien"));
    QCOMPARE(liste.nombre(), 4);
    QCOMPARE(liste.spot(0).commentaire, QByteArray("QSY 7020"));
    // The same callsign on another mill is another row.
    liste.ajoute(spot("F1CCC", "21009", 46));
    QCOMPARE(liste.nombre(), 5);

    // Past the limit, the oldest go.
    for (int i = 0; i < Liste_Spots::Maximum + 20; ++i)
        liste.ajoute(spot(QByteArray("F") + QByteArray::number(i), "21100", 50 + i % 9));
    QCOMPARE(liste.nombre(), Liste_Spots::Maximum);
    for (qsizetype i = 1; i < liste.nombre(); ++i)
        QVERIFY(liste.spot(i - 1).quand >= liste.spot(i).quand);
    QVERIFY(liste.spot(liste.nombre() - 1).quand.time().minute() >= 50);
}

namespace {
Spot Spot_A(const QByteArray &indicatif, const QByteArray &dmf, int minute)
{
    Spot s;
    s.indicatif = indicatif;
    s.dmf = dmf;
    s.quand = QDateTime(QDate(2026, 12, 7), QTime(12, minute), Qt::UTC);
    return s;
}
} // namespace

void Tst_Spots::rangee_cachee_jusqu_au_spot_suivant()
{
    Liste_Spots liste;
    QVERIFY(liste.ajoute(Spot_A("F1AAA", "21003", 30)));
    QVERIFY(liste.ajoute(Spot_A("F1BBB", "21003", 31)));
    liste.cache(1);
    QCOMPARE(liste.nombre(), 1);
    QCOMPARE(liste.spot(0).indicatif, QByteArray("F1BBB"));
    // The same spot listed again by the node stays hidden.
    QVERIFY(!liste.ajoute(Spot_A("F1AAA", "21003", 30)));
    QCOMPARE(liste.nombre(), 1);
    // Another station on that mill, or that station on another, is shown.
    QVERIFY(liste.ajoute(Spot_A("F1CCC", "21003", 32)));
    QVERIFY(liste.ajoute(Spot_A("F1AAA", "21004", 32)));
    QCOMPARE(liste.nombre(), 3);
    // That station spotting that mill again brings its row back, once.
    QVERIFY(liste.ajoute(Spot_A("F1AAA", "21003", 35)));
    QCOMPARE(liste.nombre(), 4);
    QCOMPARE(liste.spot(0).indicatif, QByteArray("F1AAA"));
    QCOMPARE(liste.spot(0).dmf, QByteArray("21003"));
}

void Tst_Spots::spots_trop_anciens_retires()
{
    Liste_Spots liste;
    for (int minute : {10, 20, 29, 30, 45})
        liste.ajoute(Spot_A("F1AAA", QByteArray::number(21000 + minute), minute));
    liste.retire_avant(QDateTime(QDate(2026, 12, 7), QTime(12, 29), Qt::UTC));
    QCOMPARE(liste.nombre(), 3);
    QCOMPARE(liste.spot(2).dmf, QByteArray("21029"));
    liste.retire_avant(QDateTime(QDate(2026, 12, 7), QTime(13, 0), Qt::UTC));
    QCOMPARE(liste.nombre(), 0);
}

QTEST_GUILESS_MAIN(Tst_Spots)
#include "tst_spots.moc"
