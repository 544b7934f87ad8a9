#pragma once

#include "Message.h"
#include "Reglages.h"

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <cstdlib>

#include <benchmark/benchmark.h>

// The station TEST1, 2007 in settings of the benchmark's own, every question
// answered yes: the main window then works alone.
inline void Prepare_Station_Banc(const QString &reglages)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, reglages);
    Message::Installe_Repondeur([](const QString &, QMessageBox::StandardButtons b) {
        return (b & QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    });
    if (!Sous_Programmes::Sauve_Station(QStringLiteral("TEST1"), QStringLiteral("2007")))
        std::abort();
}

// A window made by `fabrique` up to its showing, Qt already loaded; its
// closing is not timed.
template <typename Fabrique>
void Chrono_Fenetre_Montree(benchmark::State &state, Fabrique fabrique)
{
    for (auto _ : state) {
        auto fenetre = fabrique();
        fenetre->show();
        QApplication::processEvents();
        state.PauseTiming();
        fenetre.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// A window opened by the menu entry `entree` of a shown main window, up to
// its showing; closed each time, untimed.
inline void Chrono_Entree_Menu(benchmark::State &state, QWidget &principale, const char *entree, const char *nom_fenetre)
{
    principale.show();
    QApplication::processEvents();
    QAction *action = principale.findChild<QAction *>(QLatin1String(entree));
    for (auto _ : state) {
        action->trigger();
        QApplication::processEvents();
        state.PauseTiming();
        QWidget *ouverte = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(nom_fenetre) && w->isVisible())
                ouverte = w;
        if (!ouverte) {
            state.SkipWithError("pas de fenêtre");
            break;
        }
        delete ouverte;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// The benchmarks of windows run in one offscreen application.
inline int Lance_Bancs_Qt(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
