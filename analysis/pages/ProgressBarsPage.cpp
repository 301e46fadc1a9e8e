// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/ProgressBarsPage.h"

#include "analysis/pages/PagePainting.h"

#include <QBrush>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

void drawBar(QPainter& painter, const QRect& bar, const QColor& colour, Qt::BrushStyle pattern) {
    if (bar.width() <= 0 || bar.height() <= 0) {
        return;
    }
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(QBrush(colour, pattern));
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace

CProgressBarsPage::CProgressBarsPage(progresspages::ProgressContent& content)
    : CTablePage(content), m_progress(content) {}

void CProgressBarsPage::drawCell(QPainter& painter, const QRect& rect, std::size_t row, std::size_t column) {
    const auto& bars = m_progress.bars();
    if (column != progresspages::ProgressContent::kBarsColumn || row >= bars.size()) {
        CTablePage::drawCell(painter, rect, row, column);
        return;
    }
    const progresspages::ProgressContent::PairedBars& pair = bars[row];
    const QFontMetrics metrics = painter.fontMetrics();
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("Then 00.00")) + cw();
    const int barSpace = std::max(0, rect.width() - labelWidth);
    const int half = rect.height() / 2;
    const int barHeight = std::max(1, std::min(lh(), half - 2));
    const QColor colour = pagepaint::colourOf(m_progress.journal().colours.average);
    const auto lengthOf = [&](double value) {
        if (value < 0.0 || pair.axisMaximum <= 0) {
            return 0;
        }
        return pagepaint::pixelAt(std::min(1.0, value / pair.axisMaximum) * barSpace, barSpace);
    };
    const struct {
        double value;
        const char* label;
        Qt::BrushStyle pattern;
        int top;
    } lines[] = {{pair.others.then, "Then ", Qt::BDiagPattern, rect.top() + (half - barHeight) / 2},
                 {pair.others.now, "Now ", Qt::SolidPattern, rect.top() + half + (half - barHeight) / 2}};
    for (const auto& line : lines) {
        const int length = lengthOf(line.value);
        drawBar(painter, QRect(rect.left(), line.top, length, barHeight), colour, line.pattern);
        const QString text =
            QString::fromLatin1(line.label) + QString::fromStdString(progresspages::figureText(line.value));
        pagepaint::drawSingleLine(painter,
                                  pagepaint::ltrb(rect.left() + length + cw() / 2, line.top - (lh() - barHeight) / 2,
                                                  rect.right() + 1, line.top + barHeight + (lh() - barHeight) / 2),
                                  text);
    }
}
