#pragma once

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

// The report in fixed columns, a line each: the same lines for the screen,
// the printer, the PDF and the text file. The station as it is on the air,
// the day it is made, the findings that remain.
QStringList Lignes_Compte_Rendu(const Contenu_Log &contenu, const QString &indicatif, const QString &annee, const QDate &fait_le,
                                const std::vector<Anomalie> &anomalies);
// The text file's bytes: Windows-1252, CR LF.
QByteArray Texte_Compte_Rendu(const QStringList &lignes);
// "F8KOB_Dezudidar_ERI_2026_compte_rendu.pdf", with the log's name for the callsign.
QString Nom_Compte_Rendu(const QString &indicatif_log, const QString &annee, const QString &extension);

} // namespace Sous_Programmes
