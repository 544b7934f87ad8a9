#pragma once

#include "Resultat.h"
#include "Spots.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>

// Whether a spot alerts the operator, and how often: pure rules over the
// spot, what the log holds of its mill and the settings.
namespace Alertes {

// What the operator follows even once contacted: mill numbers ("21003"),
// départements ("29", "2A") and callsigns ("F4DEF/P").
struct Surveillance {
    QSet<QByteArray> numeros, departements, indicatifs;
    bool vide() const { return numeros.isEmpty() && departements.isEmpty() && indicatifs.isEmpty(); }
    bool operator==(const Surveillance &) const = default;
};

// The entries typed, one per line or separated by blanks or commas, letters
// in either case; refused whole, quoting the first wrong entry.
Sous_Programmes::Resultat<Surveillance> Lit_Surveillance(const QString &texte);
// The same, to be shown and kept: numbers, départements, then callsigns.
QString Texte_Surveillance(const Surveillance &s);

struct Reglages {
    bool ligne = true;        // the line under the main window's menus
    bool clignote = true;     // the taskbar button
    bool notification = true; // the desktop's notification
    bool son = false;
    int silence_minutes = 30; // one alert per mill within it
    int age_minutes = 30;     // older spots leave the list
    bool seulement_liste = false; // no alert for a number absent from the list of mills
    Surveillance surveillance;
    bool operator==(const Reglages &) const = default;
};
inline constexpr int Silence_Minimum = 5, Silence_Maximum = 240;
inline constexpr int Age_Minimum = 5, Age_Maximum = 24 * 60;

// The group "Alertes" of the settings; out-of-range values read as the defaults.
Reglages Lit_Reglages();
Sous_Programmes::Statut Sauve_Reglages(const Reglages &r);

// The station says it stops: "QRT" as a word of the comment.
bool QRT(const Cluster::Spot &spot);

enum class Raison { Aucune, Nouveau_Moulin, Surveille };
// Why a spot alerts, before the quiet time: its mill is in no line of the
// log, or a watch entry matches it; never for a QRT or a spot older than
// the settings' age at `maintenant`, nor, when asked, for a number the list
// of mills does not hold (`dans_la_liste`).
Raison Pourquoi(const Cluster::Spot &spot, Cluster::Etat etat, bool dans_la_liste, const Reglages &r, const QDateTime &maintenant);

// "Moulin 21003 (Moulin Neuf, Beaune) annoncé par F4DEF sur 7 088,0 kHz à
// 14:32 UTC"; the mill's name when `nom` has one.
QString Texte_Alerte(const Cluster::Spot &spot, const QString &nom);
// The newest alert's text, and how many other mills wait behind it.
QString Texte_Pile(const QString &plus_recente, qsizetype autres);

// One alert per mill per quiet time, whoever spots it; at most one
// notification and one sound per `Intervalle_Bruit`.
class Rythme {
public:
    static constexpr int Intervalle_Bruit_s = 10;
    // True when the mill alerts now; then it is quiet for `silence_minutes`.
    bool alerte(QByteArrayView dmf, const QDateTime &maintenant, int silence_minutes);
    // True when a notification and a sound may go now; then none for a while.
    bool bruit(const QDateTime &maintenant);

private:
    QHash<QByteArray, QDateTime> m_derniere; // by mill
    QDateTime m_dernier_bruit;
};

} // namespace Alertes
