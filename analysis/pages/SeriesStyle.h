// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// Besides its colour, every group's series carries a shape of its own on the ranking pages and a
// hatching of its own on the frequencies page, in the chart and in its key alike. So the series
// stay apart for a reader who does not tell the colours apart, and on a black-and-white sheet.
namespace seriesstyle {

enum class Marker { Square, Circle, TriangleUp, Diamond, TriangleDown, Cross };
enum class Hatch { None, ForwardDiagonal, BackwardDiagonal, DiagonalCross, Horizontal, Vertical };

// Self keeps the plain square and the solid fill the pages have always drawn.
Marker markerOf(int group);
Hatch hatchOf(int group);

// How wide a marker's outline and a hatching's lines are, and how far apart the lines lie, for a
// page whose line height is `lineHeight` device pixels: thin on screen, as thick on paper.
int strokeFor(int lineHeight);
int hatchSpacingFor(int lineHeight);

// The marker filling the box, in the colour with a black outline of `stroke` pixels.
void drawMarker(QPainter& painter, const QRect& box, Marker marker, const QColor& colour, int stroke);
// The rectangle filled with the colour and hatched over it in black or white, whichever stands out
// on the colour. The lines start at the rectangle's top left, so a rectangle hatches alike wherever
// it lies.
void fillHatched(QPainter& painter, const QRect& rect, const QColor& colour, Hatch hatch, int spacing, int stroke);

} // namespace seriesstyle
