// SPDX-License-Identifier: GPL-3.0-or-later
// The ranking pages on screen: geometry, colours, ticks, axis labels, key and hot areas, drawn in a
// fixed font (cw 8, lh 15) into a view 1000 pixels wide.
#include "analysis/pages/RankingPage.h"
#include "analysis/GraphContent.h"
#include "analysis/PageTexts.h"
#include "tests/analysis/TestJournals.h"
#include "tests/analysis/pages/PageTestSupport.h"

#include <gtest/gtest.h>

using namespace testjournals;
using pagepaint::ltrb;
using pagetest::at;
using pagetest::contains;
using pagetest::kCw;
using pagetest::kLh;
using pagetest::stored;

namespace {

const QColor kGrey(128, 128, 128);
const QColor kDarkRed(128, 0, 0);
const QColor kLightGrey(192, 192, 192);

// Two behaviours B0 and B1 of one competency: Self scores 2 and 1, Manager 1 and 0.
JournalRecord twoBehaviours() {
    JournalRecord journal = journalWithRole(1, 2);
    answer(journal, 0, {kClearStrength, kNotConsistent});
    answer(journal, 1, {kNotConsistent, kPriority});
    return journal;
}

struct BehaviourPage {
    explicit BehaviourPage(const JournalRecord& journal)
        : content(journal, pagetext::behaviourRankingTitle(),
                  CResultList::behaviours(journal.framework, CResultList::kAllBehaviours)),
          page(content) {
        page.refresh();
    }
    RankingContent content;
    CBehaviourRanking page;
};

class RankingPage : public testing::Test {
protected:
    void SetUp() override {
        const QFontMetrics metrics(pagetest::fixedFont(), &probe);
        if (metrics.averageCharWidth() != kCw || metrics.height() != kLh) {
            GTEST_SKIP() << "Liberation Sans is not installed (fonts-liberation2)";
        }
    }
    QImage probe{1, 1, QImage::Format_RGB32};
};

} // namespace

TEST_F(RankingPage, PlacesTheAxisZeroAndUnitSoTheDefaultScaleFillsTheRightHalf) {
    const JournalRecord journal = twoBehaviours();
    BehaviourPage behaviours(journal);
    const QImage image = pagetest::drawOnScreen(behaviours.page, 1000, 400);
    const auto& g = behaviours.page.geometry();
    EXPECT_EQ(g.axisTop, 2);
    EXPECT_EQ(g.unit, 2000); // 500 x 10 / 2.5
    EXPECT_EQ(g.zero, 500);  // 1000 - 100 - 2 x 200
    EXPECT_EQ(g.left, 4 * kCw);
    // Grid lines at scores 1 and 2, the black axis over the grid line at 0.
    EXPECT_EQ(at(image, 700, 20), kGrey);
    EXPECT_EQ(at(image, 900, 20), kGrey);
    EXPECT_EQ(at(image, 500, 20), QColor(Qt::black));
    EXPECT_EQ(at(image, 600, 20), stored(journal.colours.background));
    EXPECT_EQ(at(image, 600, g.rowsBottom), QColor(Qt::black));
}

TEST_F(RankingPage, RowsShareTheHeightAboveTheKeyAndAlternateRowsAreShaded) {
    const JournalRecord journal = twoBehaviours();
    BehaviourPage behaviours(journal);
    const QImage image = pagetest::drawInView(behaviours.page, 1000, 400);
    const auto& g = behaviours.page.geometry();
    // Two rows of four lines and nine more: 17 lines.
    EXPECT_EQ(behaviours.page.extent(), QSize(80 * kCw, 17 * kLh));
    EXPECT_EQ(g.rowsTop, kLh);
    EXPECT_EQ(g.rowHeight, 52); // (255 - 150) / 2
    EXPECT_EQ(g.rowsBottom, 119);
    EXPECT_EQ(g.band, 8); // 52 / (2 + 4)
    EXPECT_EQ(at(image, 600, 30), stored(journal.colours.background));
    EXPECT_EQ(at(image, 600, 70), stored(journal.colours.lines));
    EXPECT_EQ(at(image, 2, 118), stored(journal.colours.lines));
    // Below the page the background runs down to the visible bottom.
    EXPECT_EQ(at(image, 600, 399), stored(journal.colours.background));
}

TEST_F(RankingPage, DrawsEachGroupsBlobAtItsAverageInItsBandAndTheOverallBarAcrossTheRow) {
    const JournalRecord journal = twoBehaviours();
    BehaviourPage behaviours(journal);
    const QImage image = pagetest::drawOnScreen(behaviours.page, 1000, 400);
    // Row 0 is B0 (overall 1.5): Self's blob at score 2 in the first band (y 30..38), Manager's at
    // score 1 in the second (y 38..46), the overall bar at 1.5 from y 23 to 55.
    EXPECT_EQ(at(image, 899, 34), stored(journal.colours.relationships[0]));
    EXPECT_EQ(at(image, 699, 43), stored(journal.colours.relationships[1]));
    EXPECT_EQ(at(image, 799, 50), stored(journal.colours.average));
    EXPECT_EQ(at(image, 799, 20), stored(journal.colours.background));
    // Row 1 is B1 (overall 0.5): Self at 1, Manager at 0.
    EXPECT_EQ(at(image, 699, 86), stored(journal.colours.relationships[0]));
    EXPECT_EQ(at(image, 501, 95), stored(journal.colours.relationships[1]));
}

TEST_F(RankingPage, DrawsTheRangeOfQuestionnaireAveragesAsAThinBar) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, 3, {kPriority});
    answer(journal, 3, {kClearStrength});
    BehaviourPage behaviours(journal);
    const QImage image = pagetest::drawOnScreen(behaviours.page, 1000, 400);
    const auto& g = behaviours.page.geometry();
    const QColor peer = stored(journal.colours.relationships[3]);
    // One group, r = 1: the band starts at row top + 2P, the range bar between a quarter and three
    // quarters of it, from score 0 to score 2.
    const int y = g.rowsTop + 2 * g.band;
    EXPECT_EQ(at(image, 600, y + g.band / 2), peer);
    EXPECT_EQ(at(image, 600, y + g.band / 4 - 1), stored(journal.colours.background));
}

TEST_F(RankingPage, RegistersTheCheckBoxAndNameOfEveryBehaviourRow) {
    const JournalRecord journal = twoBehaviours();
    BehaviourPage behaviours(journal);
    pagetest::drawOnScreen(behaviours.page, 1000, 400);
    const auto& hot = behaviours.page.hotAreas();
    ASSERT_EQ(hot.size(), 2u);
    EXPECT_EQ(hot[0].behaviour, 0);
    EXPECT_EQ(hot[1].behaviour, 1);
    // Left L - 3cw, top row top + E/2 - lh/4, 3lh/4 square-ish down to row top + E/2 + lh/2.
    EXPECT_EQ(hot[0].checkBox, ltrb(8, 38, 19, 48));
    EXPECT_EQ(hot[1].checkBox, ltrb(8, 90, 19, 100));
    EXPECT_EQ(hot[0].name.left(), 5 * kCw);
    EXPECT_EQ(hot[0].name.right() + 1, 500 - kCw);
    EXPECT_EQ(hot[0].name.bottom() + 1, 67);
    EXPECT_GT(hot[0].name.top(), 15); // the one-line name is centred in its row
}

TEST_F(RankingPage, TicksMarkedBehavioursDarkRedAndThoseWithOnlyActionsLightGrey) {
    JournalRecord journal = journalWithRole(1, 3);
    answer(journal, 0, {kClearStrength, kNotConsistent, kPriority});
    journal.framework.behaviours[0].marked = 1;
    CPavexAction action;
    action.behaviour = 1;
    journal.actions.push_back(action);
    BehaviourPage behaviours(journal);
    const QImage image = pagetest::drawOnScreen(behaviours.page, 1000, 600);
    const auto& hot = behaviours.page.hotAreas();
    ASSERT_EQ(hot.size(), 3u);
    const auto inside = [](const QRect& box) { return box.adjusted(1, 1, -1, -1); };
    EXPECT_TRUE(contains(image, inside(hot[0].checkBox), kDarkRed));
    EXPECT_FALSE(contains(image, inside(hot[0].checkBox), kLightGrey));
    EXPECT_TRUE(contains(image, inside(hot[1].checkBox), kLightGrey));
    EXPECT_FALSE(contains(image, inside(hot[1].checkBox), kDarkRed));
    EXPECT_FALSE(contains(image, inside(hot[2].checkBox), kDarkRed));
    EXPECT_FALSE(contains(image, inside(hot[2].checkBox), kLightGrey));
    EXPECT_EQ(at(image, hot[2].checkBox.left() + 3, hot[2].checkBox.top() + 3), QColor(Qt::white));
}

TEST_F(RankingPage, KeyListsAGroupWithOneQuestionnaireUnderItsBareLabel) {
    const JournalRecord journal = twoBehaviours();
    BehaviourPage behaviours(journal);
    const QImage image = pagetest::drawOnScreen(behaviours.page, 1000, 400);
    EXPECT_EQ(behaviours.page.geometry().keyEntries,
              (std::vector<QString>{"Overall Average", "Self", "Manager", "Marked for Development"}));
    // Entries from YB + 3lh + 3lh/2 = 186, in columns of (1000 - 32) / 3 = 322.
    EXPECT_EQ(at(image, 35, 190), stored(journal.colours.average));
    EXPECT_EQ(at(image, 357, 192), stored(journal.colours.relationships[0]));
    EXPECT_EQ(at(image, 679, 192), stored(journal.colours.relationships[1]));
    // The fourth entry starts the next line, 3lh/2 lower.
    EXPECT_TRUE(contains(image, ltrb(32, 211, 43, 223), kDarkRed));
}

TEST_F(RankingPage, KeyListsAGroupWithTwoQuestionnairesAsAverageAndRange) {
    JournalRecord journal = twoBehaviours();
    answer(journal, 0, {kNotConsistent, kNotConsistent});
    BehaviourPage behaviours(journal);
    const QImage image = pagetest::drawOnScreen(behaviours.page, 1000, 400);
    const auto& g = behaviours.page.geometry();
    EXPECT_EQ(g.keyEntries, (std::vector<QString>{"Overall Average", "Self Average", "Self Range", "Manager",
                                                  "Marked for Development"}));
    // The range swatch: three characters wide, P/2 high, P below the entry's top, third column.
    const int y = g.rowsBottom + 3 * kLh + 3 * kLh / 2;
    const int x = 32 + 2 * 322;
    EXPECT_EQ(at(image, x + 2 * kCw, y + g.band + 1), stored(journal.colours.relationships[0]));
}

TEST_F(RankingPage, CompetencyPageOfOneRowIsElevenLinesHighWithoutCheckBoxes) {
    JournalRecord journal = journalWithRole(1, 2);
    answer(journal, 0, {kClearStrength, kPriority});
    RankingContent content(journal, pagetext::competencyRankingTitle(), CResultList::competencies(journal.framework));
    CCompetencyRanking page(content);
    page.refresh();
    pagetest::drawOnScreen(page, 1000, 400);
    EXPECT_EQ(page.extent(), QSize(80 * kCw, 11 * kLh));
    EXPECT_EQ(page.geometry().left, 2 * kCw);
    EXPECT_TRUE(page.hotAreas().empty());
}

TEST_F(RankingPage, LabelsTheAxisWithTheCommonScaleOrWithNumbersWhenScalesMix) {
    JournalRecord journal = twoBehaviours();
    {
        BehaviourPage behaviours(journal);
        pagetest::drawOnScreen(behaviours.page, 1000, 400);
        EXPECT_EQ(behaviours.page.geometry().axisLabels,
                  (std::vector<QString>{"Priority for action", "Not always consistent", "Clear strength"}));
    }
    const std::int32_t other = addScale(journal, {0, 1, 2, 3}, 3);
    journal.framework.behaviours[1].scale = other;
    {
        BehaviourPage behaviours(journal);
        pagetest::drawOnScreen(behaviours.page, 1000, 400);
        EXPECT_EQ(behaviours.page.geometry().axisLabels, (std::vector<QString>{"0", "1", "2", "3"}));
    }
    journal.framework.behaviours[0].scale = other;
    {
        BehaviourPage behaviours(journal);
        pagetest::drawOnScreen(behaviours.page, 1000, 400);
        EXPECT_EQ(behaviours.page.geometry().axisLabels, (std::vector<QString>{"V0", "V1", "V2", "V3"}));
    }
}

TEST_F(RankingPage, LeavesAWholeScoreWithoutAnOptionUnlabelled) {
    JournalRecord journal = journalWithRole(1, 1);
    journal.framework.behaviours[0].scale = addScale(journal, {-1, 0, 2}, 2);
    answer(journal, 0, {2});
    BehaviourPage behaviours(journal);
    pagetest::drawOnScreen(behaviours.page, 1000, 400);
    EXPECT_EQ(behaviours.page.geometry().axisLabels, (std::vector<QString>{"V0", "", "V2"}));
}

TEST_F(RankingPage, ShowsTheNoScoresMessageWhenNoItemQualifies) {
    JournalRecord journal = journalWithRole(1, 2);
    answer(journal, 0, {kNotNeeded, kNotNeeded});
    BehaviourPage behaviours(journal);
    const QImage image = pagetest::drawOnScreen(behaviours.page, 1000, 100);
    EXPECT_EQ(behaviours.page.extent(), QSize(30 * kCw, 3 * kLh));
    EXPECT_TRUE(behaviours.page.hotAreas().empty());
    EXPECT_TRUE(pagetest::hasInk(image, ltrb(380, 25, 620, 45)));
    EXPECT_FALSE(pagetest::hasInk(image, ltrb(0, 0, 1000, 20)));
}

TEST_F(RankingPage, GivesHotAreasToTheFirst256RowsOnly) {
    JournalRecord journal = journalWithRole(1, 300);
    answer(journal, 0, std::vector<std::int32_t>(300, kClearStrength));
    BehaviourPage behaviours(journal);
    pagetest::drawOnScreen(behaviours.page, 1000, 100);
    EXPECT_EQ(behaviours.page.hotAreas().size(), CResultPage::kMaxHotAreas);
    EXPECT_EQ(behaviours.page.extent().height(), (300 * 4 + 9) * kLh);
}

TEST_F(RankingPage, GrowsThePageWhenTheKeyNeedsMoreLinesThanItKeeps) {
    JournalRecord journal = journalWithRole(1, 1);
    for (int group = 0; group < kRelationshipCount; ++group) {
        answer(journal, group, {kClearStrength});
        answer(journal, group, {kNotConsistent});
    }
    BehaviourPage behaviours(journal);
    pagetest::drawOnScreen(behaviours.page, 1000, 100);
    const auto& g = behaviours.page.geometry();
    // Thirteen entries and the mark: five lines of entries, the last ending 11.5 lines below the rows.
    ASSERT_EQ(g.keyEntries.size(), 14u);
    EXPECT_GE(behaviours.page.extent().height(), g.rowsBottom + 23 * kLh / 2);
    EXPECT_EQ(behaviours.page.extent().height(), (4 + 9 + 3) * kLh);
}

// A role whose scale maximum is 2147483647 once hung the journal program inside its paint event:
// the axis now stops at 100 here, and the options keep their labels.
TEST_F(RankingPage, DrawsAHostileScaleMaximumOnAnAxisStoppingAtOneHundred) {
    JournalRecord journal = journalWithRole(1, 1);
    journal.framework.behaviours[0].scale = addScale(journal, {0, 1, 2}, 2147483647);
    answer(journal, 0, {2});
    BehaviourPage behaviours(journal);
    pagetest::drawOnScreen(behaviours.page, 1000, 400);
    const auto& g = behaviours.page.geometry();
    EXPECT_EQ(g.axisTop, 100);
    EXPECT_EQ(g.gridStep, 1); // 4.9 pixels per score
    EXPECT_EQ(g.axisLabels, (std::vector<QString>{"V0", "V1", "V2"}));
    pagetest::drawOnPaper(behaviours.page, 1000, 1400);
    EXPECT_EQ(behaviours.page.geometry().axisTop, 100);
}

// Option values themselves may be huge: then the page's width, not the score, bounds the marks.
TEST_F(RankingPage, KeepsGridLinesAPixelApartAndNumbersReadableOnALongAxis) {
    JournalRecord journal = journalWithRole(1, 2);
    journal.framework.behaviours[1].scale = addScale(journal, {0, 25, 50, 75, 100}, 100);
    answer(journal, 0, {kClearStrength, 4});
    {
        BehaviourPage behaviours(journal);
        pagetest::drawOnScreen(behaviours.page, 1000, 400);
        const auto& g = behaviours.page.geometry();
        EXPECT_EQ(g.axisTop, 100);
        EXPECT_EQ(g.unit, 49);
        EXPECT_EQ(g.gridStep, 1);
        EXPECT_EQ(g.labelStep, 10); // the first step with six characters' room: 49 pixels
        EXPECT_EQ(g.axisLabels,
                  (std::vector<QString>{"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}));
    }
    journal.framework.behaviours[1].scale = addScale(journal, {0, 2'000'000'000}, 2147483647);
    answer(journal, 0, {kClearStrength, 1});
    BehaviourPage behaviours(journal);
    pagetest::drawOnScreen(behaviours.page, 1000, 400);
    const auto& g = behaviours.page.geometry();
    EXPECT_EQ(g.axisTop, 2'000'000'000);
    EXPECT_EQ(g.unit, 0);
    EXPECT_EQ(g.axisLabels, (std::vector<QString>{"0"}));
    pagetest::drawOnPaper(behaviours.page, 1000, 1400);
}

// Series that differ by colour alone are lost on a reader who does not tell the colours apart and
// on a black-and-white sheet: each group's blob has a shape of its own, and its key entry the same.
TEST_F(RankingPage, TellsTheGroupsApartByShapeInTheRowsAndInTheKey) {
    JournalRecord journal = journalWithRole(1, 1);
    const QColor shared(Qt::red);
    journal.colours.relationships.fill(0x0000FF);
    journal.colours.average = 0x00FF00;
    // Neighbouring bands score 2 and 1, so that no marker covers part of another.
    for (int group = 0; group < kRelationshipCount; ++group) {
        answer(journal, group, {group % 2 == 0 ? kClearStrength : kNotConsistent});
    }
    BehaviourPage behaviours(journal);
    const QImage image = pagetest::drawOnScreen(behaviours.page, 1000, 400);
    const auto& g = behaviours.page.geometry();
    ASSERT_EQ(g.rowCapacity, kRelationshipCount);
    // A marker in each of six bands from the row's top + 2P, and in the key centred on its entry's
    // line.
    const int m = g.markerSize;
    ASSERT_GT(m, g.band);
    const int column = (1000 - g.left) / 3;
    std::vector<std::string> shapes;
    for (int group = 0; group < kRelationshipCount; ++group) {
        const int bandTop = g.rowsTop + 2 * g.band + group * g.band;
        const int top = bandTop + g.band / 2 - m / 2;
        const int markerLeft = g.zero + (group % 2 == 0 ? 2 : 1) * g.unit / 10 - m / 2;
        const std::string marker = pagetest::silhouette(image, ltrb(markerLeft, top, markerLeft + m, top + m), shared);
        for (const std::string& other : shapes) {
            EXPECT_NE(marker, other) << "group " << group;
        }
        shapes.push_back(marker);
        // The key: "Overall Average" first, three entries a line, each group under its bare label.
        const int entry = group + 1;
        const int x = g.left + (entry % 3) * column;
        const int y = g.rowsBottom + 3 * kLh + 3 * kLh / 2 + (entry / 3) * (3 * kLh / 2);
        const int keyTop = y + kLh / 2 - m / 2;
        EXPECT_EQ(pagetest::silhouette(image, ltrb(x, keyTop, x + m, keyTop + m), shared), marker) << "group " << group;
    }
}
