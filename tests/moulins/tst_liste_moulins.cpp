// The organisers' list of mills as operators save it: every separator and
// encoding, headings or none, refused lines with their reasons, the kept file.
#include "Liste_Moulins.h"
#include "Memoire_Residente.h"
#include "Outils_Test.h"

#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Moulins;

namespace {

// Each mill as "number|name|commune|département|latitude|longitude".
QStringList Moulins_De(const Liste &l)
{
    QStringList s;
    for (const Moulin &m : l.moulins())
        s << QStringList{QString::fromLatin1(m.Numero()), l.Chaine(m.nom), l.Chaine(m.commune),
                         QString::fromLatin1(m.Departement()), l.Chaine(m.latitude), l.Chaine(m.longitude)}
                 .join(u'|');
    return s;
}

QStringList Refus_De(const Lecture &l)
{
    QStringList s;
    for (const Refus &r : l.refus)
        s << QStringLiteral("%1: %2").arg(r.ligne).arg(r.raison);
    return s;
}

} // namespace

class Tst_Liste_Moulins : public QObject {
    Q_OBJECT

private slots:
    void lecture();
    void lecture_data();
    void a_toute_place_dans_le_fichier();
    void a_toute_place_dans_le_fichier_data();
    void refus_avec_leur_raison();
    void mille_refus_montres_les_autres_comptes();
    void lignes_de_toutes_sortes();
    void lignes_de_toutes_sortes_data();
    void positions_hors_du_departement();
    void positions_hors_du_departement_data();
    void encodage_du_fichier_entier();
    void encodage_du_fichier_entier_data();
    void octet_etranger_dans_une_liste_utf8_data();
    void octet_etranger_dans_une_liste_utf8();
    void liste_gardee_rendue_octet_pour_octet();
    void garde_remplace_et_sauvegarde_l_ancienne();
    void comparaison_avec_la_liste_gardee();
    void fichiers_hostiles();
    void memoire_bornee_par_la_taille_du_fichier();
    void repli_sans_casse_ni_accents();
};

void Tst_Liste_Moulins::lecture_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<QStringList>("attendus");

    QTest::newRow("point-virgule, en-tête") << QByteArray("N°;Nom;Commune\r\n21001;Moulin de la Tour;Saint-Pierre\r\n")
                                            << QStringList{"21001|Moulin de la Tour|Saint-Pierre|21||"};
    QTest::newRow("virgule") << QByteArray("numero,nom,commune\n21002,Moulin B,Beaune\n21001,Moulin A,Dijon\n")
                             << QStringList{"21001|Moulin A|Dijon|21||", "21002|Moulin B|Beaune|21||"};
    // Put in order in place: one cycle of three moves and one of two.
    QTest::newRow("dans le désordre") << QByteArray("dmf;nom\n29015;E\n2A001;F\n01001;A\n21003;C\n21001;B\n")
                                      << QStringList{"01001|A||01||", "21001|B||21||", "21003|C||21||", "29015|E||29||",
                                                     "2A001|F||2A||"};
    QTest::newRow("tabulation") << QByteArray("DMF\tMoulin\tVille\tLat\tLng\r\n29015\tMoulin de Kerouat\tCommana\t48.41\t-3.95\r\n")
                                << QStringList{"29015|Moulin de Kerouat|Commana|29|48.41|-3.95"};
    QTest::newRow("guillemets") << QByteArray("Référence;Nom;Commune\r\n"
                                              "21001;\"Moulin \"\"Le Grand\"\"; dit; haut\";\"Saint-\r\nPierre\"\r\n"
                                              "21002;\"Moulin, simple\";Beaune\r\n")
                                << QStringList{"21001|Moulin \"Le Grand\"; dit; haut|Saint- Pierre|21||",
                                               "21002|Moulin, simple|Beaune|21||"};
    QTest::newRow("virgules entre guillemets") << QByteArray("ref,nom,commune\r\n\"21001\",\"Moulin, dit \"\"du Roy\"\"\",\"Dijon\"\r\n")
                                               << QStringList{"21001|Moulin, dit \"du Roy\"|Dijon|21||"};
    QTest::newRow("UTF-8 avec BOM") << QByteArray("\xEF\xBB\xBFnum\xC3\xA9ro;nom;commune\r\n21001;Moulin d\xC3\xA9j\xC3\xA0 vu;Is-sur-Tille\r\n")
                                    << QStringList{"21001|Moulin déjà vu|Is-sur-Tille|21||"};
    QTest::newRow("UTF-8 sans BOM") << QByteArray("numéro;nom;commune\r\n2A001;Moulin \xE2\x82\xAC;Ajaccio\r\n")
                                    << QStringList{"2A001|Moulin €|Ajaccio|2A||"};
    QTest::newRow("Windows-1252") << QByteArray("num\xE9ro;nom;commune\r\n21001;Moulin d\xE9j\xE0 vu \x80;C\xF4te\r\n")
                                  << QStringList{"21001|Moulin déjà vu €|Côte|21||"};
    QTest::newRow("en-têtes en capitales et accents") << QByteArray("RÉFÉRENCE;NOM DU MOULIN;Localité;Dépt;LATITUDE;Longitude\r\n"
                                                                    "21001;Moulin A;Dijon;21;47,32;5,04\r\n")
                                                      << QStringList{"21001|Moulin A|Dijon|21|47,32|5,04"};
    QTest::newRow("en-têtes sans accents") << QByteArray("Numero;Moulin;Lieu;Departement;Lat;Lon\r\n21001;Moulin A;Dijon;21;47.3;5.0\r\n")
                                           << QStringList{"21001|Moulin A|Dijon|21|47.3|5.0"};
    QTest::newRow("colonnes dans un autre ordre") << QByteArray("Commune;Nom;Dept;N° DMF\r\nDijon;Moulin A;21;21001\r\n")
                                                  << QStringList{"21001|Moulin A|Dijon|21||"};
    QTest::newRow("sans en-tête") << QByteArray("21001;Moulin A;Dijon\n2a002;Moulin B;Ajaccio\n")
                                  << QStringList{"21001|Moulin A|Dijon|21||", "2A002|Moulin B|Ajaccio|2A||"};
    QTest::newRow("sans en-tête, numéro en deuxième colonne")
        << QByteArray("1;21001;Moulin A;Dijon\r\n2;21002;Moulin B;Beaune\r\n")
        << QStringList{"21001|Moulin A|Dijon|21||", "21002|Moulin B|Beaune|21||"};
    QTest::newRow("fins de ligne CR seules") << QByteArray("dmf;nom\r21002;B\r21001;A\r")
                                             << QStringList{"21001|A||21||", "21002|B||21||"};
    QTest::newRow("lignes vides passées") << QByteArray("dmf;nom\r\n\r\n21001;A\r\n;\r\n   \r\n21002;B")
                                          << QStringList{"21001|A||21||", "21002|B||21||"};
    QTest::newRow("blancs autour des champs") << QByteArray("dmf ; nom ; commune\r\n 21001 ;  Moulin A ; Dijon \r\n")
                                              << QStringList{"21001|Moulin A|Dijon|21||"};
}

void Tst_Liste_Moulins::lecture()
{
    QFETCH(QByteArray, fichier);
    QFETCH(QStringList, attendus);
    const Lecture l = Lit_Liste(fichier);
    QCOMPARE(Refus_De(l), QStringList());
    QCOMPARE(Moulins_De(l.liste), attendus);
    // Every mill found by its number, directly.
    for (const Moulin &m : l.liste.moulins())
        QCOMPARE(l.liste.Trouve(m.Numero()), &m);
    QVERIFY(!l.liste.Trouve("99999"));
}

void Tst_Liste_Moulins::a_toute_place_dans_le_fichier_data()
{
    QTest::addColumn<char>("separateur");
    QTest::newRow("point-virgule") << ';';
    QTest::newRow("virgule") << ',';
    QTest::newRow("tabulation") << '\t';
}

// The same records read wherever their quotes, line ends and control bytes
// fall in the file: the first line's name grows by a byte at a time.
void Tst_Liste_Moulins::a_toute_place_dans_le_fichier()
{
    QFETCH(char, separateur);
    const auto ligne = [&](const QList<QByteArray> &champs, const char *fin) { return QByteArrayList(champs).join(separateur) + fin; };
    const QString s = QString(QLatin1Char(separateur));
    for (int decalage = 0; decalage < 140; ++decalage) {
        const QByteArray fichier = ligne({"dmf", "nom", "commune"}, "\r\n") + ligne({"21001", QByteArray(decalage, 'x'), "Dijon"}, "\r\n")
            + ligne({"21002", "\"Moulin" + QByteArray(1, separateur) + " dit \"\"Roy\"\"\r\nsuite\"", "Beaune"}, "\n")
            + ligne({"21003", "Moulin \"C\"", "C\xC3\xB4te"}, "\r") + ligne({"21004", "  Moulin D  ", "\"  Nuits \""}, "\r\n")
            + ligne({"21005", "Moulin\x01" "E", "Dole"}, "\r\n") + ligne({"21006", "Moulin\x7F" "F", "Dole"}, "\n")
            + ligne({"21007", "Moulin G", "Semur"}, "");
        const Lecture l = Lit_Liste(fichier);
        QCOMPARE(Refus_De(l), (QStringList{"7: un champ contient un caractère de contrôle", "8: un champ contient un caractère de contrôle"}));
        QCOMPARE(Moulins_De(l.liste), (QStringList{"21001|" + QString(decalage, u'x') + "|Dijon|21||",
                                                   "21002|Moulin" + s + " dit \"Roy\" suite|Beaune|21||",
                                                   "21003|Moulin \"C\"|Côte|21||",
                                                   "21004|Moulin D|  Nuits |21||",
                                                   "21007|Moulin G|Semur|21||"}));
    }
}

void Tst_Liste_Moulins::refus_avec_leur_raison()
{
    const QByteArray fichier = "N° DMF;Nom;Commune;Département\r\n"
                               "21001;Moulin A;Dijon;21\r\n"
                               ";Sans numéro;X;\r\n"
                               "2C001;Faux;X;\r\n"
                               "22001;Mauvais;X;21\r\n"
                               "21001;Autre nom;Y;21\r\n"
                               "21001;Moulin A;Dijon;21\r\n"
                               "21003;"
        + QByteArray(201, 'a') + ";X;\r\n"
        + "21004;" + QByteArray("\xC3\xA9").repeated(200) + ";X;21 - C\xC3\xB4te-d'Or\r\n"
        + "21005;\"A\x01\";X;\r\n"
          "1;Court;X;\r\n"
          "01001;Moulin de l'Ain;Bourg;1\r\n";
    const Lecture l = Lit_Liste(fichier);
    QCOMPARE(Refus_De(l), (QStringList{
                              "3: pas de numéro de moulin",
                              "4: « 2C001 » n'est pas un numéro de moulin (cinq chiffres, ou 2A et 2B pour la Corse)",
                              "5: le département « 21 » ne correspond pas au numéro 22001",
                              "6: le numéro 21001 est déjà celui de « Moulin A » (ligne 2) : le premier est gardé",
                              "8: un champ dépasse 200 caractères",
                              "10: un champ contient un caractère de contrôle",
                              "11: « 1 » n'est pas un numéro de moulin (cinq chiffres, ou 2A et 2B pour la Corse)",
                          }));
    QCOMPARE(l.refusees, 7);
    // 200 characters of two bytes each are 200 characters.
    const QStringList gardes = Moulins_De(l.liste);
    QCOMPARE(gardes.size(), 3);
    QCOMPARE(gardes[0], QStringLiteral("01001|Moulin de l'Ain|Bourg|01||"));
    QCOMPARE(gardes[1], QStringLiteral("21001|Moulin A|Dijon|21||"));
    QVERIFY(gardes[2].startsWith(QStringLiteral("21004|éééé")));
}

void Tst_Liste_Moulins::mille_refus_montres_les_autres_comptes()
{
    QByteArray fichier = "dmf;nom\r\n";
    for (int i = 0; i < 1500; ++i)
        fichier += "ZZZ" + QByteArray::number(i) + ";X\r\n";
    fichier += "21001;A\r\n";
    const Lecture l = Lit_Liste(fichier);
    QCOMPARE(qsizetype(l.refus.size()), Refus_Montres);
    QCOMPARE(l.refusees, 1500);
    QCOMPARE(l.refus.back().ligne, 1001);
    QCOMPARE(l.liste.taille(), 1);
}

void Tst_Liste_Moulins::lignes_de_toutes_sortes_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<QStringList>("moulins");
    QTest::addColumn<QStringList>("premiers_refus");
    QTest::addColumn<int>("refusees");
    QTest::addColumn<int>("encodage");

    QTest::newRow("guillemets, fins de ligne dedans et de toutes sortes")
        << QByteArray("dmf;nom;commune\r\n21001;xxxxxxxxxx;Dijon\r\n21002;\"Moulin; dit \"\"Roy\"\"\r\nsuite\r\n\r\nencore\";Beaune\n"
                      "21003;Moulin \"C\";C\xC3\xB4te\r21004;  Moulin D  ;\"  Nuits \"\r\n21005;Moulin\x01" "E;Dole\r\n"
                      "\r\n;\r\n21006;\"Moulin \"\"F\"\"\";Dole\n21007;Moulin G;Semur")
        << QStringList{"21001|xxxxxxxxxx|Dijon|21||", "21002|Moulin; dit \"Roy\" suite  encore|Beaune|21||",
                       "21003|Moulin \"C\"|Côte|21||", "21004|Moulin D|  Nuits |21||", "21006|Moulin \"F\"|Dole|21||",
                       "21007|Moulin G|Semur|21||"}
        << QStringList{"9: un champ contient un caractère de contrôle"} << 1 << int(Encodage::Utf8);
    // A number seen again under its name or another, on the lines that follow.
    QTest::newRow("doublons")
        << QByteArray("\xEF\xBB\xBFN° DMF;Nom;Commune;Département\r\n21001;Moulin A;Dijon;21\r\n;Sans numéro;X;\r\n"
                      "2C001;Faux;X;\r\n22001;Mauvais;X;21\r\n21002;\"Moulin\r\nB\";X;\r\n21001;Autre nom;Y;21\r\n"
                      "21001;Moulin A;Dijon;21\r\n21003;Moulin C;X;\r\n21002;\"Moulin\r\nB\";X;\r\n21004;D;X;\r\n"
                      "21004;D bis;X;\r\n21001;Encore un autre;Z;\r\n21003;C bis;X;\r\n01001;Moulin de l'Ain;Bourg;1\r\n")
        << QStringList{"01001|Moulin de l'Ain|Bourg|01||", "21001|Moulin A|Dijon|21||", "21002|Moulin B|X|21||",
                       "21003|Moulin C|X|21||", "21004|D|X|21||"}
        << QStringList{"3: pas de numéro de moulin",
                       "4: « 2C001 » n'est pas un numéro de moulin (cinq chiffres, ou 2A et 2B pour la Corse)",
                       "5: le département « 21 » ne correspond pas au numéro 22001",
                       "8: le numéro 21001 est déjà celui de « Moulin A » (ligne 2) : le premier est gardé",
                       "14: le numéro 21004 est déjà celui de « D » (ligne 13) : le premier est gardé",
                       "15: le numéro 21001 est déjà celui de « Moulin A » (ligne 2) : le premier est gardé",
                       "16: le numéro 21003 est déjà celui de « Moulin C » (ligne 10) : le premier est gardé"}
        << 7 << int(Encodage::Utf8);
    QTest::newRow("sans en-tête, Windows-1252")
        << QByteArray("21001;Moulin \xE9;Dijon\n2a002;Moulin B;Ajaccio\n21001;Autre;X\n21003;C;X\n")
        << QStringList{"21001|Moulin é|Dijon|21||", "21003|C|X|21||", "2A002|Moulin B|Ajaccio|2A||"}
        << QStringList{"3: le numéro 21001 est déjà celui de « Moulin é » (ligne 1) : le premier est gardé"} << 1
        << int(Encodage::Windows1252);
    // More refused lines than are shown.
    QByteArray refus = "dmf;nom\r\n21001;A\r\n";
    for (int i = 0; i < 1500; ++i)
        refus += i % 3 ? "ZZZ" + QByteArray::number(i) + ";X\r\n" : "21001;Autre " + QByteArray::number(i) + "\r\n";
    QTest::newRow("mille refus et plus")
        << refus << QStringList{"21001|A||21||"}
        << QStringList{"3: le numéro 21001 est déjà celui de « A » (ligne 2) : le premier est gardé",
                       "4: « ZZZ1 » n'est pas un numéro de moulin (cinq chiffres, ou 2A et 2B pour la Corse)"}
        << 1500 << int(Encodage::Utf8);
    // More lines than there are numbers.
    QByteArray repetes = "dmf;nom\n";
    for (int i = 0; i < 600000; ++i)
        repetes += i % 200000 ? "21001;A\n" : "21001;B\n";
    QTest::newRow("un numéro répété sans fin")
        << repetes << QStringList{"21001|B||21||"}
        << QStringList{"3: le numéro 21001 est déjà celui de « B » (ligne 2) : le premier est gardé"} << 599997
        << int(Encodage::Utf8);
}

// The mills kept, the first refused lines with their reasons, all of them
// counted; read again from Moulins.txt, the same mills.
void Tst_Liste_Moulins::lignes_de_toutes_sortes()
{
    QFETCH(QByteArray, fichier);
    QFETCH(QStringList, moulins);
    QFETCH(QStringList, premiers_refus);
    QFETCH(int, refusees);
    QFETCH(int, encodage);
    const Lecture l = Lit_Liste(fichier);
    QCOMPARE(int(l.liste.encodage()), encodage);
    QCOMPARE(Moulins_De(l.liste), moulins);
    QCOMPARE(Refus_De(l).mid(0, premiers_refus.size()), premiers_refus);
    QCOMPARE(l.refusees, refusees);
    QCOMPARE(qsizetype(l.refus.size()), qMin<qsizetype>(refusees, Refus_Montres));
    for (const Moulin &m : l.liste.moulins())
        QCOMPARE(l.liste.Trouve(m.Numero()), &m);
    const Lecture relue = Lit_Liste(Texte_Garde(l.liste));
    QCOMPARE(relue.refusees, 0);
    QCOMPARE(Moulins_De(relue.liste), moulins);
}

// A position far from its mill's département is dropped, the mill kept and
// its line named; a coarse outline's few km, text and halves are left alone.
void Tst_Liste_Moulins::positions_hors_du_departement_data()
{
    QTest::addColumn<QByteArray>("ligne");
    QTest::addColumn<QString>("moulin");
    QTest::addColumn<QString>("raison");
    QTest::newRow("dans le département, virgules")
        << QByteArray("21003;Moulin Neuf;Beaune;\"47,0260\";\"4,8400\"") << "21003|Moulin Neuf|Beaune|21|47,0260|4,8400" << "";
    QTest::newRow("au bord, hors du tracé de peu") << QByteArray("67001;Moulin;Lauterbourg;48.9756;8.1789")
                                                   << "67001|Moulin|Lauterbourg|67|48.9756|8.1789" << "";
    QTest::newRow("Corse") << QByteArray("2A001;Moulin;Bonifacio;41.3874;9.1591") << "2A001|Moulin|Bonifacio|2A|41.3874|9.1591"
                           << "";
    QTest::newRow("le département voisin, à 50 km")
        << QByteArray("21004;Moulin;Besançon;47.2378;6.0241") << "21004|Moulin|Besançon|21||"
        << "coordonnées hors du département 21";
    QTest::newRow("latitude et longitude inversées")
        << QByteArray("21005;Moulin;Dijon;5.0415;47.3220") << "21005|Moulin|Dijon|21||" << "coordonnées hors du département 21";
    QTest::newRow("hors de France") << QByteArray("29001;Moulin;Brest;40.7;-74.0") << "29001|Moulin|Brest|29||"
                                    << "coordonnées hors du département 29";
    QTest::newRow("du texte") << QByteArray("21006;Moulin;Dijon;près de l'église;") << "21006|Moulin|Dijon|21|près de l'église|"
                              << "";
    QTest::newRow("une seule des deux") << QByteArray("21007;Moulin;Dijon;47.3;") << "21007|Moulin|Dijon|21|47.3|" << "";
}

void Tst_Liste_Moulins::positions_hors_du_departement()
{
    QFETCH(QByteArray, ligne);
    QFETCH(QString, moulin);
    QFETCH(QString, raison);
    const Lecture l = Lit_Liste("dmf;nom;commune;lat;lon\r\n21001;Moulin A;Dijon;47.32;5.04\r\n" + ligne + "\r\n");
    QCOMPARE(l.refusees, 0);
    QCOMPARE(Moulins_De(l.liste).last(), moulin);
    QCOMPARE(l.positions_ecartees, raison.isEmpty() ? 0 : 1);
    if (!raison.isEmpty()) {
        QCOMPARE(l.sans_position.size(), size_t(1));
        QCOMPARE(l.sans_position[0].ligne, 3);
        QCOMPARE(l.sans_position[0].raison, raison);
    }
    // What is kept is read again without a word.
    const Lecture relue = Lit_Liste(Texte_Garde(l.liste));
    QCOMPARE(relue.positions_ecartees, 0);
    QCOMPARE(Moulins_De(relue.liste), Moulins_De(l.liste));
}

void Tst_Liste_Moulins::encodage_du_fichier_entier_data()
{
    QTest::addColumn<QByteArray>("premiere");
    QTest::addColumn<QByteArray>("au_milieu");
    QTest::addColumn<QByteArray>("seconde");
    QTest::addColumn<int>("encodage");
    QTest::addColumn<QString>("nom");          // of 21001, from the first lines
    QTest::addColumn<QString>("nom_du_milieu"); // of 21999

    const QByteArray utf8 = "21001;Moulin d\xC3\xA9j\xC3\xA0 vu;C\xC3\xB4te\r\n";
    const QByteArray w1252 = "21001;Moulin d\xE9j\xE0 vu;C\xF4te\r\n";
    const QString bien = QStringLiteral("Moulin déjà vu");
    const QString mal = QStringLiteral("Moulin dÃ©jÃ\u00A0 vu"); // UTF-8 read as Windows-1252
    QTest::newRow("UTF-8, caractères de trois octets") << utf8 << QByteArray("\xE2\x82\xAC\xE2\x82\xAC") << utf8 << int(Encodage::Utf8)
                                                      << bien << QStringLiteral("€€");
    QTest::newRow("Windows-1252 au début") << w1252 << QByteArray("xx") << utf8 << int(Encodage::Windows1252) << bien
                                           << QStringLiteral("xx");
    QTest::newRow("Windows-1252 à la fin") << utf8 << QByteArray("xx") << w1252 << int(Encodage::Windows1252) << mal
                                           << QStringLiteral("xx");
    QTest::newRow("Windows-1252 au milieu") << utf8 << QByteArray("\xE9\xE9\xE9\xE9\xE9") << utf8 << int(Encodage::Windows1252)
                                            << mal << QStringLiteral("ééééé");
    QTest::newRow("séquence UTF-8 coupée") << utf8 << QByteArray("\xE2\x82xx") << utf8 << int(Encodage::Windows1252) << mal
                                           << QStringLiteral("â‚xx");
    QTest::newRow("suite sans début") << utf8 << QByteArray("xx\x82\x82\x82\x82\x82xx") << utf8 << int(Encodage::Windows1252)
                                      << mal << QStringLiteral("xx‚‚‚‚‚xx");
}

// A file of some 600 KB is UTF-8 only when every byte of it is; its names
// are read in the encoding found.
void Tst_Liste_Moulins::encodage_du_fichier_entier()
{
    QFETCH(QByteArray, premiere);
    QFETCH(QByteArray, au_milieu);
    QFETCH(QByteArray, seconde);
    QFETCH(int, encodage);
    QFETCH(QString, nom);
    QFETCH(QString, nom_du_milieu);
    Dossier_Test d;
    QByteArray debut = "dmf;nom;commune\r\n";
    while (debut.size() < (qsizetype(300) << 10))
        debut += premiere;
    QByteArray fin;
    while (fin.size() < debut.size())
        fin += seconde;
    const QByteArray fichier = debut + "21999;" + au_milieu + ";X\r\n" + fin;
    const auto l = Lit_Fichier_Liste(d.ecrit(QStringLiteral("liste.csv"), fichier));
    QVERIFY(l.ok());
    const Liste &liste = l.valeur().liste;
    QCOMPARE(int(liste.encodage()), encodage);
    QCOMPARE(liste.taille(), 2);
    QCOMPARE(liste.Chaine(liste.Trouve("21001")->nom), nom);
    QCOMPARE(liste.Chaine(liste.Trouve("21999")->nom), nom_du_milieu);
}

void Tst_Liste_Moulins::octet_etranger_dans_une_liste_utf8_data()
{
    QTest::addColumn<QByteArray>("ligne"); // the third mill's line
    QTest::addColumn<QString>("moulin");   // as read, and as read again once kept
    QTest::addColumn<int>("remplacees");
    QTest::newRow("dans le nom") << QByteArray("21003;Moulin \xE9" "cras\xE9;Dijon;;") << QStringLiteral("21003|Moulin \uFFFDcras\uFFFD|Dijon|21||")
                                 << 1;
    QTest::newRow("dans la commune") << QByteArray("21003;Moulin C;C\xF4te;;") << QStringLiteral("21003|Moulin C|C\uFFFDte|21||") << 1;
    QTest::newRow("dans la latitude") << QByteArray("21003;Moulin C;Dijon;47\xB0;") << QStringLiteral("21003|Moulin C|Dijon|21|47\uFFFD|")
                                      << 1;
    QTest::newRow("séquence coupée en fin de champ") << QByteArray("21003;Moulin \xC3;Dijon;;")
                                                     << QStringLiteral("21003|Moulin \uFFFD|Dijon|21||") << 1;
    QTest::newRow("entre guillemets") << QByteArray("21003;\"Moulin \xE9\"\"\xE9\";Dijon;;")
                                      << QStringLiteral("21003|Moulin \uFFFD\"\uFFFD|Dijon|21||") << 1;
    QTest::newRow("dans une colonne non gardée") << QByteArray("21003;Moulin C;Dijon;;;\xE9") << QStringLiteral("21003|Moulin C|Dijon|21||")
                                                 << 0;
}

// A file marked as UTF-8 is read as UTF-8 from end to end, a stray byte
// replaced: every other accented name stays as it is, and the kept list
// reads back as the same mills.
void Tst_Liste_Moulins::octet_etranger_dans_une_liste_utf8()
{
    QFETCH(QByteArray, ligne);
    QFETCH(QString, moulin);
    QFETCH(int, remplacees);
    const QByteArray fichier = "\xEF\xBB\xBFn\xC2\xB0;nom;commune;lat;lon\r\n21001;Moulin \xC3\xA0 eau;Beaune;;\r\n"
                               "21002;Moulin B;Is-sur-Tille;;\r\n"
                               + ligne + "\r\n21004;Moulin d\xC3\xA9j\xC3\xA0 vu;C\xC3\xB4te;;\r\n";
    const Lecture l = Lit_Liste(fichier);
    QCOMPARE(l.refusees, 0);
    QCOMPARE(l.remplacees, remplacees);
    QCOMPARE(l.premiere_remplacee, remplacees ? 4 : 0);
    const QStringList attendus{QStringLiteral("21001|Moulin à eau|Beaune|21||"), QStringLiteral("21002|Moulin B|Is-sur-Tille|21||"), moulin,
                               QStringLiteral("21004|Moulin déjà vu|Côte|21||")};
    QCOMPARE(Moulins_De(l.liste), attendus);
    const QByteArray garde = Texte_Garde(l.liste);
    QVERIFY(QByteArrayView(garde).isValidUtf8());
    const Lecture relue = Lit_Liste(garde);
    QCOMPARE(relue.refusees, 0);
    QCOMPARE(relue.remplacees, 0);
    QCOMPARE(Moulins_De(relue.liste), attendus);
    QCOMPARE(Texte_Garde(relue.liste), garde);
}

void Tst_Liste_Moulins::liste_gardee_rendue_octet_pour_octet()
{
    // From Windows-1252, with what must be quoted and what must not.
    const QByteArray source = "num\xE9ro;nom;commune;lat;lon\r\n"
                              "2B010;Moulin \"du Cap\";Bastia;42,7;9,45\r\n"
                              "21001;\"Moulin; dit \"\"Grand\"\"\";C\xF4te;;\r\n"
                              "21002;\" Espace devant\";Beaune;47.0;4.8\r\n"
                              "21003;;;;\r\n";
    const Lecture l = Lit_Liste(source);
    QCOMPARE(l.refusees, 0);
    const QByteArray garde = Texte_Garde(l.liste);
    QCOMPARE(garde, QByteArray("N\xC2\xB0 DMF;Nom;Commune;D\xC3\xA9partement;Latitude;Longitude\r\n"
                               "21001;\"Moulin; dit \"\"Grand\"\"\";C\xC3\xB4te;21;;\r\n"
                               "21002;\" Espace devant\";Beaune;21;47.0;4.8\r\n"
                               "21003;;;21;;\r\n"
                               "2B010;\"Moulin \"\"du Cap\"\"\";Bastia;2B;42,7;9,45\r\n"));
    const Lecture relue = Lit_Liste(garde);
    QCOMPARE(relue.refusees, 0);
    QCOMPARE(Moulins_De(relue.liste), Moulins_De(l.liste));
    QCOMPARE(Texte_Garde(relue.liste), garde);
}

void Tst_Liste_Moulins::garde_remplace_et_sauvegarde_l_ancienne()
{
    Dossier_Test d;
    const QByteArray log = Fichier_De({Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC")});
    d.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt"), log);
    const QDateTime heure(QDate(2026, 12, 8), QTime(10, 0));
    const Liste a = Lit_Liste("dmf;nom\r\n21001;A\r\n").liste;
    const Liste b = Lit_Liste("dmf;nom\r\n21001;A\r\n21002;B\r\n").liste;

    QVERIFY(Garde(d.chemin(), a, heure).ok());
    QCOMPARE(d.lit(QStringLiteral("Moulins.txt")), Texte_Garde(a));
    QVERIFY(!d.existe(QStringLiteral("Sauvegardes")));
    QVERIFY(Garde(d.chemin(), b, heure.addSecs(60)).ok());
    QCOMPARE(d.lit(QStringLiteral("Moulins.txt")), Texte_Garde(b));
    QCOMPARE(d.lit(QStringLiteral("Sauvegardes/Moulins_20261208-100100.txt")), Texte_Garde(a));
    const auto relue = Charge_Gardee(d.chemin());
    QVERIFY(relue.ok());
    QCOMPARE(Moulins_De(relue.valeur()), Moulins_De(b));
    // No log changes by a byte, and no temporary is left.
    QCOMPARE(d.lit(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt")), log);
    QCOMPARE(QDir(d.chemin()).entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("Moulins.txt"), QStringLiteral("TEST1_Dezudidar_ERI_2007.txt")}));

    // The copy of the old list cannot be made: told, and the old list stays.
    QVERIFY(QDir(d.fichier(QStringLiteral("Sauvegardes"))).removeRecursively());
    d.ecrit(QStringLiteral("Sauvegardes"), "un fichier, pas un dossier");
    const auto refus = Garde(d.chemin(), a, heure.addSecs(120));
    QVERIFY(!refus.ok());
    QVERIFY2(refus.erreur().startsWith(QStringLiteral("La sauvegarde de la liste des moulins Moulins.txt")), qPrintable(refus.erreur()));
    QVERIFY(refus.erreur().endsWith(QStringLiteral("La liste des moulins n'a pas été remplacée.")));
    QCOMPARE(d.lit(QStringLiteral("Moulins.txt")), Texte_Garde(b));

    // None kept yet: an empty list, no failure.
    Dossier_Test vide;
    const auto aucune = Charge_Gardee(vide.chemin());
    QVERIFY(aucune.ok() && aucune.valeur().vide());
}

void Tst_Liste_Moulins::comparaison_avec_la_liste_gardee()
{
    const Liste gardee = Lit_Liste("dmf;nom\r\n21001;A\r\n21002;B\r\n21003;C\r\n").liste;
    const Liste nouvelle = Lit_Liste("dmf;nom\r\n21001;A\r\n21002;B bis\r\n21004;D\r\n21005;E\r\n").liste;
    const Differences d = Compare(gardee, nouvelle);
    QCOMPARE(d.nouveaux, 2);
    QCOMPARE(d.renommes, 1);
    QCOMPARE(d.disparus, 1);
    const Differences premiere = Compare(Liste(), nouvelle);
    QCOMPARE(premiere.nouveaux, 4);
    QCOMPARE(premiere.disparus, 0);
}

void Tst_Liste_Moulins::fichiers_hostiles()
{
    Dossier_Test d;
    // Binary bytes: read as Windows-1252, each line refused or kept, never a crash.
    QRandomGenerator hasard(20261208);
    QByteArray binaire(1 << 20, Qt::Uninitialized);
    for (char &c : binaire)
        c = char(hasard.bounded(256));
    const auto b = Lit_Fichier_Liste(d.ecrit(QStringLiteral("binaire.csv"), binaire));
    QVERIFY(b.ok());
    QVERIFY(b.valeur().refusees > 0);
    QVERIFY(qsizetype(b.valeur().refus.size()) <= Refus_Montres);
    // An unclosed quote runs to the end: one field, refused for its length.
    const auto q = Lit_Fichier_Liste(d.ecrit(QStringLiteral("guillemet.csv"), "dmf;nom\r\n21001;\"" + QByteArray(300000, 'x')));
    QVERIFY(q.ok());
    QCOMPARE(Refus_De(q.valeur()), QStringList{QStringLiteral("2: un champ dépasse 200 caractères")});
    // A stray quote as the first byte makes the whole list one field; a
    // first line of one long word is no heading, and the mills under it stay.
    QByteArray liste;
    for (int i = 0; i < 16000; ++i)
        liste += "21" + QByteArray::number(i % 1000).rightJustified(3, '0') + ";Moulin " + QByteArray::number(i) + ";Dijon\r\n";
    const Lecture guillemet = Lit_Liste('"' + liste);
    QCOMPARE(guillemet.liste.taille(), 0);
    QCOMPARE(Refus_De(guillemet), QStringList{QStringLiteral("1: un champ dépasse 200 caractères")});
    const Lecture long_mot = Lit_Liste(QString(200000, QChar(0xE9)).toUtf8() + "\r\n" + liste);
    QCOMPARE(long_mot.liste.taille(), 1000);
    QCOMPARE(Refus_De(long_mot).first(), QStringLiteral("1: un champ dépasse 200 caractères"));

    // Too large for a list: told without reading it.
    QFile grand(d.fichier(QStringLiteral("grand.csv")));
    QVERIFY(grand.open(QIODevice::WriteOnly) && grand.resize(qint64(200) << 20));
    grand.close();
    const auto g = Lit_Fichier_Liste(grand.fileName());
    QVERIFY(!g.ok());
    QVERIFY2(g.erreur().contains(QStringLiteral("200 Mo")), qPrintable(g.erreur()));

    QVERIFY(QDir(d.chemin()).mkdir(QStringLiteral("dossier")));
    QStringList hostiles{d.fichier(QStringLiteral("dossier")), d.fichier(QStringLiteral("absent.csv"))};
#ifdef Q_OS_UNIX
    QVERIFY(::mkfifo(QFile::encodeName(d.fichier(QStringLiteral("tube"))).constData(), 0600) == 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), d.fichier(QStringLiteral("zero.csv"))));
    QVERIFY(QFile::link(d.fichier(QStringLiteral("tube")), d.fichier(QStringLiteral("lien_tube.csv"))));
    hostiles << d.fichier(QStringLiteral("tube")) << QStringLiteral("/dev/zero") << d.fichier(QStringLiteral("zero.csv"))
             << d.fichier(QStringLiteral("lien_tube.csv"));
#endif
    for (const QString &chemin : std::as_const(hostiles)) {
        const auto r = Lit_Fichier_Liste(chemin);
        QVERIFY2(!r.ok(), qPrintable(chemin));
        QVERIFY2(!r.erreur().isEmpty(), qPrintable(chemin));
    }
}

void Tst_Liste_Moulins::memoire_bornee_par_la_taille_du_fichier()
{
    if (!Memoire_Residente::Remet_Pic())
        QSKIP("the peak of resident memory cannot be read here");
    // The largest file read: 60 MB of distinct mills and refused lines.
    Dossier_Test d;
    QFile f(d.fichier(QStringLiteral("liste.csv")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QByteArray bloc;
    for (int code = 0; code < 200000; ++code)
        bloc += QByteArray::number(10000 + code % 90000) + ";Moulin " + QByteArray::number(code) + ";"
            + QByteArray(200, 'c') + ";;;\r\n";
    while (f.size() + bloc.size() < (qint64(60) << 20))
        QVERIFY(f.write(bloc) == bloc.size());
    f.close();
    const qint64 avant = Memoire_Residente::Actuelle();
    QVERIFY(Memoire_Residente::Remet_Pic());
    const auto l = Lit_Fichier_Liste(f.fileName());
    const qint64 pic = Memoire_Residente::Pic() - avant;
    QVERIFY(l.ok());
    QCOMPARE(l.valeur().liste.taille(), 90000);
    QVERIFY2(pic <= f.size() + (qint64(64) << 20),
             qPrintable(QStringLiteral("%1 MB at the peak for a file of %2 MB").arg(pic >> 20).arg(f.size() >> 20)));
}

void Tst_Liste_Moulins::repli_sans_casse_ni_accents()
{
    QCOMPARE(Repli(QStringLiteral("Moulin de l'Étang à Œuilly")), Repli(QStringLiteral("moulin de l'etang a Œuilly")));
    QVERIFY(Repli(QStringLiteral("Côte-d'Or")).contains(QStringLiteral("cote")));
}

QTEST_GUILESS_MAIN(Tst_Liste_Moulins)
#include "tst_liste_moulins.moc"
