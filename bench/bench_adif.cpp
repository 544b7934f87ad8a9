// Reading ADIF files beside their floor, measured in the same run: reading
// the file and finding every "<" in it.
// - a 100,000-record export of this challenge (30 MB);
// - a station's general log of 1,000,000 records (about 200 MB), 1% of them
//   with a DMF reference: the time to the import preview and its peak memory;
// - the same with a reference in every record, and 200 MB of tiny fields:
//   peak memory;
// - an activation's own log of 5,000 QSOs to its sheet's window, and the
//   general log read as one: time and peak memory.
#include "Activations.h"
#include "Echange_ADIF.h"
#include "Feuille_Activite.h"
#include "Fichier.h"
#include "Carnet.h"
#include "Import_ADIF.h"
#include "Journal.h"
#include "Lecteur_ADIF.h"
#include "Memoire_Residente.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTime>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

using namespace Sous_Programmes;

namespace {

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

QByteArray Numero_DMF(int i) { return QByteArray::number(1001 + (i * 7) % 95000).rightJustified(5, '0'); }

// A QSO of this challenge as a logger writes it: a line of fields, then CR LF.
QByteArray Enregistrement_Challenge(int i)
{
    static const char *bandes[] = {"80M", "40M", "20M", "15M", "2M"};
    static const char *frequences[] = {"3.652", "7.112", "14.245", "21.310", "144.300"};
    static const char *modes[] = {"SSB", "CW", "FM", "FT8"};
    static const char *noms[] = {"Jean", "Hélène", "Marie-Claude", "Pierre", "François"};
    static const char *villes[] = {"Rennes", "Saint-Étienne", "Lyon", "Brest", "Aix-en-Provence"};
    constexpr qsizetype taille = 300;
    QByteArray e;
    e.reserve(taille + 32);
    const QByteArray date = QDate(2024, 1, 1).addDays(i / 300).toString(QStringLiteral("yyyyMMdd")).toLatin1();
    const QByteArray dmf = Numero_DMF(i);
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
    const qsizetype reste = std::max<qsizetype>(20, taille - e.size() - 20);
    Ajoute_Champ(e, "NOTES", notes.repeated(reste / notes.size() + 1).left(reste));
    e += "<EOR>\r\n";
    return e;
}

// A QSO of a station's general log, about 200 bytes; `dmf`: one of the
// challenge, its reference as a SIG or in the comment.
QByteArray Enregistrement_General(int i, bool dmf)
{
    static const char *bandes[] = {"80M", "40M", "20M", "15M", "10M", "2M"};
    static const char *modes[] = {"SSB", "CW", "FT8", "FT4", "RTTY"};
    static const char *commentaires[] = {"tnx QSO", "73", "QSL via bureau", "good signal", "portable"};
    QByteArray e;
    e.reserve(224);
    Ajoute_Champ(e, "CALL", (i % 7 ? "DL" : "F") + QByteArray::number(i % 9) + QByteArray::number(20000 + i, 36).toUpper());
    Ajoute_Champ(e, "QSO_DATE", QDate(2026, 1, 1).addDays(i % 365).toString(QStringLiteral("yyyyMMdd")).toLatin1());
    Ajoute_Champ(e, "TIME_ON", QByteArray::number(100000 + (i * 13) % 140000).right(6));
    Ajoute_Champ(e, "BAND", bandes[i % 6]);
    Ajoute_Champ(e, "MODE", modes[i % 5]);
    Ajoute_Champ(e, "FREQ", QByteArray::number(7.0 + (i % 200) / 1000.0, 'f', 3));
    Ajoute_Champ(e, "RST_SENT", i % 3 ? "599" : "-12");
    Ajoute_Champ(e, "RST_RCVD", i % 3 ? "579" : "-08");
    Ajoute_Champ(e, "GRIDSQUARE", i % 2 ? "JN05" : "JO40");
    Ajoute_Champ(e, "STATION_CALLSIGN", "F8KOB");
    Ajoute_Champ(e, "MY_GRIDSQUARE", "IN88");
    if (dmf && i % 2) {
        Ajoute_Champ(e, "SIG", "DMF");
        Ajoute_Champ(e, "SIG_INFO", Numero_DMF(i));
    } else if (dmf) {
        Ajoute_Champ(e, "COMMENT", "Moulin DMF " + Numero_DMF(i));
    } else {
        Ajoute_Champ(e, "COMMENT", commentaires[i % 5]);
    }
    e += "<EOR>\r\n";
    return e;
}

// Writes the file a piece at a time: the bench holds none of it in memory.
QString Ecrit_Fichier(const QTemporaryDir &dossier, const QString &nom, int nombre, const std::function<QByteArray(int)> &enregistrement)
{
    const QString chemin = QDir(dossier.path()).filePath(nom);
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly))
        std::abort();
    QByteArray morceau = "Journal exporté par un carnet général\r\n<ADIF_VER:5>3.1.4\r\n<PROGRAMID:3>LOG\r\n<EOH>\r\n";
    for (int i = 0; i < nombre; ++i) {
        morceau += enregistrement(i);
        if (morceau.size() > (4 << 20) || i + 1 == nombre) {
            if (f.write(morceau) != morceau.size())
                std::abort();
            morceau.clear();
        }
    }
    return chemin;
}

// A QSO of a day of activation at mill 21003, from 07:00 UTC, as a portable
// logger writes it.
QByteArray Enregistrement_Activation(int i)
{
    static const char *bandes[] = {"40m", "20m", "80m"};
    static const char *modes[] = {"SSB", "CW", "FT8"};
    QByteArray e;
    Ajoute_Champ(e, "CALL", (i % 5 ? "F" : "ON") + QByteArray::number(i % 9) + QByteArray::number(30000 + i, 36).toUpper());
    Ajoute_Champ(e, "QSO_DATE", "20260315");
    Ajoute_Champ(e, "TIME_ON", QTime(7, 0).addSecs(i * 8).toString(QStringLiteral("HHmmss")).toLatin1());
    Ajoute_Champ(e, "BAND", bandes[i % 3]);
    Ajoute_Champ(e, "MODE", modes[i % 3]);
    Ajoute_Champ(e, "FREQ", QByteArray::number(7.0 + (i % 200) / 1000.0, 'f', 3));
    Ajoute_Champ(e, "OPERATOR", i % 2 ? "F8KOB" : "F4DEF");
    Ajoute_Champ(e, "STATION_CALLSIGN", "F8KOB/P");
    Ajoute_Champ(e, "MY_SIG", "DMF");
    Ajoute_Champ(e, "MY_SIG_INFO", "21003");
    e += "<EOR>\r\n";
    return e;
}

struct Banc {
    QTemporaryDir dossier;
    QString activation;
    QString challenge;
    QString general;
    QString tout_dmf;
    QString petits_champs;
    Contenu_Log log;

    Banc()
    {
        if (!dossier.isValid())
            std::abort();
        activation = Ecrit_Fichier(dossier, QStringLiteral("activation.adi"), 5000, Enregistrement_Activation);
        challenge = Ecrit_Fichier(dossier, QStringLiteral("challenge.adi"), 100000, Enregistrement_Challenge);
        general = Ecrit_Fichier(dossier, QStringLiteral("general.adi"), 1000000,
                                [](int i) { return Enregistrement_General(i, i % 100 == 0); });
        tout_dmf = Ecrit_Fichier(dossier, QStringLiteral("tout_dmf.adi"), 1000000,
                                 [](int i) { return Enregistrement_General(i, true); });
        // 200 MB of fields of one byte, ten to a record.
        petits_champs = Ecrit_Fichier(dossier, QStringLiteral("petits_champs.adi"), 4000000, [](int) {
            return QByteArray("<A:1>x").repeated(8) + "<EOR>\r\n";
        });
        // The log the import compares with: a few thousand QSOs of the year.
        QByteArray lignes;
        for (int i = 0; i < 5000; ++i) {
            const QByteArray date = QDate(2026, 1, 1).addDays(i % 365).toString(QStringLiteral("dd/MM/yy")).toLatin1();
            lignes += date + "  " + Numero_DMF(i * 3) + "  " + QByteArray("Moulin Contacte").leftJustified(22, ' ') + "  "
                + QByteArray("F5ABC").leftJustified(12, ' ') + "\r\n";
        }
        log = Contenu_Log(lignes);
    }
};

Banc &banc()
{
    static Banc b;
    return b;
}

Fichier_Ouvert Ouvre(const QString &chemin)
{
    auto f = Fichier_Ouvert::Ouvre(chemin);
    if (!f)
        std::abort();
    return std::move(f).valeur();
}

// The floor: the file read by the pieces the reader reads, every "<" found.
void Plancher(benchmark::State &state, const QString &chemin)
{
    QByteArray tampon(ADIF::Lecteur::Morceau_Defaut, Qt::Uninitialized);
    for (auto _ : state) {
        Fichier_Ouvert f = Ouvre(chemin);
        qsizetype chevrons = 0;
        for (;;) {
            const auto lus = f.lit(tampon.data(), tampon.size());
            if (!lus || lus.valeur() == 0)
                break;
            const char *p = tampon.constData();
            const char *fin = p + lus.valeur();
            while (const void *q = std::memchr(p, '<', size_t(fin - p))) {
                ++chevrons;
                p = static_cast<const char *>(q) + 1;
            }
        }
        benchmark::DoNotOptimize(chevrons);
    }
    state.counters["Mo"] = double(QFileInfo(chemin).size()) / 1e6;
}

// From the file chosen to its preview: read, analysed against the log; with
// `fenetre`, the preview window shown too. The peak is what the memory held
// beyond what it held before; "apres" what it still holds once the preview
// is gone.
void Apercu(benchmark::State &state, const QString &chemin, bool fenetre)
{
    qint64 pic = 0;
    qint64 apres = 0;
    qsizetype candidats = 0;
    int avancements = 0;
    for (auto _ : state) {
        const qint64 avant = Memoire_Residente::Actuelle();
        Memoire_Residente::Remet_Pic();
        {
            ADIF::Lecteur lecteur(Ouvre(chemin));
            auto analyse = ADIF::Analyse_Import(lecteur, banc().log, QStringLiteral("2026"), [&](qint64, qint64) {
                ++avancements;
                return true;
            });
            if (!analyse) {
                state.SkipWithError(qPrintable(analyse.erreur()));
                break;
            }
            candidats = qsizetype(analyse.valeur().candidats.size());
            if (fenetre) {
                Carnet carnet(QStringLiteral("/nulle/part"), [] { return QDateTime(); }, [](const QString &) { return false; });
                carnet.ouvre(QStringLiteral("F8KOB"), QStringLiteral("2026"));
                Import_ADIF apercu(std::move(analyse).valeur(), carnet, QStringLiteral("general.adi"));
                apercu.show();
                QApplication::processEvents();
            }
        }
        pic = qMax(pic, Memoire_Residente::Pic() - avant);
        apres = qMax(apres, Memoire_Residente::Actuelle() - avant);
    }
    state.counters["pic_Mo"] = double(pic) / 1e6;
    state.counters["apres_Mo"] = double(apres) / 1e6;
    state.counters["fichier_Mo"] = double(QFileInfo(chemin).size()) / 1e6;
    state.counters["lignes"] = double(candidats);
    state.counters["avancements"] = double(avancements) / double(state.iterations());
}

// From the file chosen to the sheet's window shown and painted: read,
// grouped, the first activation's sheet made. The peak as for the import.
void Feuille_Activite_Montree(benchmark::State &state, const QString &chemin)
{
    qint64 pic = 0;
    qsizetype qso = 0;
    for (auto _ : state) {
        const qint64 avant = Memoire_Residente::Actuelle();
        Memoire_Residente::Remet_Pic();
        {
            auto lecture = Activite::Lit_Fichier_Activations(chemin, [](qint64, qint64) { return true; });
            if (!lecture) {
                state.SkipWithError(qPrintable(lecture.erreur()));
                break;
            }
            qso = qsizetype(lecture.valeur().qso.size());
            Feuille_Activite f(std::move(lecture).valeur(), nullptr, QStringLiteral("activation.adi"), QStringLiteral("F8KOB/P"),
                               QDate(2026, 3, 16), banc().dossier.path(), 0);
            f.show();
            QApplication::processEvents();
        }
        pic = qMax(pic, Memoire_Residente::Pic() - avant);
    }
    state.counters["pic_Mo"] = double(pic) / 1e6;
    state.counters["qso"] = double(qso);
}

void BM_Feuille_Activite_5000_QSO(benchmark::State &state) { Feuille_Activite_Montree(state, banc().activation); }
void BM_Feuille_Activite_Journal_General(benchmark::State &state) { Feuille_Activite_Montree(state, banc().general); }

void BM_Plancher_Export_Challenge(benchmark::State &state) { Plancher(state, banc().challenge); }

void BM_Lecteur_Export_Challenge(benchmark::State &state)
{
    for (auto _ : state) {
        ADIF::Lecteur lecteur(Ouvre(banc().challenge));
        ADIF::Enregistrement e;
        qsizetype n = 0;
        while (lecteur.suivant(e))
            ++n;
        if (n != 100000)
            state.SkipWithError("records lost");
        benchmark::DoNotOptimize(n);
    }
}

void BM_Plancher_Journal_General(benchmark::State &state) { Plancher(state, banc().general); }
void BM_Apercu_Journal_General(benchmark::State &state) { Apercu(state, banc().general, false); }
void BM_Apercu_Fenetre_Journal_General(benchmark::State &state) { Apercu(state, banc().general, true); }
void BM_Plancher_Tout_DMF(benchmark::State &state) { Plancher(state, banc().tout_dmf); }
void BM_Apercu_Fenetre_Tout_DMF(benchmark::State &state) { Apercu(state, banc().tout_dmf, true); }
void BM_Plancher_Petits_Champs(benchmark::State &state) { Plancher(state, banc().petits_champs); }
void BM_Apercu_Petits_Champs(benchmark::State &state) { Apercu(state, banc().petits_champs, false); }

} // namespace

BENCHMARK(BM_Feuille_Activite_5000_QSO)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Feuille_Activite_Journal_General)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Plancher_Export_Challenge)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Lecteur_Export_Challenge)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Plancher_Journal_General)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Apercu_Journal_General)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Apercu_Fenetre_Journal_General)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Plancher_Tout_DMF)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Apercu_Fenetre_Tout_DMF)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Plancher_Petits_Champs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Apercu_Petits_Champs)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    banc();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
