#include "Client_Cluster.h"
#include "Noeud_Cluster.h"
#include "Outils_Test.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace Cluster;

namespace {

QDateTime Maintenant() { return QDateTime(QDate(2026, 12, 7), QTime(12, 40), Qt::UTC); }

struct Banc {
    explicit Banc(QList<int> attentes = {5000, 15000, 60000}, int confirmation_ms = 15000)
        : client([this] { return maintenant; }, std::move(attentes), confirmation_ms), etats(&client, &Client::etat)
    {
        QObject::connect(&client, &Client::spots, &client, [this](const QList<Spot> &s) {
            lots.append(s.size());
            spots += s;
        });
    }
    void connecte(const Noeud &noeud) { client.connecte(QStringLiteral("127.0.0.1"), noeud.port(), "F5XYZ"); }
    QString dernier_etat() const { return etats.isEmpty() ? QString() : etats.last().first().toString(); }
    QStringList tous_les_etats() const
    {
        QStringList t;
        for (const auto &e : etats)
            t.append(e.first().toString());
        return t;
    }
    QDateTime maintenant = Maintenant();
    Client client;
    QSignalSpy etats;
    QList<Spot> spots;
    QList<qsizetype> lots;
};

QByteArray Diffusion(int i, const char *dmf = "21001")
{
    return QByteArray("DX de F5XYZ:     7012.0  F") + QByteArray::number(i) + "ABC      DMF " + dmf + " CW        1234Z\r\n";
}

} // namespace

class Tst_Client_Cluster : public QObject {
    Q_OBJECT

private slots:
    void connexion_invite_et_spots();
    void noeud_sans_invite();
    void perte_puis_nouvel_essai();
    void port_refuse();
    void hote_inconnu();
    void ligne_d_un_mega_octet();
    void rafale_de_dix_mille_spots();
    void octets_binaires();
    void reglages_du_groupe_cluster();
    void annonce_diffusee();
    void annonce_refusee_data();
    void annonce_refusee();
    void annonce_sans_confirmation();
    void une_annonce_par_minute();
    void annonce_hors_ligne();
    void fin_de_ligne_jamais_envoyee();
    void premiere_ligne_apres_l_invite();
};

namespace {

// Logged in on a node of the test's own, its prompt answered.
void En_Ligne(Banc &b, Noeud &noeud)
{
    b.connecte(noeud);
    QTRY_VERIFY(b.client.en_ligne());
    noeud.dernier()->write("F5XYZ de F1NODE  7-Dec-2026 1240Z dxspider >\r\n");
    QTRY_COMPARE(noeud.recu.value(0), QByteArray("F5XYZ\r\nsh/dx 30\r\n"));
}

const Annonce Activation{14'285'000, "14285.0", "F5XYZ/P", "DMF 21001 USB"};

} // namespace

void Tst_Client_Cluster::connexion_invite_et_spots()
{
    Noeud noeud;
    Banc b;
    QSignalSpy actif(&b.client, &Client::actif_change);
    b.connecte(noeud);
    QCOMPARE(b.tous_les_etats().value(0), QStringLiteral("Connexion à 127.0.0.1:%1...").arg(noeud.port()));
    QCOMPARE(actif.size(), 1);
    QVERIFY(b.client.actif());

    // The login prompt, without a line end, answered with the callsign.
    QTRY_COMPARE(noeud.recu.value(0), QByteArray("F5XYZ\r\n"));
    QCOMPARE(b.dernier_etat(), QStringLiteral("Connecté à 127.0.0.1:%1 (F5XYZ)").arg(noeud.port()));
    // The node's prompt: then the recent spots are asked for, once.
    noeud.dernier()->write("Hello F5XYZ\r\nF5XYZ de F1NODE  7-Dec-2026 1240Z dxspider >\r\n");
    QTRY_COMPARE(noeud.recu.value(0), QByteArray("F5XYZ\r\nsh/dx 30\r\n"));

    // Both forms, one split across packets, with BEL and colours.
    noeud.dernier()->write("  7012.0  F1ABC/P     07-Dec-2026 1234Z  DMF 21001 CW      <F5XYZ>\r\n");
    const QByteArray coupee = "\x07\x1b[1;32mDX de F6AAA:\x1b[0m     3532.5  F4BBB        dmf-2A001 SSB      1238Z JN18\r\n";
    for (qsizetype i = 0; i < coupee.size(); i += 7) {
        noeud.dernier()->write(coupee.mid(i, 7));
        noeud.dernier()->flush();
        QTest::qWait(1);
    }
    noeud.dernier()->write("DX de F6AAA:     7012.0  F1ZZZ        CQ CQ 21001      1239Z\r\n"
                           "WWV de W0MU <18>:   SFI=150, A=5, K=1\r\n");
    QTRY_COMPARE(b.spots.size(), 2);
    QCOMPARE(b.spots[0].indicatif, QByteArray("F1ABC/P"));
    QCOMPARE(b.spots[0].dmf, QByteArray("21001"));
    QCOMPARE(b.spots[1].indicatif, QByteArray("F4BBB"));
    QCOMPARE(b.spots[1].dmf, QByteArray("2A001"));
    QCOMPARE(b.spots[1].spotteur, QByteArray("F6AAA"));
    // The prompt of a node already logged in does not ask again.
    noeud.dernier()->write("F5XYZ de F1NODE  7-Dec-2026 1241Z dxspider >\r\nlogin: \r\n");
    QTest::qWait(50);
    QCOMPARE(noeud.recu.value(0), QByteArray("F5XYZ\r\nsh/dx 30\r\n"));

    b.client.deconnecte();
    QCOMPARE(b.dernier_etat(), QStringLiteral("Déconnecté"));
    QVERIFY(!b.client.actif());
    QCOMPARE(actif.size(), 2);
    QTRY_VERIFY(!noeud.dernier() || noeud.dernier()->state() == QAbstractSocket::UnconnectedState);
}

void Tst_Client_Cluster::noeud_sans_invite()
{
    Noeud noeud;
    noeud.accueil.clear();
    Banc b;
    b.connecte(noeud);
    QTRY_COMPARE_WITH_TIMEOUT(noeud.recu.value(0), QByteArray("F5XYZ\r\n"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(noeud.recu.value(0), QByteArray("F5XYZ\r\nsh/dx 30\r\n"), 10000);
}

void Tst_Client_Cluster::perte_puis_nouvel_essai()
{
    Noeud noeud;
    Banc b({150, 300, 600});
    b.connecte(noeud);
    QTRY_COMPARE(noeud.recu.value(0), QByteArray("F5XYZ\r\n"));
    noeud.dernier()->disconnectFromHost();
    QTRY_COMPARE(b.dernier_etat(), QStringLiteral("Connexion perdue avec 127.0.0.1:%1, nouvel essai dans 1 s").arg(noeud.port()));
    QVERIFY(b.client.actif());
    // The node comes back: a new connection logs in again.
    QTRY_COMPARE(noeud.clients.size(), 2);
    QTRY_COMPARE(noeud.recu.value(1), QByteArray("F5XYZ\r\n"));

    // While the node is gone, the waits grow.
    const quint16 port = noeud.port();
    noeud.serveur.close();
    noeud.dernier()->disconnectFromHost();
    QTRY_VERIFY(b.tous_les_etats().filter(QStringLiteral("Connexion refusée")).size() >= 2);
    QElapsedTimer t;
    t.start();
    const qsizetype avant = b.etats.size();
    QTRY_VERIFY(b.etats.size() >= avant + 4);
    QVERIFY2(t.elapsed() >= 550, "the longest wait was not kept");
    QVERIFY(b.tous_les_etats().contains(QStringLiteral("Connexion à 127.0.0.1:%1...").arg(port)));

    // Disconnecting stops the tries.
    b.client.deconnecte();
    const qsizetype fin = b.etats.size();
    QTest::qWait(800);
    QCOMPARE(b.etats.size(), fin);
}

void Tst_Client_Cluster::port_refuse()
{
    quint16 port = 0;
    {
        QTcpServer libre;
        QVERIFY(libre.listen(QHostAddress::LocalHost));
        port = libre.serverPort();
    }
    Banc b({5000});
    b.client.connecte(QStringLiteral("127.0.0.1"), port, "F5XYZ");
    QTRY_COMPARE(b.dernier_etat(), QStringLiteral("Connexion refusée par 127.0.0.1:%1, nouvel essai dans 5 s").arg(port));
    QVERIFY(b.client.actif());
    b.client.deconnecte();
}

void Tst_Client_Cluster::hote_inconnu()
{
    Banc b({60000});
    // A name no resolver is asked about: it cannot be written in the DNS.
    b.client.connecte(QStringLiteral("noeud..invalide"), 7300, "F5XYZ");
    QTRY_COMPARE(b.dernier_etat(), QStringLiteral("Hôte inconnu : noeud..invalide, nouvel essai dans 60 s"));
    b.client.deconnecte();
}

void Tst_Client_Cluster::ligne_d_un_mega_octet()
{
    Noeud noeud;
    noeud.accueil.clear();
    Banc b;
    b.connecte(noeud);
    QTRY_VERIFY(noeud.dernier());
    // A spot drowned in a 1 MB line is dropped whole, and the next line still counts.
    QByteArray enorme = "DX de F5XYZ:  7012.0  F1BIG  DMF 21009 " + QByteArray(1 << 20, 'x') + " 1234Z";
    noeud.dernier()->write(enorme);
    noeud.dernier()->write("\r\n" + Diffusion(1));
    // Exactly at the limit is still a line.
    QByteArray limite = "DX de F5XYZ:  7012.0  F1LIM  DMF 21008 ";
    limite += QByteArray(Ligne_Maximum - limite.size() - 6, 'y') + " 1234Z";
    QCOMPARE(limite.size(), Ligne_Maximum);
    noeud.dernier()->write(limite + "\r\n");
    QTRY_COMPARE(b.spots.size(), 2);
    QCOMPARE(b.spots[0].indicatif, QByteArray("F1ABC"));
    QCOMPARE(b.spots[1].indicatif, QByteArray("F1LIM"));
    b.client.deconnecte();
}

void Tst_Client_Cluster::rafale_de_dix_mille_spots()
{
    Noeud noeud;
    noeud.accueil.clear();
    Banc b;
    b.connecte(noeud);
    QTRY_VERIFY(noeud.dernier());
    QByteArray rafale;
    for (int i = 0; i < 10000; ++i)
        rafale += Diffusion(i, i % 2 ? "21001" : "2B123");
    noeud.dernier()->write(rafale);

    // The event loop turns between the pieces: a timer of its own ticks between them.
    int tours = 0;
    QTimer horloge;
    QObject::connect(&horloge, &QTimer::timeout, [&] { ++tours; });
    horloge.start(0);
    QList<int> tours_des_lots;
    QObject::connect(&b.client, &Client::spots, [&] { tours_des_lots.append(tours); });
    QTRY_COMPARE_WITH_TIMEOUT(b.spots.size(), 10000, 30000);
    // Bounded pieces: none holds more lines than one piece of bytes can.
    const qsizetype par_lot = Client::Octets_Par_Tour / Diffusion(0).size() + 1;
    for (qsizetype n : b.lots)
        QVERIFY2(n <= par_lot, qPrintable(QString::number(n)));
    // Other work ran while the flood was read (Windows groups socket reads
    // more than Linux does, so only "some" is asked).
    QVERIFY2(tours_des_lots.last() > tours_des_lots.first(),
             qPrintable(QStringLiteral("%1 tours pour %2 lots").arg(tours_des_lots.last() - tours_des_lots.first()).arg(b.lots.size())));
    QCOMPARE(b.spots.last().indicatif, QByteArray("F9999ABC"));
    b.client.deconnecte();
}

void Tst_Client_Cluster::octets_binaires()
{
    Noeud noeud;
    Banc b;
    b.connecte(noeud);
    QTRY_COMPARE(noeud.recu.value(0), QByteArray("F5XYZ\r\n"));
    QRandomGenerator alea(1729);
    QByteArray dechets(200000, '\0');
    for (char &c : dechets)
        c = char(alea.bounded(256));
    noeud.dernier()->write(dechets);
    noeud.dernier()->write("\r\n" + Diffusion(7));
    QTRY_VERIFY(!b.spots.isEmpty() && b.spots.last().indicatif == "F7ABC");
    for (const Spot &s : b.spots) {
        QCOMPARE(s.dmf.size(), 5);
        for (char c : s.indicatif + s.commentaire)
            QVERIFY(uchar(c) >= 0x20 && c != 0x7F);
    }
    QCOMPARE(b.client.actif(), true);
    b.client.deconnecte();
}

void Tst_Client_Cluster::reglages_du_groupe_cluster()
{
    Dossier_Test dossier;
    Isole_Reglages(dossier.chemin());
    Reglages r = Lit_Reglages(QStringLiteral("F5ABC"));
    QCOMPARE(r.adresse, QString());
    QCOMPARE(r.port, 7300);
    QCOMPARE(r.indicatif, QStringLiteral("F5ABC"));
    QVERIFY(!r.demarrage);
    r = {QStringLiteral("dxc.example.org"), 8000, QStringLiteral("F5ABC-2"), true};
    QVERIFY(Sauve_Reglages(r).ok());
    QSettings s = Reglages_Bruts();
    QCOMPARE(s.value(QStringLiteral("Cluster/Adresse")).toString(), QStringLiteral("dxc.example.org"));
    QCOMPARE(s.value(QStringLiteral("Cluster/Connexion_Demarrage")).toString(), QStringLiteral("Oui"));
    const Reglages relu = Lit_Reglages(QStringLiteral("AUTRE"));
    QCOMPARE(relu.port, 8000);
    QCOMPARE(relu.indicatif, QStringLiteral("F5ABC-2"));
    QVERIFY(relu.demarrage);
    // A port no one could have typed falls back to the usual one.
    s.setValue(QStringLiteral("Cluster/Port"), QStringLiteral("99999"));
    s.sync();
    QCOMPARE(Lit_Reglages(QString()).port, 7300);
}

void Tst_Client_Cluster::annonce_diffusee()
{
    Noeud noeud;
    Banc b;
    QSignalSpy en_ligne(&b.client, &Client::en_ligne_change);
    En_Ligne(b, noeud);
    QCOMPARE(en_ligne.size(), 1);
    QVERIFY(b.client.annonce(Activation).ok());
    QTRY_COMPARE(noeud.recu.value(0), QByteArray("F5XYZ\r\nsh/dx 30\r\nDX 14285.0 F5XYZ/P DMF 21001 USB\r\n"));
    QCOMPARE(b.dernier_etat(), QStringLiteral("Annonce envoyée à 127.0.0.1:%1, en attente de sa diffusion...").arg(noeud.port()));
    // Another station's spot, another frequency of ours, the echo of the command: no confirmation.
    noeud.dernier()->write("DX de F6AAA:     14285.0  F5XYZ/P      DMF 21001 USB                  1241Z\r\n"
                           "DX de F5XYZ:     14290.0  F5XYZ/P      DMF 21001 USB                  1241Z\r\n"
                           "DX 14285.0 F5XYZ/P DMF 21001 USB\r\n");
    QTest::qWait(100);
    QVERIFY(b.dernier_etat().startsWith(QStringLiteral("Annonce envoyée")));
    // The node's broadcast of it, in its colours.
    noeud.dernier()->write("\x07\x1b[1mDX de F5XYZ:\x1b[0m     14285.0  F5XYZ/P      DMF 21001 USB                  1241Z JN18\r\n");
    QTRY_COMPARE(b.dernier_etat(), QStringLiteral("Annonce diffusée"));
    // A mill spotted, it is a spot as any other.
    QTRY_COMPARE(b.spots.size(), 3);
    b.client.deconnecte();
    QCOMPARE(en_ligne.size(), 2);
    QVERIFY(!en_ligne.last().first().toBool());
}

void Tst_Client_Cluster::annonce_refusee_data()
{
    QTest::addColumn<QByteArray>("reponse");
    QTest::addColumn<QString>("raison");
    QTest::newRow("doublon") << QByteArray("Sorry, this is a duplicate\r\n") << "doublon : ce spot vient d'être annoncé";
    QTest::newRow("non enregistré") << QByteArray("\x1b[31mSorry, you need to be registered\x1b[0m\r\n")
                                    << "il faut être enregistré auprès du nœud pour annoncer";
}

void Tst_Client_Cluster::annonce_refusee()
{
    QFETCH(QByteArray, reponse);
    QFETCH(QString, raison);
    Noeud noeud;
    Banc b;
    En_Ligne(b, noeud);
    QVERIFY(b.client.annonce(Activation).ok());
    QTRY_VERIFY(noeud.recu.value(0).endsWith("DX 14285.0 F5XYZ/P DMF 21001 USB\r\n"));
    noeud.dernier()->write(reponse + "F5XYZ de F1NODE  7-Dec-2026 1241Z dxspider >\r\n");
    QTRY_VERIFY2(b.dernier_etat().startsWith(QStringLiteral("Annonce refusée par le nœud (%1) : « ").arg(raison)),
                 qPrintable(b.dernier_etat()));
    // In the node's own words.
    QVERIFY(b.dernier_etat().contains(QString::fromLatin1(Nettoie_Ligne(reponse).trimmed())));
    // The refusal ends the wait: nothing more is said of it.
    noeud.dernier()->write("DX de F5XYZ:     14285.0  F5XYZ/P      DMF 21001 USB                  1241Z\r\n");
    QTest::qWait(100);
    QVERIFY(b.dernier_etat().startsWith(QStringLiteral("Annonce refusée")));
    b.client.deconnecte();
}

void Tst_Client_Cluster::annonce_sans_confirmation()
{
    Noeud noeud;
    Banc b({5000}, 300);
    En_Ligne(b, noeud);
    QVERIFY(b.client.annonce(Activation).ok());
    QTRY_COMPARE(b.dernier_etat(), QStringLiteral("Pas de confirmation du nœud"));
    b.client.deconnecte();
}

void Tst_Client_Cluster::une_annonce_par_minute()
{
    Noeud noeud;
    Banc b;
    En_Ligne(b, noeud);
    QVERIFY(b.client.annonce(Activation).ok());
    b.maintenant = b.maintenant.addSecs(45);
    const auto refus = b.client.annonce(Activation);
    QVERIFY(!refus.ok());
    QCOMPARE(refus.erreur(), QStringLiteral("Une annonce par minute au plus : attendez encore 15 s."));
    b.maintenant = b.maintenant.addMSecs(14'500);
    QCOMPARE(b.client.annonce(Activation).erreur(), QStringLiteral("Une annonce par minute au plus : attendez encore 1 s."));
    b.maintenant = b.maintenant.addMSecs(500);
    QVERIFY(b.client.annonce(Activation).ok());
    QTRY_COMPARE(noeud.recu.value(0).count("DX 14285.0"), 2);
    b.client.deconnecte();
}

void Tst_Client_Cluster::annonce_hors_ligne()
{
    Banc b;
    QCOMPARE(b.client.annonce(Activation).erreur(), QStringLiteral("Pas de connexion au nœud : l'annonce n'est pas envoyée."));
    // Connected, but the login not answered yet.
    Noeud noeud;
    noeud.accueil.clear();
    b.connecte(noeud);
    QTRY_VERIFY(noeud.dernier());
    QVERIFY(!b.client.en_ligne());
    QVERIFY(!b.client.annonce(Activation).ok());
    QTest::qWait(50);
    QVERIFY(noeud.recu.value(0).isEmpty());
    b.client.deconnecte();
}

void Tst_Client_Cluster::fin_de_ligne_jamais_envoyee()
{
    Noeud noeud;
    Banc b;
    En_Ligne(b, noeud);
    Annonce a = Activation;
    a.commentaire = "DMF 21001\r\nSET/NAME Pirate";
    QCOMPARE(b.client.annonce(a).erreur(), QStringLiteral("L'annonce contient un caractère qui ne peut pas être envoyé au nœud."));
    QTest::qWait(50);
    QCOMPARE(noeud.recu.value(0), QByteArray("F5XYZ\r\nsh/dx 30\r\n"));
    // Refused, it did not count as the minute's one.
    QVERIFY(b.client.annonce(Activation).ok());
    b.client.deconnecte();
}

// A node that does not echo what answers its prompts: its next line follows
// the prompt on the same line, and is read whole.
void Tst_Client_Cluster::premiere_ligne_apres_l_invite()
{
    Noeud noeud;
    Banc b;
    b.connecte(noeud);
    QTRY_COMPARE(noeud.recu.value(0), QByteArray("F5XYZ\r\n"));
    noeud.dernier()->write("DX de F6AAA:     7012.0  F1AAA        DMF 21001 CW      1239Z\r\n"
                           "F5XYZ de F1NODE  7-Dec-2026 1240Z dxspider >");
    QTRY_COMPARE(noeud.recu.value(0), QByteArray("F5XYZ\r\nsh/dx 30\r\n"));
    noeud.dernier()->write("DX de F6AAA:     7013.0  F1BBB        DMF 21002 CW      1240Z\r\n");
    QTRY_COMPARE(b.spots.size(), 2);
    QCOMPARE(b.spots[0].indicatif, QByteArray("F1AAA"));
    QCOMPARE(b.spots[1].indicatif, QByteArray("F1BBB"));
}

QTEST_GUILESS_MAIN(Tst_Client_Cluster)
#include "tst_client_cluster.moc"
