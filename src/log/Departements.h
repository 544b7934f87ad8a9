#pragma once

#include <QByteArrayView>

#include <bitset>

namespace Sous_Programmes {

// The département of a DMF number's first two characters on the summary
// sheet: 2A and 2B (either case) are 96 and 97; otherwise the digits before
// the first character that is neither a digit nor a blank, blanks skipped.
int Departement_Recapitulatif(QByteArrayView paire);

// On the map: the same Corsican codes; a pair that does not begin with a
// digit names no box (-1).
int Departement_Carte(QByteArrayView paire);

class Contenu_Log;

// The map's boxes that the log's lines reach.
struct Carte_Log {
    std::bitset<100> vert; // boxes 0 to 99
    int nombre = 0;        // green boxes among 1 to 99
};
Carte_Log Colore_Carte(const Contenu_Log &contenu);

} // namespace Sous_Programmes
