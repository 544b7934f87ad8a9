#pragma once

#include "Calculs_Graphique.h"

#include <algorithm>

// Two years of points: this one up to 15 March (day 74), 22 points then;
// last year whole, 12 points from 10 April (day 100), 17 from 27 October (day 300).
inline Graphiques::Contenu Deux_Annees()
{
    const Graphiques::Unite points{QStringLiteral("point"), QStringLiteral("points")};
    Graphiques::Serie cette{QStringLiteral("2026"), QColor(0xD62728), 3.5, points, std::vector<double>(75, 10), 2026};
    std::fill_n(cette.valeurs.begin(), 10, 0);
    cette.valeurs.back() = 22;
    Graphiques::Serie derniere{QStringLiteral("2025"), QColor(0x1F77B4), 1.5, points, std::vector<double>(366, 0), 2025};
    std::fill(derniere.valeurs.begin() + 100, derniere.valeurs.end(), 12);
    std::fill(derniere.valeurs.begin() + 300, derniere.valeurs.end(), 17);
    return {Graphiques::Forme::Courbes_Jours, QStringLiteral("Points cumulés depuis le 1er janvier"), QStringLiteral("Points"),
            {cette, derniere}};
}

// The QSO of the first three months: validated below, pending above.
inline Graphiques::Contenu Trois_Mois()
{
    Graphiques::Serie valides{QStringLiteral("Validés"), QColor(0x209FDF), 0, {QStringLiteral("validé"), QStringLiteral("validés")},
                              {1, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0};
    Graphiques::Serie attente{QStringLiteral("En attente"), QColor(0x99CA53), 0,
                              {QStringLiteral("en attente"), QStringLiteral("en attente")}, {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0};
    return {Graphiques::Forme::Barres_Mois, QStringLiteral("QSO par mois en 2026"), QStringLiteral("QSO"), {valides, attente}};
}
