// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/GraphContent.h"
#include "analysis/pages/ResultPage.h"

#include <QString>

#include <optional>
#include <vector>

// A ranked list of competencies or behaviours drawn as horizontal bars: per row the overall average
// and, per group with an average, its range of questionnaire averages and its average; a check box
// on behaviour rows; a key below.
class CRankingPage : public CResultPage {
public:
    // The geometry of the last drawing, in page coordinates.
    struct Geometry {
        int rows = 0;                    // n
        int axisTop = 0;                 // T
        int rowCapacity = 0;             // r
        int left = 0;                    // L
        int unit = 0;                    // U, tenths of a pixel per score unit
        int zero = 0;                    // X0
        int rowsTop = 0;                 // Y0
        int rowHeight = 0;               // E, the height of a row whose name fits in it
        std::vector<int> rowTops;        // each row's top, then the rows' bottom: a row grows to hold its name
        int rowsBottom = 0;              // YB
        int band = 0;                    // P
        int markerSize = 0;              // the side of the square a group's marker fills
        int gridStep = 1;                // whole scores between grid lines
        int labelStep = 1;               // whole scores a label's box spans
        std::vector<int> labelledScores; // every whole score 0..T while the labels fit, else fewer
        std::vector<QString> axisLabels; // one per labelled score
        std::vector<QString> keyEntries; // in drawing order
    };

    explicit CRankingPage(RankingContent& content);

    const Geometry& geometry() const { return m_geometry; }
    bool showsNoScores() const override;
    void refresh() override;

protected:
    void draw() override;

private:
    void measureRows(int shown);
    // Per row, how much taller than the others it must be to hold its name word-wrapped in full.
    std::vector<int> nameGrowth(int linesPerRow);
    void chooseAxisMarks();
    int keyEntryCount() const;
    int extraKeyLines() const;
    int scoreX(double score) const;
    int rowTop(int rank) const { return m_geometry.rowTops[static_cast<std::size_t>(rank)]; }
    void drawRow(int rank, int top);
    void drawBars(const CScoreItem& item, int top);
    // Where a group's marker stands in a row, and in the key, by its top left.
    QRect markerBox(int left, int top) const;
    void drawAxis();
    void drawKey();

    const RankingContent& m_ranking;
    Geometry m_geometry;
    std::int32_t m_commonScale = -2; // the scale that labels the axis, or -2 for numbers
    // What the names' growth was last measured for, and the growth.
    struct GrowthKey {
        QFont font;
        int dpi = 0;
        int width = 0;
        int linesPerRow = 0;
        int rows = 0;
        int axisTop = 0;
        bool operator==(const GrowthKey&) const = default;
    };
    std::optional<GrowthKey> m_growthKey;
    std::vector<int> m_growth;
};

class CCompetencyRanking final : public CRankingPage {
public:
    using CRankingPage::CRankingPage;
};

// Every behaviour, those of one competency, or the development areas.
class CBehaviourRanking final : public CRankingPage {
public:
    using CRankingPage::CRankingPage;
};

// Behaviours ranked by how far Self and the others differ.
class CDifferenceRanking final : public CRankingPage {
public:
    using CRankingPage::CRankingPage;
};

// Behaviours Self found not needed that others scored.
class CExtraRequirementRanking final : public CRankingPage {
public:
    using CRankingPage::CRankingPage;
};
