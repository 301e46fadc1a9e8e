// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/report/SheetFlow.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

SheetFlow::SheetFlow(QPainter& painter, bool drawing, int firstSheet, NewSheet newSheet)
    : m_painter(painter), m_drawing(drawing), m_sheet(firstSheet), m_newSheet(std::move(newSheet)) {
    const QPaintDevice& device = *painter.device();
    m_point = device.logicalDpiY() / 72.0;
    const double width = device.width();
    const double height = device.height();
    // The same side margins as the result pages' band, a little more room above; the footer lies
    // below the text area.
    m_area = QRectF(width / 12.0, height / 15.0, width * 10.0 / 12.0, height * 12.5 / 15.0);
    m_y = m_area.top();
}

QFont SheetFlow::font(double points, bool bold, bool italic) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void SheetFlow::startSheet() {
    if (m_sheetEmpty) {
        return;
    }
    ++m_sheet;
    m_y = m_area.top();
    m_sheetEmpty = true;
    if (m_drawing && m_newSheet) {
        m_newSheet();
    }
}

void SheetFlow::ensureSpace(double height) {
    if (height > spaceLeft()) {
        startSheet();
    }
    m_sheetEmpty = false;
}

namespace {

// Wrapped at word boundaries, and anywhere inside a word wider than the line, so that no text runs
// past its width.
void layOut(QTextLayout& layout, double width, int alignment) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setAlignment(Qt::Alignment(alignment));
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(1.0, width));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
}

QString withLineSeparators(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(u'\r'), QChar(u'\n'));
    text.replace(QChar(u'\n'), QChar::LineSeparator);
    return text;
}

double heightOf(const QTextLayout& layout) {
    double height = 0;
    for (int i = 0; i < layout.lineCount(); ++i) {
        height += layout.lineAt(i).height();
    }
    return height;
}

} // namespace

double SheetFlow::textHeight(const QString& text, const QFont& font, double width) const {
    QTextLayout layout(withLineSeparators(text), font, m_painter.device());
    layOut(layout, width, Qt::AlignLeft);
    return std::max(heightOf(layout), QFontMetricsF(font, m_painter.device()).height());
}

double SheetFlow::textAt(double x, double y, double width, const QString& text, const QFont& font, const QColor& colour,
                         int alignment) const {
    QTextLayout layout(withLineSeparators(text), font, m_painter.device());
    layOut(layout, width, alignment);
    if (m_drawing) {
        m_painter.save();
        m_painter.setPen(colour);
        layout.draw(&m_painter, QPointF(x, y));
        m_painter.restore();
    }
    return std::max(heightOf(layout), QFontMetricsF(font, m_painter.device()).height());
}

void SheetFlow::paragraph(const QString& text, const QFont& font, double x, double width, const QColor& colour) {
    const QString lines = withLineSeparators(text);
    const double height = textHeight(lines, font, width);
    if (height <= m_area.height()) {
        ensureSpace(height);
        textAt(x, m_y, width, lines, font, colour);
        m_y += height;
        return;
    }
    // Longer than a sheet: the lines are placed one by one.
    QTextLayout layout(lines, font, m_painter.device());
    layOut(layout, width, Qt::AlignLeft);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        ensureSpace(line.height());
        textAt(x, m_y, width, lines.mid(line.textStart(), line.textLength()).trimmed(), font, colour);
        m_y += line.height();
    }
}

void SheetFlow::fillRect(const QRectF& rect, const QColor& colour) const {
    if (m_drawing) {
        m_painter.fillRect(rect, colour);
    }
}

void SheetFlow::lineAcross(double y, const QColor& colour, double thicknessPoints) const {
    if (m_drawing) {
        m_painter.fillRect(QRectF(left(), y, width(), std::max(1.0, thicknessPoints * m_point)), colour);
    }
}
