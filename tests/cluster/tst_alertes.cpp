// Whether a spot alerts, and how often: the rules alone, without a window
// nor a node.
#include "Alertes.h"
#include "Outils_Test.h"

#include <QTest>

using namespace Alertes;
using Cluster::Etat;

Q_DECLARE_METATYPE(Alertes::Raison)
Q_DECLARE_METATYPE(Cluster::Etat)
Q_DECLARE_METATYPE(Cluster::Spot)

namespace {

const QDateTime Maintenant(QDate(2026, 6, 14), QTime(14, 32), Qt::UTC);

Cluster::Spot Spot_De(const QByteArray &dmf, const QByteArray &indicatif = "F4DEF", const QByteArray &commentaire = "DMF 21003 SSB",
                      int age_minutes = 0)
{
    return {Maintenant.addSecs(-60 * age_minutes), "1432", "7088.0", indicatif, dmf, commentaire, "F5XYZ"};
}

} // namespace

class Tst_Alertes : public QObject {
    Q_OBJECT

private slots:
    void liste_de_surveillance_data();
    void liste_de_surveillance();
    void pourquoi_un_spot_alerte_data();
    void pourquoi_un_spot_alerte();
    void une_alerte_par_moulin_et_par_silence();
    void au_plus_un_bruit_par_intervalle();
    void reglages_gardes_et_relus();
    void texte_d_une_alerte_data();
    void texte_d_une_alerte();
};

void Tst_Alertes::liste_de_surveillance_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("gardee"); // as kept, or the start of the refusal
    QTest::addColumn<bool>("refusee");
    QTest::newRow("vide") << "  \n" << "" << false;
    QTest::newRow("chaque sorte") << "21003, 29\n2a f4def/p F4DEF" << "21003 29 2A F4DEF F4DEF/P" << false;
    QTest::newRow("Corse") << "2A004;2b" << "2A004 2B" << false;
    QTest::newRow("doublons") << "21003 21003 29 29" << "21003 29" << false;
    QTest::newRow("numéro de quatre chiffres") << "21003 2100" << "Liste de surveillance : « 2100 » n'est ni un N° DMF" << true;
    QTest::newRow("département 20") << "20" << "Liste de surveillance : « 20 » n'est ni un N° DMF" << true;
    QTest::newRow("département 96") << "96" << "Liste de surveillance : « 96 » n'est ni un N° DMF" << true;
    QTest::newRow("numéro d'un département inconnu") << "99001" << "Liste de surveillance : « 99001 »" << true;
    QTest::newRow("indicatif sans chiffre") << "FDEF" << "Liste de surveillance : « FDEF »" << true;
    QTest::newRow("indicatif trop long") << "F4DEF/P/MM/12" << "Liste de surveillance : « F4DEF/P/MM/12 »" << true;
    QTest::newRow("accent") << QStringLiteral("F4DÉF") << QStringLiteral("Liste de surveillance : « F4DÉF »") << true;
    QTest::newRow("eszett") << QStringLiteral("ß1ABC") << QStringLiteral("Liste de surveillance : « ß1ABC »") << true;
    QTest::newRow("barre seule") << "F4DEF/" << "Liste de surveillance : « F4DEF/ »" << true;
}

void Tst_Alertes::liste_de_surveillance()
{
    QFETCH(QString, texte);
    QFETCH(QString, gardee);
    QFETCH(bool, refusee);
    const auto s = Lit_Surveillance(texte);
    QCOMPARE(!s.ok(), refusee);
    if (refusee) {
        QVERIFY2(s.erreur().startsWith(gardee), qPrintable(s.erreur()));
        QVERIFY(s.erreur().endsWith(QStringLiteral("Rien n'est gardé.")));
        return;
    }
    QCOMPARE(Texte_Surveillance(s.valeur()), gardee);
    // What is shown reads back the same.
    QCOMPARE(Lit_Surveillance(gardee).valeur(), s.valeur());
}

void Tst_Alertes::pourquoi_un_spot_alerte_data()
{
    QTest::addColumn<Cluster::Spot>("spot");
    QTest::addColumn<Etat>("etat");     // of its mill in the log
    QTest::addColumn<bool>("dans_la_liste");
    QTest::addColumn<QString>("surveillance");
    QTest::addColumn<bool>("seulement_liste");
    QTest::addColumn<Raison>("raison");
    const Raison aucune = Raison::Aucune, nouveau = Raison::Nouveau_Moulin, surveille = Raison::Surveille;
    QTest::newRow("moulin que le log n'a pas") << Spot_De("21003") << Etat::Nouveau << true << "" << false << nouveau;
    QTest::newRow("moulin contacté") << Spot_De("21003") << Etat::Contacte << true << "" << false << aucune;
    QTest::newRow("moulin en attente") << Spot_De("21003") << Etat::En_Attente << true << "" << false << aucune;
    QTest::newRow("contacté mais son numéro suivi") << Spot_De("21003") << Etat::Contacte << true << "21003" << false << surveille;
    QTest::newRow("contacté mais son département suivi") << Spot_De("29015") << Etat::Contacte << true << "29" << false << surveille;
    QTest::newRow("département corse suivi") << Spot_De("2A004") << Etat::Contacte << true << "2a" << false << surveille;
    QTest::newRow("l'autre département corse") << Spot_De("2B004") << Etat::Contacte << true << "2A" << false << aucune;
    QTest::newRow("activateur suivi") << Spot_De("21003", "F4DEF") << Etat::Contacte << true << "F4DEF" << false << surveille;
    QTest::newRow("activateur suivi, en portable") << Spot_De("21003", "F4DEF/P") << Etat::Contacte << true << "F4DEF" << false
                                                   << surveille;
    QTest::newRow("portable suivi, pas le fixe") << Spot_De("21003", "F4DEF") << Etat::Contacte << true << "F4DEF/P" << false
                                                 << aucune;
    QTest::newRow("indicatif en minuscules") << Spot_De("21003", "f4def/p") << Etat::Contacte << true << "f4def" << false << surveille;
    QTest::newRow("autre indicatif qui le contient") << Spot_De("21003", "F4DEFG") << Etat::Contacte << true << "F4DEF" << false
                                                     << aucune;
    QTest::newRow("QRT") << Spot_De("21003", "F4DEF", "DMF 21003 QRT") << Etat::Nouveau << true << "" << false << aucune;
    QTest::newRow("qrt en minuscules") << Spot_De("21003", "F4DEF", "dmf 21003 qrt merci") << Etat::Nouveau << true << "" << false
                                       << aucune;
    QTest::newRow("QRT dans un mot") << Spot_De("21003", "F4DEF", "DMF 21003 QRTX") << Etat::Nouveau << true << "" << false << nouveau;
    QTest::newRow("QRT d'un suivi") << Spot_De("21003", "F4DEF", "QRT DMF 21003") << Etat::Contacte << true << "F4DEF" << false << aucune;
    QTest::newRow("spot de 30 minutes") << Spot_De("21003", "F4DEF", "DMF 21003", 30) << Etat::Nouveau << true << "" << false << nouveau;
    QTest::newRow("spot de 31 minutes") << Spot_De("21003", "F4DEF", "DMF 21003", 31) << Etat::Nouveau << true << "" << false << aucune;
    QTest::newRow("absent de la liste, alerté") << Spot_De("21999") << Etat::Nouveau << false << "" << false << nouveau;
    QTest::newRow("absent de la liste, tu") << Spot_De("21999") << Etat::Nouveau << false << "" << true << aucune;
    QTest::newRow("absent de la liste et suivi, tu") << Spot_De("21999") << Etat::Contacte << false << "21999" << true << aucune;
}

void Tst_Alertes::pourquoi_un_spot_alerte()
{
    QFETCH(Cluster::Spot, spot);
    QFETCH(Etat, etat);
    QFETCH(bool, dans_la_liste);
    QFETCH(QString, surveillance);
    QFETCH(bool, seulement_liste);
    QFETCH(Raison, raison);
    Reglages r;
    r.surveillance = Lit_Surveillance(surveillance).valeur();
    r.seulement_liste = seulement_liste;
    QCOMPARE(Pourquoi(spot, etat, dans_la_liste, r, Maintenant), raison);
}

void Tst_Alertes::une_alerte_par_moulin_et_par_silence()
{
    Rythme rythme;
    QVERIFY(rythme.alerte("21003", Maintenant, 30));
    // Another spotter, another mill, the quiet time's end.
    QVERIFY(!rythme.alerte("21003", Maintenant.addSecs(60), 30));
    QVERIFY(rythme.alerte("29015", Maintenant.addSecs(60), 30));
    QVERIFY(!rythme.alerte("21003", Maintenant.addSecs(30 * 60 - 1), 30));
    QVERIFY(rythme.alerte("21003", Maintenant.addSecs(30 * 60), 30));
    // A shorter quiet time set meanwhile counts from the last alert.
    QVERIFY(!rythme.alerte("21003", Maintenant.addSecs(34 * 60), 5));
    QVERIFY(rythme.alerte("21003", Maintenant.addSecs(35 * 60), 5));
}

// A flood of alerts in a minute makes at most one sound or notification
// every ten seconds: six.
void Tst_Alertes::au_plus_un_bruit_par_intervalle()
{
    Rythme rythme;
    int bruits = 0;
    for (int i = 0; i < 10000; ++i)
        bruits += rythme.bruit(Maintenant.addMSecs(i * 6));
    QCOMPARE(bruits, 6);
    // Ten seconds after the last one, the next goes.
    QVERIFY(!rythme.bruit(Maintenant.addSecs(60)));
    QVERIFY(rythme.bruit(Maintenant.addMSecs(60010)));
}

void Tst_Alertes::reglages_gardes_et_relus()
{
    Dossier_Test d;
    Isole_Reglages(d.chemin());
    const Reglages defaut = Lit_Reglages();
    QCOMPARE(defaut, Reglages());
    QVERIFY(defaut.ligne && defaut.clignote && defaut.notification && !defaut.son);
    Reglages r;
    r.son = true;
    r.notification = false;
    r.silence_minutes = 240;
    r.seulement_liste = true;
    r.surveillance = Lit_Surveillance(QStringLiteral("21003 29 F4DEF/P")).valeur();
    QVERIFY(Sauve_Reglages(r).ok());
    QCOMPARE(Lit_Reglages(), r);
    QCOMPARE(Reglages_Bruts().value(QStringLiteral("Alertes/Surveillance")).toString(), QStringLiteral("21003 29 F4DEF/P"));
    // Out of its range, or edited wrong by hand: the default, not a refusal.
    QSettings s = Reglages_Bruts();
    s.setValue(QStringLiteral("Alertes/Silence"), QStringLiteral("4"));
    s.setValue(QStringLiteral("Alertes/Surveillance"), QStringLiteral("21003 pas-un-indicatif"));
    s.sync();
    QCOMPARE(Lit_Reglages().silence_minutes, 30);
    QVERIFY(Lit_Reglages().surveillance.vide());
}

void Tst_Alertes::texte_d_une_alerte_data()
{
    QTest::addColumn<Cluster::Spot>("spot");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("autres");
    QTest::addColumn<QString>("texte");
    QTest::newRow("avec son nom") << Spot_De("21003") << QStringLiteral("Moulin Neuf, Beaune") << 0
                                  << QStringLiteral("Moulin 21003 (Moulin Neuf, Beaune) annoncé par F4DEF sur 7 088,0 kHz à 14:32 UTC");
    QTest::newRow("absent de la liste") << Spot_De("2A004", "TK5AA") << QString() << 0
                                        << QStringLiteral("Moulin 2A004 annoncé par TK5AA sur 7 088,0 kHz à 14:32 UTC");
    QTest::newRow("un autre") << Spot_De("21003") << QString() << 1
                              << QStringLiteral("Moulin 21003 annoncé par F4DEF sur 7 088,0 kHz à 14:32 UTC et 1 autre moulin");
    QTest::newRow("deux autres") << Spot_De("21003") << QString() << 2
                                 << QStringLiteral("Moulin 21003 annoncé par F4DEF sur 7 088,0 kHz à 14:32 UTC et 2 autres moulins");
    Cluster::Spot illisible = Spot_De("21003");
    illisible.frequence = "7O88";
    QTest::newRow("fréquence illisible, telle qu'écrite") << illisible << QString() << 0
                                                          << QStringLiteral("Moulin 21003 annoncé par F4DEF sur 7O88 kHz à 14:32 UTC");
}

void Tst_Alertes::texte_d_une_alerte()
{
    QFETCH(Cluster::Spot, spot);
    QFETCH(QString, nom);
    QFETCH(int, autres);
    QFETCH(QString, texte);
    QCOMPARE(Texte_Pile(Texte_Alerte(spot, nom), autres), texte);
}

QTEST_GUILESS_MAIN(Tst_Alertes)
#include "tst_alertes.moc"
