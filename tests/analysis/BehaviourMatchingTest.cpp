// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/DateFormat.h"
#include "analysis/ProgressComparison.h"
#include "analysis/ProgressPages.h"
#include "tests/analysis/TestJournals.h"

#include <gtest/gtest.h>

namespace {

using progress::BehaviourPair;

JournalRecord roleWith(const std::vector<std::string>& statements) {
    JournalRecord journal = testjournals::journalWithRole(1, static_cast<int>(statements.size()));
    for (std::size_t b = 0; b < statements.size(); ++b) {
        journal.framework.behaviours[b].statement = statements[b];
    }
    return journal;
}

} // namespace

TEST(BehaviourMatching, ExactStatementsArePairedBeforeLooseOnes) {
    const auto earlier = roleWith({"Keeps the team informed", "keeps the team informed."});
    const auto later = roleWith({"keeps the team informed.", "Keeps the team informed"});
    const auto matching = progress::matchBehaviours(earlier.framework, later.framework);
    EXPECT_EQ(matching.pairs, (std::vector<BehaviourPair>{{1, 0}, {0, 1}}));
}

TEST(BehaviourMatching, LooseStatementsIgnoreCaseSpacesAndPunctuation) {
    EXPECT_EQ(progress::looseStatement("  Listens, to \"others\" -- without interrupting!"),
              "listenstootherswithoutinterrupting");
    // Letters of Western European languages stay letters, in lower case.
    EXPECT_EQ(progress::looseStatement("\xC9tablit un \xAB plan \xBB."), "\xE9tablitunplan");
    const auto earlier = roleWith({"Plans the week."});
    const auto later = roleWith({"plans the  WEEK"});
    EXPECT_EQ(progress::matchBehaviours(earlier.framework, later.framework).pairs,
              (std::vector<BehaviourPair>{{0, 0}}));
}

TEST(BehaviourMatching, EveryCapitalOfTheUpperHalfMatchesItsSmallLetter) {
    for (int capital = 0xC0; capital <= 0xDE; ++capital) {
        if (capital == 0xD7) { // the multiplication sign has no small letter
            continue;
        }
        EXPECT_EQ(progress::looseStatement(std::string(1, static_cast<char>(capital))),
                  std::string(1, static_cast<char>(capital + 0x20)))
            << std::hex << capital;
    }
    EXPECT_EQ(progress::looseStatement("\xD7"), "\xD7");
}

TEST(BehaviourMatching, RepeatedStatementsPairOneToOneInBehaviourOrder) {
    const auto earlier = roleWith({"Same", "Same", "Other"});
    const auto later = roleWith({"Same", "New", "Same", "Same"});
    const auto matching = progress::matchBehaviours(earlier.framework, later.framework);
    EXPECT_EQ(matching.pairs, (std::vector<BehaviourPair>{{0, 0}, {1, 2}}));
    EXPECT_EQ(matching.unmatchedEarlier, (std::vector<std::int32_t>{2}));
    EXPECT_EQ(matching.unmatchedLater, (std::vector<std::int32_t>{1, 3}));
}

TEST(BehaviourMatching, AnswersOnScalesOfOtherValuesOrMaximumAreNotCompared) {
    auto earlier = roleWith({"One", "Two", "Three"});
    auto later = earlier;
    const std::int32_t otherValues = testjournals::addScale(later, {-1, 0, 1, 3}, 2);
    const std::int32_t otherMaximum = testjournals::addScale(later, {-1, 0, 1, 2}, 3);
    const std::int32_t otherLabels = testjournals::addScale(later, {-1, 0, 1, 2}, 2);
    later.framework.scales[static_cast<std::size_t>(otherLabels)].labels[0] = "Skip";
    later.framework.behaviours[0].scale = otherValues;
    later.framework.behaviours[1].scale = otherMaximum;
    later.framework.behaviours[2].scale = otherLabels; // labels alone do not change a score
    const auto matching = progress::matchBehaviours(earlier.framework, later.framework);
    EXPECT_EQ(matching.pairs, (std::vector<BehaviourPair>{{2, 2}}));
    EXPECT_EQ(matching.incomparable, (std::vector<BehaviourPair>{{0, 0}, {1, 1}}));
    EXPECT_TRUE(matching.unmatchedEarlier.empty());
}

TEST(ProgressRefusals, SameFileNothingInCommonAndAnEarlierJournalWithLaterFeedback) {
    auto earlier = roleWith({"One", "Two"});
    auto later = earlier;
    testjournals::answer(earlier, 1, {testjournals::kPriority, testjournals::kPriority});
    testjournals::answer(later, 1, {testjournals::kClearStrength, testjournals::kClearStrength});
    earlier.questionnaires[0].date = {OleDate::Valid, 45000.0};
    later.questionnaires[0].date = {OleDate::Valid, 45365.0};
    EXPECT_EQ(progress::refusalOf(earlier, later, false), progress::Refusal::None);
    EXPECT_EQ(progress::refusalOf(earlier, later, true), progress::Refusal::SameJournal);
    EXPECT_EQ(progress::refusalOf(later, earlier, false), progress::Refusal::LaterIsOlder);
    auto unrelated = roleWith({"Three", "Four"});
    EXPECT_EQ(progress::refusalOf(unrelated, later, false), progress::Refusal::NothingInCommon);
}

TEST(ProgressFigures, AChangeWithinTheSpreadOfTheAnswersMayBeNoise) {
    EXPECT_TRUE(progress::mayBeNoise({1.0, 1.4}, 0.5));
    EXPECT_FALSE(progress::mayBeNoise({1.0, 1.6}, 0.5));
    EXPECT_FALSE(progress::mayBeNoise({1.0, 0.4}, 0.5));
    EXPECT_FALSE(progress::mayBeNoise({CScoreItem::kNoValue, 1.0}, 0.5));
}

TEST(ProgressFigures, ABehaviourNobodyAnsweredHasNoSpread) {
    auto earlier = roleWith({"One", "Two"});
    auto later = earlier;
    testjournals::answer(earlier, 1, {testjournals::kPriority, testjournals::kSkip});
    testjournals::answer(earlier, 3, {testjournals::kClearStrength, testjournals::kSkip});
    testjournals::answer(later, 1, {testjournals::kClearStrength, testjournals::kSkip});
    const progress::Comparison comparison = progress::compare(earlier, later);
    ASSERT_EQ(comparison.behaviours.size(), 2u);
    for (const progress::BehaviourProgress& row : comparison.behaviours) {
        if (row.pair.earlier == 0) {
            EXPECT_GT(row.spread, 0.0);
        } else {
            EXPECT_EQ(row.spread, CScoreItem::kNoValue);
            EXPECT_FALSE(row.others.comparable());
        }
    }
}

TEST(ProgressFigures, AnAverageOfZeroIsShownAndNoAnswersShowNothing) {
    auto earlier = roleWith({"One", "Two"});
    auto later = earlier;
    testjournals::answer(earlier, 1, {testjournals::kPriority, testjournals::kSkip});
    testjournals::answer(later, 1, {testjournals::kClearStrength, testjournals::kSkip});
    progresspages::ProgressContent page(later, earlier, progresspages::ProgressContent::Which::Behaviours,
                                        formatDateInCLocale);
    page.refresh();
    ASSERT_GE(page.rows().size(), 2u); // and the footnote
    EXPECT_EQ(page.rows()[0], (TableRow{"One", "0.00 (1)", "2.00 (1)", "+2.00"}));
    EXPECT_EQ(page.rows()[1], (TableRow{"Two", "", "", ""}));
}
