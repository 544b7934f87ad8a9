// An activation from its own ADIF to the challenge log, as the operator does
// it from the menu: its line proposed in the entry and recorded by the
// ordinary recording, with its checks and its question; the yearly report
// counting the activations whose sheet is not made.
#include "Banc_Main.h"

#include "ADIF_Test.h"

#include "Dialogue_Fichier.h"
#include "Feuille_Activite.h"
#include "Regles_Saisie.h"

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>

namespace {

// `nombre` QSOs of the station at mill 21001 on `jour`.
QByteArray Activation(int nombre, const QByteArray &jour) { return "Carnet portable\r\n<EOH>\r\n" + QSO_Activation(nombre, jour, "21001"); }

const QByteArray Log_Depart = Fichier_De({Ligne("01/03/07", "29015", "Moulin Contacte", "F5ABC")});

// The station TEST1 with its log, the sheet's window open on `adi`.
Feuille_Activite *Ouvre_Feuille(Banc_Main &b, const QByteArray &adi, const QByteArray &log = Log_Depart)
{
    b.station("TEST1", "2007", log);
    b.demarre();
    const QString chemin = b.dossier.ecrit(QStringLiteral("activation.adi"), adi);
    Dialogue_Fichier::Installe_Repondeur([chemin](const QString &, const QString &) { return chemin; });
    b.action("Mnu_Feuille_Activite")->trigger();
    return Banc_Main::fenetre_ouverte<Feuille_Activite>("Feuille_Activite");
}

void Ajoute(Feuille_Activite *f, const QString &type)
{
    f->findChild<QComboBox *>(QStringLiteral("Type_Activation"))->setCurrentText(type);
    QTest::mouseClick(f->findChild<QPushButton *>(QStringLiteral("Ajouter_Au_Log")), Qt::LeftButton);
}

} // namespace

class Tst_Main_Activite : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Dialogue_Fichier::Installe_Repondeur({}); }
    void proposee_puis_enregistree_data();
    void proposee_puis_enregistree();
    void deja_dans_le_log();
    void refusee_comme_a_la_saisie();
    void compte_rendu_sans_feuille();
};

void Tst_Main_Activite::proposee_puis_enregistree_data()
{
    QTest::addColumn<int>("qso");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("question");
    const QString ordinaire = QStringLiteral("Voulez vous enregistrer ces données ?");
    const QString moins = QStringLiteral("Moins de 50 QSO : cette réactivation ne compte pas pour le challenge. Enregistrer quand même ?");
    QTest::newRow("réactivation, 49 QSO") << 49 << "Reactivation activee" << moins;
    QTest::newRow("réactivation, 50 QSO") << 50 << "Reactivation activee" << ordinaire;
    QTest::newRow("moulin activé, 12 QSO") << 12 << "Moulin active" << ordinaire;
    QTest::newRow("résident, 12 QSO") << 12 << "Resident active" << ordinaire;
}

void Tst_Main_Activite::proposee_puis_enregistree()
{
    QFETCH(int, qso);
    QFETCH(QString, type);
    QFETCH(QString, question);
    Banc_Main b;
    Feuille_Activite *f = Ouvre_Feuille(b, Activation(qso, "20070310"));
    QVERIFY(f);
    Ajoute(f, type);
    QCOMPARE(b.champ("Date_A")->text(), QStringLiteral("10/03/07"));
    QCOMPARE(b.champ("Ind_A")->text(), QStringLiteral("TEST1"));
    QCOMPARE(b.type()->currentText(), type);
    QCOMPARE(b.champ("DMF_A")->text(), QStringLiteral("21001"));
    QVERIFY(b.controle<QCheckBox>("Validation_A")->isChecked());
    QVERIFY(b.bouton("Valide_A")->isEnabled());
    QCOMPARE(b.fenetre->focusWidget(), b.bouton("Valide_A"));
    QCOMPARE(b.messages, QStringList());

    // Declined: nothing written.
    b.reponses = {QMessageBox::No};
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(b.messages, QStringList{question});
    QCOMPARE(b.dossier.lit(b.log()), Log_Depart);

    Ajoute(f, type);
    b.messages.clear();
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(b.messages, QStringList{question});
    QCOMPARE(b.dossier.lit(b.log()), Log_Depart + Ligne("10/03/07", "21001", type.toLatin1().constData(), "TEST1", true) + "\r\n");
}

// A line of that mill and day already in the log is named, not proposed again.
void Tst_Main_Activite::deja_dans_le_log()
{
    Banc_Main b;
    const QByteArray log = Log_Depart + Fichier_De({Ligne("10/03/07", "21001", "Moulin active", "TEST1", true)});
    Feuille_Activite *f = Ouvre_Feuille(b, Activation(60, "20070310"), log);
    QVERIFY(f);
    Ajoute(f, QStringLiteral("Moulin active"));
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().startsWith(QStringLiteral("Le log a déjà une ligne du 10/03/07 pour le moulin 21001, ligne 2 :")),
             qPrintable(b.messages.first()));
    QCOMPARE(b.liste()->currentIndex().row(), 1);
    QVERIFY(b.modification());
    QCOMPARE(b.dossier.lit(b.log()), log);
}

// An activation of another year goes through the entry's refusal, as typed.
void Tst_Main_Activite::refusee_comme_a_la_saisie()
{
    Banc_Main b;
    Feuille_Activite *f = Ouvre_Feuille(b, Activation(60, "20060310"));
    QVERIFY(f);
    Ajoute(f, QStringLiteral("Moulin active"));
    QTest::mouseClick(b.bouton("Valide_A"), Qt::LeftButton);
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().endsWith(Sous_Programmes::Verifie_Date(QStringLiteral("10/03/06"), QStringLiteral("2007"))),
             qPrintable(b.messages.first()));
    QCOMPARE(b.dossier.lit(b.log()), Log_Depart);
}

// The station's activation in the log counts in the yearly report until its sheet is saved.
void Tst_Main_Activite::compte_rendu_sans_feuille()
{
    Banc_Main b;
    const QByteArray log = Log_Depart + Fichier_De({Ligne("10/03/07", "21001", "Moulin active", "TEST1"),
                                                    Ligne("11/03/07", "21002", "Operateur activation", "F6XYZ")});
    Feuille_Activite *f = Ouvre_Feuille(b, Activation(60, "20070310"), log);
    QVERIFY(f);
    auto resume = [&] {
        b.action("Mnu_Compte_Rendu")->trigger();
        QWidget *c = Banc_Main::fenetre_ouverte("Compte_Rendu");
        const QString texte = c ? c->findChild<QLabel *>(QStringLiteral("Resume_Verifications"))->text() : QString();
        if (c)
            c->close();
        return texte;
    };
    QCOMPARE(resume(), QStringLiteral("0 QSO en attente (0 point en suspens), 0 DMF en double, 0 date hors de l'année, "
                                      "1 activation sans feuille d'activité"));
    const QString texte = b.dossier.fichier(QStringLiteral("feuille.txt"));
    Dialogue_Fichier::Installe_Repondeur([texte](const QString &, const QString &) { return texte; });
    QTest::mouseClick(f->findChild<QPushButton *>(QStringLiteral("Texte_Feuille")), Qt::LeftButton);
    QVERIFY(QFile::exists(texte));
    QCOMPARE(resume(), QStringLiteral("Aucune anomalie trouvée"));
}

QTEST_MAIN(Tst_Main_Activite)
#include "tst_main_activite.moc"
