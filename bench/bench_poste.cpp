// The radio through Hamlib's daemon: a reading (frequency and mode) and a
// tuning (frequency and mode), from the call to the signal that tells it,
// beside the floor of the same commands on a connection of the bench's own.
// rigctld's dummy radio is started on 127.0.0.1 as the tests start it.
#include "Liaison_Poste.h"
#include "Poste_Test.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>

namespace {

Rigctld *Daemon = nullptr;

// Turns the event loop until `fait`, 5 s at most.
bool Attend(const std::function<bool()> &fait)
{
    QElapsedTimer t;
    t.start();
    while (!fait() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return fait();
}

// The floors: the same commands written on a socket of the bench's own, each
// answer waited for before the next, as the daemon takes them.
void Plancher(benchmark::State &etat, const std::function<QList<QByteArray>(int)> &commandes)
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, Daemon->port());
    if (!s.waitForConnected(5000)) {
        etat.SkipWithError("pas de connexion à rigctld");
        return;
    }
    int tour = 0;
    for (auto _ : etat) {
        for (const QByteArray &c : commandes(tour++)) {
            s.write(c);
            // "m" answers two lines.
            const int lignes = c == "m\n" ? 2 : 1;
            if (!Attend([&] { return s.bytesAvailable() > 0 && s.peek(4096).count('\n') >= lignes; })) {
                etat.SkipWithError("rigctld ne répond pas");
                return;
            }
            benchmark::DoNotOptimize(s.readAll());
        }
    }
}

void BM_Plancher_Lecture(benchmark::State &etat)
{
    Plancher(etat, [](int) { return QList<QByteArray>{"f\n", "m\n"}; });
}
BENCHMARK(BM_Plancher_Lecture)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Plancher_Reglage(benchmark::State &etat)
{
    Plancher(etat, [](int tour) {
        return QList<QByteArray>{tour % 2 ? "F 7012000\n" : "F 14285000\n", "M USB -1\n"};
    });
}
BENCHMARK(BM_Plancher_Reglage)->Unit(benchmark::kMillisecond)->UseRealTime();

// The program's own connection: `demande(tour)` asks, `signal` says it is done.
template <typename Signal>
void Par_La_Liaison(benchmark::State &etat, Signal signal, const std::function<void(Radio::Liaison &, int)> &demande,
                    const char *echec)
{
    Radio::Liaison liaison;
    liaison.configure({Radio::Type::Hamlib, QStringLiteral("127.0.0.1"), Daemon->port()});
    bool fait = false;
    QObject::connect(&liaison, signal, [&] { fait = true; });
    int tour = 0;
    for (auto _ : etat) {
        fait = false;
        demande(liaison, tour++);
        if (!Attend([&] { return fait; })) {
            etat.SkipWithError(echec);
            break;
        }
    }
}

void BM_Lecture(benchmark::State &etat)
{
    Par_La_Liaison(etat, &Radio::Liaison::lecture, [](Radio::Liaison &l, int) { l.lit(); }, "lecture impossible");
}
BENCHMARK(BM_Lecture)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Reglage(benchmark::State &etat)
{
    Par_La_Liaison(
        etat, &Radio::Liaison::reglage,
        [](Radio::Liaison &l, int tour) { l.regle(tour % 2 ? 7'012'000 : 14'285'000, Radio::Mode::USB); }, "réglage impossible");
}
BENCHMARK(BM_Reglage)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    Rigctld rigctld;
    if (!rigctld.absent.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(rigctld.absent));
        return 1;
    }
    Daemon = &rigctld;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
