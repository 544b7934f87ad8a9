// The yearly report from the main window: a finding leads to its QSO in the
// entry; the reminder shows from 1 January to 1 March, opens last year's
// report without changing the station's year, and goes once done or put away.
#include "Banc_Main.h"

#include "Compte_Rendu.h"
#include "Compte_Rendu_Fenetre.h"
#include "Dialogue_Fichier.h"

#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QByteArray Log_2026 = Fichier_De({Ligne("05/03/26", "21001", "Moulin Contacte", "F6XYZ"),
                                        Ligne("06/03/26", "21001", "Moulin Contacte", "F1AAA")});

// The station TEST1 in 2027, with its 2026 log beside it, started on `jour`.
void Demarre_En(Banc_Main &b, const QDate &jour)
{
    b.station(QStringLiteral("TEST1"), QStringLiteral("2027"), Fichier_De({Ligne("02/01/27", "29015", "Moulin Contacte", "F6XYZ")}));
    b.dossier.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2026.txt"), Log_2026);
    b.maintenant = QDateTime(jour, QTime(12, 0), Qt::UTC);
    b.demarre();
}

QWidget *Rappel(Banc_Main &b)
{
    QWidget *barre = b.controle("Barre_Rappel");
    return barre->isVisible() ? barre->findChild<QWidget *>(QStringLiteral("Rappel_Compte_Rendu")) : nullptr;
}

} // namespace

class Tst_Main_Compte_Rendu : public QObject {
    Q_OBJECT

private slots:
    void verification_mene_au_qso();
    void rappel_selon_le_jour_data();
    void rappel_selon_le_jour();
    void rappel_prepare_puis_fait();
    void rappel_ecarte();
    void rappel_garde_apres_l_annee_en_cours();
};

void Tst_Main_Compte_Rendu::verification_mene_au_qso()
{
    Banc_Main b;
    b.station(QStringLiteral("TEST1"), QStringLiteral("2026"), Log_2026);
    b.maintenant = QDateTime(QDate(2026, 6, 1), QTime(12, 0), Qt::UTC);
    b.demarre();
    b.action("Mnu_Compte_Rendu")->trigger();
    auto *f = Banc_Main::fenetre_ouverte<Compte_Rendu>("Compte_Rendu");
    QVERIFY(f);
    auto *liste = f->findChild<QTreeWidget *>(QStringLiteral("Verifications"));
    QCOMPARE(liste->topLevelItemCount(), 1);
    QCOMPARE(liste->topLevelItem(0)->text(0), QStringLiteral("2"));
    emit liste->itemActivated(liste->topLevelItem(0), 0);
    // The entry, in modification, holds the QSO of the finding's line.
    QTRY_VERIFY(b.modification());
    QCOMPARE(b.champ("Ind_A")->text(), QStringLiteral("F1AAA"));
    QCOMPARE(b.liste()->currentIndex().row(), 1);
    // Opened again, it comes to the front, single.
    b.action("Mnu_Compte_Rendu")->trigger();
    int ouvertes = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        ouvertes += w->objectName() == QLatin1String("Compte_Rendu") && w->isVisible();
    QCOMPARE(ouvertes, 1);
}

void Tst_Main_Compte_Rendu::rappel_selon_le_jour_data()
{
    QTest::addColumn<QDate>("jour");
    QTest::addColumn<bool>("montre");
    QTest::newRow("31 décembre") << QDate(2026, 12, 31) << false;
    QTest::newRow("1er janvier") << QDate(2027, 1, 1) << true;
    QTest::newRow("15 février") << QDate(2027, 2, 15) << true;
    QTest::newRow("1er mars") << QDate(2027, 3, 1) << true;
    QTest::newRow("2 mars") << QDate(2027, 3, 2) << false;
}

void Tst_Main_Compte_Rendu::rappel_selon_le_jour()
{
    QFETCH(QDate, jour);
    QFETCH(bool, montre);
    Banc_Main b;
    Demarre_En(b, jour);
    QWidget *rappel = Rappel(b);
    QCOMPARE(rappel != nullptr, montre);
    if (rappel)
        QCOMPARE(rappel->findChild<QLabel *>(QStringLiteral("Texte_Rappel"))->text(),
                 QStringLiteral("Compte rendu du challenge 2026 à envoyer au correcteur entre le 15 février et le 1er mars 2027"));
    QVERIFY(b.messages.isEmpty());
}

void Tst_Main_Compte_Rendu::rappel_prepare_puis_fait()
{
    Banc_Main b;
    // Without last year's log, nothing to remind.
    b.station(QStringLiteral("TEST2"), QStringLiteral("2027"), QByteArray());
    b.maintenant = QDateTime(QDate(2027, 2, 1), QTime(12, 0), Qt::UTC);
    b.demarre();
    QVERIFY(!Rappel(b));
    b.fenetre.reset();

    Demarre_En(b, QDate(2027, 2, 1));
    QWidget *rappel = Rappel(b);
    QVERIFY(rappel);
    QTest::mouseClick(rappel->findChild<QPushButton *>(QStringLiteral("Preparer_Compte_Rendu")), Qt::LeftButton);
    auto *f = Banc_Main::fenetre_ouverte<Compte_Rendu>("Compte_Rendu");
    QVERIFY(f);
    // Last year's log, the station's year unchanged.
    QVERIFY(f->lignes().contains(QStringLiteral("Compte rendu du challenge Dezudidar ERI 2026")));
    QVERIFY(f->lignes().join(u'\n').contains(QStringLiteral("F1AAA")));
    QCOMPARE(b.fenetre->carnet().annee(), QStringLiteral("2027"));
    // Saved as PDF: done, not reminded again.
    const QString pdf = b.dossier.fichier(QStringLiteral("TEST1_Dezudidar_ERI_2026_compte_rendu.pdf"));
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &propose) {
        [&] { QCOMPARE(propose, pdf); }();
        return propose;
    });
    QTest::mouseClick(f->findChild<QPushButton *>(QStringLiteral("PDF_Compte_Rendu")), Qt::LeftButton);
    Dialogue_Fichier::Installe_Repondeur({});
    QVERIFY(QFile::exists(pdf));
    QVERIFY(!b.controle("Barre_Rappel")->isVisible());
    b.fenetre.reset();
    b.demarre();
    QVERIFY(!Rappel(b));
}

void Tst_Main_Compte_Rendu::rappel_ecarte()
{
    Banc_Main b;
    Demarre_En(b, QDate(2027, 1, 10));
    QWidget *rappel = Rappel(b);
    QVERIFY(rappel);
    const int hauteur = b.fenetre->height();
    QTest::mouseClick(rappel->findChild<QToolButton *>(QStringLiteral("Fermer_Rappel")), Qt::LeftButton);
    QVERIFY(!b.controle("Barre_Rappel")->isVisible());
    QVERIFY(b.fenetre->height() < hauteur);
    b.fenetre.reset();
    b.demarre();
    QVERIFY(!Rappel(b));
}

// The report of the current year saved: last year's is still due.
void Tst_Main_Compte_Rendu::rappel_garde_apres_l_annee_en_cours()
{
    Banc_Main b;
    Demarre_En(b, QDate(2027, 2, 1));
    QVERIFY(Rappel(b));
    b.action("Mnu_Compte_Rendu")->trigger();
    auto *f = Banc_Main::fenetre_ouverte<Compte_Rendu>("Compte_Rendu");
    QVERIFY(f);
    QVERIFY(f->lignes().contains(QStringLiteral("Compte rendu du challenge Dezudidar ERI 2027")));
    const QString texte = b.dossier.fichier(QStringLiteral("2027.txt"));
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &) { return texte; });
    QTest::mouseClick(f->findChild<QPushButton *>(QStringLiteral("Texte_Compte_Rendu")), Qt::LeftButton);
    Dialogue_Fichier::Installe_Repondeur({});
    QVERIFY(QFile::exists(texte));
    QVERIFY(Rappel(b));
    b.fenetre.reset();
    b.demarre();
    QVERIFY(Rappel(b));
}

QTEST_MAIN(Tst_Main_Compte_Rendu)
#include "tst_main_compte_rendu.moc"
