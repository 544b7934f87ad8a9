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

} // namespace Controles_Saisie
