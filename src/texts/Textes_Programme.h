#pragma once

#include <QString>

// The program's own texts: its history and what it is.
namespace Textes {

QString Historique_Revisions();
QString A_Propos();

} // namespace Textes
