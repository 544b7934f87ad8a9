// The challenge log to ADIF and back: references, what an import offers, round trip.
#include "Echange_ADIF.h"
#include "Journal.h"
#include "Memoire_Residente.h"
#include "ADIF_Test.h"
#include "Outils_Test.h"

using namespace Sous_Programmes;
using ADIF::Candidat;

namespace {

ADIF::Analyse Analyse(const QByteArray &fichier, const QList<QByteArray> &log, const QString &annee = QStringLiteral("2007"))
{
    ADIF::Lecteur lecteur(fichier);
    auto a = ADIF::Analyse_Import(lecteur, Contenu_Log(Fichier_De(log)), annee);
    if (!a)
        qFatal("analysis failed");
    return std::move(a).valeur();
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
    void reference_dmf_fautive_montree_refusee_data();
    void reference_dmf_fautive_montree_refusee();
    void doubles_et_deja_dans_le_log();
    void export_puis_import_a_l_identique();
    void export_pretendu_verifie_comme_la_saisie_data();
    void export_pretendu_verifie_comme_la_saisie();
    void lu_par_morceaux_comme_en_memoire();
    void memoire_bornee_par_la_taille_du_fichier_data();
    void memoire_bornee_par_la_taille_du_fichier();
    void lu_du_fichier_comme_en_memoire_data();
    void lu_du_fichier_comme_en_memoire();
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
    QCOMPARE(a.candidats.size(), size_t(6));
    QCOMPARE(a.sans_dmf, 1);
    QCOMPARE(a.autre_annee, 1);
    QCOMPARE(a.activations, 1);
    QCOMPARE(a.illisibles, 1); // cut short
    // With a reference but refused as the entry would: shown, saying which field.
    const QStringList champs{QStringLiteral("« Indicatif »"), QStringLiteral("« Date »"), QStringLiteral("« Indicatif »")};
    for (int i = 0; i < 3; ++i) {
        const Candidat &r = a.candidats[size_t(3 + i)];
        QCOMPARE(r.etat, Candidat::Etat::Refuse);
        QVERIFY2(a.remarque(r).contains(champs[i]), qPrintable(a.remarque(r)));
    }
    QCOMPARE(a.candidats[4].date.octets(), QByteArray("20070231"));
    QVERIFY(a.candidats[5].indicatif.coupe());
    const Candidat &c = a.candidats[0];
    QCOMPARE(c.date.octets(), QByteArray("01/03/07"));
    QCOMPARE(c.indicatif.octets(), QByteArray("F5ABC"));
    QCOMPARE(c.dmf.octets(), QByteArray("21001"));
    QCOMPARE(a.type(c), QByteArray("Moulin Contacte"));
    QCOMPARE(a.candidats[1].dmf.octets(), QByteArray("29015"));
    QCOMPARE(a.candidats[2].dmf.octets(), QByteArray("2A004"));
    QCOMPARE(a.ligne(c, true), Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC", true));
    QCOMPARE(a.ligne(c, false), Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC", false));

    // A challenge year that is no year takes nothing.
    QCOMPARE(Analyse(fichier, {}, QStringLiteral("ABCD")).candidats.size(), size_t(0));
}

void Tst_Echange_ADIF::reference_dmf_fautive_montree_refusee_data()
{
    QTest::addColumn<QByteArray>("champs"); // of the record, besides its callsign and date
    QTest::addColumn<QString>("remarque");  // empty: no line refused
    QTest::addColumn<int>("sans_dmf");
    QTest::newRow("quatre chiffres") << F("SIG", "DMF") + F("SIG_INFO", "2900")
                                     << "Refusé, champ « SIG_INFO » : « 2900 » n'est pas un N° DMF (5 chiffres, 2A ou 2B pour la Corse)" << 0;
    QTest::newRow("lettre O pour un zéro") << F("SIG", "dmf") + F("SIG_INFO", "21O01")
                                           << "Refusé, champ « SIG_INFO » : « 21O01 » n'est pas un N° DMF (5 chiffres, 2A ou 2B pour la Corse)" << 0;
    QTest::newRow("deux numéros") << F("SIG", "DMF") + F("SIG_INFO", "21001,21002")
                                  << "Refusé, champ « SIG_INFO » : « 21001,21002 » n'est pas un N° DMF (5 chiffres, 2A ou 2B pour la Corse)"
                                  << 0;
    QTest::newRow("le commentaire le donne") << F("SIG", "DMF") + F("SIG_INFO", "2900") + F("COMMENT", "DMF 29001") << QString() << 0;
    QTest::newRow("autre programme") << F("SIG", "POTA") + F("SIG_INFO", "FR-1234") << QString() << 1;
    QTest::newRow("DMF sans numéro") << F("SIG", "DMF") + F("SIG_INFO", " ") << QString() << 1;
}

// A DMF reference that is no number is shown among the refused lines, naming
// the field and what it holds, not counted among the QSOs without one.
void Tst_Echange_ADIF::reference_dmf_fautive_montree_refusee()
{
    QFETCH(QByteArray, champs);
    QFETCH(QString, remarque);
    QFETCH(int, sans_dmf);
    const ADIF::Analyse a = Analyse("<EOH>\r\n" + Enr(F("CALL", "F5ABC") + F("QSO_DATE", "20070301") + champs), {});
    QCOMPARE(a.sans_dmf, sans_dmf);
    if (sans_dmf) {
        QCOMPARE(a.candidats.size(), size_t(0));
        return;
    }
    QCOMPARE(a.candidats.size(), size_t(1));
    const Candidat &c = a.candidats[0];
    QCOMPARE(c.etat == Candidat::Etat::Refuse, !remarque.isEmpty());
    if (!remarque.isEmpty())
        QCOMPARE(a.remarque(c), remarque);
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
    QCOMPARE(a.date_precedente(a.candidats[1]), QByteArray("20/02/07"));
    QCOMPARE(a.type(a.candidats[1]), QByteArray("Double ou non valid\xE9"));
    // A number earlier in the file.
    QCOMPARE(a.candidats[2].etat, Candidat::Etat::Nouveau);
    QCOMPARE(a.candidats[3].etat, Candidat::Etat::Double);
    QCOMPARE(a.date_precedente(a.candidats[3]), QByteArray("02/03/07"));
}

void Tst_Echange_ADIF::export_puis_import_a_l_identique()
{
    // Pending, the same day thrice, an accented and a typed type, an
    // activation, and lines that hold no QSO.
    const QList<QByteArray> qsos{Ligne("01/03/07", "29015", "Moulin active", "F8KOB", true),
                                 Ligne("05/03/07", "21001", "Moulin Contacte", "F5ABC"),
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
        lignes.push_back(a.ligne(c, false));
    const QString vide = d.ecrit(QStringLiteral("F8KOB_Dezudidar_ERI_2007.txt"), QByteArray());
    QVERIFY(Insere_QSO_Par_Date(vide, lignes).ok());
    QCOMPARE(d.lit(QStringLiteral("F8KOB_Dezudidar_ERI_2007.txt")), Fichier_De(qsos));

    // An unsorted log comes back whole, in date order.
    const ADIF::Export desordre = ADIF::Log_Vers_ADIF(Contenu_Log(Fichier_De({qsos[1], qsos[0]})), QStringLiteral("x"), {});
    d.ecrit(QStringLiteral("F8KOB_Dezudidar_ERI_2007.txt"), QByteArray());
    lignes.clear();
    const ADIF::Analyse retour = Analyse(desordre.octets, {});
    for (const Candidat &c : retour.candidats)
        lignes.push_back(retour.ligne(c, false));
    QVERIFY(Insere_QSO_Par_Date(vide, lignes).ok());
    QCOMPARE(d.lit(QStringLiteral("F8KOB_Dezudidar_ERI_2007.txt")), Fichier_De({qsos[0], qsos[1]}));

    // Read back into the log it came from, nothing is new.
    for (const Candidat &c : Analyse(e.octets, log).candidats)
        QCOMPARE(c.etat, Candidat::Etat::Deja_Dans_Le_Log);
}

void Tst_Echange_ADIF::export_pretendu_verifie_comme_la_saisie_data()
{
    QTest::addColumn<QByteArray>("champs");
    QTest::addColumn<QString>("champ"); // named by the remark; empty: accepted
    const QByteArray propre = F("APP_DEZUDIDAR_TYPE", "Moulin Contacte") + F("APP_DEZUDIDAR_ATTENTE", "N");
    const QByteArray jour = F("QSO_DATE", "20070301");
    QTest::newRow("vrai export") << F("CALL", "F5ABC") + jour + F("SIG_INFO", "21001") + propre << QString();
    QTest::newRow("DMF chemin") << F("CALL", "F5ABC") + jour + F("SIG_INFO", "../..") + propre << QStringLiteral("N° DMF");
    QTest::newRow("DMF ZZZZZ") << F("CALL", "F5ABC") + jour + F("SIG_INFO", "ZZZZZ") + propre << QStringLiteral("N° DMF");
    QTest::newRow("DMF avec blancs") << F("CALL", "F5ABC") + jour + F("SIG_INFO", "1 2 3") + propre << QStringLiteral("N° DMF");
    QTest::newRow("DMF trop long") << F("CALL", "F5ABC") + jour + F("SIG_INFO", "2100123") + propre << QStringLiteral("N° DMF");
    QTest::newRow("indicatif minuscule") << F("CALL", "f5abc") + jour + F("SIG_INFO", "21001") + propre << QStringLiteral("Indicatif");
    QTest::newRow("indicatif de 13") << F("CALL", "F5ABCDEFGHIJK") + jour + F("SIG_INFO", "21001") + propre << QStringLiteral("Indicatif");
    QTest::newRow("type octet 81") << F("CALL", "F5ABC") + jour + F("SIG_INFO", "21001") + F("APP_DEZUDIDAR_TYPE", "Moulin%81")
                                   << QStringLiteral("Type Activité");
    QTest::newRow("type octet 9D") << F("CALL", "F5ABC") + jour + F("SIG_INFO", "21001") + F("APP_DEZUDIDAR_TYPE", "%9D")
                                   << QStringLiteral("Type Activité");
    QTest::newRow("type de 23") << F("CALL", "F5ABC") + jour + F("SIG_INFO", "21001") + F("APP_DEZUDIDAR_TYPE", QByteArray(23, 'X'))
                                << QStringLiteral("Type Activité");
    QTest::newRow("type saut de ligne") << F("CALL", "F5ABC") + jour + F("SIG_INFO", "21001") + F("APP_DEZUDIDAR_TYPE", "A%0AB")
                                        << QStringLiteral("Type Activité");
    QTest::newRow("codage casse") << F("CALL", "F5ABC") + jour + F("SIG_INFO", "21001") + F("APP_DEZUDIDAR_TYPE", "A%G1")
                                  << QStringLiteral("Type Activité");
    QTest::newRow("date impossible") << F("CALL", "F5ABC") + F("QSO_DATE", "20070230") + F("SIG_INFO", "21001") + propre
                                     << QStringLiteral("Date");
}

void Tst_Echange_ADIF::export_pretendu_verifie_comme_la_saisie()
{
    QFETCH(QByteArray, champs);
    QFETCH(QString, champ);
    const ADIF::Analyse a = Analyse(Enr(champs), {});
    QCOMPARE(a.candidats.size(), size_t(1));
    const Candidat &c = a.candidats.front();
    QCOMPARE(c.etat == Candidat::Etat::Refuse, !champ.isEmpty());
    if (champ.isEmpty()) {
        QCOMPARE(a.ligne(c, true), Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"));
        return;
    }
    const QString remarque = a.remarque(c);
    QVERIFY2(remarque.startsWith(QStringLiteral("Refusé")) && remarque.contains(QStringLiteral("« %1 »").arg(champ)),
             qPrintable(remarque));
}

void Tst_Echange_ADIF::lu_par_morceaux_comme_en_memoire()
{
    // Records of every kind, read from a file a few bytes at a time: the
    // same analysis as from the bytes in memory, progress told up to the end.
    QByteArray fichier = "Un en-tete de carnet\r\n<ADIF_VER:5>3.1.4 <EOH>\r\n";
    for (int i = 0; i < 300; ++i) {
        const QByteArray dmf = QByteArray::number(21000 + i % 40);
        fichier += Enr(F("CALL", "F" + QByteArray::number(i)) + F("QSO_DATE", i % 7 ? "20070301" : "20060301")
                       + (i % 3 ? F("SIG", "DMF") + F("SIG_INFO", dmf) : F("COMMENT", i % 2 ? "DMF-" + dmf : "rien"))
                       + F("NOTES", QByteArray(i % 50, 'n')));
    }
    fichier += "<CALL:4>F5";
    const ADIF::Analyse memoire = Analyse(fichier, {Ligne("01/03/07", "21003", "Moulin Contacte", "F5ABC")});
    Dossier_Test d;
    const QString chemin = d.ecrit(QStringLiteral("gros.adi"), fichier);
    for (const qsizetype morceau : {qsizetype(1), qsizetype(7), qsizetype(64), qsizetype(4096)}) {
        auto ouvert = Fichier_Ouvert::Ouvre(chemin);
        QVERIFY(ouvert.ok());
        ADIF::Lecteur lecteur(std::move(ouvert).valeur(), morceau);
        qint64 dernier = -1;
        const auto a = ADIF::Analyse_Import(lecteur, Contenu_Log(Fichier_De({Ligne("01/03/07", "21003", "Moulin Contacte", "F5ABC")})),
                                            QStringLiteral("2007"), [&](qint64 fait, qint64 total) {
                                                if (fait < dernier || total != fichier.size())
                                                    qFatal("progress going back");
                                                dernier = fait;
                                                return true;
                                            });
        QVERIFY(a.ok());
        QCOMPARE(dernier, qint64(fichier.size()));
        QCOMPARE(a.valeur().candidats.size(), memoire.candidats.size());
        for (size_t i = 0; i < memoire.candidats.size(); ++i)
            QCOMPARE(a.valeur().ligne(a.valeur().candidats[i], true), memoire.ligne(memoire.candidats[i], true));
        QCOMPARE(a.valeur().illisibles, memoire.illisibles);
        QCOMPARE(a.valeur().autre_annee, memoire.autre_annee);
        QCOMPARE(a.valeur().sans_dmf, memoire.sans_dmf);
    }
    QCOMPARE(memoire.illisibles, 1);

    // Stopped on the way: no analysis.
    ADIF::Lecteur lecteur(fichier);
    const auto arrete = ADIF::Analyse_Import(lecteur, {}, QStringLiteral("2007"), [](qint64, qint64) { return false; });
    QVERIFY(!arrete.ok() && arrete.erreur().isEmpty());
}

void Tst_Echange_ADIF::lu_du_fichier_comme_en_memoire_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QByteArray qsos;
    for (int i = 0; i < 200; ++i)
        qsos += Enr(F("CALL", "F" + QByteArray::number(i)) + F("QSO_DATE", "20070301")
                    + F("SIG", "DMF") + F("SIG_INFO", QByteArray::number(21000 + i % 30)));
    QTest::newRow("ordinaire") << "<EOH>" + qsos;
    // An <EOR> inside a field's data is data, not the end of a record.
    const QByteArray leurre = Enr(F("CALL", "F5ABC") + F("QSO_DATE", "20070302") + F("SIG_INFO", "21077")
                                  + F("NOTES", QByteArray(40, 'x') + "<EOR><CALL:5>F6BAD<QSO_DATE:8>20070301<SIG_INFO:5>29999<EOR>"));
    const qsizetype dans_leurre = qsos.size() + leurre.indexOf("xx<EOR>") + 2;
    QByteArray suite = qsos;
    suite += QByteArray(qMax<qsizetype>(0, 2 * dans_leurre - 20 - qsos.size() - leurre.size() - suite.size()), 'z');
    QTest::newRow("leurre au milieu") << qsos + leurre + suite;
    QTest::newRow("enregistrement abime au milieu") << qsos.left(qsos.size() / 2 - 30) + "<EOR><CALL:x>F1<EOR>" + qsos;
    QTest::newRow("sans fin d'enregistrement apres le milieu") << qsos + QByteArray(qsos.size() + 100, 'z');
}

// Read from a file 512 bytes at a time: the same analysis as from its bytes
// in memory, whatever falls across two readings.
void Tst_Echange_ADIF::lu_du_fichier_comme_en_memoire()
{
    QFETCH(QByteArray, fichier);
    const QList<QByteArray> log{Ligne("01/03/07", "21003", "Moulin Contacte", "F5ABC")};
    const ADIF::Analyse memoire = Analyse(fichier, log);
    Dossier_Test d;
    auto ouvert = Fichier_Ouvert::Ouvre(d.ecrit(QStringLiteral("f.adi"), fichier));
    QVERIFY(ouvert.ok());
    ADIF::Lecteur lecteur(std::move(ouvert).valeur(), 512);
    const auto a = ADIF::Analyse_Import(lecteur, Contenu_Log(Fichier_De(log)), QStringLiteral("2007"));
    QVERIFY(a.ok());
    QCOMPARE(a.valeur().candidats.size(), memoire.candidats.size());
    for (size_t i = 0; i < memoire.candidats.size(); ++i) {
        const Candidat &c = a.valeur().candidats[i];
        const Candidat &m = memoire.candidats[i];
        QCOMPARE(a.valeur().ligne(c, true), memoire.ligne(m, true));
        QCOMPARE(c.etat, m.etat);
        QCOMPARE(a.valeur().remarque(c), memoire.remarque(m));
    }
    QCOMPARE(a.valeur().illisibles, memoire.illisibles);
    QCOMPARE(a.valeur().sans_dmf, memoire.sans_dmf);
}

void Tst_Echange_ADIF::memoire_bornee_par_la_taille_du_fichier_data()
{
    QTest::addColumn<QByteArray>("morceau"); // repeated into a file of some 30 MB
    QTest::addColumn<bool>("ligne");         // each piece gives a line of the preview
    QTest::addColumn<bool>("refuse");        // a line refused
    // Tiny fields: read whole and kept as fields, these took seven times the
    // file's size. A general log's records without a reference are not kept.
    QTest::newRow("petits champs") << QByteArray("<A:1>x").repeated(8) + "<EOR>\r\n" + Enr(F("CALL", "F5ABC") + F("COMMENT", "73"))
                                   << false << false;
    // The shortest records that become lines: each line takes less memory
    // than its record in the file.
    QTest::newRow("QSO les plus courts") << QByteArray("<CALL:1>F<QSO_DATE:8>20070301<COMMENT:8>DMF21001<EOR>") << true << false;
    // Refused ones are shown a thousand at most.
    QTest::newRow("refus") << QByteArray("<COMMENT:8>DMF21001<EOR>") << true << true;
}

void Tst_Echange_ADIF::memoire_bornee_par_la_taille_du_fichier()
{
    QFETCH(QByteArray, morceau);
    QFETCH(bool, ligne);
    QFETCH(bool, refuse);
    if (!Memoire_Residente::Remet_Pic())
        QSKIP("the peak of resident memory cannot be read here");
    Dossier_Test d;
    QFile f(d.fichier(QStringLiteral("gros.adi")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    const qsizetype repetitions = (qsizetype(30) << 20) / morceau.size();
    const QByteArray bloc = morceau.repeated(repetitions / 8);
    for (int i = 0; i < 8; ++i)
        QVERIFY(f.write(bloc) == bloc.size());
    f.close();
    const qint64 taille = f.size();

    auto ouvert = Fichier_Ouvert::Ouvre(f.fileName());
    QVERIFY(ouvert.ok());
    const qint64 avant = Memoire_Residente::Actuelle();
    QVERIFY(Memoire_Residente::Remet_Pic());
    ADIF::Lecteur lecteur(std::move(ouvert).valeur());
    const auto a = ADIF::Analyse_Import(lecteur, {}, QStringLiteral("2007"));
    const qint64 pic = Memoire_Residente::Pic() - avant;
    QVERIFY(a.ok());
    const qsizetype pieces = 8 * (repetitions / 8);
    const qsizetype montrees = !ligne ? 0 : refuse ? ADIF::Refus_Montres : pieces;
    QCOMPARE(qsizetype(a.valeur().candidats.size()), montrees);
    QCOMPARE(a.valeur().refus_caches, refuse ? pieces - ADIF::Refus_Montres : 0);
    // Within the file's size plus 32 MB (reading pieces, tables of numbers):
    // half the margin the program is allowed.
    QVERIFY2(pic <= taille + (qint64(32) << 20),
             qPrintable(QStringLiteral("%1 MB at the peak for a file of %2 MB").arg(pic >> 20).arg(taille >> 20)));
}

QTEST_GUILESS_MAIN(Tst_Echange_ADIF)
#include "tst_echange_adif.moc"
