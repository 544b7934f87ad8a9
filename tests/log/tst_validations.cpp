// The list of validated mills: its numbers in any layout, and the pending QSOs it validates.
#include "Journal.h"
#include "Outils_Test.h"
#include "Points.h"
#include "Validations.h"

using namespace Sous_Programmes;

namespace {

const QString Nom = QStringLiteral("TEST1_Dezudidar_ERI_2007.txt");

QSet<QByteArray> Ensemble(const QList<QByteArray> &l) { return QSet<QByteArray>(l.begin(), l.end()); }

} // namespace

class Tst_Validations : public QObject {
    Q_OBJECT

private slots:
    void numeros_d_une_liste_data();
    void numeros_d_une_liste();
    void seules_les_lignes_en_attente_de_la_liste_changent();
};

void Tst_Validations::numeros_d_une_liste_data()
{
    QTest::addColumn<QByteArray>("texte");
    QTest::addColumn<QList<QByteArray>>("numeros");
    QTest::newRow("un par ligne") << QByteArray("21001\r\n21002\n29015\r\n") << QList<QByteArray>{"21001", "21002", "29015"};
    QTest::newRow("CSV") << QByteArray("DMF;Nom;Commune;Date\r\n21001;Moulin de la Roche;Dijon;12/03/2007\r\n\"2A004\",\"x\"\r\n")
                         << QList<QByteArray>{"21001", "2A004"};
    QTest::newRow("phrases") << QByteArray("Valides cette semaine : le 21001, puis (29015) et DMF-67110.")
                             << QList<QByteArray>{"21001", "29015", "67110"};
    QTest::newRow("Corse en minuscules") << QByteArray("2a001 2b002 2B003") << QList<QByteArray>{"2A001", "2B002", "2B003"};
    QTest::newRow("pas des numeros") << QByteArray("2007 123456 12/03/2007 21C01 F21001 21001X 0612345678")
                                     << QList<QByteArray>{};
    QTest::newRow("vide") << QByteArray() << QList<QByteArray>{};
}

void Tst_Validations::numeros_d_une_liste()
{
    QFETCH(QByteArray, texte);
    QFETCH(QList<QByteArray>, numeros);
    QCOMPARE(Numeros_Valides(texte), Ensemble(numeros));
}

void Tst_Validations::seules_les_lignes_en_attente_de_la_liste_changent()
{
    const QByteArray en_attente = Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC", true);
    const QByteArray active = Ligne("02/03/07", "29015", "Moulin active", "F8KOB", true);
    const QByteArray deja = Ligne("03/03/07", "21002", "Moulin Contacte", "F6XYZ");
    const QByteArray autre = Ligne("04/03/07", "21003", "Moulin Contacte", "F1AAA", true);
    // An LF-only end and a line holding no QSO stay as they are, byte for byte.
    const QByteArray fichier = en_attente + "\r\n" + deja + "\n" + "         *     \r\n" + autre + "\r\n" + active + "\r\n";
    Dossier_Test d;
    const QString log = d.ecrit(Nom, fichier);
    const QSet<QByteArray> liste = Numeros_Valides("21001 21002 29015");

    const auto avant = Lit_Log(log);
    QCOMPARE(Total_Contenu(avant.valeur()), 2);
    const Apercu_Validations a = Apercu(avant.valeur(), liste);
    QCOMPARE(a.lignes, (std::vector<qsizetype>{0, 4}));
    QCOMPARE(a.restent, 2); // 21003, and the line without a number
    QCOMPARE(a.points, 8);

    const auto r = Valide_QSO(log, liste);
    QVERIFY2(r.ok(), qPrintable(r.erreur()));
    QCOMPARE(r.valeur(), 2);
    QByteArray attendu = fichier;
    attendu[9] = ' ';
    attendu[fichier.lastIndexOf(active) + 9] = ' ';
    QCOMPARE(d.lit(Nom), attendu);
    QCOMPARE(Total_Contenu(Lit_Log(log).valeur()), 10);

    // Nothing left to validate: not even rewritten (a rewrite could not make
    // its temporary file here).
    QVERIFY(QDir(d.chemin()).mkdir(QString::fromLatin1(Nom_Temporaire)));
    const auto rien = Valide_QSO(log, liste);
    QVERIFY2(rien.ok(), qPrintable(rien.erreur()));
    QCOMPARE(rien.valeur(), 0);
    QCOMPARE(d.lit(Nom), attendu);
    QVERIFY(!Valide_QSO(d.fichier(QStringLiteral("absent.txt")), liste).ok());
}

QTEST_GUILESS_MAIN(Tst_Validations)
#include "tst_validations.moc"
