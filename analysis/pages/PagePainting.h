// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <cstdint>
#include <string_view>
#include <vector>

class QFont;
class QPaintDevice;
class QPainter;

// Drawing helpers shared by the pages. Rectangles are given as left, top, right, bottom with the
// right and bottom edges outside the rectangle, as every page's geometry is written.
namespace pagepaint {

// A stored colour 0x00BBGGRR.
QColor colourOf(std::int32_t stored);
// A text of the files' code page, with CR LF and lone CR as line breaks.
QString textOf(std::string_view bytes);

inline QRect ltrb(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

// How many whole units apart the marks of an axis stand, `unit` tenths of a pixel being one unit:
// 1, 2, 5, 10, 20, 50 and so on, the first that puts neighbouring marks at least `minimumPixels`
// apart. So the page's width, never a number read from a file, bounds how many marks a loop draws.
// On an axis squeezed to nothing (unit 0 or less) only the mark at 0 is left.
int axisStep(int unit, int minimumPixels);
// A pixel position computed in double precision, truncated toward zero and kept within a page
// width either side of the page, so that a stored score of any size cannot overflow it.
int pixelAt(double x, int pageWidth);

// True when the painter clips and the rectangle lies wholly outside: the helpers below then draw
// nothing at all, so that a sheet carries only the text it shows.
bool clippedAway(const QPainter& painter, const QRect& rect);

void fill(QPainter& painter, const QRect& rect, const QColor& colour);
// A line in the current pen.
void line(QPainter& painter, int x1, int y1, int x2, int y2);

// Height of a text word-wrapped into the rectangle's width.
int wrappedHeight(QPainter& painter, const QRect& rect, const QString& text);
void drawWrapped(QPainter& painter, const QRect& rect, const QString& text, int alignment = Qt::AlignLeft);
// A text word-wrapped in the rectangle, moved down by half the spare height when it is shorter.
void drawWrappedCentredVertically(QPainter& painter, const QRect& rect, const QString& text);
void drawSingleLine(QPainter& painter, const QRect& rect, const QString& text, int alignment = Qt::AlignLeft);
// A long text word-wrapped line by line from the rectangle's top left, in the rectangle's width
// (inside a word wider than the line too); returns its height. Line breaks are kept.
int drawLines(QPainter& painter, const QRect& rect, const QString& text);
// The tops of the lines drawLines() draws, relative to its top, and then the bottom of the last.
std::vector<int> lineTops(const QString& text, const QFont& font, QPaintDevice* device, int width);
// Texts placed by a point on their bottom edge.
void drawBottomCentre(QPainter& painter, int x, int y, const QString& text);
void drawBottomLeft(QPainter& painter, int x, int y, const QString& text);
void drawBottomRight(QPainter& painter, int x, int y, const QString& text);

// The development tick: dark red for a marked behaviour, light grey for one that only has actions.
enum class Tick { None, Marked, HasActions };
Tick tickFor(bool marked, bool hasActions);
void drawTick(QPainter& painter, const QRect& box, Tick tick);
// A white box with a sunken three-dimensional edge and the tick inside.
void drawCheckBox(QPainter& painter, const QRect& box, Tick tick);

} // namespace pagepaint
