// Validating pending QSOs from the published list, as the operator does it.
#include "Banc_Main.h"

#include "Dialogue_Fichier.h"

#include <QListWidget>

namespace {

const QList<QByteArray> Log{Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC", true),
                            Ligne("05/03/07", "21002", "Moulin active", "F6XYZ", true),
                            Ligne("10/03/07", "21003", "Moulin Contacte", "F1AAA")};

} // namespace

class Tst_Main_Validations : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Dialogue_Fichier::Installe_Repondeur({}); }
    void valider_depuis_la_liste();
    void liste_sans_numero_ou_log_sans_attente();
};

void Tst_Main_Validations::valider_depuis_la_liste()
{
    Banc_Main b;
    const QByteArray avant = Fichier_De(Log);
    b.station("TEST1", "2007", avant);
    b.demarre();
    const QString liste = b.dossier.ecrit(QStringLiteral("valides.csv"), "DMF;Nom\r\n21002;Moulin de la Roche\r\n21003;Autre\r\n");
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &) { return liste; });

    // Cancelled: nothing written.
    b.action("Mnu_Validations")->trigger();
    QWidget *f = Banc_Main::fenetre_ouverte("Validations");
    QVERIFY(f);
    QTest::mouseClick(f->findChild<QPushButton *>(QStringLiteral("Annuler_Validations")), Qt::LeftButton);
    QCOMPARE(b.dossier.lit(b.log()), avant);

    b.action("Mnu_Validations")->trigger();
    f = Banc_Main::fenetre_ouverte("Validations");
    QVERIFY(f);
    auto *lignes = f->findChild<QListWidget *>(QStringLiteral("Liste_Validations"));
    QCOMPARE(lignes->count(), 1);
    QCOMPARE(lignes->item(0)->text(), b.ligne_liste(1));
    const QString resume = f->findChild<QLabel *>(QStringLiteral("Resume_Validations"))->text();
    QVERIFY2(resume.contains(QStringLiteral("1 QSO perdront")) && resume.contains(QStringLiteral("1 QSO restent"))
                 && resume.contains(QStringLiteral("gagnera 6 points")),
             qPrintable(resume));
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("2"));

    b.messages.clear();
    QTest::mouseClick(f->findChild<QPushButton *>(QStringLiteral("Valider_Validations")), Qt::LeftButton);
    QCOMPARE(b.messages, QStringList{QStringLiteral("1 QSO validé.")});
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De({Log[0], Ligne("05/03/07", "21002", "Moulin active", "F6XYZ"), Log[2]}));
    QCOMPARE(b.champ("Total_Points")->text(), QStringLiteral("8"));
    // The backup came first.
    QCOMPARE(QDir(b.dossier.fichier(QStringLiteral("Sauvegardes"))).entryList(QDir::Files).size(), 1);
}

void Tst_Main_Validations::liste_sans_numero_ou_log_sans_attente()
{
    Banc_Main b;
    b.station("TEST1", "2007", Fichier_De(Log));
    b.demarre();
    QString liste = b.dossier.ecrit(QStringLiteral("vide.txt"), "Aucune validation cette semaine.\r\n");
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &) { return liste; });
    b.messages.clear();
    b.action("Mnu_Validations")->trigger();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().contains(QStringLiteral("aucun numéro DMF")), qPrintable(b.messages.first()));

    b.station("TEST1", "2007", Fichier_De({Log[2]}));
    liste = b.dossier.ecrit(QStringLiteral("valides.txt"), "21003\r\n");
    b.messages.clear();
    b.action("Mnu_Validations")->trigger();
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().contains(QStringLiteral("aucun QSO en attente")), qPrintable(b.messages.first()));
    QVERIFY(!Banc_Main::fenetre_visible("Validations"));
    QCOMPARE(b.dossier.lit(b.log()), Fichier_De({Log[2]}));
}

QTEST_MAIN(Tst_Main_Validations)
#include "tst_main_validations.moc"
