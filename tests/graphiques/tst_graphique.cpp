#include "Contenus_Test.h"
#include "Dessin_Graphique.h"
#include "Graphique.h"

#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

#include <cmath>

using namespace Graphiques;

Q_DECLARE_METATYPE(Graphiques::Contenu)

namespace {

constexpr QRgb Rouge = 0xD62728;

// This year flat at 37 up to 19 July, last year flat at 20: the red line alone at 37.
Contenu Ligne_Rouge()
{
    Contenu c = Deux_Annees();
    c.series[0].valeurs.assign(201, 37);
    std::fill(c.series[1].valeurs.begin(), c.series[1].valeurs.end(), 20);
    return c;
}

bool Rouge_A(const QImage &image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == Rouge; }
bool Blanc_A(const QImage &image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF; }

} // namespace

class Tst_Graphique : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::setActive(true); }
    void courbe_nette_a_la_resolution_du_support_data();
    void courbe_nette_a_la_resolution_du_support();
    void page_imprimee_en_traits();
    void info_bulle_au_pointeur_data();
    void info_bulle_au_pointeur();
    void lu_comme_un_graphique();
};

void Tst_Graphique::courbe_nette_a_la_resolution_du_support_data()
{
    QTest::addColumn<double>("echelle");
    QTest::newRow("écran") << 1.0;
    QTest::newRow("image enregistrée") << 1600 / 1100.0;
    QTest::newRow("imprimante à 300 dpi") << 300 / 96.0;
}

// Drawn at the device's own resolution, the current year's line is as thick
// as its pen there, with sharp edges: no screen-sized copy enlarged.
void Tst_Graphique::courbe_nette_a_la_resolution_du_support()
{
    QFETCH(double, echelle);
    QImage image((QSizeF(1100, 500) * echelle).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const Repere r = Dessine(p, image.rect(), Ligne_Rouge(), echelle, QApplication::font());
    p.end();
    QVERIFY(r.trace.width() > 900 * echelle);

    const int epaisseur = qRound(3.5 * echelle);
    for (int jour : {45, 105, 170}) {
        const int x = int(std::floor(r.X(jour))), y = int(std::floor(r.Y(37)));
        QVERIFY2(Rouge_A(image, x, y), qPrintable(QStringLiteral("jour %1 : %2").arg(jour).arg(image.pixel(x, y), 0, 16)));
        int haut = y, bas = y;
        while (Rouge_A(image, x, haut - 1))
            --haut;
        while (Rouge_A(image, x, bas + 1))
            ++bas;
        QVERIFY2(std::abs(bas - haut + 1 - epaisseur) <= 1, qPrintable(QStringLiteral("%1 pixels de rouge").arg(bas - haut + 1)));
        int fondus = 0;
        for (int dy = 1; dy <= 3 * echelle + 2; ++dy)
            fondus += !Blanc_A(image, x, haut - dy) + !Blanc_A(image, x, bas + dy);
        QVERIFY2(fondus <= 2, qPrintable(QStringLiteral("%1 pixels fondus au bord du trait").arg(fondus)));
    }
    // The legend shows the same red under the plot.
    bool legende = false;
    for (int y = int(r.trace.bottom() + 20 * echelle); y < image.height() && !legende; ++y)
        for (int x = 0; x < image.width() && !legende; ++x)
            legende = Rouge_A(image, x, y);
    QVERIFY(legende);
}

// On a printer the chart is lines and text, never a picture.
void Tst_Graphique::page_imprimee_en_traits()
{
    QTemporaryDir dossier;
    const QString pdf = QDir(dossier.path()).filePath(QStringLiteral("graphique.pdf"));
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(pdf);
    imprimante.setPageOrientation(QPageLayout::Landscape);
    QPainter p;
    QVERIFY(p.begin(&imprimante));
    const QRectF page(0, 0, imprimante.width(), imprimante.height());
    const Repere r = Dessine(p, page, Deux_Annees(), page.width() / 1100, QApplication::font());
    QVERIFY(p.end());
    QVERIFY(r.trace.width() > page.width() * 0.8);
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray octets = f.readAll();
    QCOMPARE(octets.count("/Type /Page\n") + 0, 1);
    QVERIFY(!octets.contains("/Subtype /Image"));
}

void Tst_Graphique::info_bulle_au_pointeur_data()
{
    QTest::addColumn<Contenu>("contenu");
    QTest::addColumn<int>("place"); // -1: the title
    QTest::addColumn<QString>("texte");

    QTest::newRow("15 mars") << Deux_Annees() << 74 << "15 mars\n2026 : 22 points\n2025 : 0 point";
    QTest::newRow("31 décembre") << Deux_Annees() << 365 << "31 décembre\n2025 : 17 points";
    QTest::newRow("sur le titre : rien") << Deux_Annees() << -1 << "";
    QTest::newRow("mars") << Trois_Mois() << 2 << "mars\n3 validés\n1 en attente";
}

void Tst_Graphique::info_bulle_au_pointeur()
{
    QFETCH(Contenu, contenu);
    QFETCH(int, place);
    QFETCH(QString, texte);
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    Graphique g(contenu);
    g.resize(800, 400);
    g.show();
    const Repere r = g.repere();
    const QPoint point = place < 0 ? QPoint(g.width() / 2, 12) : QPoint(int(std::floor(r.X(place))), int(r.trace.center().y()));
    QHelpEvent aide(QEvent::ToolTip, point, g.mapToGlobal(point));
    QApplication::sendEvent(&g, &aide);
    if (texte.isEmpty()) {
        QVERIFY(!QToolTip::isVisible());
    } else {
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), texte);
    }
}

void Tst_Graphique::lu_comme_un_graphique()
{
    Graphique g(Deux_Annees());
    g.show();
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(&g);
    QVERIFY(i);
    QCOMPARE(i->role(), QAccessible::Chart);
    QCOMPARE(i->text(QAccessible::Name), QStringLiteral("Points cumulés depuis le 1er janvier"));
    QCOMPARE(i->text(QAccessible::Description), QStringLiteral("2026 : 22 points au 15/03/26 ; 2025 : 17 points au 31/12/25"));
    // Tab reaches it, so that the reader says it.
    QVERIFY(g.focusPolicy() & Qt::TabFocus);
}

QTEST_MAIN(Tst_Graphique)
#include "tst_graphique.moc"
