// The map of the mills as the operator uses it: what is shown and counted,
// the nearest ones from the station, a point or a mill, within a radius;
// pointing, clicking, zooming; the GPX saved, and refused over a log.
#include "Carte_Moulins.h"
#include "Vue_Carte.h"

#include "Dialogue_Fichier.h"
#include "Journal.h"
#include "Message.h"
#include "Moulins_Autour_Test.h"
#include "Projection.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QToolTip>

using namespace Moulins;

namespace {

struct Banc {
    Dossier_Test dossier;
    QString choisi;
    QStringList messages;
    std::shared_ptr<const Liste> liste;
    std::unique_ptr<Carte_Moulins> fenetre;

    // The station in JN27 (47.5° N, 5° E); 21001 contacted, 21002 pending.
    explicit Banc(bool avec_station = true)
    {
        Dialogue_Fichier::Installe_Repondeur([this](const QString &, const QString &) { return choisi; });
        Message::Installe_Repondeur([this](const QString &texte, QMessageBox::StandardButtons) {
            messages << texte;
            return QMessageBox::Ok;
        });
        liste = std::make_shared<const Liste>(Lit_Liste(Liste_Autour).liste);
        const Sous_Programmes::Contenu_Log log(Log_Autour);
        fenetre = std::make_unique<Carte_Moulins>(liste, Compte_Restants(*liste, log),
                                                  avec_station ? Geo::Centre_Locator(u"JN27") : std::nullopt,
                                                  avec_station ? QStringLiteral("JN27") : QString(), dossier.chemin());
        fenetre->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
    }
    ~Banc()
    {
        Dialogue_Fichier::Installe_Repondeur({});
        Message::Installe_Repondeur({});
    }
    template <typename T>
    T *controle(const char *nom) const
    {
        T *c = fenetre->findChild<T *>(QString::fromLatin1(nom));
        if (!c)
            qFatal("no %s", nom);
        return c;
    }
    Vue_Carte *vue() const { return fenetre->findChild<Vue_Carte *>(); }
    QTableView *table() const { return controle<QTableView>("Moulins_Proches"); }
    // Each row as "number distance azimuth".
    QStringList rangees() const
    {
        QStringList r;
        const QAbstractItemModel *m = table()->model();
        for (int i = 0; i < m->rowCount(); ++i)
            r << QStringList{m->index(i, 0).data().toString(), m->index(i, 5).data().toString(), m->index(i, 6).data().toString()}
                     .join(u' ')
                     .trimmed();
        return r;
    }
    int point(const char *numero) const
    {
        const auto &points = fenetre->points().points;
        for (size_t i = 0; i < points.size(); ++i)
            if ((*liste)[points[i].rang].Numero() == QByteArrayView(numero))
                return int(i);
        qFatal("no point %s", numero);
    }
    QPoint ecran(const char *numero) const { return vue()->ecran(fenetre->points().points[size_t(point(numero))].point).toPoint(); }
};

} // namespace

class Tst_Carte_Moulins : public QObject {
    Q_OBJECT

private slots:
    void ouverture();
    void filtre_et_rayon_data();
    void filtre_et_rayon();
    void sans_station();
    void pointer_et_cliquer();
    void partir_d_ici_ou_d_un_moulin();
    void zoom_et_deplacement();
    void gpx_enregistre();
    void gpx_refuse_sur_un_log();
};

// The remaining mills from the station, nearest first, the count under the
// map and in what a screen reader says of it.
void Tst_Carte_Moulins::ouverture()
{
    Banc b;
    QCOMPARE(b.fenetre->windowTitle(), QStringLiteral("Carte des moulins"));
    QCOMPARE(b.controle<QLabel>("Compte_Carte")->text(),
             QStringLiteral("6 moulins sur 8 ont des coordonnées ; 2 sans coordonnées ne sont pas sur la carte"));
    QCOMPARE(b.controle<QComboBox>("Filtre_Carte")->currentText(), QStringLiteral("Restants"));
    QCOMPARE(b.rangees(), (QStringList{"21003 54 194", "25001 82 110", "89001 112 288", "75001 248 309"}));
    QStringList titres;
    for (int c = 0; c < b.table()->model()->columnCount(); ++c)
        titres << b.table()->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titres, (QStringList{"N° DMF", "Nom", "Commune", "Dépt", "État", "Distance (km)", "Azimut (°)"}));
    QCOMPARE(b.table()->model()->index(0, 4).data().toString(), QStringLiteral("Restant"));
    QCOMPARE(b.controle<QLabel>("Origine_Proches")->text(), QStringLiteral("la station (JN27)"));
    const QString description = QAccessible::queryAccessibleInterface(b.vue())->text(QAccessible::Description);
    QVERIFY2(description.contains(QStringLiteral("6 moulins sur 8 ont des coordonnées")), qPrintable(description));
    QVERIFY2(description.contains(QStringLiteral("Restants montrés : 4")), qPrintable(description));
}

void Tst_Carte_Moulins::filtre_et_rayon_data()
{
    QTest::addColumn<int>("filtre");
    QTest::addColumn<int>("rayon");
    QTest::addColumn<QStringList>("numeros");
    QTest::newRow("tous") << 1 << 0 << QStringList{"21001", "21003", "21002", "25001", "89001", "75001"};
    QTest::newRow("contactés") << 2 << 0 << QStringList{"21001"};
    QTest::newRow("en attente") << 3 << 0 << QStringList{"21002"};
    QTest::newRow("restants dans 100 km") << 0 << 100 << QStringList{"21003", "25001"};
    QTest::newRow("tous dans 60 km") << 1 << 60 << QStringList{"21001", "21003", "21002"};
    QTest::newRow("personne dans 10 km") << 1 << 10 << QStringList{};
}

void Tst_Carte_Moulins::filtre_et_rayon()
{
    QFETCH(int, filtre);
    QFETCH(int, rayon);
    QFETCH(QStringList, numeros);
    Banc b;
    b.controle<QComboBox>("Filtre_Carte")->setCurrentIndex(filtre);
    b.controle<QSpinBox>("Rayon")->setValue(rayon);
    QStringList lus;
    for (const QString &r : b.rangees())
        lus << r.section(u' ', 0, 0);
    QCOMPARE(lus, numeros);
    QCOMPARE(b.controle<QPushButton>("Depuis_Moulin")->isEnabled(), !numeros.isEmpty());
}

// Without a locator: no distances, the mills in the order of numbers, and
// the operator told how to get them.
void Tst_Carte_Moulins::sans_station()
{
    Banc b(false);
    QCOMPARE(b.rangees(), (QStringList{"21003", "25001", "75001", "89001"}));
    QVERIFY(!b.controle<QPushButton>("Depuis_Station")->isEnabled());
    QVERIFY(!b.controle<QSpinBox>("Rayon")->isEnabled());
    QVERIFY(b.controle<QLabel>("Origine_Proches")->text().startsWith(QStringLiteral("aucun point : donnez le locator")));
}

void Tst_Carte_Moulins::pointer_et_cliquer()
{
    Banc b;
    b.controle<QComboBox>("Filtre_Carte")->setCurrentIndex(1);
    b.vue()->zoome_departement(21);
    const QPoint beaune = b.ecran("21003");
    QHelpEvent aide(QEvent::ToolTip, beaune, b.vue()->mapToGlobal(beaune));
    QApplication::sendEvent(b.vue(), &aide);
    QCOMPARE(QToolTip::text(), QStringLiteral("21003 Moulin Neuf, Beaune (21) : restant, 54 km, azimut 194°"));
    QTest::mouseClick(b.vue(), Qt::LeftButton, {}, b.ecran("21001"));
    QCOMPARE(b.table()->currentIndex().siblingAtColumn(0).data().toString(), QStringLiteral("21001"));
    // Far from any dot: nothing chosen anew.
    QTest::mouseClick(b.vue(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(b.table()->currentIndex().siblingAtColumn(0).data().toString(), QStringLiteral("21001"));
    QCOMPARE(b.vue()->point_sous(QPointF(2, 2)), -1);
    // Chosen in the table, a mill out of view is brought into it.
    const QPointF paris = b.fenetre->points().points[size_t(b.point("75001"))].point;
    QVERIFY(!b.vue()->vue().contains(paris));
    b.table()->setCurrentIndex(b.table()->model()->index(5, 0));
    QCOMPARE(b.table()->currentIndex().siblingAtColumn(0).data().toString(), QStringLiteral("75001"));
    QVERIFY(b.vue()->vue().contains(paris));
}

void Tst_Carte_Moulins::partir_d_ici_ou_d_un_moulin()
{
    Banc b;
    b.controle<QComboBox>("Filtre_Carte")->setCurrentIndex(1);
    // A right-click by Auxerre, then "Partir d'ici".
    const QPoint auxerre = b.vue()->ecran(Geo::Sur_Carte({47.8, 3.6})).toPoint();
    QTest::mousePress(b.vue(), Qt::RightButton, {}, auxerre);
    QTest::mouseRelease(b.vue(), Qt::RightButton, {}, auxerre);
    b.vue()->findChild<QAction *>(QStringLiteral("Partir_D_Ici"))->trigger();
    const QString origine = b.controle<QLabel>("Origine_Proches")->text();
    QVERIFY2(origine.startsWith(QStringLiteral("le point choisi sur la carte (47,")) && origine.contains(QStringLiteral("° N, 3,")),
             qPrintable(origine));
    QCOMPARE(b.rangees().first().section(u' ', 0, 0), QStringLiteral("89001"));
    QCOMPARE(b.rangees().last().section(u' ', 0, 0), QStringLiteral("25001"));
    // From the mill chosen in the table: itself first, at 0 km.
    b.table()->setCurrentIndex(b.table()->model()->index(5, 0));
    QTest::mouseClick(b.controle<QPushButton>("Depuis_Moulin"), Qt::LeftButton);
    QCOMPARE(b.controle<QLabel>("Origine_Proches")->text(), QStringLiteral("le moulin 25001 Moulin & \"G\" <bis>, Besançon (25)"));
    QCOMPARE(b.rangees().first(), QStringLiteral("25001 0 0"));
    QTest::mouseClick(b.controle<QPushButton>("Depuis_Station"), Qt::LeftButton);
    QCOMPARE(b.rangees().first(), QStringLiteral("21001 20 171"));
}

void Tst_Carte_Moulins::zoom_et_deplacement()
{
    Banc b;
    Vue_Carte *vue = b.vue();
    const QRectF france = vue->vue();
    QTest::mouseClick(b.controle<QPushButton>("Zoom_Plus"), Qt::LeftButton);
    QVERIFY(vue->vue().width() < france.width() * 0.7);
    // The wheel keeps the place under the pointer where it is.
    const QPointF sous = QPointF(vue->width() / 3.0, vue->height() / 3.0);
    const QPointF avant = vue->carte(sous);
    QWheelEvent roue(sous, vue->mapToGlobal(sous), {}, QPoint(0, 240), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(vue, &roue);
    QVERIFY(qAbs(vue->carte(sous).x() - avant.x()) < 0.01 && qAbs(vue->carte(sous).y() - avant.y()) < 0.01);
    // Dragging moves the map with the pointer.
    const QRectF avant_glisse = vue->vue();
    const QPoint depart(vue->width() / 2, vue->height() / 2);
    QTest::mousePress(vue, Qt::LeftButton, {}, depart);
    QMouseEvent glisse(QEvent::MouseMove, depart + QPoint(40, 0), vue->mapToGlobal(depart + QPoint(40, 0)), Qt::NoButton,
                       Qt::LeftButton, {});
    QApplication::sendEvent(vue, &glisse);
    QTest::mouseRelease(vue, Qt::LeftButton, {}, depart + QPoint(40, 0));
    QVERIFY(vue->vue().center().x() < avant_glisse.center().x());
    QTest::mouseClick(b.controle<QPushButton>("Toute_La_France"), Qt::LeftButton);
    QCOMPARE(vue->vue(), france);
    // A département double-clicked fills the view.
    const QPoint dijon = vue->ecran(Geo::Sur_Carte({47.3220, 5.0415})).toPoint();
    QTest::mouseDClick(vue, Qt::LeftButton, {}, dijon);
    QVERIFY(vue->vue().width() < france.width() / 4);
    QVERIFY(vue->vue().contains(Geo::Sur_Carte({47.8589, 4.5736})));  // Châtillon-sur-Seine
    QVERIFY(!vue->vue().contains(Geo::Sur_Carte({48.8566, 2.3522}))); // Paris
    // From the keyboard.
    vue->setFocus();
    QTest::keyClick(vue, Qt::Key_Home);
    QCOMPARE(vue->vue(), france);
    QTest::keyClick(vue, Qt::Key_Plus);
    QVERIFY(vue->vue().width() < france.width());
    QTest::keyClick(vue, Qt::Key_Minus);
    QVERIFY(qAbs(vue->vue().width() - france.width()) < 1e-6);
}

// As a GPS reads it: one waypoint a mill of the table, within 100 km.
void Tst_Carte_Moulins::gpx_enregistre()
{
    Banc b;
    b.controle<QSpinBox>("Rayon")->setValue(100);
    b.choisi = b.dossier.fichier(QStringLiteral("autour.gpx"));
    QTest::mouseClick(b.controle<QPushButton>("Enregistrer_GPX"), Qt::LeftButton);
    QCOMPARE(b.messages, QStringList{QStringLiteral("2 moulin(s) enregistré(s) en GPX sous le nom : %1").arg(QDir::toNativeSeparators(b.choisi))});
    const QByteArray gpx = b.dossier.lit(QStringLiteral("autour.gpx"));
    QCOMPARE(gpx.count("<wpt "), 2);
    QVERIFY(gpx.contains("<name>21003 Moulin Neuf</name>"));
    QVERIFY(gpx.contains("<desc>Besan\xC3\xA7on (25), restant</desc>"));
    QVERIFY(!b.dossier.existe(QString::fromLatin1(Sous_Programmes::Nom_Temporaire)));
    // Nothing in the table, nothing written.
    b.messages.clear();
    b.controle<QSpinBox>("Rayon")->setValue(10);
    b.choisi = b.dossier.fichier(QStringLiteral("vide.gpx"));
    QTest::mouseClick(b.controle<QPushButton>("Enregistrer_GPX"), Qt::LeftButton);
    QCOMPARE(b.messages, QStringList{QStringLiteral("Le tableau ne montre aucun moulin : rien à enregistrer.")});
    QVERIFY(!b.dossier.existe(QStringLiteral("vide.gpx")));
}

void Tst_Carte_Moulins::gpx_refuse_sur_un_log()
{
    Banc b;
    const QByteArray log = Ligne("03/01/07", "21001", "Moulin Contacte", "F4ABC") + "\r\n";
    b.choisi = Sous_Programmes::Chemin_Log(QStringLiteral("F4ABC"), QStringLiteral("2007"), b.dossier.chemin());
    b.dossier.ecrit(QFileInfo(b.choisi).fileName(), log);
    QTest::mouseClick(b.controle<QPushButton>("Enregistrer_GPX"), Qt::LeftButton);
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages[0].contains(QStringLiteral("log")), qPrintable(b.messages[0]));
    QCOMPARE(b.dossier.lit(QFileInfo(b.choisi).fileName()), log);
}

QTEST_MAIN(Tst_Carte_Moulins)
#include "tst_carte_moulins.moc"
