#pragma once

#include "Resultat.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace Sous_Programmes {
class Contenu_Log;
}

// The station's years side by side: what the statistics window draws,
// computed from the logs' bytes alone.
namespace Bilan {

// Days of a leap year, so that every year's dates share one axis: 0 is
// 1 January, 59 is 29 February, 365 is 31 December.
inline constexpr int Jours = 366;
int Jour_De_L_Annee(int mois, int jour);

struct Annee {
    QString annee;
    qsizetype qso = 0;          // lines holding a mill's number
    qsizetype moulins = 0;      // distinct numbers
    int departements = 0;       // as the map counts them
    long long points = 0;       // as the total counts them
    qsizetype en_attente = 0;
    qsizetype sans_date = 0;    // QSO lines on no chart: their date is not a calendar date
    std::array<long long, Jours> points_cumules{}; // at the end of each day
    std::array<int, Jours> departements_cumules{};
    std::array<int, 12> mois_valides{}, mois_en_attente{};
};
Annee Calcule_Annee(const Sous_Programmes::Contenu_Log &contenu, const QString &annee);

struct Statistiques {
    std::vector<Annee> annees; // the current year first, then the others newest first
    QStringList ignores;       // one French line per log that could not be read
};

// The years of the logs of `indicatif` in `dossier`, found by the naming
// rule; `annee_courante` is read even when its name is not four digits.
Statistiques Lit_Statistiques(const QString &dossier, const QString &indicatif, const QString &annee_courante);

} // namespace Bilan
