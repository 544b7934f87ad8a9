// Import and export of ADIF files, as the operator does them from the menu.
#include "Banc_Main.h"

#include "ADIF_Test.h"

#include "Dialogue_Fichier.h"

#include <QCheckBox>
#include <QProgressDialog>
#include <QTableView>
#include <QTimer>

namespace {

const QList<QByteArray> Log{Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"),
                            Ligne("20/03/07", "21002", "Moulin Contacte", "F6XYZ")};

} // namespace

class Tst_Main_Echange : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Dialogue_Fichier::Installe_Repondeur({}); }
    void importer_apres_l_apercu();
    void journal_general_avec_progression();
    void export_du_plus_recent_au_plus_ancien();
    void exporter_le_log();
};

void Tst_Main_Echange::importer_apres_l_apercu()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.demarre();
    const QString adi = b.dossier.ecrit(QStringLiteral("autre.adi"),
        "Carnet general\r\n<EOH>\r\n"
        + F("CALL", "F5ABC") + F("QSO_DATE", "20070301") + F("SIG", "DMF") + F("SIG_INFO", "21001") + "<EOR>\r\n"
        + F("call", "f1new") + F("qso_date", "20070310") + F("comment", "DMF-29015") + "<eor>\r\n"
        + F("CALL", "F2DBL") + F("QSO_DATE", "20070311") + F("SIG", "DMF") + F("SIG_INFO", "21002") + "<EOR>\r\n"
        + F("CALL", "F3ACT") + F("QSO_DATE", "20070312") + F("MY_SIG", "DMF") + F("MY_SIG_INFO", "21777") + "<EOR>\r\n"
        + F("CALL", "F4OLD") + F("QSO_DATE", "20060312") + F("SIG", "DMF") + F("SIG_INFO", "21888") + "<EOR>\r\n");
    QStringList titres;
    Dialogue_Fichier::Installe_Repondeur([&](const QString &titre, const QString &) {
        titres << titre;
        return adi;
    });

    // Cancelled: nothing written.
    b.action("Mnu_Importer_ADIF")->trigger();
    QWidget *f = Banc_Main::fenetre_ouverte("Import_ADIF");
    QVERIFY(f);
    QTest::mouseClick(f->findChild<QPushButton *>(QStringLiteral("Annuler_Import")), Qt::LeftButton);
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De(Log));

    b.action("Mnu_Importer_ADIF")->trigger();
    f = Banc_Main::fenetre_ouverte("Import_ADIF");
    QVERIFY(f);
    auto *table = f->findChild<QTableView *>(QStringLiteral("Table_Import"));
    QAbstractItemModel *m = table->model();
    QCOMPARE(m->rowCount(), 3);
    QCOMPARE(m->index(0, 6).data().toString(), QStringLiteral("déjà dans le log"));
    QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEnabled));
    QCOMPARE(m->index(1, 2).data().toString(), QStringLiteral("F1NEW"));
    QCOMPARE(m->index(2, 5).data().toString(), QString::fromUtf8("Double ou non validé"));
    QCOMPARE(m->index(2, 6).data().toString(), QStringLiteral("déjà contacté le 20/03/07"));
    auto *resume = f->findChild<QLabel *>(QStringLiteral("Resume_Import"));
    QVERIFY2(resume->text().startsWith(QStringLiteral("2 QSO seront importés.")), qPrintable(resume->text()));
    QVERIFY2(resume->text().contains(QStringLiteral("1 activation")), qPrintable(resume->text()));
    QVERIFY2(resume->text().contains(QStringLiteral("1 d'une autre année")), qPrintable(resume->text()));

    // From the keyboard: Space on the double's tick leaves it out.
    table->setFocus();
    table->setCurrentIndex(m->index(2, 0));
    QTest::keyClick(table, Qt::Key_Space);
    QCOMPARE(m->index(2, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(resume->text().startsWith(QStringLiteral("1 QSO seront importés.")));

    // F2 on a type offers the nine texts.
    table->setCurrentIndex(m->index(1, 5));
    QTest::keyClick(table, Qt::Key_F2);
    auto *choix = table->findChild<QComboBox *>();
    QVERIFY(choix);
    QCOMPARE(choix->count(), 9);
    choix->setCurrentIndex(1);
    QTest::keyClick(choix, Qt::Key_Return);
    QTRY_COMPARE(m->index(1, 5).data().toString(), QStringLiteral("Reactivation Contactee"));

    b.messages.clear();
    QTest::mouseClick(f->findChild<QPushButton *>(QStringLiteral("Importer_ADIF")), Qt::LeftButton);
    QCOMPARE(b.messages, QStringList{QStringLiteral("1 QSO importé.")});
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De({Log[0], Ligne("10/03/07", "29015", "Reactivation Contactee", "F1NEW", true), Log[1]}));
    QCOMPARE(b.lignes(), 3);
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("4"));
    QVERIFY(!Banc_Main::fenetre_visible("Import_ADIF"));
    QCOMPARE(titres.first(), QStringLiteral("Importer des QSO (ADIF)"));
}

void Tst_Main_Echange::journal_general_avec_progression()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.delai_progression_ms = 0;
    b.demarre();
    // A general log: a QSO of the challenge now and then, and two records
    // claiming to be this program's export that the entry would refuse.
    QByteArray general = "Carnet general\r\n<EOH>\r\n";
    for (int i = 0; i < 5000; ++i) {
        general += F("CALL", "DL" + QByteArray::number(i)) + F("QSO_DATE", "20070315") + F("BAND", "40M")
            + (i % 100 ? F("COMMENT", "73") : F("SIG", "DMF") + F("SIG_INFO", QByteArray::number(29000 + i / 100))) + "<EOR>\r\n";
    }
    const QByteArray propre = F("APP_DEZUDIDAR_TYPE", "Moulin Contacte") + F("APP_DEZUDIDAR_ATTENTE", "N") + "<EOR>\r\n";
    general += F("CALL", "F5ABC") + F("QSO_DATE", "20070316") + F("SIG_INFO", "../..") + propre;
    general += F("CALL", "f6low") + F("QSO_DATE", "20070316") + F("SIG_INFO", "21099") + propre;
    const QString adi = b.dossier.ecrit(QStringLiteral("general.adi"), general);
    // A far longer one, still being read in the background when "Annuler" is pressed.
    QByteArray long_journal = "Carnet general\r\n<EOH>\r\n";
    const QByteArray enregistrement = F("CALL", "DL1AB") + F("QSO_DATE", "20070315") + F("BAND", "40M") + "<EOR>\r\n";
    long_journal.reserve(long_journal.size() + 1'000'000 * enregistrement.size());
    for (int i = 0; i < 1'000'000; ++i)
        long_journal += enregistrement;
    const QString long_adi = b.dossier.ecrit(QStringLiteral("general_long.adi"), long_journal);
    QString choisi = long_adi;
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &) { return choisi; });

    // "Annuler" while the file is read: no preview, nothing written, nothing said.
    QString texte_vu;
    QTimer annule;
    annule.setInterval(0);
    connect(&annule, &QTimer::timeout, [&] {
        auto *d = Banc_Main::fenetre_visible<QProgressDialog>("Progression_Import");
        if (!d)
            return;
        texte_vu = d->labelText() + u'|' + d->findChild<QPushButton *>()->text();
        d->findChild<QPushButton *>()->click();
        annule.stop();
    });
    annule.start();
    b.messages.clear();
    b.action("Mnu_Importer_ADIF")->trigger();
    QCOMPARE(texte_vu, QStringLiteral("Lecture du fichier general_long.adi...|Annuler"));
    QVERIFY(!Banc_Main::fenetre_visible("Import_ADIF"));
    QVERIFY(!Banc_Main::fenetre_visible("Progression_Import"));
    QCOMPARE(b.messages, QStringList());
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De(Log));

    choisi = adi;
    // Gone to the end: the 50 QSOs of the challenge, the two refused shown
    // unticked, never to be ticked, their remark naming the field.
    b.action("Mnu_Importer_ADIF")->trigger();
    QWidget *f = Banc_Main::fenetre_ouverte("Import_ADIF");
    QVERIFY(f);
    QVERIFY(!Banc_Main::fenetre_visible("Progression_Import"));
    QAbstractItemModel *m = f->findChild<QTableView *>(QStringLiteral("Table_Import"))->model();
    QCOMPARE(m->rowCount(), 52);
    for (int ligne : {50, 51}) {
        const QModelIndex coche = m->index(ligne, 0);
        QCOMPARE(coche.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(!(m->flags(coche) & (Qt::ItemIsEnabled | Qt::ItemIsUserCheckable)));
        QVERIFY(!m->setData(coche, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(coche.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    }
    QVERIFY2(m->index(50, 6).data().toString().contains(QStringLiteral("« N° DMF »")), qPrintable(m->index(50, 6).data().toString()));
    QVERIFY2(m->index(51, 6).data().toString().contains(QStringLiteral("« Indicatif »")), qPrintable(m->index(51, 6).data().toString()));
    auto *resume = f->findChild<QLabel *>(QStringLiteral("Resume_Import"));
    QVERIFY2(resume->text().startsWith(QStringLiteral("50 QSO seront importés. 2 refusé(s)")), qPrintable(resume->text()));
    QVERIFY2(resume->text().contains(QStringLiteral("4950 sans référence DMF")), qPrintable(resume->text()));

    b.messages.clear();
    QTest::mouseClick(f->findChild<QPushButton *>(QStringLiteral("Importer_ADIF")), Qt::LeftButton);
    QCOMPARE(b.messages, QStringList{QStringLiteral("50 QSO importés.")});
    const QByteArray apres = b.dossier.lit(b.log());
    QCOMPARE(apres.count("\r\n"), 52);
    QVERIFY(!apres.contains("../..") && !apres.contains("F6LOW") && !apres.contains("f6low"));
}

void Tst_Main_Echange::export_du_plus_recent_au_plus_ancien()
{
    Banc_Main b;
    const QList<QByteArray> log{Ligne("10/01/07", "21001", "Moulin Contacte", "F5AAA"),
                                Ligne("01/02/07", "21002", "Moulin Contacte", "F5BBB"),
                                Ligne("20/02/07", "21003", "Moulin Contacte", "F5CCC")};
    b.station("TEST1", "2007", Fichier_De(log));
    b.demarre();
    auto qso = [](const char *jour, const char *dmf) {
        return F("CALL", "F6NEW") + F("QSO_DATE", jour) + F("SIG", "DMF") + F("SIG_INFO", dmf) + "<EOR>\r\n";
    };
    const QString adi = b.dossier.ecrit(QStringLiteral("recent.adi"), "<EOH>\r\n" + qso("20070225", "29001") + qso("20070222", "29005")
                                                                            + qso("20070202", "29002") + qso("20070115", "29003")
                                                                            + qso("20070112", "29006") + qso("20070105", "29004"));
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &) { return adi; });
    b.action("Mnu_Importer_ADIF")->trigger();
    QWidget *f = Banc_Main::fenetre_ouverte("Import_ADIF");
    QVERIFY(f);
    f->findChild<QCheckBox *>(QStringLiteral("Attente_Import"))->setChecked(false);
    QTest::mouseClick(f->findChild<QPushButton *>(QStringLiteral("Importer_ADIF")), Qt::LeftButton);
    auto nouvelle = [](const char *date, const char *dmf) { return Ligne(date, dmf, "Moulin Contacte", "F6NEW"); };
    QCOMPARE(b.dossier.lit(b.log()),
             Fichier_De({nouvelle("05/01/07", "29004"), log[0], nouvelle("12/01/07", "29006"), nouvelle("15/01/07", "29003"), log[1],
                         nouvelle("02/02/07", "29002"), log[2], nouvelle("22/02/07", "29005"), nouvelle("25/02/07", "29001")}));
}

void Tst_Main_Echange::exporter_le_log()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.demarre();
    QString propose;
    QString choisi;
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &p) {
        propose = p;
        return choisi.isEmpty() ? p : choisi;
    });
    b.messages.clear();
    b.action("Mnu_Exporter_ADIF")->trigger();
    QCOMPARE(propose, b.dossier.fichier(QStringLiteral("TEST1_Dezudidar_ERI_2007.adi")));
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().contains(QStringLiteral(": 2 QSO.")), qPrintable(b.messages.first()));
    const QByteArray adi = b.dossier.lit(QStringLiteral("TEST1_Dezudidar_ERI_2007.adi"));
    QVERIFY(adi.contains("<PROGRAMID:17>KOB_Dezudidar_ERI "));
    QCOMPARE(adi.count("<EOR>"), 2);
    QVERIFY(!b.dossier.existe(QStringLiteral("Temporaire.txt")));

    // No log of the folder, whatever its year or the case of its name, nor a
    // backup, is ever replaced by an export.
    const QByteArray autre_annee = Fichier_De({Log[0]});
    b.dossier.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2006.txt"), autre_annee);
    QVERIFY(QDir(b.dossier.chemin()).mkpath(QStringLiteral("Sauvegardes")));
    b.dossier.ecrit(QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007_20070301-120000.txt"), autre_annee);
    for (const QString &nom : {b.log(), QStringLiteral("test1_dezudidar_eri_2006.txt"),
                              QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007_20070301-120000.txt")}) {
        choisi = b.dossier.fichier(nom);
        b.messages.clear();
        b.action("Mnu_Exporter_ADIF")->trigger();
        QCOMPARE(b.messages.size(), 1);
        QVERIFY2(b.messages.first().contains(QStringLiteral("ne peut pas le remplacer")), qPrintable(b.messages.first()));
    }
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De(Log));
    QCOMPARE(b.dossier.lit(QStringLiteral("TEST1_Dezudidar_ERI_2006.txt")), autre_annee);
    QCOMPARE(b.dossier.lit(QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007_20070301-120000.txt")), autre_annee);
    QVERIFY(!b.dossier.existe(QStringLiteral("Temporaire.txt")));
}

QTEST_MAIN(Tst_Main_Echange)
#include "tst_main_echange.moc"
