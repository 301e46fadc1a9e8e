// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/DetailPage.h"

#include "analysis/pages/PagePainting.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <vector>

using pagepaint::ltrb;

namespace {

constexpr int kPageChars = 80;
constexpr int kPageLines = 40;
constexpr int kFlags = Qt::TextWordWrap | Qt::AlignTop | Qt::AlignLeft;

struct Columns {
    int labelLeft;
    int labelRight;
    int valueLeft;
    int valueRight;
};

Columns columnsFor(int width, int cw) {
    const int e = (width - 4 * cw) / 4;
    return {2 * cw, e, e + 4 * cw, width - 2 * cw};
}

int heightOf(const QFontMetrics& metrics, int left, int right, const QString& text) {
    if (text.isEmpty() || right <= left) {
        return 0;
    }
    return metrics.boundingRect(QRect(left, 0, right - left, 1 << 20), kFlags, text).height();
}

} // namespace

CDetailPage::CDetailPage(DetailContent& content) : CResultPage(content), m_detail(content) {}

void CDetailPage::draw() {
    // Each value's box is as tall as its wrapped text, so a long comment shows whole; the page is at
    // least forty lines high.
    const QFont font = startingFont();
    const QFontMetrics metrics(font, painter().device());
    const int cw0 = std::max(1, metrics.averageCharWidth());
    const int lh0 = std::max(1, metrics.height());
    const Columns measured = columnsFor(prospectiveWidth(kPageChars), cw0);
    int contentBottom = lh0;
    for (const DetailRow& row : m_detail.rows()) {
        const int label = heightOf(metrics, measured.labelLeft, measured.labelRight, pagepaint::textOf(row.label));
        const std::vector<int> lines = pagepaint::lineTops(pagepaint::textOf(row.value), font, painter().device(),
                                                           measured.valueRight - measured.valueLeft);
        const int value = lines.empty() ? 0 : lines.back();
        contentBottom += std::max({2 * lh0, label + lh0, value + lh0});
    }
    beginPage(kPageChars, std::max(kPageLines, (contentBottom + lh0 - 1) / lh0 + 1));

    QPainter& p = painter();
    const auto& colours = m_detail.journal().colours;
    const int W = pageWidth();
    const Columns columns = columnsFor(W, cw());
    const int bandRight = 2 * cw() + (W - 4 * cw()) / 4;
    pagepaint::fill(p, ltrb(0, 0, bandRight, visibleBottom()), pagepaint::colourOf(colours.lines));
    pagepaint::fill(p, ltrb(bandRight, 0, W, visibleBottom()), pagepaint::colourOf(colours.background));
    p.setPen(QPen(Qt::black, 0));
    int y = lh();
    for (const DetailRow& row : m_detail.rows()) {
        const QString label = pagepaint::textOf(row.label);
        const QString value = pagepaint::textOf(row.value);
        allowSheetBreak(y);
        const int labelHeight = heightOf(p.fontMetrics(), columns.labelLeft, columns.labelRight, label);
        pagepaint::drawWrapped(p, ltrb(columns.labelLeft, y, columns.labelRight, y + labelHeight), label);
        // A value longer than a sheet may continue on the next one between any two of its lines.
        const std::vector<int> lines =
            pagepaint::lineTops(value, p.font(), p.device(), columns.valueRight - columns.valueLeft);
        for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
            if (lines[i] >= labelHeight) {
                allowSheetBreak(y + lines[i]);
            }
        }
        const int valueHeight = pagepaint::drawLines(p, ltrb(columns.valueLeft, y, columns.valueRight, y + 1), value);
        y += std::max({2 * lh(), labelHeight + lh(), valueHeight + lh()});
    }
    endPage();
}
