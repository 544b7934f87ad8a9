#pragma once

#include <QByteArray>
#include <QPainterPath>
#include <QRectF>

#include <array>
#include <optional>

// The départements' outlines, read from the map's SVG: the picture's frame
// (its viewBox) and one shape per box index (1 to 95, 96 for 2A, 97 for 2B).
struct Formes_Carte {
    QRectF vue;
    std::array<QPainterPath, 100> forme;
};

// The shape of an SVG path's data made of straight lines only (M, L, H, V, Z,
// absolute or relative). Anything else, curves included, is refused: a
// changed map must not be drawn wrong without a word.
std::optional<QPainterPath> Trace_Chemin(QByteArrayView donnees);

// Every <path> of `svg` whose id names a département; nothing when the file
// is not well formed, has no viewBox, or holds a path that cannot be read.
std::optional<Formes_Carte> Lit_Formes_Carte(const QByteArray &svg);

// The map built into the program, read once.
const Formes_Carte &Formes_France();
