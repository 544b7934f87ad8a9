#include "Annonce_Spot.h"
#include "Message.h"
#include "Modele_Spots.h"
#include "Outils_Test.h"
#include "Regles_Spots.h"
#include "Spots_DMF.h"
#include "Veille_Spots.h"
#include "Fenetre_Alertes.h"

#include "Journal.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace Cluster;
using namespace Sous_Programmes;

Q_DECLARE_METATYPE(Alertes::Reglages)

namespace {

const QDateTime Recu(QDate(2026, 12, 7), QTime(12, 40), Qt::UTC);

Spot Spot_De(const QByteArray &ligne)
{
    auto s = Lit_Spot(ligne, Recu);
    if (!s)
        qFatal("not a spot: %s", ligne.constData());
    return *s;
}

QByteArray Diffusion(const QByteArray &indicatif, const QByteArray &dmf, const QByteArray &heure = "1234")
{
    return "DX de F5XYZ:  7012.0  " + indicatif + "  DMF " + dmf + " CW  " + heure + "Z";
}

} // namespace

class Tst_Fenetre_Spots : public QObject {
    Q_OBJECT

private slots:
    void demande_de_connexion_data();
    void demande_de_connexion();
    void textes_du_reseau();
    void colonnes_d_un_spot();
    void distance_dans_la_bulle_du_moulin_data();
    void distance_dans_la_bulle_du_moulin();
    void deluge_montre_quelques_fois_par_seconde();
    void ligne_courante_gardee();
    void spots_pres_du_poste_en_gras();
    void annonce_proposee();
    void annonce_refusee_champ_par_champ_data();
    void annonce_refusee_champ_par_champ();
    void veille_alerte_des_moulins_voulus();
    void liste_gardee_propre();
    void reglages_des_alertes_data();
    void reglages_des_alertes();
};

void Tst_Fenetre_Spots::demande_de_connexion_data()
{
    QTest::addColumn<QString>("adresse");
    QTest::addColumn<QString>("indicatif");
    QTest::addColumn<QString>("refus");
    QTest::addColumn<QByteArray>("envoye");
    QTest::newRow("nom et indicatif") << " dxc.exemple.fr " << "f5abc/p" << QString() << QByteArray("F5ABC/P");
    QTest::newRow("adresse IP") << "192.0.2.7" << "F5ABC-2" << QString() << QByteArray("F5ABC-2");
    QTest::newRow("sans adresse") << "  " << "F5ABC" << "Indiquez l'adresse" << QByteArray();
    QTest::newRow("adresse avec blanc") << "dxc exemple" << "F5ABC" << "L'adresse du nœud" << QByteArray();
    QTest::newRow("adresse de 253 caractères") << QString(253, u'a') << "F5ABC" << QString() << QByteArray("F5ABC");
    QTest::newRow("adresse de 254 caractères") << QString(254, u'a') << "F5ABC" << "L'adresse du nœud" << QByteArray();
    QTest::newRow("sans indicatif") << "dxc.exemple.fr" << "" << "L'indicatif de connexion" << QByteArray();
    QTest::newRow("indicatif accentué") << "dxc.exemple.fr" << "F5ÉA" << "L'indicatif de connexion" << QByteArray();
    QTest::newRow("adresse et commande") << "dxc.exemple.fr\nsh/dx" << "F5ABC" << "L'adresse du nœud" << QByteArray();
    QTest::newRow("adresse et tabulation") << "dxc\texemple" << "F5ABC" << "L'adresse du nœud" << QByteArray();
    QTest::newRow("indicatif eszett") << "dxc.exemple.fr" << QStringLiteral("ß1ABC") << "L'indicatif de connexion" << QByteArray();
    QTest::newRow("indicatif avec blanc") << "dxc.exemple.fr" << "F5 ABC" << "L'indicatif de connexion" << QByteArray();
    QTest::newRow("commande glissée") << "dxc.exemple.fr" << "F5ABC\r\nsh/dx" << "L'indicatif de connexion" << QByteArray();
    QTest::newRow("indicatif trop long") << "dxc.exemple.fr" << QString(21, u'F') << "L'indicatif de connexion" << QByteArray();
}

void Tst_Fenetre_Spots::demande_de_connexion()
{
    QFETCH(QString, adresse);
    QFETCH(QString, indicatif);
    QFETCH(QString, refus);
    QFETCH(QByteArray, envoye);
    const auto d = Demande_Connexion(adresse, indicatif);
    if (refus.isEmpty()) {
        QVERIFY(d.ok());
        QCOMPARE(d.valeur().adresse, adresse.trimmed());
        QCOMPARE(d.valeur().indicatif, envoye);
    } else {
        QVERIFY(!d.ok());
        QVERIFY2(d.erreur().startsWith(refus), qPrintable(d.erreur()));
    }
}

void Tst_Fenetre_Spots::textes_du_reseau()
{
    QCOMPARE(Texte_Reseau("Moulin d'\xC3\xA9t\xC3\xA9"), QStringLiteral("Moulin d'été"));
    QCOMPARE(Texte_Reseau("Moulin d'\xE9t\xE9"), QStringLiteral("Moulin d'été"));
    QCOMPARE(Texte_Reseau("\x80 \x9C"), QStringLiteral("€ œ"));
}

void Tst_Fenetre_Spots::colonnes_d_un_spot()
{
    const QByteArray log = Ligne("05/03/07", "2B004", "Moulin Contacte", "F6XYZ") + "\r\n";
    Modele_Spots m{Index_Log(Contenu_Log(log))};
    m.ajoute({Spot_De(Diffusion("TK5AA", "2A001", "0905")), Spot_De(Diffusion("TK5BB", "2B004", "0910")),
              Spot_De(Diffusion("F1AAA", "07001", "0915"))});
    QCOMPARE(m.rowCount(), 0);
    m.montre();
    QCOMPARE(m.rowCount(), 3);
    QCOMPARE(m.columnCount(), 9);
    QStringList titres;
    for (int c = 0; c < m.columnCount(); ++c)
        titres << m.headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titres, (QStringList{"Heure", "Fréquence", "Indicatif", "N° DMF", "Moulin", "Dépt", "État", "Commentaire", "Spotteur"}));
    const auto cellule = [&](int l, int c) { return m.index(l, c).data().toString(); };
    QCOMPARE(cellule(0, Modele_Spots::Heure), QStringLiteral("09:15"));
    // The département as the map names it: leading zero, Corsica by its letters.
    QCOMPARE(cellule(0, Modele_Spots::Departement), QStringLiteral("07"));
    QCOMPARE(cellule(1, Modele_Spots::Departement), QStringLiteral("2B"));
    QCOMPARE(cellule(1, Modele_Spots::Etat), QStringLiteral("Contacté le 05/03/07"));
    QCOMPARE(cellule(2, Modele_Spots::Departement), QStringLiteral("2A"));
    QCOMPARE(cellule(2, Modele_Spots::Commentaire), QStringLiteral("DMF 2A001 CW"));
    QCOMPARE(m.index(2, 0).data(Qt::BackgroundRole).value<QBrush>().color().rgb() & 0xFFFFFF, 0xC0FFC0u);

    // A new log: the states change, not the rows.
    QSignalSpy change(&m, &QAbstractItemModel::dataChanged);
    m.change_log(Index_Log(Contenu_Log(log + Ligne("06/03/07", "2A001", "Moulin Contacte", "TK5AA", true) + "\r\n")));
    QCOMPARE(change.size(), 1);
    QCOMPARE(cellule(2, Modele_Spots::Etat), QStringLiteral("En attente"));
    QVERIFY(!m.index(2, 0).data(Qt::BackgroundRole).isValid());

    // Each mill named from the list; one it lacks is likely mistyped by the spotter.
    QCOMPARE(cellule(2, Modele_Spots::Moulin), QString());
    m.change_moulins(std::make_shared<const Moulins::Liste>(
        Moulins::Lit_Liste("dmf;nom;commune\r\n2A001;Moulin du Golo;Ajaccio\r\n2B004;Moulin de Bastia;Bastia\r\n").liste));
    QCOMPARE(change.size(), 2);
    QCOMPARE(cellule(2, Modele_Spots::Moulin), QStringLiteral("Moulin du Golo, Ajaccio (2A)"));
    QCOMPARE(cellule(0, Modele_Spots::Moulin), QStringLiteral("Nouveau moulin (absent de la liste)"));
}

// The mill's tooltip: its designation, and how far and which way from the
// station when the station has a locator and the list the mill's coordinates.
void Tst_Fenetre_Spots::distance_dans_la_bulle_du_moulin_data()
{
    QTest::addColumn<QString>("locator");
    QTest::addColumn<QByteArray>("dmf");
    QTest::addColumn<QString>("bulle");
    // From JN18du (48.854 N, 2.292 E) to Beaune: 278 km at 136°.
    QTest::newRow("locator et coordonnées") << "JN18du" << QByteArray("21001") << "Moulin Neuf, Beaune (21) : 278 km, azimut 136°";
    QTest::newRow("sans locator") << "" << QByteArray("21001") << "Moulin Neuf, Beaune (21)";
    QTest::newRow("sans coordonnées") << "JN18du" << QByteArray("21002") << "Moulin Haut, Dijon (21)";
    QTest::newRow("coordonnées hors de France") << "JN18du" << QByteArray("21003") << "Moulin Bas, Nuits (21)";
    QTest::newRow("absent de la liste") << "JN18du" << QByteArray("21009") << "";
}

void Tst_Fenetre_Spots::distance_dans_la_bulle_du_moulin()
{
    QFETCH(QString, locator);
    QFETCH(QByteArray, dmf);
    QFETCH(QString, bulle);
    Modele_Spots m{Index_Log(Contenu_Log(QByteArray()))};
    m.change_moulins(std::make_shared<const Moulins::Liste>(Moulins::Lit_Liste("dmf;nom;commune;latitude;longitude\r\n"
                                                                                "21001;Moulin Neuf;Beaune;47,0244;4,8389\r\n"
                                                                                "21002;Moulin Haut;Dijon;;\r\n"
                                                                                "21003;Moulin Bas;Nuits;4.8;47.1\r\n")
                                                                  .liste));
    m.ajoute({Spot_De(Diffusion("F1AAA", dmf.constData(), "0915"))});
    m.montre();
    QSignalSpy change(&m, &QAbstractItemModel::dataChanged);
    m.change_station(Geo::Centre_Locator(locator));
    QCOMPARE(change.size(), 1);
    QCOMPARE(m.index(0, Modele_Spots::Moulin).data(Qt::ToolTipRole).toString(), bulle);
}

void Tst_Fenetre_Spots::deluge_montre_quelques_fois_par_seconde()
{
    Modele_Spots m{Index_Log()};
    QSignalSpy remises(&m, &QAbstractItemModel::modelReset);
    QElapsedTimer t;
    t.start();
    // 2,000 pieces of 5 spots, as fast as they come.
    for (int i = 0; i < 2000; ++i) {
        QList<Spot> lot;
        for (int j = 0; j < 5; ++j)
            lot.append(Spot_De(Diffusion("F" + QByteArray::number(i * 5 + j), "21001")));
        m.ajoute(lot);
        QCoreApplication::processEvents();
    }
    QTRY_COMPARE(m.rowCount(), int(Liste_Spots::Maximum));
    QTest::qWait(Modele_Spots::Intervalle_Affichage_ms + 50);
    const qint64 ms = t.elapsed();
    // At most one showing per interval, and one at the end.
    QVERIFY2(remises.size() <= ms / Modele_Spots::Intervalle_Affichage_ms + 1,
             qPrintable(QStringLiteral("%1 remises en %2 ms").arg(remises.size()).arg(ms)));
    QVERIFY(remises.size() >= 1);
    QCOMPARE(m.spot(0).indicatif, QByteArray("F9999"));
}

void Tst_Fenetre_Spots::ligne_courante_gardee()
{
    Dossier_Test dossier;
    Isole_Reglages(dossier.chemin());
    Veille_Spots veille(Index_Log(), {}, Alertes::Reglages(), [] { return Recu.addSecs(-30 * 60); });
    Spots_DMF f({}, veille);
    f.show();
    auto *table = f.findChild<QTableView *>(QStringLiteral("Table_Spots"));
    f.modele()->ajoute({Spot_De(Diffusion("F1AAA", "21001", "1200")), Spot_De(Diffusion("F1BBB", "21002", "1201"))});
    f.modele()->montre();
    table->setCurrentIndex(table->model()->index(1, 0));
    QCOMPARE(table->currentIndex().data().toString(), QStringLiteral("12:00"));
    // Newer spots push the row down; the cursor stays on it.
    f.modele()->ajoute({Spot_De(Diffusion("F1CCC", "21003", "1210")), Spot_De(Diffusion("F1DDD", "21004", "1211"))});
    f.modele()->montre();
    QCOMPARE(table->currentIndex().row(), 3);
    QCOMPARE(table->model()->index(table->currentIndex().row(), Modele_Spots::Indicatif).data().toString(), QStringLiteral("F1AAA"));

    QSignalSpy choisi(&f, &Spots_DMF::Spot_Choisi);
    QTest::keyClick(table, Qt::Key_Enter);
    QCOMPARE(choisi.size(), 1);
    QCOMPARE(choisi.first().at(0).toString(), QStringLiteral("F1AAA"));
    QCOMPARE(choisi.first().at(1).toString(), QStringLiteral("21001"));
}

void Tst_Fenetre_Spots::spots_pres_du_poste_en_gras()
{
    Modele_Spots m{Index_Log()};
    const auto spot = [](const char *frequence, const QByteArray &indicatif) {
        return Spot_De("DX de F5XYZ:  " + QByteArray(frequence) + "  " + indicatif + "  DMF 21001 SSB  1234Z");
    };
    m.ajoute({spot("14284.0", "F1LOIN"), spot("14285.0", "F1PILE"), spot("14286.0", "F1BORD"), spot("14286.1", "F1HORS"),
              spot("7012.0", "F1AUTRE")});
    m.montre();
    const auto gras = [&] {
        QStringList g;
        for (int i = 0; i < m.rowCount(); ++i)
            if (m.index(i, Modele_Spots::Commentaire).data(Qt::FontRole).value<QFont>().bold())
                g << m.index(i, Modele_Spots::Indicatif).data().toString();
        g.sort();
        return g;
    };
    QVERIFY(gras().isEmpty());
    QSignalSpy change(&m, &QAbstractItemModel::dataChanged);
    m.change_frequence_poste(14'285'000);
    QCOMPARE(change.size(), 1);
    // Within 1 kHz either way, as a radio's dial is read.
    QCOMPARE(gras(), (QStringList{"F1BORD", "F1LOIN", "F1PILE"}));
    const int pile = [&] {
        for (int i = 0; i < m.rowCount(); ++i)
            if (m.spot(i).indicatif == "F1PILE")
                return i;
        return -1;
    }();
    QCOMPARE(m.index(pile, 0).data(Qt::AccessibleDescriptionRole).toString(), QStringLiteral("sur la fréquence du poste"));
    // The same reading again changes nothing, and repaints nothing.
    m.change_frequence_poste(14'285'000);
    QCOMPARE(change.size(), 1);
    m.change_frequence_poste(7'012'400);
    QCOMPARE(gras(), QStringList{"F1AUTRE"});
    m.change_frequence_poste(std::nullopt);
    QVERIFY(gras().isEmpty());
}

namespace {

struct Banc_Annonce {
    explicit Banc_Annonce(const Annonce_Proposee &p)
        : fenetre(p, [this](const Annonce &a) -> Statut {
              envoyees.append(a);
              return Succes();
          })
    {
        Message::Installe_Repondeur([this](const QString &texte, QMessageBox::StandardButtons) {
            messages << texte;
            return QMessageBox::Ok;
        });
        fenetre.show();
    }
    ~Banc_Annonce() { Message::Installe_Repondeur({}); }
    QLineEdit *champ(const char *nom) { return fenetre.findChild<QLineEdit *>(QString::fromLatin1(nom)); }
    void envoie() { QTest::mouseClick(fenetre.findChild<QPushButton *>(QStringLiteral("Annonce_Envoyer")), Qt::LeftButton); }

    QList<Annonce> envoyees;
    QStringList messages;
    Annonce_Spot fenetre;
};

} // namespace

void Tst_Fenetre_Spots::annonce_proposee()
{
    Banc_Annonce b({14'285'000, QStringLiteral("F8KOB"), QStringLiteral("21001"), QStringLiteral("USB")});
    QCOMPARE(b.fenetre.windowTitle(), QStringLiteral("Annoncer sur le cluster"));
    QCOMPARE(b.champ("Annonce_Frequence")->text(), QStringLiteral("14285.0"));
    QCOMPARE(b.champ("Annonce_Indicatif")->text(), QStringLiteral("F8KOB"));
    QCOMPARE(b.champ("Annonce_DMF")->text(), QStringLiteral("21001"));
    QCOMPARE(b.champ("Annonce_Commentaire")->text(), QStringLiteral("DMF 21001 USB"));
    // "/p" typed becomes "/P", as in the entry.
    b.champ("Annonce_Indicatif")->setFocus();
    b.champ("Annonce_Indicatif")->end(false);
    QTest::keyClicks(b.champ("Annonce_Indicatif"), QStringLiteral("/p"));
    QCOMPARE(b.champ("Annonce_Indicatif")->text(), QStringLiteral("F8KOB/P"));
    // Another mill typed: the comment proposed follows it, until the operator writes it.
    b.champ("Annonce_DMF")->clear();
    QTest::keyClicks(b.champ("Annonce_DMF"), QStringLiteral("2a004"));
    QCOMPARE(b.champ("Annonce_Commentaire")->text(), QStringLiteral("DMF 2A004 USB"));
    b.champ("Annonce_Commentaire")->setText(QStringLiteral("DMF 2A004 USB QRV 1 h"));
    b.champ("Annonce_DMF")->setText(QStringLiteral("2A005"));
    QCOMPARE(b.champ("Annonce_Commentaire")->text(), QStringLiteral("DMF 2A004 USB QRV 1 h"));
    b.champ("Annonce_DMF")->setText(QStringLiteral("2A004"));

    QSignalSpy envoyee(&b.fenetre, &Annonce_Spot::Annonce_Envoyee);
    b.envoie();
    QCOMPARE(b.messages, QStringList());
    QCOMPARE(b.envoyees.size(), 1);
    QCOMPARE(Ligne_Annonce(b.envoyees[0]).value_or("<aucune>"), QByteArray("DX 14285.0 F8KOB/P DMF 2A004 USB QRV 1 h"));
    QCOMPARE(envoyee.size(), 1);
    QVERIFY(!b.fenetre.isVisible());

    // No radio read, no mill in the entry: the fields wait for them.
    Banc_Annonce vide({std::nullopt, QStringLiteral("F8KOB"), {}, {}});
    QCOMPARE(vide.champ("Annonce_Frequence")->text(), QString());
    QCOMPARE(vide.champ("Annonce_Commentaire")->text(), QStringLiteral("DMF "));
}

void Tst_Fenetre_Spots::annonce_refusee_champ_par_champ_data()
{
    QTest::addColumn<QString>("champ");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("message");
    QTest::newRow("fréquence") << "Annonce_Frequence" << "14500" << "Champ « Fréquence (kHz) »";
    QTest::newRow("CR LF collés") << "Annonce_Commentaire" << "DMF 21001\r\nSET/NAME Pirate" << "Champ « Commentaire »";
}

void Tst_Fenetre_Spots::annonce_refusee_champ_par_champ()
{
    QFETCH(QString, champ);
    QFETCH(QString, texte);
    QFETCH(QString, message);
    Banc_Annonce b({14'285'000, QStringLiteral("F8KOB"), QStringLiteral("21001"), QStringLiteral("USB")});
    QVERIFY(QTest::qWaitForWindowActive(&b.fenetre));
    QLineEdit *c = b.champ(qPrintable(champ));
    // Pasted as a whole, line ends and all.
    c->setText(texte);
    b.envoie();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages[0].startsWith(QStringLiteral("Annonce non envoyée. ") + message), qPrintable(b.messages[0]));
    QVERIFY(b.envoyees.isEmpty());
    QVERIFY(b.fenetre.isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), c);
}

// What the watch tells from spots coming on the connection, the window closed.
void Tst_Fenetre_Spots::veille_alerte_des_moulins_voulus()
{
    QDateTime maintenant = Recu;
    const QByteArray log = Ligne("05/03/07", "29015", "Moulin Contacte", "F6XYZ") + "\r\n"
                         + Ligne("05/03/07", "21002", "Moulin Contacte", "F6XYZ") + "\r\n";
    Alertes::Reglages r;
    r.surveillance = Alertes::Lit_Surveillance(QStringLiteral("29 F4DEF")).valeur();
    Veille_Spots veille(Index_Log(Contenu_Log(log)), {}, r, [&] { return maintenant; });
    QSignalSpy alertes(&veille, &Veille_Spots::alertes);
    const auto recoit = [&](const QList<QByteArray> &lignes) {
        QList<Spot> lot;
        for (const QByteArray &l : lignes)
            lot.append(Spot_De(l));
        emit veille.client().spots(lot);
    };
    const auto moulins = [&](int i) {
        QStringList m;
        for (const Alerte &a : alertes.at(i).at(0).value<QList<Alerte>>())
            m << QString::fromLatin1(a.spot.dmf);
        return m.join(u' ');
    };
    // New; contacted; contacted but its département watched; contacted but
    // its activator watched; QRT; too old.
    recoit({Diffusion("F1AAA", "21001"), Diffusion("F1BBB", "21002"), Diffusion("F1CCC", "29015"), Diffusion("F4DEF/P", "21002"),
            "DX de F5XYZ:  7012.0  F1DDD  DMF 21005 CW QRT  1234Z", Diffusion("F1EEE", "21006", "1200")});
    QCOMPARE(alertes.size(), 1);
    QCOMPARE(moulins(0), QStringLiteral("21001 29015 21002"));
    QCOMPARE(alertes.at(0).at(1).toBool(), true);
    // The same mills by others within the quiet time: nothing. Another,
    // within ten seconds: an alert, no noise.
    maintenant = maintenant.addSecs(5);
    recoit({Diffusion("F1ZZZ", "21001"), Diffusion("F1ZZZ", "29015"), Diffusion("F1ZZZ", "21007")});
    QCOMPARE(alertes.size(), 2);
    QCOMPARE(moulins(1), QStringLiteral("21007"));
    QCOMPARE(alertes.at(1).at(1).toBool(), false);
    // Contacted meanwhile, 21001 alerts no more once the quiet time is over.
    veille.change_log(Index_Log(Contenu_Log(log + Ligne("07/12/26", "21001", "Moulin Contacte", "F1AAA") + "\r\n")));
    maintenant = maintenant.addSecs(31 * 60);
    recoit({Diffusion("F1AAA", "21001", "1311"), Diffusion("F1AAA", "21007", "1311")});
    QCOMPARE(alertes.size(), 3);
    QCOMPARE(moulins(2), QStringLiteral("21007"));
    QCOMPARE(veille.raison(Spot_De(Diffusion("F1AAA", "21001", "1311"))), Alertes::Raison::Aucune);
}

void Tst_Fenetre_Spots::liste_gardee_propre()
{
    Dossier_Test dossier;
    Isole_Reglages(dossier.chemin());
    QDateTime maintenant = Recu;
    Alertes::Reglages r;
    r.age_minutes = 5;
    Veille_Spots veille(Index_Log(), {}, r, [&] { return maintenant; });
    Spots_DMF f({}, veille);
    f.show();
    auto *table = f.findChild<QTableView *>(QStringLiteral("Table_Spots"));
    const auto indicatifs = [&] {
        QStringList l;
        for (int i = 0; i < table->model()->rowCount(); ++i)
            l << table->model()->index(i, Modele_Spots::Indicatif).data().toString();
        return l.join(u' ');
    };
    emit veille.client().spots({Spot_De(Diffusion("F1AAA", "21001", "1239")), Spot_De(Diffusion("F1BBB", "21002", "1238")),
                                Spot_De(Diffusion("F1CCC", "21003", "1235"))});
    f.modele()->montre();
    QCOMPARE(indicatifs(), QStringLiteral("F1AAA F1BBB F1CCC"));

    // QRT: that station's row for that mill ends, greyed.
    emit veille.client().spots({Spot_De("DX de F5XYZ:  7012.0  F1BBB  DMF 21002 CW qrt  1239Z")});
    f.modele()->montre();
    QCOMPARE(indicatifs(), QStringLiteral("F1BBB F1AAA F1CCC"));
    QCOMPARE(table->model()->index(0, Modele_Spots::Etat).data().toString(), QStringLiteral("QRT, nouveau moulin"));
    QCOMPARE(table->model()->index(0, 0).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::darkGray));
    QVERIFY(!table->model()->index(1, 0).data(Qt::ForegroundRole).isValid());

    // Suppr hides a row until that station spots that mill again.
    QVERIFY(QTest::qWaitForWindowActive(&f));
    table->setFocus();
    table->setCurrentIndex(table->model()->index(1, 0));
    QTest::keyClick(table, Qt::Key_Delete);
    QCOMPARE(indicatifs(), QStringLiteral("F1BBB F1CCC"));
    QCOMPARE(table->currentIndex().siblingAtColumn(Modele_Spots::Indicatif).data().toString(), QStringLiteral("F1CCC"));
    emit veille.client().spots({Spot_De(Diffusion("F1AAA", "21001", "1239"))});
    f.modele()->montre();
    QCOMPARE(indicatifs(), QStringLiteral("F1BBB F1CCC"));
    emit veille.client().spots({Spot_De(Diffusion("F1AAA", "21001", "1240"))});
    f.modele()->montre();
    QCOMPARE(indicatifs(), QStringLiteral("F1AAA F1BBB F1CCC"));

    // Older than five minutes, a spot leaves the list by itself.
    maintenant = maintenant.addSecs(60);
    QTRY_COMPARE(indicatifs(), QStringLiteral("F1AAA F1BBB"));
}

void Tst_Fenetre_Spots::reglages_des_alertes_data()
{
    QTest::addColumn<QString>("liste");
    QTest::addColumn<QString>("message");
    QTest::newRow("juste") << "21003, 29\n2a f4def/p" << QString();
    QTest::newRow("numéro de quatre chiffres")
        << "21003 2100 F4DEF"
        << "Liste de surveillance : « 2100 » n'est ni un N° DMF (21003), ni un département (29 ou 2A), ni un indicatif (F4DEF/P). "
           "Rien n'est gardé.";
    QTest::newRow("département 20") << "20" << "Liste de surveillance : « 20 » n'est ni un N° DMF (21003), ni un département (29 ou 2A), "
                                               "ni un indicatif (F4DEF/P). Rien n'est gardé.";
}

void Tst_Fenetre_Spots::reglages_des_alertes()
{
    QFETCH(QString, liste);
    QFETCH(QString, message);
    Dossier_Test dossier;
    Isole_Reglages(dossier.chemin());
    QStringList messages;
    Message::Installe_Repondeur([&](const QString &texte, QMessageBox::StandardButtons) {
        messages << texte;
        return QMessageBox::Ok;
    });
    Fenetre_Alertes f(Alertes::Reglages{});
    f.show();
    QCOMPARE(f.windowTitle(), QStringLiteral("Alertes"));
    QSignalSpy gardes(&f, &Fenetre_Alertes::Reglages_Gardes);
    f.findChild<QPlainTextEdit *>(QStringLiteral("Liste_Surveillance"))->setPlainText(liste);
    f.findChild<QCheckBox *>(QStringLiteral("Alerte_Son"))->setChecked(true);
    f.findChild<QSpinBox *>(QStringLiteral("Silence_Alertes"))->setValue(60);
    QTest::mouseClick(f.findChild<QPushButton *>(QStringLiteral("Valider_Alertes")), Qt::LeftButton);
    Message::Installe_Repondeur({});
    if (!message.isEmpty()) {
        QCOMPARE(messages, QStringList{message});
        QCOMPARE(gardes.size(), 0);
        QCOMPARE(Alertes::Lit_Reglages(), Alertes::Reglages());
        QVERIFY(f.isVisible());
        return;
    }
    QCOMPARE(messages, QStringList());
    QCOMPARE(gardes.size(), 1);
    const Alertes::Reglages r = Alertes::Lit_Reglages();
    QCOMPARE(gardes.at(0).at(0).value<Alertes::Reglages>(), r);
    QCOMPARE(Alertes::Texte_Surveillance(r.surveillance), QStringLiteral("21003 29 2A F4DEF/P"));
    QVERIFY(r.son);
    QCOMPARE(r.silence_minutes, 60);
    QVERIFY(!f.isVisible());
}

QTEST_MAIN(Tst_Fenetre_Spots)
#include "tst_fenetre_spots.moc"
