#include "Banc_Main.h"

#include "Journal.h"
#include "Modele_Spots.h"
#include "Spots.h"

#include <QSortFilterProxyModel>
#include <QTableView>

using namespace Sous_Programmes;

namespace {

QVariant Reglage(const QString &cle)
{
    QSettings s(Sous_Programmes::Organisation_Reglages(), QString::fromLatin1(Sous_Programmes::Nom_Application));
    return s.value(cle);
}

const QByteArray Modele = Fichier_De({Ligne("01/01/07", "00000", "Moulin Contacte", "MODELE")});

} // namespace

class Tst_Station : public QObject {
    Q_OBJECT

private slots:
    void premiere_installation_puis_station();
    void refus_data();
    void refus();
    void changer_d_annee_et_de_station();
    void log_illisible_jamais_remplace();
    void modele_absent_donne_un_log_vide();
    void une_seule_fenetre();
    void locator_de_la_station_pour_les_spots();

private:
    QWidget *ouvre(Banc_Main &b)
    {
        b.action("Mnu_New_Indicatif")->trigger();
        return Banc_Main::fenetre_ouverte("Station");
    }
    void valide(Banc_Main &b, const QString &indicatif, const QString &annee)
    {
        QWidget *station = ouvre(b);
        QVERIFY(station);
        auto *ind = station->findChild<QLineEdit *>(QStringLiteral("New_Indicatif"));
        ind->clear();
        b.tape(ind, indicatif);
        b.entree(ind);
        auto *an = station->findChild<QLineEdit *>(QStringLiteral("New_Annee"));
        b.tape(an, annee);
        b.entree(an);
        QTest::mouseClick(station->findChild<QPushButton *>(QStringLiteral("Validation")), Qt::LeftButton);
    }
};

void Tst_Station::premiere_installation_puis_station()
{
    Banc_Main b;
    b.dossier.ecrit(QString::fromLatin1(Nom_Modele_Log), Modele);
    b.demarre();
    b.messages.clear();
    QWidget *station = ouvre(b);
    QVERIFY(station);
    QCOMPARE(station->windowTitle(), QString::fromUtf8("Selection Indicatif et Année"));
    auto *ind = station->findChild<QLineEdit *>(QStringLiteral("New_Indicatif"));
    auto *an = station->findChild<QLineEdit *>(QStringLiteral("New_Annee"));
    QCOMPARE(ind->text(), QStringLiteral("FXXXX"));
    QCOMPARE(an->text(), QString());
    QCOMPARE(b.focus(), ind);
    QCOMPARE(Banc_Main::fond(ind), 0xC0FFC0u);

    ind->clear();
    b.tape(ind, QStringLiteral("test/p"));
    QCOMPARE(ind->text(), QStringLiteral("TEST_P"));
    b.entree(ind);
    QCOMPARE(ind->text(), QStringLiteral("TEST_P"));
    QCOMPARE(b.focus(), an);
    QCOMPARE(Banc_Main::fond(an), 0xC0FFC0u);
    b.tape(an, QStringLiteral("2007"));
    b.entree(an);
    QCOMPARE(b.focus(), station->findChild<QPushButton *>(QStringLiteral("Validation")));
    b.entree(b.focus());

    QVERIFY(b.messages.isEmpty());
    QVERIFY(!Banc_Main::fenetre_visible("Station"));
    QCOMPARE(b.dossier.lit(QStringLiteral("TEST_P_Dezudidar_ERI_2007.txt")), Modele);
    QCOMPARE(Reglage(QStringLiteral("Setup /Indicatif Station")).toString(), QStringLiteral("TEST_P"));
    QCOMPARE(Reglage(QStringLiteral("Setup TEST_P/Annee Radovered")).toString(), QStringLiteral("2007"));
    QCOMPARE(b.controle<QLabel>("I_Station")->text(), QStringLiteral("TEST/P"));
    QCOMPARE(b.controle<QLabel>("A_Challenge")->text(), QStringLiteral("2007"));
    QCOMPARE(b.fenetre->carnet().indicatif(), QStringLiteral("TEST_P"));
    QCOMPARE(b.lignes(), 1);
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("2"));

    // The entry now works: a QSO goes into the new log.
    QVERIFY(QTest::qWaitForWindowActive(b.fenetre.get()));
    QCOMPARE(b.focus(), b.champ("Ind_A"));
    b.saisit_qso(QStringLiteral("F5ABC"), 3, QStringLiteral("21001"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(b.dossier.lit(QStringLiteral("TEST_P_Dezudidar_ERI_2007.txt")),
             Modele + Ligne("15/03/07", "21001", "Moulin active", "F5ABC") + "\r\n");
}

void Tst_Station::refus_data()
{
    QTest::addColumn<QString>("indicatif");
    QTest::addColumn<QString>("annee");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("vide");

    const QString invalide = QStringLiteral("L'indicatif ne doit comporter que des lettres des chiffres ou le signe _ ");
    QTest::newRow("tout vide: l'indicatif d'abord") << "" << "" << "Vous devez entrer un indicatif" << false;
    QTest::newRow("13 caractères") << "F5ABC_P123456" << "2007" << "12 caracteres maximum pour l'indicatif" << false;
    QTest::newRow("blanc") << "F5 ABC" << "2007" << invalide << true;
    QTest::newRow("tiret") << "F5-ABC" << "2007" << invalide << true;
    QTest::newRow("lettre accentuée") << QString::fromUtf8("F5ÉBC") << "2007" << invalide << true;
    QTest::newRow("barre collée") << "F5ABC/P" << "2007" << invalide << true;
    QTest::newRow("année vide") << "F5ABC" << "" << QString::fromUtf8("Vous devez entrer une Année") << false;
    QTest::newRow("année de 3") << "F5ABC" << "207" << QString::fromUtf8("L'Année doit comporter 4 chiffres") << false;
    QTest::newRow("année de 5") << "F5ABC" << "20071" << QString::fromUtf8("L'Année doit comporter 4 chiffres") << false;
    // Four characters, but they would name a file outside the program folder.
    const QString hors = QStringLiteral("L'Année ne doit comporter ni « / », ni « \\ », ni « .. », ni caractère de contrôle");
    QTest::newRow("année remontante") << "F5ABC" << "../." << hors << false;
    QTest::newRow("année à barre inverse") << "F5ABC" << "20\\7" << hors << false;
}

void Tst_Station::refus()
{
    QFETCH(QString, indicatif);
    QFETCH(QString, annee);
    QFETCH(QString, message);
    QFETCH(bool, vide);
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De({Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC")}));
    b.demarre();
    QWidget *station = ouvre(b);
    // Pasted text: none of the typing rules apply.
    station->findChild<QLineEdit *>(QStringLiteral("New_Indicatif"))->setText(indicatif);
    station->findChild<QLineEdit *>(QStringLiteral("New_Annee"))->setText(annee);
    QTest::mouseClick(station->findChild<QPushButton *>(QStringLiteral("Validation")), Qt::LeftButton);
    QCOMPARE(b.messages, QStringList{message});
    QCOMPARE(station->findChild<QLineEdit *>(QStringLiteral("New_Indicatif"))->text(), vide ? QString() : indicatif);
    QVERIFY(Banc_Main::fenetre_ouverte("Station"));
    // Nothing saved, nothing made, the main window still on its log.
    QCOMPARE(QDir(b.dossier.chemin()).entryList(QDir::Files), QStringList{b.log()});
    QCOMPARE(Reglage(QStringLiteral("Setup /Indicatif Station")).toString(), QStringLiteral("TEST1"));
    QCOMPARE(b.fenetre->carnet().indicatif(), QStringLiteral("TEST1"));
    QCOMPARE(b.fenetre->carnet().annee(), QStringLiteral("2007"));
    QCOMPARE(b.fenetre->carnet().chemin(), b.dossier.fichier(b.log()));
}

void Tst_Station::changer_d_annee_et_de_station()
{
    Banc_Main b;
    b.dossier.ecrit(QString::fromLatin1(Nom_Modele_Log), QByteArray());
    const QByteArray log_2007 = Fichier_De({Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"),
                                            Ligne("02/03/07", "21002", "Moulin active", "F6XYZ")});
    b.station("TEST1", "2007", log_2007);
    b.demarre();
    QCOMPARE(b.lignes(), 2);

    valide(b, QStringLiteral("test1"), QStringLiteral("2008"));
    QCOMPARE(b.dossier.lit(QStringLiteral("TEST1_Dezudidar_ERI_2008.txt")), QByteArray());
    QCOMPARE(b.lignes(), 0);
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("0"));
    QCOMPARE(b.controle<QLabel>("A_Challenge")->text(), QStringLiteral("2008"));

    valide(b, QStringLiteral("TEST2"), QStringLiteral("abcd"));
    QVERIFY(b.dossier.existe(QStringLiteral("TEST2_Dezudidar_ERI_ABCD.txt")));
    QCOMPARE(Reglage(QStringLiteral("Setup TEST2/Annee Radovered")).toString(), QStringLiteral("ABCD"));

    // Back to the first year: its log made current again, untouched.
    valide(b, QStringLiteral("TEST1"), QStringLiteral("2007"));
    QCOMPARE(b.dossier.lit(b.log()), log_2007);
    QCOMPARE(b.lignes(), 2);
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("8"));
    QCOMPARE(Reglage(QStringLiteral("Setup /Indicatif Station")).toString(), QStringLiteral("TEST1"));
    QCOMPARE(Reglage(QStringLiteral("Setup TEST1/Annee Radovered")).toString(), QStringLiteral("2007"));
    QCOMPARE(Reglage(QStringLiteral("Setup TEST2/Annee Radovered")).toString(), QStringLiteral("ABCD"));
    // Ready for a new QSO, which is appended to the log now shown.
    QVERIFY(!b.modification());
    b.saisit_qso(QStringLiteral("F1NEW"), 0, QStringLiteral("21009"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(b.dossier.lit(b.log()), log_2007 + Ligne("15/03/07", "21009", "Moulin Contacte", "F1NEW") + "\r\n");
    QCOMPARE(b.dossier.lit(QStringLiteral("TEST1_Dezudidar_ERI_2008.txt")), QByteArray());
}

void Tst_Station::log_illisible_jamais_remplace()
{
    Banc_Main b;
    b.dossier.ecrit(QString::fromLatin1(Nom_Modele_Log), Modele);
    b.station("TEST1", "2007", QByteArray());
    b.demarre();
    QVERIFY(QDir(b.dossier.chemin()).mkdir(QStringLiteral("TEST1_Dezudidar_ERI_2009.txt")));
    b.messages.clear();
    valide(b, QStringLiteral("TEST1"), QStringLiteral("2009"));
    QVERIFY(!b.messages.isEmpty());
    QVERIFY2(b.messages.first().contains(QStringLiteral("ne peut pas être lu")), qPrintable(b.messages.first()));
    QVERIFY(QFileInfo(b.dossier.fichier(QStringLiteral("TEST1_Dezudidar_ERI_2009.txt"))).isDir());
}

void Tst_Station::modele_absent_donne_un_log_vide()
{
    Banc_Main b;
    b.demarre();
    b.messages.clear();
    valide(b, QStringLiteral("TEST1"), QStringLiteral("2007"));
    QCOMPARE(b.dossier.lit(b.log()), QByteArray());
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().contains(QStringLiteral("FXXXX_Dezudidar_ERI.txt")), qPrintable(b.messages.first()));
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("0"));
}

void Tst_Station::une_seule_fenetre()
{
    Banc_Main b;
    b.demarre();
    ouvre(b);
    ouvre(b);
    QCOMPARE(Banc_Main::fenetres_ouvertes("Station"), 1);
    b.action("Mnu_Reglement")->trigger();
    b.action("Mnu_Reglement")->trigger();
    QCOMPARE(Banc_Main::fenetres_ouvertes("Reglement"), 1);
    QTest::mouseClick(b.bouton("Recherche"), Qt::LeftButton);
    QTest::mouseClick(b.bouton("Recherche"), Qt::LeftButton);
    QCOMPARE(Banc_Main::fenetres_ouvertes("Recherche_Indicatif"), 1);
    // Closed, it starts over at the next opening.
    QWidget *station = Banc_Main::fenetre_ouverte("Station");
    station->findChild<QLineEdit *>(QStringLiteral("New_Annee"))->setText(QStringLiteral("2001"));
    station->close();
    QTRY_COMPARE(Banc_Main::fenetres_ouvertes("Station"), 0);
    QCOMPARE(ouvre(b)->findChild<QLineEdit *>(QStringLiteral("New_Annee"))->text(), QString());
}

// The station's locator reaches the spots at start, and again when another
// station is validated: the mill's tooltip says how far it is from there.
void Tst_Station::locator_de_la_station_pour_les_spots()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De({}));
    b.station("TEST2", "2007", Fichier_De({}));
    b.station("TEST1", "2007", Fichier_De({}));
    QVERIFY(Sauve_Locator(QStringLiteral("TEST1"), QStringLiteral("JN18du")).ok());
    QVERIFY(Sauve_Locator(QStringLiteral("TEST2"), QStringLiteral("JN27")).ok());
    b.dossier.ecrit(QStringLiteral("Moulins.txt"), "dmf;nom;commune;latitude;longitude\r\n21001;Moulin Neuf;Beaune;47.0244;4.8389\r\n");
    b.demarre();
    b.action("Mnu_Spots")->trigger();
    QWidget *spots = Banc_Main::fenetre_ouverte("Spots_DMF");
    QVERIFY(spots);
    auto *filtre = qobject_cast<QSortFilterProxyModel *>(spots->findChild<QTableView *>(QStringLiteral("Table_Spots"))->model());
    auto *modele = qobject_cast<Modele_Spots *>(filtre->sourceModel());
    QVERIFY(modele);
    modele->ajoute({*Cluster::Lit_Spot("DX de F1AAA:     7088.0  F5ABC        DMF 21001 SSB                  1825Z", b.maintenant)});
    modele->montre();
    auto bulle = [&] { return modele->index(0, Modele_Spots::Moulin).data(Qt::ToolTipRole).toString(); };
    QTRY_VERIFY(modele->rowCount() == 1);
    QCOMPARE(bulle(), QStringLiteral("Moulin Neuf, Beaune (21) : 278 km, azimut 136°"));
    valide(b, QStringLiteral("TEST2"), QStringLiteral("2007"));
    // JN27: 47.5 N, 5 E.
    QCOMPARE(bulle(), QStringLiteral("Moulin Neuf, Beaune (21) : 54 km, azimut 193°"));
}

QTEST_MAIN(Tst_Station)
#include "tst_main_station.moc"
