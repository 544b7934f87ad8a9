// The list of mills as the operator uses it: loaded from the organisers'
// file, each number's mill under the entry, what is left to contact.
#include "Banc_Main.h"

#include "Dialogue_Fichier.h"
#include "Impression.h"
#include "Liste_Moulins.h"
#include "Reglages.h"

#include <QAccessible>
#include <QComboBox>
#include <QListWidget>
#include <QPrinter>
#include <QTableView>

namespace {

const QByteArray Liste_Csv = "N° DMF;Nom;Commune;Département\r\n"
                             "21001;Moulin de la Tour;Saint-Pierre;21\r\n"
                             "21002;Moulin de l'Étang;Is-sur-Tille;21\r\n"
                             "21003;Moulin Neuf;Beaune;21\r\n"
                             "29010;Moulin de Kerouat;Commana;29\r\n"
                             "2A001;Moulin d'Ajaccio;Ajaccio;2A\r\n"
                             "22001;Faux;Ailleurs;21\r\n";

const QList<QByteArray> Log{Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"),
                            Ligne("05/03/07", "21002", "Moulin active", "F6XYZ", true),
                            Ligne("10/03/07", "29010", "Moulin Contacte", "F1AAA"),
                            Ligne("12/03/07", "75001", "Moulin Contacte", "F1BBB")};

QString Texte(const QWidget *w, const char *nom) { return w->findChild<QLabel *>(QString::fromLatin1(nom))->text(); }

QString Dit(QWidget *w)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

} // namespace

class Tst_Main_Moulins : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        Dialogue_Fichier::Installe_Repondeur({});
        Impression::Installe_Choix({});
    }
    void charger_la_liste_puis_le_nom_sous_la_saisie();
    void annuler_ne_garde_rien();
    void octet_etranger_dit_puis_liste_gardee_en_utf8();
    void liste_gardee_lue_au_demarrage();
    void moulins_restants_d_accord_avec_la_carte_et_le_recapitulatif();
    void restants_enregistres_et_imprimes();
    void import_et_carte_nomment_les_moulins();
    void carte_des_moulins_autour_de_la_station();
};

void Tst_Main_Moulins::charger_la_liste_puis_le_nom_sous_la_saisie()
{
    Banc_Main b;
    const QByteArray log = Fichier_De(Log);
    b.station("TEST1", "2007", log);
    const QString csv = b.dossier.ecrit(QStringLiteral("liste officielle.csv"), Liste_Csv);
    Dialogue_Fichier::Installe_Repondeur([&](const QString &titre, const QString &) {
        return titre == QStringLiteral("Charger la liste des moulins") ? csv : QString();
    });
    b.demarre();
    QCOMPARE(b.controle<QLabel>("Nom_Moulin")->text(), QString());
    b.action("Mnu_Liste_Moulins")->trigger();
    QWidget *apercu = Banc_Main::fenetre_ouverte("Apercu_Moulins");
    QVERIFY(apercu);
    QCOMPARE(apercu->windowTitle(), QStringLiteral("Liste des moulins"));
    QCOMPARE(Texte(apercu, "Resume_Moulins"), QStringLiteral("5 moulin(s) lu(s), aucune liste n'était gardée.\n"
                                                             "1 ligne(s) refusée(s) : la liste du bas dit pourquoi."));
    auto *refus = apercu->findChild<QListWidget *>(QStringLiteral("Refus_Moulins"));
    QCOMPARE(refus->count(), 1);
    QCOMPARE(refus->item(0)->text(), QStringLiteral("Ligne 7 : le département « 21 » ne correspond pas au numéro 22001"));
    auto *table = apercu->findChild<QTableView *>(QStringLiteral("Table_Apercu"));
    QCOMPARE(table->model()->rowCount(), 5);
    QCOMPARE(table->model()->index(4, 1).data().toString(), QStringLiteral("Moulin d'Ajaccio"));
    QVERIFY(!b.dossier.existe(QStringLiteral("Moulins.txt")));

    b.messages.clear();
    apercu->findChild<QPushButton *>(QStringLiteral("Enregistrer_Moulins"))->click();
    QCOMPARE(b.messages, QStringList{QStringLiteral("La liste de 5 moulins est gardée.")});
    QVERIFY(!Banc_Main::fenetre_visible("Apercu_Moulins"));
    QCOMPARE(b.dossier.lit(QStringLiteral("Moulins.txt")), Moulins::Texte_Garde(Moulins::Lit_Liste(Liste_Csv).liste));
    QCOMPARE(b.dossier.lit(b.log()), log);

    // Enter in the number shows the mill; a number the list lacks is told, never refused.
    auto *nom = b.controle<QLabel>("Nom_Moulin");
    b.saisit_qso(QStringLiteral("F5NEW"), 0, QStringLiteral("21003"));
    QCOMPARE(nom->text(), QStringLiteral("Moulin Neuf, Beaune (21)"));
    QCOMPARE(Dit(nom), QStringLiteral("Moulin Neuf, Beaune (21)"));
    QTest::mouseClick(b.bouton("Efface_A"), Qt::LeftButton);
    QCOMPARE(nom->text(), QString());
    b.saisit_qso(QStringLiteral("F5NEW"), 0, QStringLiteral("44099"));
    QCOMPARE(nom->text(), QStringLiteral("Ce numéro n'est pas dans la liste des moulins"));
    QCOMPARE(nom->palette().color(QPalette::WindowText), QColor(0x8B, 0, 0));
    QVERIFY(b.controle<QWidget>("Validation_A")->isEnabled());
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(b.lignes(), Log.size() + 1);
    QCOMPARE(nom->text(), QString());

    // A line picked in the list shows its mill, and a screen reader hears it.
    b.clique_ligne(0);
    QCOMPARE(nom->text(), QStringLiteral("Moulin de la Tour, Saint-Pierre (21)"));
    QCOMPARE(nom->palette().color(QPalette::WindowText), b.fenetre->palette().color(QPalette::WindowText));
    QCOMPARE(b.liste()->model()->index(0, 0).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("QSO 1, 01/03/07, DMF 21001, Moulin de la Tour, Saint-Pierre (21), Moulin Contacte, F5ABC"));
    QCOMPARE(b.liste()->model()->index(3, 0).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("QSO 4, 12/03/07, DMF 75001, Moulin Contacte, F1BBB"));
}

void Tst_Main_Moulins::octet_etranger_dit_puis_liste_gardee_en_utf8()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    const QString csv = b.dossier.ecrit(QStringLiteral("liste.csv"), "\xEF\xBB\xBF" "dmf;nom;commune\r\n21001;Moulin \xC3\xA0 eau;Beaune\r\n"
                                                                   "21002;Moulin \xE0 vent;Dijon\r\n");
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &) { return csv; });
    b.demarre();
    b.action("Mnu_Liste_Moulins")->trigger();
    QWidget *apercu = Banc_Main::fenetre_ouverte("Apercu_Moulins");
    QVERIFY(apercu);
    QCOMPARE(Texte(apercu, "Resume_Moulins"),
             QStringLiteral("2 moulin(s) lu(s), aucune liste n'était gardée.\n0 ligne(s) refusée(s).\n"
                            "1 ligne(s) gardée(s) avec un octet qui n'était pas de l'UTF-8, remplacé par « \uFFFD » (la première : ligne 3)."));
    apercu->findChild<QPushButton *>(QStringLiteral("Enregistrer_Moulins"))->click();
    QVERIFY(QByteArrayView(b.dossier.lit(QStringLiteral("Moulins.txt"))).isValidUtf8());

    // Read again at the next start: the names as they were shown.
    b.fenetre.reset();
    b.demarre();
    b.saisit_qso(QStringLiteral("F5NEW"), 0, QStringLiteral("21001"));
    QTRY_COMPARE(b.controle<QLabel>("Nom_Moulin")->text(), QStringLiteral("Moulin à eau, Beaune (21)"));
}

void Tst_Main_Moulins::annuler_ne_garde_rien()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    const QString csv = b.dossier.ecrit(QStringLiteral("liste.csv"), Liste_Csv);
    const QString binaire = b.dossier.ecrit(QStringLiteral("image.csv"), QByteArray("\x89PNG\r\n\x1A\n\0\0\0", 11));
    QString choisi = csv;
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &) { return choisi; });
    b.demarre();
    b.action("Mnu_Liste_Moulins")->trigger();
    QWidget *apercu = Banc_Main::fenetre_ouverte("Apercu_Moulins");
    QVERIFY(apercu);
    apercu->findChild<QPushButton *>(QStringLiteral("Annuler_Moulins"))->click();
    QVERIFY(!b.dossier.existe(QStringLiteral("Moulins.txt")));
    QCOMPARE(QDir(b.dossier.fichier(QStringLiteral("Sauvegardes"))).entryList({QStringLiteral("Moulins*")}), QStringList());

    // A file with no mill cannot replace the list.
    choisi = binaire;
    b.action("Mnu_Liste_Moulins")->trigger();
    apercu = Banc_Main::fenetre_ouverte("Apercu_Moulins");
    QVERIFY(apercu);
    QVERIFY(Texte(apercu, "Resume_Moulins").contains(QStringLiteral("Aucun moulin n'a pu être lu")));
    QVERIFY(!apercu->findChild<QPushButton *>(QStringLiteral("Enregistrer_Moulins"))->isEnabled());
    apercu->close();

    // A folder is told, and nothing opens.
    choisi = b.dossier.chemin();
    b.messages.clear();
    b.action("Mnu_Liste_Moulins")->trigger();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY(!Banc_Main::fenetre_visible("Apercu_Moulins"));

    // No list kept: the label stays empty.
    b.saisit_qso(QStringLiteral("F5NEW"), 0, QStringLiteral("21001"));
    QCOMPARE(b.controle<QLabel>("Nom_Moulin")->text(), QString());
}

void Tst_Main_Moulins::liste_gardee_lue_au_demarrage()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.dossier.ecrit(QStringLiteral("Moulins.txt"), Moulins::Texte_Garde(Moulins::Lit_Liste(Liste_Csv).liste));
    b.demarre();
    b.clique_ligne(2);
    QTRY_COMPARE(b.controle<QLabel>("Nom_Moulin")->text(), QStringLiteral("Moulin de Kerouat, Commana (29)"));
}

void Tst_Main_Moulins::moulins_restants_d_accord_avec_la_carte_et_le_recapitulatif()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.demarre();
    b.messages.clear();
    b.action("Mnu_Moulins_Restants")->trigger();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY(b.messages.first().startsWith(QStringLiteral("Aucune liste des moulins n'est gardée")));

    b.dossier.ecrit(QStringLiteral("Moulins.txt"), Moulins::Texte_Garde(Moulins::Lit_Liste(Liste_Csv).liste));
    b.fenetre.reset();
    b.demarre();
    b.action("Mnu_Moulins_Restants")->trigger();
    QWidget *r = Banc_Main::fenetre_ouverte("Moulins_Restants");
    QVERIFY(r);
    QCOMPARE(r->windowTitle(), QStringLiteral("Moulins restants"));
    auto *departements = r->findChild<QTableView *>(QStringLiteral("Table_Departements"));
    QAbstractItemModel *d = departements->model();
    QCOMPARE(d->rowCount(), 3);
    auto rangee = [&](int i) {
        QStringList s;
        for (int c = 0; c < d->columnCount(); ++c)
            s << d->index(i, c).data().toString();
        return s.join(u' ');
    };
    QCOMPARE(rangee(0), QStringLiteral("21 3 1 1 1"));
    QCOMPARE(rangee(1), QStringLiteral("29 1 1 0 0"));
    QCOMPARE(rangee(2), QStringLiteral("2A 1 0 0 1"));
    QCOMPARE(Texte(r, "Totaux_Moulins"), QStringLiteral("Total : 5 moulins, 2 contactés, 1 en attente, 2 restants"));
    QCOMPARE(Texte(r, "Absents_Liste"), QStringLiteral("1 QSO sur des numéros absents de la liste"));
    // Sorted by a count, as numbers.
    departements->sortByColumn(4, Qt::DescendingOrder);
    QCOMPARE(d->index(2, 0).data().toString(), QStringLiteral("29"));

    // The départements reached are the map's and the summary's, the one
    // number missing from the list aside.
    int atteints = 0;
    for (int i = 0; i < d->rowCount(); ++i)
        atteints += d->index(i, 2).data().toInt() + d->index(i, 3).data().toInt() > 0;
    b.action("Mnu_Dep_Contacte")->trigger();
    QWidget *carte = Banc_Main::fenetre_ouverte("Carte_Acti");
    QCOMPARE(Texte(carte, "NB_Dep").toInt(), atteints + 1);
    b.action("Mnu_Recap")->trigger();
    QWidget *recap = Banc_Main::fenetre_ouverte("Recapitulatif");
    QCOMPARE(recap->findChild<QLineEdit *>(QStringLiteral("Nb_Dpt"))->text().toInt(), atteints + 1);
}

void Tst_Main_Moulins::restants_enregistres_et_imprimes()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.dossier.ecrit(QStringLiteral("Moulins.txt"), Moulins::Texte_Garde(Moulins::Lit_Liste(Liste_Csv).liste));
    QString choisi;
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &) { return choisi; });
    b.demarre();
    b.action("Mnu_Moulins_Restants")->trigger();
    QWidget *r = Banc_Main::fenetre_ouverte("Moulins_Restants");
    QVERIFY(r);
    auto *moulins = r->findChild<QTableView *>(QStringLiteral("Table_Moulins"));
    auto *filtre = r->findChild<QComboBox *>(QStringLiteral("Filtre_Moulins"));
    auto *cherche = r->findChild<QLineEdit *>(QStringLiteral("Cherche_Moulin"));
    QCOMPARE(filtre->currentText(), QStringLiteral("Restants"));
    // Côte-d'Or first: only the mill with no line at all.
    QCOMPARE(moulins->model()->rowCount(), 1);
    QCOMPARE(moulins->model()->index(0, 1).data().toString(), QStringLiteral("Moulin Neuf"));
    filtre->setCurrentIndex(1);
    QCOMPARE(moulins->model()->rowCount(), 3);
    QCOMPARE(moulins->model()->index(0, 3).data().toString(), QStringLiteral("Contacté le 01/03/07"));
    QCOMPARE(moulins->model()->index(1, 3).data().toString(), QStringLiteral("En attente"));
    filtre->setCurrentIndex(2);
    QCOMPARE(moulins->model()->rowCount(), 2);
    filtre->setCurrentIndex(1);
    // Found by a word of its name or commune, whatever its case and accents.
    QTest::keyClicks(cherche, QStringLiteral("ETANG"));
    QCOMPARE(moulins->model()->rowCount(), 1);
    QCOMPARE(moulins->model()->index(0, 0).data().toString(), QStringLiteral("21002"));
    cherche->clear();

    // Written as shown, in fixed columns, one byte a character.
    choisi = b.dossier.fichier(QStringLiteral("restants.txt"));
    r->findChild<QPushButton *>(QStringLiteral("Enregistrer_Restants"))->click();
    QCOMPARE(b.dossier.lit(QStringLiteral("restants.txt")),
             QByteArray("Moulins du d\xE9partement 21 : Tous\r\n"
                        "\r\n"
                        "N\xB0 DMF  Nom                Commune       \xC9tat\r\n"
                        "21001   Moulin de la Tour  Saint-Pierre  Contact\xE9 le 01/03/07\r\n"
                        "21002   Moulin de l'\xC9tang  Is-sur-Tille  En attente\r\n"
                        "21003   Moulin Neuf        Beaune        Restant\r\n"));
    // Never over one of the program's own files.
    for (const QString &protege : {b.dossier.fichier(b.log()), b.dossier.fichier(QStringLiteral("Moulins.txt"))}) {
        const QByteArray avant = b.dossier.lit(QFileInfo(protege).fileName());
        choisi = protege;
        b.messages.clear();
        r->findChild<QPushButton *>(QStringLiteral("Enregistrer_Restants"))->click();
        QCOMPARE(b.messages.size(), 1);
        QCOMPARE(b.dossier.lit(QFileInfo(protege).fileName()), avant);
    }

    const QString pdf = b.dossier.fichier(QStringLiteral("restants.pdf"));
    Impression::Installe_Choix([&](QPrinter &imprimante, QWidget *) {
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(pdf);
        return true;
    });
    b.messages.clear();
    r->findChild<QPushButton *>(QStringLiteral("Imprimer_Restants"))->click();
    QCOMPARE(b.messages, QStringList());
    QVERIFY(QFileInfo(pdf).size() > 0);
}

void Tst_Main_Moulins::import_et_carte_nomment_les_moulins()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.dossier.ecrit(QStringLiteral("Moulins.txt"), Moulins::Texte_Garde(Moulins::Lit_Liste(Liste_Csv).liste));
    const QString adi = b.dossier.ecrit(QStringLiteral("carnet.adi"),
                                        "<EOH>\r\n<CALL:5>F1NEW <QSO_DATE:8>20070311 <SIG:3>DMF <SIG_INFO:5>21003 <EOR>\r\n"
                                        "<CALL:5>F1NEW <QSO_DATE:8>20070312 <SIG:3>DMF <SIG_INFO:5>44010 <EOR>\r\n");
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &) { return adi; });
    b.demarre();
    b.action("Mnu_Importer_ADIF")->trigger();
    QWidget *import = Banc_Main::fenetre_ouverte("Import_ADIF");
    QVERIFY(import);
    QAbstractItemModel *m = import->findChild<QTableView *>(QStringLiteral("Table_Import"))->model();
    QCOMPARE(m->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Moulin"));
    QCOMPARE(m->index(0, 4).data().toString(), QStringLiteral("Moulin Neuf, Beaune (21)"));
    QCOMPARE(m->index(0, 6).data().toString(), QString());
    QCOMPARE(m->index(1, 4).data().toString(), QString());
    QCOMPARE(m->index(1, 6).data().toString(), QStringLiteral("absent de la liste des moulins"));
    // Still importable.
    QCOMPARE(m->index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    import->close();

    b.action("Mnu_Dep_Contacte")->trigger();
    QWidget *carte = Banc_Main::fenetre_ouverte("Carte_Acti");
    QVERIFY(carte);
    QWidget *cote_d_or = carte->findChild<QWidget *>(QStringLiteral("Dep_21"));
    QCOMPARE(cote_d_or->toolTip(), QStringLiteral("1 moulin contacté sur 3, 1 en attente"));
    QVERIFY(QAccessible::queryAccessibleInterface(cote_d_or)->text(QAccessible::Description).endsWith(cote_d_or->toolTip()));
    QCOMPARE(carte->findChild<QWidget *>(QStringLiteral("Dep_29"))->toolTip(), QStringLiteral("1 moulin contacté sur 1"));
    QCOMPARE(carte->findChild<QWidget *>(QStringLiteral("Dep_75"))->toolTip(), QString());
}

// A list with positions, one of them far from its département; the map then
// counts from the station's locator.
void Tst_Main_Moulins::carte_des_moulins_autour_de_la_station()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    const QString csv = b.dossier.ecrit(QStringLiteral("liste.csv"), "N° DMF;Nom;Commune;Département;Latitude;Longitude\r\n"
                                                                     "21001;Moulin de la Tour;Saint-Pierre;21;;\r\n"
                                                                     "21003;Moulin Neuf;Beaune;21;47,0300;4,8300\r\n"
                                                                     "29010;Moulin de Kerouat;Commana;29;47.3220;5.0415\r\n");
    Dialogue_Fichier::Installe_Repondeur([&](const QString &titre, const QString &) {
        return titre == QStringLiteral("Charger la liste des moulins") ? csv : QString();
    });
    QVERIFY(Sous_Programmes::Sauve_Locator(QStringLiteral("TEST1"), QStringLiteral("JN27")).ok());
    b.demarre();
    b.messages.clear();
    b.action("Mnu_Carte_Moulins")->trigger();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY(b.messages.first().startsWith(QStringLiteral("Aucune liste des moulins n'est gardée")));
    QVERIFY(!Banc_Main::fenetre_visible("Carte_Moulins"));

    b.action("Mnu_Liste_Moulins")->trigger();
    QWidget *apercu = Banc_Main::fenetre_ouverte("Apercu_Moulins");
    QVERIFY(apercu);
    QVERIFY(Texte(apercu, "Resume_Moulins").contains(QStringLiteral("\nCoordonnées hors du département laissées de côté pour 1 moulin(s), gardé(s) sans elles : la liste du bas dit lesquels.")));
    auto *refus = apercu->findChild<QListWidget *>(QStringLiteral("Refus_Moulins"));
    QCOMPARE(refus->count(), 1);
    QCOMPARE(refus->item(0)->text(), QStringLiteral("Ligne 4 : coordonnées hors du département 29, moulin gardé sans elles"));
    apercu->findChild<QPushButton *>(QStringLiteral("Enregistrer_Moulins"))->click();

    b.action("Mnu_Carte_Moulins")->trigger();
    QWidget *carte = Banc_Main::fenetre_ouverte("Carte_Moulins");
    QVERIFY(carte);
    QCOMPARE(Texte(carte, "Compte_Carte"), QStringLiteral("1 moulin sur 3 a des coordonnées ; 2 sans coordonnées ne sont pas sur la carte"));
    QCOMPARE(Texte(carte, "Origine_Proches"), QStringLiteral("la station (JN27)"));
    auto *proches = carte->findChild<QTableView *>(QStringLiteral("Moulins_Proches"));
    QCOMPARE(proches->model()->rowCount(), 1);
    QCOMPARE(proches->model()->index(0, 0).data().toString(), QStringLiteral("21003"));
    QCOMPARE(proches->model()->index(0, 5).data().toInt(), 54);
    // One window: asked again, it comes forward.
    b.action("Mnu_Carte_Moulins")->trigger();
    QCOMPARE(carte, Banc_Main::fenetre_ouverte("Carte_Moulins"));
}

QTEST_MAIN(Tst_Main_Moulins)
#include "tst_main_moulins.moc"
