// The station window on its own: what it tells whoever opened it.
#include "Journal.h"
#include "Message.h"
#include "Outils_Test.h"
#include "Reglages.h"
#include "Carnet.h"
#include "Station.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using namespace Sous_Programmes;

class Tst_Station : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { Message::Installe_Repondeur({}); }
    void validee_apres_le_log_et_les_reglages();
    void refusee_sans_rien_dire_a_personne();
    void la_frappe_remplace_l_indicatif_propose_data();
    void la_frappe_remplace_l_indicatif_propose();
    void locator_de_la_station_data();
    void locator_de_la_station();
    void locator_de_chaque_indicatif();

private:
    void valide(Station &station, const QString &indicatif, const QString &annee)
    {
        station.findChild<QLineEdit *>(QStringLiteral("New_Indicatif"))->setText(indicatif);
        station.findChild<QLineEdit *>(QStringLiteral("New_Annee"))->setText(annee);
        QTest::mouseClick(station.findChild<QPushButton *>(QStringLiteral("Validation")), Qt::LeftButton);
    }
    std::unique_ptr<QTemporaryDir> m_reglages;
    QStringList m_messages;
};

void Tst_Station::init()
{
    m_reglages = std::make_unique<QTemporaryDir>();
    Isole_Reglages(m_reglages->path());
    m_messages.clear();
    Message::Installe_Repondeur([this](const QString &texte, QMessageBox::StandardButtons) {
        m_messages << texte;
        return QMessageBox::Ok;
    });
}

void Tst_Station::validee_apres_le_log_et_les_reglages()
{
    Dossier_Test d;
    const QByteArray modele = Fichier_De({Ligne("01/01/07", "00000", "Moulin Contacte", "MODELE")});
    d.ecrit(QString::fromLatin1(Nom_Modele_Log), modele);
    Carnet carnet(d.chemin(), [] { return QDateTime(); }, [](const QString &) { return false; });
    Station station(carnet);
    station.show();
    QSignalSpy validee(&station, &Station::Station_Validee);
    // When it is told, the log and the settings are already there to be read.
    bool pret = false;
    connect(&station, &Station::Station_Validee, this, [&] {
        pret = d.lit(QStringLiteral("F5ABC_P_Dezudidar_ERI_2008.txt")) == modele
            && Lit_Indicatif_Station() == QLatin1String("F5ABC_P")
            && Lit_Annee_Radovered(QStringLiteral("F5ABC_P"), QString()) == QLatin1String("2008");
    });
    valide(station, QStringLiteral("f5abc_p"), QStringLiteral("2008"));
    QCOMPARE(validee.count(), 1);
    QVERIFY(pret);
    QCOMPARE(carnet.chemin(), d.fichier(QStringLiteral("F5ABC_P_Dezudidar_ERI_2008.txt")));
    QVERIFY(!station.isVisible());
    QCOMPARE(m_messages, QStringList());
}

void Tst_Station::refusee_sans_rien_dire_a_personne()
{
    Dossier_Test d;
    Carnet carnet(d.chemin(), [] { return QDateTime(); }, [](const QString &) { return false; });
    Station station(carnet);
    station.show();
    QSignalSpy validee(&station, &Station::Station_Validee);
    valide(station, QStringLiteral("F5ABC"), QStringLiteral("07"));
    QCOMPARE(m_messages, QStringList{QString::fromUtf8("L'Année doit comporter 4 chiffres")});
    QCOMPARE(validee.count(), 0);
    QVERIFY(station.isVisible());
    QVERIFY(QDir(d.chemin()).isEmpty());
    QCOMPARE(Lit_Indicatif_Station(), QString::fromLatin1(Indicatif_Provisoire));
}

// Checked at Enter and at validation; kept in the station's section in its
// written form; empty allowed; refused, nothing of the station is saved.
void Tst_Station::locator_de_la_station_data()
{
    QTest::addColumn<QString>("tape");
    QTest::addColumn<QString>("garde"); // "<refusé>": nothing saved
    QTest::addColumn<QStringList>("messages");
    const QStringList refus{QStringLiteral("Le locator JN1 n'est pas valable : 4, 6 ou 8 caractères, par exemple JN18du")};
    QTest::newRow("6 caractères, en minuscules") << "jn18DU" << "JN18du" << QStringList();
    QTest::newRow("8 caractères") << "IN88gs12" << "IN88gs12" << QStringList();
    QTest::newRow("vide") << "" << "" << QStringList();
    QTest::newRow("trop court") << "JN1" << "<refusé>" << (refus + refus);
}

void Tst_Station::locator_de_la_station()
{
    QFETCH(QString, tape);
    QFETCH(QString, garde);
    QFETCH(QStringList, messages);
    Dossier_Test d;
    d.ecrit(QString::fromLatin1(Nom_Modele_Log), Fichier_De({}));
    QVERIFY(Sauve_Locator(QStringLiteral("F5ABC"), QStringLiteral("JN03")).ok());
    Carnet carnet(d.chemin(), [] { return QDateTime(); }, [](const QString &) { return false; });
    Station station(carnet);
    station.show();
    auto *locator = station.findChild<QLineEdit *>(QStringLiteral("Locator_Station"));
    QCOMPARE(locator->text(), QString());
    // Enter checks it and goes to the button.
    locator->setFocus();
    QTest::keyClicks(locator, tape);
    QTest::keyClick(locator, Qt::Key_Return);
    const bool refuse = garde == QStringLiteral("<refusé>");
    QCOMPARE(station.focusWidget() == station.findChild<QPushButton *>(QStringLiteral("Validation")), !refuse);
    if (!refuse)
        QCOMPARE(locator->text(), garde);
    QSignalSpy validee(&station, &Station::Station_Validee);
    valide(station, QStringLiteral("F5ABC"), QStringLiteral("2008"));
    QCOMPARE(m_messages, messages);
    QCOMPARE(validee.count(), refuse ? 0 : 1);
    QCOMPARE(Lit_Locator(QStringLiteral("F5ABC")), refuse ? QStringLiteral("JN03") : garde);
    QCOMPARE(Lit_Indicatif_Station(), refuse ? QString::fromLatin1(Indicatif_Provisoire) : QStringLiteral("F5ABC"));
}

// The window opens on the saved station's locator; another callsign typed
// brings its own, unless a locator was typed meanwhile.
void Tst_Station::locator_de_chaque_indicatif()
{
    Dossier_Test d;
    QVERIFY(Sauve_Station(QStringLiteral("F5ABC"), QStringLiteral("2008")).ok());
    QVERIFY(Sauve_Locator(QStringLiteral("F5ABC"), QStringLiteral("JN03")).ok());
    QVERIFY(Sauve_Locator(QStringLiteral("F5ABC_P"), QStringLiteral("IN88gs")).ok());
    Carnet carnet(d.chemin(), [] { return QDateTime(); }, [](const QString &) { return false; });
    Station station(carnet);
    station.show();
    auto *indicatif = station.findChild<QLineEdit *>(QStringLiteral("New_Indicatif"));
    auto *locator = station.findChild<QLineEdit *>(QStringLiteral("Locator_Station"));
    QCOMPARE(locator->text(), QStringLiteral("JN03"));
    indicatif->clear();
    QTest::keyClicks(indicatif, QStringLiteral("f5abc/p"));
    QTest::keyClick(indicatif, Qt::Key_Return);
    QCOMPARE(locator->text(), QStringLiteral("IN88gs"));
    QTest::keyClicks(locator, QStringLiteral("12"));
    indicatif->clear();
    QTest::keyClicks(indicatif, QStringLiteral("F6XYZ"));
    QTest::keyClick(indicatif, Qt::Key_Return);
    QCOMPARE(locator->text(), QStringLiteral("IN88gs12"));
    QCOMPARE(m_messages, QStringList());
}

void Tst_Station::la_frappe_remplace_l_indicatif_propose_data()
{
    QTest::addColumn<bool>("clic"); // the field reached by a click, or focused at the opening
    QTest::newRow("à l'ouverture") << false;
    QTest::newRow("par un clic") << true;
}

// "FXXXX", or the station kept, is replaced by what is typed, not added to.
void Tst_Station::la_frappe_remplace_l_indicatif_propose()
{
    QFETCH(bool, clic);
    Dossier_Test d;
    Carnet carnet(d.chemin(), [] { return QDateTime(); }, [](const QString &) { return false; });
    Station station(carnet);
    station.show();
    QVERIFY(QTest::qWaitForWindowActive(&station));
    auto *champ = station.findChild<QLineEdit *>(QStringLiteral("New_Indicatif"));
    QCOMPARE(champ->text(), QStringLiteral("FXXXX"));
    if (clic) {
        station.findChild<QLineEdit *>(QStringLiteral("New_Annee"))->setFocus();
        QTest::mouseClick(champ, Qt::LeftButton, {}, QPoint(champ->width() / 2, champ->height() / 2));
    }
    QTRY_VERIFY(champ->hasFocus());
    QTRY_COMPARE(champ->selectedText(), QStringLiteral("FXXXX"));
    QTest::keyClicks(champ, QStringLiteral("f4abc"));
    QCOMPARE(champ->text(), QStringLiteral("F4ABC"));
}

QTEST_MAIN(Tst_Station)
#include "tst_station.moc"
