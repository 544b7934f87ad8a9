// What the yearly report finds before it is sent: each kind of finding, and
// its summing up.
#include "Verifications.h"

#include "Compte_Rendu.h"

#include "Liste_Moulins.h"
#include "Outils_Test.h"

#include <QTest>

using namespace Sous_Programmes;

namespace {

const QByteArray Liste_Csv = "dmf;nom;commune\r\n21001;Moulin Neuf;Beaune\r\n21002;Moulin Haut;Dijon\r\n2A001;Moulin du Golo;Ajaccio\r\n";

// Each finding as "line:kind:date:number:callsign:text", the line counted from 1.
QStringList Decrit(const std::vector<Anomalie> &anomalies)
{
    static const char *sortes[] = {"attente", "double", "date", "type", "liste", "feuille"};
    QStringList t;
    for (const Anomalie &a : anomalies)
        t << QStringLiteral("%1:%2:%3:%4:%5:%6")
                 .arg(a.ligne + 1)
                 .arg(QLatin1String(sortes[int(a.sorte)]), QString::fromLatin1(a.date), QString::fromLatin1(a.dmf),
                      QString::fromLatin1(a.indicatif), a.texte);
    return t;
}

QStringList Trouvees(const QList<QByteArray> &lignes, bool avec_liste)
{
    const Moulins::Lecture lecture = Moulins::Lit_Liste(Liste_Csv);
    return Decrit(Verifie_Log(Contenu_Log(Fichier_De(lignes)), QStringLiteral("2026"), avec_liste ? &lecture.liste : nullptr));
}

} // namespace

class Tst_Verifications : public QObject {
    Q_OBJECT

private slots:
    void anomalies_data();
    void anomalies();
    void resume_data();
    void resume();
    void activations_sans_feuille_data();
    void activations_sans_feuille();
    void rappel_data();
    void rappel();
};

void Tst_Verifications::anomalies_data()
{
    QTest::addColumn<QList<QByteArray>>("lignes");
    QTest::addColumn<bool>("avec_liste");
    QTest::addColumn<QStringList>("trouvees");
    QTest::newRow("aucune") << QList<QByteArray>{Ligne("05/03/26", "21001", "Moulin Contacte", "F6XYZ"),
                                                 Ligne("06/03/26", "21002", "Moulin active", "F8KOB")}
                            << true << QStringList();
    QTest::newRow("en attente") << QList<QByteArray>{Ligne("05/03/26", "21001", "Moulin active", "F8KOB", true)} << false
                                << QStringList{"1:attente:05/03/26:21001:F8KOB:en attente de validation : 0 point tant qu'il n'est pas validé"};
    QTest::newRow("double") << QList<QByteArray>{Ligne("05/03/26", "21001", "Moulin Contacte", "F6XYZ"),
                                                 Ligne("07/03/26", "21002", "Moulin Contacte", "F6XYZ"),
                                                 Ligne("09/03/26", "21001", "Moulin Contacte", "F1AAA")}
                            << false << QStringList{"3:double:09/03/26:21001:F1AAA:N° DMF déjà à la ligne 1 : compté une seule fois"};
    QTest::newRow("double marqué par l'opérateur")
        << QList<QByteArray>{Ligne("05/03/26", "21001", "Moulin Contacte", "F6XYZ"),
                             Ligne("09/03/26", "21001", "Double ou non valid\xE9", "F1AAA"), Ligne("09/03/26", "21001", "Double", "F1BBB")}
        << false << QStringList();
    QTest::newRow("Corse, 2A et 2B distincts")
        << QList<QByteArray>{Ligne("05/03/26", "2A001", "Moulin Contacte", "TK5AA"), Ligne("05/03/26", "2B001", "Moulin Contacte", "TK5AA"),
                             Ligne("06/03/26", "2A001", "Reactivation Contactee", "TK5BB")}
        << false << QStringList{"3:double:06/03/26:2A001:TK5BB:N° DMF déjà à la ligne 1 : compté une seule fois"};
    QTest::newRow("dates") << QList<QByteArray>{Ligne("31/12/25", "21001", "Moulin Contacte", "F6XYZ"),
                                                Ligne("01/01/26", "21002", "Moulin Contacte", "F6XYZ"),
                                                Ligne("31/12/26", "21003", "Moulin Contacte", "F6XYZ"),
                                                Ligne("01/01/27", "21004", "Moulin Contacte", "F6XYZ"),
                                                Ligne("30/02/26", "21005", "Moulin Contacte", "F6XYZ"),
                                                Ligne("3/3/2026", "21006", "Moulin Contacte", "F6XYZ")}
                           << false
                           << QStringList{"1:date:31/12/25:21001:F6XYZ:date hors de l'année 2026",
                                          "4:date:01/01/27:21004:F6XYZ:date hors de l'année 2026",
                                          "5:date:30/02/26:21005:F6XYZ:date qui n'est pas une date du calendrier",
                                          "6:date:3/3/2026:21006:F6XYZ:date qui n'est pas une date du calendrier"};
    QTest::newRow("type inconnu") << QList<QByteArray>{Ligne("05/03/26", "21001", "Moulin visite", "F6XYZ")} << false
                                  << QStringList{"1:type:05/03/26:21001:F6XYZ:type d'activité inconnu du règlement : 0 point"};
    QTest::newRow("absent de la liste")
        << QList<QByteArray>{Ligne("05/03/26", "21001", "Moulin Contacte", "F6XYZ"), Ligne("05/03/26", "21009", "Moulin Contacte", "F6XYZ"),
                             Ligne("05/03/26", "2A001", "Moulin Contacte", "TK5AA"), Ligne("05/03/26", "2B001", "Moulin Contacte", "TK5AA")}
        << true
        << QStringList{"2:liste:05/03/26:21009:F6XYZ:N° DMF absent de la liste des moulins",
                       "4:liste:05/03/26:2B001:TK5AA:N° DMF absent de la liste des moulins"};
    QTest::newRow("sans liste, aucun absent") << QList<QByteArray>{Ligne("05/03/26", "21009", "Moulin Contacte", "F6XYZ")} << false
                                              << QStringList();
    QTest::newRow("plusieurs sur une ligne")
        << QList<QByteArray>{Ligne("05/03/26", "21001", "Moulin Contacte", "F6XYZ"), Ligne("05/03/25", "21001", "Moulin Contacte", "F6XYZ", true)}
        << false
        << QStringList{"2:attente:05/03/25:21001:F6XYZ:en attente de validation : 0 point tant qu'il n'est pas validé",
                       "2:double:05/03/25:21001:F6XYZ:N° DMF déjà à la ligne 1 : compté une seule fois",
                       "2:date:05/03/25:21001:F6XYZ:date hors de l'année 2026"};
}

void Tst_Verifications::anomalies()
{
    QFETCH(QList<QByteArray>, lignes);
    QFETCH(bool, avec_liste);
    QFETCH(QStringList, trouvees);
    QCOMPARE(Trouvees(lignes, avec_liste), trouvees);
}

void Tst_Verifications::resume_data()
{
    QTest::addColumn<QList<QByteArray>>("lignes");
    QTest::addColumn<QString>("resume");
    QTest::newRow("aucune") << QList<QByteArray>{Ligne("05/03/26", "21001", "Moulin Contacte", "F6XYZ")}
                            << QStringLiteral("Aucune anomalie trouvée");
    // Pending: a contact (2), an activation (6), a reactivation contacted (1).
    QTest::newRow("exemple")
        << QList<QByteArray>{Ligne("05/03/26", "21001", "Moulin Contacte", "F6XYZ", true), Ligne("05/03/26", "21002", "Moulin active", "F8KOB", true),
                             Ligne("05/03/26", "21003", "Reactivation Contactee", "F1AAA", true),
                             Ligne("06/03/26", "21004", "Moulin Contacte", "F1AAA"), Ligne("07/03/26", "21004", "Moulin Contacte", "F1BBB"),
                             Ligne("08/03/26", "21004", "Moulin Contacte", "F1CCC")}
        << QStringLiteral("3 QSO en attente (9 points en suspens), 1 DMF en double, 0 date hors de l'année");
    QTest::newRow("les autres sortes")
        << QList<QByteArray>{Ligne("05/03/25", "21001", "Moulin visite", "F6XYZ"), Ligne("05/13/26", "21002", "Moulin visite", "F6XYZ")}
        << QStringLiteral("0 QSO en attente (0 point en suspens), 0 DMF en double, 2 dates hors de l'année, 2 types d'activité inconnus");
}

void Tst_Verifications::resume()
{
    QFETCH(QList<QByteArray>, lignes);
    QFETCH(QString, resume);
    QCOMPARE(Resume_Verifications(Verifie_Log(Contenu_Log(Fichier_De(lignes)), QStringLiteral("2026"), nullptr)), resume);
}

// Only the station's own activations need a sheet; those whose sheet was
// made are no finding, nor is any when the sheets are not looked at.
void Tst_Verifications::activations_sans_feuille_data()
{
    QTest::addColumn<bool>("feuilles_regardees");
    QTest::addColumn<QStringList>("trouvees");
    QTest::addColumn<QString>("resume");
    const QString texte = QStringLiteral("activation sans feuille d'activité : Fichier, Feuille d'activité (ADIF)");
    QTest::newRow("regardées") << true
                               << QStringList{"2:feuille:06/03/26:21002:F8KOB:" + texte, "3:feuille:07/03/26:2A001:F8KOB:" + texte}
                               << QStringLiteral("0 QSO en attente (0 point en suspens), 0 DMF en double, 0 date hors de l'année, "
                                                 "2 activations sans feuille d'activité");
    QTest::newRow("non regardées") << false << QStringList() << QStringLiteral("Aucune anomalie trouvée");
}

void Tst_Verifications::activations_sans_feuille()
{
    QFETCH(bool, feuilles_regardees);
    QFETCH(QStringList, trouvees);
    QFETCH(QString, resume);
    const Contenu_Log log(Fichier_De({Ligne("05/03/26", "21001", "Moulin active", "F8KOB"), Ligne("06/03/26", "21002", "Reactivation activee", "F8KOB"),
                                      Ligne("07/03/26", "2A001", "Resident active", "F8KOB"), Ligne("08/03/26", "21003", "Operateur activation", "F6XYZ"),
                                      Ligne("09/03/26", "21004", "Moulin Contacte", "F1AAA")}));
    // The sheet of 21001 on 5 March 2026 was made.
    const Feuille_Faite faite = [](QByteArrayView dmf, const QDate &jour) { return dmf == "21001" && jour == QDate(2026, 3, 5); };
    const auto anomalies = Verifie_Log(log, QStringLiteral("2026"), nullptr, feuilles_regardees ? faite : Feuille_Faite());
    QCOMPARE(Decrit(anomalies), trouvees);
    QCOMPARE(Resume_Verifications(anomalies), resume);
}

void Tst_Verifications::rappel_data()
{
    QTest::addColumn<QDate>("jour");
    QTest::addColumn<QString>("texte");
    QTest::newRow("31 décembre") << QDate(2026, 12, 31) << QString();
    const QString pour_2026 = QStringLiteral("Compte rendu du challenge 2026 à envoyer au correcteur entre le 15 février et le 1er mars 2027");
    QTest::newRow("1er janvier") << QDate(2027, 1, 1) << pour_2026;
    QTest::newRow("15 février") << QDate(2027, 2, 15) << pour_2026;
    QTest::newRow("1er mars") << QDate(2027, 3, 1) << pour_2026;
    QTest::newRow("2 mars") << QDate(2027, 3, 2) << QString();
    QTest::newRow("29 février bissextile") << QDate(2028, 2, 29)
                                           << QStringLiteral("Compte rendu du challenge 2027 à envoyer au correcteur entre le 15 février et le 1er mars 2028");
}

void Tst_Verifications::rappel()
{
    QFETCH(QDate, jour);
    QFETCH(QString, texte);
    const auto annee = Annee_Du_Rappel(jour);
    QCOMPARE(annee ? Texte_Rappel(*annee) : QString(), texte);
}

QTEST_GUILESS_MAIN(Tst_Verifications)
#include "tst_verifications.moc"
