// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/RankingPage.h"

#include "analysis/JournalFacts.h"
#include "analysis/PageTexts.h"
#include "analysis/pages/PagePainting.h"
#include "analysis/pages/SeriesStyle.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <functional>

using pagepaint::ltrb;

namespace {

constexpr int kPageChars = 80;
const char* const kKey = "Key";
const char* const kOverallAverage = "Overall Average";
const char* const kMarkedForDevelopment = "Marked for Development";

bool hasValidAverage(const CScoreItem& item, int group) {
    return item.groupAverage(group) >= CScoreItem::kAverageTolerance;
}

// The label of a whole score on a common scale: the first option with that value, or nothing.
QString scaleLabelFor(const CResponseScale& scale, int score) {
    const int options = journalfacts::usableOptionCount(scale);
    for (int option = 0; option < options; ++option) {
        if (scale.values[option] == score) {
            return pagepaint::textOf(scale.labels[option]);
        }
    }
    return {};
}

} // namespace

CRankingPage::CRankingPage(RankingContent& content) : CResultPage(content), m_ranking(content) {}

void CRankingPage::measureRows(int shown) {
    const CResultList& list = m_ranking.list();
    Geometry& g = m_geometry;
    g = Geometry{};
    g.rows = shown;
    g.rowCapacity = 1;
    std::int32_t commonScale = list.at(0).scaleTag();
    for (int rank = 0; rank < shown; ++rank) {
        const CScoreItem& item = list.at(static_cast<std::size_t>(rank));
        g.axisTop = std::max(g.axisTop, static_cast<int>(item.axisMaximum()));
        g.rowCapacity = std::max(g.rowCapacity, item.validGroups());
        if (item.scaleTag() != commonScale) {
            commonScale = -2;
        }
    }
    const auto& scales = m_ranking.journal().framework.scales;
    const bool labelled = commonScale >= 0 && static_cast<std::size_t>(commonScale) < scales.size();
    m_commonScale = labelled ? commonScale : -2;
}

// A grid line and a label at every whole score while they fit; on a long axis, lines at least a
// pixel apart and labels with room for their text, so the page's width bounds both loops.
void CRankingPage::chooseAxisMarks() {
    Geometry& g = m_geometry;
    g.gridStep = pagepaint::axisStep(g.unit, 1);
    g.labelStep = g.unit / 20 - cw() > 0 ? 1 : pagepaint::axisStep(g.unit, 6 * cw());
    const CResponseScale* scale =
        m_commonScale >= 0 ? &m_ranking.journal().framework.scales[static_cast<std::size_t>(m_commonScale)] : nullptr;
    if (scale != nullptr && g.labelStep > 1) {
        // Stepped scores would miss the options' own values; those few are labelled instead.
        const int options = journalfacts::usableOptionCount(*scale);
        for (int option = 0; option < options; ++option) {
            const std::int32_t value = scale->values[option];
            if (value >= 0 && value <= g.axisTop) {
                g.labelledScores.push_back(value);
            }
        }
        std::sort(g.labelledScores.begin(), g.labelledScores.end());
        g.labelledScores.erase(std::unique(g.labelledScores.begin(), g.labelledScores.end()), g.labelledScores.end());
    } else {
        for (long long score = 0; score <= g.axisTop; score += g.labelStep) {
            g.labelledScores.push_back(static_cast<int>(score));
        }
    }
    for (const int score : g.labelledScores) {
        g.axisLabels.push_back(scale != nullptr ? scaleLabelFor(*scale, score) : QString::number(score));
    }
}

int CRankingPage::keyEntryCount() const {
    int entries = 1; // Overall Average
    for (const std::int32_t questionnaires : m_ranking.list().questionnairesPerGroup()) {
        entries += questionnaires > 1 ? 2 : (questionnaires == 1 ? 1 : 0);
    }
    return entries;
}

// A key of many entries runs below the nine lines the page keeps under its rows; the page grows by
// what it needs instead of cutting the key off.
int CRankingPage::extraKeyLines() const {
    const int positions = keyEntryCount() + (m_ranking.rowsCarryMarks() ? 1 : 0);
    const int keyRows = (positions + 2) / 3;
    // In half lines below the rows: 3 for the axis labels' band, 1 for "Key" and a half before the
    // first entry, 3 per further row of entries, 2 for the last entry's line.
    const int neededHalfLines = 11 + 3 * (keyRows - 1);
    const int keptHalfLines = 18;
    return std::max(0, (neededHalfLines - keptHalfLines + 1) / 2);
}

bool CRankingPage::showsNoScores() const {
    return !m_ranking.showsMessage() && m_ranking.list().shownCount() <= 0;
}

int CRankingPage::scoreX(double score) const {
    return pagepaint::pixelAt(m_geometry.zero + score * m_geometry.unit / 10.0, pageWidth());
}

// The page's geometry as beginPage() will fix it, worked out beforehand from the font it starts with.
std::vector<int> CRankingPage::nameGrowth(int linesPerRow) {
    const Geometry& g = m_geometry;
    // Each sheet of a long printed ranking draws the page again; the names are measured once.
    const GrowthKey key{
        startingFont(), painter().device()->logicalDpiY(), prospectiveWidth(kPageChars), linesPerRow, g.rows,
        g.axisTop};
    if (m_growthKey && *m_growthKey == key) {
        return m_growth;
    }
    const QFontMetrics metrics = startingFontMetrics();
    const int cw0 = std::max(1, metrics.averageCharWidth());
    const int lh0 = std::max(1, metrics.height());
    const int W = prospectiveWidth(kPageChars);
    const int left = m_ranking.rowsCarryMarks() ? 4 * cw0 : 2 * cw0;
    const int unit = static_cast<int>((W - W / 2) * 10 / (g.axisTop + 0.5));
    const int zero = W - unit / 20 - g.axisTop * unit / 10;
    const int nameWidth = zero - cw0 - (left + cw0);
    const int rowHeight = std::max(0, (linesPerRow * g.rows - 1) * lh0 / g.rows);
    std::vector<int> growth(static_cast<std::size_t>(g.rows), 0);
    if (nameWidth <= 0) {
        return growth;
    }
    for (int rank = 0; rank < g.rows; ++rank) {
        const QString name = pagepaint::textOf(m_ranking.list().at(static_cast<std::size_t>(rank)).name());
        const int height =
            metrics.boundingRect(QRect(0, 0, nameWidth, 1 << 20), Qt::TextWordWrap | Qt::AlignTop, name).height();
        // A name taller than its row gets a quarter line above and below, so that its last line's
        // descenders stay inside the row.
        if (height > rowHeight) {
            growth[static_cast<std::size_t>(rank)] = height + lh0 / 2 - rowHeight;
        }
    }
    m_growthKey = key;
    m_growth = growth;
    return growth;
}

void CRankingPage::refresh() {
    m_growthKey.reset();
    CResultPage::refresh();
}

void CRankingPage::draw() {
    const int shown = m_ranking.list().shownCount();
    if (shown <= 0) {
        drawMessagePage(pagepaint::textOf(pagetext::kNoScores), 3);
        return;
    }
    measureRows(shown);
    Geometry& g = m_geometry;
    const bool marks = m_ranking.rowsCarryMarks();
    const int linesPerRow = marks ? 4 : std::max(g.rowCapacity / 2 + 1, 2);
    const int extra = extraKeyLines();
    const std::vector<int> growth = nameGrowth(linesPerRow);
    long long grown = 0;
    for (const int rowGrowth : growth) {
        grown += rowGrowth;
    }
    const int lh0 = std::max(1, startingFontMetrics().height());
    const int growthLines = static_cast<int>((grown + lh0 - 1) / lh0);
    beginPage(kPageChars, g.rows * linesPerRow + 9 + extra + growthLines);

    const int W = pageWidth();
    g.left = marks ? 4 * cw() : 2 * cw();
    g.unit = static_cast<int>((W - W / 2) * 10 / (g.axisTop + 0.5));
    g.zero = W - g.unit / 20 - g.axisTop * g.unit / 10;
    g.rowsTop = lh();
    g.rowHeight = std::max(0, (pageHeight() - (10 + extra + growthLines) * lh()) / g.rows);
    g.rowTops.assign(1, g.rowsTop);
    for (int rank = 0; rank < g.rows; ++rank) {
        g.rowTops.push_back(g.rowTops.back() + g.rowHeight + growth[static_cast<std::size_t>(rank)]);
    }
    g.rowsBottom = g.rowTops.back();
    g.band = g.rowHeight / (g.rowCapacity + 4);
    // Two thirds of a line, so that the shapes read, but never over more than the bands either side.
    g.markerSize = std::clamp(2 * lh() / 3, g.band + 1, std::max(g.band + 1, 2 * g.band));
    chooseAxisMarks();

    QPainter& p = painter();
    const auto& colours = m_ranking.journal().colours;
    pagepaint::fill(p, ltrb(0, 0, W, visibleBottom()), pagepaint::colourOf(colours.background));
    // A sheet of a long ranking draws only its own rows: each sheet is a pass over the whole page.
    const auto offSheet = [&](int rank) {
        return pagepaint::clippedAway(p, ltrb(0, rowTop(rank), W, rowTop(rank + 1)));
    };
    for (int rank = 1; rank < g.rows; rank += 2) {
        pagepaint::fill(p, ltrb(0, rowTop(rank), W, rowTop(rank + 1)), pagepaint::colourOf(colours.lines));
    }
    for (int rank = 0; rank < g.rows; ++rank) {
        // Sheets of a long ranking break between rows; the last row keeps the axis and key with it.
        if (rank > 0) {
            allowSheetBreak(rowTop(rank));
        }
        if (!offSheet(rank)) {
            drawRow(rank, rowTop(rank));
        }
    }
    p.setPen(QPen(QColor(128, 128, 128), 0));
    for (long long score = 0; score <= g.axisTop; score += g.gridStep) {
        const int x = g.zero + static_cast<int>(score * g.unit / 10);
        pagepaint::line(p, x, g.rowsBottom, x, g.rowsTop);
    }
    for (int rank = 0; rank < g.rows; ++rank) {
        if (offSheet(rank)) {
            continue;
        }
        // The bars keep their place in the middle of a row grown for its name.
        const int spare = rowTop(rank + 1) - rowTop(rank) - g.rowHeight;
        drawBars(m_ranking.list().at(static_cast<std::size_t>(rank)), rowTop(rank) + spare / 2);
    }
    drawAxis();
    drawKey();
    endPage();
}

void CRankingPage::drawRow(int rank, int top) {
    const Geometry& g = m_geometry;
    const CScoreItem& item = m_ranking.list().at(static_cast<std::size_t>(rank));
    QPainter& p = painter();
    p.setPen(QPen(Qt::black, 0));
    const int bottom = rowTop(rank + 1);
    const int rowHeight = bottom - top;
    const QString name = pagepaint::textOf(item.name());
    const QRect nameBox = ltrb(g.left + cw(), top, g.zero - cw(), bottom);
    const int height = pagepaint::wrappedHeight(p, nameBox, name);
    const int nameTop = height < rowHeight ? top + (rowHeight - height) / 2 : top;
    pagepaint::drawWrapped(p, ltrb(nameBox.left(), nameTop, g.zero - cw(), bottom), name);
    if (!m_ranking.rowsCarryMarks()) {
        return;
    }
    const int boxLeft = g.left - 3 * cw();
    const QRect box =
        ltrb(boxLeft, top + rowHeight / 2 - lh() / 4, boxLeft + 3 * lh() / 4, top + rowHeight / 2 + lh() / 2);
    pagepaint::drawCheckBox(p, box, pagepaint::tickFor(item.marked(), item.hasActions()));
    addHotArea(box, ltrb(g.left + cw(), nameTop, g.zero - cw(), bottom), item.index());
}

void CRankingPage::drawBars(const CScoreItem& item, int top) {
    const double overall = item.overallAverage();
    if (overall < 0.0) {
        return;
    }
    const Geometry& g = m_geometry;
    const auto& colours = m_ranking.journal().colours;
    QPainter& p = painter();
    const int P = g.band;
    const int averageLeft = pagepaint::pixelAt(g.zero + overall * g.unit / 10.0 - cw() / 2, pageWidth());
    pagepaint::fill(p, ltrb(averageLeft, top + P, averageLeft + cw(), top + P * (g.rowCapacity + 3)),
                    pagepaint::colourOf(colours.average));
    const int firstBand = top + (g.rowCapacity - item.validGroups()) * P / 2 + 2 * P;
    // The ranges first: a marker a little taller than its band stays whole over its neighbours'.
    for (const bool markers : {false, true}) {
        int y = firstBand;
        for (int group = 0; group < kRelationshipCount; ++group) {
            if (!hasValidAverage(item, group)) {
                continue;
            }
            const QColor colour = pagepaint::colourOf(colours.relationships[static_cast<std::size_t>(group)]);
            if (markers) {
                const int left = pagepaint::pixelAt(
                    g.zero + item.groupAverage(group) * g.unit / 10.0 - g.markerSize / 2, pageWidth());
                seriesstyle::drawMarker(p, markerBox(left, y + P / 2 - g.markerSize / 2), seriesstyle::markerOf(group),
                                        colour, seriesstyle::strokeFor(lh()));
            } else {
                pagepaint::fill(p,
                                ltrb(scoreX(item.lowestAverage(group)), y + P / 4, scoreX(item.highestAverage(group)),
                                     y + 3 * P / 4),
                                colour);
            }
            y += P;
        }
    }
}

QRect CRankingPage::markerBox(int left, int top) const {
    return ltrb(left, top, left + m_geometry.markerSize, top + m_geometry.markerSize);
}

void CRankingPage::drawAxis() {
    const Geometry& g = m_geometry;
    QPainter& p = painter();
    p.setPen(QPen(Qt::black, 0));
    const int half = static_cast<int>(std::min<long long>(1LL * g.labelStep * g.unit / 20, pageWidth())) - cw();
    for (std::size_t k = 0; k < g.labelledScores.size(); ++k) {
        int x = g.zero + static_cast<int>(1LL * g.labelledScores[k] * g.unit / 10);
        if (g.labelStep > 1) {
            // A box spanning several scores would reach past the page's right edge at the axis top.
            x = std::min(x, pageWidth() - half);
        }
        pagepaint::drawWrapped(p, ltrb(x - half, g.rowsBottom, x + half, g.rowsBottom + 3 * lh()), g.axisLabels[k],
                               Qt::AlignHCenter);
    }
    pagepaint::line(p, g.zero, g.rowsTop, g.zero, g.rowsBottom);
    pagepaint::line(p, g.zero, g.rowsBottom, pageWidth(), g.rowsBottom);
}

void CRankingPage::drawKey() {
    const Geometry& g = m_geometry;
    const JournalRecord& journal = m_ranking.journal();
    QPainter& p = painter();
    p.setPen(QPen(Qt::black, 0));
    const int W = pageWidth();
    pagepaint::drawSingleLine(p, ltrb(g.left, g.rowsBottom + 3 * lh(), W, g.rowsBottom + 4 * lh()),
                              QString::fromLatin1(kKey), Qt::AlignHCenter);

    const int column = (W - g.left) / 3;
    int x = g.left;
    int y = g.rowsBottom + 3 * lh() + 3 * lh() / 2;
    int entries = 0;
    const auto entry = [&](const std::function<void()>& swatch, const QString& text) {
        swatch();
        m_geometry.keyEntries.push_back(text);
        pagepaint::drawSingleLine(p, ltrb(x + 4 * cw(), y, x + column, y + lh()), text);
        if (++entries % 3 == 0) {
            x = g.left;
            y += 3 * lh() / 2;
        } else {
            x += column;
        }
    };
    entry([&] { pagepaint::fill(p, ltrb(x, y, x + cw(), y + lh()), pagepaint::colourOf(journal.colours.average)); },
          QString::fromLatin1(kOverallAverage));
    const auto& perGroup = m_ranking.list().questionnairesPerGroup();
    for (int group = 0; group < kRelationshipCount; ++group) {
        const std::int32_t questionnaires = perGroup[static_cast<std::size_t>(group)];
        if (questionnaires < 1) {
            continue;
        }
        const QColor colour = pagepaint::colourOf(journal.colours.relationships[static_cast<std::size_t>(group)]);
        const QString label = pagepaint::textOf(pagetext::groupLabel(journal, group));
        // The group's marker as its rows draw it, centred on the entry's line.
        entry(
            [&] {
                seriesstyle::drawMarker(p, markerBox(x, y + lh() / 2 - g.markerSize / 2), seriesstyle::markerOf(group),
                                        colour, seriesstyle::strokeFor(lh()));
            },
            questionnaires > 1 ? label + QStringLiteral(" Average") : label);
        if (questionnaires > 1) {
            entry([&] { pagepaint::fill(p, ltrb(x, y + g.band, x + 3 * cw(), y + g.band + g.band / 2), colour); },
                  label + QStringLiteral(" Range"));
        }
    }
    if (m_ranking.rowsCarryMarks()) {
        pagepaint::drawTick(p, ltrb(x, y + lh() / 4, x + 3 * lh() / 4, y + lh()), pagepaint::Tick::Marked);
        m_geometry.keyEntries.push_back(QString::fromLatin1(kMarkedForDevelopment));
        pagepaint::drawSingleLine(p, ltrb(x + 4 * cw(), y, x + column, y + lh()), m_geometry.keyEntries.back());
    }
}
