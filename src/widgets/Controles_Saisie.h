#pragma once

#include "Ligne_QSO.h"

#include <QChar>
#include <QColor>
#include <QString>
#include <optional>

// What the entry fields do besides their checks (Regles_Saisie).
namespace Controles_Saisie {

inline constexpr QRgb Jaune_Pale = 0xFFFFC0;
inline constexpr QRgb Vert_Pale = 0xC0FFC0;

// A letter a to z typed becomes its capital; every other key passes.
QChar Majuscule_Frappee(QChar c);

QString Message_Doublon(const QString &dmf, const QString &date);

// The stored line inside a list line: what follows the number and its blanks.
QString Partie_QSO(const QString &ligne_liste);

// The QSO of a list line as the entry fields show it: the date as it stands,
// the other fields without their blanks. None when the line holds no QSO
// (blanks from the blank after the date to the one after the DMF number).
std::optional<Sous_Programmes::Champs_QSO> QSO_De_Ligne_Liste(const QString &ligne_liste);

} // namespace Controles_Saisie
