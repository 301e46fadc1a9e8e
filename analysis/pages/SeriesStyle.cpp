// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/SeriesStyle.h"

#include <QBrush>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <array>

namespace seriesstyle {

namespace {

constexpr std::array<Marker, 6> kMarkers{Marker::Square,  Marker::Circle,       Marker::TriangleUp,
                                         Marker::Diamond, Marker::TriangleDown, Marker::Cross};
constexpr std::array<Hatch, 6> kHatches{Hatch::None,          Hatch::ForwardDiagonal, Hatch::BackwardDiagonal,
                                        Hatch::DiagonalCross, Hatch::Horizontal,      Hatch::Vertical};

template <typename Style, std::size_t N> Style styleOf(const std::array<Style, N>& styles, int group) {
    return group >= 0 && static_cast<std::size_t>(group) < N ? styles[static_cast<std::size_t>(group)] : styles[0];
}

QPolygon markerOutline(const QRect& box, Marker marker) {
    // The box's right and bottom edges lie outside it, as every page's rectangles are written.
    const int l = box.left();
    const int t = box.top();
    const int r = box.left() + box.width() - 1;
    const int b = box.top() + box.height() - 1;
    const int cx = l + (box.width() - 1) / 2;
    const int cy = t + (box.height() - 1) / 2;
    switch (marker) {
    case Marker::TriangleUp:
        return QPolygon({QPoint(cx, t), QPoint(r, b), QPoint(l, b)});
    case Marker::TriangleDown:
        return QPolygon({QPoint(l, t), QPoint(r, t), QPoint(cx, b)});
    case Marker::Diamond:
        return QPolygon({QPoint(cx, t), QPoint(r, cy), QPoint(cx, b), QPoint(l, cy)});
    case Marker::Cross: {
        // A plus whose arms are a third of the box wide.
        const int ax = std::max(1, box.width() / 3) / 2;
        const int ay = std::max(1, box.height() / 3) / 2;
        return QPolygon({QPoint(cx - ax, t), QPoint(cx + ax, t), QPoint(cx + ax, cy - ay), QPoint(r, cy - ay),
                         QPoint(r, cy + ay), QPoint(cx + ax, cy + ay), QPoint(cx + ax, b), QPoint(cx - ax, b),
                         QPoint(cx - ax, cy + ay), QPoint(l, cy + ay), QPoint(l, cy - ay), QPoint(cx - ax, cy - ay)});
    }
    case Marker::Square:
    case Marker::Circle:
        break;
    }
    return QPolygon({QPoint(l, t), QPoint(r, t), QPoint(r, b), QPoint(l, b)});
}

// Lines across the rectangle every `spacing` pixels, each the vector (dx, dy) long from its start,
// the starts running along the top edge (and on to the left or right of it, for slanted lines, so
// that the lines cover every corner). Every line runs past the rectangle, whose clip ends it, so
// that a line's last pixel, which a flat cap leaves out, lies outside.
void drawLines(QPainter& painter, const QRect& rect, int spacing, int dx, int dy) {
    const int width = rect.width();
    const int height = rect.height();
    if (dy == 0) { // horizontal
        for (int y = rect.top(); y < rect.top() + height; y += spacing) {
            painter.drawLine(rect.left(), y, rect.left() + width, y);
        }
        return;
    }
    // Starts a whole number of spacings left of the edge keep every rectangle's lines in one phase.
    const int from = dx < 0 ? 0 : -((height + spacing - 1) / spacing) * spacing;
    const int to = dx < 0 ? width + height : width;
    for (int x = from; x < to; x += spacing) {
        const int startX = rect.left() + x;
        painter.drawLine(startX, rect.top(), startX + dx, rect.top() + dy);
    }
}

} // namespace

Marker markerOf(int group) {
    return styleOf(kMarkers, group);
}

Hatch hatchOf(int group) {
    return styleOf(kHatches, group);
}

int strokeFor(int lineHeight) {
    return std::max(1, lineHeight / 15);
}

int hatchSpacingFor(int lineHeight) {
    return std::max(4, lineHeight / 3);
}

void drawMarker(QPainter& painter, const QRect& box, Marker marker, const QColor& colour, int stroke) {
    if (box.width() <= 0 || box.height() <= 0) {
        return;
    }
    painter.save();
    painter.setBrush(colour);
    painter.setPen(QPen(Qt::black, stroke, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    if (marker == Marker::Circle) {
        painter.drawEllipse(box.adjusted(0, 0, -1, -1));
    } else {
        painter.drawPolygon(markerOutline(box, marker));
    }
    painter.restore();
}

void fillHatched(QPainter& painter, const QRect& rect, const QColor& colour, Hatch hatch, int spacing, int stroke) {
    if (rect.width() <= 0 || rect.height() <= 0) {
        return;
    }
    painter.fillRect(rect, colour);
    if (hatch == Hatch::None) {
        return;
    }
    spacing = std::max(2, spacing);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setPen(QPen(qGray(colour.rgb()) >= 110 ? Qt::black : Qt::white, stroke, Qt::SolidLine, Qt::FlatCap));
    // Slanted lines run far enough to cross the whole rectangle; the clip trims them.
    const int reach = rect.height() + rect.width();
    switch (hatch) {
    case Hatch::ForwardDiagonal: // rising to the right
        drawLines(painter, rect, spacing, -reach, reach);
        break;
    case Hatch::BackwardDiagonal:
        drawLines(painter, rect, spacing, reach, reach);
        break;
    case Hatch::DiagonalCross:
        drawLines(painter, rect, spacing, -reach, reach);
        drawLines(painter, rect, spacing, reach, reach);
        break;
    case Hatch::Horizontal:
        drawLines(painter, rect, spacing, 0, 0);
        break;
    case Hatch::Vertical:
        for (int x = rect.left(); x < rect.left() + rect.width(); x += spacing) {
            painter.drawLine(x, rect.top(), x, rect.top() + rect.height());
        }
        break;
    case Hatch::None:
        break;
    }
    painter.restore();
}

} // namespace seriesstyle
