#include "Banc_Main.h"

#include "Journal.h"
#include "Reglages.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QMenuBar>
#include <QSettings>

using namespace Sous_Programmes;

namespace {

constexpr QRgb Jaune = 0xFFFFC0;
constexpr QRgb Vert = 0xC0FFC0;

QByteArray L(const char *date, const char *dmf, const char *type = "Moulin Contacte", const char *indicatif = "F5ABC",
             bool attente = false)
{
    return Ligne(date, dmf, type, indicatif, attente);
}

const QList<QByteArray> Log_De_Base{L("01/03/07", "21001"), L("05/03/07", "21002", "Moulin active", "F6XYZ"),
                                    L("10/03/07", "21003", "Reactivation activee", "F1AAA"),
                                    L("12/03/07", "21002", "Double ou non valid\xE9", "F6XYZ")};

QVariant Reglage(const QString &cle)
{
    QSettings s(Sous_Programmes::Organisation_Reglages(), QString::fromLatin1(Sous_Programmes::Nom_Application));
    return s.value(cle);
}

// Stands for the desktop's browser.
class Navigateur : public QObject {
    Q_OBJECT
public:
    QList<QUrl> ouvertes;
public slots:
    void ouvre(const QUrl &url) { ouvertes.append(url); }
};

} // namespace

class Tst_Main : public QObject {
    Q_OBJECT

private slots:
    void premier_demarrage_sans_reglages();
    void demarrage_sur_un_log();
    void demarrage_en_date_manuelle();
    void horloge();
    void menus_dans_l_ordre();
    void saisie_au_clavier_puis_enregistrement();
    void refus_des_champs_data();
    void refus_des_champs();
    void doublon_signale_avec_la_date_de_la_derniere_ligne();
    void enregistrement_decline();
    void insertion_par_date();
    void modification_en_place();
    void suppression_de_toutes_les_lignes_du_dmf();
    void suppression_nommee_puis_annulee_par_ctrl_z();
    void annulations_successives_jusqu_au_log_de_depart();
    void date_hors_calendrier_refusee_a_l_entree_data();
    void date_hors_calendrier_refusee_a_l_entree();
    void dossier_des_logs_ouvert();
    void ligne_sans_qso();
    void effacer_termine_la_modification();
    void enregistrement_verifie_les_champs_de_nouveau();
    void erreur_du_log_dite_et_saisie_gardee();
    void log_absent_au_demarrage();
    void un_seul_message_par_echec();
    void station_des_reglages_hors_du_dossier_data();
    void station_des_reglages_hors_du_dossier();
    void date_menu_non_puis_oui();
    void aide_historique_et_a_propos();
    void manuel_dans_le_navigateur();
};

void Tst_Main::premier_demarrage_sans_reglages()
{
    Banc_Main b;
    Main &m = b.demarre();
    QCOMPARE(m.windowTitle(), QStringLiteral("  KOB_Dezudidar_ERI    Revision  1.0.9"));
    QCOMPARE(b.messages, QStringList{Message_Premiere_Installation()});
    QCOMPARE(b.lignes(), 0);
    QCOMPARE(b.champ("Total_Points")->text(), QString());
    QVERIFY(b.action("Mnu_Date_Auto_Oui")->isChecked());
    QVERIFY(!b.action("Mnu_Date_Auto_Non")->isChecked());
    QCOMPARE(b.controle<QLabel>("Label_Date")->text(), QStringLiteral("Date automatique"));
    QCOMPARE(b.champ("Date_A")->text(), QStringLiteral("15/03/07"));
    QCOMPARE(b.controle<QLabel>("I_Station")->text(), QStringLiteral("FXXXX"));
    QCOMPARE(b.controle<QLabel>("A_Challenge")->text(), QStringLiteral("XXXX"));
    QCOMPARE(Reglage(QStringLiteral("Setup /Chemin Repertoire")).toString(), b.dossier.chemin());

    // Each key in the date or callsign field tells the operator, then goes in as typed.
    b.messages.clear();
    b.champ("Ind_A")->setFocus();
    b.tape(b.champ("Ind_A"), QStringLiteral("f5"));
    QCOMPARE(b.messages.size(), 2);
    QCOMPARE(b.champ("Ind_A")->text(), QStringLiteral("f5"));
    QTest::keyClick(b.champ("Ind_A"), Qt::Key_Shift);
    QCOMPARE(b.messages.size(), 2);
    b.entree(b.champ("Ind_A"));
    QCOMPARE(b.messages.size(), 3);
    QVERIFY(!b.controle("Type_A")->isEnabled());
    // Nothing can be recorded before a station exists.
    QVERIFY(!b.dossier.existe(QStringLiteral("FXXXX_Dezudidar_ERI_XXXX.txt")));
}

void Tst_Main::demarrage_sur_un_log()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log_De_Base));
    QVERIFY(Sauve_Type_Activite("TEST1", 4).ok());
    b.demarre();
    QVERIFY(b.messages.isEmpty());
    QCOMPARE(b.lignes(), 4);
    QCOMPARE(b.ligne_liste(0), QString::fromLatin1("    1   " + L("01/03/07", "21001")));
    QCOMPARE(b.liste()->currentIndex().row(), 3);
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("11"));
    QCOMPARE(b.controle<QLabel>("I_Station")->text(), QStringLiteral("TEST1"));
    QCOMPARE(b.controle<QLabel>("A_Challenge")->text(), QStringLiteral("2007"));
    QCOMPARE(b.fenetre->saisie().ligne_selectionnee(), b.ligne_liste(3));
    QVERIFY(!b.modification());
    // The type of the last QSO replaces the saved position.
    QCOMPARE(b.type()->currentText(), QString::fromUtf8("Double ou non validé"));
    QVERIFY(!b.type()->isEnabled());
    QCOMPARE(b.champ("Date_A")->text(), QStringLiteral("15/03/07"));
    QVERIFY(!b.champ("Date_A")->isEnabled());
    QVERIFY(b.champ("Ind_A")->isEnabled());
    QCOMPARE(b.champ("Ind_A")->text(), QString());
    QCOMPARE(Banc_Main::fond(b.champ("Ind_A")), Vert);
    QCOMPARE(b.focus(), b.champ("Ind_A"));
    QVERIFY(!b.champ("DMF_A")->isEnabled());
    QVERIFY(!b.bouton("Valide_A")->isEnabled());
    QVERIFY(!b.bouton("Annule_Saisie")->isEnabled());
    QCOMPARE(Reglage(QStringLiteral("Setup TEST1/Revision")).toString(), QStringLiteral(" 1.0.9"));

    // An empty log keeps the saved activity position.
    Banc_Main vide;
    vide.station("TEST1", "2007", QByteArray());
    QVERIFY(Sauve_Type_Activite("TEST1", 4).ok());
    vide.demarre();
    QCOMPARE(vide.type()->currentIndex(), 4);
    QCOMPARE(vide.champ("Total_Points")->text(), QStringLiteral("0"));
    QCOMPARE(vide.liste()->currentIndex().row(), -1);
}

void Tst_Main::demarrage_en_date_manuelle()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log_De_Base), false);
    b.demarre();
    QVERIFY(b.action("Mnu_Date_Auto_Non")->isChecked());
    QVERIFY(!b.action("Mnu_Date_Auto_Oui")->isChecked());
    QCOMPARE(b.controle<QLabel>("Label_Date")->text(), QStringLiteral("Date manuelle"));
    QCOMPARE(b.champ("Date_A")->text(), QString());
    QVERIFY(b.champ("Date_A")->isEnabled());
    QCOMPARE(Banc_Main::fond(b.champ("Date_A")), Vert);
    QCOMPARE(b.focus(), b.champ("Date_A"));
    QVERIFY(!b.champ("Ind_A")->isEnabled());
    QCOMPARE(Banc_Main::fond(b.champ("Ind_A")), Jaune);
}

void Tst_Main::horloge()
{
    Banc_Main b;
    b.station("TEST1", "2007", QByteArray());
    // 23:30 in Paris in summer is 21:30 UTC.
    b.maintenant = QDateTime(QDate(2007, 7, 14), QTime(21, 30, 41), Qt::UTC);
    b.demarre();
    QCOMPARE(b.controle<QLabel>("Label34")->text(), QStringLiteral("23:30 Loc"));
    QCOMPARE(b.controle<QLabel>("Label37")->text(), QStringLiteral("21:30 Utc"));
    QCOMPARE(b.controle<QLabel>("Label33")->text(), QStringLiteral("14/07/07"));
    // Just after local midnight the date is still yesterday's, until UTC midnight.
    b.maintenant = QDateTime(QDate(2007, 7, 14), QTime(22, 10, 0), Qt::UTC);
    QTRY_COMPARE_WITH_TIMEOUT(b.controle<QLabel>("Label34")->text(), QStringLiteral("00:10 Loc"), 3000);
    QCOMPARE(b.controle<QLabel>("Label33")->text(), QStringLiteral("14/07/07"));
}

void Tst_Main::menus_dans_l_ordre()
{
    Banc_Main b;
    Main &m = b.demarre();
    QStringList titres;
    for (QAction *a : m.menuBar()->actions())
        titres << a->text();
    QCOMPARE(titres, (QStringList{"Fichier", "Date", "Station", "Imprimer", "Enregistrer", "Afficher",
                                  QString::fromUtf8("Récapitulatif"), "Carte", "Reglement", "Aide"}));
    QCOMPARE(b.action("Mnu_Quitter")->text(), QStringLiteral("Quitter KOB_Dezudidar_ERI"));
    // The exchange entries of the file menu, quitting last.
    QStringList fichier;
    for (QAction *a : b.controle<QMenu>("Mnu_Fichier")->actions())
        if (!a->isSeparator())
            fichier << a->objectName();
    QCOMPARE(fichier, (QStringList{"Mnu_Annuler_Modification", "Mnu_Importer_ADIF", "Mnu_Feuille_Activite", "Mnu_Exporter_ADIF", "Mnu_Validations",
                                   "Mnu_Liste_Moulins", "Mnu_Restaurer", "Mnu_Dossier_Logs", "Mnu_Quitter"}));
    QCOMPARE(b.action("Mnu_Liste_Moulins")->text(), QStringLiteral("Charger la liste des moulins..."));
    QCOMPARE(b.action("Mnu_Moulins_Restants")->text(), QStringLiteral("les moulins restants..."));
    QCOMPARE(b.action("Mnu_Validations")->text(), QStringLiteral("Mettre à jour les validations..."));
    QCOMPARE(b.action("Mnu_Restaurer")->text(), QStringLiteral("Restaurer une sauvegarde..."));
    QCOMPARE(b.action("Mnu_Importer_ADIF")->text(), QStringLiteral("Importer des QSO (ADIF)..."));
    QCOMPARE(b.action("Mnu_Exporter_ADIF")->text(), QStringLiteral("Exporter le log (ADIF)..."));
    QCOMPARE(b.action("Mnu_Dep_Contacte")->text(), QString::fromUtf8("des départements contactés"));
    QCOMPARE(b.bouton("Valide_A")->text(), QStringLiteral(" Valider saisie    en cours"));
    QCOMPARE(b.bouton("Annule_Saisie")->toolTip(), QStringLiteral("Permet d'annuler la saisie d'un DFCF"));
    QCOMPARE(b.type()->count(), 9);
    QVERIFY(QFontInfo(b.liste()->font()).fixedPitch());
    // F10 opens the first menu, for an operator without a mouse.
    QTest::keyClick(&m, Qt::Key_F10);
    QCOMPARE(m.menuBar()->activeAction(), m.menuBar()->actions().constFirst());
}

void Tst_Main::saisie_au_clavier_puis_enregistrement()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log_De_Base));
    b.demarre();

    // Pasted text is left as it is; typed letters become capitals.
    QApplication::clipboard()->setText(QStringLiteral("f5"));
    QTest::keyClick(b.champ("Ind_A"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(b.champ("Ind_A")->text(), QStringLiteral("f5"));
    b.champ("Ind_A")->clear();
    b.tape(b.champ("Ind_A"), QStringLiteral("f5abc/p"));
    QCOMPARE(b.champ("Ind_A")->text(), QStringLiteral("F5ABC/P"));
    b.entree(b.champ("Ind_A"));
    QCOMPARE(Banc_Main::fond(b.champ("Ind_A")), Jaune);
    QCOMPARE(b.focus(), b.type());
    QCOMPARE(Banc_Main::fond(b.type()), Vert);

    b.type()->setCurrentIndex(3);
    b.entree(b.type());
    QCOMPARE(Reglage(QStringLiteral("Setup TEST1/Type Activite")).toString(), QStringLiteral("3"));
    QCOMPARE(b.focus(), b.champ("DMF_A"));

    b.tape(b.champ("DMF_A"), QStringLiteral("2a001"));
    QCOMPARE(b.champ("DMF_A")->text(), QStringLiteral("2A001"));
    b.entree(b.champ("DMF_A"));
    QVERIFY(b.messages.isEmpty());
    QCOMPARE(b.focus(), b.controle("Validation_A"));

    QTest::keyClick(b.controle("Validation_A"), Qt::Key_Space);
    b.entree(b.controle("Validation_A"));
    QVERIFY(b.bouton("Valide_A")->isEnabled());
    QCOMPARE(b.focus(), b.bouton("Valide_A"));

    // Enter on the focused button records, after the question.
    b.entree(b.bouton("Valide_A"));
    QCOMPARE(b.messages, QStringList{QStringLiteral("Voulez vous enregistrer ces données ?")});
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De(Log_De_Base) + L("15/03/07", "2A001", "Moulin active", "F5ABC/P", true) + "\r\n");
    QCOMPARE(b.lignes(), 5);
    QCOMPARE(b.liste()->currentIndex().row(), 4);
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("11")); // pending: 0 points
    QVERIFY(!b.modification());
    QCOMPARE(b.champ("Ind_A")->text(), QString());
    QCOMPARE(b.focus(), b.champ("Ind_A"));
    QCOMPARE(Banc_Main::fond(b.champ("Ind_A")), Vert);
    QCOMPARE(b.champ("Date_A")->text(), QStringLiteral("15/03/07"));
    QCOMPARE(b.champ("DMF_A")->text(), QString());
    QVERIFY(!b.controle<QCheckBox>("Validation_A")->isChecked());
    QVERIFY(!b.controle("Validation_A")->isEnabled());
    QVERIFY(!b.bouton("Valide_A")->isEnabled());
    QVERIFY(!b.type()->isEnabled());

    // The next QSO is appended too.
    b.messages.clear();
    b.saisit_qso(QStringLiteral("F1XYZ"), 0, QStringLiteral("21009"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(b.lignes(), 6);
    QVERIFY(b.dossier.lit(b.log()).endsWith(L("15/03/07", "21009", "Moulin Contacte", "F1XYZ") + "\r\n"));
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("13"));
}

void Tst_Main::refus_des_champs_data()
{
    QTest::addColumn<QString>("champ");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("message");

    QTest::newRow("date vide") << "Date_A" << "" << "Entrez une date";
    QTest::newRow("date de 6") << "Date_A" << "1/2/07" << "Format de la date JJ/MM/AA";
    QTest::newRow("date à tirets") << "Date_A" << "01-02-07" << "Le format date doit etre JJ/MM/AA";
    QTest::newRow("autre année") << "Date_A" << "15/03/06" << QString::fromUtf8("Attention la date saisie ne correspond pas a l'année du Radovered");
    QTest::newRow("date juste") << "Date_A" << "15/03/07" << "";
    QTest::newRow("indicatif vide") << "Ind_A" << "" << "Entrez un indicatif";
    QTest::newRow("indicatif de 13") << "Ind_A" << "F5ABC/P123456" << "12 caracteres maxi pour l'indicatif";
    QTest::newRow("indicatif de 12") << "Ind_A" << "F5ABC/P12345" << "";
    QTest::newRow("DMF de 4") << "DMF_A" << "2100" << QString::fromUtf8("5 chiffres pour le N° du Moulin");
    QTest::newRow("DMF 12C45") << "DMF_A" << "12C45" << QString::fromUtf8("Le N° du Moulin ne doit comporter que des chiffres");
    QTest::newRow("DMF 12.45") << "DMF_A" << "12.45" << QString::fromUtf8("Le N° du Moulin ne doit comporter que des chiffres");
    QTest::newRow("DMF 1234B") << "DMF_A" << "1234b" << "";
}

void Tst_Main::refus_des_champs()
{
    QFETCH(QString, champ);
    QFETCH(QString, texte);
    QFETCH(QString, message);
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log_De_Base), false);
    b.demarre();
    // Reach the field under test through the ones before it.
    if (champ != QStringLiteral("Date_A")) {
        b.saisit(b.champ("Date_A"), QStringLiteral("15/03/07"));
        if (champ == QStringLiteral("DMF_A")) {
            b.saisit(b.champ("Ind_A"), QStringLiteral("F5ABC"));
            b.entree(b.type());
        }
    }
    QLineEdit *c = b.champ(qPrintable(champ));
    QCOMPARE(b.focus(), c);
    b.messages.clear();
    b.saisit(c, texte);
    if (message.isEmpty()) {
        QVERIFY2(b.messages.isEmpty(), qPrintable(b.messages.join(u'|')));
        QCOMPARE(Banc_Main::fond(c), Jaune);
        QVERIFY(b.focus() != c);
    } else {
        QCOMPARE(b.messages, QStringList{message});
        QCOMPARE(b.focus(), c);
        QCOMPARE(Banc_Main::fond(c), Vert);
    }
}

void Tst_Main::doublon_signale_avec_la_date_de_la_derniere_ligne()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log_De_Base));
    b.demarre();
    b.saisit(b.champ("Ind_A"), QStringLiteral("F5ABC"));
    b.entree(b.type());
    b.saisit(b.champ("DMF_A"), QStringLiteral("21002"));
    QCOMPARE(b.messages, QStringList{QString::fromUtf8("Le Moulin N° 21002 a déja été contacté le 12/03/07\r\n"
                                                       "   mettre Type Activité a Double ou annulez la saisie")});
    QCOMPARE(b.focus(), b.controle("Validation_A"));

    // In modification state the number is not looked up.
    b.messages.clear();
    b.double_clique_ligne(1);
    b.saisit(b.champ("DMF_A"), QStringLiteral("21003"));
    QVERIFY(b.messages.isEmpty());
}

void Tst_Main::enregistrement_decline()
{
    Banc_Main b;
    const QByteArray avant = Fichier_De(Log_De_Base);
    b.station("TEST1", "2007", avant);
    b.demarre();
    b.saisit_qso(QStringLiteral("F5ABC"), 0, QStringLiteral("30001"));
    b.reponses.push_back(QMessageBox::No);
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(b.dossier.lit(b.log()), avant);
    QCOMPARE(b.champ("Ind_A")->text(), QString());
    QCOMPARE(b.champ("DMF_A")->text(), QString());
    QCOMPARE(b.focus(), b.champ("Ind_A"));
    QVERIFY(!b.modification());
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("11"));
}

void Tst_Main::insertion_par_date()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log_De_Base));
    b.demarre();
    QTest::mouseClick(b.bouton("Ajout_Saisie"), Qt::LeftButton);
    QCOMPARE(b.controle<QGroupBox>("Frame3")->title(), QStringLiteral("Mode Insertion d'un QSO"));
    QCOMPARE(b.focus(), b.champ("Date_A"));
    QCOMPARE(b.champ("Date_A")->text(), QString());
    b.saisit(b.champ("Date_A"), QStringLiteral("05/03/07"));
    b.saisit_qso(QStringLiteral("F8KOB"), 6, QStringLiteral("13042"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);

    QVERIFY2(b.messages.isEmpty(), qPrintable(b.messages.join(u'|'))); // no question in insert mode
    QList<QByteArray> attendu = Log_De_Base;
    attendu.insert(1, L("05/03/07", "13042", "Operateur activation", "F8KOB"));
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De(attendu));
    QVERIFY(!b.dossier.existe(QStringLiteral("Temporaire6.txt")));
    QCOMPARE(b.controle<QGroupBox>("Frame3")->title(), QStringLiteral("Saisie ou modification d'un QSO"));
    QVERIFY((b.fenetre->saisie().etat() != Saisie::Etat::Insertion));
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("17"));
    QCOMPARE(b.lignes(), 5);
    QCOMPARE(b.liste()->currentIndex().row(), 4);
    // The reload shows the last QSO in the fields.
    QVERIFY(b.modification());
    QCOMPARE(b.champ("DMF_A")->text(), QStringLiteral("21002"));
}

void Tst_Main::modification_en_place()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log_De_Base));
    b.demarre();
    b.clique_ligne(1);
    QVERIFY(b.modification());
    QCOMPARE(b.champ("Date_A")->text(), QStringLiteral("05/03/07"));
    QCOMPARE(b.champ("DMF_A")->text(), QStringLiteral("21002"));
    QCOMPARE(b.type()->currentText(), QStringLiteral("Moulin active"));
    QCOMPARE(b.champ("Ind_A")->text(), QStringLiteral("F6XYZ"));
    QVERIFY(!b.champ("Date_A")->isEnabled());
    QVERIFY(!b.champ("Ind_A")->isEnabled());
    QVERIFY(b.bouton("Annule_Saisie")->isEnabled());

    b.double_clique_ligne(1);
    for (const char *nom : {"Date_A", "Ind_A", "Type_A", "DMF_A", "Validation_A", "Valide_A"})
        QVERIFY2(b.controle(nom)->isEnabled(), nom);
    QVERIFY(!b.bouton("Annule_Saisie")->isEnabled());
    QCOMPARE(b.focus(), b.champ("Date_A"));

    b.entree(b.champ("Date_A"));
    b.saisit(b.champ("Ind_A"), QStringLiteral("F6XYZ/M"));
    b.controle<QCheckBox>("Validation_A")->setChecked(true);
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QList<QByteArray> attendu = Log_De_Base;
    attendu[1] = L("05/03/07", "21002", "Moulin active", "F6XYZ/M", true);
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De(attendu));
    QCOMPARE(b.lignes(), 4);
    QVERIFY(!b.modification());
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("5"));
}

void Tst_Main::suppression_de_toutes_les_lignes_du_dmf()
{
    Banc_Main b;
    const QByteArray avant = Fichier_De(Log_De_Base);
    b.station("TEST1", "2007", avant);
    b.demarre();
    b.clique_ligne(1);

    b.reponses.push_back(QMessageBox::No);
    QTest::mouseClick(b.bouton("Annule_Saisie"), Qt::LeftButton);
    QVERIFY(b.messages.size() == 1 && b.messages[0].startsWith(QString::fromUtf8("Voulez vous effacer le DMF N° 21002 ?")));
    QCOMPARE(b.dossier.lit(b.log()), avant);
    QCOMPARE(b.champ("Ind_A")->text(), QString());
    QVERIFY(!b.bouton("Annule_Saisie")->isEnabled());
    QVERIFY(!b.modification());

    b.clique_ligne(3);
    QTest::mouseClick(b.bouton("Annule_Saisie"), Qt::LeftButton);
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De({Log_De_Base[0], Log_De_Base[2]}));
    QCOMPARE(b.lignes(), 2);
    QCOMPARE(b.ligne_liste(1).left(8), QStringLiteral("    2   "));
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("5"));
    QCOMPARE(b.focus(), b.champ("Ind_A"));
}

void Tst_Main::suppression_nommee_puis_annulee_par_ctrl_z()
{
    Banc_Main b;
    const QByteArray avant = Fichier_De(Log_De_Base);
    b.station("TEST1", "2007", avant);
    b.demarre();
    const QString total = b.champ("Total_Points")->text();
    QVERIFY(!b.action("Mnu_Annuler_Modification")->isEnabled());
    b.clique_ligne(1);
    QTest::mouseClick(b.bouton("Annule_Saisie"), Qt::LeftButton);
    QCOMPARE(b.messages, QStringList{QString::fromUtf8("Voulez vous effacer le DMF N° 21002 ?\n\n2 QSO seront effacés :\n"
                                                       "05/03/07, Moulin active, F6XYZ\n12/03/07, Double ou non validé, F6XYZ")});
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De({Log_De_Base[0], Log_De_Base[2]}));
    QVERIFY(b.action("Mnu_Annuler_Modification")->isEnabled());

    // Ctrl+Z with the focus in a field that has nothing typed to take back.
    b.messages.clear();
    QCOMPARE(b.focus(), b.champ("Ind_A"));
    QTest::keyClick(b.focus(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(b.messages, QStringList{QString::fromUtf8("Voulez-vous annuler la dernière modification du log : la suppression du DMF N° 21002 ?\n\n"
                                                       "Le log redeviendra tel qu'il était juste avant.")});
    QCOMPARE(b.dossier.lit(b.log()), avant);
    QCOMPARE(b.lignes(), 4);
    QCOMPARE(b.champ("Total_Points")->text(), total);
    QVERIFY(!b.action("Mnu_Annuler_Modification")->isEnabled());

    // One QSO only: named, without a count. Declined: nothing is undone.
    b.clique_ligne(2);
    b.messages.clear();
    QTest::mouseClick(b.bouton("Annule_Saisie"), Qt::LeftButton);
    QCOMPARE(b.messages, QStringList{QString::fromUtf8("Voulez vous effacer le DMF N° 21003 ?\n\n10/03/07, Reactivation activee, F1AAA")});
    const QByteArray sans_21003 = b.dossier.lit(b.log());
    b.reponses.push_back(QMessageBox::No);
    b.action("Mnu_Annuler_Modification")->trigger();
    QCOMPARE(b.dossier.lit(b.log()), sans_21003);
    QVERIFY(b.action("Mnu_Annuler_Modification")->isEnabled());
}

void Tst_Main::annulations_successives_jusqu_au_log_de_depart()
{
    Banc_Main b;
    const QByteArray avant = Fichier_De(Log_De_Base);
    b.station("TEST1", "2007", avant);
    b.demarre();
    // A QSO recorded, then one changed: taken back the newest first.
    b.saisit_qso(QStringLiteral("F8NEW"), 0, QStringLiteral("29015"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    const QByteArray apres_ajout = b.dossier.lit(b.log());
    b.clique_ligne(0);
    b.double_clique_ligne(0);
    b.entree(b.champ("Date_A"));
    b.saisit(b.champ("Ind_A"), QStringLiteral("F5ZZZ"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    const QByteArray apres_modification = b.dossier.lit(b.log());
    QVERIFY(apres_modification != apres_ajout);
    b.messages.clear();
    for (const QByteArray &attendu : {apres_ajout, avant}) {
        b.action("Mnu_Annuler_Modification")->trigger();
        QCOMPARE(b.dossier.lit(b.log()), attendu);
    }
    QCOMPARE(b.messages.size(), 2);
    QVERIFY2(b.messages[0].contains(QStringLiteral("la modification du QSO DMF N° 21001 avec F5ZZZ")), qPrintable(b.messages[0]));
    QVERIFY2(b.messages[1].contains(QStringLiteral("l'enregistrement du QSO DMF N° 29015 avec F8NEW")), qPrintable(b.messages[1]));
    QVERIFY(!b.action("Mnu_Annuler_Modification")->isEnabled());
}

void Tst_Main::date_hors_calendrier_refusee_a_l_entree_data()
{
    QTest::addColumn<bool>("insertion"); // or a modification
    QTest::addColumn<QString>("message");
    QTest::newRow("insertion") << true << QString::fromUtf8("La date « 31/02/07 » n'existe pas au calendrier : le QSO ne peut pas être inséré.");
    QTest::newRow("modification") << false
                                  << QString::fromUtf8("La date « 31/02/07 » n'existe pas au calendrier : le QSO ne peut pas être modifié.");
}

// Told at Enter in the date, before the other fields are typed.
void Tst_Main::date_hors_calendrier_refusee_a_l_entree()
{
    QFETCH(bool, insertion);
    QFETCH(QString, message);
    Banc_Main b;
    const QByteArray avant = Fichier_De(Log_De_Base);
    b.station("TEST1", "2007", avant);
    b.demarre();
    if (insertion) {
        QTest::mouseClick(b.bouton("Ajout_Saisie"), Qt::LeftButton);
    } else {
        b.clique_ligne(0);
        b.double_clique_ligne(0);
        b.champ("Date_A")->clear();
    }
    b.messages.clear();
    b.saisit(b.champ("Date_A"), QStringLiteral("31/02/07"));
    QCOMPARE(b.messages, QStringList{message});
    QCOMPARE(b.focus(), b.champ("Date_A"));
    // A day of the calendar passes.
    b.messages.clear();
    b.champ("Date_A")->clear();
    b.saisit(b.champ("Date_A"), QStringLiteral("28/02/07"));
    QVERIFY2(b.messages.isEmpty(), qPrintable(b.messages.join(u'|')));
    QCOMPARE(b.focus(), b.champ("Ind_A"));
    // Nor can it be recorded by the button, the date typed again meanwhile.
    b.champ("Date_A")->setText(QStringLiteral("31/02/07"));
    if (insertion)
        b.saisit_qso(QStringLiteral("F8KOB"), 0, QStringLiteral("13042"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QVERIFY2(b.messages.contains(message), qPrintable(b.messages.join(u'|')));
    QCOMPARE(b.dossier.lit(b.log()), avant);
}

void Tst_Main::dossier_des_logs_ouvert()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log_De_Base));
    b.demarre();
    Navigateur gestionnaire;
    const auto remet = qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); });
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &gestionnaire, "ouvre");
    QCOMPARE(b.action("Mnu_Dossier_Logs")->text(), QStringLiteral("Ouvrir le dossier des logs"));
    b.action("Mnu_Dossier_Logs")->trigger();
    QCOMPARE(gestionnaire.ouvertes, QList<QUrl>{QUrl::fromLocalFile(b.dossier.chemin())});
    QCOMPARE(b.messages, QStringList());
}

void Tst_Main::ligne_sans_qso()
{
    Banc_Main b;
    const QByteArray sans_dmf = L("01/03/07", "", "Moulin Contacte", "F5ABC");
    b.station("TEST1", "2007", Fichier_De({Log_De_Base[0], sans_dmf, QByteArray("02/03/07"), Log_De_Base[1]}));
    b.demarre();
    b.clique_ligne(0);
    b.clique_ligne(1);
    QCOMPARE(b.messages, QStringList{QStringLiteral("Il n'y a pas de données a modifier")});
    QVERIFY(b.bouton("Annule_Saisie")->isEnabled()); // left as the QSO before enabled it
    b.messages.clear();
    QTest::mouseClick(b.bouton("Annule_Saisie"), Qt::LeftButton);
    QCOMPARE(b.messages, QStringList{QStringLiteral("Il n'y a pas de données a annuler")});
    // Nothing to edit on such a line, and nothing to record over it.
    b.messages.clear();
    b.double_clique_ligne(1);
    QVERIFY(!b.bouton("Valide_A")->isEnabled());
    b.messages.clear();

    // A line with a date alone is shown as it stands; deleting it removes
    // only the lines too short to hold a DMF number.
    b.clique_ligne(2);
    QVERIFY(b.messages.isEmpty());
    QCOMPARE(b.champ("Date_A")->text(), QStringLiteral("02/03/07"));
    QCOMPARE(b.champ("DMF_A")->text(), QString());
    QTest::mouseClick(b.bouton("Annule_Saisie"), Qt::LeftButton);
    QCOMPARE(b.messages, QStringList{QString::fromUtf8("Voulez vous effacer le DMF N°  ?\n\n02/03/07")});
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De({Log_De_Base[0], sans_dmf, Log_De_Base[1]}));
}

void Tst_Main::effacer_termine_la_modification()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log_De_Base));
    b.demarre();
    b.clique_ligne(0);
    QVERIFY(b.modification());
    QTest::mouseClick(b.bouton("Efface_A"), Qt::LeftButton);
    QVERIFY(!b.modification());
    QCOMPARE(b.focus(), b.champ("Ind_A"));
    b.saisit_qso(QStringLiteral("F9NEW"), 0, QStringLiteral("40001"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    // Appended: the first QSO is still there, untouched.
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De(Log_De_Base) + L("15/03/07", "40001", "Moulin Contacte", "F9NEW") + "\r\n");
}

void Tst_Main::enregistrement_verifie_les_champs_de_nouveau()
{
    Banc_Main b;
    const QByteArray avant = Fichier_De(Log_De_Base);
    b.station("TEST1", "2007", avant);
    b.demarre();
    b.saisit_qso(QStringLiteral("F5ABC"), 0, QStringLiteral("30001"));

    struct Cas {
        const char *champ;
        QString texte;
        const char *nom;
    };
    const QList<Cas> cas{{"DMF_A", QStringLiteral("12"), "N° DMF"},
                         {"Ind_A", QString(), "Indicatif"},
                         {"Date_A", QStringLiteral("15/03/2007"), "Date"},
                         {"Type_A", QStringLiteral("Moulin contacte par erreur trop long"), "Type Activité"},
                         {"Ind_A", QString::fromUtf8("F5ŒΩ"), "Indicatif"}};
    for (const Cas &c : cas) {
        const QString garde = c.champ == QByteArray("Type_A") ? b.type()->currentText() : b.champ(c.champ)->text();
        if (c.champ == QByteArray("Type_A"))
            b.type()->setEditText(c.texte);
        else
            b.champ(c.champ)->setText(c.texte);
        b.messages.clear();
        QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
        QCOMPARE(b.messages.size(), 1);
        QVERIFY2(b.messages.first().contains(QString::fromUtf8("« %1 »").arg(QString::fromUtf8(c.nom))), qPrintable(b.messages.first()));
        QCOMPARE(b.dossier.lit(b.log()), avant);
        if (c.champ == QByteArray("Type_A"))
            b.type()->setEditText(garde);
        else
            b.champ(c.champ)->setText(garde);
    }
    b.messages.clear();
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(b.messages.size(), 1); // the question, and it is written
    QVERIFY(b.dossier.lit(b.log()) != avant);
}

void Tst_Main::erreur_du_log_dite_et_saisie_gardee()
{
    Banc_Main b;
    const QByteArray avant = Fichier_De(Log_De_Base);
    b.station("TEST1", "2007", avant);
    b.demarre();
    // The rewrite cannot make its temporary file.
    QVERIFY(QDir(b.dossier.chemin()).mkdir(QStringLiteral("Temporaire.txt")));
    b.double_clique_ligne(0);
    b.entree(b.champ("Date_A"));
    b.saisit(b.champ("Ind_A"), QStringLiteral("F5ABD"));
    b.messages.clear();
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(b.messages.size(), 2);
    QVERIFY2(b.messages.at(1).contains(QStringLiteral("tel qu'il était")), qPrintable(b.messages.at(1)));
    QCOMPARE(b.dossier.lit(b.log()), avant);
    QCOMPARE(b.champ("Ind_A")->text(), QStringLiteral("F5ABD"));
    QVERIFY(b.modification());

    // A log gone since the start: told, never made up from nothing by a rewrite.
    QVERIFY(QFile::remove(b.dossier.fichier(b.log())));
    b.messages.clear();
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QVERIFY2(b.messages.last().contains(QStringLiteral("introuvable")), qPrintable(b.messages.join(u'|')));
    QVERIFY(!b.dossier.existe(b.log()));
}

void Tst_Main::log_absent_au_demarrage()
{
    Banc_Main b;
    QVERIFY(Sauve_Station("TEST1", "2007").ok());
    b.demarre();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().contains(QStringLiteral("introuvable")), qPrintable(b.messages.first()));
    QCOMPARE(b.lignes(), 0);
    QCOMPARE(b.champ("Total_Points")->text(), QString());
    QVERIFY(!b.dossier.existe(b.log()));
}

void Tst_Main::un_seul_message_par_echec()
{
    Banc_Main b;
    QVERIFY(Sauve_Station("TEST1", "2007").ok());
    QVERIFY(QDir(b.dossier.chemin()).mkdir(b.log())); // a log that cannot be read
    b.demarre();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().contains(QStringLiteral("n'est pas un fichier ordinaire")), qPrintable(b.messages.first()));

    // A deletion in a log gone since the start: told once, not again by the reload.
    Banc_Main c;
    c.station("TEST1", "2007", Fichier_De(Log_De_Base));
    c.demarre();
    c.clique_ligne(0);
    QVERIFY(QFile::remove(c.dossier.fichier(c.log())));
    c.messages.clear();
    QTest::mouseClick(c.bouton("Annule_Saisie"), Qt::LeftButton);
    QCOMPARE(c.messages.size(), 2); // the question, then the failure
    QVERIFY2(c.messages.last().contains(QStringLiteral("introuvable")), qPrintable(c.messages.last()));
    QCOMPARE(c.lignes(), 0);
}

void Tst_Main::station_des_reglages_hors_du_dossier_data()
{
    QTest::addColumn<QString>("indicatif");
    QTest::addColumn<QString>("annee");
    QTest::addColumn<QString>("reglage");
    QTest::newRow("indicatif remontant") << QStringLiteral("../kob_evil") << QStringLiteral("2007") << QStringLiteral("Indicatif Station");
    QTest::newRow("indicatif a barre inverse") << QStringLiteral("..\\kob_evil") << QStringLiteral("2007") << QStringLiteral("Indicatif Station");
    QTest::newRow("indicatif a controle") << QStringLiteral("kob_evil\x01") << QStringLiteral("2007") << QStringLiteral("Indicatif Station");
    QTest::newRow("annee remontante") << QStringLiteral("TEST1") << QStringLiteral("../../kob_evil") << QStringLiteral("Annee Radovered");
}

void Tst_Main::station_des_reglages_hors_du_dossier()
{
    QFETCH(QString, indicatif);
    QFETCH(QString, annee);
    QFETCH(QString, reglage);
    Banc_Main b;
    QVERIFY(Sauve_Station(indicatif, annee).ok());
    b.demarre();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().contains(reglage) && b.messages.first().contains(QStringLiteral("Nouvel Indicatif")),
             qPrintable(b.messages.first()));
    QCOMPARE(b.lignes(), 0);

    // Nothing is read or written under that name: not a QSO, not an export.
    b.messages.clear();
    b.tape(b.champ("Ind_A"), QStringLiteral("F"));
    QCOMPARE(b.messages.size(), 1);
    b.champ("Ind_A")->setText(QStringLiteral("F5ABC"));
    b.entree(b.champ("Ind_A"));
    b.type()->setCurrentIndex(0);
    b.entree(b.type());
    b.saisit(b.champ("DMF_A"), QStringLiteral("21001"));
    b.entree(b.controle<QCheckBox>("Validation_A"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    b.action("Mnu_Enr_Contacte")->trigger();
    b.action("Mnu_Recap")->trigger();
    for (const QString &m : std::as_const(b.messages))
        QVERIFY2(!m.contains(QStringLiteral("enregistré")), qPrintable(m));
    const QDir dossier(b.dossier.chemin());
    for (const QDir &d : {dossier, QDir(dossier.filePath(QStringLiteral(".."))), QDir(dossier.filePath(QStringLiteral("../..")))})
        QCOMPARE(d.entryList({QStringLiteral("*kob_evil*")}, QDir::AllEntries | QDir::System), QStringList());
    QVERIFY(dossier.entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

void Tst_Main::date_menu_non_puis_oui()
{
    Banc_Main b;
    b.station("TEST1", "2007", QByteArray());
    b.demarre();
    b.action("Mnu_Date_Auto_Non")->trigger();
    QVERIFY(b.action("Mnu_Date_Auto_Non")->isChecked());
    QVERIFY(!b.action("Mnu_Date_Auto_Oui")->isChecked());
    QCOMPARE(b.champ("Date_A")->text(), QString());
    QCOMPARE(b.focus(), b.champ("Date_A"));
    QCOMPARE(Reglage(QStringLiteral("Setup TEST1/Date_Automatique")).toString(), QStringLiteral("Non"));
    b.action("Mnu_Date_Auto_Oui")->trigger();
    QCOMPARE(b.champ("Date_A")->text(), QStringLiteral("15/03/07"));
    QCOMPARE(b.focus(), b.champ("Ind_A"));
    QCOMPARE(b.controle<QLabel>("Label_Date")->text(), QStringLiteral("Date automatique"));
    QCOMPARE(Reglage(QStringLiteral("Setup TEST1/Date_Automatique")).toString(), QStringLiteral("Oui"));
}

void Tst_Main::aide_historique_et_a_propos()
{
    Banc_Main b;
    b.station("TEST1", "2007", QByteArray());
    b.demarre();
    b.action("Mnu_Historique")->trigger();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY(b.messages.first().startsWith(QString::fromUtf8("V1.0.0   le 22/01/2006 création\r\n")));
    QVERIFY(b.messages.first().endsWith(QStringLiteral("V1.0.9   le 31/07/08 Suppresion du bouton 'Editer QSO'\r\n")));
    QCOMPARE(b.messages.first().count(QStringLiteral("\r\n")), 10);

    b.action("Mnu_Apropos")->trigger();
    QVERIFY(b.messages.last().contains(QStringLiteral("1.0.9")));
    QVERIFY(b.messages.last().contains(QStringLiteral("Licence")));
    QVERIFY(b.messages.last().contains(QStringLiteral("CC BY 4.0")));

    b.action("Mnu_Mode_Emploi")->trigger();
    QVERIFY(b.messages.last().contains(QStringLiteral("KOB_Dezudidar_ERI.hlp")));
    b.dossier.ecrit(QStringLiteral("KOB_Dezudidar_ERI.hlp"),
                    "<html><body><h1 id=\"sommaire\">Sommaire</h1><p>Texte</p></body></html>");
    const qsizetype avant = b.messages.size();
    b.action("Mnu_Mode_Emploi")->trigger();
    QCOMPARE(b.messages.size(), avant);
    QPointer<QWidget> aide;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("Aide") && w->isVisible())
            aide = w;
    QVERIFY(aide);
    // Quitting closes every window.
    b.action("Mnu_Quitter")->trigger();
    QTRY_VERIFY(!aide || !aide->isVisible());
    QVERIFY(!b.fenetre->isVisible());
}

void Tst_Main::manuel_dans_le_navigateur()
{
    Banc_Main b;
    b.manuel_dans_navigateur = true;
    b.station("TEST1", "2007", QByteArray());
    const QByteArray manuel = "<html><body><h1 id=\"sommaire\">Sommaire</h1><p>R\xC3\xA8gles</p></body></html>";
    b.dossier.ecrit(QStringLiteral("KOB_Dezudidar_ERI.hlp"), manuel);
    b.demarre();

    QTemporaryDir temporaire;
    QVERIFY(temporaire.isValid());
#ifdef Q_OS_WIN
    const char *const variable = "TMP";
#else
    const char *const variable = "TMPDIR";
#endif
    const QByteArray avant = qgetenv(variable);
    Navigateur navigateur;
    const auto remet = qScopeGuard([&] {
        qputenv(variable, avant);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    });
    qputenv(variable, QFile::encodeName(temporaire.path()));
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &navigateur, "ouvre");
    const auto aide_visible = [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("Aide") && w->isVisible())
                return true;
        return false;
    };

    // The browser gets an ".html" copy, the same bytes, and no window of ours opens.
    b.action("Mnu_Mode_Emploi")->trigger();
    QCOMPARE(navigateur.ouvertes.size(), 1);
    const QString copie = navigateur.ouvertes.first().toLocalFile();
    QVERIFY2(copie.endsWith(QStringLiteral(".html")), qPrintable(copie));
    QCOMPARE(QFileInfo(copie).absolutePath(), QFileInfo(temporaire.path()).absoluteFilePath());
    QCOMPARE(Lit_Fichier(copie).valeur(), manuel);
    QVERIFY(!aide_visible());
    QVERIFY(b.messages.isEmpty());

    // A manual changed since is copied again.
    const QByteArray nouveau = manuel + "<p>suite</p>";
    b.dossier.ecrit(QStringLiteral("KOB_Dezudidar_ERI.hlp"), nouveau);
    b.action("Mnu_Mode_Emploi")->trigger();
    QCOMPARE(navigateur.ouvertes.size(), 2);
    QCOMPARE(Lit_Fichier(navigateur.ouvertes.last().toLocalFile()).valeur(), nouveau);

    // The copy cannot be written: the program's own window shows the manual.
    QVERIFY(QFile::remove(copie));
    QVERIFY(QDir(temporaire.path()).mkdir(QFileInfo(copie).fileName()));
    b.action("Mnu_Mode_Emploi")->trigger();
    QCOMPARE(navigateur.ouvertes.size(), 2);
    QVERIFY(aide_visible());
    QVERIFY(b.messages.isEmpty());
    b.action("Mnu_Quitter")->trigger();
}

QTEST_MAIN(Tst_Main)
#include "tst_main.moc"
