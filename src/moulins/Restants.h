#pragma once

#include "Liste_Moulins.h"

#include <memory>
#include <vector>

namespace Sous_Programmes {
class Contenu_Log;
}

// What the log has of each mill of the list, département by département.
namespace Moulins {

enum class Etat : quint8 { Restant, En_Attente, Contacte };

struct Etat_Moulin {
    Etat etat = Etat::Restant;
    char date[8] = {}; // dd/mm/yy of its latest line not pending, when it has a calendar date
    bool datee = false;
};

struct Compte {
    int moulins = 0, contactes = 0, en_attente = 0, restants = 0;
};

struct Departement {
    QByteArray code; // "21", "2A"
    qsizetype premier = 0, nombre = 0; // its mills, in the list's order
    Compte compte;
};

struct Restants {
    std::vector<Etat_Moulin> etats; // one per mill of the list, in its order
    std::vector<Departement> departements;
    Compte total;
    qsizetype qso_absents = 0; // lines of the log whose number is not in the list
};

// What the log has of the mill of that rank in the list.
const Etat_Moulin &Etat_De(const Restants &r, qsizetype rang);

// Contacted: a line not pending; pending: only pending lines; left: no line.
Restants Compte_Restants(const Liste &liste, const Sous_Programmes::Contenu_Log &log);

// What the map says of each of its 100 boxes: "12 moulins contactés sur 148",
// with those pending; an empty text for a box without mills.
QStringList Textes_Carte(const Restants &r);
// The same from a log and the kept list; none without a list.
QStringList Textes_Carte(const std::shared_ptr<const Liste> &liste, const Sous_Programmes::Contenu_Log &log);

// "Contacté le 15/03/26", "En attente", "Restant".
QString Texte_Etat(const Etat_Moulin &e);

} // namespace Moulins
