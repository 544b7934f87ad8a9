#pragma once

#include "Lecteur_ADIF.h"
#include "Resultat.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <algorithm>
#include <functional>
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

// A text of at most N bytes kept in place (a million of them take no more
// than their bytes), and whether the one given was longer.
template <int N>
class Texte_Court {
public:
    Texte_Court() = default;
    explicit Texte_Court(QByteArrayView texte) { pose(texte); }
    void pose(QByteArrayView texte)
    {
        m_taille = quint8(qMin<qsizetype>(texte.size(), N));
        std::copy_n(texte.data(), m_taille, m_octets);
        m_coupe = texte.size() > N;
    }
    QByteArrayView vue() const { return QByteArrayView(m_octets, m_taille); }
    QByteArray octets() const { return vue().toByteArray(); }
    bool coupe() const { return m_coupe; }

private:
    char m_octets[N] = {};
    quint8 m_taille = 0;
    bool m_coupe = false;
};

// A line the import may add, and why it is shown as it is.
struct Candidat {
    enum class Etat : quint8 { Nouveau, Double, Deja_Dans_Le_Log, Refuse };
    Texte_Court<8> date;       // dd/mm/yy; for a date refused, what the file holds
    Texte_Court<12> indicatif; // Windows-1252
    Texte_Court<5> dmf;
    Texte_Court<22> type;      // one of the activity texts, or the exact text of this program's export
    Texte_Court<8> date_precedente; // of the earlier QSO with that number, for a double
    Etat etat = Etat::Nouveau;
    bool propre = false;  // from this program's own export: type and pending flag as exported
    bool attente = false; // the exported flag, when `propre`
    quint16 refus = 0;    // for a line refused, its reason: Analyse::refus[refus - 1]
};

struct Analyse {
    std::vector<Candidat> candidats;
    std::vector<QString> refus; // each reason once
    qsizetype sans_dmf = 0;
    qsizetype autre_annee = 0;
    qsizetype activations = 0; // the station's own mill: to be entered by hand
    qsizetype illisibles = 0;
};

// Why a candidate is shown as it is, in French; empty for a new QSO.
QString Remarque(const Analyse &analyse, const Candidat &candidat);

// Told as the work goes: bytes done, bytes in all. Answering false stops it.
using Avancement = std::function<bool(qint64 fait, qint64 total)>;

// Which records `lecteur` gives become lines of the log of `annee`, compared
// with the lines it already holds. Only the records with a DMF reference are
// kept, each checked as the entry checks a typed line. Fails when the file
// cannot be read; with an empty message when `avancement` stopped it.
Sous_Programmes::Resultat<Analyse> Analyse_Import(Lecteur &lecteur, const Sous_Programmes::Contenu_Log &log,
                                                  const QString &annee, const Avancement &avancement = {});

// The log line of a candidate; `attente` is the operator's choice for the
// lines that do not come from this program's own export.
QByteArray Ligne_Candidat(const Candidat &candidat, bool attente);

} // namespace ADIF
