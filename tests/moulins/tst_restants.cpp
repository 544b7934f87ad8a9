// What the log has of each mill of the list, département by département.
#include "Departements.h"
#include "Journal.h"
#include "Outils_Test.h"
#include "Restants.h"

using namespace Moulins;

class Tst_Restants : public QObject {
    Q_OBJECT

private slots:
    void etats_et_comptes();
    void comptes_d_accord_avec_la_carte();
};

void Tst_Restants::etats_et_comptes()
{
    const Liste liste = Lit_Liste("dmf;nom\r\n21001;A\r\n21002;B\r\n21003;C\r\n2A001;Corse\r\n29001;Finistère\r\n").liste;
    const Sous_Programmes::Contenu_Log log(Fichier_De({
        Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"),
        Ligne("15/03/07", "21001", "Moulin Contacte", "F6ABC"),
        Ligne("10/03/07", "21001", "Moulin Contacte", "F1ABC"),
        Ligne("20/03/07", "21001", "Moulin Contacte", "F2ABC", true), // pending: not its date
        Ligne("02/03/07", "21002", "Moulin Contacte", "F5ABC", true),
        Ligne("31/02/07", "2A001", "Moulin Contacte", "TK5AA"), // no calendar date
        Ligne("05/03/07", "99999", "Moulin Contacte", "F5ABC"),
        Ligne("05/03/07", "ZZZZZ", "Moulin Contacte", "F5ABC"),
        "",
    }));
    const Restants r = Compte_Restants(liste, log);
    QStringList etats;
    for (qsizetype i = 0; i < liste.taille(); ++i)
        etats << QString::fromLatin1(liste[i].Numero()) + QStringLiteral(" ") + Texte_Etat(r.etats[size_t(i)]);
    QCOMPARE(etats, (QStringList{"21001 Contacté le 15/03/07", "21002 En attente", "21003 Restant", "29001 Restant",
                                 "2A001 Contacté"}));
    QCOMPARE(r.qso_absents, 2);
    QCOMPARE(int(r.departements.size()), 3);
    const Departement &cote_d_or = r.departements[0];
    QCOMPARE(cote_d_or.code, QByteArray("21"));
    QCOMPARE(cote_d_or.compte.moulins, 3);
    QCOMPARE(cote_d_or.compte.contactes, 1);
    QCOMPARE(cote_d_or.compte.en_attente, 1);
    QCOMPARE(cote_d_or.compte.restants, 1);
    QCOMPARE(r.departements[2].code, QByteArray("2A"));
    QCOMPARE(r.total.moulins, 5);
    QCOMPARE(r.total.contactes, 2);
    QCOMPARE(r.total.en_attente, 1);
    QCOMPARE(r.total.restants, 2);
}

void Tst_Restants::comptes_d_accord_avec_la_carte()
{
    // Every number of the log in the list: the départements reached are the map's.
    QByteArray texte = "dmf;nom\r\n";
    QList<QByteArray> lignes;
    const char *numeros[] = {"01001", "01002", "13005", "2A001", "2B002", "29010", "75001", "95001", "67003"};
    for (const char *n : numeros)
        texte += QByteArray(n) + ";Moulin " + n + "\r\n";
    for (int i = 0; i < 6; ++i)
        lignes << Ligne("01/03/07", numeros[i], "Moulin Contacte", "F5ABC", i % 2);
    const Liste liste = Lit_Liste(texte).liste;
    const Sous_Programmes::Contenu_Log log(Fichier_De(lignes));
    const Restants r = Compte_Restants(liste, log);
    const int atteints = int(std::count_if(r.departements.begin(), r.departements.end(),
                                           [](const Departement &d) { return d.compte.contactes + d.compte.en_attente > 0; }));
    QCOMPARE(atteints, Sous_Programmes::Colore_Carte(log).nombre);
    QCOMPARE(r.total.contactes + r.total.en_attente, 6);
    QCOMPARE(r.qso_absents, 0);
}

QTEST_GUILESS_MAIN(Tst_Restants)
#include "tst_restants.moc"
