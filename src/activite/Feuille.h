#pragma once

#include "Activations.h"
#include "Resultat.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace Moulins {
class Liste;
}
namespace Sous_Programmes {
class Contenu_Log;
}

// The activity sheet sent with an activation for its validation.
namespace Activite {

// The sheet in fixed columns, a line each, the same for the screen, the
// printer, the PDF and the text file: the mill (from `liste` when it holds
// it), the day and times, the station on the air, the operators present,
// the counts, whether the minimum is reached, then every QSO numbered.
QStringList Lignes_Feuille(const Lecture &lecture, const Activation &activation, const Moulins::Liste *liste,
                           const QString &station, const QStringList &operateurs, const QDate &fait_le);

// The log's first line of that mill (5 characters) and date (dd/mm/yy),
// whatever its type: an activation already recorded.
std::optional<qsizetype> Ligne_Au_Log(const Sous_Programmes::Contenu_Log &log, QByteArrayView dmf, QByteArrayView date);

// "Activite_21001_20260315.pdf".
QString Nom_Feuille(QByteArrayView dmf, const QDate &jour, const QString &extension);

// Why a callsign cannot be an operator's (as the entry checks it); empty when it can.
QString Refus_Operateur(const QString &indicatif);

// Kept in the settings for each mill and day, so that the sheet can be made
// again: the operators present, and whether the sheet was printed or saved.
std::optional<QStringList> Lit_Operateurs(QByteArrayView dmf, const QDate &jour);
Sous_Programmes::Statut Sauve_Operateurs(QByteArrayView dmf, const QDate &jour, const QStringList &operateurs);
bool Feuille_Faite(QByteArrayView dmf, const QDate &jour);
Sous_Programmes::Statut Marque_Feuille_Faite(QByteArrayView dmf, const QDate &jour);

} // namespace Activite
