#include "Formes_Carte.h"
#include "Projection.h"

#include <QTest>

using Geo::Position;

Q_DECLARE_METATYPE(Position)

class Tst_Projection : public QObject {
    Q_OBJECT

private slots:
    void prefecture_dans_son_departement_data();
    void prefecture_dans_son_departement();
    void ville_frontiere_data();
    void ville_frontiere();
    void aller_retour_data();
    void aller_retour();
    void ecart_data();
    void ecart();
};

// City centres, decimal degrees.
void Tst_Projection::prefecture_dans_son_departement_data()
{
    QTest::addColumn<int>("boite");
    QTest::addColumn<Position>("position");
    QTest::newRow("01 Bourg-en-Bresse") << 1 << Position{46.2052, 5.2255};
    QTest::newRow("02 Laon") << 2 << Position{49.5641, 3.6199};
    QTest::newRow("03 Moulins") << 3 << Position{46.5646, 3.3326};
    QTest::newRow("04 Digne-les-Bains") << 4 << Position{44.0925, 6.2356};
    QTest::newRow("05 Gap") << 5 << Position{44.5594, 6.0786};
    QTest::newRow("06 Nice") << 6 << Position{43.7102, 7.262};
    QTest::newRow("07 Privas") << 7 << Position{44.7353, 4.5992};
    QTest::newRow("08 Charleville-Mézières") << 8 << Position{49.7621, 4.7263};
    QTest::newRow("09 Foix") << 9 << Position{42.9653, 1.6072};
    QTest::newRow("10 Troyes") << 10 << Position{48.2973, 4.0744};
    QTest::newRow("11 Carcassonne") << 11 << Position{43.213, 2.3491};
    QTest::newRow("12 Rodez") << 12 << Position{44.3506, 2.575};
    QTest::newRow("13 Marseille") << 13 << Position{43.2965, 5.3698};
    QTest::newRow("14 Caen") << 14 << Position{49.1829, -0.3707};
    QTest::newRow("15 Aurillac") << 15 << Position{44.9264, 2.4396};
    QTest::newRow("16 Angoulême") << 16 << Position{45.6484, 0.1562};
    QTest::newRow("17 La Rochelle") << 17 << Position{46.1603, -1.1511};
    QTest::newRow("18 Bourges") << 18 << Position{47.081, 2.3988};
    QTest::newRow("19 Tulle") << 19 << Position{45.2671, 1.77};
    QTest::newRow("21 Dijon") << 21 << Position{47.322, 5.0415};
    QTest::newRow("22 Saint-Brieuc") << 22 << Position{48.5141, -2.7603};
    QTest::newRow("23 Guéret") << 23 << Position{46.1714, 1.8716};
    QTest::newRow("24 Périgueux") << 24 << Position{45.1846, 0.7214};
    QTest::newRow("25 Besançon") << 25 << Position{47.2378, 6.0241};
    QTest::newRow("26 Valence") << 26 << Position{44.9334, 4.8924};
    QTest::newRow("27 Évreux") << 27 << Position{49.0241, 1.1508};
    QTest::newRow("28 Chartres") << 28 << Position{48.4439, 1.489};
    QTest::newRow("29 Quimper") << 29 << Position{47.996, -4.1028};
    QTest::newRow("30 Nîmes") << 30 << Position{43.8367, 4.3601};
    QTest::newRow("31 Toulouse") << 31 << Position{43.6047, 1.4442};
    QTest::newRow("32 Auch") << 32 << Position{43.6465, 0.5855};
    QTest::newRow("33 Bordeaux") << 33 << Position{44.8378, -0.5792};
    QTest::newRow("34 Montpellier") << 34 << Position{43.6108, 3.8767};
    QTest::newRow("35 Rennes") << 35 << Position{48.1173, -1.6778};
    QTest::newRow("36 Châteauroux") << 36 << Position{46.8103, 1.6913};
    QTest::newRow("37 Tours") << 37 << Position{47.3941, 0.6848};
    QTest::newRow("38 Grenoble") << 38 << Position{45.1885, 5.7245};
    QTest::newRow("39 Lons-le-Saunier") << 39 << Position{46.6744, 5.5547};
    QTest::newRow("40 Mont-de-Marsan") << 40 << Position{43.8902, -0.4994};
    QTest::newRow("41 Blois") << 41 << Position{47.5861, 1.3359};
    QTest::newRow("42 Saint-Étienne") << 42 << Position{45.4397, 4.3872};
    QTest::newRow("43 Le Puy-en-Velay") << 43 << Position{45.0434, 3.8856};
    QTest::newRow("44 Nantes") << 44 << Position{47.2184, -1.5536};
    QTest::newRow("45 Orléans") << 45 << Position{47.903, 1.9093};
    QTest::newRow("46 Cahors") << 46 << Position{44.4475, 1.4419};
    QTest::newRow("47 Agen") << 47 << Position{44.2033, 0.6163};
    QTest::newRow("48 Mende") << 48 << Position{44.5181, 3.501};
    QTest::newRow("49 Angers") << 49 << Position{47.4784, -0.5632};
    QTest::newRow("50 Saint-Lô") << 50 << Position{49.1157, -1.0906};
    QTest::newRow("51 Châlons-en-Champagne") << 51 << Position{48.9566, 4.3631};
    QTest::newRow("52 Chaumont") << 52 << Position{48.1113, 5.1392};
    QTest::newRow("53 Laval") << 53 << Position{48.0706, -0.7734};
    QTest::newRow("54 Nancy") << 54 << Position{48.6921, 6.1844};
    QTest::newRow("55 Bar-le-Duc") << 55 << Position{48.7727, 5.16};
    QTest::newRow("56 Vannes") << 56 << Position{47.6582, -2.7608};
    QTest::newRow("57 Metz") << 57 << Position{49.1193, 6.1757};
    QTest::newRow("58 Nevers") << 58 << Position{46.9908, 3.159};
    QTest::newRow("59 Lille") << 59 << Position{50.6292, 3.0573};
    QTest::newRow("60 Beauvais") << 60 << Position{49.4295, 2.0807};
    QTest::newRow("61 Alençon") << 61 << Position{48.4329, 0.0913};
    QTest::newRow("62 Arras") << 62 << Position{50.291, 2.7775};
    QTest::newRow("63 Clermont-Ferrand") << 63 << Position{45.7772, 3.087};
    QTest::newRow("64 Pau") << 64 << Position{43.2951, -0.3708};
    QTest::newRow("65 Tarbes") << 65 << Position{43.2328, 0.0781};
    QTest::newRow("66 Perpignan") << 66 << Position{42.6887, 2.8948};
    QTest::newRow("67 Strasbourg") << 67 << Position{48.5734, 7.7521};
    QTest::newRow("68 Colmar") << 68 << Position{48.0794, 7.3585};
    QTest::newRow("69 Lyon") << 69 << Position{45.764, 4.8357};
    QTest::newRow("70 Vesoul") << 70 << Position{47.6198, 6.1544};
    QTest::newRow("71 Mâcon") << 71 << Position{46.3069, 4.8287};
    QTest::newRow("72 Le Mans") << 72 << Position{48.0061, 0.1996};
    QTest::newRow("73 Chambéry") << 73 << Position{45.5646, 5.9178};
    QTest::newRow("74 Annecy") << 74 << Position{45.8992, 6.1294};
    QTest::newRow("75 Paris") << 75 << Position{48.8566, 2.3522};
    QTest::newRow("76 Rouen") << 76 << Position{49.4432, 1.0999};
    QTest::newRow("77 Melun") << 77 << Position{48.5421, 2.6554};
    QTest::newRow("78 Versailles") << 78 << Position{48.8049, 2.1204};
    QTest::newRow("79 Niort") << 79 << Position{46.3237, -0.4588};
    QTest::newRow("80 Amiens") << 80 << Position{49.8941, 2.2958};
    QTest::newRow("81 Albi") << 81 << Position{43.9289, 2.1464};
    QTest::newRow("82 Montauban") << 82 << Position{44.0176, 1.355};
    QTest::newRow("83 Toulon") << 83 << Position{43.1242, 5.928};
    QTest::newRow("84 Avignon") << 84 << Position{43.9493, 4.8055};
    QTest::newRow("85 La Roche-sur-Yon") << 85 << Position{46.6705, -1.426};
    QTest::newRow("86 Poitiers") << 86 << Position{46.5802, 0.3404};
    QTest::newRow("87 Limoges") << 87 << Position{45.8336, 1.2611};
    QTest::newRow("88 Épinal") << 88 << Position{48.1724, 6.4496};
    QTest::newRow("89 Auxerre") << 89 << Position{47.7982, 3.5673};
    QTest::newRow("90 Belfort") << 90 << Position{47.6397, 6.8638};
    QTest::newRow("91 Évry-Courcouronnes") << 91 << Position{48.629, 2.441};
    QTest::newRow("92 Nanterre") << 92 << Position{48.8924, 2.2071};
    QTest::newRow("93 Bobigny") << 93 << Position{48.9086, 2.4397};
    QTest::newRow("94 Créteil") << 94 << Position{48.7904, 2.4556};
    QTest::newRow("95 Cergy") << 95 << Position{49.0364, 2.0761};
    QTest::newRow("2A Ajaccio") << 96 << Position{41.9192, 8.7386};
    QTest::newRow("2B Bastia") << 97 << Position{42.697, 9.45};
}

void Tst_Projection::prefecture_dans_son_departement()
{
    QFETCH(int, boite);
    QFETCH(Position, position);
    const QPointF point = Geo::Sur_Carte(position);
    QVERIFY2(Formes_France().forme[size_t(boite)].contains(point), qPrintable(QStringLiteral("%1,%2").arg(point.x()).arg(point.y())));
    QCOMPARE(Geo::Ecart_Departement_km(position, boite), 0.0);
    // Nowhere else.
    for (int autre = 1; autre < 98; ++autre)
        if (autre != boite)
            QVERIFY(!Formes_France().forme[size_t(autre)].contains(point));
}

// On coasts and borders, where an outline drawn coarsely may leave a town
// just outside.
void Tst_Projection::ville_frontiere_data()
{
    QTest::addColumn<int>("boite");
    QTest::addColumn<Position>("position");
    QTest::newRow("Hendaye (64)") << 64 << Position{43.3586, -1.7744};
    QTest::newRow("Menton (06)") << 6 << Position{43.7747, 7.4975};
    QTest::newRow("Lauterbourg (67)") << 67 << Position{48.9756, 8.1789};
    QTest::newRow("Dunkerque (59)") << 59 << Position{51.0344, 2.3768};
    QTest::newRow("Brest (29)") << 29 << Position{48.3904, -4.4861};
    QTest::newRow("Cerbère (66)") << 66 << Position{42.4426, 3.166};
    QTest::newRow("Givet (08)") << 8 << Position{50.138, 4.8251};
    QTest::newRow("Bonifacio (2A)") << 96 << Position{41.3874, 9.1591};
    QTest::newRow("Saint-Louis (68)") << 68 << Position{47.5903, 7.56};
    QTest::newRow("Wissembourg (67)") << 67 << Position{49.0373, 7.9453};
    QTest::newRow("Annemasse (74)") << 74 << Position{46.1934, 6.2342};
    QTest::newRow("Chamonix-Mont-Blanc (74)") << 74 << Position{45.9237, 6.8694};
    QTest::newRow("Calais (62)") << 62 << Position{50.9513, 1.8587};
    QTest::newRow("Cherbourg-en-Cotentin (50)") << 50 << Position{49.6337, -1.6222};
    QTest::newRow("Royan (17)") << 17 << Position{45.6246, -1.0292};
    QTest::newRow("Arcachon (33)") << 33 << Position{44.6586, -1.1689};
    QTest::newRow("Sarreguemines (57)") << 57 << Position{49.1099, 7.0684};
    QTest::newRow("Pontarlier (25)") << 25 << Position{46.9035, 6.3546};
    QTest::newRow("Ferney-Voltaire (01)") << 1 << Position{46.2558, 6.1081};
    QTest::newRow("Calvi (2B)") << 97 << Position{42.5679, 8.7575};
    QTest::newRow("Saint-Pol-de-Léon (29)") << 29 << Position{48.6853, -3.9856};
    QTest::newRow("Le Croisic (44)") << 44 << Position{47.2925, -2.5128};
    QTest::newRow("Sète (34)") << 34 << Position{43.4028, 3.6978};
    QTest::newRow("Saint-Jean-Pied-de-Port (64)") << 64 << Position{43.1632, -1.2375};
}

void Tst_Projection::ville_frontiere()
{
    QFETCH(int, boite);
    QFETCH(Position, position);
    const auto ecart = Geo::Ecart_Departement_km(position, boite);
    QVERIFY(ecart);
    QVERIFY2(*ecart <= 3, qPrintable(QString::number(*ecart)));
}

void Tst_Projection::aller_retour_data()
{
    QTest::addColumn<Position>("position");
    QTest::newRow("Dunkerque") << Position{51.0344, 2.3768};
    QTest::newRow("Bonifacio") << Position{41.3874, 9.1591};
    QTest::newRow("pointe du Raz") << Position{48.0394, -4.7408};
    QTest::newRow("hors carte") << Position{55.0, 15.0};
}

void Tst_Projection::aller_retour()
{
    QFETCH(Position, position);
    const Position retour = Geo::Du_Point(Geo::Sur_Carte(position));
    QVERIFY(qAbs(retour.latitude - position.latitude) < 1e-9);
    QVERIFY(qAbs(retour.longitude - position.longitude) < 1e-9);
}

void Tst_Projection::ecart_data()
{
    QTest::addColumn<Position>("position");
    QTest::addColumn<int>("boite");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::newRow("Dijon et le Doubs") << Position{47.3220, 5.0415} << 25 << 40.0 << 60.0;
    QTest::newRow("Dijon et Paris") << Position{47.3220, 5.0415} << 75 << 240.0 << 290.0;
    QTest::newRow("Beaune et la Saône-et-Loire") << Position{47.0260, 4.8400} << 71 << 3.0 << 15.0;
    QTest::newRow("au large d'Ouessant") << Position{48.3904, -5.3} << 29 << 5.0 << 20.0;
}

void Tst_Projection::ecart()
{
    QFETCH(Position, position);
    QFETCH(int, boite);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    const auto e = Geo::Ecart_Departement_km(position, boite);
    QVERIFY(e);
    QVERIFY2(*e >= minimum && *e <= maximum, qPrintable(QString::number(*e)));
}

QTEST_APPLESS_MAIN(Tst_Projection)
#include "tst_projection.moc"
