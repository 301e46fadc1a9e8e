#include "analysis/pages/ResultPage.h"

#include "analysis/PageTexts.h"
#include "analysis/pages/PagePainting.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <utility>

namespace {

constexpr int kPrintPoints = 11;
constexpr int kCompressedPrintPoints = 7;
const char* const kProgramName = "Reflectory 360";

} // namespace

CResultPage::CResultPage(PageContent& content) : m_content(content) {}

void CResultPage::refresh() {
    m_content.refresh();
}

void CResultPage::paint(const PageCanvas& canvas) {
    if (canvas.painter == nullptr) {
        return;
    }
    m_canvas = canvas;
    if (!canvas.printing) {
        m_hotAreas.clear();
    }
    if (m_content.showsMessage()) {
        drawMessagePage(pagepaint::textOf(pagetext::kNoQuestionnaires), 2);
    } else {
        draw();
    }
    m_canvas.painter = nullptr;
}

bool CResultPage::takeScrollToTop() {
    return std::exchange(m_scrollToTop, false);
}

QString CResultPage::statusTitle() const {
    return pagepaint::textOf(m_content.shownTitle());
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
    return QFontMetrics(printing() ? printFont(kPrintPoints) : m_canvas.screenFont, m_canvas.painter->device());
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
    printHeaderAndFooter();
    m_layout.width = horzRes * 18 / 20;
    const int band = vertRes * 13 / 15;
    if (m_layout.height > band) {
        selectFont(printFont(kCompressedPrintPoints));
        m_layout.height = band;
        p.translate(horzRes / 20, vertRes / 15);
    } else {
        p.translate(horzRes / 20, vertRes / 15 + (band - m_layout.height) / 2);
    }
    m_layout.visibleBottom = m_layout.height;
    m_extent = QSize(m_layout.width, m_layout.height);
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
