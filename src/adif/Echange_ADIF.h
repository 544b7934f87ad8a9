#pragma once

#include "Lecteur_ADIF.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace Sous_Programmes {
class Contenu_Log;
}

// The challenge log to ADIF and back.
namespace ADIF {

// The five characters the entry accepts (digits, A, B, in capitals) from a
// reference such as "DMF-21001", "DMF 21001", "dmf21001" or "21001".
std::optional<QByteArray> Reference_DMF(QByteArrayView texte);
// The first reference written after the word DMF in a free text.
std::optional<QByteArray> Reference_Dans_Texte(QByteArrayView texte);

// The log as an ADIF file (ASCII only): a header, then a record per QSO
// line. Lines holding no QSO are left out and counted.
struct Export {
    QByteArray octets;
    qsizetype qso = 0;
    qsizetype sans_qso = 0;
};
Export Log_Vers_ADIF(const Sous_Programmes::Contenu_Log &contenu, const QString &nom_log, const QDateTime &creation_utc);

// A line the import may add, and why it is shown as it is.
struct Candidat {
    enum class Etat { Nouveau, Double, Deja_Dans_Le_Log };
    QByteArray date;      // dd/mm/yy
    QByteArray indicatif; // Windows-1252
    QByteArray dmf;
    QByteArray type;      // one of the activity texts, or the exact text of this program's export
    bool propre = false;  // from this program's own export: type and pending flag as exported
    bool attente = false; // the exported flag, when `propre`
    Etat etat = Etat::Nouveau;
    QByteArray date_precedente; // of the earlier QSO with that number, for a double
};

struct Analyse {
    std::vector<Candidat> candidats;
    qsizetype sans_dmf = 0;
    qsizetype autre_annee = 0;
    qsizetype activations = 0; // the station's own mill: to be entered by hand
    qsizetype illisibles = 0;
};

// Which records of `lecture` become lines of the log of `annee`, compared
// with the lines it already holds.
Analyse Analyse_Import(const Lecture &lecture, const Sous_Programmes::Contenu_Log &log, const QString &annee);

// The log line of a candidate; `attente` is the operator's choice for the
// lines that do not come from this program's own export.
QByteArray Ligne_Candidat(const Candidat &candidat, bool attente);

} // namespace ADIF
