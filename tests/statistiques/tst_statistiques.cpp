#include "Outils_Test.h"
#include "Statistiques.h"

#include "Departements.h"
#include "Dialogue_Fichier.h"
#include "Graphique.h"
#include "Imprimante.h"
#include "Journal.h"
#include "Message.h"
#include "Points.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace Sous_Programmes;

namespace {

QByteArray L(const char *date, const char *dmf, const char *type = "Moulin Contacte", bool attente = false)
{
    return Ligne(date, dmf, type, "F5ABC", attente) + "\r\n";
}

// Three years of the station, and a log of another station beside them.
struct Trois_Annees {
    Trois_Annees()
    {
        dossier.ecrit(QStringLiteral("F5ABC_Dezudidar_ERI_2026.txt"),
                      L("03/01/26", "21001", "Moulin active") + L("15/02/26", "35001") + L("16/02/26", "35002", "Moulin Contacte", true)
                          + L("20/11/26", "2A001") + L("xx/12/26", "29001"));
        dossier.ecrit(QStringLiteral("F5ABC_Dezudidar_ERI_2025.txt"),
                      L("01/01/25", "21001") + L("01/06/25", "67001", "Moulin active") + L("31/12/25", "75001"));
        dossier.ecrit(QStringLiteral("F5ABC_Dezudidar_ERI_2024.txt"), L("29/02/24", "21001"));
        dossier.ecrit(QStringLiteral("F6XYZ_Dezudidar_ERI_2023.txt"), L("01/01/23", "21001"));
    }
    Statistiques *ouvre(QDate aujourd_hui = QDate(2026, 12, 7))
    {
        fenetre = std::make_unique<Statistiques>(Bilan::Lit_Statistiques(dossier.chemin(), QStringLiteral("F5ABC"), QStringLiteral("2026")),
                                                 dossier.chemin(), QStringLiteral("F5ABC"), aujourd_hui);
        fenetre->show();
        return fenetre.get();
    }
    const Graphiques::Contenu &graphique(const char *nom) const
    {
        return fenetre->findChild<Graphiques::Graphique *>(QString::fromLatin1(nom))->contenu();
    }
    long long total(const QString &annee) const
    {
        return Calcul_Total(dossier.fichier(QStringLiteral("F5ABC_Dezudidar_ERI_%1.txt").arg(annee))).valeur();
    }

    Dossier_Test dossier;
    std::unique_ptr<Statistiques> fenetre;
};

} // namespace

class Tst_Statistiques : public QObject {
    Q_OBJECT

private slots:
    void init() { Message::Installe_Repondeur([this](const QString &t, QMessageBox::StandardButtons) {
        messages.append(t);
        return QMessageBox::Ok;
    }); }
    void cleanup()
    {
        Message::Installe_Repondeur({});
        Dialogue_Fichier::Installe_Repondeur({});
        Impression::Installe_Choix({});
        messages.clear();
    }
    void courbes_des_points_par_annee();
    void mois_et_departements();
    void lus_par_un_lecteur_d_ecran_data();
    void lus_par_un_lecteur_d_ecran();
    void table_des_annees_et_logs_ignores();
    void image_enregistree();
    void impression_paysage_ou_annulee();

private:
    QStringList messages;
};

void Tst_Statistiques::courbes_des_points_par_annee()
{
    Trois_Annees t;
    t.ouvre();
    const Graphiques::Contenu &points = t.graphique("Graphique_Points");
    QCOMPARE(points.forme, Graphiques::Forme::Courbes_Jours);
    QStringList annees;
    QMap<QString, const Graphiques::Serie *> par_annee;
    for (const Graphiques::Serie &s : points.series) {
        annees.append(s.nom);
        par_annee[s.nom] = &s;
    }
    // The current year first: drawn over the others, and read first.
    QCOMPARE(annees, (QStringList{"2026", "2025", "2024"}));
    // The last point of each past year is its total; this year stops today,
    // its undated line aside.
    QCOMPARE(par_annee["2025"]->valeurs.size(), size_t(Bilan::Jours));
    QCOMPARE(qRound64(par_annee["2025"]->valeurs.back()), t.total(QStringLiteral("2025")));
    QCOMPARE(qRound64(par_annee["2024"]->valeurs.back()), t.total(QStringLiteral("2024")));
    QCOMPARE(par_annee["2026"]->valeurs.size(), size_t(Bilan::Jour_De_L_Annee(12, 7) + 1));
    QCOMPARE(qRound64(par_annee["2026"]->valeurs.back()), t.total(QStringLiteral("2026")) - 2);
    // 29 February of 2024 sits on its own day of the shared axis.
    QCOMPARE(par_annee["2024"]->valeurs.at(size_t(Bilan::Jour_De_L_Annee(2, 28))), 0.0);
    QCOMPARE(par_annee["2024"]->valeurs.at(size_t(Bilan::Jour_De_L_Annee(2, 29))), 2.0);
    QCOMPARE(par_annee["2026"]->couleur, QColor(0xD62728));
    QVERIFY(par_annee["2026"]->epaisseur > par_annee["2025"]->epaisseur);
    QVERIFY(par_annee["2025"]->couleur != par_annee["2024"]->couleur);

    // Looked at in a later year, the current log's curve runs to 31 December.
    Trois_Annees plus_tard;
    plus_tard.ouvre(QDate(2027, 1, 10));
    QCOMPARE(plus_tard.graphique("Graphique_Points").series.front().valeurs.size(), size_t(Bilan::Jours));
}

void Tst_Statistiques::mois_et_departements()
{
    Trois_Annees t;
    t.ouvre();
    const Graphiques::Contenu &barres = t.graphique("Graphique_Mois");
    QCOMPARE(barres.forme, Graphiques::Forme::Barres_Mois);
    QCOMPARE(barres.series.size(), size_t(2));
    QCOMPARE(barres.series[0].nom, QStringLiteral("Validés"));
    QCOMPARE(barres.series[1].nom, QStringLiteral("En attente"));
    const std::vector<double> valides{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}, attente{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QCOMPARE(barres.series[0].valeurs, valides);
    QCOMPARE(barres.series[1].valeurs, attente);
    QCOMPARE(barres.titre, QStringLiteral("QSO par mois en 2026"));

    const Graphiques::Contenu &departements = t.graphique("Graphique_Departements");
    QCOMPARE(departements.series.size(), size_t(2));
    QCOMPARE(departements.series[0].nom, QStringLiteral("2026"));
    QCOMPARE(departements.series[1].nom, QStringLiteral("2025"));
    const auto carte = [&](const QString &annee) {
        return Colore_Carte(Lit_Log(t.dossier.fichier(QStringLiteral("F5ABC_Dezudidar_ERI_%1.txt").arg(annee))).valeur()).nombre;
    };
    QCOMPARE(qRound(departements.series[1].valeurs.back()), carte(QStringLiteral("2025")));
    // 2026: the map counts 29 too, whose line has no calendar date.
    QCOMPARE(qRound(departements.series[0].valeurs.back()), carte(QStringLiteral("2026")) - 1);
}

void Tst_Statistiques::lus_par_un_lecteur_d_ecran_data()
{
    QTest::addColumn<QString>("graphique");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("description");

    Trois_Annees t;
    QTest::newRow("points") << "Graphique_Points" << "Points cumulés depuis le 1er janvier"
                            << QStringLiteral("2026 : %1 points au 07/12/26 ; 2025 : %2 points au 31/12/25 ; 2024 : %3 points au 31/12/24")
                                   .arg(t.total(QStringLiteral("2026")) - 2)
                                   .arg(t.total(QStringLiteral("2025")))
                                   .arg(t.total(QStringLiteral("2024")));
    QTest::newRow("départements") << "Graphique_Departements" << "Départements contactés"
                                  << "2026 : 3 départements au 07/12/26 ; 2025 : 3 départements au 31/12/25";
}

void Tst_Statistiques::lus_par_un_lecteur_d_ecran()
{
    QFETCH(QString, graphique);
    QFETCH(QString, nom);
    QFETCH(QString, description);
    QAccessible::setActive(true);
    Trois_Annees t;
    t.ouvre();
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(t.fenetre->findChild<QWidget *>(graphique));
    QVERIFY(i);
    QCOMPARE(i->role(), QAccessible::Chart);
    QCOMPARE(i->text(QAccessible::Name), nom);
    QCOMPARE(i->text(QAccessible::Description), description);
}

void Tst_Statistiques::table_des_annees_et_logs_ignores()
{
    Trois_Annees t;
    {
        QFile enorme(t.dossier.fichier(QStringLiteral("F5ABC_Dezudidar_ERI_2020.txt")));
        QVERIFY(enorme.open(QIODevice::WriteOnly));
        QVERIFY(enorme.resize(qint64(100) * 1024 * 1024));
    }
    t.ouvre();
    auto *table = t.fenetre->findChild<QTableWidget *>(QStringLiteral("Table_Annees"));
    QCOMPARE(table->rowCount(), 3);
    QStringList titres;
    for (int c = 0; c < table->columnCount(); ++c)
        titres << table->horizontalHeaderItem(c)->text();
    QCOMPARE(titres, (QStringList{"Année", "QSO", "Moulins", "Départements", "Points", "En attente"}));
    const auto rangee = [&](int r) {
        QStringList cases;
        for (int c = 0; c < table->columnCount(); ++c)
            cases << table->item(r, c)->text();
        return cases;
    };
    QCOMPARE(rangee(0), (QStringList{"2026", "5", "5", "4", QString::number(t.total("2026")), "1"}));
    QCOMPARE(rangee(1), (QStringList{"2025", "3", "3", "3", QString::number(t.total("2025")), "0"}));
    QCOMPARE(rangee(2).first(), QStringLiteral("2024"));
    auto *ignores = t.fenetre->findChild<QLabel *>(QStringLiteral("Logs_Ignores"));
    QVERIFY(ignores->isVisible());
    QVERIFY2(ignores->text().startsWith(QStringLiteral("Log de 2020 ignoré : ")), qPrintable(ignores->text()));

    QVERIFY(QFile::remove(t.dossier.fichier(QStringLiteral("F5ABC_Dezudidar_ERI_2020.txt"))));
    t.ouvre();
    QVERIFY(!t.fenetre->findChild<QLabel *>(QStringLiteral("Logs_Ignores"))->isVisible());
}

void Tst_Statistiques::image_enregistree()
{
    Trois_Annees t;
    t.ouvre();
    QTemporaryDir ailleurs;
    QString propose;
    QString reponse = QDir(ailleurs.path()).filePath(QStringLiteral("progression.png"));
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &p) {
        propose = p;
        return reponse;
    });
    QSignalSpy enregistree(t.fenetre.get(), &Statistiques::Image_Enregistree);
    auto *bouton = t.fenetre->findChild<QPushButton *>(QStringLiteral("Enregistrer_Statistiques"));
    QCOMPARE(bouton->text(), QStringLiteral("Enregistrer l'image..."));
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCOMPARE(QFileInfo(propose).fileName(), QStringLiteral("Statistiques_F5ABC_2026.png"));
    QCOMPARE(enregistree.size(), 1);
    const QImage image(reponse);
    QCOMPARE(image.size(), Statistiques::Taille_Image);
    // This year's curve is there, in its own red.
    bool rouge = false;
    for (int y = 0; y < image.height() && !rouge; y += 2)
        for (int x = 0; x < image.width() && !rouge; x += 2)
            rouge = (image.pixel(x, y) & 0xFFFFFF) == 0xD62728;
    QVERIFY(rouge);
    QVERIFY(messages.isEmpty());

    // Never over a log of the program.
    const QByteArray log = t.dossier.lit(QStringLiteral("F5ABC_Dezudidar_ERI_2025.txt"));
    reponse = t.dossier.fichier(QStringLiteral("F5ABC_Dezudidar_ERI_2025.txt"));
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.first().contains(QStringLiteral("l'image ne peut pas le remplacer")));
    QCOMPARE(t.dossier.lit(QStringLiteral("F5ABC_Dezudidar_ERI_2025.txt")), log);
    // Cancelled: nothing.
    reponse.clear();
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCOMPARE(enregistree.size(), 1);
    QCOMPARE(messages.size(), 1);
}

void Tst_Statistiques::impression_paysage_ou_annulee()
{
    Trois_Annees t;
    t.ouvre();
    QTemporaryDir dossier;
    const QString pdf = QDir(dossier.path()).filePath(QStringLiteral("statistiques.pdf"));
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    bool imprimer = false;
    Impression::Installe_Choix([&](QPrinter &imprimante, QWidget *) {
        orientation = imprimante.pageLayout().orientation();
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(pdf);
        return imprimer;
    });
    auto *bouton = t.fenetre->findChild<QPushButton *>(QStringLiteral("Imprimer_Statistiques"));
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCOMPARE(orientation, QPageLayout::Landscape);
    QVERIFY(!QFile::exists(pdf));

    imprimer = true;
    QTest::mouseClick(bouton, Qt::LeftButton);
    QVERIFY(QFileInfo(pdf).size() > 1000);
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray octets = f.readAll();
    QCOMPARE(octets.count("/Type /Page\n") + 0, 1);
    // The charts drawn on the printer itself, not a picture of the screen.
    QVERIFY(!octets.contains("/Subtype /Image"));
    QVERIFY(messages.isEmpty());
}

QTEST_MAIN(Tst_Statistiques)
#include "tst_statistiques.moc"
