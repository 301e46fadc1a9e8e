// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/TablePage.h"

#include "analysis/pages/PagePainting.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

using pagepaint::ltrb;

namespace {

constexpr int kPageChars = 80;
constexpr int kHeaderLines = 3;
constexpr int kWrapFlags = Qt::TextWordWrap | Qt::AlignTop | Qt::AlignLeft;

} // namespace

CTablePage::CTablePage(TableContent& content) : CResultPage(content), m_table(content) {}

std::vector<int> CTablePage::columnEdges(int width) const {
    int weights = 0;
    for (const TableColumn& column : m_table.columns()) {
        weights += column.weight;
    }
    std::vector<int> x{0};
    for (const TableColumn& column : m_table.columns()) {
        x.push_back(x.back() + (weights > 0 ? column.weight * width / weights : 0));
    }
    return x;
}

// A row keeps its lines unless a cell needs more: long dates on paper and long action texts would
// otherwise be cut off at the row's bottom.
std::vector<int> CTablePage::linesOfRows() const {
    const QFontMetrics metrics = startingFontMetrics();
    const int cw0 = std::max(1, metrics.averageCharWidth());
    const int lh0 = std::max(1, metrics.height());
    const std::vector<int> x = columnEdges(prospectiveWidth(kPageChars));
    std::vector<int> lines;
    for (const TableRow& row : m_table.rows()) {
        int rowLines = m_table.linesPerRow();
        for (std::size_t k = 0; k + 1 < x.size() && k < row.size(); ++k) {
            const int width = x[k + 1] - x[k] - 4 * cw0;
            const QString text = pagepaint::textOf(row[k]);
            if (width > 0 && !text.isEmpty()) {
                const int height = metrics.boundingRect(QRect(0, 0, width, 1 << 20), kWrapFlags, text).height();
                rowLines = std::max(rowLines, (height + lh0 - 1) / lh0);
            }
        }
        lines.push_back(rowLines);
    }
    return lines;
}

void CTablePage::draw() {
    const auto& columns = m_table.columns();
    const auto& rows = m_table.rows();
    const std::vector<int> lines = linesOfRows();
    int totalLines = kHeaderLines;
    for (const int rowLines : lines) {
        totalLines += rowLines;
    }
    beginPage(kPageChars, totalLines);

    const int W = pageWidth();
    const std::vector<int> x = columnEdges(W);
    QPainter& p = painter();
    const auto& colours = m_table.journal().colours;
    p.setPen(QPen(Qt::black, 0));
    const int headerBottom = kHeaderLines * lh();
    pagepaint::fill(p, ltrb(0, 0, W, headerBottom), pagepaint::colourOf(colours.heading));
    for (std::size_t k = 0; k < columns.size(); ++k) {
        pagepaint::drawWrappedCentredVertically(p, ltrb(x[k] + 2 * cw(), 0, x[k + 1] - 2 * cw(), headerBottom),
                                                pagepaint::textOf(columns[k].header));
    }
    int y = headerBottom;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int rowHeight = lines[r] * lh();
        pagepaint::fill(p, ltrb(0, y, W, y + rowHeight),
                        pagepaint::colourOf(r % 2 == 1 ? colours.lines : colours.background));
        for (std::size_t k = 0; k < columns.size() && k < rows[r].size(); ++k) {
            drawCell(p, ltrb(x[k] + 2 * cw(), y, x[k + 1] - 2 * cw(), y + rowHeight), r, k);
        }
        y += rowHeight;
    }
    endPage();
}

void CTablePage::drawCell(QPainter& painter, const QRect& rect, std::size_t row, std::size_t column) {
    pagepaint::drawWrappedCentredVertically(painter, rect, pagepaint::textOf(m_table.rows()[row][column]));
}
