// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/PrintLayout.h"

#include <gtest/gtest.h>

using kvrole::PlacedBlock;
using kvrole::PrintFont;
using kvrole::RolePrintLayout;

namespace {

// Every text is one line of 10 units per 100 characters of width, so the tests can count.
class LineMeasure : public kvrole::TextMeasure {
public:
    int wrappedHeight(std::string_view text, PrintFont, int width) const override {
        const int perLine = std::max(width / 10, 1);
        const int lines = std::max<int>(1, (static_cast<int>(text.size()) + perLine - 1) / perLine);
        return lines * kLine;
    }
    int bodyLineHeight() const override { return kLine; }
    int bodyAverageCharWidth() const override { return 10; }
    static constexpr int kLine = 10;
};

// W 2000, H 1500: the body is 1800 wide and 1300 tall (130 lines).
constexpr int kWidth = 2000;
constexpr int kHeight = 1500;

CRole roleWith(int competencies, int behavioursEach) {
    CRole role = CRole::makeDefault();
    role.name = "Role";
    role.description = "About";
    for (int competency = 0; competency < competencies; ++competency) {
        role.framework.competencies.push_back({"C" + std::to_string(competency), ""});
        for (int behaviour = 0; behaviour < behavioursEach; ++behaviour) {
            role.framework.behaviours.push_back({"b", competency, 0, "", 0, ""});
        }
    }
    return role;
}

const PlacedBlock& blockWithText(const RolePrintLayout& layout, const std::string& text) {
    for (const PlacedBlock& block : layout.blocks) {
        if (block.text == text) {
            return block;
        }
    }
    throw std::runtime_error("no block " + text);
}

} // namespace

TEST(RolePrintLayout, ARoleWithoutCompetenciesIsOnePage) {
    const RolePrintLayout layout = RolePrintLayout::of(roleWith(0, 0), kWidth, kHeight, LineMeasure());
    EXPECT_EQ(layout.pageCount, 1);
    ASSERT_EQ(layout.blocks.size(), 3u);
    // Name at 0, a line's gap, description at 20, three lines' gap, heading at 60.
    EXPECT_EQ(layout.blocks[0].top, 0);
    EXPECT_EQ(layout.blocks[1].top, 20);
    EXPECT_EQ(layout.blocks[2].top, 60);
    EXPECT_EQ(layout.blocks[2].text, "Competencies and Behaviours");
    EXPECT_EQ(layout.blocks[2].font, PrintFont::Heading);
    EXPECT_EQ(layout.bodyLeft(), 100);
    EXPECT_EQ(layout.bodyTop(), 100);
    EXPECT_EQ(layout.rightEdge(), 1800);
    EXPECT_EQ(layout.bottomLimit(), 1300);
    EXPECT_EQ(layout.footerBaseline(), 1450);
}

TEST(RolePrintLayout, BehavioursAreIndentedSixAverageCharacters) {
    const RolePrintLayout layout = RolePrintLayout::of(roleWith(1, 1), kWidth, kHeight, LineMeasure());
    EXPECT_EQ(blockWithText(layout, "C0").left, 0);
    EXPECT_EQ(blockWithText(layout, "b").left, 60);
    EXPECT_EQ(blockWithText(layout, "b").top, blockWithText(layout, "C0").top + 10);
}

TEST(RolePrintLayout, ACompetencyWithLessThanFourLinesBelowItMovesToTheNextPage) {
    // The first competency starts at 80; with 9 behaviours and its gap each takes 120 units, so
    // C9 starts at 1160 and C10 would start at 1280, with only 2 lines of room below it.
    const RolePrintLayout layout = RolePrintLayout::of(roleWith(11, 9), kWidth, kHeight, LineMeasure());
    const PlacedBlock& c9 = blockWithText(layout, "C9");
    EXPECT_EQ(c9.page, 1);
    EXPECT_EQ(c9.top, 80 + 9 * 120);
    const PlacedBlock& c10 = blockWithText(layout, "C10");
    EXPECT_EQ(c10.page, 2);
    EXPECT_EQ(c10.top, 0);
    EXPECT_EQ(layout.pageCount, 2);
}

TEST(RolePrintLayout, ATooTallStatementStartsANewPageIsClippedAndTheNextBlockFollowsOnANewPage) {
    CRole role = roleWith(1, 0);
    // 140 lines of 180 characters: taller than the 130-line body.
    role.framework.behaviours.push_back({std::string(180 * 140, 'x'), 0, 0, "", 0, ""});
    role.framework.competencies.push_back({"After", ""});
    const RolePrintLayout layout = RolePrintLayout::of(role, kWidth, kHeight, LineMeasure());
    const PlacedBlock& tall = layout.blocks[4];
    EXPECT_EQ(tall.page, 2);
    EXPECT_EQ(tall.top, 0);
    EXPECT_EQ(tall.bottom, 1300); // drawn only down to the bottom limit
    EXPECT_EQ(blockWithText(layout, "After").page, 3);
    EXPECT_EQ(blockWithText(layout, "After").top, 20); // after the competency gap
    EXPECT_EQ(layout.pageCount, 3);
}

TEST(RolePrintLayout, NoEmptyPageWhenTheLastBlockEndsOnAPageBreak) {
    CRole role = roleWith(1, 0);
    // C0 ends at 90; a behaviour of 121 lines (174 characters each) fills the body to 1300 exactly,
    // then the competency's gap passes the limit and breaks the page with nothing after it.
    role.framework.behaviours.push_back({std::string(174 * 121, 'n'), 0, 0, "", 0, ""});
    const RolePrintLayout layout = RolePrintLayout::of(role, kWidth, kHeight, LineMeasure());
    EXPECT_EQ(layout.blocks.back().page, 1);
    EXPECT_EQ(layout.pageCount, 1);
}

// A font that measures nothing (a broken or missing font) still prints the role on one page.
TEST(RolePrintLayout, TextsMeasuredAsNothingHighArePrintedOnOnePage) {
    class NothingHigh : public kvrole::TextMeasure {
    public:
        int wrappedHeight(std::string_view, PrintFont, int) const override { return 0; }
        int bodyLineHeight() const override { return 0; }
        int bodyAverageCharWidth() const override { return 0; }
    };
    const RolePrintLayout layout = RolePrintLayout::of(roleWith(2, 3), kWidth, kHeight, NothingHigh());
    EXPECT_EQ(layout.pageCount, 1);
    EXPECT_EQ(layout.blocks.size(), 3u + 2u + 6u);
}
