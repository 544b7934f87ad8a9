#include "Calculs_Graphique.h"
#include "Contenus_Test.h"

#include <QtTest>

using namespace Graphiques;

Q_DECLARE_METATYPE(Graphiques::Forme)
Q_DECLARE_METATYPE(Graphiques::Contenu)

class Tst_Calculs_Graphique : public QObject {
    Q_OBJECT

private slots:
    void graduations_rondes_data();
    void graduations_rondes();
    void valeurs_en_pixels_data();
    void valeurs_en_pixels();
    void place_sous_le_pointeur_data();
    void place_sous_le_pointeur();
    void dates_des_jours_data();
    void dates_des_jours();
    void info_bulle_data();
    void info_bulle();
    void description_data();
    void description();
};

void Tst_Calculs_Graphique::graduations_rondes_data()
{
    QTest::addColumn<double>("maximum");
    QTest::addColumn<int>("intervalles");
    QTest::addColumn<QList<double>>("graduations");

    QTest::newRow("rien encore : 0 à 1") << 0.0 << 5 << QList<double>{0, 1};
    QTest::newRow("0..1") << 1.0 << 5 << QList<double>{0, 1};
    QTest::newRow("0..7") << 7.0 << 5 << QList<double>{0, 2, 4, 6, 8};
    QTest::newRow("0..7, place pour 8") << 7.0 << 8 << QList<double>{0, 1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("0..22") << 22.0 << 5 << QList<double>{0, 5, 10, 15, 20, 25};
    QTest::newRow("0..22, place pour 3") << 22.0 << 3 << QList<double>{0, 10, 20, 30};
    QTest::newRow("0..20 tout juste") << 20.0 << 4 << QList<double>{0, 5, 10, 15, 20};
    QTest::newRow("0..318") << 318.0 << 8 << QList<double>{0, 50, 100, 150, 200, 250, 300, 350};
    QTest::newRow("0..99999") << 99999.0 << 5 << QList<double>{0, 20000, 40000, 60000, 80000, 100000};
    QTest::newRow("un seul intervalle") << 99999.0 << 1 << QList<double>{0, 100000};
    QTest::newRow("valeurs négatives seules : 0 à 1") << -3.0 << 5 << QList<double>{0, 1};
}

void Tst_Calculs_Graphique::graduations_rondes()
{
    QFETCH(double, maximum);
    QFETCH(int, intervalles);
    QFETCH(QList<double>, graduations);
    const Graduations g = Graduations_Rondes(maximum, intervalles);
    QList<double> obtenues;
    for (int k = 0; k <= g.nombre(); ++k)
        obtenues.append(k * g.pas);
    QCOMPARE(obtenues, graduations);
    QCOMPARE(g.haut, graduations.last());
}

void Tst_Calculs_Graphique::valeurs_en_pixels_data()
{
    QTest::addColumn<Forme>("forme");
    QTest::addColumn<int>("place");
    QTest::addColumn<double>("valeur");
    QTest::addColumn<QPointF>("point");

    // 732 pixels from x 100: 2 a day, 61 a month; 0 at y 350, 25 at y 50.
    QTest::newRow("1er janvier, 0") << Forme::Courbes_Jours << 0 << 0.0 << QPointF(101, 350);
    QTest::newRow("31 décembre, en haut") << Forme::Courbes_Jours << 365 << 25.0 << QPointF(831, 50);
    QTest::newRow("15 mars, 10") << Forme::Courbes_Jours << 74 << 10.0 << QPointF(249, 230);
    QTest::newRow("janvier") << Forme::Barres_Mois << 0 << 5.0 << QPointF(130.5, 290);
    QTest::newRow("décembre") << Forme::Barres_Mois << 11 << 20.0 << QPointF(801.5, 110);
}

void Tst_Calculs_Graphique::valeurs_en_pixels()
{
    QFETCH(Forme, forme);
    QFETCH(int, place);
    QFETCH(double, valeur);
    QFETCH(QPointF, point);
    const Repere r{forme, QRectF(100, 50, 732, 300), 25};
    QCOMPARE(QPointF(r.X(place), r.Y(valeur)), point);
}

void Tst_Calculs_Graphique::place_sous_le_pointeur_data()
{
    QTest::addColumn<Forme>("forme");
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("place");

    QTest::newRow("bord gauche : 1er janvier") << Forme::Courbes_Jours << 100.0 << 0;
    QTest::newRow("fin du 1er janvier") << Forme::Courbes_Jours << 101.9 << 0;
    QTest::newRow("début du 2 janvier") << Forme::Courbes_Jours << 102.0 << 1;
    QTest::newRow("15 mars") << Forme::Courbes_Jours << 249.0 << 74;
    QTest::newRow("bord droit : 31 décembre") << Forme::Courbes_Jours << 831.9 << 365;
    QTest::newRow("à droite du tracé") << Forme::Courbes_Jours << 900.0 << 365;
    QTest::newRow("à gauche du tracé") << Forme::Courbes_Jours << 50.0 << 0;
    QTest::newRow("fin de janvier") << Forme::Barres_Mois << 160.9 << 0;
    QTest::newRow("début de février") << Forme::Barres_Mois << 161.0 << 1;
    QTest::newRow("décembre") << Forme::Barres_Mois << 831.0 << 11;
}

void Tst_Calculs_Graphique::place_sous_le_pointeur()
{
    QFETCH(Forme, forme);
    QFETCH(double, x);
    QFETCH(int, place);
    const Repere r{forme, QRectF(100, 50, 732, 300), 25};
    QCOMPARE(r.Place(x), place);
}

void Tst_Calculs_Graphique::dates_des_jours_data()
{
    QTest::addColumn<int>("annee");
    QTest::addColumn<int>("jour");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("nom");

    QTest::newRow("1er janvier") << 2026 << 0 << QDate(2026, 1, 1) << "1er janvier";
    QTest::newRow("29 février d'une année bissextile") << 2024 << 59 << QDate(2024, 2, 29) << "29 février";
    QTest::newRow("29 février d'une autre année : le 28") << 2025 << 59 << QDate(2025, 2, 28) << "29 février";
    QTest::newRow("1er mars d'une année ordinaire") << 2025 << Premier_Jour(2) << QDate(2025, 3, 1) << "1er mars";
    QTest::newRow("1er décembre") << 2025 << Premier_Jour(11) << QDate(2025, 12, 1) << "1er décembre";
    QTest::newRow("dernier jour d'une année ordinaire") << 2025 << 365 << QDate(2025, 12, 31) << "31 décembre";
}

void Tst_Calculs_Graphique::dates_des_jours()
{
    QFETCH(int, annee);
    QFETCH(int, jour);
    QFETCH(QDate, date);
    QFETCH(QString, nom);
    QCOMPARE(Date_Du_Jour(annee, jour), date);
    QCOMPARE(Nom_Place(Forme::Courbes_Jours, jour), nom);
}

void Tst_Calculs_Graphique::info_bulle_data()
{
    QTest::addColumn<Contenu>("contenu");
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("texte");

    QTest::newRow("15 mars") << Deux_Annees() << 74 << "15 mars\n2026 : 22 points\n2025 : 0 point";
    QTest::newRow("1er janvier") << Deux_Annees() << 0 << "1er janvier\n2026 : 0 point\n2025 : 0 point";
    QTest::newRow("après aujourd'hui : l'année passée seule") << Deux_Annees() << 200 << "19 juillet\n2025 : 12 points";
    QTest::newRow("31 décembre") << Deux_Annees() << 365 << "31 décembre\n2025 : 17 points";
    QTest::newRow("janvier") << Trois_Mois() << 0 << "janvier\n1 validé\n0 en attente";
    QTest::newRow("mars") << Trois_Mois() << 2 << "mars\n3 validés\n1 en attente";
    Contenu beaucoup = Deux_Annees();
    beaucoup.series[1].valeurs[365] = 12500;
    QTest::newRow("milliers séparés") << beaucoup << 365 << QStringLiteral("31 décembre\n2025 : 12\u202F500 points");
}

void Tst_Calculs_Graphique::info_bulle()
{
    QFETCH(Contenu, contenu);
    QFETCH(int, place);
    QFETCH(QString, texte);
    QCOMPARE(Texte_Info_Bulle(contenu, place), texte);
}

void Tst_Calculs_Graphique::description_data()
{
    QTest::addColumn<Contenu>("contenu");
    QTest::addColumn<QString>("texte");

    QTest::newRow("deux années") << Deux_Annees() << "2026 : 22 points au 15/03/26 ; 2025 : 17 points au 31/12/25";
    Contenu un_point = Deux_Annees();
    un_point.series = {un_point.series[0]};
    un_point.series[0].valeurs = {0, 0, 1};
    QTest::newRow("un point, le 3 janvier") << un_point << "2026 : 1 point au 03/01/26";
    Contenu bissextile = Deux_Annees();
    bissextile.series[1].annee = 2024;
    bissextile.series[1].nom = QStringLiteral("2024");
    QTest::newRow("année bissextile entière") << bissextile << "2026 : 22 points au 15/03/26 ; 2024 : 17 points au 31/12/24";
    Contenu vide = Deux_Annees();
    vide.series.clear();
    QTest::newRow("aucune année") << vide << "";
    QTest::newRow("mois") << Trois_Mois()
                          << "janvier : 1 validé, 0 en attente ; février : 3 validés, 0 en attente ; mars : 3 validés, 1 en attente ; "
                             "avril : 0 validé, 0 en attente ; mai : 0 validé, 0 en attente ; juin : 0 validé, 0 en attente ; "
                             "juillet : 0 validé, 0 en attente ; août : 0 validé, 0 en attente ; septembre : 0 validé, 0 en attente ; "
                             "octobre : 0 validé, 0 en attente ; novembre : 0 validé, 0 en attente ; décembre : 0 validé, 0 en attente";
}

void Tst_Calculs_Graphique::description()
{
    QFETCH(Contenu, contenu);
    QFETCH(QString, texte);
    QCOMPARE(Description(contenu), texte);
}

QTEST_APPLESS_MAIN(Tst_Calculs_Graphique)
#include "tst_calculs_graphique.moc"
