#pragma once

#include <QByteArrayView>

namespace Sous_Programmes {

// The département of a DMF number's first two characters on the summary
// sheet: 2A and 2B (either case) are 96 and 97; otherwise the digits before
// the first character that is neither a digit nor a blank, blanks skipped.
int Departement_Recapitulatif(QByteArrayView paire);

// On the map: the same Corsican codes; a pair that does not begin with a
// digit names no box (-1).
int Departement_Carte(QByteArrayView paire);

} // namespace Sous_Programmes
