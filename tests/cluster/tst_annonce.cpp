#include "Annonce.h"

#include <QTest>

using namespace Cluster;

Q_DECLARE_METATYPE(Cluster::Champs_Annonce)

class Tst_Annonce : public QObject {
    Q_OBJECT

private slots:
    void champs_verifies_data();
    void champs_verifies();
    void bandes_data();
    void bandes();
    void ligne_sans_fin_de_ligne_glissee();
    void refus_des_noeuds_data();
    void refus_des_noeuds();
};

namespace {

Champs_Annonce Champs(const QString &frequence = QStringLiteral("14285.0"), const QString &indicatif = QStringLiteral("F8KOB/P"),
                      const QString &dmf = QStringLiteral("21001"), const QString &commentaire = QStringLiteral("DMF 21001 USB"))
{
    return {frequence, indicatif, dmf, commentaire};
}

} // namespace

void Tst_Annonce::champs_verifies_data()
{
    QTest::addColumn<Cluster::Champs_Annonce>("champs");
    QTest::addColumn<QString>("ligne"); // the DX command, or the field refused
    QTest::addColumn<QString>("refus"); // the start of the refusal's reason
    const QString frequence = QStringLiteral("Fréquence (kHz)"), commentaire = QStringLiteral("Commentaire");
    QTest::newRow("annonce ordinaire") << Champs() << "DX 14285.0 F8KOB/P DMF 21001 USB" << "";
    QTest::newRow("virgule et minuscules") << Champs(" 7012,05 ", "f8kob/p", "2a001", "dmf-2A001 cw") << "DX 7012.1 F8KOB/P dmf-2A001 cw"
                                           << "";
    QTest::newRow("sans décimale") << Champs("50313") << "DX 50313.0 F8KOB/P DMF 21001 USB" << "";
    // Rounded once, to the tenth, from what was typed.
    QTest::newRow("arrondi une fois") << Champs("14285.0495") << "DX 14285.0 F8KOB/P DMF 21001 USB" << "";
    QTest::newRow("juste sous la moitié") << Champs("14285.0499999") << "DX 14285.0 F8KOB/P DMF 21001 USB" << "";
    QTest::newRow("moitié du dixième") << Champs("14285.05") << "DX 14285.1 F8KOB/P DMF 21001 USB" << "";
    QTest::newRow("dixième suivant par retenue") << Champs("14285.96") << "DX 14286.0 F8KOB/P DMF 21001 USB" << "";
    QTest::newRow("fréquence vide") << Champs("") << frequence << "indiquez la fréquence de l'activation en kHz";
    QTest::newRow("fréquence en MHz") << Champs("14.285") << frequence << "14,3 kHz n'est dans aucune bande amateur";
    QTest::newRow("hors bande") << Champs("14500.0") << frequence << "14 500,0 kHz n'est dans aucune bande amateur";
    QTest::newRow("au-delà de 440 MHz") << Champs("1296200") << frequence << "1 296 200,0 kHz n'est dans aucune bande";
    QTest::newRow("lettres") << Champs("14285k") << frequence << "« 14285k » n'est pas une fréquence";
    QTest::newRow("indicatif vide") << Champs("14285.0", " ") << "Indicatif" << "de 1 à 12 lettres";
    QTest::newRow("indicatif trop long") << Champs("14285.0", "F8KOB/P/MM/12") << "Indicatif" << "de 1 à 12 lettres";
    QTest::newRow("indicatif avec blanc") << Champs("14285.0", "F8KOB P") << "Indicatif" << "de 1 à 12 lettres";
    QTest::newRow("indicatif accentué") << Champs("14285.0", "F8KÉB") << "Indicatif" << "de 1 à 12 lettres";
    // Letters that only become A-Z once put in capitals.
    QTest::newRow("eszett") << Champs("14285.0", QStringLiteral("ß1ABC")) << "Indicatif" << "de 1 à 12 lettres";
    QTest::newRow("s long") << Champs("14285.0", QStringLiteral("\u017F1ABC")) << "Indicatif" << "de 1 à 12 lettres";
    QTest::newRow("i sans point") << Champs("14285.0", QStringLiteral("F\u0131ABC")) << "Indicatif" << "de 1 à 12 lettres";
    QTest::newRow("ligature ff") << Champs("14285.0", QStringLiteral("F4\uFB00")) << "Indicatif" << "de 1 à 12 lettres";
    QTest::newRow("chiffre arabe") << Champs("14285.0", QStringLiteral("F\u0668ABC")) << "Indicatif" << "de 1 à 12 lettres";
    QTest::newRow("indicatif et commande") << Champs("14285.0", "F8KOB\r\nSET/NAME") << "Indicatif" << "de 1 à 12 lettres";
    QTest::newRow("numéro court") << Champs("14285.0", "F8KOB", "2100", "DMF 2100") << "N° DMF" << "5 chiffres pour le N° du Moulin";
    QTest::newRow("numéro lettré") << Champs("14285.0", "F8KOB", "21X01", "DMF 21X01") << "N° DMF"
                                   << "Le N° du Moulin ne doit comporter que des chiffres";
    QTest::newRow("CR LF glissés") << Champs("14285.0", "F8KOB", "21001", "DMF 21001\r\nSET/NAME Pirate") << commentaire
                                   << "il ne doit contenir ni fin de ligne";
    QTest::newRow("LF seul") << Champs("14285.0", "F8KOB", "21001", "DMF 21001\nBYE") << commentaire << "il ne doit contenir ni fin de ligne";
    QTest::newRow("échappement") << Champs("14285.0", "F8KOB", "21001", "DMF 21001 \x1b[2J") << commentaire
                                 << "il ne doit contenir ni fin de ligne";
    QTest::newRow("contrôle C1") << Champs("14285.0", "F8KOB", "21001", QStringLiteral("DMF 21001 \u0085 CW")) << commentaire
                                 << "il ne doit contenir ni fin de ligne";
    QTest::newRow("accent") << Champs("14285.0", "F8KOB", "21001", "DMF 21001 Moulin d'été") << commentaire
                            << "les nœuds ne transmettent que les caractères sans accent : « é »";
    QTest::newRow("sans DMF") << Champs("14285.0", "F8KOB", "21001", "21001 USB") << commentaire << "il doit porter le moulin annoncé, « DMF 21001 »";
    QTest::newRow("autre moulin") << Champs("14285.0", "F8KOB", "21001", "DMF 21002 USB") << commentaire
                                  << "il doit porter le moulin annoncé, « DMF 21001 »";
    QTest::newRow("31 caractères") << Champs("14285.0", "F8KOB", "21001", "DMF 21001 USB " + QString(17, u'x')) << commentaire
                                   << "30 caractères au plus (il en a 31)";
    QTest::newRow("30 caractères") << Champs("14285.0", "F8KOB", "21001", "DMF 21001 USB " + QString(16, u'x'))
                                   << "DX 14285.0 F8KOB DMF 21001 USB xxxxxxxxxxxxxxxx" << "";
}

void Tst_Annonce::champs_verifies()
{
    QFETCH(Cluster::Champs_Annonce, champs);
    QFETCH(QString, ligne);
    QFETCH(QString, refus);
    const auto pret = Prepare_Annonce(champs);
    if (refus.isEmpty()) {
        QVERIFY(std::holds_alternative<Annonce>(pret));
        QCOMPARE(QString::fromLatin1(Ligne_Annonce(std::get<Annonce>(pret)).value_or("<aucune>")), ligne);
        return;
    }
    QVERIFY(std::holds_alternative<Refus_Annonce>(pret));
    const Refus_Annonce &r = std::get<Refus_Annonce>(pret);
    const QString debut = QStringLiteral("Annonce non envoyée. Champ « %1 » : %2").arg(ligne, refus);
    QVERIFY2(r.message.startsWith(debut), qPrintable(r.message));
    static const QStringList champs_nommes{QStringLiteral("Fréquence (kHz)"), QStringLiteral("Indicatif"), QStringLiteral("N° DMF"),
                                           QStringLiteral("Commentaire")};
    QCOMPARE(champs_nommes.value(int(r.champ)), ligne);
}

void Tst_Annonce::bandes_data()
{
    QTest::addColumn<qint64>("hertz");
    QTest::addColumn<bool>("dans");
    QTest::newRow("bas du 160 m") << qint64(1'800'000) << true;
    QTest::newRow("sous le 160 m") << qint64(1'799'900) << false;
    QTest::newRow("haut du 20 m") << qint64(14'350'000) << true;
    QTest::newRow("au-dessus du 20 m") << qint64(14'350'100) << false;
    QTest::newRow("haut du 70 cm") << qint64(440'000'000) << true;
    QTest::newRow("radiodiffusion") << qint64(9'500'000) << false;
    QTest::newRow("bande CB") << qint64(27'205'000) << false;
}

void Tst_Annonce::bandes()
{
    QFETCH(qint64, hertz);
    QFETCH(bool, dans);
    QCOMPARE(Dans_Une_Bande(hertz), dans);
}

void Tst_Annonce::ligne_sans_fin_de_ligne_glissee()
{
    // However an announcement is made, a line end never reaches the node inside it.
    Annonce a{14'285'000, "14285.0", "F8KOB", "DMF 21001\r\nSET/NAME X"};
    QVERIFY(!Ligne_Annonce(a));
    a.commentaire = "DMF 21001 \xe9t\xe9";
    QVERIFY(!Ligne_Annonce(a));
    a.indicatif = "F8KOB\n";
    a.commentaire = "DMF 21001";
    QVERIFY(!Ligne_Annonce(a));
    a.indicatif.clear();
    QVERIFY(!Ligne_Annonce(a));
}

void Tst_Annonce::refus_des_noeuds_data()
{
    QTest::addColumn<QByteArray>("ligne");
    QTest::addColumn<QString>("dit"); // empty: no refusal
    QTest::newRow("doublon") << QByteArray("Sorry, this is a duplicate")
                             << "Annonce refusée par le nœud (doublon : ce spot vient d'être annoncé) : « Sorry, this is a duplicate »";
    QTest::newRow("invalide") << QByteArray("The callsign or frequency is invalid")
                              << "Annonce refusée par le nœud (indicatif ou fréquence non valable) : « The callsign or frequency is "
                                 "invalid »";
    QTest::newRow("hors bande") << QByteArray("Frequency 14500.0 not in band [usage: DX freq call comments](see sh/band)")
                                << "Annonce refusée par le nœud (fréquence hors des bandes) : « Frequency 14500.0 not in band "
                                   "[usage: DX freq call comments](see sh/band) »";
    QTest::newRow("sans indicatif") << QByteArray("Need a callsign [usage: DX freq call comments]")
                                    << "Annonce refusée par le nœud (indicatif manquant) : « Need a callsign [usage: DX freq call "
                                       "comments] »";
    QTest::newRow("enregistrement") << QByteArray("Sorry, you need to be registered to send spots")
                                    << "Annonce refusée par le nœud (il faut être enregistré auprès du nœud pour annoncer) : « Sorry, "
                                       "you need to be registered to send spots »";
    QTest::newRow("interdit") << QByteArray("DX spots are not allowed from this connection")
                              << "Annonce refusée par le nœud (annonce interdite) : « DX spots are not allowed from this connection »";
    QTest::newRow("excuse seule") << QByteArray("Sorry, F8KOB") << "Annonce refusée par le nœud (refus) : « Sorry, F8KOB »";
    QTest::newRow("invite") << QByteArray("F8KOB de F1NODE 15-Mar-2007 1830Z dxspider >") << "";
    QTest::newRow("autre spot") << QByteArray("DX de F5XYZ:  7012.0  F1ABC  sorry invalid duplicate  1234Z") << "";
    QTest::newRow("WWV") << QByteArray("WWV de W0MU <18>:   SFI=150, A=5, K=1") << "";
    QTest::newRow("message à tous") << QByteArray("To ALL de F1XYZ: sorry, QRT for tonight") << "";
    QTest::newRow("message privé") << QByteArray("F8KOB de F2ABC: your spot is invalid?") << "";
}

void Tst_Annonce::refus_des_noeuds()
{
    QFETCH(QByteArray, ligne);
    QFETCH(QString, dit);
    const auto refus = Refus_Du_Noeud(ligne);
    QCOMPARE(refus.value_or(QString()), dit);
}

QTEST_APPLESS_MAIN(Tst_Annonce)
#include "tst_annonce.moc"
