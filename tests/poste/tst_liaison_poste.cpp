#include "Liaison_Poste.h"
#include "Poste_Test.h"

#include <QSignalSpy>
#include <QTest>

using namespace Radio;

namespace {

// A connection and what it told, each signal as a line.
struct Banc {
    explicit Banc(Type type, quint16 port)
    {
        liaison.configure({type, QStringLiteral("127.0.0.1"), port});
        QObject::connect(&liaison, &Liaison::lecture, [this](const Lecture &l) {
            lectures.append(l);
            dits.append(QStringLiteral("lu ") + Texte_Lecture(l));
        });
        QObject::connect(&liaison, &Liaison::lecture_impossible, [this](const QString &r) { dits.append(r); });
        QObject::connect(&liaison, &Liaison::reglage, [this](const QString &t) { dits.append(t); });
        QObject::connect(&liaison, &Liaison::reglage_impossible, [this](const QString &r) { dits.append(r); });
    }
    QString dernier() const { return dits.isEmpty() ? QString() : dits.last(); }
    Liaison liaison;
    QStringList dits;
    QList<Lecture> lectures;
};

} // namespace

Q_DECLARE_METATYPE(Radio::Type)

class Tst_Liaison_Poste : public QObject {
    Q_OBJECT

private slots:
    void rigctld_lu_et_regle();
    void rigctld_arrete_en_route();
    void hamlib_refuse_un_reglage();
    void flrig_lu_et_regle();
    void flrig_faute_et_mode_absent();
    void port_refuse_data();
    void port_refuse();
    void pair_muet_data();
    void pair_muet();
    void reponses_partielles_et_dechets_data();
    void reponses_partielles_et_dechets();
    void reglage_apres_la_lecture_en_cours();
    void aucun_poste_ne_se_connecte();
};

void Tst_Liaison_Poste::rigctld_lu_et_regle()
{
    RIGCTLD_OU_SAUTE(rigctld);
    Banc b(Type::Hamlib, rigctld.port());
    QVERIFY(b.liaison.lit());
    QVERIFY(!b.liaison.lit()); // one reading at a time
    QTRY_COMPARE(b.lectures.size(), 1);
    // What the program reads is what the daemon says on its own connection.
    QCOMPARE(QString::number(b.lectures[0].hertz), rigctld.demande("f", 1).value(0));
    QCOMPARE(b.lectures[0].mode, rigctld.demande("m", 2).value(0));

    b.liaison.regle(14'285'000, Mode::USB);
    QTRY_COMPARE(b.dernier(), QStringLiteral("Poste réglé sur 14 285,0 kHz en USB"));
    QCOMPARE(rigctld.demande("f", 1), QStringList{"14285000"});
    QCOMPARE(rigctld.demande("m", 2).value(0), QStringLiteral("USB"));

    b.liaison.regle(14'074'000, Mode::Donnees);
    QTRY_COMPARE(b.dernier(), QStringLiteral("Poste réglé sur 14 074,0 kHz en PKTUSB"));
    QCOMPARE(rigctld.demande("m", 2).value(0), QStringLiteral("PKTUSB"));

    // No mode named: the mode stays.
    b.liaison.regle(7'012'300, std::nullopt);
    QTRY_COMPARE(b.dernier(), QStringLiteral("Poste réglé sur 7 012,3 kHz"));
    QCOMPARE(rigctld.demande("f", 1), QStringList{"7012300"});
    QCOMPARE(rigctld.demande("m", 2).value(0), QStringLiteral("PKTUSB"));

    QVERIFY(b.liaison.lit());
    QTRY_COMPARE(b.dernier(), QStringLiteral("lu 7 012,3 kHz en PKTUSB"));
}

void Tst_Liaison_Poste::rigctld_arrete_en_route()
{
    RIGCTLD_OU_SAUTE(rigctld);
    Banc b(Type::Hamlib, rigctld.port());
    QVERIFY(b.liaison.lit());
    QTRY_COMPARE(b.lectures.size(), 1);
    // The daemon goes while the connection is kept: the next reading says so.
    rigctld.arrete();
    QVERIFY(b.liaison.lit());
    QTRY_COMPARE(b.dits.size(), 2);
    QVERIFY2(b.dernier().startsWith(QStringLiteral("Connexion refusée par 127.0.0.1:%1 : Hamlib (rigctld) est-il lancé ?")
                                        .arg(rigctld.port()))
                 || b.dernier().contains(QStringLiteral("a coupé la liaison")),
             qPrintable(b.dernier()));
}

void Tst_Liaison_Poste::hamlib_refuse_un_reglage()
{
    // A daemon of the test's own: the frequency taken, the mode refused.
    Pair_Scripte hamlib([](const QByteArray &recu) -> QByteArray {
        if (!recu.endsWith('\n'))
            return {};
        return recu.endsWith("-1\n") ? "RPRT -11\n" : "RPRT 0\n";
    });
    Banc b(Type::Hamlib, hamlib.port());
    b.liaison.regle(7'012'000, Mode::CW);
    QTRY_COMPARE(b.dits.size(), 1);
    QCOMPARE(b.dernier(), QStringLiteral("Hamlib (rigctld) refuse le réglage du mode : RPRT -11, fonction que ce poste n'offre pas"));
    // The exact commands, one connection for both.
    QCOMPARE(hamlib.recu, QList<QByteArray>{"F 7012000\nM CW -1\n"});
}

void Tst_Liaison_Poste::flrig_lu_et_regle()
{
    Flrig_Factice flrig({"LSB", "USB", "CW-U", "FM", "AM", "RTTY-L", "DATA-U"});
    Banc b(Type::Flrig, flrig.port());
    QVERIFY(b.liaison.lit());
    QTRY_COMPARE(b.dernier(), QStringLiteral("lu 14 070,0 kHz en USB"));

    b.liaison.regle(14'074'000, Mode::Donnees);
    QTRY_COMPARE(b.dernier(), QStringLiteral("Poste réglé sur 14 074,0 kHz en DATA-U"));
    QCOMPARE(flrig.appels.mid(2), (QStringList{"rig.get_modes", "rig.set_frequency <double>14074000.0</double>",
                                               "rig.set_mode <string>DATA-U</string>"}));
    QCOMPARE(flrig.frequence, QByteArray("14074000"));
    QCOMPARE(flrig.mode, QStringLiteral("DATA-U"));

    // The radio's modes are asked once.
    b.liaison.regle(7'012'000, Mode::CW);
    QTRY_COMPARE(b.dernier(), QStringLiteral("Poste réglé sur 7 012,0 kHz en CW-U"));
    QCOMPARE(flrig.appels.filter(QStringLiteral("rig.get_modes")).size(), 1);
    QVERIFY(b.liaison.lit());
    QTRY_COMPARE(b.dernier(), QStringLiteral("lu 7 012,0 kHz en CW-U"));
    // One connection per call, each closed by flrig.
    QCOMPARE(flrig.pair.recu.size(), flrig.appels.size());
}

void Tst_Liaison_Poste::flrig_faute_et_mode_absent()
{
    Flrig_Factice flrig({"LSB", "USB", "CW"});
    Banc b(Type::Flrig, flrig.port());
    // A radio without a data mode: the frequency is set, the mode left.
    b.liaison.regle(14'074'000, Mode::Donnees);
    QTRY_COMPARE(b.dits.size(), 1);
    QCOMPARE(b.dernier(), QStringLiteral("Poste réglé sur 14 074,0 kHz ; mode laissé tel quel : flrig n'offre pas le mode "
                                         "données (USB) pour ce poste"));
    QVERIFY(flrig.appels.filter(QStringLiteral("rig.set_mode")).isEmpty());
    QCOMPARE(flrig.frequence, QByteArray("14074000"));

    flrig.faute_set_mode = "rig not ready";
    b.liaison.regle(7'012'000, Mode::CW);
    QTRY_COMPARE(b.dits.size(), 2);
    QCOMPARE(b.dernier(), QStringLiteral("flrig refuse le réglage du mode : « rig not ready »"));
}

void Tst_Liaison_Poste::port_refuse_data()
{
    QTest::addColumn<Radio::Type>("type");
    QTest::addColumn<QString>("nom");
    QTest::newRow("Hamlib") << Type::Hamlib << "Hamlib (rigctld)";
    QTest::newRow("flrig") << Type::Flrig << "flrig";
}

void Tst_Liaison_Poste::port_refuse()
{
    QFETCH(Radio::Type, type);
    QFETCH(QString, nom);
    const quint16 port = Port_Libre();
    Banc b(type, port);
    QVERIFY(b.liaison.lit());
    QTRY_COMPARE(b.dits.size(), 1);
    QCOMPARE(b.dernier(), QStringLiteral("Connexion refusée par 127.0.0.1:%1 : %2 est-il lancé ?").arg(port).arg(nom));
    QVERIFY(!b.liaison.occupee());
}

void Tst_Liaison_Poste::pair_muet_data() { port_refuse_data(); }

void Tst_Liaison_Poste::pair_muet()
{
    QFETCH(Radio::Type, type);
    QFETCH(QString, nom);
    // It accepts, and never says a word.
    Pair_Scripte muet([](const QByteArray &) { return QByteArray(); });
    Banc b(type, muet.port());
    int tours = 0;
    QTimer horloge;
    QObject::connect(&horloge, &QTimer::timeout, [&] { ++tours; });
    horloge.start(10);
    b.liaison.regle(14'285'000, Mode::USB);
    QTRY_COMPARE_WITH_TIMEOUT(b.dits.size(), 1, 5000);
    QCOMPARE(b.dernier(), QStringLiteral("Pas de réponse de %1 à 127.0.0.1:%2 en 2 s pour %3")
                              .arg(nom)
                              .arg(muet.port())
                              .arg(type == Type::Hamlib ? QStringLiteral("le réglage de la fréquence")
                                                        : QStringLiteral("la lecture des modes du poste")));
    // The wait was the event loop's, not a blocked thread's.
    QVERIFY2(tours > 20, qPrintable(QString::number(tours)));
    QVERIFY(!b.liaison.occupee());
}

void Tst_Liaison_Poste::reponses_partielles_et_dechets_data()
{
    QTest::addColumn<Radio::Type>("type");
    QTest::addColumn<QByteArray>("reponse");
    QTest::addColumn<bool>("ferme");
    QTest::addColumn<QString>("dit"); // its start; %1 the port
    QTest::newRow("Hamlib, ligne commencée") << Type::Hamlib << QByteArray("1428") << false
                                              << "Réponse incomplète de Hamlib (rigctld) à 127.0.0.1:%1 : rien de plus en 2 s "
                                                 "pour la lecture de la fréquence";
    QTest::newRow("Hamlib, coupée") << Type::Hamlib << QByteArray("1428") << true
                                     << "Hamlib (rigctld) à 127.0.0.1:%1 a coupé la liaison au milieu de sa réponse à la lecture "
                                        "de la fréquence";
    QTest::newRow("Hamlib, octets quelconques")
        << Type::Hamlib << QByteArray("\x16\x03\x01\x02\x00\xfe\r\n", 8) << false
        << "Réponse illisible de Hamlib (rigctld) à 127.0.0.1:%1 pour la lecture de la fréquence : fréquence « ???";
    QTest::newRow("Hamlib, mode en trop") << Type::Hamlib << QByteArray("USB\n2400\n") << false
                                           << "Réponse illisible de Hamlib (rigctld) à 127.0.0.1:%1 pour la lecture de la "
                                              "fréquence : fréquence « USB »";
    QTest::newRow("Hamlib, fermée sans rien") << Type::Hamlib << QByteArray() << true
                                               << "Hamlib (rigctld) à 127.0.0.1:%1 a coupé la liaison sans répondre";
    QTest::newRow("flrig, HTTP coupé") << Type::Flrig << QByteArray("HTTP/1.1 200 OK\r\nContent-length: 90\r\n\r\n<?xml")
                                        << false << "Réponse incomplète de flrig à 127.0.0.1:%1 : rien de plus en 2 s";
    QTest::newRow("flrig, HTTP coupé et fermé") << Type::Flrig
                                                 << QByteArray("HTTP/1.1 200 OK\r\nContent-length: 90\r\n\r\n<?xml") << true
                                                 << "Réponse illisible de flrig à 127.0.0.1:%1 pour la lecture de la fréquence "
                                                    ": réponse coupée après 5 octets sur 90";
    QTest::newRow("flrig, Hamlib au bout") << Type::Flrig << QByteArray("RPRT -1\n") << true
                                            << "Réponse illisible de flrig à 127.0.0.1:%1 pour la lecture de la fréquence : "
                                               "réponse coupée : « RPRT -1 »";
    QTest::newRow("flrig, erreur HTTP") << Type::Flrig << QByteArray("HTTP/1.1 500 Internal Server Error\r\n\r\n") << true
                                         << "flrig refuse la lecture de la fréquence : HTTP 500 Internal Server Error";
    QTest::newRow("flrig, fréquence illisible") << Type::Flrig << Reponse_XMLRPC("<string>beaucoup</string>") << true
                                                 << "Réponse illisible de flrig à 127.0.0.1:%1 pour la lecture de la fréquence "
                                                    ": fréquence « beaucoup »";
}

void Tst_Liaison_Poste::reponses_partielles_et_dechets()
{
    QFETCH(Radio::Type, type);
    QFETCH(QByteArray, reponse);
    QFETCH(bool, ferme);
    QFETCH(QString, dit);
    Pair_Scripte pair([reponse, ferme](const QByteArray &) { return reponse.isEmpty() && ferme ? QByteArray() : reponse; }, ferme);
    if (reponse.isEmpty() && ferme)
        QObject::connect(&pair.serveur, &QTcpServer::newConnection, &pair, [&pair] {
            QTimer::singleShot(50, &pair, [&pair] { pair.clients.last()->disconnectFromHost(); });
        });
    Banc b(type, pair.port());
    QVERIFY(b.liaison.lit());
    QTRY_COMPARE_WITH_TIMEOUT(b.dits.size(), 1, 5000);
    const QString attendu = dit.contains(QLatin1String("%1")) ? dit.arg(pair.port()) : dit;
    QVERIFY2(b.dernier().startsWith(attendu), qPrintable(b.dernier()));
    // The next reading starts over on a connection of its own.
    QVERIFY(b.liaison.lit());
    QTRY_COMPARE_WITH_TIMEOUT(b.dits.size(), 2, 5000);
    QTRY_VERIFY(pair.clients.size() >= 2);
}

void Tst_Liaison_Poste::reglage_apres_la_lecture_en_cours()
{
    Flrig_Factice flrig;
    Banc b(Type::Flrig, flrig.port());
    // Picked while the window reads: the tuning waits its turn, and the
    // second pick takes the first's place.
    QVERIFY(b.liaison.lit());
    b.liaison.regle(7'012'000, Mode::CW);
    b.liaison.regle(14'285'000, Mode::USB);
    QTRY_COMPARE(b.dits.size(), 2);
    QCOMPARE(b.dits, (QStringList{"lu 14 070,0 kHz en USB", "Poste réglé sur 14 285,0 kHz en USB"}));
    QCOMPARE(flrig.frequence, QByteArray("14285000"));
    QVERIFY(flrig.appels.filter(QStringLiteral("7012000")).isEmpty());
}

void Tst_Liaison_Poste::aucun_poste_ne_se_connecte()
{
    Pair_Scripte pair([](const QByteArray &) { return QByteArray("RPRT 0\n"); });
    Banc b(Type::Aucun, pair.port());
    QVERIFY(!b.liaison.lit());
    b.liaison.regle(14'285'000, Mode::USB);
    QTest::qWait(100);
    QVERIFY(pair.clients.isEmpty());
    QVERIFY(b.dits.isEmpty());
}

QTEST_GUILESS_MAIN(Tst_Liaison_Poste)
#include "tst_liaison_poste.moc"
