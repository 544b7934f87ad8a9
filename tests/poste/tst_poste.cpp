#include "Outils_Test.h"
#include "Poste_Test.h"
#include "Protocoles_Poste.h"
#include "Reglage_Poste.h"

#include <QTest>

using namespace Radio;

Q_DECLARE_METATYPE(std::optional<Radio::Mode>)
Q_DECLARE_METATYPE(Radio::Mode)

namespace {

// `attendu`: the values joined by "|", or the start of the reason.
void Verifie(const Reponse &r, int etat, const QString &attendu)
{
    QCOMPARE(int(r.etat), etat);
    if (etat == Reponse::Complete)
        QCOMPARE(r.valeurs.join(u'|'), attendu);
    else if (etat == Reponse::Incomplete)
        QVERIFY2(r.raison.isEmpty() && r.valeurs.isEmpty(), qPrintable(r.raison));
    else
        QVERIFY2(r.raison.startsWith(attendu), qPrintable(r.raison));
}

} // namespace

class Tst_Poste : public QObject {
    Q_OBJECT

private slots:
    void mode_du_commentaire_data();
    void mode_du_commentaire();
    void mode_d_une_annonce_data();
    void mode_d_une_annonce();
    void mode_du_poste_sous_flrig_data();
    void mode_du_poste_sous_flrig();
    void reglages_du_groupe_poste();
    void adresse_du_poste_data();
    void adresse_du_poste();
    void reponses_de_hamlib_data();
    void reponses_de_hamlib();
    void reponses_xmlrpc_data();
    void reponses_xmlrpc();
    void requete_xmlrpc_entiere();
    void reponse_xmlrpc_en_morceaux_data();
    void reponse_xmlrpc_en_morceaux();
};

void Tst_Poste::mode_du_commentaire_data()
{
    QTest::addColumn<QByteArray>("commentaire");
    QTest::addColumn<qint64>("hertz");
    QTest::addColumn<std::optional<Radio::Mode>>("mode");
    const std::optional<Mode> aucun;
    QTest::newRow("CW") << QByteArray("DMF 21001 CW") << qint64(7'012'000) << std::optional<Mode>(Mode::CW);
    QTest::newRow("SSB sur 20 m") << QByteArray("dmf-21001 ssb") << qint64(14'285'000) << std::optional<Mode>(Mode::USB);
    QTest::newRow("SSB sur 40 m") << QByteArray("DMF 21001 SSB") << qint64(7'100'000) << std::optional<Mode>(Mode::LSB);
    QTest::newRow("SSB à 10 MHz") << QByteArray("SSB") << qint64(10'000'000) << std::optional<Mode>(Mode::USB);
    QTest::newRow("SSB juste sous 10 MHz") << QByteArray("SSB") << qint64(9'999'999) << std::optional<Mode>(Mode::LSB);
    QTest::newRow("USB nommée") << QByteArray("DMF 21001 USB") << qint64(7'100'000) << std::optional<Mode>(Mode::USB);
    QTest::newRow("FM") << QByteArray("DMF 21001 FM") << qint64(145'500'000) << std::optional<Mode>(Mode::FM);
    QTest::newRow("AM") << QByteArray("DMF 21001 AM") << qint64(3'700'000) << std::optional<Mode>(Mode::AM);
    QTest::newRow("RTTY") << QByteArray("RTTY DMF 21001") << qint64(14'085'000) << std::optional<Mode>(Mode::RTTY);
    QTest::newRow("FT8") << QByteArray("FT8 DMF 21001") << qint64(14'074'000) << std::optional<Mode>(Mode::Donnees);
    QTest::newRow("FT4") << QByteArray("DMF21001/FT4") << qint64(14'080'000) << std::optional<Mode>(Mode::Donnees);
    QTest::newRow("PSK31") << QByteArray("DMF 21001 PSK31") << qint64(14'070'000) << std::optional<Mode>(Mode::Donnees);
    QTest::newRow("le premier nommé") << QByteArray("DMF 21001 CW puis SSB") << qint64(7'012'000) << std::optional<Mode>(Mode::CW);
    QTest::newRow("aucun mode") << QByteArray("DMF 21001 QRV 20 min") << qint64(7'012'000) << aucun;
    QTest::newRow("CW dans un mot") << QByteArray("DMF 21001 CWOPS FMT") << qint64(7'012'000) << aucun;
    QTest::newRow("vide") << QByteArray() << qint64(7'012'000) << aucun;
}

void Tst_Poste::mode_du_commentaire()
{
    QFETCH(QByteArray, commentaire);
    QFETCH(qint64, hertz);
    QFETCH(std::optional<Radio::Mode>, mode);
    QCOMPARE(Mode_Du_Commentaire(commentaire, hertz), mode);
}

void Tst_Poste::mode_d_une_annonce_data()
{
    QTest::addColumn<QByteArray>("commentaire"); // of the spot chosen, if any
    QTest::addColumn<QString>("poste");          // the radio's mode name, if read
    QTest::addColumn<QString>("propose");
    QTest::newRow("FT8 du spot, poste en PKTUSB") << QByteArray("DMF 21005 FT8") << "PKTUSB" << "FT8";
    QTest::newRow("FT4 du spot, poste en USB-D") << QByteArray("ft4 dmf 21005") << "USB-D" << "FT4";
    QTest::newRow("SSB du spot") << QByteArray("DMF 21005 SSB 59") << "USB" << "SSB";
    QTest::newRow("CW du spot") << QByteArray("DMF 21005 CW") << "" << "CW";
    QTest::newRow("PSK31 du spot") << QByteArray("PSK31 DMF 21005") << "DATA-U" << "PSK31";
    QTest::newRow("poste en PKTUSB, spot muet") << QByteArray("DMF 21005") << "PKTUSB" << "";
    QTest::newRow("poste en DATA-U, sans spot") << QByteArray() << "DATA-U" << "";
    QTest::newRow("poste en USB") << QByteArray() << "USB" << "USB";
    QTest::newRow("poste en CW-R") << QByteArray() << "CW-R" << "CW";
    QTest::newRow("poste en RTTY-L") << QByteArray() << "RTTY-L" << "RTTY";
    QTest::newRow("poste en fm minuscules") << QByteArray() << "fm" << "FM";
    QTest::newRow("rien de lu") << QByteArray() << "" << "";
}

// What an announcement proposes is what cluster users read as a mode, never
// the radio's name of its data setting.
void Tst_Poste::mode_d_une_annonce()
{
    QFETCH(QByteArray, commentaire);
    QFETCH(QString, poste);
    QFETCH(QString, propose);
    QCOMPARE(Mode_Annonce(commentaire, poste), propose);
}

void Tst_Poste::mode_du_poste_sous_flrig_data()
{
    QTest::addColumn<Radio::Mode>("mode");
    QTest::addColumn<QStringList>("modes");
    QTest::addColumn<QString>("choisi");
    const QStringList yaesu{"LSB", "USB", "CW-U", "FM", "AM", "RTTY-L", "CW-L", "DATA-L", "RTTY-U", "DATA-FM", "FM-N", "DATA-U"};
    const QStringList icom{"LSB", "USB", "AM", "FM", "CW", "RTTY", "CW-R", "RTTY-R", "LSB-D", "USB-D", "AM-D", "FM-D"};
    const QStringList kenwood{"LSB", "USB", "CW", "FM", "AM", "FSK", "CW-R", "FSK-R", "LSB-D", "USB-D", "FM-D"};
    QTest::newRow("CW d'un Yaesu") << Mode::CW << yaesu << "CW-U";
    QTest::newRow("données d'un Yaesu") << Mode::Donnees << yaesu << "DATA-U";
    QTest::newRow("RTTY d'un Yaesu") << Mode::RTTY << yaesu << "RTTY-L";
    QTest::newRow("données d'un Icom") << Mode::Donnees << icom << "USB-D";
    QTest::newRow("CW d'un Icom") << Mode::CW << icom << "CW";
    QTest::newRow("RTTY d'un Kenwood") << Mode::RTTY << kenwood << "FSK";
    QTest::newRow("minuscules") << Mode::USB << QStringList{"lsb", "usb"} << "usb";
    QTest::newRow("poste sans mode données") << Mode::Donnees << QStringList{"LSB", "USB", "CW"} << "";
    QTest::newRow("aucun mode connu") << Mode::FM << QStringList() << "";
}

void Tst_Poste::mode_du_poste_sous_flrig()
{
    QFETCH(Radio::Mode, mode);
    QFETCH(QStringList, modes);
    QFETCH(QString, choisi);
    QCOMPARE(Mode_Flrig(mode, modes), choisi);
}

void Tst_Poste::reglages_du_groupe_poste()
{
    Dossier_Test dossier;
    Isole_Reglages(dossier.chemin());
    const Reglages defaut = Lit_Reglages();
    QCOMPARE(defaut.type, Type::Aucun);
    QCOMPARE(defaut.adresse, QStringLiteral("127.0.0.1"));
    QCOMPARE(defaut.port, 4532);

    QVERIFY(Sauve_Reglages({Type::Flrig, QStringLiteral("192.0.2.5"), 12346}).ok());
    QSettings s = Reglages_Bruts();
    QCOMPARE(s.value(QStringLiteral("Poste/Type")).toString(), QStringLiteral("flrig"));
    QCOMPARE(s.value(QStringLiteral("Poste/Adresse")).toString(), QStringLiteral("192.0.2.5"));
    QCOMPARE(s.value(QStringLiteral("Poste/Port")).toString(), QStringLiteral("12346"));
    QCOMPARE(Lit_Reglages(), (Reglages{Type::Flrig, QStringLiteral("192.0.2.5"), 12346}));

    // What no window writes: the type's own port, and no radio for an unknown type.
    s.setValue(QStringLiteral("Poste/Port"), QStringLiteral("70000"));
    s.sync();
    QCOMPARE(Lit_Reglages().port, 12345);
    s.setValue(QStringLiteral("Poste/Type"), QStringLiteral("Kenwood"));
    s.sync();
    QCOMPARE(Lit_Reglages().type, Type::Aucun);
    // A blank address, as an older version could keep: the default one.
    for (const QString &adresse : {QStringLiteral(""), QStringLiteral("   "), QStringLiteral("un nom"), QStringLiteral("USB\n2400"),
                                   QStringLiteral("192.0.2.5\r\nX-Autre: 1")}) {
        s.setValue(QStringLiteral("Poste/Adresse"), adresse);
        s.sync();
        QCOMPARE(Lit_Reglages().adresse, QStringLiteral("127.0.0.1"));
    }
}

void Tst_Poste::adresse_du_poste_data()
{
    QTest::addColumn<QString>("adresse");
    QTest::addColumn<QString>("refus");
    const QString mauvaise = QStringLiteral("L'adresse du poste ne doit comporter ni blanc ni plus de 253 caractères.");
    QTest::newRow("adresse IP") << "127.0.0.1" << QString();
    QTest::newRow("nom et blancs autour") << " radio.local\n" << QString();
    QTest::newRow("vide") << " " << "Indiquez l'adresse du poste : 127.0.0.1 quand rigctld ou flrig tourne sur cette machine.";
    QTest::newRow("blanc") << "radio local" << mauvaise;
    QTest::newRow("tabulation") << "radio\tlocal" << mauvaise;
    QTest::newRow("LF") << "USB\n2400" << mauvaise;
    QTest::newRow("CR") << "radio\rlocal" << mauvaise;
    QTest::newRow("CR LF et en-tête") << "127.0.0.1\r\nX-Autre: 1" << mauvaise;
    QTest::newRow("contrôle") << QStringLiteral("radio\u0001local") << mauvaise;
    QTest::newRow("DEL") << QStringLiteral("radio\u007Flocal") << mauvaise;
    QTest::newRow("contrôle C1") << QStringLiteral("radio\u0085local") << mauvaise;
    QTest::newRow("blanc insécable") << QStringLiteral("radio\u00A0local") << mauvaise;
}

void Tst_Poste::adresse_du_poste()
{
    QFETCH(QString, adresse);
    QFETCH(QString, refus);
    QCOMPARE(Refus_Adresse(adresse).value_or(QString()), refus);
}

void Tst_Poste::reponses_de_hamlib_data()
{
    QTest::addColumn<QByteArray>("recu");
    QTest::addColumn<int>("lignes");
    QTest::addColumn<int>("etat");
    QTest::addColumn<QString>("attendu"); // the values joined by "|", or the start of the reason
    QTest::newRow("fréquence") << QByteArray("14285000\n") << 1 << int(Reponse::Complete) << "14285000";
    QTest::newRow("mode et bande passante") << QByteArray("USB\n2400\n") << 2 << int(Reponse::Complete) << "USB|2400";
    QTest::newRow("fins CR LF") << QByteArray("CW\r\n500\r\n") << 2 << int(Reponse::Complete) << "CW|500";
    QTest::newRow("mode sans sa bande") << QByteArray("USB\n") << 2 << int(Reponse::Incomplete) << "";
    QTest::newRow("ligne commencée") << QByteArray("1428") << 1 << int(Reponse::Incomplete) << "";
    QTest::newRow("rien") << QByteArray() << 0 << int(Reponse::Incomplete) << "";
    QTest::newRow("réglage fait") << QByteArray("RPRT 0\n") << 0 << int(Reponse::Complete) << "";
    QTest::newRow("réglage refusé") << QByteArray("RPRT -9\n") << 0 << int(Reponse::Refus) << "RPRT -9, commande refusée par le poste";
    QTest::newRow("fonction absente") << QByteArray("RPRT -11\n") << 0 << int(Reponse::Refus) << "RPRT -11, fonction que ce poste n'offre pas";
    QTest::newRow("poste éteint") << QByteArray("RPRT -20\n") << 1 << int(Reponse::Refus) << "RPRT -20, le poste n'est pas allumé";
    QTest::newRow("code inconnu") << QByteArray("RPRT -99\n") << 0 << int(Reponse::Refus) << "RPRT -99, erreur inconnue de Hamlib";
    QTest::newRow("dernier code connu") << QByteArray("RPRT -22\n") << 0 << int(Reponse::Refus) << "RPRT -22, accès refusé";
    QTest::newRow("premier code inconnu") << QByteArray("RPRT -23\n") << 0 << int(Reponse::Refus) << "RPRT -23, erreur inconnue de Hamlib";
    QTest::newRow("plus petit entier") << QByteArray("RPRT -2147483648\n") << 0 << int(Reponse::Refus)
                                       << "RPRT -2147483648, erreur inconnue de Hamlib";
    QTest::newRow("plus petit entier à une lecture") << QByteArray("RPRT -2147483648\n") << 1 << int(Reponse::Refus)
                                                     << "RPRT -2147483648, erreur inconnue de Hamlib";
    QTest::newRow("au-delà des entiers") << QByteArray("RPRT -2147483649\n") << 0 << int(Reponse::Illisible) << "« RPRT -2147483649 »";
    QTest::newRow("valeur au lieu de RPRT") << QByteArray("14285000\n") << 0 << int(Reponse::Illisible) << "« 14285000 » au lieu de RPRT 0";
    QTest::newRow("RPRT sans code") << QByteArray("RPRT x\n") << 0 << int(Reponse::Illisible) << "« RPRT x »";
    QTest::newRow("RPRT 0 à une lecture") << QByteArray("RPRT 0\n") << 1 << int(Reponse::Illisible) << "« RPRT 0 »";
    QTest::newRow("octets quelconques") << QByteArray("\x16\x03\x01\x00\xff\n", 6) << 0 << int(Reponse::Illisible) << "« ???";
    QTest::newRow("ligne sans fin") << QByteArray(2000, 'x') << 1 << int(Reponse::Illisible) << "ligne sans fin";
}

void Tst_Poste::reponses_de_hamlib()
{
    QFETCH(QByteArray, recu);
    QFETCH(int, lignes);
    QFETCH(int, etat);
    QFETCH(QString, attendu);
    Verifie(Hamlib::Analyse(recu, lignes), etat, attendu);
}

void Tst_Poste::reponses_xmlrpc_data()
{
    QTest::addColumn<QByteArray>("recu");
    QTest::addColumn<bool>("fin");
    QTest::addColumn<int>("etat");
    QTest::addColumn<QString>("attendu");
    const QByteArray entiere = Reponse_XMLRPC("14070000");
    const qsizetype fin_entete = entiere.indexOf("\r\n\r\n");
    const QByteArray entete = entiere.first(fin_entete);
    const QByteArray xml = entiere.sliced(fin_entete + 4);
    QTest::newRow("valeur sans type") << entiere << false << int(Reponse::Complete) << "14070000";
    QTest::newRow("coupée dans le corps") << entiere.first(entiere.size() - 10) << false << int(Reponse::Incomplete) << "";
    QTest::newRow("coupée puis fermée") << entiere.first(entiere.size() - 10) << true << int(Reponse::Illisible)
                                        << "réponse coupée après";
    QTest::newRow("en-tête commencé") << entete << false << int(Reponse::Incomplete) << "";
    const QByteArray sans_longueur = "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\n\r\n" + xml;
    QTest::newRow("sans longueur, ouverte") << sans_longueur << false << int(Reponse::Incomplete) << "";
    QTest::newRow("sans longueur, fermée") << sans_longueur << true << int(Reponse::Complete) << "14070000";
    QTest::newRow("tableau de modes") << Reponse_XMLRPC("<array><data><value>LSB</value><value><string>USB-D</string></value>"
                                                        "</data></array>")
                                      << false << int(Reponse::Complete) << "LSB|USB-D";
    QTest::newRow("entier") << Reponse_XMLRPC("<i4>1</i4>") << false << int(Reponse::Complete) << "1";
    QTest::newRow("entités") << Reponse_XMLRPC("<string>A&amp;B</string>") << false << int(Reponse::Complete) << "A&B";
    QTest::newRow("faute") << Reponse_HTTP("<methodResponse><fault><value><struct><member><name>faultCode</name><value><i4>2</i4>"
                                           "</value></member><member><name>faultString</name><value>rig not ready</value>"
                                           "</member></struct></value></fault></methodResponse>")
                           << false << int(Reponse::Refus) << "« rig not ready »";
    QTest::newRow("HTTP 404") << QByteArray("HTTP/1.1 404 Not Found\r\nContent-length: 0\r\n\r\n") << false << int(Reponse::Refus)
                              << "HTTP 404 Not Found";
    QTest::newRow("pas HTTP") << QByteArray("RPRT -1\n\n") << false << int(Reponse::Illisible) << "pas une réponse HTTP : « RPRT -1 »";
    QTest::newRow("page HTML") << Reponse_HTTP("<html><body>flrig</body></html>") << false << int(Reponse::Illisible)
                               << "pas une réponse XML-RPC";
    QTest::newRow("XML mal formé") << Reponse_HTTP("<methodResponse><params><param><value>1</param>") << false
                                   << int(Reponse::Illisible) << "XML mal formé";
    QTest::newRow("longueur fausse") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\n") << false
                                     << int(Reponse::Illisible) << "longueur HTTP non valable";
    QTest::newRow("fermée sans rien") << QByteArray() << true << int(Reponse::Illisible) << "aucune réponse";
    QTest::newRow("en-tête sans fin") << QByteArray(20000, 'H') << false << int(Reponse::Illisible) << "en-tête HTTP sans fin";
}

namespace {

// A body that holds a blank line of its own, after a header ending in LF LF.
QByteArray Entete_LF_Corps_CRLF()
{
    const QByteArray corps = "<?xml version=\"1.0\"?>\r\n\r\n<methodResponse><params><param><value><double>14285000</double>"
                             "</value></param></params></methodResponse>";
    return "HTTP/1.1 200 OK\nContent-Length: " + QByteArray::number(corps.size()) + "\n\n" + corps;
}

} // namespace

void Tst_Poste::reponse_xmlrpc_en_morceaux_data()
{
    QTest::addColumn<QByteArray>("recu");
    QTest::addColumn<int>("etat");
    QTest::addColumn<QString>("attendu");
    const QByteArray lf = Entete_LF_Corps_CRLF();
    QTest::newRow("en-tête LF, corps CR LF") << lf << int(Reponse::Complete) << "14285000";
    QByteArray melange = Reponse_XMLRPC("14070000");
    melange.replace("Content-Type: text/xml\r\n", "Content-Type: text/xml\n");
    QTest::newRow("fins de ligne mêlées") << melange << int(Reponse::Complete) << "14070000";
    QTest::newRow("CR LF partout") << Reponse_XMLRPC("14070000") << int(Reponse::Complete) << "14070000";
    QByteArray court = lf;
    court.replace("Content-Length: ", "Content-Length: 1");
    QTest::newRow("corps plus court qu'annoncé") << court << int(Reponse::Illisible) << "réponse coupée après";
    QTest::newRow("refus HTTP en LF") << QByteArray("HTTP/1.1 500 Oops\n\n\r\n\r\n") << int(Reponse::Refus) << "HTTP 500 Oops";
}

// However the bytes arrive, a piece at a time or all at once, the verdict
// is the same.
void Tst_Poste::reponse_xmlrpc_en_morceaux()
{
    QFETCH(QByteArray, recu);
    QFETCH(int, etat);
    QFETCH(QString, attendu);
    Reponse d_un_coup = XMLRPC::Analyse(recu, false);
    if (d_un_coup.etat == Reponse::Incomplete)
        d_un_coup = XMLRPC::Analyse(recu, true);
    Verifie(d_un_coup, etat, attendu);
    for (qsizetype taille = 1; taille <= recu.size(); ++taille) {
        Reponse r = XMLRPC::Analyse(recu.first(taille), false);
        if (r.etat == Reponse::Incomplete && taille == recu.size())
            r = XMLRPC::Analyse(recu, true);
        if (r.etat == Reponse::Incomplete)
            continue;
        QCOMPARE(int(r.etat), int(d_un_coup.etat));
        QCOMPARE(r.valeurs, d_un_coup.valeurs);
        QCOMPARE(r.raison, d_un_coup.raison);
        break;
    }
}

void Tst_Poste::reponses_xmlrpc()
{
    QFETCH(QByteArray, recu);
    QFETCH(bool, fin);
    QFETCH(int, etat);
    QFETCH(QString, attendu);
    Verifie(XMLRPC::Analyse(recu, fin), etat, attendu);
}

void Tst_Poste::requete_xmlrpc_entiere()
{
    // A length one byte off leaves the server waiting, or cuts the call.
    const QByteArray r = XMLRPC::Requete(QStringLiteral("127.0.0.1"), 12345, "rig.set_frequency", "<double>14285000.0</double>");
    QVERIFY(r.startsWith("POST /RPC2 HTTP/1.1\r\nHost: 127.0.0.1:12345\r\n"));
    const QByteArray corps = Corps_HTTP(r);
    QCOMPARE(corps.size(), r.size() - r.indexOf("\r\n\r\n") - 4);
    QCOMPARE(corps, QByteArray("<?xml version=\"1.0\"?>\r\n<methodCall><methodName>rig.set_frequency</methodName><params>"
                               "<param><value><double>14285000.0</double></value></param></params></methodCall>\r\n"));
    QVERIFY(XMLRPC::Requete(QStringLiteral("poste"), 12345, "rig.get_vfo").contains("<params></params>"));
}

QTEST_GUILESS_MAIN(Tst_Poste)
#include "tst_poste.moc"
