#include "Banc_Main.h"
#include "Noeud_Cluster.h"
#include "Poste_Test.h"

#include "Annonce_Spot.h"
#include "Modele_Spots.h"
#include "Reglage_Poste.h"
#include "Spots_DMF.h"

#include <QSpinBox>
#include <QTableView>

namespace {

const QList<QByteArray> Log_Poste{Ligne("05/03/07", "21002", "Moulin Contacte", "F6XYZ")};

// The station with its radio set, and the spots window opened from the
// menu, logged in on the node.
struct Banc_Poste {
    Banc_Poste(const Radio::Reglages &poste)
    {
        b.station(QStringLiteral("TEST1"), QStringLiteral("2007"), Fichier_De(Log_Poste));
        QVERIFY(Radio::Sauve_Reglages(poste).ok());
        b.demarre();
        b.action("Mnu_Spots")->trigger();
        spots = Banc_Main::fenetre_ouverte<Spots_DMF>("Spots_DMF");
        QVERIFY(spots);
        spots->findChild<QLineEdit *>(QStringLiteral("Cluster_Adresse"))->setText(QStringLiteral("127.0.0.1"));
        spots->findChild<QSpinBox *>(QStringLiteral("Cluster_Port"))->setValue(noeud.port());
        QTest::mouseClick(spots->findChild<QPushButton *>(QStringLiteral("Cluster_Connecter")), Qt::LeftButton);
        QTRY_COMPARE(noeud.recu.value(0), QByteArray("TEST1\r\n"));
        noeud.dernier()->write("TEST1 de F1NODE 15-Mar-2007 1830Z >\r\n");
        QTRY_COMPARE(noeud.recu.value(0), QByteArray("TEST1\r\nsh/dx 30\r\n"));
        table = spots->findChild<QTableView *>(QStringLiteral("Table_Spots"));
    }
    QLabel *etiquette(const char *nom) const { return spots->findChild<QLabel *>(QString::fromLatin1(nom)); }
    // The row of a spotted callsign.
    QModelIndex rangee(const QString &indicatif) const
    {
        for (int i = 0; i < table->model()->rowCount(); ++i)
            if (table->model()->index(i, Modele_Spots::Indicatif).data().toString() == indicatif)
                return table->model()->index(i, Modele_Spots::Indicatif);
        return {};
    }
    bool en_gras(const QString &indicatif) const { return rangee(indicatif).data(Qt::FontRole).value<QFont>().bold(); }
    void choisit(const QString &indicatif)
    {
        table->setFocus();
        table->setCurrentIndex(rangee(indicatif));
        QTest::keyClick(table, Qt::Key_Return);
    }

    Noeud noeud;
    Banc_Main b;
    Spots_DMF *spots = nullptr;
    QTableView *table = nullptr;
};

const QByteArray Deux_Spots = "DX de F5XYZ:     14285.0  F1ABC/P      DMF 21001 SSB                  1825Z\r\n"
                              "DX de F6AAA:      7012.0  F1XYZ        DMF 21003 CW                   1826Z\r\n";

} // namespace

class Tst_Main_Poste : public QObject {
    Q_OBJECT

private slots:
    void spot_choisi_regle_rigctld();
    void annonce_confirmee_par_le_noeud();
    void annonce_au_mode_du_spot_pas_du_reglage_de_donnees();
    void poste_muet_ne_fige_pas_la_saisie();
    void fenetre_poste();
    void lecture_arretee_fenetre_fermee();
};

void Tst_Main_Poste::spot_choisi_regle_rigctld()
{
    RIGCTLD_OU_SAUTE(rigctld);
    Banc_Poste p({Radio::Type::Hamlib, QStringLiteral("127.0.0.1"), rigctld.port()});
    QLabel *frequence = p.etiquette("Frequence_Poste");
    QLabel *etat = p.etiquette("Etat_Poste_Spots");
    QVERIFY(frequence->isVisible());
    // What the daemon says, in view from the window's opening.
    const qint64 hertz = rigctld.demande("f", 1).value(0).toLongLong();
    const QString lue = QStringLiteral("Poste : ") + Radio::Texte_Lecture({hertz, rigctld.demande("m", 2).value(0)});
    QTRY_COMPARE(frequence->text(), lue);

    p.noeud.dernier()->write(Deux_Spots);
    QTRY_COMPARE(p.table->model()->rowCount(), 2);
    p.choisit(QStringLiteral("F1ABC/P"));
    QCOMPARE(p.b.champ("Ind_A")->text(), QStringLiteral("F1ABC/P"));
    QCOMPARE(p.b.champ("DMF_A")->text(), QStringLiteral("21001"));
    QTRY_COMPARE(etat->text(), QStringLiteral("Poste réglé sur 14 285,0 kHz en USB"));
    // Read back from the daemon on a connection of the test's own.
    QCOMPARE(rigctld.demande("f", 1), QStringList{"14285000"});
    QCOMPARE(rigctld.demande("m", 2).value(0), QStringLiteral("USB"));
    QTRY_COMPARE(frequence->text(), QStringLiteral("Poste : 14 285,0 kHz en USB"));
    QTRY_VERIFY(p.en_gras(QStringLiteral("F1ABC/P")));
    QVERIFY(!p.en_gras(QStringLiteral("F1XYZ")));

    // A double-click on the other: 40 m in CW.
    const QRect r = p.table->visualRect(p.rangee(QStringLiteral("F1XYZ")));
    QTest::mouseClick(p.table->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(p.table->viewport(), Qt::LeftButton, {}, r.center());
    QTRY_COMPARE(etat->text(), QStringLiteral("Poste réglé sur 7 012,0 kHz en CW"));
    QCOMPARE(rigctld.demande("f", 1), QStringList{"7012000"});
    QCOMPARE(rigctld.demande("m", 2).value(0), QStringLiteral("CW"));
    QTRY_VERIFY(p.en_gras(QStringLiteral("F1XYZ")));
    QVERIFY(!p.en_gras(QStringLiteral("F1ABC/P")));
    QCOMPARE(p.b.champ("DMF_A")->text(), QStringLiteral("21003"));
    QVERIFY(p.b.messages.isEmpty());
}

void Tst_Main_Poste::annonce_au_mode_du_spot_pas_du_reglage_de_donnees()
{
    Flrig_Factice flrig;
    flrig.frequence = "14074000";
    flrig.mode = QStringLiteral("USB-D");
    Banc_Poste p({Radio::Type::Flrig, QStringLiteral("127.0.0.1"), flrig.port()});
    QTRY_COMPARE(p.etiquette("Frequence_Poste")->text(), QStringLiteral("Poste : 14 074,0 kHz en USB-D"));
    p.b.champ("DMF_A")->setText(QStringLiteral("21001"));
    auto *annoncer = p.spots->findChild<QPushButton *>(QStringLiteral("Annoncer"));
    const auto commentaire_propose = [&] {
        QTest::mouseClick(annoncer, Qt::LeftButton);
        auto *dialogue = Banc_Main::fenetre_ouverte<Annonce_Spot>("Annonce_Spot");
        const QString c = dialogue ? dialogue->findChild<QLineEdit *>(QStringLiteral("Annonce_Commentaire"))->text() : QString();
        delete dialogue;
        return c;
    };
    // No spot chosen: the radio's data setting is no mode to announce.
    QCOMPARE(commentaire_propose(), QStringLiteral("DMF 21001"));
    p.noeud.dernier()->write("DX de F5XYZ:     14074.0  F1ABC/P      DMF 21005 FT8 -12dB            1825Z\r\n");
    QTRY_VERIFY(p.rangee(QStringLiteral("F1ABC/P")).isValid());
    p.table->setCurrentIndex(p.rangee(QStringLiteral("F1ABC/P")));
    QCOMPARE(commentaire_propose(), QStringLiteral("DMF 21001 FT8"));
}

void Tst_Main_Poste::annonce_confirmee_par_le_noeud()
{
    Flrig_Factice flrig;
    flrig.frequence = "14285000";
    Banc_Poste p({Radio::Type::Flrig, QStringLiteral("127.0.0.1"), flrig.port()});
    auto *annoncer = p.spots->findChild<QPushButton *>(QStringLiteral("Annoncer"));
    QCOMPARE(annoncer->text(), QStringLiteral("Annoncer..."));
    // Logged in: the node takes commands.
    QVERIFY(annoncer->isEnabled());
    QTRY_COMPARE(p.etiquette("Frequence_Poste")->text(), QStringLiteral("Poste : 14 285,0 kHz en USB"));
    p.b.champ("DMF_A")->setText(QStringLiteral("21001"));

    QTest::mouseClick(annoncer, Qt::LeftButton);
    // Closed, it goes: held so as to know.
    QPointer<Annonce_Spot> dialogue = Banc_Main::fenetre_ouverte<Annonce_Spot>("Annonce_Spot");
    QVERIFY(dialogue);
    QCOMPARE(dialogue->windowTitle(), QStringLiteral("Annoncer sur le cluster"));
    const auto champ = [&](const char *nom) { return dialogue->findChild<QLineEdit *>(QString::fromLatin1(nom)); };
    QCOMPARE(champ("Annonce_Frequence")->text(), QStringLiteral("14285.0"));
    QCOMPARE(champ("Annonce_Indicatif")->text(), QStringLiteral("TEST1"));
    QCOMPARE(champ("Annonce_DMF")->text(), QStringLiteral("21001"));
    QCOMPARE(champ("Annonce_Commentaire")->text(), QStringLiteral("DMF 21001 USB"));
    champ("Annonce_Indicatif")->setFocus();
    champ("Annonce_Indicatif")->end(false);
    QTest::keyClicks(champ("Annonce_Indicatif"), QStringLiteral("/p"));
    const auto envoyer = [&] { QTest::mouseClick(dialogue->findChild<QPushButton *>(QStringLiteral("Annonce_Envoyer")), Qt::LeftButton); };
    envoyer();
    QTRY_COMPARE(p.noeud.recu.value(0), QByteArray("TEST1\r\nsh/dx 30\r\nDX 14285.0 TEST1/P DMF 21001 USB\r\n"));
    QVERIFY(!dialogue || !dialogue->isVisible());
    QLabel *etat = p.etiquette("Etat_Cluster");
    QCOMPARE(etat->text(), QStringLiteral("Annonce envoyée à 127.0.0.1:%1, en attente de sa diffusion...").arg(p.noeud.port()));
    p.noeud.dernier()->write("DX de TEST1:     14285.0  TEST1/P      DMF 21001 USB                  1830Z\r\n");
    QTRY_COMPARE(etat->text(), QStringLiteral("Annonce diffusée"));
    // The station's own spot among the others, on the radio's frequency.
    QTRY_VERIFY(p.rangee(QStringLiteral("TEST1/P")).isValid());
    QTRY_VERIFY(p.en_gras(QStringLiteral("TEST1/P")));

    // Again within the minute: said in the dialog, nothing sent.
    QTest::mouseClick(annoncer, Qt::LeftButton);
    dialogue = Banc_Main::fenetre_ouverte<Annonce_Spot>("Annonce_Spot");
    QVERIFY(dialogue);
    envoyer();
    QCOMPARE(dialogue->findChild<QLabel *>(QStringLiteral("Etat_Annonce"))->text(),
             QStringLiteral("Une annonce par minute au plus : attendez encore 60 s."));
    // A command slipped into the comment is refused, by the field's name.
    champ("Annonce_Commentaire")->setText(QStringLiteral("DMF 21001 USB\r\nSET/NAME Pirate"));
    p.b.maintenant = p.b.maintenant.addSecs(61);
    envoyer();
    QCOMPARE(p.b.messages.size(), 1);
    QVERIFY2(p.b.messages[0].startsWith(QStringLiteral("Annonce non envoyée. Champ « Commentaire »")), qPrintable(p.b.messages[0]));
    champ("Annonce_Commentaire")->setText(QStringLiteral("DMF 21001 USB"));
    envoyer();
    QTRY_VERIFY(p.noeud.recu.value(0).endsWith("USB\r\nDX 14285.0 TEST1 DMF 21001 USB\r\n"));
    QVERIFY(!p.noeud.recu.value(0).contains("Pirate"));
    p.noeud.dernier()->write("Sorry, this is a duplicate\r\n");
    QTRY_COMPARE(etat->text(), QStringLiteral("Annonce refusée par le nœud (doublon : ce spot vient d'être annoncé) : "
                                              "« Sorry, this is a duplicate »"));

    // The node gone, no more announcing.
    p.noeud.dernier()->disconnectFromHost();
    QTRY_VERIFY(!annoncer->isEnabled());
    QCOMPARE(p.b.messages.size(), 1);
}

void Tst_Main_Poste::poste_muet_ne_fige_pas_la_saisie()
{
    Pair_Scripte muet([](const QByteArray &) { return QByteArray(); });
    Banc_Poste p({Radio::Type::Hamlib, QStringLiteral("127.0.0.1"), muet.port()});
    p.noeud.dernier()->write(Deux_Spots);
    QTRY_COMPARE(p.table->model()->rowCount(), 2);
    QLabel *etat = p.etiquette("Etat_Poste_Spots");
    p.choisit(QStringLiteral("F1ABC/P"));
    // The radio has not answered, and the entry is the operator's at once.
    QCOMPARE(etat->text(), QStringLiteral("Réglage du poste sur 14 285,0 kHz..."));
    QVERIFY(QTest::qWaitForWindowActive(p.b.fenetre.get()));
    QTRY_COMPARE(p.b.focus(), p.b.type());
    p.b.type()->lineEdit()->clear();
    QTest::keyClicks(p.b.type(), QStringLiteral("mou"));
    QCOMPARE(p.b.type()->currentText(), QStringLiteral("MOU"));
    QCOMPARE(etat->text(), QStringLiteral("Réglage du poste sur 14 285,0 kHz..."));
    // The daemon's silence costs a line, then another reading tries again.
    QTRY_COMPARE_WITH_TIMEOUT(etat->text(),
                              QStringLiteral("Pas de réponse de Hamlib (rigctld) à 127.0.0.1:%1 en 2 s pour le réglage de la fréquence")
                                  .arg(muet.port()),
                              8000);
    QCOMPARE(p.etiquette("Frequence_Poste")->text(), QStringLiteral("Poste : fréquence inconnue"));
    QVERIFY(p.b.messages.isEmpty());
}

void Tst_Main_Poste::fenetre_poste()
{
    Flrig_Factice flrig;
    Banc_Main b;
    b.station(QStringLiteral("TEST1"), QStringLiteral("2007"), Fichier_De(Log_Poste));
    b.demarre();
    b.action("Mnu_Spots")->trigger();
    auto *spots = Banc_Main::fenetre_ouverte<Spots_DMF>("Spots_DMF");
    QLabel *frequence = spots->findChild<QLabel *>(QStringLiteral("Frequence_Poste"));
    // No radio: nothing of it in the spots window, but its place is kept.
    QVERIFY(!frequence->isVisible());
    auto *table = spots->findChild<QTableView *>(QStringLiteral("Table_Spots"));
    const int haut_table = table->mapTo(spots, QPoint()).y();

    QCOMPARE(b.action("Mnu_Poste")->text(), QStringLiteral("Poste de radio..."));
    b.action("Mnu_Poste")->trigger();
    QWidget *poste = Banc_Main::fenetre_ouverte("Poste");
    QVERIFY(poste);
    QCOMPARE(poste->windowTitle(), QStringLiteral("Poste de radio"));
    auto *type = poste->findChild<QComboBox *>(QStringLiteral("Poste_Type"));
    auto *adresse = poste->findChild<QLineEdit *>(QStringLiteral("Poste_Adresse"));
    auto *port = poste->findChild<QSpinBox *>(QStringLiteral("Poste_Port"));
    auto *essayer = poste->findChild<QPushButton *>(QStringLiteral("Poste_Essayer"));
    QLabel *etat = poste->findChild<QLabel *>(QStringLiteral("Etat_Poste"));
    QStringList types;
    for (int i = 0; i < type->count(); ++i)
        types << type->itemText(i);
    QCOMPARE(types, (QStringList{"Aucun", "Hamlib (rigctld)", "flrig"}));
    QCOMPARE(type->currentText(), QStringLiteral("Aucun"));
    QCOMPARE(adresse->text(), QStringLiteral("127.0.0.1"));
    QCOMPARE(port->value(), 4532);
    QCOMPARE(essayer->text(), QStringLiteral("Essayer"));
    QVERIFY(!essayer->isEnabled());

    // The port follows the type, and each change is kept.
    type->setCurrentIndex(2);
    QCOMPARE(port->value(), 12345);
    QCOMPARE(Reglages_Bruts().value(QStringLiteral("Poste/Type")).toString(), QStringLiteral("flrig"));
    QCOMPARE(Reglages_Bruts().value(QStringLiteral("Poste/Port")).toString(), QStringLiteral("12345"));
    QVERIFY(frequence->isVisible());
    // A double-click aimed at a spot still meets it.
    QCOMPARE(table->mapTo(spots, QPoint()).y(), haut_table);
    type->setCurrentIndex(1);
    QCOMPARE(port->value(), 4532);
    // Until the operator types one.
    const auto tape_port = [&](int valeur) {
        port->setFocus();
        port->selectAll();
        QTest::keyClicks(port, QString::number(valeur));
        QTest::keyClick(port, Qt::Key_Return);
    };
    tape_port(4600);
    type->setCurrentIndex(2);
    QCOMPARE(port->value(), 4600);
    QCOMPARE(Reglages_Bruts().value(QStringLiteral("Poste/Port")).toString(), QStringLiteral("4600"));

    tape_port(flrig.port());
    QTest::mouseClick(essayer, Qt::LeftButton);
    QTRY_COMPARE(etat->text(), QStringLiteral("Le poste répond : 14 070,0 kHz en USB"));
    // The open spots window reaches the radio as it is now set.
    QTRY_COMPARE(frequence->text(), QStringLiteral("Poste : 14 070,0 kHz en USB"));

    const quint16 libre = Port_Libre();
    tape_port(libre);
    QTest::mouseClick(essayer, Qt::LeftButton);
    QTRY_COMPARE(etat->text(), QStringLiteral("Connexion refusée par 127.0.0.1:%1 : flrig est-il lancé ?").arg(libre));
    // The spots window says it too, until the radio answers again.
    QLabel *etat_spots = spots->findChild<QLabel *>(QStringLiteral("Etat_Poste_Spots"));
    QTRY_VERIFY2(etat_spots->text().startsWith(QStringLiteral("Connexion refusée")), qPrintable(etat_spots->text()));
    QCOMPARE(table->mapTo(spots, QPoint()).y(), haut_table);
    tape_port(flrig.port());
    QTRY_COMPARE(frequence->text(), QStringLiteral("Poste : 14 070,0 kHz en USB"));
    QTRY_COMPARE(etat_spots->text(), QString());
    adresse->clear();
    QTest::mouseClick(essayer, Qt::LeftButton);
    QVERIFY(etat->text().startsWith(QStringLiteral("Indiquez l'adresse du poste")));
    // An address left blank is said, and the one kept stays.
    etat->clear();
    adresse->setFocus();
    QTest::keyClicks(adresse, QStringLiteral("  "));
    QTest::keyClick(adresse, Qt::Key_Return);
    QVERIFY(etat->text().startsWith(QStringLiteral("Indiquez l'adresse du poste")));
    QCOMPARE(Radio::Lit_Reglages().adresse, QStringLiteral("127.0.0.1"));

    type->setCurrentIndex(0);
    QVERIFY(!essayer->isEnabled());
    QVERIFY(!frequence->isVisible());
    QCOMPARE(Radio::Lit_Reglages().type, Radio::Type::Aucun);
    QVERIFY(b.messages.isEmpty());

    // Closed with a type chosen and the address still blank: the type and
    // the port are kept, not the address refused.
    type->setCurrentIndex(1);
    port->setValue(4701);
    poste->close();
    QCOMPARE(Radio::Lit_Reglages(), (Radio::Reglages{Radio::Type::Hamlib, QStringLiteral("127.0.0.1"), 4701}));
}

void Tst_Main_Poste::lecture_arretee_fenetre_fermee()
{
    Flrig_Factice flrig;
    Banc_Main b;
    b.station(QStringLiteral("TEST1"), QStringLiteral("2007"), Fichier_De(Log_Poste));
    QVERIFY(Radio::Sauve_Reglages({Radio::Type::Flrig, QStringLiteral("127.0.0.1"), flrig.port()}).ok());
    b.demarre();
    b.action("Mnu_Spots")->trigger();
    auto *spots = Banc_Main::fenetre_ouverte<Spots_DMF>("Spots_DMF");
    // Read once a second while it is open.
    QTRY_VERIFY_WITH_TIMEOUT(flrig.appels.count(QStringLiteral("rig.get_vfo")) >= 3, 6000);
    spots->close();
    const qsizetype lectures = flrig.appels.count(QStringLiteral("rig.get_vfo"));
    QTest::qWait(2 * Spots_DMF::Lecture_Poste_ms + 500);
    QVERIFY(flrig.appels.count(QStringLiteral("rig.get_vfo")) <= lectures + 1);
}

QTEST_MAIN(Tst_Main_Poste)
#include "tst_main_poste.moc"
