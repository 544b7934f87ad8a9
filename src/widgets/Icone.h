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
// The sizes the program's icon is made in, from a menu's to Explorer's largest.
inline constexpr int Tailles[] = {16, 24, 32, 48, 64, 128, 256};
// A Windows icon file holding the drawing at each of those sizes, for the
// executable's resources; empty when an image could not be encoded.
QByteArray Fichier_Ico();

} // namespace Icone
