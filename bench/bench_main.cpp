// The main window on a 99,999-line log, offscreen, inside this process: a
// new main window up to its showing (Qt already loaded: not a cold start,
// which bench_processus measures), and the whole recording cycle (append,
// reload, total, selection) and its undoing, each beside the store's read
// floor measured in the same run.
#include "Fichier.h"
#include "Compte_Rendu.h"
#include "Imprimante.h"
#include "Ligne_Alerte.h"
#include "Main.h"
#include "Message.h"
#include "Reglages.h"

#include <QAbstractButton>
#include "Bancs_Qt.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QBuffer>
#include <QElapsedTimer>
#include <QPdfWriter>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <benchmark/benchmark.h>

#include <memory>
#include <unistd.h>

using namespace Sous_Programmes;

namespace {

constexpr int Nombre_Lignes = 99999;

struct Banc {
    QTemporaryDir programme;
    QTemporaryDir reglages;
    QString log;
    qint64 taille = 0;

    Banc()
    {
        Prepare_Station_Banc(reglages.path());
        QByteArray contenu;
        contenu.reserve(Nombre_Lignes * 55);
        for (int i = 0; i < Nombre_Lignes; ++i) {
            const QByteArray date = QDate(2007, 1, 1).addDays(i / 300).toString(QStringLiteral("dd/MM/yy")).toLatin1();
            contenu += date + "  " + QByteArray::number(i).rightJustified(5, '0') + "  "
                + QByteArray(i % 2 ? "Moulin Contacte" : "Moulin active").leftJustified(22, ' ') + "  "
                + ("F" + QByteArray::number(i)).leftJustified(12, ' ') + "\r\n";
        }
        log = QDir(programme.path()).filePath(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt"));
        if (!Cree_Fichier_Exclusif(log, contenu))
            std::abort();
        taille = contenu.size();
    }

    Environnement env() const
    {
        return {programme.path(), [] { return QDateTime(QDate(2007, 3, 15), QTime(18, 0), Qt::UTC); },
                QTimeZone("Europe/Paris")};
    }
};

Banc &banc()
{
    static Banc b;
    return b;
}

void BM_Plancher_Lecture(benchmark::State &state)
{
    for (auto _ : state) {
        auto octets = Lit_Fichier(banc().log);
        benchmark::DoNotOptimize(octets.valeur().data());
    }
}

void BM_Fenetre_Principale_Qt_Deja_Charge(benchmark::State &state)
{
    Chrono_Fenetre_Montree(state, [] { return std::make_unique<Main>(banc().env()); });
}

// The main window shown on the bench's log, and a QSO recorded as the
// operator records it.
struct Fenetre_Saisie {
    Main fenetre{banc().env()};
    QLineEdit *indicatif, *dmf;
    QComboBox *type;
    QPushButton *valide;

    Fenetre_Saisie()
    {
        fenetre.show();
        QApplication::processEvents();
        indicatif = fenetre.findChild<QLineEdit *>(QStringLiteral("Ind_A"));
        type = fenetre.findChild<QComboBox *>(QStringLiteral("Type_A"));
        dmf = fenetre.findChild<QLineEdit *>(QStringLiteral("DMF_A"));
        valide = fenetre.findChild<QPushButton *>(QStringLiteral("Valide_A"));
    }
    void enregistre()
    {
        indicatif->setText(QStringLiteral("F5ABC"));
        type->setCurrentIndex(3);
        dmf->setText(QStringLiteral("2A001"));
        valide->setEnabled(true);
        valide->click();
        QApplication::processEvents();
    }
};

void BM_Cycle_Enregistrement(benchmark::State &state)
{
    Fenetre_Saisie f;
    const QByteArray chemin = QFile::encodeName(banc().log);
    for (auto _ : state) {
        f.enregistre();
        state.PauseTiming();
        if (::truncate(chemin.constData(), banc().taille) != 0)
            state.SkipWithError("remise à la taille");
        state.ResumeTiming();
    }
}

// Ctrl+Z after a recording: the question answered, the log put back as it
// was in one rewrite, reloaded, the total and the selection done again.
void BM_Annulation_Enregistrement(benchmark::State &state)
{
    Fenetre_Saisie f;
    QAction *annuler = f.fenetre.findChild<QAction *>(QStringLiteral("Mnu_Annuler_Modification"));
    for (auto _ : state) {
        state.PauseTiming();
        f.enregistre();
        state.ResumeTiming();
        annuler->trigger();
        QApplication::processEvents();
        state.PauseTiming();
        if (QFileInfo(banc().log).size() != banc().taille)
            state.SkipWithError("pas annulé");
        state.ResumeTiming();
    }
}

// A search by département over the whole main list, as the operator runs it.
void BM_Recherche(benchmark::State &state)
{
    Main fenetre(banc().env());
    fenetre.show();
    QPushButton *recherche = fenetre.findChild<QPushButton *>(QStringLiteral("Recherche"));
    recherche->click();
    QWidget *fenetre_recherche = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("Recherche_Indicatif") && w->isVisible())
            fenetre_recherche = w;
    auto *depa = fenetre_recherche->findChild<QLineEdit *>(QStringLiteral("Depa"));
    fenetre_recherche->findChild<QAbstractButton *>(QStringLiteral("Option1_3"))->click();
    for (auto _ : state) {
        depa->setText(QStringLiteral("21"));
        QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(depa, &entree);
        if (!depa->text().isEmpty())
            state.SkipWithError("pas de recherche");
    }
}

// A node on 127.0.0.1 and the main window logged in on it, its spots
// window closed, 10,000 spots already received.
struct Fenetre_Connectee {
    QTcpServer noeud;
    QPointer<QTcpSocket> client;
    std::unique_ptr<Main> fenetre;
    Ligne_Alerte *ligne = nullptr;
    int suivant = 0;

    Fenetre_Connectee()
    {
        // The bench's own settings first.
        const Environnement env = banc().env();
        noeud.listen(QHostAddress::LocalHost);
        QObject::connect(&noeud, &QTcpServer::newConnection, [this] {
            client = noeud.nextPendingConnection();
            client->write("login: ");
        });
        QSettings reglages(Organisation_Reglages(), QString::fromLatin1(Nom_Application));
        reglages.setValue(QStringLiteral("Cluster/Adresse"), QStringLiteral("127.0.0.1"));
        reglages.setValue(QStringLiteral("Cluster/Port"), QString::number(noeud.serverPort()));
        reglages.setValue(QStringLiteral("Cluster/Connexion_Demarrage"), QStringLiteral("Oui"));
        reglages.sync();
        fenetre = std::make_unique<Main>(env);
        fenetre->show();
        ligne = fenetre->findChild<Ligne_Alerte *>(QStringLiteral("Alerte_Spot"));
        Attend([&] { return client && client->bytesAvailable() > 0; });
        if (!client)
            std::abort();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("Spots_DMF"))
                w->close();
        // Mills of the log, then one it lacks: its alert says all were read.
        QByteArray deja;
        for (int i = 0; i < 10000; ++i)
            deja += Spot_Ligne("F" + QByteArray::number(i), QByteArray::number(10000 + i));
        client->write(deja + Spot_Ligne("F4XYZ", "2A999"));
        Attend([&] { return ligne->alertes().size() == 1; });
        ligne->ferme();
        QApplication::processEvents();
    }
    ~Fenetre_Connectee()
    {
        reset();
        QSettings(Organisation_Reglages(), QString::fromLatin1(Nom_Application)).remove(QStringLiteral("Cluster"));
    }
    void reset() { fenetre.reset(); }
    static QByteArray Spot_Ligne(const QByteArray &indicatif, const QByteArray &dmf)
    {
        return "DX de F5XYZ:     7088.0  " + indicatif + "  DMF " + dmf + " SSB  1759Z\r\n";
    }
    template <typename Condition>
    static void Attend(Condition fait)
    {
        QElapsedTimer t;
        t.start();
        while (!fait() && t.elapsed() < 30000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
};

// From a spot line written by the node to the line shown in the main window.
void BM_Alerte_Spot(benchmark::State &state)
{
    Fenetre_Connectee f;
    int n = 0;
    for (auto _ : state) {
        // A mill the log lacks, and no alert yet for it.
        const QByteArray dmf = QByteArray::number(n).rightJustified(3, '0').prepend("2A");
        const qsizetype avant = f.ligne->alertes().size();
        f.client->write(Fenetre_Connectee::Spot_Ligne("F4DEF", dmf));
        f.client->flush();
        Fenetre_Connectee::Attend([&] { return f.ligne->alertes().size() > avant; });
        ++n;
    }
    if (f.ligne->alertes().size() != n)
        state.SkipWithError("alerte manquée");
}

// 10,000 spot lines in one go, 1,000 mills the log lacks spotted ten times
// each: the longest turn of the event loop, which the window waits for, as
// a counter. The last line's mill alerts last.
void BM_Deluge_Spots(benchmark::State &state)
{
    double plus_long_ms = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Fenetre_Connectee f;
        QByteArray deluge;
        for (int i = 0; i < 9999; ++i)
            deluge += Fenetre_Connectee::Spot_Ligne("F4D" + QByteArray::number(i), QByteArray::number(i % 999).rightJustified(3, '0').prepend("2B"));
        deluge += Fenetre_Connectee::Spot_Ligne("F4DEF", "2B999");
        state.ResumeTiming();
        f.client->write(deluge);
        f.client->flush();
        QElapsedTimer tour;
        while (f.ligne->alertes().size() < 1000) {
            tour.start();
            QApplication::processEvents();
            plus_long_ms = std::max(plus_long_ms, tour.nsecsElapsed() / 1e6);
            if (f.ligne->alertes().size() < 1000)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        state.PauseTiming();
        f.reset();
        state.ResumeTiming();
    }
    state.counters["plus_long_tour_ms"] = plus_long_ms;
}

// The yearly report's window from its menu entry on the 99,999-line log, up
// to its showing: the log read, checked, its lines made.
void BM_Fenetre_Compte_Rendu(benchmark::State &state)
{
    Main fenetre(banc().env());
    Chrono_Entree_Menu(state, fenetre, "Mnu_Compte_Rendu", "Compte_Rendu");
}

// The report's PDF of the first `range(0)` lines of the bench's log, made in memory.
void BM_PDF_Compte_Rendu(benchmark::State &state)
{
    const auto log = Lit_Fichier(banc().log);
    const QByteArray debut = log.valeur().left(state.range(0) * 55);
    const Contenu_Log contenu(debut);
    for (auto _ : state) {
        const QStringList lignes = Lignes_Compte_Rendu(contenu, QStringLiteral("TEST1"), QStringLiteral("2007"), QDate(2008, 2, 20),
                                                       Verifie_Log(contenu, QStringLiteral("2007"), nullptr));
        QBuffer tampon;
        tampon.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&tampon);
        pdf.setResolution(300);
        if (!Impression::Imprime_Lignes(pdf, [&] { return pdf.newPage(); }, lignes))
            state.SkipWithError("PDF");
        benchmark::DoNotOptimize(tampon.data().size());
    }
}

} // namespace

BENCHMARK(BM_Fenetre_Compte_Rendu)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PDF_Compte_Rendu)->Arg(2000)->Arg(99999)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Alerte_Spot)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(900);
BENCHMARK(BM_Deluge_Spots)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Plancher_Lecture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Fenetre_Principale_Qt_Deja_Charge)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Cycle_Enregistrement)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Annulation_Enregistrement)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Recherche)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char *argv[]) { return Lance_Bancs_Qt(argc, argv); }
