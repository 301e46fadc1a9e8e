// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/ResultPage.h"

#include "analysis/PageTexts.h"
#include "analysis/pages/PagePainting.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

constexpr int kPrintPoints = 11;
const char* const kProgramName = "Reflectory 360";

} // namespace

CResultPage::CResultPage(PageContent& content) : m_content(content) {}

void CResultPage::refresh() {
    m_content.refresh();
}

bool CResultPage::paint(const PageCanvas& canvas) {
    if (canvas.painter == nullptr) {
        return false;
    }
    m_canvas = canvas;
    bool sheetsStarted = true;
    if (!canvas.printing) {
        m_hotAreas.clear();
        drawContent();
    } else {
        layOutSheets();
        if (m_slices.size() <= 1) {
            drawContent();
        } else {
            for (std::size_t i = 0; i < m_slices.size() && sheetsStarted; ++i) {
                if (i > 0) {
                    if (m_canvas.nextSheet) {
                        sheetsStarted = m_canvas.nextSheet();
                    } else {
                        auto* device = dynamic_cast<QPagedPaintDevice*>(m_canvas.painter->device());
                        sheetsStarted = device != nullptr && device->newPage();
                    }
                }
                m_slice = m_slices[i];
                if (sheetsStarted) {
                    drawContent();
                }
            }
            m_slice.reset();
        }
    }
    m_canvas.painter = nullptr;
    return sheetsStarted;
}

int CResultPage::measureSheets(QPainter& painter) {
    m_canvas = PageCanvas{};
    m_canvas.painter = &painter;
    m_canvas.printing = true;
    layOutSheets();
    m_canvas.painter = nullptr;
    return m_sheetCount;
}

bool CResultPage::showsNoScores() const {
    return false;
}

void CResultPage::drawContent() {
    if (m_content.showsMessage()) {
        drawMessagePage(pagepaint::textOf(pagetext::kNoQuestionnaires), 2);
    } else {
        draw();
    }
}

// A first pass draws nothing (everything lies outside an empty clip) but fixes the page's height
// and the places where it may break; the sheets are then cut as long as a sheet's band allows.
void CResultPage::layOutSheets() {
    QPainter& p = painter();
    m_breaks.clear();
    m_slices.clear();
    m_slice.reset();
    m_measuring = true;
    p.save();
    p.setClipRect(QRect(0, 0, 0, 0));
    drawContent();
    p.restore();
    m_measuring = false;

    const int band = std::max(1, p.device()->height() * 13 / 15);
    const int height = m_layout.height;
    std::sort(m_breaks.begin(), m_breaks.end());
    int top = 0;
    while (height - top > band) {
        // The lowest allowed break that still leaves the slice within the band.
        auto after = std::upper_bound(m_breaks.begin(), m_breaks.end(), top + band);
        int bottom = top + band;
        if (after != m_breaks.begin() && *std::prev(after) > top) {
            bottom = *std::prev(after);
        }
        m_slices.push_back({top, bottom});
        top = bottom;
    }
    m_slices.push_back({top, std::max(top, height)});
    m_sheetCount = static_cast<int>(m_slices.size());
}

void CResultPage::allowSheetBreak(int y) {
    if (m_measuring && y > 0) {
        m_breaks.push_back(y);
    }
}

bool CResultPage::takeScrollToTop() {
    return std::exchange(m_scrollToTop, false);
}

QString CResultPage::statusTitle() const {
    return pagepaint::textOf(m_content.shownTitle());
}

QFont CResultPage::startingFont() const {
    return printing() ? printFont(kPrintPoints) : m_canvas.screenFont;
}

void CResultPage::draw() {
    drawMessagePage(pagepaint::textOf(pagetext::kNoQuestionnaires), 2);
}

void CResultPage::drawMessagePage(const QString& message, int heightLines) {
    beginPage(static_cast<int>(message.size()), heightLines);
    pagepaint::drawBottomCentre(painter(), pageWidth() / 2, pageHeight(), message);
    endPage();
}

QFont CResultPage::printFont(int points) const {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(points);
    return font;
}

QFontMetrics CResultPage::startingFontMetrics() const {
    return QFontMetrics(startingFont(), m_canvas.painter->device());
}

int CResultPage::prospectiveWidth(int widthChars) const {
    if (printing()) {
        return m_canvas.painter->device()->width() * 18 / 20;
    }
    return std::max(widthChars * std::max(1, startingFontMetrics().averageCharWidth()), m_canvas.clientWidth);
}

void CResultPage::selectFont(const QFont& font) {
    QPainter& p = painter();
    p.setFont(font);
    const QFontMetrics metrics = p.fontMetrics();
    m_layout.charWidth = std::max(1, metrics.averageCharWidth());
    m_layout.lineHeight = std::max(1, metrics.height());
}

void CResultPage::beginPage(int widthChars, int heightLines) {
    QPainter& p = painter();
    p.save();
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::black);
    p.setBackgroundMode(Qt::TransparentMode);
    selectFont(printing() ? printFont(kPrintPoints) : m_canvas.screenFont);
    m_layout.width = widthChars * cw();
    m_layout.height = heightLines * lh();

    if (!printing()) {
        if (!m_drawnOnce) {
            m_drawnOnce = true;
            m_scrollToTop = true;
        }
        m_extent = QSize(m_layout.width, m_layout.height);
        m_layout.width = std::max(m_layout.width, m_canvas.clientWidth);
        m_layout.visibleBottom = m_canvas.visibleBottom;
        return;
    }

    const int horzRes = p.device()->width();
    const int vertRes = p.device()->height();
    m_layout.width = horzRes * 18 / 20;
    m_layout.visibleBottom = m_layout.height;
    m_extent = QSize(m_layout.width, m_layout.height);
    if (m_measuring) {
        return;
    }
    printHeaderAndFooter();
    const int band = vertRes * 13 / 15;
    if (!m_slice) {
        p.translate(horzRes / 20, vertRes / 15 + std::max(0, band - m_layout.height) / 2);
        return;
    }
    // One slice of a tall page: its top at the top of the band, the rest clipped away (and left
    // undrawn by the painting helpers, so that no text of another sheet is hidden in this one).
    p.translate(horzRes / 20, vertRes / 15 - m_slice->top);
    p.setClipRect(QRect(-horzRes, m_slice->top, 3 * horzRes, m_slice->bottom - m_slice->top));
}

void CResultPage::printHeaderAndFooter() {
    QPainter& p = painter();
    const int horzRes = p.device()->width();
    const int vertRes = p.device()->height();
    pagepaint::drawBottomCentre(p, horzRes / 2, vertRes / 20, statusTitle());
    pagepaint::drawBottomLeft(p, horzRes / 20, vertRes * 29 / 30, pagepaint::textOf(m_content.journal().person));
    pagepaint::drawBottomRight(p, horzRes * 19 / 20, vertRes * 29 / 30, QString::fromLatin1(kProgramName));
}

void CResultPage::endPage() {
    painter().restore();
}

void CResultPage::addHotArea(const QRect& checkBox, const QRect& name, int behaviour) {
    if (!printing() && m_hotAreas.size() < kMaxHotAreas) {
        m_hotAreas.push_back({checkBox, name, behaviour});
    }
}
