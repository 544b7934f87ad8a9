#pragma once

#include "Lecteur_ADIF.h"
#include "Resultat.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <algorithm>
#include <deque>
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
// That export written to `fichier` in one step; what the operator is told.
Sous_Programmes::Resultat<QString> Exporte_Log(const Sous_Programmes::Contenu_Log &contenu, const QString &nom_log,
                                               const QDateTime &creation_utc, const QString &fichier);

// A text of at most N bytes kept in place (a million of them take no more
// than their bytes), and whether the one given was longer.
template <int N>
class Texte_Court {
public:
    static_assert(N < 128);
    Texte_Court() = default;
    explicit Texte_Court(QByteArrayView texte) { pose(texte); }
    void pose(QByteArrayView texte)
    {
        const qsizetype n = qMin<qsizetype>(texte.size(), N);
        std::copy_n(texte.data(), n, m_octets);
        m_taille = quint8(n | (texte.size() > N ? 0x80 : 0));
    }
    QByteArrayView vue() const { return QByteArrayView(m_octets, m_taille & 0x7F); }
    QByteArray octets() const { return vue().toByteArray(); }
    bool coupe() const { return m_taille & 0x80; }

private:
    char m_octets[N] = {};
    quint8 m_taille = 0;
};

// A line the import may add, and why it is shown as it is. Small: a general
// log may give a million of them.
struct Candidat {
    enum class Etat : quint8 { Nouveau, Double, Deja_Dans_Le_Log, Refuse };
    static constexpr quint32 Types = 9; // below, a position among the activity texts

    quint32 type = 0;        // a position, or Types + where Analyse::types_libres holds the text
    qint32 precedent = -1;   // for a double: the candidate before it, or -2 - the log line
    Etat etat = Etat::Nouveau;
    bool propre = false;     // from this program's own export: type and pending flag as exported
    bool attente = false;    // the exported flag, when `propre`
    quint16 refus = 0;       // for a line refused, its reason: Analyse::refus[refus - 1]
    Texte_Court<8> date;     // dd/mm/yy; for a date refused, what the file holds
    Texte_Court<12> indicatif; // Windows-1252
    Texte_Court<5> dmf;
};

struct Analyse {
    std::deque<Candidat> candidats; // in blocks: growing never copies them all
    std::vector<QString> refus;     // each reason once
    QByteArray types_libres;        // type texts that are none of the nine: a length byte, then the text
    QByteArray dates_log;           // the log's dates, 8 bytes a line, for the doubles' remarks
    qsizetype sans_dmf = 0;
    qsizetype autre_annee = 0;
    qsizetype activations = 0;
    qsizetype illisibles = 0;
    qsizetype refus_caches = 0; // refused past the first thousand: counted, not shown

    QByteArray type(const Candidat &c) const;
    QByteArray date_precedente(const Candidat &c) const;
    // Why a candidate is shown as it is, in French; empty for a new QSO.
    QString remarque(const Candidat &c) const;
    // Its log line; `attente` is the operator's choice for the lines that do
    // not come from this program's own export.
    QByteArray ligne(const Candidat &c, bool attente) const;
};

// Refused lines shown at most: a file of nothing else says enough with these.
inline constexpr qsizetype Refus_Montres = 1000;

// Told as the work goes: bytes done, bytes in all. Answering false stops it.
using Avancement = std::function<bool(qint64 fait, qint64 total)>;

// Each record `lecteur` gives, to `traite`, `avancement` told every 256 KB
// or so. Fails when the file cannot be read; with an empty message when
// `avancement` stopped it.
Sous_Programmes::Statut Parcourt_Enregistrements(Lecteur &lecteur, const Avancement &avancement,
                                                 const std::function<void(const Enregistrement &)> &traite);

// Which records `lecteur` gives become lines of the log of `annee`, compared
// with the lines it already holds. Only the records with a DMF reference are
// kept, each checked as the entry checks a typed line. Fails when the file
// cannot be read; with an empty message when `avancement` stopped it.
Sous_Programmes::Resultat<Analyse> Analyse_Import(Lecteur &lecteur, const Sous_Programmes::Contenu_Log &log,
                                                  const QString &annee, const Avancement &avancement = {});
// The same for the file at `chemin`, read a piece at a time: a general log
// may hold a million QSOs.
Sous_Programmes::Resultat<Analyse> Analyse_Fichier(const QString &chemin, const Sous_Programmes::Contenu_Log &log,
                                                   const QString &annee, const Avancement &avancement = {});

} // namespace ADIF
