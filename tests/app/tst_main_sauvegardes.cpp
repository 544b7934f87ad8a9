// Backups as the operator meets them: before the first change, and restored from the menu.
#include "Banc_Main.h"

#include <QListWidget>

namespace {

const QList<QByteArray> Log{Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"),
                            Ligne("05/03/07", "21002", "Moulin active", "F6XYZ"),
                            Ligne("10/03/07", "21003", "Moulin Contacte", "F1AAA")};

QStringList Sauvegardes_De(const Banc_Main &b)
{
    return QDir(b.dossier.fichier(QStringLiteral("Sauvegardes"))).entryList(QDir::Files, QDir::Name);
}

} // namespace

class Tst_Main_Sauvegardes : public QObject {
    Q_OBJECT

private slots:
    void suppression_puis_restauration();
    void sauvegarde_impossible();
    void copie_faite_des_que_la_fenetre_est_montree();
};

void Tst_Main_Sauvegardes::suppression_puis_restauration()
{
    Banc_Main b;
    const QByteArray avant = Fichier_De(Log);
    b.station("TEST1", "2007", avant);
    b.demarre();

    b.messages.clear();
    b.action("Mnu_Restaurer")->trigger();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().contains(QStringLiteral("aucune sauvegarde")), qPrintable(b.messages.first()));

    // The wrong mill deleted, then another: one backup, of the log before the first.
    b.clique_ligne(1);
    QTest::mouseClick(b.bouton("Annule_Saisie"), Qt::LeftButton);
    b.clique_ligne(0);
    QTest::mouseClick(b.bouton("Annule_Saisie"), Qt::LeftButton);
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De({Log[2]}));
    QCOMPARE(Sauvegardes_De(b), QStringList{QStringLiteral("TEST1_Dezudidar_ERI_2007_20070315-193000.txt")});
    QCOMPARE(b.dossier.lit(QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007_20070315-193000.txt")), avant);

    b.maintenant = b.maintenant.addSecs(600);
    b.action("Mnu_Restaurer")->trigger();
    QWidget *r = Banc_Main::fenetre_ouverte("Restauration");
    QVERIFY(r);
    auto *liste = r->findChild<QListWidget *>(QStringLiteral("Liste_Sauvegardes"));
    QCOMPARE(liste->count(), 1);
    QVERIFY2(liste->item(0)->text().startsWith(QStringLiteral("15/03/2007 à 19:30:00")), qPrintable(liste->item(0)->text()));
    QVERIFY2(liste->item(0)->text().contains(QStringLiteral("3 QSO")) && liste->item(0)->text().contains(QStringLiteral("10 points")),
             qPrintable(liste->item(0)->text()));
    b.messages.clear();
    QTest::mouseClick(r->findChild<QPushButton *>(QStringLiteral("Restaurer_Sauvegarde")), Qt::LeftButton);
    QCOMPARE(b.messages.size(), 2);
    QVERIFY(b.messages[0].startsWith(QStringLiteral("Voulez vous remplacer le log par la sauvegarde du 15/03/2007 à 19:30:00 ?")));
    QCOMPARE(b.messages[1], QStringLiteral("Le log a été remplacé par la sauvegarde du 15/03/2007 à 19:30:00."));
    QCOMPARE(b.dossier.lit(b.log()), avant);
    QCOMPARE(b.lignes(), 3);
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("10"));
    // What was replaced is itself kept.
    QCOMPARE(b.dossier.lit(QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007_20070315-194000.txt")), Fichier_De({Log[2]}));
    QVERIFY(!Banc_Main::fenetre_visible("Restauration"));
}

void Tst_Main_Sauvegardes::sauvegarde_impossible()
{
    Banc_Main b;
    const QByteArray avant = Fichier_De(Log);
    b.station("TEST1", "2007", avant);
    b.dossier.ecrit(QStringLiteral("Sauvegardes"), "un fichier à la place du dossier");
    b.demarre();

    // Told, and refused: nothing written, the QSO still in the fields.
    b.saisit_qso(QStringLiteral("F9NEW"), 0, QStringLiteral("40001"));
    b.messages.clear();
    b.reponses = {QMessageBox::Yes, QMessageBox::No};
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(b.messages.size(), 2);
    QVERIFY2(b.messages[1].contains(QStringLiteral("n'a pas pu être faite")), qPrintable(b.messages[1]));
    QCOMPARE(b.dossier.lit(b.log()), avant);
    QCOMPARE(b.champ("Ind_A")->text(), QStringLiteral("F9NEW"));

    // Accepted: recorded, and not asked again in this run.
    b.reponses = {QMessageBox::Yes, QMessageBox::Yes};
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(b.dossier.lit(b.log()), avant + Ligne("15/03/07", "40001", "Moulin Contacte", "F9NEW") + "\r\n");
    b.clique_ligne(0);
    b.messages.clear();
    QTest::mouseClick(b.bouton("Annule_Saisie"), Qt::LeftButton);
    QVERIFY(b.messages.size() == 1 && b.messages[0].startsWith(QString::fromUtf8("Voulez vous effacer le DMF N° 21001 ?\n")));
    QCOMPARE(b.lignes(), 3);
}

void Tst_Main_Sauvegardes::copie_faite_des_que_la_fenetre_est_montree()
{
    Banc_Main b;
    const QByteArray avant = Fichier_De(Log);
    b.station("TEST1", "2007", avant);
    b.demarre();
    // Copied while the operator types the first QSO, not when it is recorded.
    const QString preparee = QStringLiteral("Sauvegardes/TEST1_Dezudidar_ERI_2007.preparee.tmp");
    QTRY_COMPARE(b.dossier.lit(preparee), avant);
    b.messages.clear();
    b.action("Mnu_Restaurer")->trigger();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().contains(QStringLiteral("aucune sauvegarde")), qPrintable(b.messages.first()));
    // Quit with nothing changed: nothing left in the folder.
    b.fenetre.reset();
    QCOMPARE(Sauvegardes_De(b), QStringList());
    QCOMPARE(b.dossier.lit(b.log()), avant);
}

QTEST_MAIN(Tst_Main_Sauvegardes)
#include "tst_main_sauvegardes.moc"
