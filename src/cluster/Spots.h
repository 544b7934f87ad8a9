#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <deque>
#include <vector>
#include <optional>

namespace Sous_Programmes {
class Contenu_Log;
}

// Spots of mills read from a DX cluster node, and what the log says of them.
namespace Cluster {

// A network text: UTF-8 when it is, Windows-1252 otherwise.
QString Texte_Reseau(const QByteArray &octets);

// Longer lines are dropped whole: no node sends one, a hostile one might.
inline constexpr qsizetype Ligne_Maximum = 1024;

struct Spot {
    QDateTime quand;       // UTC
    QByteArray heure;      // "1234", UTC
    QByteArray frequence;  // kHz, as the node wrote it
    QByteArray indicatif;  // the station spotted
    QByteArray dmf;        // five characters, digits, A or B
    QByteArray commentaire;
    QByteArray spotteur;
};

// The line without BEL and other control bytes, nor ANSI escape sequences.
QByteArray Nettoie_Ligne(QByteArrayView ligne);

// A spot of a mill from a cleaned line, in the broadcast form
// "DX de F5XYZ:  7012.0  F1ABC/P  DMF 21001 CW  1234Z" (a locator may follow)
// or the listing form "7012.0  F1ABC/P  07-Dec-2026 1234Z  DMF 21001 CW  <F5XYZ>".
// None for any other line, and for a spot whose comment names no mill.
// A broadcast spot carries no date: it is of the day `recu` (UTC) was, or of
// the day before when its time is later than `recu`.
std::optional<Spot> Lit_Spot(QByteArrayView ligne, const QDateTime &recu);
// Any spot of the broadcast form, whether its comment names a mill or not.
std::optional<Spot> Lit_Diffusion(QByteArrayView ligne, const QDateTime &recu);

// What makes a spot the same row as another: its callsign and its mill.
inline QByteArray Cle_Spot(const Spot &s) { return s.indicatif + ' ' + s.dmf; }

enum class Etat { Nouveau, Contacte, En_Attente };

// The log's mill numbers, read once, then asked for each spot.
class Index_Log {
public:
    Index_Log() = default;
    explicit Index_Log(const Sous_Programmes::Contenu_Log &contenu);
    // `dmf` as a spot gives it: five characters, digits, A or B.
    Etat etat(QByteArrayView dmf, QByteArray *date_contact = nullptr) const;

private:
    // What the log holds of one number.
    struct Numero {
        char date[8];         // dd/mm/yy of the last QSO not pending
        qint32 jour = -1;     // that date as a day number, -1 when it is none
        bool contacte = false; // a line not pending holds it
        bool en_attente = false;
    };
    // One place per possible number (12 characters, 5 places): no hashing.
    std::vector<Numero> m_numeros;
};

// The newest spots first, one per callsign and number: a spot seen again
// takes the place and details of the newer of the two. The oldest go past
// `Maximum`.
class Liste_Spots {
public:
    static constexpr qsizetype Maximum = 500;
    // False when the spot is not newer than the row of its callsign and
    // number, shown or hidden.
    bool ajoute(Spot spot);
    qsizetype nombre() const { return qsizetype(m_spots.size()); }
    const Spot &spot(qsizetype i) const { return m_spots[size_t(i)]; }
    // The row goes until its station spots that mill again, later.
    void cache(qsizetype i);
    // The spots heard before `limite` go.
    void retire_avant(const QDateTime &limite);

private:
    std::deque<Spot> m_spots;
    QHash<QByteArray, QDateTime> m_caches; // callsign and number, the hidden spot's time
};

} // namespace Cluster
