#include "Banc_Main.h"
#include "Noeud_Cluster.h"

#include "Ligne_Alerte.h"
#include "Liste_Moulins.h"
#include "Modele_Spots.h"
#include "Spots_DMF.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

namespace {

const QList<QByteArray> Log_Spots{Ligne("05/03/07", "21002", "Moulin Contacte", "F6XYZ"),
                                  Ligne("10/03/07", "21003", "Moulin Contacte", "F1AAA", true)};

// What the node sends after "sh/dx 30": three mills, newest first, then a
// flood that holds no mill.
QByteArray Trois_Moulins_Et_Un_Deluge()
{
    QByteArray s = "  7012.0  F1NEW       15-Mar-2007 1820Z  DMF 21001 CW      <F5XYZ>\r\n"
                   "  7013.0  F6XYZ       15-Mar-2007 1810Z  DMF 21002 CW      <F5XYZ>\r\n"
                   "\x07 3532.0  F1AAA       15-Mar-2007 1800Z  \x1b[32mdmf-21003\x1b[0m SSB  <F6AAA>\r\n";
    for (int i = 0; i < 5000; ++i)
        s += "DX de F5XYZ:     14025.0  JA" + QByteArray::number(i) + "X       CQ 21001 POTA        1819Z\r\n";
    s += QByteArray(300000, '\xff') + "\r\n";
    return s;
}

// The spots window opened from the menu of a station with its log.
Spots_DMF *Ouvre_Spots(Banc_Main &b, const QString &indicatif)
{
    b.station(indicatif, "2007", Fichier_De(Log_Spots));
    b.demarre();
    b.action("Mnu_Spots")->trigger();
    return Banc_Main::fenetre_ouverte<Spots_DMF>("Spots_DMF");
}

} // namespace

class Tst_Main_Spots : public QObject {
    Q_OBJECT

private slots:
    void spots_suivent_le_log();
    void connexion_au_demarrage_si_demandee();
    void indicatif_portable_pour_le_cluster();
    void alerte_fenetre_des_spots_fermee();
    void deluge_de_spots_six_notifications();
};

void Tst_Main_Spots::spots_suivent_le_log()
{
    Noeud noeud;
    Banc_Main b;
    // Nothing connects unless asked: not at start, not when the window opens.
    auto *f = Ouvre_Spots(b, QStringLiteral("TEST1"));
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), QStringLiteral("Spots de moulins"));
    QTest::qWait(100);
    QVERIFY(noeud.clients.isEmpty());
    auto *indicatif = f->findChild<QLineEdit *>(QStringLiteral("Cluster_Indicatif"));
    QCOMPARE(indicatif->text(), QStringLiteral("TEST1"));
    QCOMPARE(f->findChild<QSpinBox *>(QStringLiteral("Cluster_Port"))->value(), 7300);
    auto *bouton = f->findChild<QPushButton *>(QStringLiteral("Cluster_Connecter"));
    auto *etat = f->findChild<QLabel *>(QStringLiteral("Etat_Cluster"));

    // No address: told in the window, no message box.
    QTest::mouseClick(bouton, Qt::LeftButton);
    QVERIFY(etat->text().startsWith(QStringLiteral("Indiquez l'adresse")));
    QVERIFY(b.messages.isEmpty());

    f->findChild<QLineEdit *>(QStringLiteral("Cluster_Adresse"))->setText(QStringLiteral("127.0.0.1"));
    f->findChild<QSpinBox *>(QStringLiteral("Cluster_Port"))->setValue(noeud.port());
    indicatif->setText(QStringLiteral("test1"));
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCOMPARE(bouton->text(), QStringLiteral("Se déconnecter"));
    QTRY_COMPARE(noeud.recu.value(0), QByteArray("TEST1\r\n"));
    QCOMPARE(Reglages_Bruts().value(QStringLiteral("Cluster/Adresse")).toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(Reglages_Bruts().value(QStringLiteral("Cluster/Port")).toString(), QString::number(noeud.port()));
    noeud.dernier()->write("TEST1 de F1NODE 15-Mar-2007 1830Z >\r\n");
    QTRY_COMPARE(noeud.recu.value(0), QByteArray("TEST1\r\nsh/dx 30\r\n"));
    QVERIFY(etat->text().startsWith(QStringLiteral("Connecté à 127.0.0.1:")));

    noeud.dernier()->write(Trois_Moulins_Et_Un_Deluge());
    auto *table = f->findChild<QTableView *>(QStringLiteral("Table_Spots"));
    QAbstractItemModel *m = table->model();
    QTRY_COMPARE(m->rowCount(), 3);
    const auto cellule = [&](int ligne, int colonne) { return m->index(ligne, colonne).data().toString(); };
    QCOMPARE(m->headerData(Modele_Spots::Etat, Qt::Horizontal).toString(), QStringLiteral("État"));
    QCOMPARE(cellule(0, Modele_Spots::Indicatif), QStringLiteral("F1NEW"));
    QCOMPARE(cellule(0, Modele_Spots::Heure), QStringLiteral("18:20"));
    QCOMPARE(cellule(0, Modele_Spots::Frequence), QStringLiteral("7012.0"));
    QCOMPARE(cellule(0, Modele_Spots::Departement), QStringLiteral("21"));
    QCOMPARE(cellule(0, Modele_Spots::Etat), QStringLiteral("Nouveau moulin"));
    QCOMPARE(cellule(1, Modele_Spots::Etat), QStringLiteral("Contacté le 05/03/07"));
    QCOMPARE(cellule(2, Modele_Spots::Etat), QStringLiteral("En attente"));
    QCOMPARE(cellule(2, Modele_Spots::DMF), QStringLiteral("21003"));
    QCOMPARE(cellule(2, Modele_Spots::Spotteur), QStringLiteral("F6AAA"));
    QCOMPARE(m->index(0, 3).data(Qt::BackgroundRole).value<QBrush>().color().rgb() & 0xFFFFFF, 0xC0FFC0u);
    QVERIFY(!m->index(1, 3).data(Qt::BackgroundRole).isValid());
    QVERIFY(!m->index(2, 3).data(Qt::BackgroundRole).isValid());
    // The flood is still on the way: none of it became a row.
    QTest::qWait(400);
    QCOMPARE(m->rowCount(), 3);

    auto *nouveaux = f->findChild<QCheckBox *>(QStringLiteral("Seulement_Nouveaux"));
    QCOMPARE(nouveaux->text(), QStringLiteral("Seulement les moulins jamais contactés"));
    nouveaux->setChecked(true);
    QCOMPARE(m->rowCount(), 1);
    nouveaux->setChecked(false);
    QCOMPARE(m->rowCount(), 3);

    // Enter on a row: its callsign and mill in the entry, the type next.
    table->setCurrentIndex(m->index(2, 0));
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(b.champ("Ind_A")->text(), QStringLiteral("F1AAA"));
    QCOMPARE(b.champ("DMF_A")->text(), QStringLiteral("21003"));
    // A double-click on another replaces it; nothing is written.
    const QByteArray log_avant = b.dossier.lit(b.log());
    const QRect rangee = table->visualRect(m->index(0, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rangee.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, rangee.center());
    QCOMPARE(b.champ("Ind_A")->text(), QStringLiteral("F1NEW"));
    QCOMPARE(b.champ("DMF_A")->text(), QStringLiteral("21001"));
    QVERIFY(b.type()->isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(b.fenetre.get()));
    QTRY_COMPARE(b.focus(), b.type());
    QCOMPARE(b.dossier.lit(b.log()), log_avant);
    QVERIFY(b.messages.isEmpty());

    // The operator goes on from the type as usual; the recording turns the row's state.
    b.entree(b.type());
    QCOMPARE(b.focus(), b.champ("DMF_A"));
    b.entree(b.champ("DMF_A"));
    b.controle<QCheckBox>("Validation_A")->setChecked(false);
    b.entree(b.controle("Validation_A"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QVERIFY(b.dossier.lit(b.log()).contains("21001"));
    QCOMPARE(cellule(0, Modele_Spots::Etat), QStringLiteral("Contacté le 15/03/07"));
    nouveaux->setChecked(true);
    QCOMPARE(m->rowCount(), 0);
    nouveaux->setChecked(false);

    // A deletion turns it back.
    b.clique_ligne(0);
    QTest::mouseClick(b.bouton("Annule_Saisie"), Qt::LeftButton);
    QVERIFY(!b.dossier.lit(b.log()).contains("21002"));
    QCOMPARE(cellule(1, Modele_Spots::Etat), QStringLiteral("Nouveau moulin"));

    // The same callsign and mill spotted again updates its row.
    noeud.dernier()->write("DX de F6BBB:     7014.5  F1NEW        DMF 21001 QSY        1829Z\r\n");
    QTRY_COMPARE(cellule(0, Modele_Spots::Frequence), QStringLiteral("7014.5"));
    QCOMPARE(m->rowCount(), 3);
    QCOMPARE(cellule(0, Modele_Spots::Spotteur), QStringLiteral("F6BBB"));

    // The node goes away: told in the window, never in a message box.
    const qsizetype messages = b.messages.size();
    noeud.dernier()->disconnectFromHost();
    QTRY_VERIFY(etat->text().startsWith(QStringLiteral("Connexion perdue avec 127.0.0.1:")));
    QVERIFY(etat->text().endsWith(QStringLiteral("nouvel essai dans 5 s")));
    QCOMPARE(b.messages.size(), messages);
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCOMPARE(bouton->text(), QStringLiteral("Se connecter"));
    QCOMPARE(etat->text(), QStringLiteral("Déconnecté"));
}

void Tst_Main_Spots::connexion_au_demarrage_si_demandee()
{
    Noeud noeud;
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log_Spots));
    {
        QSettings s = Reglages_Bruts();
        s.setValue(QStringLiteral("Cluster/Adresse"), QStringLiteral("127.0.0.1"));
        s.setValue(QStringLiteral("Cluster/Port"), QString::number(noeud.port()));
        s.setValue(QStringLiteral("Cluster/Indicatif"), QStringLiteral("F5ZZZ"));
        s.setValue(QStringLiteral("Cluster/Connexion_Demarrage"), QStringLiteral("Oui"));
    }
    b.demarre();
    QTRY_COMPARE(noeud.recu.value(0), QByteArray("F5ZZZ\r\n"));
    auto *f = Banc_Main::fenetre_visible<Spots_DMF>("Spots_DMF");
    QVERIFY(f);
    auto *demarrage = f->findChild<QCheckBox *>(QStringLiteral("Connexion_Demarrage"));
    QVERIFY(demarrage->isChecked());
    // Unticked: saved at once, and the next start stays offline.
    demarrage->setChecked(false);
    QCOMPARE(Reglages_Bruts().value(QStringLiteral("Cluster/Connexion_Demarrage")).toString(), QStringLiteral("Non"));
    // Closing the window keeps the connection: spots still alert.
    QAction *deconnecter = b.action("Mnu_Deconnecter_Cluster");
    QVERIFY(deconnecter->isEnabled());
    f->close();
    QTest::qWait(200);
    QCOMPARE(noeud.dernier()->state(), QAbstractSocket::ConnectedState);
    // Opened again, the window shows it as it is.
    b.action("Mnu_Spots")->trigger();
    f = Banc_Main::fenetre_visible<Spots_DMF>("Spots_DMF");
    QCOMPARE(f->findChild<QPushButton *>(QStringLiteral("Cluster_Connecter"))->text(), QStringLiteral("Se déconnecter"));
    QVERIFY(f->findChild<QLabel *>(QStringLiteral("Etat_Cluster"))->text().startsWith(QStringLiteral("Connecté à 127.0.0.1")));
    // The menu's entry ends it.
    deconnecter->trigger();
    QTRY_VERIFY(!noeud.dernier() || noeud.dernier()->state() == QAbstractSocket::UnconnectedState);
    QVERIFY(!deconnecter->isEnabled());
    QCOMPARE(f->findChild<QPushButton *>(QStringLiteral("Cluster_Connecter"))->text(), QStringLiteral("Se connecter"));
}

void Tst_Main_Spots::indicatif_portable_pour_le_cluster()
{
    Banc_Main b;
    auto *f = Ouvre_Spots(b, QStringLiteral("F5ABC_P"));
    QVERIFY(f);
    // The log's name holds "_" where the callsign has "/"; the node wants the callsign.
    QCOMPARE(f->findChild<QLineEdit *>(QStringLiteral("Cluster_Indicatif"))->text(), QStringLiteral("F5ABC/P"));
}

namespace {

// Started connected to the node, as asked at the last run, the spots window
// then closed: the program works on in the background.
Ligne_Alerte *Connecte_Puis_Ferme(Banc_Main &b, Noeud &noeud, bool son)
{
    b.station("TEST1", "2007", Fichier_De(Log_Spots));
    b.dossier.ecrit(QStringLiteral("Moulins.txt"),
                    Moulins::Texte_Garde(Moulins::Lit_Liste("dmf;nom;commune\r\n21001;Moulin Neuf;Beaune\r\n").liste));
    {
        QSettings s = Reglages_Bruts();
        s.setValue(QStringLiteral("Cluster/Adresse"), QStringLiteral("127.0.0.1"));
        s.setValue(QStringLiteral("Cluster/Port"), QString::number(noeud.port()));
        s.setValue(QStringLiteral("Cluster/Connexion_Demarrage"), QStringLiteral("Oui"));
        s.setValue(QStringLiteral("Alertes/Son"), son ? QStringLiteral("Oui") : QStringLiteral("Non"));
    }
    b.demarre();
    if (!QTest::qWaitFor([&] { return noeud.recu.value(0) == "TEST1\r\n"; }))
        return nullptr;
    Banc_Main::fenetre_visible<Spots_DMF>("Spots_DMF")->close();
    return b.controle<Ligne_Alerte>("Alerte_Spot");
}

} // namespace

void Tst_Main_Spots::alerte_fenetre_des_spots_fermee()
{
    Noeud noeud;
    Banc_Main b;
    Ligne_Alerte *ligne = Connecte_Puis_Ferme(b, noeud, true);
    QVERIFY(ligne);
    QVERIFY(!ligne->isVisible());
    const int hauteur = b.fenetre->height();
    // A new mill, spotted twice; a mill in the log; a pending one.
    noeud.dernier()->write("DX de F5XYZ:     7088.0  F4DEF        DMF 21001 SSB                  1829Z\r\n"
                           "DX de F6AAA:     7088.0  F4DEF        DMF 21001 SSB                  1829Z\r\n"
                           "DX de F5XYZ:     7013.0  F6XYZ        DMF 21002 CW                   1829Z\r\n"
                           "DX de F5XYZ:     3532.0  F1AAA        DMF 21003 SSB                  1829Z\r\n");
    QTRY_VERIFY(ligne->isVisible());
    const QString texte = QStringLiteral("Moulin 21001 (Moulin Neuf, Beaune) annoncé par F4DEF sur 7 088,0 kHz à 18:29 UTC");
    QCOMPARE(ligne->findChild<QLabel *>(QStringLiteral("Texte_Alerte"))->text(), texte);
    QCOMPARE(ligne->accessibleName(), texte);
    QTest::qWait(300);
    QCOMPARE(b.avertisseur->notifications, QStringList{texte});
    QCOMPARE(b.avertisseur->sons, 1);
    // The window grows by the line; the entry keeps its place under it.
    QWidget *barre = b.controle("Barre_Alerte");
    QCOMPARE(b.fenetre->height(), hauteur + barre->height());
    QCOMPARE(b.controle("Fond")->y(), barre->geometry().bottom() + 1);

    // "Voir": the spots window on that spot, Enter takes it to the entry.
    QTest::mouseClick(b.controle<QPushButton>("Voir_Alerte"), Qt::LeftButton);
    auto *f = Banc_Main::fenetre_visible<Spots_DMF>("Spots_DMF");
    QVERIFY(f);
    QTRY_VERIFY(!ligne->isVisible());
    QCOMPARE(b.fenetre->height(), hauteur);
    auto *table = f->findChild<QTableView *>(QStringLiteral("Table_Spots"));
    QTRY_VERIFY(table->hasFocus());
    const QModelIndex courant = table->currentIndex();
    QCOMPARE(courant.siblingAtColumn(Modele_Spots::Indicatif).data().toString(), QStringLiteral("F4DEF"));
    QCOMPARE(courant.siblingAtColumn(Modele_Spots::DMF).data().toString(), QStringLiteral("21001"));
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(b.champ("Ind_A")->text(), QStringLiteral("F4DEF"));
    QCOMPARE(b.champ("DMF_A")->text(), QStringLiteral("21001"));
    f->close();
    b.fenetre->activateWindow();

    // Within the quiet time, the same mill alerts no more; two others
    // within ten seconds stack, with one notification.
    b.maintenant = b.maintenant.addSecs(20);
    noeud.dernier()->write("DX de F1ZZZ:     7088.0  F4DEF        DMF 21001 SSB nouveau spotteur 1830Z\r\n"
                           "DX de F5XYZ:    14285.0  F1BBB        DMF 21004 SSB                  1830Z\r\n");
    QTRY_VERIFY(ligne->isVisible());
    b.maintenant = b.maintenant.addSecs(5);
    noeud.dernier()->write("DX de F5XYZ:    14286.0  F1CCC        DMF 21005 SSB                  1830Z\r\n");
    QTRY_COMPARE(ligne->alertes().size(), 2);
    QCOMPARE(ligne->accessibleName(), QStringLiteral("Moulin 21005 annoncé par F1CCC sur 14 286,0 kHz à 18:30 UTC et 1 autre moulin"));
    QCOMPARE(b.avertisseur->notifications.size(), 2);
    QCOMPARE(b.avertisseur->notifications.last(), QStringLiteral("Moulin 21004 annoncé par F1BBB sur 14 285,0 kHz à 18:30 UTC"));
    QCOMPARE(b.avertisseur->sons, 2);
    // A click on the notification: the spots window, on the spot it told of.
    emit b.avertisseur->notification_choisie();
    f = Banc_Main::fenetre_visible<Spots_DMF>("Spots_DMF");
    QVERIFY(f);
    table = f->findChild<QTableView *>(QStringLiteral("Table_Spots"));
    QCOMPARE(table->currentIndex().siblingAtColumn(Modele_Spots::DMF).data().toString(), QStringLiteral("21004"));
    f->close();

    // Recorded, a mill stops alerting at once: the line keeps the other.
    QVERIFY(b.fenetre->carnet().ajoute(Ligne("15/03/07", "21005", "Moulin Contacte", "F1CCC")).ok());
    QTRY_COMPARE(ligne->alertes().size(), 1);
    QCOMPARE(ligne->accessibleName(), QStringLiteral("Moulin 21004 annoncé par F1BBB sur 14 285,0 kHz à 18:30 UTC"));
    b.maintenant = b.maintenant.addSecs(60 * 40);
    noeud.dernier()->write("DX de F5XYZ:    14286.0  F1CCC        DMF 21005 SSB                  1910Z\r\n");
    QTest::qWait(300);
    QCOMPARE(ligne->alertes().size(), 1);
    // "×" closes it.
    QTest::mouseClick(b.controle<QToolButton>("Fermer_Alerte"), Qt::LeftButton);
    QVERIFY(!ligne->isVisible());
    QCOMPARE(b.avertisseur->notifications.size(), 2);
}

// 10,000 spots of as many mills in a minute: one notification every ten
// seconds, the others gathered in the line.
void Tst_Main_Spots::deluge_de_spots_six_notifications()
{
    Noeud noeud;
    Banc_Main b;
    Ligne_Alerte *ligne = Connecte_Puis_Ferme(b, noeud, true);
    QVERIFY(ligne);
    int envoyes = 0;
    for (int seconde = 0; seconde < 60; ++seconde) {
        QByteArray lot;
        for (const int fin = (seconde + 1) * 10000 / 60; envoyes < fin; ++envoyes)
            lot += "DX de F5XYZ:     7088.0  F4D" + QByteArray::number(envoyes) + "  DMF " + QByteArray::number(30000 + envoyes)
                 + " CW  1829Z\r\n";
        noeud.dernier()->write(lot);
        QTRY_COMPARE(ligne->alertes().size(), envoyes);
        b.maintenant = b.maintenant.addSecs(1);
    }
    QCOMPARE(envoyes, 10000);
    QCOMPARE(b.avertisseur->notifications.size(), 6);
    QCOMPARE(b.avertisseur->sons, 6);
    QVERIFY(ligne->accessibleName().endsWith(QStringLiteral(" et 9999 autres moulins")));
}

QTEST_MAIN(Tst_Main_Spots)
#include "tst_main_spots.moc"
