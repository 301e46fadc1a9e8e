// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include <functional>

class QPainter;

// Text and boxes flowing down the sheets of a printed report: whatever does not fit on the current
// sheet moves to the next one. The same flow runs twice over one painter: first to measure (nothing
// is drawn, no sheet is started) so that the contents can name the sheets, then to draw.
class SheetFlow {
public:
    // Called when the flow starts a new sheet while drawing.
    using NewSheet = std::function<void()>;

    SheetFlow(QPainter& painter, bool drawing, int firstSheet, NewSheet newSheet);

    bool drawing() const { return m_drawing; }
    QPainter& painter() const { return m_painter; }
    // The sheet being filled, counted from 1 across the whole report.
    int sheet() const { return m_sheet; }
    // Device units per typographic point.
    double point() const { return m_point; }

    // The text area of every sheet.
    double left() const { return m_area.left(); }
    double right() const { return m_area.right(); }
    double width() const { return m_area.width(); }
    double top() const { return m_area.top(); }
    double y() const { return m_y; }
    double spaceLeft() const { return m_area.bottom() - m_y; }

    // Moves to the top of a new sheet unless the current one is still empty.
    void startSheet();
    // Moves to a new sheet when `height` does not fit below the current position.
    void ensureSpace(double height);
    void skip(double height) { m_y += height; }

    // A font of the report's family at the given size in points.
    static QFont font(double points, bool bold = false, bool italic = false);

    // The height of a text word-wrapped to `width`.
    double textHeight(const QString& text, const QFont& font, double width) const;
    // Draws a text word-wrapped from `x`, `width` wide, at the current position, and moves down.
    // A text longer than a sheet is split at line boundaries across sheets.
    void paragraph(const QString& text, const QFont& font, double x, double width, const QColor& colour = Qt::black);
    // Draws a text word-wrapped at (x, y) without moving; returns its height.
    double textAt(double x, double y, double width, const QString& text, const QFont& font,
                  const QColor& colour = Qt::black, int alignment = Qt::AlignLeft) const;
    void fillRect(const QRectF& rect, const QColor& colour) const;
    void lineAcross(double y, const QColor& colour, double thicknessPoints) const;

private:
    QPainter& m_painter;
    bool m_drawing;
    int m_sheet;
    NewSheet m_newSheet;
    double m_point;
    QRectF m_area;
    double m_y;
    bool m_sheetEmpty = true;
};
