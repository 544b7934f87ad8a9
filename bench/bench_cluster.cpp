// Spots from a DX cluster node: 10,000 lines read, cleaned, parsed and their
// mills looked up in a log of 99,999 lines, per spot, beside the floor of
// finding the line ends of the same bytes. Also the log's index, built again
// after each recording while the spots window is open.
#include "Journal.h"
#include "Ligne_QSO.h"
#include "Spots.h"

#include <benchmark/benchmark.h>

#include <cstring>

using namespace Sous_Programmes;

namespace {

constexpr int Nombre_Spots = 10000;

QByteArray Log_Complet()
{
    QByteArray f;
    f.reserve(99999 * 55);
    for (int i = 0; i < 99999; ++i) {
        const QByteArray dmf = QByteArray::number(1001 + (i * 7) % 95000).rightJustified(5, '0');
        const QByteArray date = QByteArray::number(1 + i % 28).rightJustified(2, '0') + '/'
                                + QByteArray::number(1 + (i / 28) % 12).rightJustified(2, '0') + "/26";
        Champs_QSO q{QString::fromLatin1(date), i % 10 == 0, QString::fromLatin1(dmf), QStringLiteral("Moulin Contacte"),
                     QStringLiteral("F5ABC")};
        f += Construit_Ligne_QSO(q).valeur() + "\r\n";
    }
    return f;
}

// As nodes send them: broadcasts with colours and BEL, listings, and lines
// that are no spot of a mill.
QByteArray Flot_De_Spots()
{
    QByteArray f;
    for (int i = 0; i < Nombre_Spots; ++i) {
        const QByteArray dmf = QByteArray::number(1001 + (i * 13) % 99000).rightJustified(5, '0');
        const QByteArray indicatif = "F" + QByteArray::number(i % 9) + QByteArray::number(1000 + i, 36).toUpper();
        switch (i % 4) {
        case 0:
            f += "DX de F5XYZ:     7012.0  " + indicatif + "      DMF " + dmf + " CW        1234Z JN18\r\n";
            break;
        case 1:
            f += "\x07\x1b[1;33mDX de F6AAA:\x1b[0m    14285.0  " + indicatif + "      dmf-" + dmf + " SSB       1235Z\r\n";
            break;
        case 2:
            f += "  7012.0  " + indicatif + "     07-Dec-2026 1234Z  DMF " + dmf + " CW      <F5XYZ>\r\n";
            break;
        default:
            f += "DX de W3LPL:     14025.0  JA1" + indicatif + "      CQ TEST 5NN 599      1236Z\r\n";
        }
    }
    return f;
}

template <typename F>
void Chaque_Ligne(const QByteArray &flot, F &&f)
{
    const char *p = flot.constData(), *fin = p + flot.size();
    while (p < fin) {
        const char *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(fin - p)));
        const char *bout = nl ? nl : fin;
        f(QByteArrayView(p, bout - p));
        p = bout + 1;
    }
}

void BM_Spots_Lus_Et_Classes(benchmark::State &etat)
{
    const Contenu_Log log(Log_Complet());
    const Cluster::Index_Log index(log);
    const QByteArray flot = Flot_De_Spots();
    const QDateTime recu(QDate(2026, 12, 7), QTime(12, 40), Qt::UTC);
    qsizetype nouveaux = 0, spots = 0;
    for (auto _ : etat) {
        nouveaux = spots = 0;
        Chaque_Ligne(flot, [&](QByteArrayView ligne) {
            if (auto s = Cluster::Lit_Spot(Cluster::Nettoie_Ligne(ligne), recu)) {
                ++spots;
                nouveaux += index.etat(s->dmf) == Cluster::Etat::Nouveau;
            }
        });
        benchmark::DoNotOptimize(nouveaux);
    }
    if (spots != Nombre_Spots * 3 / 4)
        etat.SkipWithError("spots mal lus");
    etat.counters["par_ligne"] = benchmark::Counter(Nombre_Spots, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    etat.counters["nouveaux"] = double(nouveaux);
}
BENCHMARK(BM_Spots_Lus_Et_Classes)->Unit(benchmark::kMillisecond);

void BM_Plancher_Fins_De_Ligne(benchmark::State &etat)
{
    const QByteArray flot = Flot_De_Spots();
    for (auto _ : etat) {
        qsizetype lignes = 0;
        Chaque_Ligne(flot, [&](QByteArrayView ligne) { lignes += !ligne.isEmpty(); });
        benchmark::DoNotOptimize(lignes);
    }
    etat.counters["par_ligne"] = benchmark::Counter(Nombre_Spots, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Plancher_Fins_De_Ligne)->Unit(benchmark::kMillisecond);

void BM_Index_Du_Log(benchmark::State &etat)
{
    const Contenu_Log log(Log_Complet());
    for (auto _ : etat) {
        Cluster::Index_Log index(log);
        benchmark::DoNotOptimize(index);
    }
}
BENCHMARK(BM_Index_Du_Log)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
