// The statistics window opened on five logs of 99,999 lines (five years of
// the same station), offscreen: the logs read, the years computed, the
// charts built and drawn; beside the floor of reading the five files.
#include "Bilan_Annees.h"
#include "Fichier.h"
#include "Journal.h"
#include "Ligne_QSO.h"
#include "Points.h"
#include "Statistiques.h"

#include "Bancs_Qt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Sous_Programmes;

namespace {

constexpr int Annees = 5;

QString Dossier()
{
    static QTemporaryDir dossier;
    static const bool ecrit = [] {
        const QStringList types = Textes_Types_Activite();
        for (int a = 2022; a < 2022 + Annees; ++a) {
            QByteArray f;
            f.reserve(99999 * 55);
            for (int i = 0; i < 99999; ++i) {
                const QDate jour = QDate(a, 1, 1).addDays(i * 365 / 99999);
                const QByteArray dmf = QByteArray::number(1001 + (i * 7) % 95000).rightJustified(5, '0');
                Champs_QSO q{jour.toString(QStringLiteral("dd/MM/yy")), i % 10 == 0, QString::fromLatin1(dmf),
                             types.at(i % types.size()), QStringLiteral("F5ABC")};
                const auto ligne = Construit_Ligne_QSO(q);
                if (!ligne)
                    qFatal("%s", qPrintable(ligne.erreur()));
                f += ligne.valeur() + "\r\n";
            }
            QFile log(QDir(dossier.path()).filePath(Nom_Log(QStringLiteral("F5ABC"), QString::number(a))));
            if (!log.open(QIODevice::WriteOnly) || log.write(f) != f.size())
                return false;
        }
        return true;
    }();
    if (!ecrit)
        qFatal("cannot write the logs");
    return dossier.path();
}

const QString Courante = QString::number(2022 + Annees - 1);

void BM_Plancher_Lecture_Cinq_Logs(benchmark::State &etat)
{
    const QString dossier = Dossier();
    QByteArray tampon;
    for (auto _ : etat) {
        for (int a = 2022; a < 2022 + Annees; ++a) {
            auto octets = Lit_Fichier(QDir(dossier).filePath(Nom_Log(QStringLiteral("F5ABC"), QString::number(a))), nullptr,
                                      std::move(tampon));
            if (!octets) {
                etat.SkipWithError(qPrintable(octets.erreur()));
                return;
            }
            benchmark::DoNotOptimize(octets.valeur().data());
            tampon = std::move(octets).valeur();
        }
    }
}
BENCHMARK(BM_Plancher_Lecture_Cinq_Logs)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Calcul_Cinq_Annees(benchmark::State &etat)
{
    const QString dossier = Dossier();
    for (auto _ : etat) {
        const Bilan::Statistiques s = Bilan::Lit_Statistiques(dossier, QStringLiteral("F5ABC"), Courante);
        if (s.annees.size() != size_t(Annees))
            etat.SkipWithError("years missing");
        benchmark::DoNotOptimize(s.annees.front().points);
    }
}
BENCHMARK(BM_Calcul_Cinq_Annees)->Unit(benchmark::kMillisecond)->UseRealTime();

// From the menu's command to the window drawn.
void BM_Ouverture_Fenetre_Cinq_Logs(benchmark::State &etat)
{
    const QString dossier = Dossier();
    for (auto _ : etat) {
        Statistiques fenetre(Bilan::Lit_Statistiques(dossier, QStringLiteral("F5ABC"), Courante), dossier,
                             QStringLiteral("F5ABC"), QDate(2026, 12, 7));
        fenetre.show();
        fenetre.repaint();
        QApplication::processEvents();
        etat.PauseTiming();
        fenetre.close();
        QApplication::processEvents();
        etat.ResumeTiming();
    }
}
BENCHMARK(BM_Ouverture_Fenetre_Cinq_Logs)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char *argv[]) { return Lance_Bancs_Qt(argc, argv); }
