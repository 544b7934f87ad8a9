#pragma once

#include "Resultat.h"
#include "Verifications.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The yearly report to the challenge's corrector.
namespace Sous_Programmes {

// The challenge year whose report is due on `jour`: the year before, from
// 1 January to 1 March; none on other days.
std::optional<int> Annee_Du_Rappel(const QDate &jour);
// "Compte rendu du challenge 2026 à envoyer au correcteur entre le 15 février
// et le 1er mars 2027".
QString Texte_Rappel(int annee);

// Whether the reminder of a station's year still has to be shown: the
// report printed or saved, or the reminder closed by the operator, end it.
enum class Suite_Rappel { A_Faire, Fait, Ecarte };
Suite_Rappel Lit_Suite_Rappel(const QString &indicatif_log, const QString &annee);
Statut Sauve_Suite_Rappel(const QString &indicatif_log, const QString &annee, Suite_Rappel suite);

// The report in fixed columns, a line each: the same lines for the screen,
// the printer, the PDF and the text file. The station as it is on the air,
// the day it is made, the findings that remain.
QStringList Lignes_Compte_Rendu(const Contenu_Log &contenu, const QString &indicatif, const QString &annee, const QDate &fait_le,
                                const std::vector<Anomalie> &anomalies);
// "F8KOB_Dezudidar_ERI_2026_compte_rendu.pdf", with the log's name for the callsign.
QString Nom_Compte_Rendu(const QString &indicatif_log, const QString &annee, const QString &extension);

} // namespace Sous_Programmes
