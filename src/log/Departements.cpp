#include "Departements.h"

#include "Journal.h"
#include "Ligne_QSO.h"

namespace Sous_Programmes {

namespace {

// 96 and 97 for the Corsican codes, 0 for any other pair.
int Corse(QByteArrayView paire)
{
    if (paire.size() != 2 || paire[0] != '2')
        return 0;
    switch (paire[1]) {
    case 'A':
    case 'a': return 96;
    case 'B':
    case 'b': return 97;
    default: return 0;
    }
}

bool Chiffre(char c) { return c >= '0' && c <= '9'; }

} // namespace

int Departement_Recapitulatif(QByteArrayView paire)
{
    if (const int corse = Corse(paire))
        return corse;
    int valeur = 0;
    for (char c : paire) {
        if (c == ' ')
            continue;
        if (!Chiffre(c))
            break;
        valeur = valeur * 10 + (c - '0');
    }
    return valeur;
}

int Departement_Carte(QByteArrayView paire)
{
    if (const int corse = Corse(paire))
        return corse;
    if (paire.isEmpty() || !Chiffre(paire[0]))
        return -1;
    // A second character that is not a digit (a blank after a single digit)
    // leaves the first digit alone.
    if (paire.size() > 1 && Chiffre(paire[1]))
        return (paire[0] - '0') * 10 + (paire[1] - '0');
    return paire[0] - '0';
}

Carte_Log Colore_Carte(const Contenu_Log &contenu)
{
    bool vert[100] = {};
    for (qsizetype i = 0; i < contenu.nombre(); ++i) {
        if (const int d = Departement_Carte(Champ(contenu.ligne(i), 11, 2)); d >= 0)
            vert[d] = true;
    }
    Carte_Log carte;
    for (size_t i = 0; i < 100; ++i)
        carte.vert[i] = vert[i];
    carte.nombre = int(carte.vert.count()) - (carte.vert.test(0) ? 1 : 0);
    return carte;
}

} // namespace Sous_Programmes
