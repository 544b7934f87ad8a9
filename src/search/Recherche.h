#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// What the search window compares, and the checks of its three boxes.
namespace Recherche {

enum class Mode { Indicatif = 1, DMF = 2, Departement = 3 };

// The key of a stored QSO line in a mode: the callsign or the DMF number
// without blanks, or the two first characters of the DMF number as they stand.
QString Cle(Mode mode, QByteArrayView qso);

// The box's text as it is compared: capitals for the callsign and the number.
QString Entree(Mode mode, const QString &texte);

// The callsign is found anywhere in the key; the others must equal it.
bool Correspond(Mode mode, QByteArrayView qso, const QString &entree);

struct Refus {
    QString message;
    bool vider = false;
};
// The check of Enter in the box of a mode.
std::optional<Refus> Verifie(Mode boite, const QString &texte);

// What an empty box of the mode says.
QString Message_Vide(Mode mode);

} // namespace Recherche
