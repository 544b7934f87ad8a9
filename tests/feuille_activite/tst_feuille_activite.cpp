// The activity sheet's window: the activations of a file, the file's mill
// named by hand, the operators kept, the sheet printed or saved (and refused
// over the program's files), the activation's line sent to the log.
#include "Feuille.h"
#include "Feuille_Activite.h"

#include "Dialogue_Fichier.h"
#include "Message.h"
#include "ADIF_Test.h"
#include "Outils_Test.h"
#include "Regles_Saisie.h"
#include "Texte.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

using namespace Sous_Programmes;

namespace {

Activite::Lecture Lit(const QByteArray &octets)
{
    ADIF::Lecteur lecteur(octets);
    auto l = Activite::Lit_Activations(lecteur);
    if (!l)
        qFatal("reading failed");
    return std::move(l).valeur();
}

const QByteArray Fichier = "<EOH>\r\n" + QSO_Activation(51, "20260315", "21001") + QSO_Activation(12, "20260316", "21001") + QSO_Activation(3, "20260316", "");

struct Banc {
    Dossier_Test dossier;
    QString choisi, propose; // what the file dialog answers, and what it was offered
    QStringList messages;
    std::unique_ptr<Feuille_Activite> fenetre;

    explicit Banc(const QByteArray &octets = Fichier)
    {
        Isole_Reglages(dossier.fichier(QStringLiteral("reglages")));
        Dialogue_Fichier::Installe_Repondeur([this](const QString &, const QString &p) {
            propose = p;
            return choisi;
        });
        Message::Installe_Repondeur([this](const QString &texte, QMessageBox::StandardButtons) {
            messages << texte;
            return QMessageBox::Ok;
        });
        ouvre(octets);
    }
    ~Banc()
    {
        Dialogue_Fichier::Installe_Repondeur({});
        Message::Installe_Repondeur({});
    }
    void ouvre(const QByteArray &octets)
    {
        fenetre.reset();
        fenetre = std::make_unique<Feuille_Activite>(Lit(octets), nullptr, QStringLiteral("activation.adi"), QStringLiteral("F8KOB/P"),
                                                     QDate(2026, 3, 20), dossier.chemin(), 0);
        fenetre->show();
    }
    template <typename T = QWidget>
    T *controle(const char *nom) const
    {
        T *c = fenetre->findChild<T *>(QLatin1String(nom));
        if (!c)
            qFatal("no control %s", nom);
        return c;
    }
    QTableWidget *table() const { return controle<QTableWidget>("Table_Activations"); }
    QStringList rangees() const
    {
        QStringList r;
        for (int i = 0; i < table()->rowCount(); ++i) {
            QStringList cases;
            for (int c = 0; c < table()->columnCount(); ++c)
                if (c != 1 && c != 7 && c != 8) // the mill's name, bands and modes aside
                    cases << table()->item(i, c)->text();
            r << cases.join(u'|');
        }
        return r;
    }
    QStringList operateurs() const
    {
        QStringList r;
        auto *l = controle<QListWidget>("Operateurs");
        for (int i = 0; i < l->count(); ++i)
            r << l->item(i)->text();
        return r;
    }
    void clique(const char *bouton) { QTest::mouseClick(controle<QPushButton>(bouton), Qt::LeftButton); }
    void saisit(const char *champ, const QString &texte)
    {
        auto *l = controle<QLineEdit>(champ);
        l->clear();
        QTest::keyClicks(l, texte);
        QTest::keyClick(l, Qt::Key_Return);
    }
};

} // namespace

class Tst_Feuille_Activite : public QObject {
    Q_OBJECT

private slots:
    void activations_du_fichier();
    void moulin_du_fichier_nomme_data();
    void moulin_du_fichier_nomme();
    void operateurs_modifies_et_gardes();
    void pdf_relu();
    void texte_et_cibles_refusees_data();
    void texte_et_cibles_refusees();
    void ajouter_au_log();
};

void Tst_Feuille_Activite::activations_du_fichier()
{
    Banc b;
    QCOMPARE(b.fenetre->windowTitle(), QStringLiteral("Feuille d'activité"));
    QCOMPARE(b.controle<QLabel>("Resume_Activite")->text(), QStringLiteral("activation.adi : 66 QSO"));
    QCOMPARE(b.rangees(), (QStringList{"21001|15/03/2026|08:00|08:50|51|51|F8KOB, F8KOB/P|atteint",
                                       "21001|16/03/2026|08:00|08:11|12|12|F8KOB, F8KOB/P|manque 38",
                                       "||08:00|08:02|3|3|F8KOB, F8KOB/P|"}));
    QCOMPARE(b.table()->currentRow(), 0);
    // The QSOs without the station's mill make no sheet and no line.
    b.table()->setCurrentCell(2, 0);
    QVERIFY(!b.controle<QPushButton>("Ajouter_Au_Log")->isEnabled());
    QVERIFY(!b.controle<QPushButton>("PDF_Feuille")->isEnabled());
    QVERIFY(b.fenetre->lignes().isEmpty());
}

void Tst_Feuille_Activite::moulin_du_fichier_nomme_data()
{
    QTest::addColumn<QString>("tape");
    QTest::addColumn<QStringList>("rangees");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("un autre moulin") << "2a004"
                                     << QStringList{"21001|15/03/2026|08:00|08:50|51|51|F8KOB, F8KOB/P|atteint",
                                                    "21001|16/03/2026|08:00|08:11|12|12|F8KOB, F8KOB/P|manque 38",
                                                    "2A004|16/03/2026|08:00|08:02|3|3|F8KOB, F8KOB/P|manque 47"}
                                     << QStringList();
    QTest::newRow("le même moulin, le même jour") << "21001"
                                                   << QStringList{"21001|15/03/2026|08:00|08:50|51|51|F8KOB, F8KOB/P|atteint",
                                                                  "21001|16/03/2026|08:00|08:11|15|12|F8KOB, F8KOB/P|manque 35"}
                                                   << QStringList();
    QTest::newRow("refusé") << "2C001"
                            << QStringList{"21001|15/03/2026|08:00|08:50|51|51|F8KOB, F8KOB/P|atteint",
                                           "21001|16/03/2026|08:00|08:11|12|12|F8KOB, F8KOB/P|manque 38", "||08:00|08:02|3|3|F8KOB, F8KOB/P|"}
                            << QStringList{Verifie_DMF(QStringLiteral("2C001"))};
}

void Tst_Feuille_Activite::moulin_du_fichier_nomme()
{
    QFETCH(QString, tape);
    QFETCH(QStringList, rangees);
    QFETCH(QStringList, messages);
    Banc b;
    b.saisit("DMF_Activite", tape);
    QCOMPARE(b.rangees(), rangees);
    QCOMPARE(b.messages, messages);
    // Emptied, the QSOs without a mill are their own line again.
    b.saisit("DMF_Activite", QString());
    QCOMPARE(b.table()->rowCount(), 3);
    QCOMPARE(b.table()->item(2, 0)->text(), QString());
}

void Tst_Feuille_Activite::operateurs_modifies_et_gardes()
{
    Banc b;
    QCOMPARE(b.operateurs(), (QStringList{"F8KOB", "F8KOB/P"}));
    b.saisit("Nouvel_Operateur", QStringLiteral("f4def"));
    b.saisit("Nouvel_Operateur", QStringLiteral("F4DEF"));
    b.saisit("Nouvel_Operateur", QStringLiteral("F4 DEF"));
    QCOMPARE(b.operateurs(), (QStringList{"F8KOB", "F8KOB/P", "F4DEF"}));
    QCOMPARE(b.messages.size(), 1);
    QCOMPARE(b.messages.first(), Activite::Refus_Operateur(QStringLiteral("F4 DEF")));
    auto *liste = b.controle<QListWidget>("Operateurs");
    liste->setCurrentRow(1);
    b.clique("Retire_Operateur");
    QCOMPARE(b.operateurs(), (QStringList{"F8KOB", "F4DEF"}));
    QVERIFY(b.fenetre->lignes().contains(QStringLiteral("Opérateurs présents : F8KOB, F4DEF")));

    // Kept for that mill and day: the next day keeps its own, and the file
    // opened again shows them.
    b.table()->setCurrentCell(1, 0);
    QCOMPARE(b.operateurs(), (QStringList{"F8KOB", "F8KOB/P"}));
    b.ouvre(Fichier);
    QCOMPARE(b.operateurs(), (QStringList{"F8KOB", "F4DEF"}));
    QCOMPARE(Activite::Lit_Operateurs("21001", QDate(2026, 3, 15)), std::optional<QStringList>({"F8KOB", "F4DEF"}));
}

void Tst_Feuille_Activite::pdf_relu()
{
    Banc b;
    QVERIFY(!Activite::Feuille_Faite("21001", QDate(2026, 3, 15)));
    b.choisi = b.dossier.fichier(QStringLiteral("Activite_21001_20260315.pdf"));
    b.clique("PDF_Feuille");
    QCOMPARE(QFileInfo(b.propose).fileName(), QStringLiteral("Activite_21001_20260315.pdf"));
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().startsWith(QStringLiteral("La feuille d'activité a été enregistrée sous le nom : ")),
             qPrintable(b.messages.first()));
    QVERIFY(b.dossier.lit(QStringLiteral("Activite_21001_20260315.pdf")).startsWith("%PDF-"));
    QVERIFY(Activite::Feuille_Faite("21001", QDate(2026, 3, 15)));
    QVERIFY(!Activite::Feuille_Faite("21001", QDate(2026, 3, 16)));
    const auto lu = Texte_PDF(b.choisi);
    if (!lu)
        QSKIP("pdftotext (poppler-utils) absent: the PDF's text is read back on Linux");
    const QString texte = *lu;
    for (const char *attendu : {"Feuille d'activité", "21001", "15/03/2026", "F8KOB/P", "Opérateurs présents : F8KOB, F8KOB/P",
                                "Minimum de 50 QSO : atteint", "F5A100", "F5A150"})
        QVERIFY2(texte.contains(QString::fromUtf8(attendu)), attendu);
    QVERIFY(!texte.contains(QStringLiteral("F5A151")));
}

void Tst_Feuille_Activite::texte_et_cibles_refusees_data()
{
    QTest::addColumn<QString>("cible");
    QTest::addColumn<bool>("ecrit");
    QTest::newRow("un fichier à soi") << "feuille.txt" << true;
    QTest::newRow("un log") << "F8KOB_P_Dezudidar_ERI_2026.txt" << false;
    QTest::newRow("le modèle") << "FXXXX_Dezudidar_ERI.txt" << false;
}

void Tst_Feuille_Activite::texte_et_cibles_refusees()
{
    QFETCH(QString, cible);
    QFETCH(bool, ecrit);
    Banc b;
    const QByteArray avant = Fichier_De({Ligne("15/03/26", "21001", "Moulin active", "F8KOB")});
    if (!ecrit)
        b.dossier.ecrit(cible, avant);
    b.choisi = b.dossier.fichier(cible);
    b.clique("Texte_Feuille");
    QCOMPARE(b.messages.size(), 1);
    QCOMPARE(Activite::Feuille_Faite("21001", QDate(2026, 3, 15)), ecrit);
    if (ecrit) {
        QCOMPARE(b.dossier.lit(cible), Texte_Lignes(b.fenetre->lignes()));
        QVERIFY(b.dossier.lit(cible).contains("Minimum de 50 QSO : atteint\r\n"));
    } else {
        QVERIFY2(b.messages.first().contains(QStringLiteral("la feuille d'activité")), qPrintable(b.messages.first()));
        QCOMPARE(b.dossier.lit(cible), avant);
    }
}

void Tst_Feuille_Activite::ajouter_au_log()
{
    Banc b;
    QSignalSpy ajout(b.fenetre.get(), &Feuille_Activite::Activation_A_Ajouter);
    b.table()->setCurrentCell(1, 0);
    b.controle<QComboBox>("Type_Activation")->setCurrentText(QStringLiteral("Reactivation activee"));
    QCOMPARE(b.controle<QComboBox>("Type_Activation")->count(), 3);
    b.clique("Ajouter_Au_Log");
    QCOMPARE(ajout.size(), 1);
    const auto champs = ajout.first().at(0).value<Champs_QSO>();
    QCOMPARE(champs.date, QStringLiteral("16/03/26"));
    QVERIFY(champs.attente);
    QCOMPARE(champs.dmf, QStringLiteral("21001"));
    QCOMPARE(champs.type, QStringLiteral("Reactivation activee"));
    QCOMPARE(champs.indicatif, QStringLiteral("F8KOB/P"));
    QCOMPARE(ajout.first().at(1).toInt(), 12);
}

QTEST_MAIN(Tst_Feuille_Activite)
#include "tst_feuille_activite.moc"
