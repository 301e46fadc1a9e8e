// SPDX-License-Identifier: GPL-3.0-or-later
// The response frequencies page on screen in a fixed font (cw 8, lh 15), 1000 pixels wide.
#include "analysis/GraphContent.h"
#include "analysis/pages/ResponseFrequencies.h"
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

// Self and Manager answered "Priority for action", a Peer "Clear strength".
JournalRecord threeAnswers() {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, 0, {kPriority});
    answer(journal, 1, {kPriority});
    answer(journal, 3, {kClearStrength});
    return journal;
}

class FrequencyPage : public testing::Test {
protected:
    void SetUp() override {
        QImage probe(1, 1, QImage::Format_RGB32);
        const QFontMetrics metrics(pagetest::fixedFont(), &probe);
        if (metrics.averageCharWidth() != kCw || metrics.height() != kLh) {
            GTEST_SKIP() << "Liberation Sans is not installed (fonts-liberation2)";
        }
    }
};

} // namespace

TEST_F(FrequencyPage, FourOptionPageIsTwentyOneLinesHighWithTheAxisFromZeroToFive) {
    const JournalRecord journal = threeAnswers();
    FrequencyContent content(journal, 0);
    CResponseFrequencies page(content);
    page.refresh();
    pagetest::drawOnScreen(page, 1000, 400);
    EXPECT_EQ(page.extent(), QSize(80 * kCw, 21 * kLh));
    const auto& g = page.geometry();
    EXPECT_EQ(g.axisTop, 5);
    EXPECT_EQ(g.left, 16);
    EXPECT_EQ(g.right, 984);
    EXPECT_EQ(g.unit, 968); // (984 - 500) x 10 / 5
    EXPECT_EQ(g.zero, 500);
    EXPECT_EQ(g.bottom, 180); // 315 - 135
    EXPECT_EQ(g.rowHeight, 41);
}

TEST_F(FrequencyPage, StacksTheGroupsSegmentsInGroupOrderOnTheLinesColouredChart) {
    const JournalRecord journal = threeAnswers();
    FrequencyContent content(journal, 0);
    CResponseFrequencies page(content);
    page.refresh();
    const QImage image = pagetest::drawOnScreen(page, 1000, 400);
    // Option 1 ("Priority for action"): row top 56, segments from y 69 to 82, 96 pixels per answer.
    EXPECT_EQ(at(image, 540, 75), stored(journal.colours.relationships[0]));
    // Manager's segment is hatched over its colour.
    EXPECT_EQ(pagetest::dominant(image, ltrb(600, 70, 690, 82)), stored(journal.colours.relationships[1]));
    EXPECT_EQ(at(image, 740, 75), stored(journal.colours.lines));
    // Option 3 ("Clear strength"): the Peer's segment.
    EXPECT_EQ(at(image, 540, 157), stored(journal.colours.relationships[3]));
    // Grid lines from 1 upwards; the chart's left edge is the black axis.
    EXPECT_EQ(at(image, 596, 30), QColor(128, 128, 128));
    EXPECT_EQ(at(image, 500, 30), QColor(Qt::black));
    EXPECT_EQ(at(image, 300, 30), stored(journal.colours.background));
}

TEST_F(FrequencyPage, RegistersTheMarkBoxWithTheChartAndListsOnlyGroupsThatAnswered) {
    JournalRecord journal = threeAnswers();
    journal.framework.behaviours[0].marked = 1;
    FrequencyContent content(journal, 0);
    CResponseFrequencies page(content);
    page.refresh();
    const QImage image = pagetest::drawOnScreen(page, 1000, 400);
    ASSERT_EQ(page.hotAreas().size(), 1u);
    EXPECT_EQ(page.hotAreas()[0].checkBox, ltrb(24, 198, 35, 210));
    EXPECT_EQ(page.hotAreas()[0].name, ltrb(16, 15, 984, 180));
    EXPECT_EQ(page.hotAreas()[0].behaviour, 0);
    EXPECT_TRUE(contains(image, ltrb(25, 199, 34, 209), QColor(128, 0, 0)));
    // Key entries from y 247 in columns of 322: Self, Manager, Peer on the first line; nothing after.
    EXPECT_EQ(at(image, 20, 253), stored(journal.colours.relationships[0]));
    EXPECT_EQ(at(image, 342, 253), stored(journal.colours.relationships[1]));
    EXPECT_EQ(at(image, 664, 253), stored(journal.colours.relationships[3]));
    EXPECT_EQ(at(image, 20, 275), stored(journal.colours.background));
}

TEST_F(FrequencyPage, DrawsTheChartWithoutRowsForABehaviourWithoutAScale) {
    JournalRecord journal = threeAnswers();
    journal.framework.behaviours[0].scale = 7;
    FrequencyContent content(journal, 0);
    CResponseFrequencies page(content);
    page.refresh();
    pagetest::drawOnScreen(page, 1000, 400);
    EXPECT_EQ(page.extent(), QSize(80 * kCw, 9 * kLh));
}

// Counts of answers size the axis; on a long one the grid lines stay a pixel apart and the numbers
// step so that each has room.
TEST_F(FrequencyPage, StepsTheAxisNumbersWhenManyAnswersCrowdThem) {
    JournalRecord journal = journalWithRole(1, 1);
    for (int q = 0; q < 32; ++q) {
        answer(journal, q % 6, {kPriority});
        for (int extra = 0; extra < 9; ++extra) {
            journal.questionnaires.back().responses.push_back(journal.questionnaires.back().responses.front());
        }
    }
    FrequencyContent content(journal, 0);
    CResponseFrequencies page(content);
    page.refresh();
    pagetest::drawOnScreen(page, 1000, 400);
    const auto& g = page.geometry();
    EXPECT_EQ(g.axisTop, 320);
    EXPECT_EQ(g.unit, 15); // (984 - 500) x 10 / 320
    EXPECT_EQ(g.gridStep, 1);
    EXPECT_EQ(g.labelStep, 20); // the first step with three characters' room
}

// Each group's segment carries a hatching of its own, and its key swatch the same hatching, so the
// stacked counts read without their colours.
TEST_F(FrequencyPage, TellsTheGroupsSegmentsApartByHatchingInTheChartAndInTheKey) {
    JournalRecord journal = journalWithRole(1, 1);
    for (const QRgb colour : {qRgb(0, 0, 255), qRgb(255, 255, 0)}) { // hatched in white, then in black
        journal.colours.relationships.fill(
            static_cast<std::int32_t>(qRed(colour) | qGreen(colour) << 8 | qBlue(colour) << 16));
        journal.questionnaires.clear();
        for (int group = 0; group < kRelationshipCount; ++group) {
            answer(journal, group, {kPriority});
        }
        FrequencyContent content(journal, 0);
        CResponseFrequencies page(content);
        page.refresh();
        const QImage image = pagetest::drawOnScreen(page, 1000, 400);
        const auto& g = page.geometry();
        const int length = g.unit / 10;
        const int segmentTop = kLh + g.rowHeight + g.rowHeight / 3; // option 1
        const int column = (g.right - g.left) / 3;
        std::vector<QImage> segments;
        for (int group = 0; group < kRelationshipCount; ++group) {
            const int x = g.zero + group * length;
            // Every segment starts with its key swatch's three characters by half a line (the black
            // axis crosses the first segment's first column).
            const QImage segment = image.copy(x + 1, segmentTop, 3 * kCw - 1, kLh / 2);
            for (const QImage& other : segments) {
                EXPECT_NE(segment, other) << "group " << group;
            }
            segments.push_back(segment);
            const int keyX = g.left + (group % 3) * column;
            const int keyY = g.bottom + 3 * kLh + 3 * kLh / 2 + (group / 3) * (3 * kLh / 2) + kLh / 4;
            EXPECT_EQ(image.copy(keyX + 1, keyY, 3 * kCw - 1, kLh / 2), segment) << "group " << group;
        }
    }
}
