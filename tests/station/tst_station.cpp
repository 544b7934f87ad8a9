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
