// The challenge log to ADIF and back: references, what an import offers, round trip.
#include "Echange_ADIF.h"
#include "Journal.h"
#include "Outils_Test.h"

using namespace Sous_Programmes;
using ADIF::Candidat;

namespace {

QByteArray F(const char *nom, const QByteArray &valeur)
{
    return '<' + QByteArray(nom) + ':' + QByteArray::number(valeur.size()) + '>' + valeur + ' ';
}

QByteArray Enr(const QByteArray &champs) { return champs + "<EOR>\r\n"; }

ADIF::Analyse Analyse(const QByteArray &fichier, const QList<QByteArray> &log, const QString &annee = QStringLiteral("2007"))
{
    return ADIF::Analyse_Import(ADIF::Lit_ADIF(fichier), Contenu_Log(Fichier_De(log)), annee);
}

} // namespace

class Tst_Echange_ADIF : public QObject {
    Q_OBJECT

private slots:
    void reference_dmf_data();
    void reference_dmf();
    void reference_dans_un_texte_data();
    void reference_dans_un_texte();
    void ce_que_l_import_propose();
    void doubles_et_deja_dans_le_log();
    void export_puis_import_a_l_identique();
};

void Tst_Echange_ADIF::reference_dmf_data()
{
    QTest::addColumn<QByteArray>("texte");
    QTest::addColumn<QByteArray>("numero");
    QTest::newRow("tiret") << QByteArray("DMF-21001") << QByteArray("21001");
    QTest::newRow("blanc") << QByteArray("DMF 21001") << QByteArray("21001");
    QTest::newRow("colle, minuscules") << QByteArray("dmf21001") << QByteArray("21001");
    QTest::newRow("numero seul") << QByteArray("21001") << QByteArray("21001");
    QTest::newRow("Corse en minuscules") << QByteArray(" 2a001 ") << QByteArray("2A001");
    QTest::newRow("quatre chiffres") << QByteArray("DMF-2100") << QByteArray();
    QTest::newRow("six chiffres") << QByteArray("210011") << QByteArray();
    QTest::newRow("lettre hors alphabet") << QByteArray("21C01") << QByteArray();
    QTest::newRow("autre programme") << QByteArray("POTA-21001") << QByteArray();
    QTest::newRow("vide") << QByteArray() << QByteArray();
}

void Tst_Echange_ADIF::reference_dmf()
{
    QFETCH(QByteArray, texte);
    QFETCH(QByteArray, numero);
    QCOMPARE(ADIF::Reference_DMF(texte).value_or(QByteArray()), numero);
}

void Tst_Echange_ADIF::reference_dans_un_texte_data()
{
    QTest::addColumn<QByteArray>("texte");
    QTest::addColumn<QByteArray>("numero");
    QTest::newRow("au milieu") << QByteArray("Moulin DMF 21001 tres beau") << QByteArray("21001");
    QTest::newRow("minuscules et point") << QByteArray("visite dmf-2b004.") << QByteArray("2B004");
    QTest::newRow("le second est le bon") << QByteArray("DMF ? puis DMF 29015") << QByteArray("29015");
    QTest::newRow("mot plus long") << QByteArray("ADMF 21001") << QByteArray();
    QTest::newRow("numero trop long") << QByteArray("DMF 210012") << QByteArray();
    QTest::newRow("sans le mot") << QByteArray("moulin 21001") << QByteArray();
}

void Tst_Echange_ADIF::reference_dans_un_texte()
{
    QFETCH(QByteArray, texte);
    QFETCH(QByteArray, numero);
    QCOMPARE(ADIF::Reference_Dans_Texte(texte).value_or(QByteArray()), numero);
}

void Tst_Echange_ADIF::ce_que_l_import_propose()
{
    const QByteArray fichier = "Export d'un autre carnet\r\n" + F("ADIF_VER", "3.1.4") + "<EOH>\r\n"
        + Enr(F("CALL", "f5abc") + F("QSO_DATE", "20070301") + F("SIG", "dmf") + F("SIG_INFO", "DMF-21001"))
        + Enr(F("CALL", "F6XYZ") + F("QSO_DATE", "20070302") + F("COMMENT", "moulin DMF 29015"))
        + Enr(F("CALL", "F1AAA") + F("QSO_DATE", "20070303") + F("NOTES", "dmf:2A004 vu"))
        + Enr(F("CALL", "F2BBB") + F("QSO_DATE", "20070304") + F("COMMENT", "rien"))
        + Enr(F("CALL", "F3CCC") + F("QSO_DATE", "20060304") + F("SIG", "DMF") + F("SIG_INFO", "21009"))
        + Enr(F("CALL", "F4DDD") + F("QSO_DATE", "20070305") + F("MY_SIG", "DMF") + F("MY_SIG_INFO", "21777"))
        + Enr(F("QSO_DATE", "20070306") + F("SIG", "DMF") + F("SIG_INFO", "21010"))
        + Enr(F("CALL", "F5EEE") + F("QSO_DATE", "20070231") + F("SIG", "DMF") + F("SIG_INFO", "21011"))
        + Enr(F("CALL", "F5ABCDEFGHIJK") + F("QSO_DATE", "20070307") + F("SIG", "DMF") + F("SIG_INFO", "21012"))
        + "<CALL:9999>F1";
    const ADIF::Analyse a = Analyse(fichier, {});
    QCOMPARE(a.candidats.size(), size_t(3));
    QCOMPARE(a.sans_dmf, 1);
    QCOMPARE(a.autre_annee, 1);
    QCOMPARE(a.activations, 1);
    QCOMPARE(a.illisibles, 4); // no callsign, no such day, callsign too long, cut short
    const Candidat &c = a.candidats[0];
    QCOMPARE(c.date, QByteArray("01/03/07"));
    QCOMPARE(c.indicatif, QByteArray("F5ABC"));
    QCOMPARE(c.dmf, QByteArray("21001"));
    QCOMPARE(c.type, QByteArray("Moulin Contacte"));
    QCOMPARE(a.candidats[1].dmf, QByteArray("29015"));
    QCOMPARE(a.candidats[2].dmf, QByteArray("2A004"));
    QCOMPARE(ADIF::Ligne_Candidat(c, true), Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC", true));
    QCOMPARE(ADIF::Ligne_Candidat(c, false), Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC", false));

    // A challenge year that is no year takes nothing.
    QCOMPARE(Analyse(fichier, {}, QStringLiteral("ABCD")).candidats.size(), size_t(0));
}

void Tst_Echange_ADIF::doubles_et_deja_dans_le_log()
{
    const QList<QByteArray> log{Ligne("10/02/07", "21001", "Moulin Contacte", "F5ABC"),
                                Ligne("20/02/07", "21001", "Double ou non valid\xE9", "F6XYZ")};
    const QByteArray fichier = Enr(F("CALL", "F5ABC") + F("QSO_DATE", "20070210") + F("SIG", "DMF") + F("SIG_INFO", "21001"))
        + Enr(F("CALL", "F1AAA") + F("QSO_DATE", "20070301") + F("SIG", "DMF") + F("SIG_INFO", "21001"))
        + Enr(F("CALL", "F1AAA") + F("QSO_DATE", "20070302") + F("SIG", "DMF") + F("SIG_INFO", "29015"))
        + Enr(F("CALL", "F2BBB") + F("QSO_DATE", "20070305") + F("SIG", "DMF") + F("SIG_INFO", "29015"));
    const ADIF::Analyse a = Analyse(fichier, log);
    QCOMPARE(a.candidats.size(), size_t(4));
    QCOMPARE(a.candidats[0].etat, Candidat::Etat::Deja_Dans_Le_Log);
    // A number in the log: a double, dated by the log's last line of that number.
    QCOMPARE(a.candidats[1].etat, Candidat::Etat::Double);
    QCOMPARE(a.candidats[1].date_precedente, QByteArray("20/02/07"));
    QCOMPARE(a.candidats[1].type, QByteArray("Double ou non valid\xE9"));
    // A number earlier in the file.
    QCOMPARE(a.candidats[2].etat, Candidat::Etat::Nouveau);
    QCOMPARE(a.candidats[3].etat, Candidat::Etat::Double);
    QCOMPARE(a.candidats[3].date_precedente, QByteArray("02/03/07"));
}

void Tst_Echange_ADIF::export_puis_import_a_l_identique()
{
    // Unsorted, pending, the same day twice, an accented and a typed type,
    // an activation, and lines that hold no QSO.
    const QList<QByteArray> qsos{Ligne("05/03/07", "21001", "Moulin Contacte", "F5ABC"),
                                 Ligne("01/03/07", "29015", "Moulin active", "F8KOB", true),
                                 Ligne("05/03/07", "21001", "Double ou non valid\xE9", "F6XYZ/P"),
                                 Ligne("05/03/07", "2A001", "Reactivation Contactee", "TK5XX"),
                                 Ligne("06/03/07", "21002", "Operateur reactivation", "F1AAA"),
                                 Ligne("07/03/07", "21003", "100% special", "F2BBB", true)};
    const QList<QByteArray> log{qsos[0], qsos[1], "", qsos[2], "12/03", qsos[3], qsos[4], qsos[5]};
    Dossier_Test d;
    const ADIF::Export e = ADIF::Log_Vers_ADIF(Contenu_Log(Fichier_De(log)), QStringLiteral("F8KOB_Dezudidar_ERI_2007.txt"),
                                               QDateTime(QDate(2007, 3, 8), QTime(14, 25, 0), Qt::UTC));
    QCOMPARE(e.qso, 6);
    QCOMPARE(e.sans_qso, 2);
    for (char c : e.octets)
        QVERIFY2(static_cast<unsigned char>(c) < 0x80, "ASCII only");
    QVERIFY(e.octets.contains("<CREATED_TIMESTAMP:15>20070308 142500 "));
    QVERIFY(e.octets.contains("<MY_SIG_INFO:5>29015 "));
    QVERIFY(e.octets.contains("<COMMENT:20>Double ou non valide "));

    const ADIF::Analyse a = Analyse(e.octets, {});
    QCOMPARE(a.candidats.size(), size_t(6));
    std::vector<QByteArray> lignes;
    for (const Candidat &c : a.candidats)
        lignes.push_back(ADIF::Ligne_Candidat(c, false));
    const QString vide = d.ecrit(QStringLiteral("F8KOB_Dezudidar_ERI_2007.txt"), QByteArray());
    QVERIFY(Insere_QSO_Par_Date(vide, lignes).ok());
    QCOMPARE(d.lit(QStringLiteral("F8KOB_Dezudidar_ERI_2007.txt")), Fichier_De(qsos));

    // Read back into the log it came from, nothing is new.
    for (const Candidat &c : Analyse(e.octets, log).candidats)
        QCOMPARE(c.etat, Candidat::Etat::Deja_Dans_Le_Log);
}

QTEST_GUILESS_MAIN(Tst_Echange_ADIF)
#include "tst_echange_adif.moc"
