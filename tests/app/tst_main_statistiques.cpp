#include "Banc_Main.h"

#include "Graphique.h"

#include <QTableWidget>

class Tst_Main_Statistiques : public QObject {
    Q_OBJECT

private slots:
    void chiffres_d_accord_avec_recapitulatif_et_carte();
    void sans_station_pas_de_statistiques();
};

void Tst_Main_Statistiques::chiffres_d_accord_avec_recapitulatif_et_carte()
{
    Banc_Main b;
    b.station("TEST1", "2007",
              Fichier_De({Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"), Ligne("05/03/07", "2A002", "Moulin active", "TK5XY"),
                          Ligne("10/03/07", "35003", "Reactivation activee", "F1AAA", true),
                          Ligne("12/03/07", "21002", "Double ou non valid\xE9", "F6XYZ")}));
    b.dossier.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2006.txt"),
                    Fichier_De({Ligne("01/02/06", "67001", "Moulin Contacte", "F5ABC")}));
    b.demarre();
    // A QSO typed now counts at once.
    b.saisit_qso(QStringLiteral("F9NEW"), 0, QStringLiteral("40001"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);

    QCOMPARE(b.action("Mnu_Statistiques")->text(), QStringLiteral("les statistiques..."));
    b.action("Mnu_Statistiques")->trigger();
    QWidget *s = Banc_Main::fenetre_ouverte("Statistiques");
    QVERIFY(s);
    QCOMPARE(s->windowTitle(), QStringLiteral("Statistiques"));
    auto *table = s->findChild<QTableWidget *>(QStringLiteral("Table_Annees"));
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("2007"));
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("2006"));
    QCOMPARE(table->item(0, 4)->text(), b.champ("Total_Points")->text());
    const Graphiques::Serie &courante = s->findChild<Graphiques::Graphique *>(QStringLiteral("Graphique_Points"))->contenu().series.front();
    QCOMPARE(courante.nom, QStringLiteral("2007"));
    QCOMPARE(QString::number(qRound64(courante.valeurs.back())), b.champ("Total_Points")->text());

    b.action("Mnu_Recap")->trigger();
    QWidget *recap = Banc_Main::fenetre_ouverte("Recapitulatif");
    QCOMPARE(recap->findChild<QLineEdit *>(QStringLiteral("Nb_Points_Tot"))->text(), table->item(0, 4)->text());
    b.action("Mnu_Dep_Contacte")->trigger();
    QWidget *carte = Banc_Main::fenetre_ouverte("Carte_Acti");
    QCOMPARE(carte->findChild<QLabel *>(QStringLiteral("NB_Dep"))->text(), table->item(0, 3)->text());

    // Single: the menu brings it forward.
    b.action("Mnu_Statistiques")->trigger();
    QCOMPARE(Banc_Main::fenetres_ouvertes("Statistiques"), 1);
    QTest::keyClick(s->findChild<QPushButton *>(QStringLiteral("Fermer_Statistiques")), Qt::Key_Space);
    QTRY_COMPARE(Banc_Main::fenetres_ouvertes("Statistiques"), 0);
}

void Tst_Main_Statistiques::sans_station_pas_de_statistiques()
{
    Banc_Main b;
    b.demarre();
    b.messages.clear();
    b.action("Mnu_Statistiques")->trigger();
    QCOMPARE(b.messages.size(), 1);
    QCOMPARE(Banc_Main::fenetres_ouvertes("Statistiques"), 0);
}

QTEST_MAIN(Tst_Main_Statistiques)
#include "tst_main_statistiques.moc"
