// Every log operation on a 99,999-line log, beside two floors measured in the
// same run: reading the whole file, and reading, writing and flushing it.
#include "Calculs_Rapports.h"
#include "Decoupe.h"
#include "Fichier.h"
#include "Journal.h"
#include "Ligne_QSO.h"
#include "Points.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

using namespace Sous_Programmes;

namespace {

constexpr int Nombre_Lignes = 99999;

QByteArray Ligne_Numero(int i)
{
    static const char *types[] = {"Moulin Contacte", "Moulin active", "Reactivation activee", "Double ou non valid\xE9"};
    const QByteArray date = QDate(2007, 1, 1).addDays(i / 300).toString(QStringLiteral("dd/MM/yy")).toLatin1();
    return date + ' ' + (i % 7 == 0 ? '*' : ' ') + QByteArray::number(i).rightJustified(5, '0') + "  "
        + QByteArray(types[i % 4]).leftJustified(22, ' ') + "  " + ("F" + QByteArray::number(i)).leftJustified(12, ' ');
}

struct Banc {
    QTemporaryDir dossier;
    QString log;
    QByteArray contenu;

    Banc()
    {
        if (!dossier.isValid())
            std::abort();
        log = QDir(dossier.path()).filePath(QStringLiteral("TEST1_Dezudidar_ERI_2007.txt"));
        contenu.reserve(Nombre_Lignes * 55);
        for (int i = 0; i < Nombre_Lignes; ++i)
            contenu += Ligne_Numero(i) + "\r\n";
        if (!Cree_Fichier_Exclusif(log, contenu))
            std::abort();
    }
    void remet() const
    {
        if (!Reecrit_Fichier(log, QStringLiteral("remise.txt"), contenu))
            std::abort();
    }
};

Banc &banc()
{
    static Banc b;
    return b;
}

void Exige(const Statut &s, benchmark::State &state)
{
    if (!s)
        state.SkipWithError(qPrintable(s.erreur()));
}

void BM_Plancher_Lecture(benchmark::State &state)
{
    for (auto _ : state) {
        auto octets = Lit_Fichier(banc().log);
        benchmark::DoNotOptimize(octets.valeur().data());
    }
}

void BM_Plancher_Reecriture(benchmark::State &state)
{
    const QByteArray copie = QFile::encodeName(QDir(banc().dossier.path()).filePath(QStringLiteral("copie.txt")));
    for (auto _ : state) {
        auto octets = Lit_Fichier(banc().log);
        const int fd = ::open(copie.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const QByteArray &o = octets.valeur();
        if (fd < 0 || ::write(fd, o.constData(), size_t(o.size())) != o.size() || ::fsync(fd) != 0)
            state.SkipWithError("écriture du plancher");
        ::close(fd);
    }
}

// Reading, then finding every line's end and nothing more: what any
// operation that looks at each line pays before its own work.
void BM_Plancher_Lignes(benchmark::State &state)
{
    for (auto _ : state) {
        auto octets = Lit_Fichier(banc().log);
        qsizetype lignes = 0;
        Pour_Chaque_Ligne(octets.valeur(), [&](QByteArrayView, QByteArrayView) { ++lignes; });
        benchmark::DoNotOptimize(lignes);
    }
}

void BM_Lignes_Liste(benchmark::State &state)
{
    for (auto _ : state) {
        auto contenu = Lit_Log(banc().log);
        benchmark::DoNotOptimize(contenu.valeur().nombre());
    }
}

// What building all 99,999 list texts at once would cost; the list asks only
// for the lines it shows.
void BM_Lignes_Liste_Toutes_Construites(benchmark::State &state)
{
    for (auto _ : state) {
        auto contenu = Lit_Log(banc().log);
        const Contenu_Log &c = contenu.valeur();
        qsizetype total = 0;
        for (qsizetype i = 0; i < c.nombre(); ++i)
            total += c.ligne_liste(i).size();
        benchmark::DoNotOptimize(total);
    }
}

void BM_Calcul_Total(benchmark::State &state)
{
    for (auto _ : state) {
        auto total = Calcul_Total(banc().log);
        benchmark::DoNotOptimize(total.valeur());
    }
}

void BM_Cherche_DMF(benchmark::State &state)
{
    // A number not in the log: the whole file is read and compared.
    for (auto _ : state) {
        auto r = Cherche_DMF(banc().log, "2A001");
        benchmark::DoNotOptimize(r.valeur().trouve);
    }
}

void BM_Remplace_QSO(benchmark::State &state)
{
    const QByteArray a = Ligne_Numero(50000);
    QByteArray b = a;
    b[9] = b[9] == '*' ? ' ' : '*';
    bool vers_b = true;
    for (auto _ : state) {
        Exige(vers_b ? Remplace_QSO(banc().log, Ligne_Liste(50001, a), b) : Remplace_QSO(banc().log, Ligne_Liste(50001, b), a),
              state);
        vers_b = !vers_b;
    }
    banc().remet();
}

void BM_Supprime_QSO(benchmark::State &state)
{
    for (auto _ : state) {
        Exige(Supprime_QSO(banc().log, "50000"), state);
        state.PauseTiming();
        banc().remet();
        state.ResumeTiming();
    }
}

void BM_Insere_QSO_Par_Date(benchmark::State &state)
{
    QByteArray nouvelle = Ligne_Numero(50000);
    nouvelle.replace(10, 5, "2A001");
    for (auto _ : state) {
        Exige(Insere_QSO_Par_Date(banc().log, nouvelle), state);
        state.PauseTiming();
        banc().remet();
        state.ResumeTiming();
    }
}

void BM_Ajoute_QSO(benchmark::State &state)
{
    QByteArray nouvelle = Ligne_Numero(50000);
    nouvelle.replace(10, 5, "2A001");
    const QByteArray chemin = QFile::encodeName(banc().log);
    for (auto _ : state) {
        Exige(Ajoute_QSO(banc().log, nouvelle), state);
        state.PauseTiming();
        if (::truncate(chemin.constData(), banc().contenu.size()) != 0)
            state.SkipWithError("remise à la taille");
        state.ResumeTiming();
    }
}

void BM_Recapitulatif(benchmark::State &state)
{
    for (auto _ : state) {
        auto contenu = Lit_Log(banc().log);
        benchmark::DoNotOptimize(Compte_Recapitulatif(contenu.valeur()).total);
    }
}

void BM_Carte(benchmark::State &state)
{
    for (auto _ : state) {
        auto contenu = Lit_Log(banc().log);
        benchmark::DoNotOptimize(Colore_Carte(contenu.valeur()).nombre);
    }
}

void BM_Export(benchmark::State &state)
{
    for (auto _ : state) {
        auto nom = Enregistre_Contactes(banc().log, QStringLiteral("TEST1"), QStringLiteral("2007"), QStringLiteral("123456"),
                                        QDate(2007, 12, 6), QStringLiteral("06/12/2007"), banc().dossier.path());
        if (!nom)
            state.SkipWithError(qPrintable(nom.erreur()));
    }
}

} // namespace

BENCHMARK(BM_Plancher_Lecture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Plancher_Reecriture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Plancher_Lignes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Lignes_Liste)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Lignes_Liste_Toutes_Construites)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Calcul_Total)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Cherche_DMF)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Remplace_QSO)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Supprime_QSO)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Insere_QSO_Par_Date)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Recapitulatif)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Carte)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Ajoute_QSO)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
