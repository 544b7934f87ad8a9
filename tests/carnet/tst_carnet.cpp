// The current log as one object: each kind of write lands in the file,
// is backed up first, and is followed by one change() that listeners see.
#include "Carnet.h"
#include "Ligne_QSO.h"
#include "Outils_Test.h"

#include <QSignalSpy>

using namespace Sous_Programmes;

namespace {

const QList<QByteArray> Log{Ligne("01/03/07", "21001", "Moulin Contacte", "F5ABC"),
                            Ligne("10/03/07", "21002", "Moulin active", "F6XYZ", true),
                            Ligne("20/03/07", "21001", "Moulin Double", "F1AAA")};
const QByteArray Nouvelle = Ligne("15/03/07", "29015", "Moulin Contacte", "F4NEW");
const QString Nom = QStringLiteral("TEST1_Dezudidar_ERI_2007.txt");

struct Banc {
    Banc(bool oui_sans_sauvegarde = true)
        : carnet(dossier.chemin(), [] { return QDateTime(QDate(2007, 3, 15), QTime(20, 0)); },
                 [this, oui_sans_sauvegarde](const QString &texte) {
                     questions << texte;
                     return oui_sans_sauvegarde;
                 })
    {
        dossier.ecrit(Nom, Fichier_De(Log));
        carnet.ouvre(QStringLiteral("TEST1"), QStringLiteral("2007"));
    }
    int sauvegardes() const { return QDir(dossier.fichier(QStringLiteral("Sauvegardes"))).entryList(QDir::Files).size(); }
    // The kinds of write, by their row in the tables below.
    Statut ecrit(int ecriture)
    {
        switch (ecriture) {
        case 0: return carnet.ajoute(Nouvelle);
        case 1: return carnet.remplace(Ligne_Liste(2, Log[1]), Nouvelle);
        case 2: return carnet.supprime("21001");
        case 3: return carnet.insere(QByteArrayView(Nouvelle));
        case 4: return carnet.insere(std::vector<QByteArray>{Ligne("28/02/07", "29015", "Moulin Contacte", "F4NEW")});
        default: {
            const auto v = carnet.valide({QByteArray("21002")});
            if (!v)
                return Erreur{v.erreur()};
            return v.valeur() == 1 ? Succes() : Statut(Erreur{QStringLiteral("validées : %1").arg(v.valeur())});
        }
        }
    }

    Dossier_Test dossier;
    QStringList questions;
    Carnet carnet;
};

} // namespace

class Tst_Carnet : public QObject {
    Q_OBJECT

private slots:
    void chaque_ecriture_dite_une_fois_data();
    void chaque_ecriture_dite_une_fois();
    void chaque_ecriture_annulee_octet_pour_octet_data() { chaque_ecriture_dite_une_fois_data(); }
    void chaque_ecriture_annulee_octet_pour_octet();
    void annulations_en_chaine();
    void annulation_refusee_quand_le_log_a_change_ailleurs();
    void rien_d_annulable_apres_un_changement_de_station();
    void ecriture_refusee_sans_sauvegarde();
    void changement_differe();
    void station_refusee();
};

void Tst_Carnet::chaque_ecriture_dite_une_fois_data()
{
    QTest::addColumn<int>("ecriture");
    QTest::addColumn<QByteArray>("apres");
    QTest::addColumn<QString>("quoi"); // the change as the undoing names it
    QTest::newRow("ajout") << 0 << Fichier_De({Log[0], Log[1], Log[2], Nouvelle}) << "l'enregistrement du QSO DMF N° 29015 avec F4NEW";
    QTest::newRow("remplacement") << 1 << Fichier_De({Log[0], Nouvelle, Log[2]}) << "la modification du QSO DMF N° 29015 avec F4NEW";
    QTest::newRow("suppression de toutes les lignes d'un moulin") << 2 << Fichier_De({Log[1]}) << "la suppression du DMF N° 21001";
    QTest::newRow("insertion à sa date") << 3 << Fichier_De({Log[0], Log[1], Nouvelle, Log[2]}) << "l'insertion du QSO DMF N° 29015 avec F4NEW";
    QTest::newRow("import de plusieurs lignes") << 4
                                                << Fichier_De({Ligne("28/02/07", "29015", "Moulin Contacte", "F4NEW"), Log[0], Log[1], Log[2]})
                                                << "l'import de 1 QSO";
    QTest::newRow("validation") << 5 << Fichier_De({Log[0], Ligne("10/03/07", "21002", "Moulin active", "F6XYZ"), Log[2]})
                                << "la mise à jour des validations";
}

void Tst_Carnet::chaque_ecriture_dite_une_fois()
{
    QFETCH(int, ecriture);
    QFETCH(QByteArray, apres);
    Banc b;
    QSignalSpy change(&b.carnet, &Carnet::change);
    const Statut s = b.ecrit(ecriture);
    QVERIFY2(s.ok(), qPrintable(s.erreur()));
    QCOMPARE(b.dossier.lit(Nom), apres);
    QCOMPARE(change.count(), 1);
    // The log as it was, kept before its first change.
    QCOMPARE(b.sauvegardes(), 1);
    QVERIFY(b.questions.isEmpty());
    const auto lu = b.carnet.lit();
    QVERIFY(lu);
    QCOMPARE(lu.valeur().nombre(), apres.count("\r\n"));
}

void Tst_Carnet::chaque_ecriture_annulee_octet_pour_octet()
{
    QFETCH(int, ecriture);
    QFETCH(QByteArray, apres);
    QFETCH(QString, quoi);
    Banc b;
    QVERIFY(!b.carnet.derniere_modification());
    QVERIFY(b.ecrit(ecriture));
    QCOMPARE(b.dossier.lit(Nom), apres);
    QCOMPARE(b.carnet.derniere_modification().value_or(QString()), quoi);
    QSignalSpy change(&b.carnet, &Carnet::change);
    const Statut s = b.carnet.annule();
    QVERIFY2(s.ok(), qPrintable(s.erreur()));
    QCOMPARE(b.dossier.lit(Nom), Fichier_De(Log));
    QCOMPARE(change.count(), 1);
    QVERIFY(!b.carnet.derniere_modification());
    QCOMPARE(b.carnet.annule().erreur(), QStringLiteral("Aucune modification du log n'est à annuler."));
    QCOMPARE(b.dossier.lit(Nom), Fichier_De(Log));
}

void Tst_Carnet::annulations_en_chaine()
{
    Banc b;
    QList<QByteArray> lignes = Log;
    std::vector<QByteArray> etats{Fichier_De(lignes)};
    const int ecritures = Carnet::Etapes_Annulables + 5;
    for (int i = 0; i < ecritures; ++i) {
        lignes << Ligne("31/03/07", QByteArray::number(21100 + i), "Moulin Contacte", "F4NEW");
        QVERIFY(b.carnet.ajoute(lignes.last()));
        etats.push_back(Fichier_De(lignes));
    }
    // The newest first, each one back to the bytes before it; the oldest are gone.
    for (int i = ecritures; i > ecritures - Carnet::Etapes_Annulables; --i) {
        QCOMPARE(b.carnet.derniere_modification().value_or(QString()),
                 QStringLiteral("l'enregistrement du QSO DMF N° %1 avec F4NEW").arg(21100 + i - 1));
        QVERIFY(b.carnet.annule());
        QCOMPARE(b.dossier.lit(Nom), etats[size_t(i - 1)]);
    }
    QVERIFY(!b.carnet.derniere_modification());
    QVERIFY(!b.carnet.annule());
    QCOMPARE(b.dossier.lit(Nom), etats[size_t(ecritures - Carnet::Etapes_Annulables)]);
}

void Tst_Carnet::annulation_refusee_quand_le_log_a_change_ailleurs()
{
    Banc b;
    QVERIFY(b.carnet.ajoute(Nouvelle));
    // Another program, or a restored copy, wrote the log meanwhile.
    const QByteArray ailleurs = Fichier_De({Log[0], Nouvelle});
    b.dossier.ecrit(Nom, ailleurs);
    QSignalSpy change(&b.carnet, &Carnet::change);
    const Statut s = b.carnet.annule();
    QVERIFY(!s);
    QVERIFY2(s.erreur().contains(QStringLiteral("a été changé hors du programme depuis l'enregistrement du QSO DMF N° 29015")),
             qPrintable(s.erreur()));
    QCOMPARE(b.dossier.lit(Nom), ailleurs);
    QCOMPARE(change.count(), 0);
    QVERIFY(!b.carnet.derniere_modification());

    // Changed elsewhere between two changes: the later one is taken back to
    // what the other program left, and nothing older.
    Banc c;
    QVERIFY(c.carnet.supprime("21002"));
    c.dossier.ecrit(Nom, ailleurs);
    QVERIFY(c.carnet.ajoute(Log[1]));
    QVERIFY(c.carnet.annule());
    QCOMPARE(c.dossier.lit(Nom), ailleurs);
    QVERIFY(!c.carnet.derniere_modification());
}

void Tst_Carnet::rien_d_annulable_apres_un_changement_de_station()
{
    Banc b;
    QVERIFY(b.carnet.supprime("21001"));
    b.dossier.ecrit(QStringLiteral("TEST1_Dezudidar_ERI_2008.txt"), Fichier_De({}));
    b.carnet.ouvre(QStringLiteral("TEST1"), QStringLiteral("2008"));
    QVERIFY(!b.carnet.derniere_modification());
    QVERIFY(!b.carnet.annule());
    // Back to the first year: what was done there stays done.
    b.carnet.ouvre(QStringLiteral("TEST1"), QStringLiteral("2007"));
    QVERIFY(!b.carnet.derniere_modification());
    QCOMPARE(b.dossier.lit(Nom), Fichier_De({Log[1]}));
}

void Tst_Carnet::ecriture_refusee_sans_sauvegarde()
{
    // No backup can be written (a file stands where its folder goes), and
    // the operator says no: nothing written, nothing more to tell.
    Banc b(false);
    b.dossier.ecrit(QStringLiteral("Sauvegardes"), "pas un dossier");
    QSignalSpy change(&b.carnet, &Carnet::change);
    const Statut s = b.carnet.ajoute(Nouvelle);
    QVERIFY(!s);
    QCOMPARE(s.erreur(), QString());
    QCOMPARE(b.questions.size(), 1);
    QCOMPARE(b.dossier.lit(Nom), Fichier_De(Log));
    QCOMPARE(change.count(), 0);

    // A write that fails is told, and no change is said.
    Banc c;
    QSignalSpy change_c(&c.carnet, &Carnet::change);
    const Statut absent = c.carnet.supprime("99999");
    QVERIFY(absent.ok());
    QVERIFY(QFile::remove(c.dossier.fichier(Nom)));
    QVERIFY(QDir().mkdir(c.dossier.fichier(Nom)));
    const Statut dossier = c.carnet.remplace(Ligne_Liste(1, Log[0]), Nouvelle);
    QVERIFY(!dossier);
    QVERIFY(!dossier.erreur().isEmpty());
    QCOMPARE(change_c.count(), 1);
}

void Tst_Carnet::changement_differe()
{
    Banc b;
    QSignalSpy change(&b.carnet, &Carnet::change);
    {
        Carnet::Differe d(b.carnet);
        QVERIFY(b.carnet.ajoute(Nouvelle));
        QVERIFY(b.carnet.supprime("21002"));
        QCOMPARE(change.count(), 0);
    }
    QCOMPARE(change.count(), 1);
    {
        // Nothing written: nothing said.
        Carnet::Differe d(b.carnet);
    }
    QCOMPARE(change.count(), 1);
}

void Tst_Carnet::station_refusee()
{
    Banc b;
    QVERIFY(!b.carnet.refus());
    QCOMPARE(b.carnet.chemin(), b.dossier.fichier(Nom));
    QSignalSpy change(&b.carnet, &Carnet::change);
    b.carnet.ouvre(QStringLiteral("FXXXX"), QStringLiteral("XXXX"));
    QCOMPARE(change.count(), 1);
    QVERIFY(b.carnet.refus());
    b.carnet.ouvre(QStringLiteral("F5/ABC"), QStringLiteral("2007"));
    QVERIFY(b.carnet.refus());
}

QTEST_GUILESS_MAIN(Tst_Carnet)
#include "tst_carnet.moc"
