#include "Journal.h"
#include "Ligne_QSO.h"
#include "Outils_Test.h"

#include <QFileInfo>

#include <chrono>
#include <future>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Sous_Programmes;

namespace {

const QString Nom = QStringLiteral("TEST1_Dezudidar_ERI_2007.txt");

QByteArray L(const char *date, const char *dmf, const char *indicatif = "F5ABC", const char *type = "Moulin Contacte")
{
    return Ligne(date, dmf, type, indicatif);
}

QList<QByteArray> Lignes_Liste(const Contenu_Log &c)
{
    QList<QByteArray> l;
    for (qsizetype i = 0; i < c.nombre(); ++i)
        l << c.ligne_liste(i);
    return l;
}

#ifndef Q_OS_WIN
// Caps the size of any file this process writes, as a full disk would.
class Disque_Plein {
public:
    explicit Disque_Plein(rlim_t octets)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_avant);
        rlimit r = m_avant;
        r.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~Disque_Plein() { setrlimit(RLIMIT_FSIZE, &m_avant); }

private:
    rlimit m_avant{};
};
#endif

} // namespace

class Tst_Journal : public QObject {
    Q_OBJECT

private slots:
    void chemin_du_log();
    void fichiers_du_programme_data();
    void fichiers_du_programme();
    void lecture_accepte_ce_que_laissent_les_editeurs_data();
    void lecture_accepte_ce_que_laissent_les_editeurs();
    void liste_numerote_et_garde_la_ligne();
    void grand_log_lu_octet_pour_octet();
    void cherche_dmf();
    void remplace_en_place_et_octet_pour_octet();
    void remplace_deux_lignes_identiques();
    void remplace_sans_correspondance_ajoute_a_la_fin();
    void supprime_toutes_les_lignes_du_dmf();
    void supprime_ne_touche_ni_lignes_vides_ni_courtes();
    void ajoute_et_cree_si_absent();
    void ajoute_apres_une_derniere_ligne_sans_fin();
    void insere_par_date_data();
    void insere_par_date();
    void insere_plusieurs_lignes_d_un_coup();
    void insere_un_export_du_plus_recent_au_plus_ancien();
    void insere_refuse_une_date_impossible();
    void lignes_refusees_avant_ecriture_data();
    void lignes_refusees_avant_ecriture();
    void log_absent_ou_illisible_donne_une_erreur();
    void reecriture_impossible_laisse_le_log_intact();
    void disque_plein_laisse_le_log_intact();
    void log_tenu_ou_protege_laisse_le_log_intact();
    void cree_log_depuis_le_modele();
    void cree_log_ne_remplace_jamais();
    void cree_log_refuse_un_nom_dangereux();
    void noms_de_fichier_surs_data();
    void noms_de_fichier_surs();
    void log_aux_fins_cr_seules_garde_chaque_qso();
    void log_qui_n_est_pas_un_fichier_ordinaire_data();
    void log_qui_n_est_pas_un_fichier_ordinaire();
};

void Tst_Journal::chemin_du_log()
{
    QCOMPARE(Chemin_Log("TEST1", "2007", "/prog"), QStringLiteral("/prog/TEST1_Dezudidar_ERI_2007.txt"));
    QCOMPARE(Nom_Log("TEST_P", "ABCD"), QStringLiteral("TEST_P_Dezudidar_ERI_ABCD.txt"));
}

void Tst_Journal::lecture_accepte_ce_que_laissent_les_editeurs_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<QList<QByteArray>>("lignes");

    const QByteArray a = L("01/03/07", "21001");
    const QByteArray b = L("02/03/07", "21002");
    QTest::newRow("vide") << QByteArray() << QList<QByteArray>{};
    QTest::newRow("CR LF") << a + "\r\n" + b + "\r\n" << QList<QByteArray>{a, b};
    QTest::newRow("LF seul") << a + "\n" + b + "\n" << QList<QByteArray>{a, b};
    QTest::newRow("sans fin finale") << a + "\r\n" + b << QList<QByteArray>{a, b};
    QTest::newRow("lignes vides et courtes") << a + "\r\n\r\n12/03\r\n" << QList<QByteArray>{a, "", "12/03"};
    QTest::newRow("octets hauts et NUL") << QByteArray("\xE9\x80\x00\xFF\r\n", 6) << QList<QByteArray>{QByteArray("\xE9\x80\x00\xFF", 4)};
    QTest::newRow("ligne longue") << a + "SUITE\r\n" << QList<QByteArray>{a + "SUITE"};
    QTest::newRow("une seule fin") << QByteArray("\r\n") << QList<QByteArray>{""};
    QTest::newRow("CR seul") << a + "\r" + b + "\r" << QList<QByteArray>{a, b};
    QTest::newRow("fins melangees") << a + "\r" + b + "\n" + a + "\r\n" + b << QList<QByteArray>{a, b, a, b};
    // Many lone CRs without any LF after them, and line ends around byte 64.
    QTest::newRow("CR seul, log long") << (a + "\r").repeated(40) << QList<QByteArray>(40, a);
    QTest::newRow("CR seul en fin de bloc") << QByteArray(63, 'x') + "\r" + a + "\r\n" << QList<QByteArray>{QByteArray(63, 'x'), a};
    QTest::newRow("CR LF coupe entre deux blocs") << QByteArray(63, 'x') + "\r\n" + a << QList<QByteArray>{QByteArray(63, 'x'), a};
}

void Tst_Journal::lecture_accepte_ce_que_laissent_les_editeurs()
{
    QFETCH(QByteArray, fichier);
    QFETCH(QList<QByteArray>, lignes);
    Dossier_Test d;
    const auto contenu = Lit_Log(d.ecrit(Nom, fichier));
    QVERIFY2(contenu.ok(), qPrintable(contenu.erreur()));
    QList<QByteArray> lues;
    for (qsizetype i = 0; i < contenu.valeur().nombre(); ++i)
        lues << contenu.valeur().ligne(i).toByteArray();
    QCOMPARE(lues, lignes);
}

void Tst_Journal::liste_numerote_et_garde_la_ligne()
{
    Dossier_Test d;
    QList<QByteArray> lignes;
    for (int i = 1; i <= 10; ++i)
        lignes << L("01/03/07", QByteArray::number(21000 + i).constData());
    const auto contenu = Lit_Log(d.ecrit(Nom, Fichier_De(lignes)));
    QVERIFY(contenu.ok());
    const auto liste = Lignes_Liste(contenu.valeur());
    QCOMPARE(liste.size(), 10);
    QCOMPARE(liste.at(0), "    1   " + lignes.at(0));
    QCOMPARE(liste.at(2), "    3   " + lignes.at(2));
    QCOMPARE(liste.at(9), "   10   " + lignes.at(9));
}

// `nombre` QSOs of one day, numbered from 10000.
static QList<QByteArray> Lignes_Numerotees(int nombre)
{
    QList<QByteArray> lignes;
    for (int i = 0; i < nombre; ++i)
        lignes << L("01/03/07", QByteArray::number(10000 + i).constData());
    return lignes;
}

// A large log: the bytes read must be the file's, into a fresh buffer as into
// one given back by an earlier read.
void Tst_Journal::grand_log_lu_octet_pour_octet()
{
    Dossier_Test d;
    const QList<QByteArray> lignes = Lignes_Numerotees(60000);
    const QByteArray octets = Fichier_De(lignes);
    const QString log = d.ecrit(Nom, octets);
    QByteArray tampon(1000, 'x');
    for (int tour = 0; tour < 2; ++tour) {
        auto contenu = Lit_Log(log, std::move(tampon));
        QVERIFY(contenu.ok());
        Contenu_Log lu = std::move(contenu).valeur();
        QCOMPARE(lu.nombre(), qsizetype(60000));
        QCOMPARE(lu.ligne(0), lignes.first());
        QCOMPARE(lu.ligne(31415), lignes.at(31415));
        QCOMPARE(lu.ligne(59999), lignes.last());
        tampon = lu.libere();
        QVERIFY(tampon == octets);
    }
}

void Tst_Journal::cherche_dmf()
{
    Dossier_Test d;
    const QString log = d.ecrit(Nom, Fichier_De({L("01/03/07", "11111"), L("02/03/07", "21001"), QByteArray(),
                                                 L("04/03/07", "33333"), L("05/03/07", "21001"), L("06/03/07", "44444")}));
    auto r = Cherche_DMF(log, "21001");
    QVERIFY(r.ok());
    QVERIFY(r.valeur().trouve);
    QCOMPARE(r.valeur().date, QByteArray("05/03/07"));

    r = Cherche_DMF(log, "99999");
    QVERIFY(r.ok());
    QVERIFY(!r.valeur().trouve);
    QVERIFY(r.valeur().date.isEmpty());

    // A blank line is never taken for a DMF number.
    r = Cherche_DMF(log, "     ");
    QVERIFY(r.ok());
    QVERIFY(!r.valeur().trouve);

    const QString vide = d.ecrit(QStringLiteral("vide.txt"), QByteArray());
    r = Cherche_DMF(vide, "21001");
    QVERIFY(r.ok());
    QVERIFY(!r.valeur().trouve);
}

void Tst_Journal::remplace_en_place_et_octet_pour_octet()
{
    Dossier_Test d;
    // Lines that the rewrite does not change must come back as they were,
    // whatever an editor put in them.
    const QByteArray etrange("01/03/07  2A001  Double ou non valid\xE9    F\x00\x80\xFF", 41);
    const QByteArray longue = L("02/03/07", "21002") + "  commentaire";
    const QList<QByteArray> avant{etrange, longue, QByteArray(), L("04/03/07", "21004"), L("05/03/07", "21005")};
    const QString log = d.ecrit(Nom, Fichier_De(avant));

    const auto contenu = Lit_Log(log);
    const QByteArray ancienne = contenu.valeur().ligne_liste(3);
    const QByteArray nouvelle = Ligne("04/03/07", "21004", "Moulin active", "F6XYZ", true);
    const auto r = Remplace_QSO(log, ancienne, nouvelle);
    QVERIFY2(r.ok(), qPrintable(r.erreur()));

    QList<QByteArray> apres = avant;
    apres[3] = nouvelle;
    QCOMPARE(d.lit(Nom), Fichier_De(apres));
    QVERIFY(!d.existe(QString::fromLatin1(Nom_Temporaire)));
}

void Tst_Journal::remplace_deux_lignes_identiques()
{
    Dossier_Test d;
    const QByteArray double_ = L("02/03/07", "21002");
    const QString log = d.ecrit(Nom, Fichier_De({L("01/03/07", "21001"), double_, L("03/03/07", "21003"), double_}));
    const QByteArray nouvelle = L("02/03/07", "21009");
    QVERIFY(Remplace_QSO(log, Ligne_Liste(2, double_), nouvelle).ok());
    QCOMPARE(d.lit(Nom), Fichier_De({L("01/03/07", "21001"), nouvelle, L("03/03/07", "21003"), nouvelle}));
}

void Tst_Journal::remplace_sans_correspondance_ajoute_a_la_fin()
{
    Dossier_Test d;
    // An editor left LF ends: the rewrite keeps every line, with CR LF ends.
    const QString log = d.ecrit(Nom, L("01/03/07", "21001") + "\n" + L("02/03/07", "21002"));
    const QByteArray nouvelle = L("03/03/07", "21003");
    QVERIFY(Remplace_QSO(log, Ligne_Liste(1, L("09/09/07", "99999")), nouvelle).ok());
    QCOMPARE(d.lit(Nom), Fichier_De({L("01/03/07", "21001"), L("02/03/07", "21002"), nouvelle}));
}

void Tst_Journal::supprime_toutes_les_lignes_du_dmf()
{
    Dossier_Test d;
    const QString log = d.ecrit(Nom, Fichier_De({L("01/03/07", "21001"), L("02/03/07", "21002"), L("03/03/07", "21001"),
                                                 L("04/03/07", "21004"), L("05/03/07", "21001", "F6XYZ")}));
    QVERIFY(Supprime_QSO(log, "21001").ok());
    QCOMPARE(d.lit(Nom), Fichier_De({L("02/03/07", "21002"), L("04/03/07", "21004")}));
    const auto liste = Lignes_Liste(Lit_Log(log).valeur());
    QCOMPARE(liste, (QList<QByteArray>{"    1   " + L("02/03/07", "21002"), "    2   " + L("04/03/07", "21004")}));
    QVERIFY(!d.existe(QString::fromLatin1(Nom_Temporaire)));
}

void Tst_Journal::supprime_ne_touche_ni_lignes_vides_ni_courtes()
{
    Dossier_Test d;
    const QByteArray fichier = Fichier_De({L("01/03/07", "21001"), QByteArray(), QByteArray("01/03/07"), QByteArray("01/03/07  210")});
    const QString log = d.ecrit(Nom, fichier);
    // Nothing to remove: the file stays exactly as it was.
    QVERIFY(Supprime_QSO(log, "77777").ok());
    QCOMPARE(d.lit(Nom), fichier);
    QVERIFY(Supprime_QSO(log, "21001").ok());
    QCOMPARE(d.lit(Nom), Fichier_De({QByteArray(), QByteArray("01/03/07"), QByteArray("01/03/07  210")}));
    // No number at all: only the lines too short to hold one go.
    QVERIFY(Supprime_QSO(log, "").ok());
    QCOMPARE(d.lit(Nom), Fichier_De({QByteArray("01/03/07  210")}));
}

void Tst_Journal::ajoute_et_cree_si_absent()
{
    Dossier_Test d;
    const QString log = d.fichier(Nom);
    const QByteArray a = L("01/03/07", "21001");
    const QByteArray b = Ligne("02/03/07", "21002", "Double ou non valid\xE9", "F6XYZ");
    QVERIFY(Ajoute_QSO(log, a).ok());
    QVERIFY(Ajoute_QSO(log, b).ok());
    QCOMPARE(d.lit(Nom), a + "\r\n" + b + "\r\n");
    QCOMPARE(d.lit(Nom).size(), 2 * 55);
}

void Tst_Journal::ajoute_apres_une_derniere_ligne_sans_fin()
{
    Dossier_Test d;
    const QByteArray a = L("01/03/07", "21001");
    const QByteArray b = L("02/03/07", "21002");
    const QString log = d.ecrit(Nom, a);
    QVERIFY(Ajoute_QSO(log, b).ok());
    QCOMPARE(d.lit(Nom), a + "\r\n" + b + "\r\n");
    const auto contenu = Lit_Log(log);
    QCOMPARE(contenu.valeur().nombre(), 2);
}

void Tst_Journal::insere_par_date_data()
{
    QTest::addColumn<QList<QByteArray>>("stockees");
    QTest::addColumn<QByteArray>("nouvelle");
    QTest::addColumn<int>("position");

    const QByteArray nouvelle = L("15/03/07", "30000");
    QTest::newRow("log vide") << QList<QByteArray>{} << nouvelle << 0;
    QTest::newRow("entre deux dates") << QList<QByteArray>{L("01/03/07", "1"), L("20/03/07", "2")} << nouvelle << 1;
    QTest::newRow("avant la première du même jour")
        << QList<QByteArray>{L("01/03/07", "1"), L("20/03/07", "2"), L("20/03/07", "3")} << L("20/03/07", "30000") << 1;
    QTest::newRow("plus tard que tout: à la fin") << QList<QByteArray>{L("01/03/07", "1"), L("02/03/07", "2")} << nouvelle << 2;
    QTest::newRow("99 vient avant 00") << QList<QByteArray>{L("01/01/00", "1")} << L("31/12/99", "30000") << 0;
    QTest::newRow("49 est en 2049, après 50") << QList<QByteArray>{L("01/01/50", "1"), L("01/01/49", "2")} << L("01/01/60", "30000") << 1;
    QTest::newRow("désordre: première de même jour ou après")
        << QList<QByteArray>{L("20/03/07", "1"), L("01/03/07", "2")} << nouvelle << 0;
    QTest::newRow("comparées comme dates, pas comme texte")
        << QList<QByteArray>{L("31/01/07", "1"), L("01/02/07", "2")} << L("10/02/07", "30000") << 2;
    QTest::newRow("ligne vide gardée à sa place")
        << QList<QByteArray>{L("01/03/07", "1"), QByteArray(), L("20/03/07", "2")} << nouvelle << 2;
    QTest::newRow("date illisible jamais prise pour plus tard")
        << QList<QByteArray>{QByteArray("99/99/07  12345"), QByteArray("garbage"), L("20/03/07", "2")} << nouvelle << 2;
}

void Tst_Journal::insere_par_date()
{
    QFETCH(QList<QByteArray>, stockees);
    QFETCH(QByteArray, nouvelle);
    QFETCH(int, position);
    Dossier_Test d;
    const QString log = d.ecrit(Nom, Fichier_De(stockees));
    const auto r = Insere_QSO_Par_Date(log, nouvelle);
    QVERIFY2(r.ok(), qPrintable(r.erreur()));
    QList<QByteArray> attendues = stockees;
    attendues.insert(position, nouvelle);
    QCOMPARE(d.lit(Nom), Fichier_De(attendues));
    QVERIFY(!d.existe(QString::fromLatin1(Nom_Temporaire_Insertion)));

    // Given alone to the insertion of several lines, it lands at the same place.
    d.ecrit(Nom, Fichier_De(stockees));
    QVERIFY(Insere_QSO_Par_Date(log, std::vector<QByteArray>{nouvelle}).ok());
    QCOMPARE(d.lit(Nom), Fichier_De(attendues));
}

void Tst_Journal::insere_plusieurs_lignes_d_un_coup()
{
    Dossier_Test d;
    const QList<QByteArray> stockees{L("01/03/07", "1"), L("20/03/07", "2"), L("10/03/07", "3")};
    const QByteArray avant = Fichier_De(stockees);
    const QString log = d.ecrit(Nom, avant);
    const std::vector<QByteArray> nouvelles{L("25/03/07", "a"), L("05/03/07", "b"), L("25/03/07", "c"), L("05/03/07", "d"),
                                            L("20/03/07", "e")};
    QVERIFY(Insere_QSO_Par_Date(log, nouvelles).ok());
    // Each before the first stored line of its day or later; those landing at
    // the same place keep their order.
    QCOMPARE(d.lit(Nom), Fichier_De({stockees[0], nouvelles[1], nouvelles[3], nouvelles[4], stockees[1], stockees[2],
                                     nouvelles[0], nouvelles[2]}));

    // One bad line refuses them all, and nothing is written.
    d.ecrit(Nom, avant);
    QVERIFY(!Insere_QSO_Par_Date(log, std::vector<QByteArray>{L("05/03/07", "f"), L("31/02/07", "g")}).ok());
    QVERIFY(!Insere_QSO_Par_Date(log, std::vector<QByteArray>{L("05/03/07", "f"), "court"}).ok());
    QVERIFY(Insere_QSO_Par_Date(log, std::vector<QByteArray>{}).ok());
    QCOMPARE(d.lit(Nom), avant);
}

void Tst_Journal::insere_un_export_du_plus_recent_au_plus_ancien()
{
    Dossier_Test d;
    const QList<QByteArray> stockees{L("10/01/07", "s1"), L("20/01/07", "s2"), L("10/02/07", "s3"), L("20/02/07", "s4")};
    const QString log = d.ecrit(Nom, Fichier_De(stockees));
    // A general logger's export, newest first, two QSOs of one day among them.
    const std::vector<QByteArray> nouvelles{L("25/02/07", "n1"), L("15/02/07", "n2"), L("10/02/07", "n3"),
                                            L("02/02/07", "x"),  L("02/02/07", "y"),  L("01/02/07", "n4"),
                                            L("15/01/07", "n5"), L("05/01/07", "n6")};
    QVERIFY(Insere_QSO_Par_Date(log, nouvelles).ok());
    QCOMPARE(d.lit(Nom), Fichier_De({nouvelles[7], stockees[0], nouvelles[6], stockees[1], nouvelles[5], nouvelles[3],
                                     nouvelles[4], nouvelles[2], stockees[2], nouvelles[1], stockees[3], nouvelles[0]}));
}

void Tst_Journal::insere_refuse_une_date_impossible()
{
    Dossier_Test d;
    const QByteArray fichier = Fichier_De({L("01/03/07", "1")});
    const QString log = d.ecrit(Nom, fichier);
    for (const char *date : {"99/99/07", "31/02/07", "15-03-07", "29/02/07", "00/03/07", "31/04/07", "01/13/07"}) {
        const auto r = Insere_QSO_Par_Date(log, L(date, "30000"));
        QVERIFY2(!r.ok(), date);
        QVERIFY(r.erreur().contains(QString::fromLatin1(date)));
    }
    QCOMPARE(d.lit(Nom), fichier);
    QVERIFY(Cle_Insertion(L("29/02/08", "1")).has_value());
    QCOMPARE(*Cle_Insertion(L("29/02/00", "1")), QDate(2000, 2, 29));
    QCOMPARE(*Cle_Insertion(L("31/12/49", "1")), QDate(2049, 12, 31));
    QCOMPARE(*Cle_Insertion(L("01/01/50", "1")), QDate(1950, 1, 1));
}

void Tst_Journal::lignes_refusees_avant_ecriture_data()
{
    QTest::addColumn<QByteArray>("nouvelle");
    QTest::newRow("52 octets") << L("01/03/07", "21001").left(52);
    QTest::newRow("54 octets") << L("01/03/07", "21001") + " ";
    QTest::newRow("saut de ligne dedans") << QByteArray(L("01/03/07", "21001")).replace(45, 1, "\n");
}

void Tst_Journal::lignes_refusees_avant_ecriture()
{
    QFETCH(QByteArray, nouvelle);
    Dossier_Test d;
    const QByteArray fichier = Fichier_De({L("01/03/07", "1"), L("02/03/07", "2")});
    const QString log = d.ecrit(Nom, fichier);
    QVERIFY(!Ajoute_QSO(log, nouvelle).ok());
    QVERIFY(!Remplace_QSO(log, Ligne_Liste(1, L("01/03/07", "1")), nouvelle).ok());
    QVERIFY(!Insere_QSO_Par_Date(log, nouvelle).ok());
    QCOMPARE(d.lit(Nom), fichier);
}

void Tst_Journal::log_absent_ou_illisible_donne_une_erreur()
{
    Dossier_Test d;
    const QByteArray l = L("01/03/07", "21001");
    for (const bool dossier : {false, true}) {
        const QString log = d.fichier(Nom);
        if (dossier)
            QVERIFY(QDir(d.chemin()).mkdir(Nom)); // a folder where the log should be cannot be read
        QVERIFY(!Lit_Log(log).ok());
        QVERIFY(!Cherche_DMF(log, "21001").ok());
        QVERIFY(!Remplace_QSO(log, Ligne_Liste(1, l), l).ok());
        QVERIFY(!Supprime_QSO(log, "21001").ok());
        QVERIFY(!Insere_QSO_Par_Date(log, l).ok());
        const QString message = Lit_Log(log).erreur();
        QVERIFY2(message.contains(Nom), qPrintable(message));
        if (!dossier) {
            QVERIFY2(message.contains(QStringLiteral("introuvable")), qPrintable(message));
            // A rewrite must not make a log out of nothing.
            QVERIFY(!d.existe(Nom));
        }
    }
}

void Tst_Journal::reecriture_impossible_laisse_le_log_intact()
{
    Dossier_Test d;
    const QByteArray fichier = Fichier_De({L("01/03/07", "21001"), L("02/03/07", "21002")});
    const QString log = d.ecrit(Nom, fichier);
    // The temporary file cannot be made: its name is taken by a folder.
    QVERIFY(QDir(d.chemin()).mkdir(QString::fromLatin1(Nom_Temporaire)));
    QVERIFY(QDir(d.chemin()).mkdir(QString::fromLatin1(Nom_Temporaire_Insertion)));
    const auto r = Remplace_QSO(log, Ligne_Liste(1, L("01/03/07", "21001")), L("01/03/07", "21009"));
    QVERIFY(!r.ok());
    QVERIFY2(r.erreur().contains(QStringLiteral("tel qu'il était")), qPrintable(r.erreur()));
    QVERIFY(!Supprime_QSO(log, "21001").ok());
    QVERIFY(!Insere_QSO_Par_Date(log, L("01/03/07", "3")).ok());
    QCOMPARE(d.lit(Nom), fichier);
}

void Tst_Journal::disque_plein_laisse_le_log_intact()
{
#ifdef Q_OS_WIN
    QSKIP("Windows has no per-process file size limit to stage a full disk: see log_tenu_ou_protege_laisse_le_log_intact");
#else
    Dossier_Test d;
    const QList<QByteArray> lignes = Lignes_Numerotees(40);
    const QByteArray fichier = Fichier_De(lignes);
    const QString log = d.ecrit(Nom, fichier);
    {
        // Room for the log and part of one more line: writes stop half-way.
        Disque_Plein plein(rlim_t(fichier.size() + 20));
        const auto ajout = Ajoute_QSO(log, L("02/03/07", "20000"));
        QVERIFY(!ajout.ok());
        QVERIFY2(ajout.erreur().contains(QStringLiteral("taille")) || ajout.erreur().contains(QStringLiteral("grand")),
                 qPrintable(ajout.erreur()));
        QVERIFY(!Insere_QSO_Par_Date(log, L("02/03/07", "20000")).ok());
        QVERIFY(!Remplace_QSO(log, Ligne_Liste(1, L("09/09/07", "99999")), L("02/03/07", "20000")).ok());
    }
    QCOMPARE(d.lit(Nom), fichier);
    QVERIFY(!d.existe(QString::fromLatin1(Nom_Temporaire)));
    QVERIFY(!d.existe(QString::fromLatin1(Nom_Temporaire_Insertion)));
#endif
}

void Tst_Journal::log_tenu_ou_protege_laisse_le_log_intact()
{
#ifndef Q_OS_WIN
    QSKIP("a file held open without sharing, and the read-only attribute, are faults of Windows");
#else
    Dossier_Test d;
    const QByteArray fichier = Fichier_De({L("01/03/07", "21001"), L("02/03/07", "21002")});
    const QString log = d.ecrit(Nom, fichier);
    const std::wstring nom = QDir::toNativeSeparators(log).toStdWString();
    auto essaie_tout = [&] {
        QVERIFY(!Remplace_QSO(log, Ligne_Liste(1, L("01/03/07", "21001")), L("01/03/07", "21009")).ok());
        QVERIFY(!Supprime_QSO(log, "21001").ok());
        QVERIFY(!Insere_QSO_Par_Date(log, L("01/03/07", "3")).ok());
        QVERIFY(!d.existe(QString::fromLatin1(Nom_Temporaire)));
        QVERIFY(!d.existe(QString::fromLatin1(Nom_Temporaire_Insertion)));
    };
    // Whether the system enforces the fault staged: Wine run as root, for
    // one, lets every handle through.
    auto inscriptible = [&] {
        HANDLE h = ::CreateFileW(nom.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        ::CloseHandle(h);
        return true;
    };
    {
        // Another program holds the log open and shares nothing.
        HANDLE autre = ::CreateFileW(nom.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        QVERIFY(autre != INVALID_HANDLE_VALUE);
        if (inscriptible()) {
            ::CloseHandle(autre);
            QSKIP("this system does not enforce a handle that shares nothing");
        }
        essaie_tout();
        const auto ajout = Ajoute_QSO(log, L("02/03/07", "20000"));
        QVERIFY(!ajout.ok());
        QVERIFY2(ajout.erreur().contains(QStringLiteral("autre programme")), qPrintable(ajout.erreur()));
        ::CloseHandle(autre);
    }
    QCOMPARE(d.lit(Nom), fichier);
    // The read-only attribute.
    QVERIFY(::SetFileAttributesW(nom.c_str(), FILE_ATTRIBUTE_READONLY));
    if (inscriptible()) {
        ::SetFileAttributesW(nom.c_str(), FILE_ATTRIBUTE_NORMAL);
        QSKIP("this system does not enforce the read-only attribute");
    }
    essaie_tout();
    QVERIFY(!Ajoute_QSO(log, L("02/03/07", "20000")).ok());
    QVERIFY(::SetFileAttributesW(nom.c_str(), FILE_ATTRIBUTE_NORMAL));
    QCOMPARE(d.lit(Nom), fichier);
#endif
}

void Tst_Journal::cree_log_depuis_le_modele()
{
    Dossier_Test d;
    const QByteArray modele = Fichier_De({L("01/01/07", "00000")});
    d.ecrit(QString::fromLatin1(Nom_Modele_Log), modele);
    const auto r = Cree_Log("TEST1", "2007", d.chemin());
    QVERIFY2(r.ok(), qPrintable(r.erreur()));
    QCOMPARE(r.valeur(), Creation::Cree);
    QCOMPARE(d.lit(Nom), modele);
    QCOMPARE(d.lit(QString::fromLatin1(Nom_Modele_Log)), modele);

    // Without a template the new log is empty.
    Dossier_Test sans_modele;
    QVERIFY(Cree_Log("TEST2", "2008", sans_modele.chemin()).ok());
    QCOMPARE(sans_modele.lit(QStringLiteral("TEST2_Dezudidar_ERI_2008.txt")), QByteArray());
}

void Tst_Journal::cree_log_ne_remplace_jamais()
{
    Dossier_Test d;
    d.ecrit(QString::fromLatin1(Nom_Modele_Log), QByteArray());
    const QByteArray qsos = Fichier_De({L("01/03/07", "21001")});
    d.ecrit(Nom, qsos);
    const auto r = Cree_Log("TEST1", "2007", d.chemin());
    QVERIFY(r.ok());
    QCOMPARE(r.valeur(), Creation::Existant);
    QCOMPARE(d.lit(Nom), qsos);

    // Even a log that cannot be read is left alone.
    QVERIFY(QDir(d.chemin()).mkdir(QStringLiteral("TEST1_Dezudidar_ERI_2008.txt")));
    const auto illisible = Cree_Log("TEST1", "2008", d.chemin());
    QVERIFY(illisible.ok());
    QCOMPARE(illisible.valeur(), Creation::Existant);
    QVERIFY(QFileInfo(d.fichier(QStringLiteral("TEST1_Dezudidar_ERI_2008.txt"))).isDir());
}

void Tst_Journal::cree_log_refuse_un_nom_dangereux()
{
    Dossier_Test d;
    QVERIFY(!Cree_Log("../TEST1", "2007", d.chemin()).ok());
    QVERIFY(!Cree_Log("TEST1", "20/7", d.chemin()).ok());
    QVERIFY(!Cree_Log("", "2007", d.chemin()).ok());
    QCOMPARE(QDir(d.chemin()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void Tst_Journal::noms_de_fichier_surs_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<bool>("sur");
    QTest::newRow("indicatif") << QStringLiteral("F5ABC_P") << true;
    QTest::newRow("annee de lettres") << QStringLiteral("ABCD") << true;
    QTest::newRow("point seul") << QStringLiteral("F.5") << true;
    QTest::newRow("vide") << QString() << false;
    QTest::newRow("barre") << QStringLiteral("../evil") << false;
    QTest::newRow("barre inverse") << QStringLiteral("..\\x") << false;
    QTest::newRow("deux points") << QStringLiteral("F..5") << false;
    QTest::newRow("NUL") << QString(QStringLiteral("F5") + QChar(0) + QStringLiteral("A")) << false;
    QTest::newRow("saut de ligne") << QStringLiteral("F5\nA") << false;
    QTest::newRow("DEL") << QStringLiteral("F5\x7f") << false;
    QTest::newRow("controle C1") << QString(QStringLiteral("F5") + QChar(0x85)) << false;
    // Names Windows cannot give a file: refused on every system, so that a
    // folder of logs moves from one to the other.
    for (const char *c : {"<", ">", ":", "\"", "|", "?", "*"})
        QTest::newRow(qPrintable(QStringLiteral("caractere %1").arg(QLatin1String(c)))) << QStringLiteral("F5%1A").arg(QLatin1String(c)) << false;
    QTest::newRow("point final") << QStringLiteral("F5A.") << false;
    QTest::newRow("blanc final") << QStringLiteral("2026 ") << false;
    QTest::newRow("CON") << QStringLiteral("CON") << false;
    QTest::newRow("nul minuscules") << QStringLiteral("nul") << false;
    QTest::newRow("COM9 et extension") << QStringLiteral("Com9.x") << false;
    QTest::newRow("LPT1") << QStringLiteral("LPT1") << false;
    QTest::newRow("COM10 permis") << QStringLiteral("COM10") << true;
    QTest::newRow("CONSOLE permis") << QStringLiteral("CONSOLE") << true;
    QTest::newRow("blanc au milieu") << QStringLiteral("F5 A") << true;
}

void Tst_Journal::noms_de_fichier_surs()
{
    QFETCH(QString, nom);
    QFETCH(bool, sur);
    QCOMPARE(Nom_Fichier_Sur(nom), sur);
    QCOMPARE(Verifie_Nom_Station(nom, QStringLiteral("2007")).ok(), sur);
    QCOMPARE(Verifie_Nom_Station(QStringLiteral("F5ABC"), nom).ok(), sur);
}

void Tst_Journal::log_aux_fins_cr_seules_garde_chaque_qso()
{
    Dossier_Test d;
    QList<QByteArray> lignes;
    for (int i = 1; i <= 5; ++i)
        lignes << L("01/03/07", QByteArray::number(21000 + i).constData());
    const QString log = d.ecrit(Nom, lignes.join('\r') + '\r');

    const auto contenu = Lit_Log(log);
    QVERIFY(contenu.ok());
    QCOMPARE(contenu.valeur().nombre(), 5);
    QCOMPARE(contenu.valeur().ligne(4).toByteArray(), lignes.at(4));
    const auto trouve = Cherche_DMF(log, "21004");
    QVERIFY(trouve.ok() && trouve.valeur().trouve);

    // Removing one QSO keeps the four others, now ended by CR LF.
    QVERIFY(Supprime_QSO(log, "21003").ok());
    QCOMPARE(d.lit(Nom), Fichier_De({lignes[0], lignes[1], lignes[3], lignes[4]}));

    // An append after a last line ended by a lone CR completes that end.
    d.ecrit(Nom, lignes[0] + '\r');
    QVERIFY(Ajoute_QSO(log, lignes[1]).ok());
    QCOMPARE(d.lit(Nom), Fichier_De({lignes[0], lignes[1]}));
}

void Tst_Journal::log_qui_n_est_pas_un_fichier_ordinaire_data()
{
    QTest::addColumn<QString>("sorte");
    QTest::addColumn<QString>("nature");
    QTest::newRow("tube nomme") << QStringLiteral("tube") << QStringLiteral("tube nommé");
    QTest::newRow("lien vers un peripherique") << QStringLiteral("peripherique") << QStringLiteral("périphérique");
    QTest::newRow("dossier") << QStringLiteral("dossier") << QStringLiteral("dossier");
}

void Tst_Journal::log_qui_n_est_pas_un_fichier_ordinaire()
{
    QFETCH(QString, sorte);
    QFETCH(QString, nature);
    Dossier_Test d;
    const QString log = d.fichier(Nom);
    const QByteArray local = QFile::encodeName(log);
#ifdef Q_OS_WIN
    if (sorte != QLatin1String("dossier"))
        QSKIP("a named pipe or a device cannot take a file's name in a folder on Windows");
    QVERIFY(QDir(d.chemin()).mkdir(Nom));
#else
    if (sorte == QLatin1String("tube"))
        QVERIFY(::mkfifo(local.constData(), 0600) == 0);
    else if (sorte == QLatin1String("peripherique"))
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), log));
    else
        QVERIFY(QDir(d.chemin()).mkdir(Nom));
#endif

    const QByteArray l = L("01/03/07", "21001");
    // Each operation answers at once; one that waits on the pipe is let go
    // by opening its other end, and fails the test.
    auto sans_attente = [&](auto operation) {
        auto resultat = std::async(std::launch::async, operation);
        if (resultat.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
#ifndef Q_OS_WIN
            const int fd = ::open(local.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
#endif
            resultat.wait();
            return QStringLiteral("<bloqué>");
        }
        return resultat.get();
    };
    const QStringList erreurs{
        sans_attente([&] { return Lit_Log(log).erreur(); }),
        sans_attente([&] { return Cherche_DMF(log, "21001").erreur(); }),
        sans_attente([&] { return Ajoute_QSO(log, l).erreur(); }),
        sans_attente([&] { return Remplace_QSO(log, Ligne_Liste(1, l), l).erreur(); }),
        sans_attente([&] { return Supprime_QSO(log, "21001").erreur(); }),
        sans_attente([&] { return Insere_QSO_Par_Date(log, l).erreur(); }),
    };
    for (const QString &e : erreurs) {
        QVERIFY2(e.contains(QStringLiteral("n'est pas un fichier ordinaire")) && e.contains(nature), qPrintable(e));
        QVERIFY2(e.contains(Nom), qPrintable(e));
    }
    // Left what it was.
    const QFileInfo apres(log);
    QVERIFY(sorte != QLatin1String("peripherique") || apres.isSymLink());
    QVERIFY(!apres.isFile() || apres.isSymLink());
    QVERIFY(!d.existe(QString::fromLatin1(Nom_Temporaire)));
}

void Tst_Journal::fichiers_du_programme_data()
{
    QTest::addColumn<QString>("cible");
    QTest::addColumn<QString>("nature"); // empty: any file may be written there
    const QString log = QStringLiteral("un log du programme");
    QTest::newRow("le log") << "prog/TEST1_Dezudidar_ERI_2007.txt" << log;
    QTest::newRow("une autre annee") << "prog/TEST1_Dezudidar_ERI_2006.txt" << log;
    QTest::newRow("un autre indicatif, pas encore cree") << "prog/F5ABC_Dezudidar_ERI_2026.txt" << log;
    QTest::newRow("en minuscules") << "prog/test1_dezudidar_eri_2007.TXT" << log;
    QTest::newRow("le modele") << "prog/fxxxx_dezudidar_eri.txt" << QStringLiteral("le modèle des logs du programme");
    QTest::newRow("une sauvegarde") << "prog/Sauvegardes/TEST1_Dezudidar_ERI_2007_20261207-214502.txt"
                                    << QStringLiteral("dans le dossier des sauvegardes des logs");
    QTest::newRow("un nouveau nom parmi les sauvegardes") << "prog/sauvegardes/export.adi"
                                                          << QStringLiteral("dans le dossier des sauvegardes des logs");
    QTest::newRow("lien vers le log") << "ailleurs/lien.adi" << log;
    QTest::newRow("dossier lie au dossier du programme") << "ailleurs/prog_lie/TEST1_Dezudidar_ERI_2006.txt" << log;
    QTest::newRow("lien dur vers le log") << "ailleurs/dur.adi" << log;
    QTest::newRow("lien vers les sauvegardes") << "ailleurs/sauv_lie/neuf.adi" << QStringLiteral("dans le dossier des sauvegardes des logs");
    QTest::newRow("la liste des moulins") << "prog/moulins.TXT" << QStringLiteral("la liste des moulins du programme");
    QTest::newRow("la liste des moulins, pas encore gardee") << "prog/Moulins.txt" << QStringLiteral("la liste des moulins du programme");
    QTest::newRow("export propose") << "prog/TEST1_Dezudidar_ERI_2007.adi" << QString();
    QTest::newRow("autre texte du dossier") << "prog/notes.txt" << QString();
    QTest::newRow("nom de log dans un autre dossier") << "ailleurs/TEST1_Dezudidar_ERI_2007.txt" << QString();
}

void Tst_Journal::fichiers_du_programme()
{
    QFETCH(QString, cible);
    QFETCH(QString, nature);
    Dossier_Test d;
    QVERIFY(QDir(d.chemin()).mkpath(QStringLiteral("prog/Sauvegardes")) && QDir(d.chemin()).mkpath(QStringLiteral("ailleurs")));
    const QString log = d.ecrit(QStringLiteral("prog/TEST1_Dezudidar_ERI_2007.txt"), L("01/03/07", "21001") + "\r\n");
    d.ecrit(QStringLiteral("prog/TEST1_Dezudidar_ERI_2006.txt"), {});
    d.ecrit(QStringLiteral("prog/FXXXX_Dezudidar_ERI.txt"), {});
    d.ecrit(QStringLiteral("prog/notes.txt"), "notes");
    d.ecrit(QStringLiteral("prog/Sauvegardes/TEST1_Dezudidar_ERI_2007_20261207-214502.txt"), {});
    d.ecrit(QStringLiteral("ailleurs/TEST1_Dezudidar_ERI_2007.txt"), {});
#ifdef Q_OS_WIN
    // Symbolic links need a privilege there; QFile::link makes shortcuts.
    if (cible.startsWith(QLatin1String("ailleurs/")) && cible != QLatin1String("ailleurs/TEST1_Dezudidar_ERI_2007.txt")
        && cible != QLatin1String("ailleurs/dur.adi"))
        QSKIP("symbolic links need a privilege on Windows");
    QVERIFY(::CreateHardLinkW(QDir::toNativeSeparators(d.fichier(QStringLiteral("ailleurs/dur.adi"))).toStdWString().c_str(),
                              QDir::toNativeSeparators(log).toStdWString().c_str(), nullptr));
#else
    QVERIFY(QFile::link(log, d.fichier(QStringLiteral("ailleurs/lien.adi"))));
    QVERIFY(QFile::link(d.fichier(QStringLiteral("prog")), d.fichier(QStringLiteral("ailleurs/prog_lie"))));
    QVERIFY(QFile::link(d.fichier(QStringLiteral("prog/Sauvegardes")), d.fichier(QStringLiteral("ailleurs/sauv_lie"))));
    QCOMPARE(::link(QFile::encodeName(log).constData(), QFile::encodeName(d.fichier(QStringLiteral("ailleurs/dur.adi"))).constData()), 0);
#endif

    const auto trouve = Fichier_Du_Programme(d.fichier(cible), d.fichier(QStringLiteral("prog")));
    QCOMPARE(trouve.value_or(QString()), nature);
}

QTEST_GUILESS_MAIN(Tst_Journal)
#include "tst_journal.moc"
