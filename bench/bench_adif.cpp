// Reading a 100,000-record ADIF export beside its floor, measured in the same
// run: reading the file and finding every "<" in it.
#include "Fichier.h"
#include "Lecteur_ADIF.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace Sous_Programmes;

namespace {

constexpr int Nombre_Enregistrements = 100000;
constexpr qsizetype Taille_Enregistrement = 300;

void Ajoute_Champ(QByteArray &f, const char *nom, QByteArrayView valeur)
{
    f += '<';
    f += nom;
    f += ':';
    f += QByteArray::number(valeur.size());
    f += '>';
    f += valeur;
    f += ' ';
}

// One QSO as a logger writes it: a line of fields, then CR LF.
QByteArray Enregistrement_Numero(int i)
{
    static const char *bandes[] = {"80M", "40M", "20M", "15M", "2M"};
    static const char *frequences[] = {"3.652", "7.112", "14.245", "21.310", "144.300"};
    static const char *modes[] = {"SSB", "CW", "FM", "FT8"};
    static const char *noms[] = {"Jean", "Hélène", "Marie-Claude", "Pierre", "François"};
    static const char *villes[] = {"Rennes", "Saint-Étienne", "Lyon", "Brest", "Aix-en-Provence"};
    QByteArray e;
    e.reserve(Taille_Enregistrement + 32);
    const QByteArray date = QDate(2024, 1, 1).addDays(i / 300).toString(QStringLiteral("yyyyMMdd")).toLatin1();
    const QByteArray dmf = QByteArray::number(1001 + (i * 7) % 95000).rightJustified(5, '0');
    Ajoute_Champ(e, "CALL", "F" + QByteArray::number(i % 9) + QByteArray::number(10000 + i, 36).toUpper());
    Ajoute_Champ(e, "QSO_DATE", date);
    Ajoute_Champ(e, "TIME_ON", QByteArray::number(100000 + (i * 13) % 140000).right(6));
    Ajoute_Champ(e, "BAND", bandes[i % 5]);
    Ajoute_Champ(e, "MODE", modes[i % 4]);
    Ajoute_Champ(e, "FREQ", frequences[i % 5]);
    Ajoute_Champ(e, "RST_SENT", i % 4 == 1 ? "599" : "59");
    Ajoute_Champ(e, "RST_RCVD", i % 4 == 1 ? "579" : "57");
    Ajoute_Champ(e, "NAME", noms[i % 5]);
    Ajoute_Champ(e, "QTH", villes[i % 5]);
    Ajoute_Champ(e, "GRIDSQUARE", i % 2 ? "JN05" : "IN88");
    Ajoute_Champ(e, "COMMENT", "DMF " + dmf);
    if (i % 3 == 0) {
        Ajoute_Champ(e, "SIG", "DMF");
        Ajoute_Champ(e, "SIG_INFO", dmf);
    }
    Ajoute_Champ(e, "APP_KOB_DMF", dmf);
    Ajoute_Champ(e, "APP_KOB_TYPE", i % 4 ? "Moulin Contacte" : "Moulin active");
    const QByteArray notes = "Moulin " + dmf + ", bon signal, QSL via bureau. ";
    const qsizetype reste = std::max<qsizetype>(20, Taille_Enregistrement - e.size() - 20);
    Ajoute_Champ(e, "NOTES", notes.repeated(reste / notes.size() + 1).left(reste));
    e += "<EOR>\r\n";
    return e;
}

struct Banc {
    QTemporaryDir dossier;
    QString fichier;

    Banc()
    {
        if (!dossier.isValid())
            std::abort();
        fichier = QDir(dossier.path()).filePath(QStringLiteral("export.adi"));
        QByteArray contenu = "Journal exporté pour le challenge\r\n<ADIF_VER:5>3.1.4\r\n<PROGRAMID:3>KOB\r\n"
                             "<CREATED_TIMESTAMP:15>20241231 235959\r\n<EOH>\r\n";
        contenu.reserve(qsizetype(Nombre_Enregistrements) * (Taille_Enregistrement + 16));
        for (int i = 0; i < Nombre_Enregistrements; ++i)
            contenu += Enregistrement_Numero(i);
        if (!Cree_Fichier_Exclusif(fichier, contenu))
            std::abort();
        // A file that does not read whole would make both figures meaningless.
        if (ADIF::Lit_ADIF(contenu).nombre() != Nombre_Enregistrements)
            std::abort();
    }
};

Banc &banc()
{
    static Banc b;
    return b;
}

// Reads the file whole, then gives its bytes to `traite`, at each iteration.
template <typename F>
void Lit_Puis(benchmark::State &state, F traite)
{
    for (auto _ : state) {
        auto octets = Lit_Fichier(banc().fichier);
        if (!octets) {
            state.SkipWithError(qPrintable(octets.erreur()));
            break;
        }
        traite(octets.valeur());
    }
}

void BM_Plancher_ADIF(benchmark::State &state)
{
    Lit_Puis(state, [](const QByteArray &o) {
        const char *p = o.constData();
        const char *fin = p + o.size();
        qsizetype chevrons = 0;
        while (const void *q = std::memchr(p, '<', size_t(fin - p))) {
            ++chevrons;
            p = static_cast<const char *>(q) + 1;
        }
        benchmark::DoNotOptimize(chevrons);
    });
}

void BM_Lit_ADIF(benchmark::State &state)
{
    Lit_Puis(state, [](const QByteArray &o) {
        const ADIF::Lecture lecture = ADIF::Lit_ADIF(o);
        benchmark::DoNotOptimize(lecture.nombre());
    });
}

} // namespace

BENCHMARK(BM_Plancher_ADIF)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Lit_ADIF)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
