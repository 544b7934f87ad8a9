// The list of mills at 50,000 mills beside a 99,999-line log: its reading
// and checks beside the floor of reading the file and finding its line ends,
// its reading when spoilt or of any bytes,
// the start of the main window with and without it, Enter in the number
// with the mill's name shown, the window of what is left, and the map of the
// mills: opened, zoomed and moved, its nearest mills from a new point.
#include "Bancs_Qt.h"
#include "Carte_Moulins.h"
#include "Formes_Carte.h"
#include "Projection.h"
#include "Vue_Carte.h"
#include "Fichier.h"
#include "Liste_Moulins.h"
#include "Main.h"
#include "Message.h"
#include "Reglages.h"

#include <QAction>
#include <QComboBox>
#include <QMouseEvent>
#include <QTableView>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>

#include <cstring>
#include <memory>

using namespace Sous_Programmes;

namespace {

constexpr int Nombre_Moulins = 50000;
constexpr int Nombre_Lignes = 99999;

// Places inside each département's outline, on a grid over its frame.
std::vector<std::vector<Geo::Position>> Places_Interieures()
{
    std::vector<std::vector<Geo::Position>> places(100);
    for (size_t boite = 1; boite < places.size(); ++boite) {
        const QPainterPath &forme = Formes_France().forme[boite];
        const QRectF r = forme.boundingRect();
        for (int x = 1; x < 24; ++x)
            for (int y = 1; y < 24; ++y)
                if (const QPointF p(r.left() + r.width() * x / 24, r.top() + r.height() * y / 24); forme.contains(p))
                    places[boite].push_back(Geo::Du_Point(p));
    }
    return places;
}

// Each mill in its own département, but for the numbers of 20, which has none.
QByteArray Liste_Csv()
{
    static const auto places = Places_Interieures();
    QByteArray f = "N° DMF;Nom;Commune;Département;Latitude;Longitude\r\n";
    for (int i = 0; i < Nombre_Moulins; ++i) {
        const int d = 1 + i % 95;
        const QByteArray dep = QByteArray::number(d).rightJustified(2, '0');
        const QByteArray numero = dep + QByteArray::number(i / 95).rightJustified(3, '0');
        QByteArray position = ";;";
        if (const auto &ici = places[size_t(d)]; !ici.empty()) {
            const Geo::Position &p = ici[size_t(i / 95) % ici.size()];
            position = ";" + QByteArray::number(p.latitude + (i % 7) * 1e-4, 'f', 5) + ";"
                     + QByteArray::number(p.longitude + (i % 11) * 1e-4, 'f', 5);
        }
        f += numero + ";Moulin du Bief " + QByteArray::number(i) + ";Saint-Martin-" + QByteArray::number(i % 3000) + ";" + dep
            + position + "\r\n";
    }
    return f;
}

struct Banc {
    QTemporaryDir avec, sans, reglages;
    QString csv;

    Banc()
    {
        Prepare_Station_Banc(reglages.path());
        if (!Sauve_Locator(QStringLiteral("TEST1"), QStringLiteral("JN18du")))
            std::abort();
        QByteArray log;
        for (int i = 0; i < Nombre_Lignes; ++i) {
            const QByteArray date = QDate(2007, 1, 1).addDays(i / 300).toString(QStringLiteral("dd/MM/yy")).toLatin1();
            log += date + (i % 9 ? "  " : " *") + QByteArray::number(i).rightJustified(5, '0') + "  "
                + QByteArray("Moulin Contacte").leftJustified(22, ' ') + "  " + ("F" + QByteArray::number(i)).leftJustified(12, ' ')
                + "\r\n";
        }
        csv = QDir(avec.path()).filePath(QStringLiteral("liste.csv"));
        const Moulins::Liste liste = Moulins::Lit_Liste(Liste_Csv()).liste;
        for (const QTemporaryDir *d : {&avec, &sans})
            if (!Cree_Fichier_Exclusif(QDir(d->path()).filePath(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt")), log))
                std::abort();
        if (liste.taille() != Nombre_Moulins || !Cree_Fichier_Exclusif(csv, Liste_Csv())
            || !Moulins::Garde(avec.path(), liste, QDateTime::currentDateTime()))
            std::abort();
    }

    static Environnement env(const QTemporaryDir &d)
    {
        return {d.path(), [] { return QDateTime(QDate(2007, 3, 15), QTime(18, 0), Qt::UTC); }, QTimeZone("Europe/Paris")};
    }
};

Banc &banc()
{
    static Banc b;
    return b;
}

void BM_Plancher_Lecture_Liste(benchmark::State &state)
{
    for (auto _ : state) {
        const auto octets = Lit_Fichier(banc().csv);
        const char *d = octets.valeur().constData();
        const char *fin = d + octets.valeur().size();
        qsizetype lignes = 0;
        while ((d = static_cast<const char *>(std::memchr(d, '\n', size_t(fin - d))))) {
            ++lignes;
            ++d;
        }
        if (lignes != Nombre_Moulins + 1)
            state.SkipWithError("lignes");
    }
}

void BM_Lecture_Liste(benchmark::State &state)
{
    for (auto _ : state) {
        const auto lecture = Moulins::Lit_Fichier_Liste(banc().csv);
        if (!lecture || lecture.valeur().liste.taille() != Nombre_Moulins)
            state.SkipWithError("liste");
    }
}

// A list of 50,000 mills spoilt at its start, and bytes of any kind: the
// reading stays linear, in ms per MB of the file.
QByteArray Liste_Hostile(int sorte)
{
    switch (sorte) {
    case 0: return '"' + Liste_Csv();
    case 1: return QString(200000, QChar(0xE9)).toUtf8();
    case 2: return QString(200000, QChar(0xE9)).toUtf8() + "\r\n" + Liste_Csv();
    default: {
        QByteArray hasard(Liste_Csv().size(), Qt::Uninitialized);
        quint32 x = 20261208;
        for (char &c : hasard) {
            x = x * 1664525u + 1013904223u;
            c = char(x >> 24);
        }
        return hasard;
    }
    }
}

void BM_Lecture_Liste_Hostile(benchmark::State &state)
{
    static const char *sortes[] = {"guillemet au début", "premier champ de 200 000 é", "200 000 é puis la liste", "octets au hasard"};
    const QByteArray fichier = Liste_Hostile(int(state.range(0)));
    state.SetLabel(sortes[state.range(0)]);
    QElapsedTimer chrono;
    chrono.start();
    for (auto _ : state)
        benchmark::DoNotOptimize(Moulins::Lit_Liste(fichier).refusees);
    state.counters["ms_par_Mo"] = double(chrono.nsecsElapsed()) / 1e6 / double(state.iterations()) / (double(fichier.size()) / (1 << 20));
}

// The main window up to its showing, Qt already loaded.
void Demarrage(benchmark::State &state, const QTemporaryDir &dossier)
{
    Chrono_Fenetre_Montree(state, [&] { return std::make_unique<Main>(Banc::env(dossier)); });
}
void BM_Demarrage_Sans_Liste(benchmark::State &state) { Demarrage(state, banc().sans); }
void BM_Demarrage_Avec_Liste(benchmark::State &state) { Demarrage(state, banc().avec); }

// Enter in N° DMF: checked, looked up in the log, the mill's name shown.
void BM_Entree_DMF_Avec_Nom(benchmark::State &state)
{
    Main fenetre(Banc::env(banc().avec));
    fenetre.show();
    QApplication::processEvents();
    auto *dmf = fenetre.findChild<QLineEdit *>(QStringLiteral("DMF_A"));
    auto *nom = fenetre.findChild<QLabel *>(QStringLiteral("Nom_Moulin"));
    dmf->setEnabled(true);
    for (auto _ : state) {
        dmf->setText(QStringLiteral("21400"));
        dmf->setFocus();
        QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(dmf, &entree);
        QApplication::processEvents();
        if (!nom->text().startsWith(QStringLiteral("Moulin du Bief"))) {
            state.SkipWithError("pas de nom");
            break;
        }
        state.PauseTiming();
        nom->clear();
        state.ResumeTiming();
    }
}

void BM_Moulins_Restants(benchmark::State &state)
{
    Main fenetre(Banc::env(banc().avec));
    Chrono_Entree_Menu(state, fenetre, "Mnu_Moulins_Restants", "Moulins_Restants");
}

void BM_Carte_Moulins(benchmark::State &state)
{
    Main fenetre(Banc::env(banc().avec));
    Chrono_Entree_Menu(state, fenetre, "Mnu_Carte_Moulins", "Carte_Moulins");
}

// The map as the operator finds it, every mill shown.
struct Carte_Ouverte {
    std::unique_ptr<Carte_Moulins> carte;
    Vue_Carte *vue;
    Carte_Ouverte()
    {
        auto liste = std::make_shared<const Moulins::Liste>(Moulins::Lit_Liste(Liste_Csv()).liste);
        carte = std::make_unique<Carte_Moulins>(liste, Moulins::Compte_Restants(*liste, Contenu_Log()),
                                                Geo::Centre_Locator(u"JN18du"), QStringLiteral("JN18du"), QString());
        carte->findChild<QComboBox *>(QStringLiteral("Filtre_Carte"))->setCurrentIndex(1);
        carte->show();
        QApplication::processEvents();
        vue = carte->findChild<Vue_Carte *>();
    }
};

// One step of the wheel in and out, each painted with its 50,000 dots.
void BM_Carte_Zoom(benchmark::State &state)
{
    Carte_Ouverte c;
    bool avant = true;
    for (auto _ : state) {
        c.vue->zoome(avant ? 1.25 : 0.8);
        c.vue->repaint();
        avant = !avant;
    }
}

// The whole of France dragged by 40 pixels, one way then back, painted.
void BM_Carte_Deplacement(benchmark::State &state)
{
    Carte_Ouverte c;
    const QPointF milieu(c.vue->width() / 2.0, c.vue->height() / 2.0);
    QMouseEvent appui(QEvent::MouseButtonPress, milieu, c.vue->mapToGlobal(milieu), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(c.vue, &appui);
    int pas = 0;
    for (auto _ : state) {
        const QPointF ici = milieu + QPointF(pas++ % 2 ? 0 : 40, 0);
        QMouseEvent glisse(QEvent::MouseMove, ici, c.vue->mapToGlobal(ici), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(c.vue, &glisse);
        c.vue->repaint();
    }
}

// The same sorting alone, without the table.
void BM_Proches_Tri(benchmark::State &state)
{
    const Moulins::Liste liste = Moulins::Lit_Liste(Liste_Csv()).liste;
    const Moulins::Points_Carte points = Moulins::Place_Moulins(liste, Moulins::Compte_Restants(liste, Contenu_Log()));
    int pas = 0;
    for (auto _ : state) {
        const Geo::Position ici{43.0 + (pas % 7), -1.0 + (pas % 9)};
        ++pas;
        benchmark::DoNotOptimize(Moulins::Moulins_Proches(points, Moulins::Filtre::Tous, ici, 0));
    }
}

// "Partir d'ici" at another place each time: the 50,000 mills sorted again
// and the table shown.
void BM_Proches_Nouveau_Point(benchmark::State &state)
{
    Carte_Ouverte c;
    auto *table = c.carte->findChild<QTableView *>(QStringLiteral("Moulins_Proches"));
    auto *partir = c.vue->findChild<QAction *>(QStringLiteral("Partir_D_Ici"));
    int pas = 0;
    for (auto _ : state) {
        const QPointF ici(c.vue->width() * (0.2 + 0.1 * (pas % 7)), c.vue->height() * (0.2 + 0.1 * (pas % 5)));
        ++pas;
        QMouseEvent droit(QEvent::MouseButtonPress, ici, c.vue->mapToGlobal(ici), Qt::RightButton, Qt::RightButton, {});
        QApplication::sendEvent(c.vue, &droit);
        partir->trigger();
        table->repaint();
        if (table->model()->rowCount() != int(c.carte->points().points.size())) {
            state.SkipWithError("tableau incomplet");
            break;
        }
    }
}

} // namespace

BENCHMARK(BM_Plancher_Lecture_Liste)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Lecture_Liste)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Lecture_Liste_Hostile)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Demarrage_Sans_Liste)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Demarrage_Avec_Liste)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Entree_DMF_Avec_Nom)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Moulins_Restants)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Carte_Moulins)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Carte_Zoom)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Carte_Deplacement)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Proches_Tri)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Proches_Nouveau_Point)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char *argv[]) { return Lance_Bancs_Qt(argc, argv); }
