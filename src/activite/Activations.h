#pragma once

#include "Echange_ADIF.h"
#include "Lecteur_ADIF.h"
#include "Points.h"
#include "Resultat.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

// An activation's own log (the ADIF of the day on site) read back: its QSOs
// grouped by the station's own mill and by UTC day, with what the activity
// sheet counts.
namespace Activite {

inline constexpr int Minimum_QSO = Sous_Programmes::Minimum_QSO_Reactivation;

// One QSO as the sheet needs it. Small: a general log may give a million.
struct QSO {
    qint32 jour = 0;     // QDate::toJulianDay of QSO_DATE (UTC); 0 when unreadable
    qint32 seconde = -1; // TIME_ON (UTC) in seconds of the day; -1 when absent
    qint64 hertz = 0;    // FREQ; 0 when absent
    ADIF::Texte_Court<13> indicatif; // CALL, in capitals
    ADIF::Texte_Court<5> dmf;        // the station's own mill; empty when none
    quint16 bande = 0, mode = 0, operateur = 0, station = 0; // in Lecture::textes; 0 is none
};

struct Lecture {
    std::deque<QSO> qso;            // in file order, doubles left out
    std::vector<QByteArray> textes; // [0] empty, then each band, mode, operator, station once
    qsizetype doubles = 0;          // the same QSO again: counted once
    qsizetype illisibles = 0;       // records the reader could not read

    QByteArrayView texte(quint16 i) const { return i < textes.size() ? QByteArrayView(textes[i]) : QByteArrayView(); }
};

// Told as the work goes: bytes done, bytes in all. Answering false stops it.
using Avancement = ADIF::Avancement;

// Every record of `lecteur` with a callsign, the station's own mill read
// from MY_SIG "DMF" with MY_SIG_INFO, else a "DMF 21001" reference in
// MY_SIG_INFO, in another MY_..._INFO field, or in the comment (unless it
// names the mill contacted, SIG_INFO). Fails when the file cannot be read; with an
// empty message when `avancement` stopped it.
Sous_Programmes::Resultat<Lecture> Lit_Activations(ADIF::Lecteur &lecteur, const Avancement &avancement = {});
Sous_Programmes::Resultat<Lecture> Lit_Fichier_Activations(const QString &chemin, const Avancement &avancement = {});

// A count of one band or mode, in the order of the first QSO of each.
struct Compte {
    QByteArray texte;
    int nombre = 0;
};

// The QSOs of one mill on one UTC day; or, `dmf` empty and `jour` invalid,
// those of the file without the station's mill.
struct Activation {
    QByteArray dmf;
    QDate jour;
    std::vector<quint32> qso; // in Lecture::qso, by time then file order; without a mill, in file order
    int de = -1, a = -1;        // first and last TIME_ON, seconds; -1 when none has one
    int indicatifs = 0;         // distinct callsigns
    std::vector<Compte> bandes, modes;
    std::vector<QByteArray> operateurs; // distinct OPERATOR then STATION_CALLSIGN values
    std::vector<QByteArray> stations;   // distinct STATION_CALLSIGN values

    int nombre() const { return int(qso.size()); }
    bool sans_moulin() const { return dmf.isEmpty(); }
};

// The activations, by mill then day; the QSOs without the station's mill in
// a last one of their own, or, when the operator names the file's mill
// (`moulin_du_fichier`), under that mill by day.
std::vector<Activation> Regroupe(const Lecture &lecture, const std::optional<QByteArray> &moulin_du_fichier = {});

// "atteint", or "manque 12".
QString Texte_Minimum(int qso);
// "14:32" for seconds of the day; "" for -1.
QString Heure(int seconde);
// "7 088,000" kHz for hertz; "" for 0.
QString Frequence_kHz(qint64 hertz);

} // namespace Activite
