// The kept list of mills, read in the background from the start: those who
// follow it are told once it is read, and again when another is kept.
#include "Liste_Courante.h"
#include "Outils_Test.h"

#include <QSignalSpy>

class Tst_Liste_Courante : public QObject {
    Q_OBJECT

private slots:
    void lue_en_arriere_plan_puis_dite();
    void attendue_quand_il_la_faut();
    void remplacee_par_la_liste_gardee();
    void illisible_dite_en_francais();
};

namespace {

const QByteArray Liste = "dmf;nom;commune\r\n21001;Moulin A;Dijon\r\n2A003;Moulin C;Ajaccio\r\n";

} // namespace

void Tst_Liste_Courante::lue_en_arriere_plan_puis_dite()
{
    Dossier_Test d;
    d.ecrit(QStringLiteral("Moulins.txt"), Liste);
    Moulins::Liste_Courante courante(d.chemin());
    QSignalSpy changee(&courante, &Moulins::Liste_Courante::changee);
    QVERIFY(changee.wait(5000));
    QCOMPARE(changee.count(), 1);
    QVERIFY(courante.lue());
    const auto liste = changee.first().first().value<std::shared_ptr<const Moulins::Liste>>();
    QVERIFY(liste);
    QCOMPARE(liste->taille(), 2);
    QCOMPARE(courante.liste(), liste);
    QVERIFY(courante.erreur().isEmpty());
    QTest::qWait(20);
    QCOMPARE(changee.count(), 1);
}

void Tst_Liste_Courante::attendue_quand_il_la_faut()
{
    Dossier_Test d;
    d.ecrit(QStringLiteral("Moulins.txt"), Liste);
    Moulins::Liste_Courante courante(d.chemin());
    QSignalSpy changee(&courante, &Moulins::Liste_Courante::changee);
    // Asked at once: read by then, told once, never twice.
    QVERIFY(courante.liste());
    QCOMPARE(courante.liste()->Designation(*courante.liste()->Trouve("2A003")), QStringLiteral("Moulin C, Ajaccio (2A)"));
    QCOMPARE(changee.count(), 1);
    QTest::qWait(20);
    QCOMPARE(changee.count(), 1);

    // No list kept: none, and no error.
    Dossier_Test vide;
    Moulins::Liste_Courante aucune(vide.chemin());
    QVERIFY(aucune.liste() && aucune.liste()->vide());
    QVERIFY(aucune.erreur().isEmpty());
}

void Tst_Liste_Courante::remplacee_par_la_liste_gardee()
{
    Dossier_Test d;
    Moulins::Liste_Courante courante(d.chemin());
    QSignalSpy changee(&courante, &Moulins::Liste_Courante::changee);
    auto nouvelle = std::make_shared<const Moulins::Liste>(Moulins::Lit_Liste(Liste).liste);
    courante.remplace(nouvelle);
    QCOMPARE(courante.liste(), nouvelle);
    QTest::qWait(20);
    // The reading of the old one, done meanwhile, is not told after it.
    QCOMPARE(changee.count(), 1);
    QCOMPARE(changee.first().first().value<std::shared_ptr<const Moulins::Liste>>(), nouvelle);
}

void Tst_Liste_Courante::illisible_dite_en_francais()
{
    Dossier_Test d;
    QVERIFY(QDir().mkdir(d.fichier(QStringLiteral("Moulins.txt"))));
    Moulins::Liste_Courante courante(d.chemin());
    QVERIFY(!courante.liste());
    QVERIFY(!courante.erreur().isEmpty());
    QVERIFY2(courante.erreur().contains(QStringLiteral("Moulins.txt")), qPrintable(courante.erreur()));
}

QTEST_GUILESS_MAIN(Tst_Liste_Courante)
#include "tst_liste_courante.moc"
