// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/ResponseFrequencies.h"

#include "analysis/JournalFacts.h"
#include "analysis/PageTexts.h"
#include "analysis/pages/PagePainting.h"
#include "analysis/pages/SeriesStyle.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

using pagepaint::ltrb;

namespace {

constexpr int kPageChars = 80;

} // namespace

CResponseFrequencies::CResponseFrequencies(FrequencyContent& content) : CResultPage(content), m_frequencies(content) {}

void CResponseFrequencies::draw() {
    const CFrequencyTable& table = m_frequencies.table();
    Geometry& g = m_geometry;
    g = Geometry{};
    g.options = table.optionCount();
    g.axisTop = table.axisMaximum();
    beginPage(kPageChars, 3 * g.options + 9);

    const int W = pageWidth();
    g.left = 2 * cw();
    g.right = W - 2 * cw();
    g.unit = (g.right - W / 2) * 10 / g.axisTop;
    g.zero = g.right - g.axisTop * g.unit / 10;
    g.bottom = pageHeight() - 9 * lh();
    // A behaviour whose scale is missing from the framework has no rows to share the chart.
    g.rowHeight = g.options > 0 ? (g.bottom - lh()) / g.options : 0;
    // Many responses to one behaviour crowd the axis: lines stay a pixel apart and numbers keep
    // room for their text, so the page's width bounds the loops, not the count of answers.
    g.gridStep = pagepaint::axisStep(g.unit, 1);
    g.labelStep = pagepaint::axisStep(g.unit, 3 * cw());

    QPainter& p = painter();
    const auto& colours = m_frequencies.journal().colours;
    pagepaint::fill(p, ltrb(0, 0, W, visibleBottom()), pagepaint::colourOf(colours.background));
    pagepaint::fill(p, ltrb(g.zero, lh(), g.right, g.bottom), pagepaint::colourOf(colours.lines));
    p.setPen(QPen(QColor(128, 128, 128), 0));
    for (long long i = g.gridStep; i <= g.axisTop; i += g.gridStep) {
        const int x = g.zero + static_cast<int>(i * g.unit / 10);
        pagepaint::line(p, x, g.bottom, x, lh());
    }
    for (int option = 0; option < g.options; ++option) {
        drawOption(option, lh() + option * g.rowHeight);
    }
    drawAxisAndMark();
    drawKey();
    endPage();
}

void CResponseFrequencies::drawOption(int option, int top) {
    const Geometry& g = m_geometry;
    const JournalRecord& journal = m_frequencies.journal();
    QPainter& p = painter();
    p.setPen(QPen(Qt::black, 0));
    pagepaint::line(p, g.left, top, g.zero, top);
    const CResponseScale* scale = journalfacts::scaleOfBehaviour(journal.framework, m_frequencies.behaviour());
    const QString label =
        scale != nullptr ? pagepaint::textOf(scale->labels[static_cast<std::size_t>(option)]) : QString();
    pagepaint::drawWrappedCentredVertically(p, ltrb(g.left + cw(), top, g.zero, top + g.rowHeight), label);

    const CFrequencyTable& table = m_frequencies.table();
    int x = g.zero;
    for (int group = 0; group < kRelationshipCount; ++group) {
        const int length = static_cast<int>(1LL * table.count(option, group) * g.unit / 10);
        fillSegment(ltrb(x, top + g.rowHeight / 3, x + length, top + 2 * (g.rowHeight / 3)), group);
        x += length;
    }
}

void CResponseFrequencies::fillSegment(const QRect& rect, int group) {
    const QColor colour =
        pagepaint::colourOf(m_frequencies.journal().colours.relationships[static_cast<std::size_t>(group)]);
    seriesstyle::fillHatched(painter(), rect, colour, seriesstyle::hatchOf(group), seriesstyle::hatchSpacingFor(lh()),
                             seriesstyle::strokeFor(lh()));
}

void CResponseFrequencies::drawAxisAndMark() {
    const Geometry& g = m_geometry;
    QPainter& p = painter();
    p.setPen(QPen(Qt::black, 0));
    const long long span = std::min<long long>(1LL * g.labelStep * g.unit, 10LL * pageWidth());
    for (long long i = 0; i <= g.axisTop; i += g.labelStep) {
        const long long centre = i * g.unit;
        pagepaint::drawSingleLine(p,
                                  ltrb(g.zero + static_cast<int>((centre - span) / 10), g.bottom,
                                       g.zero + static_cast<int>((centre + span) / 10), g.bottom + lh()),
                                  QString::number(i), Qt::AlignHCenter);
    }
    const QRect box = ltrb(3 * cw(), g.bottom + 5 * lh() / 4, 3 * cw() + 3 * lh() / 4, g.bottom + 2 * lh());
    pagepaint::drawCheckBox(p, box, pagepaint::tickFor(m_frequencies.marked(), m_frequencies.hasActions()));
    addHotArea(box, ltrb(g.left, lh(), g.right, g.bottom), m_frequencies.behaviour());
    pagepaint::drawSingleLine(p, ltrb(6 * cw(), g.bottom + lh(), g.zero, g.bottom + 2 * lh()),
                              QStringLiteral("Marked for Development"));
    pagepaint::drawSingleLine(p, ltrb(g.zero, g.bottom + lh(), g.right, g.bottom + 2 * lh()),
                              QStringLiteral("Number of responses"), Qt::AlignHCenter);
    pagepaint::line(p, g.left, g.bottom, g.zero, g.bottom);
    pagepaint::line(p, g.zero, lh(), g.zero, g.bottom);
    pagepaint::line(p, g.zero, g.bottom, g.right, g.bottom);
}

void CResponseFrequencies::drawKey() {
    const Geometry& g = m_geometry;
    const JournalRecord& journal = m_frequencies.journal();
    QPainter& p = painter();
    p.setPen(QPen(Qt::black, 0));
    pagepaint::drawSingleLine(p, ltrb(g.left, g.bottom + 3 * lh(), g.right, g.bottom + 4 * lh()), QStringLiteral("Key"),
                              Qt::AlignHCenter);
    const int column = (g.right - g.left) / 3;
    int x = g.left;
    int y = g.bottom + 3 * lh() + 3 * lh() / 2;
    int entries = 0;
    for (int group = 0; group < kRelationshipCount; ++group) {
        if (m_frequencies.table().answersInGroup(group) < 1) {
            continue;
        }
        fillSegment(ltrb(x, y + lh() / 4, x + 3 * cw(), y + lh() / 4 + lh() / 2), group);
        pagepaint::drawSingleLine(p, ltrb(x + 4 * cw(), y, x + column, y + lh()),
                                  pagepaint::textOf(pagetext::groupLabel(journal, group)));
        if (++entries % 3 == 0) {
            x = g.left;
            y += 3 * lh() / 2;
        } else {
            x += column;
        }
    }
}
