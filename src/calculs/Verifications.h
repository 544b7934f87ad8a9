#pragma once

#include "Journal.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <functional>
#include <vector>

namespace Moulins {
class Liste;
}

// What the challenge's corrector would refuse in a log, or what costs it
// points, looked for before the yearly report is sent.
namespace Sous_Programmes {

enum class Sorte_Anomalie { En_Attente, Double, Date_Hors_Annee, Type_Inconnu, Hors_Liste, Sans_Feuille };

struct Anomalie {
    Sorte_Anomalie sorte;
    qsizetype ligne = 0; // in the log, from 0
    QByteArray date, dmf, indicatif; // as the line holds them, blanks aside
    int points_en_suspens = 0;       // a pending QSO's points once validated
    QString texte;
};

// Whether the activity sheet of that mill and day was made.
using Feuille_Faite = std::function<bool(QByteArrayView dmf, const QDate &jour)>;

// Each finding, in the order of the log's lines. `annee`: the challenge's
// ("2026"). `liste`: the list of mills kept, none when there is none.
// `feuille_faite`, when given: the station's activations without their sheet.
std::vector<Anomalie> Verifie_Log(const Contenu_Log &contenu, const QString &annee, const Moulins::Liste *liste,
                                  const Feuille_Faite &feuille_faite = {});

// What a finding says, with the points a pending QSO awaits.
QString Texte_Anomalie(const Anomalie &a);

// "3 QSO en attente (6 points en suspens), 1 DMF en double, 0 date hors de
// l'année", then the other kinds found; "Aucune anomalie trouvée" for none.
QString Resume_Verifications(const std::vector<Anomalie> &anomalies);

} // namespace Sous_Programmes
