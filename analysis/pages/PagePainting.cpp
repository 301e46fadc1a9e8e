// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/PagePainting.h"

#include "model/Windows1252.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace pagepaint {

namespace {

constexpr int kWrapFlags = Qt::TextWordWrap | Qt::AlignTop;

QString withLineSeparators(QString text) {
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

// Wrapped at word boundaries, and inside a word wider than the line, so no text runs past its box.
void layOutLines(QTextLayout& layout, int width) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(1, width));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
}

} // namespace

bool clippedAway(const QPainter& painter, const QRect& rect) {
    return painter.hasClipping() && !painter.clipBoundingRect().intersects(QRectF(rect));
}

std::vector<int> lineTops(const QString& text, const QFont& font, QPaintDevice* device, int width) {
    std::vector<int> tops;
    if (text.isEmpty()) {
        return tops;
    }
    QTextLayout layout(withLineSeparators(text), font, device);
    layOutLines(layout, width);
    for (int i = 0; i < layout.lineCount(); ++i) {
        tops.push_back(static_cast<int>(std::ceil(layout.lineAt(i).y())));
    }
    tops.push_back(static_cast<int>(std::ceil(layout.lineAt(layout.lineCount() - 1).rect().bottom())));
    return tops;
}

int drawLines(QPainter& painter, const QRect& rect, const QString& text) {
    if (text.isEmpty() || rect.width() <= 0) {
        return 0;
    }
    QTextLayout layout(withLineSeparators(text), painter.font(), painter.device());
    layOutLines(layout, rect.width());
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        // Lines sit at fractions of a pixel; a pixel off each edge keeps a line that only touches a
        // sheet's edge off that sheet.
        const QRectF box = line.rect().translated(rect.topLeft()).adjusted(0, 1, 0, -1);
        if (!clippedAway(painter, box.toAlignedRect())) {
            line.draw(&painter, rect.topLeft());
        }
    }
    return static_cast<int>(std::ceil(layout.lineAt(layout.lineCount() - 1).rect().bottom()));
}

QColor colourOf(std::int32_t stored) {
    const auto bits = static_cast<std::uint32_t>(stored);
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

QString textOf(std::string_view bytes) {
    QString text = QString::fromStdString(cp1252::toUtf8(bytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

int axisStep(int unit, int minimumPixels) {
    if (unit <= 0) {
        return std::numeric_limits<int>::max();
    }
    const long long wanted = 10LL * std::max(1, minimumPixels);
    long long decade = 1;
    for (;;) {
        for (const long long factor : {1LL, 2LL, 5LL}) {
            if (factor * decade * unit >= wanted || factor * decade >= std::numeric_limits<int>::max()) {
                return static_cast<int>(std::min<long long>(factor * decade, std::numeric_limits<int>::max()));
            }
        }
        decade *= 10;
    }
}

int pixelAt(double x, int pageWidth) {
    const double reach = std::max(1, pageWidth);
    return static_cast<int>(std::clamp(x, -reach, 2.0 * reach));
}

void fill(QPainter& painter, const QRect& rect, const QColor& colour) {
    if (rect.width() > 0 && rect.height() > 0 && !clippedAway(painter, rect)) {
        painter.fillRect(rect, colour);
    }
}

void line(QPainter& painter, int x1, int y1, int x2, int y2) {
    if (clippedAway(painter,
                    QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
                        .adjusted(-1, -1, 1, 1))) {
        return;
    }
    painter.drawLine(x1, y1, x2, y2);
}

int wrappedHeight(QPainter& painter, const QRect& rect, const QString& text) {
    if (text.isEmpty() || rect.width() <= 0) {
        return 0;
    }
    return painter.boundingRect(QRect(rect.left(), rect.top(), rect.width(), 1 << 20), kWrapFlags, text).height();
}

void drawWrapped(QPainter& painter, const QRect& rect, const QString& text, int alignment) {
    if (!text.isEmpty() && rect.width() > 0 && rect.height() > 0 && !clippedAway(painter, rect)) {
        painter.drawText(rect, kWrapFlags | alignment, text);
    }
}

void drawWrappedCentredVertically(QPainter& painter, const QRect& rect, const QString& text) {
    const int height = wrappedHeight(painter, rect, text);
    QRect placed = rect;
    if (height < rect.height()) {
        placed.setTop(rect.top() + (rect.height() - height) / 2);
    }
    drawWrapped(painter, placed, text);
}

void drawSingleLine(QPainter& painter, const QRect& rect, const QString& text, int alignment) {
    if (!text.isEmpty() && rect.width() > 0 && rect.height() > 0 && !clippedAway(painter, rect)) {
        painter.drawText(rect, Qt::TextSingleLine | Qt::AlignTop | alignment, text);
    }
}

namespace {
// The line a text placed by its bottom edge occupies.
QRect lineEndingAt(const QPainter& painter, int left, int bottom, int width) {
    return QRect(left, bottom - painter.fontMetrics().height(), std::max(1, width), painter.fontMetrics().height());
}
} // namespace

void drawBottomCentre(QPainter& painter, int x, int y, const QString& text) {
    const QFontMetrics metrics = painter.fontMetrics();
    if (clippedAway(painter, lineEndingAt(painter, x - metrics.horizontalAdvance(text) / 2, y,
                                          metrics.horizontalAdvance(text)))) {
        return;
    }
    painter.drawText(x - metrics.horizontalAdvance(text) / 2, y - metrics.descent(), text);
}

void drawBottomLeft(QPainter& painter, int x, int y, const QString& text) {
    if (clippedAway(painter, lineEndingAt(painter, x, y, painter.fontMetrics().horizontalAdvance(text)))) {
        return;
    }
    painter.drawText(x, y - painter.fontMetrics().descent(), text);
}

void drawBottomRight(QPainter& painter, int x, int y, const QString& text) {
    const QFontMetrics metrics = painter.fontMetrics();
    if (clippedAway(painter,
                    lineEndingAt(painter, x - metrics.horizontalAdvance(text), y, metrics.horizontalAdvance(text)))) {
        return;
    }
    painter.drawText(x - metrics.horizontalAdvance(text), y - metrics.descent(), text);
}

Tick tickFor(bool marked, bool hasActions) {
    if (marked) {
        return Tick::Marked;
    }
    return hasActions ? Tick::HasActions : Tick::None;
}

void drawTick(QPainter& painter, const QRect& box, Tick tick) {
    if (tick == Tick::None || box.width() < 3 || box.height() < 3 || clippedAway(painter, box)) {
        return;
    }
    const QColor colour = tick == Tick::Marked ? QColor(128, 0, 0) : QColor(192, 192, 192);
    const int w = box.width();
    const int h = box.height();
    // A filled check mark, so that it shows at any resolution without a pen width to choose.
    const QPolygon mark({
        QPoint(box.left() + w * 2 / 10, box.top() + h * 5 / 10),
        QPoint(box.left() + w * 4 / 10, box.top() + h * 7 / 10),
        QPoint(box.left() + w * 8 / 10, box.top() + h * 2 / 10),
        QPoint(box.left() + w * 8 / 10, box.top() + h * 4 / 10),
        QPoint(box.left() + w * 4 / 10, box.top() + h * 9 / 10),
        QPoint(box.left() + w * 2 / 10, box.top() + h * 7 / 10),
    });
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(mark);
    painter.restore();
}

void drawCheckBox(QPainter& painter, const QRect& box, Tick tick) {
    if (clippedAway(painter, box)) {
        return;
    }
    fill(painter, box, Qt::white);
    painter.save();
    const int right = box.left() + box.width() - 1;
    const int bottom = box.top() + box.height() - 1;
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(box.left(), bottom, box.left(), box.top());
    painter.drawLine(box.left(), box.top(), right, box.top());
    painter.setPen(QPen(QColor(192, 192, 192), 0));
    painter.drawLine(right, box.top() + 1, right, bottom);
    painter.drawLine(box.left() + 1, bottom, right, bottom);
    painter.restore();
    drawTick(painter, box.adjusted(1, 1, -1, -1), tick);
}

} // namespace pagepaint
