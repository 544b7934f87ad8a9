// The mills around a point: which ones the map shows, nearest first, within a
// radius, said in words and saved as GPX waypoints.
#include "Autour.h"
#include "Journal.h"
#include "Moulins_Autour_Test.h"

#include <QTest>
#include <QXmlStreamReader>

using namespace Moulins;
using Geo::Position;

Q_DECLARE_METATYPE(Filtre)

namespace {

// The list around Dijon, as far as `log` has its mills.
struct Monde {
    Liste liste = Lit_Liste(Liste_Autour).liste;
    Restants restants;
    Points_Carte points;
    explicit Monde(const QByteArray &log = {})
    {
        restants = Compte_Restants(liste, Sous_Programmes::Contenu_Log(log));
        points = Place_Moulins(liste, restants);
    }
};

QStringList Numeros(const Monde &m, const std::vector<Proche> &proches)
{
    QStringList s;
    for (const Proche &p : proches)
        s << QString::fromLatin1(m.liste[m.points.points[size_t(p.point)].rang].Numero());
    return s;
}

} // namespace

class Tst_Autour : public QObject {
    Q_OBJECT

private slots:
    void filtre_et_rayon_data();
    void filtre_et_rayon();
    void compte_des_positions_data();
    void compte_des_positions();
    void texte_d_un_point();
    void gpx_relu();
};

void Tst_Autour::filtre_et_rayon_data()
{
    QTest::addColumn<Filtre>("filtre");
    QTest::addColumn<bool>("depuis_dijon");
    QTest::addColumn<double>("rayon");
    QTest::addColumn<QStringList>("numeros");
    QTest::newRow("tous, par numéro sans origine") << Filtre::Tous << false << 0.0
                                                  << QStringList{"21001", "21002", "21003", "25001", "75001", "89001"};
    QTest::newRow("tous depuis Dijon") << Filtre::Tous << true << 0.0
                                       << QStringList{"21001", "21003", "21002", "25001", "89001", "75001"};
    QTest::newRow("restants depuis Dijon") << Filtre::Restants << true << 0.0
                                           << QStringList{"21003", "25001", "89001", "75001"};
    QTest::newRow("dans 50 km") << Filtre::Tous << true << 50.0 << QStringList{"21001", "21003", "21002"};
    QTest::newRow("restants dans 80 km") << Filtre::Restants << true << 80.0 << QStringList{"21003", "25001"};
    QTest::newRow("contactés") << Filtre::Contactes << true << 0.0 << QStringList{"21001"};
    QTest::newRow("en attente") << Filtre::En_Attente << false << 0.0 << QStringList{"21002"};
    QTest::newRow("personne si près") << Filtre::Restants << true << 30.0 << QStringList{};
}

void Tst_Autour::filtre_et_rayon()
{
    QFETCH(Filtre, filtre);
    QFETCH(bool, depuis_dijon);
    QFETCH(double, rayon);
    QFETCH(QStringList, numeros);
    Monde m(Log_Autour);
    const auto origine = depuis_dijon ? std::optional<Position>(Position{47.3220, 5.0415}) : std::nullopt;
    const auto proches = Moulins_Proches(m.points, filtre, origine, rayon);
    QCOMPARE(Numeros(m, proches), numeros);
    for (size_t i = 1; i < proches.size(); ++i)
        QVERIFY(!origine || proches[i - 1].distance_km <= proches[i].distance_km);
}

void Tst_Autour::compte_des_positions_data()
{
    QTest::addColumn<int>("avec");
    QTest::addColumn<int>("sans");
    QTest::addColumn<QString>("texte");
    QTest::newRow("comme l'exemple") << 1402 << 128
                                     << QStringLiteral("1\u202F402 moulins sur 1\u202F530 ont des coordonnées ; 128 sans "
                                                       "coordonnées ne sont pas sur la carte");
    QTest::newRow("tous placés") << 3 << 0 << QStringLiteral("3 moulins sur 3 ont des coordonnées");
    QTest::newRow("aucun placé") << 0 << 2 << QStringLiteral("0 moulin sur 2 a des coordonnées ; 2 sans coordonnées ne sont pas sur la carte");
    QTest::newRow("un de chaque") << 1 << 1 << QStringLiteral("1 moulin sur 2 a des coordonnées ; 1 sans coordonnées n'est pas sur la carte");
    QTest::newRow("pas de liste") << 0 << 0 << QStringLiteral("Aucune liste des moulins n'est gardée.");
}

void Tst_Autour::compte_des_positions()
{
    QFETCH(int, avec);
    QFETCH(int, sans);
    QFETCH(QString, texte);
    QByteArray fichier = "dmf;nom;commune;lat;lon\r\n";
    // 999 mills a département: Côte-d'Or, then Doubs.
    for (int i = 0; i < avec + sans; ++i) {
        const bool doubs = i >= 999;
        fichier += QStringLiteral("%1;Moulin %2;X;%3;%4\r\n")
                       .arg((doubs ? 25000 : 21000) + i % 999 + 1)
                       .arg(i)
                       .arg(i >= avec ? QString() : doubs ? QStringLiteral("47.24") : QStringLiteral("47.3"),
                            i >= avec ? QString() : doubs ? QStringLiteral("6.02") : QStringLiteral("5.04"))
                       .toLatin1();
    }
    const Liste liste = Lit_Liste(fichier).liste;
    const Points_Carte points = Place_Moulins(liste, Compte_Restants(liste, Sous_Programmes::Contenu_Log()));
    QCOMPARE(qsizetype(points.points.size()), avec);
    QCOMPARE(points.sans_position(), sans);
    QCOMPARE(Texte_Compte(points), texte);
}

void Tst_Autour::texte_d_un_point()
{
    Monde m(Log_Autour);
    // 21003 then 21001 on the map: the order of numbers.
    const Point_Carte &neuf = m.points.points[2], &a = m.points.points[0];
    QCOMPARE(Texte_Point(m.liste, m.restants, neuf, Position{47.3220, 5.0415}),
             QStringLiteral("21003 Moulin Neuf, Beaune (21) : restant, 36 km, azimut 206°"));
    QCOMPARE(Texte_Point(m.liste, m.restants, a, std::nullopt), QStringLiteral("21001 Moulin A, Dijon (21) : contacté le 03/01/07"));
}

// Read back as a GPS would: each waypoint's place, name and description,
// the XML's own characters escaped.
void Tst_Autour::gpx_relu()
{
    Monde m;
    const auto proches = Moulins_Proches(m.points, Filtre::Restants, Position{47.3220, 5.0415}, 150);
    const QByteArray gpx = Texte_GPX(m.liste, m.restants, m.points, proches);
    QVERIFY(gpx.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    QXmlStreamReader x(gpx);
    QStringList lus;
    QString version, espace;
    while (x.readNextStartElement()) {
        if (x.name() == QLatin1String("gpx")) {
            version = x.attributes().value(QLatin1String("version")).toString();
            espace = x.namespaceUri().toString();
            continue;
        }
        QCOMPARE(x.name(), QLatin1String("wpt"));
        QString point = x.attributes().value(QLatin1String("lat")).toString() + u' ' + x.attributes().value(QLatin1String("lon")).toString();
        while (x.readNextStartElement())
            point += u'|' + x.readElementText();
        lus << point;
    }
    QVERIFY2(!x.hasError(), qPrintable(x.errorString()));
    QCOMPARE(version, QStringLiteral("1.1"));
    QCOMPARE(espace, QStringLiteral("http://www.topografix.com/GPX/1/1"));
    QCOMPARE(lus, (QStringList{"47.322000 5.041500|21001 Moulin A|Dijon (21), restant",
                               "47.030000 4.830000|21003 Moulin Neuf|Beaune (21), restant",
                               "47.026000 4.840000|21002 Moulin B|Beaune (21), restant",
                               "47.237800 6.024100|25001 Moulin & \"G\" <bis>|Besançon (25), restant",
                               "47.798200 3.567300|89001 Moulin F|Auxerre (89), restant"}));
    QVERIFY(gpx.contains("Moulin &amp; \"G\" &lt;bis>") || gpx.contains("Moulin &amp; &quot;G&quot; &lt;bis&gt;"));
    QVERIFY(gpx.contains("Besan\xC3\xA7on"));
}

QTEST_APPLESS_MAIN(Tst_Autour)
#include "tst_autour.moc"
