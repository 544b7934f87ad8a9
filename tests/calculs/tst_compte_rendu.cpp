// The yearly report's lines: the summary's counts and the listing's rows as
// their own windows compute them, the findings that remain, the text file.
#include "Calculs_Rapports.h"
#include "Compte_Rendu.h"

#include "Outils_Test.h"
#include "Texte.h"

#include <QRegularExpression>
#include <QTest>

using namespace Sous_Programmes;

namespace {

const QDate Jour(2027, 2, 20);

QStringList Lignes(const QByteArray &log)
{
    const Contenu_Log contenu(log);
    return Lignes_Compte_Rendu(contenu, QStringLiteral("F8KOB/P"), QStringLiteral("2026"), Jour,
                               Verifie_Log(contenu, QStringLiteral("2026"), nullptr));
}

// The lines from the one after `debut` to the first empty one.
QStringList Bloc(const QStringList &lignes, const QString &debut, qsizetype saut = 0)
{
    QStringList b;
    for (qsizetype i = lignes.indexOf(debut) + 1 + saut; i > saut && i < lignes.size() && !lignes[i].isEmpty(); ++i)
        b << lignes[i];
    return b;
}

} // namespace

class Tst_Compte_Rendu : public QObject {
    Q_OBJECT

private slots:
    void comptes_du_recapitulatif_et_de_la_liste_data();
    void comptes_du_recapitulatif_et_de_la_liste();
    void octets_du_fichier_texte();
    void nom_propose();
};

void Tst_Compte_Rendu::comptes_du_recapitulatif_et_de_la_liste_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::newRow("vide") << QByteArray();
    QTest::newRow("chaque type, en attente, Corse")
        << Fichier_De({Ligne("05/03/26", "21001", "Moulin Contacte", "F6XYZ"), Ligne("06/03/26", "21002", "Reactivation Contactee", "F6XYZ"),
                       Ligne("07/03/26", "2A001", "Resident Contacte", "TK5AA"), Ligne("08/03/26", "2B004", "Moulin active", "F8KOB", true),
                       Ligne("09/03/26", "29015", "Reactivation activee", "F8KOB"), Ligne("10/03/26", "35012", "Resident active", "F8KOB"),
                       Ligne("11/03/26", "21003", "Operateur activation", "F8KOB"), Ligne("12/03/26", "21001", "Double ou non valid\xE9", "F6XYZ"),
                       Ligne("13/03/26", "21004", "Moulin visite", "F1AAA")});
    QByteArray grand;
    for (int i = 0; i < 2000; ++i)
        grand += Ligne("05/03/26", QByteArray::number(10000 + i * 7).constData(), i % 3 ? "Moulin Contacte" : "Moulin active", "F1AAA",
                       i % 11 == 0)
               + "\r\n";
    QTest::newRow("2 000 QSO") << grand;
}

void Tst_Compte_Rendu::comptes_du_recapitulatif_et_de_la_liste()
{
    QFETCH(QByteArray, log);
    const Contenu_Log contenu(log);
    const QStringList lignes = Lignes(log);
    QCOMPARE(lignes.mid(0, 3), (QStringList{"Compte rendu du challenge Dezudidar ERI 2026", "Station : F8KOB/P",
                                             "Fait le 20/02/2027 par KOB_Dezudidar_ERI Revision " + QString::fromLatin1(Revision_Programme).trimmed()}));

    // The summary sheet's rows, in its order, with its numbers.
    const Recapitulatif_Log recap = Compte_Recapitulatif(contenu);
    const QStringList recapitulatif = Bloc(lignes, QStringLiteral("Récapitulatif des contacts"));
    QCOMPARE(recapitulatif.size(), 9);
    const auto rangees = Rangees_Recapitulatif(recap);
    for (size_t i = 0; i < rangees.size(); ++i) {
        QVERIFY2(recapitulatif[qsizetype(i)].simplified() == rangees[i].texte + u' ' + QString::number(rangees[i].nombre),
                 qPrintable(recapitulatif[qsizetype(i)]));
    }
    QCOMPARE(recapitulatif.last().simplified(), QStringLiteral("Total des points ") + QString::number(recap.total));

    // The listing's rows and total, as the contacted-mills export writes them.
    const QStringList export_lignes
        = Depuis_Log(Listing_Contactes(contenu, Forme_Listing::Fichier, QStringLiteral("F8KOB"), QStringLiteral("2026"), {},
                                       QString::number(recap.total)))
              .split(QStringLiteral("\r\n"));
    const QString entete = Entete_Listing(Forme_Listing::Fichier);
    QCOMPARE(Bloc(lignes, entete, 1), Bloc(export_lignes, entete, 1));
    QCOMPARE(Bloc(lignes, entete, 1).size(), contenu.nombre());
    const QString total = QStringLiteral("Total des points : ") + QString::number(recap.total);
    QVERIFY(lignes.contains(QString(29, u' ') + total));
    QVERIFY(export_lignes.contains(QString(29, u' ') + total));

    // The findings under their own heading, the sum first.
    const auto anomalies = Verifie_Log(contenu, QStringLiteral("2026"), nullptr);
    const QStringList avant = Bloc(lignes, QStringLiteral("Avant l'envoi"));
    QCOMPARE(avant.filter(QRegularExpression(QStringLiteral("^  Ligne "))).size(), qsizetype(anomalies.size()));
    QVERIFY((QStringLiteral("  ") + Resume_Verifications(anomalies)).startsWith(avant.first()));
    // None wider than a printed page.
    for (const QString &ligne : lignes)
        QVERIFY2(ligne.size() <= 80, qPrintable(ligne));
}

void Tst_Compte_Rendu::octets_du_fichier_texte()
{
    const QByteArray log = Fichier_De({Ligne("05/03/26", "21001", "Moulin active", "F8KOB", true), Ligne("05/03/25", "21002", "Moulin Contacte", "F6XYZ")});
    const QByteArray octets = Texte_Lignes(Lignes(log));
    const QByteArray attendu = "Compte rendu du challenge Dezudidar ERI 2026\r\n"
                               "Station : F8KOB/P\r\n"
                               "Fait le 20/02/2027 par KOB_Dezudidar_ERI Revision "
                             + QByteArray(Revision_Programme).trimmed() + "\r\n"
                             "\r\n"
                             "R\xE9" "capitulatif des contacts\r\n"
                             "  Nombre d'activations DMF contact\xE9" "es                1\r\n"
                             "  Nombre de r\xE9" "activations DMF contact\xE9" "es             0\r\n"
                             "  Nombre de DMF r\xE9" "sidents Contact\xE9" "s                  0\r\n"
                             "  Nombre de DMF activ\xE9" "s                              1\r\n"
                             "  Nombre de DMF r\xE9" "activ\xE9" "s                            0\r\n"
                             "  Nombre de DMF r\xE9" "sidents activ\xE9" "s                    0\r\n"
                             "  Nombre de DMF en double                            0\r\n"
                             "  Nombre de d\xE9" "partements contact\xE9" "s                   1\r\n"
                             "  Total des points                                   2\r\n"
                             "\r\n"
                             "Liste des QSO\r\n"
                             "     N\xB0      Date   DMF      Type d'activit\xE9       Indicatif   Points\r\n"
                             "\r\n"
                             "      1   05/03/26 *21001  Moulin active           F8KOB          0\r\n"
                             "      2   05/03/25  21002  Moulin Contacte         F6XYZ          2\r\n"
                             "\r\n"
                             "                             Total des points : 2\r\n"
                             "\r\n"
                             "Avant l'envoi\r\n"
                             "  1 QSO en attente (6 points en suspens), 0 DMF en double, 1 date hors de\r\n"
                             "      l'ann\xE9" "e\r\n"
                             "  Ligne 1, 05/03/26, 21001, F8KOB : en attente de validation : 0 point tant\r\n"
                             "      qu'il n'est pas valid\xE9" " (6 points une fois valid\xE9" ")\r\n"
                             "  Ligne 2, 05/03/25, 21002, F6XYZ : date hors de l'ann\xE9" "e 2026\r\n";
    QCOMPARE(octets, attendu);
}

void Tst_Compte_Rendu::nom_propose()
{
    QCOMPARE(Nom_Compte_Rendu(QStringLiteral("F8KOB_P"), QStringLiteral("2026"), QStringLiteral("pdf")),
             QStringLiteral("F8KOB_P_Dezudidar_ERI_2026_compte_rendu.pdf"));
    QCOMPARE(Nom_Compte_Rendu(QStringLiteral("F8KOB"), QStringLiteral("2026"), QStringLiteral("txt")),
             QStringLiteral("F8KOB_Dezudidar_ERI_2026_compte_rendu.txt"));
}

QTEST_GUILESS_MAIN(Tst_Compte_Rendu)
#include "tst_compte_rendu.moc"
