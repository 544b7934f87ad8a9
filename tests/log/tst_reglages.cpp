#include "Journal.h"
#include "Outils_Test.h"
#include "Reglages.h"

using namespace Sous_Programmes;

class Tst_Reglages : public QObject {
    Q_OBJECT

private slots:
    void init();
    void premier_demarrage_sans_reglages();
    void chemin_et_revision_reecrits_a_chaque_demarrage();
    void demarrage_sans_changement_ne_reecrit_rien();
    void station_validee_puis_redemarrage();
    void chaque_station_garde_ses_reglages();
    void position_type_activite_data();
    void position_type_activite();
    void reglages_dans_le_magasin_natif();

private:
    std::unique_ptr<QTemporaryDir> m_reglages;
    QSettings brut() const { return Reglages_Bruts(); }
};

void Tst_Reglages::init()
{
    // Each case starts from a user who never ran the program.
    m_reglages = std::make_unique<QTemporaryDir>();
    QVERIFY(m_reglages->isValid());
    Isole_Reglages(m_reglages->path());
}

void Tst_Reglages::premier_demarrage_sans_reglages()
{
    const Etat_Demarrage etat = Charge_Reglages(QStringLiteral("/opt/kob"));
    QCOMPARE(etat.indicatif, QStringLiteral("FXXXX"));
    QCOMPARE(etat.annee, QStringLiteral("XXXX"));
    QCOMPARE(etat.type_activite, 0);
    QVERIFY(etat.date_automatique);
    QVERIFY(Premiere_Installation(etat.indicatif));
    QCOMPARE(Message_Premiere_Installation(),
             QString::fromUtf8("\r\n  Premiere installation, vous devez entrer votre Indicatif et l'année du Radovered\r\n\r\n"
                               "    Pour cela dans la barre des menus allez dans Station puis Nouvel Indicatif."));
}

void Tst_Reglages::chemin_et_revision_reecrits_a_chaque_demarrage()
{
    Charge_Reglages(QStringLiteral("/ancien"));
    {
        QSettings s = brut();
        s.setValue(QStringLiteral("Setup FXXXX/Revision"), QStringLiteral("vieille"));
    }
    Charge_Reglages(QStringLiteral("/nouveau"));
    QSettings s = brut();
    QCOMPARE(s.value(QStringLiteral("Setup /Chemin Repertoire")).toString(), QStringLiteral("/nouveau"));
    QCOMPARE(s.value(QStringLiteral("Setup FXXXX/Revision")).toString(), QStringLiteral(" 1.0.9"));
}

static QByteArray Lit_Octets(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Tst_Reglages::demarrage_sans_changement_ne_reecrit_rien()
{
#ifdef Q_OS_WIN
    QSKIP("the settings are in the registry: there is no file whose rewriting could be seen");
#endif
    Charge_Reglages(QStringLiteral("/p"));
    const QString fichier = brut().fileName();
    const QByteArray avant = Lit_Octets(fichier);
    QVERIFY(!avant.isEmpty());
    // A rewrite would replace the file: a marker planted in it would go.
    QFile f(fichier);
    QVERIFY(f.open(QIODevice::Append));
    f.write("; marque\n");
    f.close();
    Charge_Reglages(QStringLiteral("/p"));
    QCOMPARE(Lit_Octets(fichier), avant + "; marque\n");
    Charge_Reglages(QStringLiteral("/q"));
    QCOMPARE(brut().value(QStringLiteral("Setup /Chemin Repertoire")).toString(), QStringLiteral("/q"));
}

void Tst_Reglages::station_validee_puis_redemarrage()
{
    Dossier_Test programme;
    QVERIFY(Cree_Log("TEST1", "2007", programme.chemin()).ok());
    QVERIFY(Sauve_Station("TEST1", "2007").ok());
    QVERIFY(programme.existe(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt")));

    QSettings s = brut();
    QCOMPARE(s.value(QStringLiteral("Setup /Indicatif Station")).toString(), QStringLiteral("TEST1"));
    QCOMPARE(s.value(QStringLiteral("Setup TEST1/Annee Radovered")).toString(), QStringLiteral("2007"));

    const Etat_Demarrage etat = Charge_Reglages(programme.chemin());
    QCOMPARE(etat.indicatif, QStringLiteral("TEST1"));
    QCOMPARE(etat.annee, QStringLiteral("2007"));
    QVERIFY(!Premiere_Installation(etat.indicatif));
    QCOMPARE(Lit_Indicatif_Station(), QStringLiteral("TEST1"));
    QCOMPARE(Lit_Annee_Radovered(QStringLiteral("TEST1"), QStringLiteral("----")), QStringLiteral("2007"));
    QCOMPARE(Lit_Annee_Radovered(QStringLiteral("TEST9"), QStringLiteral("----")), QStringLiteral("----"));
}

void Tst_Reglages::chaque_station_garde_ses_reglages()
{
    QVERIFY(Sauve_Station("TEST1", "2007").ok());
    QVERIFY(Sauve_Date_Automatique("TEST1", false).ok());
    QVERIFY(Sauve_Type_Activite("TEST1", 3).ok());

    QVERIFY(Sauve_Station("TEST2", "2008").ok());
    Etat_Demarrage etat = Charge_Reglages(QStringLiteral("/p"));
    QCOMPARE(etat.indicatif, QStringLiteral("TEST2"));
    QCOMPARE(etat.annee, QStringLiteral("2008"));
    QCOMPARE(etat.type_activite, 0); // never seen before: the defaults
    QVERIFY(etat.date_automatique);

    QVERIFY(Sauve_Date_Automatique("TEST2", false).ok());
    QVERIFY(Sauve_Type_Activite("TEST2", -1).ok());
    QSettings s = brut();
    QCOMPARE(s.value(QStringLiteral("Setup TEST2/Date_Automatique")).toString(), QStringLiteral("Non"));
    QCOMPARE(s.value(QStringLiteral("Setup TEST2/Type Activite")).toString(), QStringLiteral("-1"));

    QVERIFY(Sauve_Station("TEST1", "2007").ok());
    etat = Charge_Reglages(QStringLiteral("/p"));
    QCOMPARE(etat.type_activite, 3);
    QVERIFY(!etat.date_automatique);
    QVERIFY(Sauve_Date_Automatique("TEST1", true).ok());
    QVERIFY(Charge_Reglages(QStringLiteral("/p")).date_automatique);
}

void Tst_Reglages::position_type_activite_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<int>("position");
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("8") << "8" << 8;
    QTest::newRow("texte tapé") << "-1" << -1;
    QTest::newRow("hors liste") << "9" << 0;
    QTest::newRow("négatif") << "-2" << 0;
    QTest::newRow("pas un nombre") << "abc" << 0;
    QTest::newRow("vide") << "" << 0;
}

void Tst_Reglages::position_type_activite()
{
    QFETCH(QString, texte);
    QFETCH(int, position);
    QCOMPARE(Position_Type_Activite(texte), position);
    // The same text stored then loaded gives the same position.
    QVERIFY(Sauve_Station("TEST1", "2007").ok());
    {
        QSettings s = brut();
        s.setValue(QStringLiteral("Setup TEST1/Type Activite"), texte);
    }
    QCOMPARE(Charge_Reglages(QStringLiteral("/p")).type_activite, position);
}

void Tst_Reglages::reglages_dans_le_magasin_natif()
{
    QVERIFY(Sauve_Station("TEST1", "2007").ok());
    QSettings s = brut();
#ifdef Q_OS_WIN
    // In the registry, under the test's own organisation.
    QVERIFY2(s.fileName().startsWith(QStringLiteral("\\HKEY_CURRENT_USER\\Software\\Dezudidar_ERI_Tests_")), qPrintable(s.fileName()));
#else
    QVERIFY2(s.fileName().startsWith(m_reglages->path()), qPrintable(s.fileName()));
    QVERIFY(QFile::exists(s.fileName()));
#endif
    QCOMPARE(s.childGroups(), (QStringList{QStringLiteral("Setup "), QStringLiteral("Setup TEST1")}));
}

QTEST_GUILESS_MAIN(Tst_Reglages)
#include "tst_reglages.moc"
