#pragma once

#include <QIcon>

class QPainter;

// The program's icon, a windmill, drawn in code (no image plugin needed) with
// the shapes of resources/bureau/kob-dezudidar-eri.svg.
namespace Icone {

// The drawing on a 64-unit square.
void Dessine_Moulin(QPainter &peintre);
QImage Image(int taille);
QIcon Moulin();

} // namespace Icone
