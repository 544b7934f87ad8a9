#pragma once

#include "Fenetres.h"

#include <QString>

// Shared by the files of the main window.
namespace Main_Outils {

using Fenetres::Colore;

inline QString Titre_Saisie() { return QStringLiteral("Saisie ou modification d'un QSO"); }

} // namespace Main_Outils
