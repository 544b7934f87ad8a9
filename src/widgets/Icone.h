#pragma once

#include <QIcon>
#include <QImage>

// The program's icon, a windmill. Its one source is
// resources/bureau/kob-dezudidar-eri.svg, drawn at each size when the program
// is built (tools/icones.cpp) and kept in it as bare pixels: showing it
// loads neither Qt Svg nor an image plugin.
namespace Icone {

// The sizes the program's icon is made in, from a menu's to Explorer's largest.
inline constexpr int Tailles[] = {16, 24, 32, 48, 64, 128, 256};
// The drawing at one of those sizes; null at any other.
QImage Image(int taille);
QIcon Moulin();

} // namespace Icone
