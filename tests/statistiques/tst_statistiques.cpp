#include "Outils_Test.h"
#include "Statistiques.h"

#include "Departements.h"
#include "Dialogue_Fichier.h"
#include "Imprimante.h"
#include "Journal.h"
#include "Message.h"
#include "Points.h"

#include <QApplication>
#include <QBarSet>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QPrinter>
#include <QPushButton>
#include <QStackedBarSeries>
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
    QChart *graphique(const char *nom) const { return fenetre->findChild<QChartView *>(QString::fromLatin1(nom))->chart(); }
    long long total(const QString &annee) const
    {
        return Calcul_Total(dossier.fichier(QStringLiteral("F5ABC_Dezudidar_ERI_%1.txt").arg(annee))).valeur();
    }

    Dossier_Test dossier;
    std::unique_ptr<Statistiques> fenetre;
};

QLineSeries *Serie(QChart *c, int i) { return static_cast<QLineSeries *>(c->series().at(i)); }

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
    QChart *points = t.graphique("Graphique_Points");
    QCOMPARE(points->series().size(), 3);
    QMap<QString, QLineSeries *> par_annee;
    for (int i = 0; i < 3; ++i)
        par_annee[Serie(points, i)->name()] = Serie(points, i);
    QCOMPARE(par_annee.keys(), (QStringList{"2024", "2025", "2026"}));
    // The last point of each past year is its total; this year stops today,
    // its undated line aside.
    QCOMPARE(par_annee["2025"]->points().size(), Bilan::Jours);
    QCOMPARE(qRound64(par_annee["2025"]->points().last().y()), t.total(QStringLiteral("2025")));
    QCOMPARE(qRound64(par_annee["2024"]->points().last().y()), t.total(QStringLiteral("2024")));
    QCOMPARE(par_annee["2026"]->points().size(), Bilan::Jour_De_L_Annee(12, 7) + 1);
    QCOMPARE(qRound64(par_annee["2026"]->points().last().y()), t.total(QStringLiteral("2026")) - 2);
    // 29 February of 2024 sits on its own day of the shared axis.
    QCOMPARE(par_annee["2024"]->points().at(Bilan::Jour_De_L_Annee(2, 28)).y(), 0.0);
    QCOMPARE(par_annee["2024"]->points().at(Bilan::Jour_De_L_Annee(2, 29)).y(), 2.0);
    QVERIFY(par_annee["2026"]->pen().widthF() > par_annee["2025"]->pen().widthF());
    QVERIFY(par_annee["2026"]->color() != par_annee["2025"]->color());
    QCOMPARE(points->legend()->isVisible(), true);

    // Looked at in a later year, the current log's curve runs to 31 December.
    Trois_Annees plus_tard;
    plus_tard.ouvre(QDate(2027, 1, 10));
    QCOMPARE(Serie(plus_tard.graphique("Graphique_Points"), 2)->points().size(), Bilan::Jours);
}

void Tst_Statistiques::mois_et_departements()
{
    Trois_Annees t;
    t.ouvre();
    auto *barres = qobject_cast<QStackedBarSeries *>(t.graphique("Graphique_Mois")->series().value(0));
    QVERIFY(barres);
    QCOMPARE(barres->barSets().size(), 2);
    QCOMPARE(barres->barSets()[0]->label(), QStringLiteral("Validés"));
    QCOMPARE(barres->barSets()[1]->label(), QStringLiteral("En attente"));
    const std::array<int, 12> valides{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}, attente{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int m = 0; m < 12; ++m) {
        QCOMPARE(barres->barSets()[0]->at(m), qreal(valides[size_t(m)]));
        QCOMPARE(barres->barSets()[1]->at(m), qreal(attente[size_t(m)]));
    }
    QVERIFY(t.graphique("Graphique_Mois")->title().contains(QStringLiteral("2026")));

    QChart *departements = t.graphique("Graphique_Departements");
    QCOMPARE(departements->series().size(), 2);
    QCOMPARE(Serie(departements, 0)->name(), QStringLiteral("2025"));
    QCOMPARE(Serie(departements, 1)->name(), QStringLiteral("2026"));
    const auto carte = [&](const QString &annee) {
        return Colore_Carte(Lit_Log(t.dossier.fichier(QStringLiteral("F5ABC_Dezudidar_ERI_%1.txt").arg(annee))).valeur()).nombre;
    };
    QCOMPARE(qRound(Serie(departements, 0)->points().last().y()), carte(QStringLiteral("2025")));
    // 2026: the map counts 29 too, whose line has no calendar date.
    QCOMPARE(qRound(Serie(departements, 1)->points().last().y()), carte(QStringLiteral("2026")) - 1);
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
    QCOMPARE(f.readAll().count("/Type /Page\n") + 0, 1);
    QVERIFY(messages.isEmpty());
}

QTEST_MAIN(Tst_Statistiques)
#include "tst_statistiques.moc"
