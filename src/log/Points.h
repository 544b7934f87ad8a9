#pragma once

#include "Resultat.h"

#include <QByteArrayView>
#include <QString>
#include <array>

namespace Sous_Programmes {

class Contenu_Log;

struct Type_Activite {
    const char *texte; // as stored in the log, Windows-1252
    int points;
};

// In the order of the activity list; the position is what the settings keep.
inline constexpr std::array<Type_Activite, 9> Types_Activite{{
    {"Moulin Contacte", 2},
    {"Reactivation Contactee", 1},
    {"Resident Contacte", 1},
    {"Moulin active", 6},
    {"Reactivation activee", 3},
    {"Resident active", 3},
    {"Operateur activation", 6},
    {"Operateur reactivation", 3},
    {"Double ou non valid\xE9", 0},
}};

// The station's own activations ("Moulin active", "Reactivation activee",
// "Resident active"): each is sent for validation with its activity sheet.
inline bool Activation_Station(int position) { return position >= 3 && position <= 5; }
inline constexpr int Position_Reactivation_Activee = 4;
// A reactivation counts for the challenge from this many QSOs.
inline constexpr int Minimum_QSO_Reactivation = 50;

// The activity texts as the windows show them.
QStringList Textes_Types_Activite();

// The position of a line's activity type in the list (blanks at both ends
// aside, case kept), or -1 for any other text.
int Position_Type(QByteArrayView ligne);

// A pending line ("*" in column 10) is worth 0 until it is validated.
int Points_QSO(QByteArrayView ligne);

long long Total_Contenu(const Contenu_Log &contenu);
Resultat<long long> Calcul_Total(const QString &chemin_log);

} // namespace Sous_Programmes
