#include "Calculs_Rapports.h"
#include "Feuille_Test.h"
#include "Impression.h"
#include "Outils_Test.h"
#include "Place_Boites.h"
#include "Points.h"

#include <QFontInfo>
#include <QGuiApplication>

using namespace Sous_Programmes;

namespace {

QByteArray L(const char *dmf, const char *type = "Moulin Contacte", bool attente = false)
{
    return Ligne("15/03/07", dmf, type, "F5ABC", attente);
}

Contenu_Log Log(const QList<QByteArray> &lignes) { return Contenu_Log(Fichier_De(lignes)); }

} // namespace

class Tst_Calculs_Rapports : public QObject {
    Q_OBJECT

private slots:
    void departement_du_recapitulatif_data();
    void departement_du_recapitulatif();
    void departement_de_la_carte_data();
    void departement_de_la_carte();
    void recapitulatif_data();
    void recapitulatif();
    void total_egal_a_celui_de_la_fenetre_principale();
    void carte_data();
    void carte();
    void export_octet_pour_octet();
    void export_d_un_log_vide();
    void numeros_au_dela_de_99999();
    void export_du_meme_jour_remplace();
    void export_impossible();
    void impression_ligne_apres_ligne();
    void boites_ecartees_data();
    void boites_ecartees();
};

void Tst_Calculs_Rapports::departement_du_recapitulatif_data()
{
    QTest::addColumn<QByteArray>("paire");
    QTest::addColumn<int>("departement");
    QTest::newRow("07") << QByteArray("07") << 7;
    QTest::newRow("2 blanc") << QByteArray("2 ") << 2;
    QTest::newRow("blanc 7") << QByteArray(" 7") << 7;
    QTest::newRow("1A") << QByteArray("1A") << 1;
    QTest::newRow("AB") << QByteArray("AB") << 0;
    QTest::newRow("2a") << QByteArray("2a") << 96;
    QTest::newRow("2B") << QByteArray("2B") << 97;
    QTest::newRow("rien") << QByteArray() << 0;
}

void Tst_Calculs_Rapports::departement_du_recapitulatif()
{
    QFETCH(QByteArray, paire);
    QFETCH(int, departement);
    QCOMPARE(Departement_Recapitulatif(paire), departement);
}

void Tst_Calculs_Rapports::departement_de_la_carte_data()
{
    QTest::addColumn<QByteArray>("paire");
    QTest::addColumn<int>("boite"); // -1: no box
    QTest::newRow("01") << QByteArray("01") << 1;
    QTest::newRow("2A") << QByteArray("2A") << 96;
    QTest::newRow("2b") << QByteArray("2b") << 97;
    QTest::newRow("7 blanc") << QByteArray("7 ") << 7;
    QTest::newRow("blanc 7: ignorée") << QByteArray(" 7") << -1;
    QTest::newRow("lettre: ignorée") << QByteArray("A1") << -1;
    QTest::newRow("1A: la boîte 1") << QByteArray("1A") << 1;
    QTest::newRow("rien") << QByteArray() << -1;
}

void Tst_Calculs_Rapports::departement_de_la_carte()
{
    QFETCH(QByteArray, paire);
    QFETCH(int, boite);
    QCOMPARE(Departement_Carte(paire), boite);
}

void Tst_Calculs_Rapports::recapitulatif_data()
{
    QTest::addColumn<QList<QByteArray>>("lignes");
    QTest::addColumn<QList<int>>("rangees"); // the seven counts, then the départements
    QTest::addColumn<long long>("total");

    QTest::newRow("vide") << QList<QByteArray>{} << QList<int>{0, 0, 0, 0, 0, 0, 0, 0} << 0LL;
    QTest::newRow("un Moulin active") << QList<QByteArray>{L("01234", "Moulin active")} << QList<int>{0, 0, 0, 1, 0, 0, 0, 1} << 6LL;
    QTest::newRow("le même en attente") << QList<QByteArray>{L("01234", "Moulin active", true)}
                                        << QList<int>{0, 0, 0, 1, 0, 0, 0, 1} << 0LL;
    QTest::newRow("01 deux fois") << QList<QByteArray>{L("01001"), L("01002")} << QList<int>{2, 0, 0, 0, 0, 0, 0, 1} << 4LL;
    QTest::newRow("2A, 2B puis 02") << QList<QByteArray>{L("2A001"), L("2B001"), L("02001")}
                                    << QList<int>{3, 0, 0, 0, 0, 0, 0, 3} << 6LL;
    QTest::newRow("opérateur: points sans rangée") << QList<QByteArray>{L("13001", "Operateur activation")}
                                                  << QList<int>{0, 0, 0, 0, 0, 0, 0, 1} << 6LL;
    QTest::newRow("doubles des deux sortes") << QList<QByteArray>{L("13001", "Double ou non valid\xE9"), L("14001", "Double")}
                                             << QList<int>{0, 0, 0, 0, 0, 0, 2, 2} << 0LL;
    QTest::newRow("résident activé") << QList<QByteArray>{L("21001", "Resident active"), L("21002", "Reactivation Contactee"),
                                                           L("21003", "Resident Contacte"), L("21004", "Reactivation activee")}
                                     << QList<int>{0, 1, 1, 0, 1, 1, 0, 1} << 8LL;
    QTest::newRow("lignes vides et 00") << QList<QByteArray>{QByteArray(), L("00001"), L("AB001")}
                                        << QList<int>{2, 0, 0, 0, 0, 0, 0, 0} << 4LL;
}

void Tst_Calculs_Rapports::recapitulatif()
{
    QFETCH(QList<QByteArray>, lignes);
    QFETCH(QList<int>, rangees);
    QFETCH(long long, total);
    const Recapitulatif_Log r = Compte_Recapitulatif(Log(lignes));
    const QList<int> obtenues{r.contacte, r.reactivation_contactee, r.resident_contacte, r.active, r.reactivation_activee,
                              r.resident_active, r.doubles, r.departements};
    QCOMPARE(obtenues, rangees);
    QCOMPARE(r.total, total);
}

void Tst_Calculs_Rapports::total_egal_a_celui_de_la_fenetre_principale()
{
    QList<QByteArray> lignes;
    for (int i = 0; i < 500; ++i) {
        const auto &type = Types_Activite[size_t(i % 9)];
        lignes << Ligne("15/03/07", QByteArray::number(10000 + i * 37).constData(), type.texte, "F5ABC", i % 7 == 0);
    }
    lignes << QByteArray() << QByteArray("garbage");
    QCOMPARE(Compte_Recapitulatif(Log(lignes)).total, Total_Contenu(Log(lignes)));
}

void Tst_Calculs_Rapports::carte_data()
{
    QTest::addColumn<QList<QByteArray>>("lignes");
    QTest::addColumn<QList<int>>("vertes");
    QTest::addColumn<int>("nombre");

    QTest::newRow("vide") << QList<QByteArray>{} << QList<int>{} << 0;
    QTest::newRow("01 deux fois") << QList<QByteArray>{L("01001"), L("01002")} << QList<int>{1} << 1;
    QTest::newRow("2A") << QList<QByteArray>{L("2A001")} << QList<int>{96} << 1;
    QTest::newRow("2A et 2B") << QList<QByteArray>{L("2A001"), L("2B001")} << QList<int>{96, 97} << 2;
    QTest::newRow("en attente et double aussi") << QList<QByteArray>{L("21001", "Moulin active", true), L("29001", "Double ou non valid\xE9")}
                                               << QList<int>{21, 29} << 2;
    QTest::newRow("20: compté, pas montré") << QList<QByteArray>{L("20001")} << QList<int>{20} << 1;
    QTest::newRow("00: vert, pas compté") << QList<QByteArray>{L("00001")} << QList<int>{0} << 0;
    QTest::newRow("blanc ou lettre: rien") << QList<QByteArray>{L(" 7001"), L("AB001"), QByteArray()} << QList<int>{} << 0;
}

void Tst_Calculs_Rapports::carte()
{
    QFETCH(QList<QByteArray>, lignes);
    QFETCH(QList<int>, vertes);
    QFETCH(int, nombre);
    const Carte_Log c = Colore_Carte(Log(lignes));
    QList<int> obtenues;
    for (int i = 0; i < 100; ++i)
        if (c.vert.test(size_t(i)))
            obtenues << i;
    QCOMPARE(obtenues, vertes);
    QCOMPARE(c.nombre, nombre);
}

void Tst_Calculs_Rapports::export_octet_pour_octet()
{
    Dossier_Test d;
    QList<QByteArray> lignes;
    for (int i = 1; i <= 10; ++i)
        lignes << Ligne("15/03/07", QByteArray::number(21000 + i).constData(), i == 3 ? "Moulin active" : "Moulin Contacte", "F5ABC", i == 2);
    lignes[9] = Ligne("16/03/07", "21010", "Double ou non valid\xE9", "F6XYZ");
    const QString log = d.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt"), Fichier_De(lignes));
    const auto nom = Enregistre_Contactes(log, QStringLiteral("TEST1"), QStringLiteral("2007"), QStringLiteral("20"),
                                          QDate(2007, 12, 6), QStringLiteral("06/12/2007"), d.chemin());
    QVERIFY2(nom.ok(), qPrintable(nom.erreur()));
    QCOMPARE(nom.valeur(), QStringLiteral("TEST1_Dezudidar_ERI_2007_06_12_07.txt"));

    QByteArray attendu = "            TEST1 Dezudidar ERI 2007    Moulins contact\xE9s au 06/12/2007\r\n\r\n"
                         "     N\xB0      Date   DMF      Type d'activit\xE9       Indicatif   Points\r\n\r\n";
    const char *points[] = {" 2", " 0", " 6", " 2", " 2", " 2", " 2", " 2", " 2", " 0"};
    for (int i = 0; i < 10; ++i)
        attendu += (i < 9 ? "      " : "     ") + QByteArray::number(i + 1) + "   " + lignes[i] + "  " + points[i] + "\r\n";
    attendu += "\r\n                             Total des points : 20\r\n\r\n";
    QCOMPARE(d.lit(nom.valeur()), attendu);
    QVERIFY(!d.existe(QStringLiteral("Temporaire.txt")));
}

void Tst_Calculs_Rapports::export_d_un_log_vide()
{
    Dossier_Test d;
    const QString log = d.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt"), QByteArray());
    const auto nom = Enregistre_Contactes(log, QStringLiteral("TEST1"), QStringLiteral("2007"), QStringLiteral("0"),
                                          QDate(2007, 12, 6), QStringLiteral("06/12/2007"), d.chemin());
    QVERIFY(nom.ok());
    const QList<QByteArray> lignes = d.lit(nom.valeur()).split('\n');
    QCOMPARE(lignes.size(), 8); // seven lines, each ended
    QCOMPARE(lignes.at(4), QByteArray("\r"));
    QCOMPARE(lignes.at(5), QByteArray("                             Total des points : 0\r"));
}

void Tst_Calculs_Rapports::numeros_au_dela_de_99999()
{
    const QByteArray l = L("21001");
    QByteArray log;
    for (int i = 0; i < 100001; ++i)
        log += l + "\r\n";
    const QList<QByteArray> rangees = Listing_Contactes(Contenu_Log(log), Forme_Listing::Fichier, QStringLiteral("T"),
                                                        QStringLiteral("2007"), QString(), QStringLiteral("0"))
                                          .split('\n');
    QCOMPARE(rangees.at(4), "      1   " + l + "   2\r");
    QCOMPARE(rangees.at(4 + 99998), "  99999   " + l + "   2\r");
    QCOMPARE(rangees.at(4 + 99999), "  100000   " + l + "   2\r");
    QCOMPARE(rangees.at(4 + 100000), "  100001   " + l + "   2\r");
    QCOMPARE(rangees.at(4 + 100001), QByteArray("\r"));
}

void Tst_Calculs_Rapports::export_du_meme_jour_remplace()
{
    Dossier_Test d;
    const QString log = d.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt"), Fichier_De({L("21001")}));
    for (const char *total : {"2", "99"})
        QVERIFY(Enregistre_Contactes(log, QStringLiteral("TEST1"), QStringLiteral("2007"), QString::fromLatin1(total),
                                     QDate(2007, 12, 6), QStringLiteral("06/12/2007"), d.chemin())
                    .ok());
    QCOMPARE(QDir(d.chemin()).entryList(QDir::Files).size(), 2);
    QVERIFY(d.lit(QStringLiteral("TEST1_Dezudidar_ERI_2007_06_12_07.txt")).contains("Total des points : 99\r\n"));
}

void Tst_Calculs_Rapports::export_impossible()
{
    Dossier_Test d;
    // No log: nothing written, and said.
    auto nom = Enregistre_Contactes(d.fichier(QStringLiteral("absent.txt")), QStringLiteral("TEST1"), QStringLiteral("2007"),
                                    QStringLiteral("0"), QDate(2007, 12, 6), QStringLiteral("06/12/2007"), d.chemin());
    QVERIFY(!nom.ok());
    QVERIFY(nom.erreur().contains(QStringLiteral("introuvable")));
    QVERIFY(QDir(d.chemin()).entryList(QDir::Files).isEmpty());
    // The export's name taken by a folder: an error, no half file.
    const QString log = d.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt"), Fichier_De({L("21001")}));
    QVERIFY(QDir(d.chemin()).mkdir(QStringLiteral("TEST1_Dezudidar_ERI_2007_06_12_07.txt")));
    nom = Enregistre_Contactes(log, QStringLiteral("TEST1"), QStringLiteral("2007"), QStringLiteral("2"), QDate(2007, 12, 6),
                               QStringLiteral("06/12/2007"), d.chemin());
    QVERIFY(!nom.ok());
    QVERIFY(!d.existe(QStringLiteral("Temporaire.txt")));
}

void Tst_Calculs_Rapports::impression_ligne_apres_ligne()
{
    QList<QByteArray> qsos;
    for (int i = 0; i < 150; ++i)
        qsos << L(QByteArray::number(10000 + i).constData());
    const QStringList lignes = QString::fromLatin1(Listing_Contactes(Log(qsos), Forme_Listing::Papier, QStringLiteral("TEST1"),
                                                                     QStringLiteral("2007"), QStringLiteral("06/12/2007"),
                                                                     QStringLiteral("300")))
                                   .split(QStringLiteral("\r\n"));
    QCOMPARE(lignes.first(), QString::fromLatin1("            TEST1 Radovered 2007    Moulins contact\xE9s au 06/12/2007"));
    QCOMPARE(lignes.at(2), QString::fromLatin1("     N\xB0      Date    DMF     Type d'activit\xE9       Indicatif   Points"));

    Feuille_Test feuille(842);
    const auto s = Impression::Imprime_Lignes(feuille, [&] { return feuille.page_suivante(); }, lignes);
    QVERIFY2(s.ok(), qPrintable(s.erreur()));
    const auto &imprimees = feuille.moteur().lignes;
    QStringList textes;
    for (const auto &l : imprimees)
        textes << l.texte;
    QStringList non_vides = lignes;
    non_vides.removeAll(QString());
    QCOMPARE(textes, non_vides);
    // Pages follow on with no title repeated; the font is fixed-pitch, bold, 10 points.
    QVERIFY(imprimees.last().page >= 3);
    QCOMPARE(std::count_if(imprimees.begin(), imprimees.end(), [](const auto &l) { return l.texte.contains(QStringLiteral("Radovered")); }), 1);
    for (qsizetype i = 1; i < imprimees.size(); ++i)
        QVERIFY(imprimees[i].page >= imprimees[i - 1].page);
    QVERIFY(QFontInfo(imprimees.first().police).fixedPitch());
    QVERIFY(imprimees.first().police.bold());
    QCOMPARE(imprimees.first().police.pointSize(), 10);
}

void Tst_Calculs_Rapports::boites_ecartees_data()
{
    QTest::addColumn<QList<QPointF>>("ancres");
    QTest::addColumn<qreal>("cote_zone");
    const QList<QPointF> meme_point(5, QPointF(100, 100));
    QTest::newRow("deux sur le meme point") << QList<QPointF>{{50, 50}, {50, 50}} << qreal(40);
    QTest::newRow("cinq sur le meme point, zones etroites") << meme_point << qreal(10);
    QTest::newRow("au bord des limites") << QList<QPointF>{{2, 2}, {5, 3}, {4, 8}} << qreal(20);
    QTest::newRow("deja separees") << QList<QPointF>{{20, 20}, {80, 20}} << qreal(10);
}

void Tst_Calculs_Rapports::boites_ecartees()
{
    QFETCH(QList<QPointF>, ancres);
    QFETCH(qreal, cote_zone);
    const QSizeF taille(30, 24);
    const QRectF limites(0, 0, 200, 200);
    std::vector<QRectF> zones;
    for (const QPointF &a : ancres)
        zones.push_back(QRectF(a.x() - cote_zone / 2, a.y() - cote_zone / 2, cote_zone, cote_zone));
    const auto centres = Ecarte_Boites(std::vector<QPointF>(ancres.begin(), ancres.end()), zones, taille, limites);
    QCOMPARE(centres.size(), size_t(ancres.size()));
    bool deja = true;
    for (size_t i = 0; i < centres.size(); ++i) {
        QVERIFY(limites.contains(QRectF(centres[i] - QPointF(15, 12), taille)));
        for (size_t j = i + 1; j < centres.size(); ++j) {
            QVERIFY2(Boites_Separees(centres[i], centres[j], taille), qPrintable(QStringLiteral("%1 / %2").arg(i).arg(j)));
            deja &= Boites_Separees(ancres[qsizetype(i)], ancres[qsizetype(j)], taille);
        }
    }
    // Boxes that cover nothing stay on their anchors.
    if (deja)
        QCOMPARE(centres, std::vector<QPointF>(ancres.begin(), ancres.end()));
}

QTEST_MAIN(Tst_Calculs_Rapports)
#include "tst_calculs_rapports.moc"
