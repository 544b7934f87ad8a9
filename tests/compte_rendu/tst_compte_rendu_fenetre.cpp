// The yearly report's window: what it finds, the finding that leads to its
// QSO, and the one document printed or saved, refused over the program's files.
#include "Compte_Rendu.h"
#include "Compte_Rendu_Fenetre.h"

#include "Dialogue_Fichier.h"
#include "Imprimante.h"
#include "Message.h"
#include "Outils_Test.h"
#include "Texte.h"

#include <QLabel>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>

using namespace Sous_Programmes;

namespace {

const QByteArray Log = Fichier_De({Ligne("05/03/26", "21001", "Moulin Contacte", "F6XYZ"), Ligne("06/03/26", "2A001", "Moulin active", "F8KOB", true),
                                   Ligne("07/03/26", "29015", "Reactivation Contactee", "F1AAA"),
                                   Ligne("08/03/26", "21001", "Moulin Contacte", "F1BBB"), Ligne("09/03/27", "35012", "Moulin Contacte", "F1CCC")});

struct Banc {
    Dossier_Test dossier;
    QString choisi; // what the file dialog answers
    QStringList messages;
    std::unique_ptr<Compte_Rendu> fenetre;

    Banc()
    {
        dossier.ecrit(QStringLiteral("F8KOB_P_Dezudidar_ERI_2026.txt"), Log);
        Dialogue_Fichier::Installe_Repondeur([this](const QString &, const QString &) { return choisi; });
        Message::Installe_Repondeur([this](const QString &texte, QMessageBox::StandardButtons) {
            messages << texte;
            return QMessageBox::Ok;
        });
        fenetre = std::make_unique<Compte_Rendu>(Contenu_Log(Log), nullptr, QStringLiteral("F8KOB_P"), QStringLiteral("2026"),
                                                 QDate(2027, 2, 20), dossier.chemin());
        fenetre->show();
    }
    ~Banc()
    {
        Dialogue_Fichier::Installe_Repondeur({});
        Message::Installe_Repondeur({});
    }
    void clique(const char *bouton) { QTest::mouseClick(fenetre->findChild<QPushButton *>(QLatin1String(bouton)), Qt::LeftButton); }
};

} // namespace

class Tst_Compte_Rendu_Fenetre : public QObject {
    Q_OBJECT

private slots:
    void verifications_et_qso_a_modifier();
    void pdf_relu();
    void texte_enregistre();
    void cibles_refusees_data();
    void cibles_refusees();
    void pdf_annule();
    void imprime_ou_non();
};

void Tst_Compte_Rendu_Fenetre::verifications_et_qso_a_modifier()
{
    Banc b;
    QCOMPARE(b.fenetre->windowTitle(), QStringLiteral("Compte rendu du challenge"));
    QCOMPARE(b.fenetre->findChild<QLabel *>(QStringLiteral("Resume_Verifications"))->text(),
             QStringLiteral("1 QSO en attente (6 points en suspens), 1 DMF en double, 1 date hors de l'année"));
    auto *liste = b.fenetre->findChild<QTreeWidget *>(QStringLiteral("Verifications"));
    QStringList rangees;
    for (int i = 0; i < liste->topLevelItemCount(); ++i) {
        QStringList cellules;
        for (int c = 0; c < liste->columnCount(); ++c)
            cellules << liste->topLevelItem(i)->text(c);
        rangees << cellules.join(u'|');
    }
    QCOMPARE(rangees, (QStringList{"2|06/03/26|2A001|F8KOB|en attente de validation : 0 point tant qu'il n'est pas validé (6 points une fois validé)",
                                   "4|08/03/26|21001|F1BBB|N° DMF déjà à la ligne 1 : compté une seule fois",
                                   "5|09/03/27|35012|F1CCC|date hors de l'année 2026"}));
    // Enter or a double click on a finding: its QSO, to mend.
    QSignalSpy a_modifier(b.fenetre.get(), &Compte_Rendu::QSO_A_Modifier);
    liste->setFocus();
    liste->setCurrentItem(liste->topLevelItem(1));
    QTest::keyClick(liste, Qt::Key_Return);
    QCOMPARE(a_modifier.size(), 1);
    QCOMPARE(a_modifier.first().first().value<qsizetype>(), qsizetype(3));
}

void Tst_Compte_Rendu_Fenetre::pdf_relu()
{
    Banc b;
    QSignalSpy fait(b.fenetre.get(), &Compte_Rendu::Compte_Rendu_Fait);
    b.choisi = b.dossier.fichier(QStringLiteral("F8KOB_P_Dezudidar_ERI_2026_compte_rendu.pdf"));
    b.clique("PDF_Compte_Rendu");
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().startsWith(QStringLiteral("Le compte rendu a été enregistré sous le nom : ")), qPrintable(b.messages.first()));
    QCOMPARE(fait.size(), 1);
    QCOMPARE(fait.first().first().toString(), QStringLiteral("2026"));
    const QByteArray pdf = b.dossier.lit(QStringLiteral("F8KOB_P_Dezudidar_ERI_2026_compte_rendu.pdf"));
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(!b.dossier.existe(QString::fromLatin1(Nom_Temporaire)));
    const auto lu = Texte_PDF(b.choisi);
    if (!lu)
        QSKIP("pdftotext (poppler-utils) absent: the PDF's text is read back on Linux");
    const QString texte = *lu;
    for (const char *attendu : {"Station : F8KOB/P", "Compte rendu du challenge Dezudidar ERI 2026", "21001", "2A001", "29015", "35012",
                                "Total des points : 7", "Avant l'envoi"})
        QVERIFY2(texte.contains(QString::fromUtf8(attendu)), attendu);
}

void Tst_Compte_Rendu_Fenetre::texte_enregistre()
{
    Banc b;
    b.choisi = b.dossier.fichier(QStringLiteral("compte_rendu.txt"));
    b.clique("Texte_Compte_Rendu");
    QCOMPARE(b.dossier.lit(QStringLiteral("compte_rendu.txt")), Texte_Lignes(b.fenetre->lignes()));
    QCOMPARE(b.fenetre->lignes(),
             Lignes_Compte_Rendu(Contenu_Log(Log), QStringLiteral("F8KOB/P"), QStringLiteral("2026"), QDate(2027, 2, 20),
                                 Verifie_Log(Contenu_Log(Log), QStringLiteral("2026"), nullptr)));
}

void Tst_Compte_Rendu_Fenetre::cibles_refusees_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<QString>("cible");
    QTest::newRow("le log, en PDF") << "PDF_Compte_Rendu" << "F8KOB_P_Dezudidar_ERI_2026.txt";
    QTest::newRow("le log, en texte") << "Texte_Compte_Rendu" << "F8KOB_P_Dezudidar_ERI_2026.txt";
    QTest::newRow("le modèle") << "Texte_Compte_Rendu" << "FXXXX_Dezudidar_ERI.txt";
    QTest::newRow("une sauvegarde") << "PDF_Compte_Rendu" << "Sauvegardes/F8KOB_P_Dezudidar_ERI_2026.txt";
}

void Tst_Compte_Rendu_Fenetre::cibles_refusees()
{
    QFETCH(QString, bouton);
    QFETCH(QString, cible);
    Banc b;
    QDir(b.dossier.chemin()).mkpath(QStringLiteral("Sauvegardes"));
    const QByteArray avant = Log;
    if (cible != QLatin1String("F8KOB_P_Dezudidar_ERI_2026.txt"))
        b.dossier.ecrit(cible, avant);
    QSignalSpy fait(b.fenetre.get(), &Compte_Rendu::Compte_Rendu_Fait);
    b.choisi = b.dossier.fichier(cible);
    b.clique(bouton.toLatin1().constData());
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages.first().contains(QStringLiteral("le compte rendu")), qPrintable(b.messages.first()));
    QCOMPARE(b.dossier.lit(cible), avant);
    QCOMPARE(fait.size(), 0);
}

// A long log's PDF, "Annuler" pressed while it is made: nothing written, nothing said.
void Tst_Compte_Rendu_Fenetre::pdf_annule()
{
    Dossier_Test dossier;
    QStringList messages;
    Message::Installe_Repondeur([&](const QString &texte, QMessageBox::StandardButtons) {
        messages << texte;
        return QMessageBox::Ok;
    });
    const QString pdf = dossier.fichier(QStringLiteral("long.pdf"));
    Dialogue_Fichier::Installe_Repondeur([&](const QString &, const QString &) { return pdf; });
    QByteArray log;
    for (int i = 0; i < 99999; ++i)
        log += Ligne("05/03/26", QByteArray::number(10000 + i % 80000).constData(), "Moulin Contacte", "F6XYZ") + "\r\n";
    Compte_Rendu f(Contenu_Log(log), nullptr, QStringLiteral("F8KOB"), QStringLiteral("2026"), QDate(2027, 2, 20), dossier.chemin(), 0);
    f.show();
    QSignalSpy fait(&f, &Compte_Rendu::Compte_Rendu_Fait);
    QString texte_vu;
    QTimer annule;
    annule.setInterval(0);
    connect(&annule, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QProgressDialog *>(w); d && d->isVisible()) {
                texte_vu = d->labelText() + u'|' + d->findChild<QPushButton *>()->text();
                d->findChild<QPushButton *>()->click();
                annule.stop();
            }
    });
    annule.start();
    QTest::mouseClick(f.findChild<QPushButton *>(QStringLiteral("PDF_Compte_Rendu")), Qt::LeftButton);
    Dialogue_Fichier::Installe_Repondeur({});
    Message::Installe_Repondeur({});
    QCOMPARE(texte_vu, QStringLiteral("Écriture du compte rendu en PDF...|Annuler"));
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(messages, QStringList());
    QCOMPARE(fait.size(), 0);
}

// Printed, the report is done; the print dialog cancelled, it is not.
void Tst_Compte_Rendu_Fenetre::imprime_ou_non()
{
    Banc b;
    QSignalSpy fait(b.fenetre.get(), &Compte_Rendu::Compte_Rendu_Fait);
    Impression::Installe_Choix([](QPrinter &, QWidget *) { return false; });
    b.clique("Imprimer_Compte_Rendu");
    QCOMPARE(fait.size(), 0);
    const QString pdf = b.dossier.fichier(QStringLiteral("imprime.pdf"));
    Impression::Installe_Choix([&](QPrinter &imprimante, QWidget *) {
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(pdf);
        return true;
    });
    b.clique("Imprimer_Compte_Rendu");
    Impression::Installe_Choix({});
    QCOMPARE(b.messages, QStringList());
    QCOMPARE(fait.size(), 1);
    QVERIFY(QFileInfo(pdf).size() > 0);
}

QTEST_MAIN(Tst_Compte_Rendu_Fenetre)
#include "tst_compte_rendu_fenetre.moc"
