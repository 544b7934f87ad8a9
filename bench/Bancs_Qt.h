#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

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
