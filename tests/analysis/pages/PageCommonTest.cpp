// SPDX-License-Identifier: GPL-3.0-or-later
// What every page does alike: the message page, widening, the first-drawing scroll, and the
// printed page with its header, footer, sheets and centring; then the list and detail pages.
#include "analysis/DateFormat.h"
#include "analysis/GraphContent.h"
#include "analysis/ListContent.h"
#include "analysis/PageTexts.h"
#include "analysis/pages/DetailPage.h"
#include "analysis/pages/RankingPage.h"
#include "analysis/pages/TablePage.h"
#include "tests/analysis/TestJournals.h"
#include "tests/analysis/pages/PageTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testjournals;
using pagepaint::ltrb;
using pagetest::at;
using pagetest::hasInk;
using pagetest::kCw;
using pagetest::kLh;
using pagetest::stored;

namespace {

struct CompetencyPage {
    explicit CompetencyPage(const JournalRecord& journal)
        : content(journal, pagetext::competencyRankingTitle(), CResultList::competencies(journal.framework)),
          page(content) {
        page.refresh();
    }
    RankingContent content;
    CCompetencyRanking page;
};

JournalRecord answeredJournal(int behaviours) {
    JournalRecord journal = journalWithRole(behaviours, 1);
    answer(journal, 0, std::vector<std::int32_t>(static_cast<std::size_t>(behaviours), kClearStrength));
    journal.person = "Robin Hale";
    return journal;
}

class Pages : public testing::Test {
protected:
    void SetUp() override {
        QImage probe(1, 1, QImage::Format_RGB32);
        const QFontMetrics metrics(pagetest::fixedFont(), &probe);
        if (metrics.averageCharWidth() != kCw || metrics.height() != kLh) {
            GTEST_SKIP() << "Liberation Sans is not installed (fonts-liberation2)";
        }
    }
};

// A sheet 1000 by 1500 device units: header on 75, band from 100 to 1400, footer on 1450.
constexpr int kSheetWidth = 1000;
constexpr int kSheetHeight = 1500;

} // namespace

TEST_F(Pages, ShowTheMessagePageAndTitleWhileTheJournalHoldsNoQuestionnaires) {
    const JournalRecord journal = journalWithRole(2, 2);
    CompetencyPage competencies(journal);
    const QImage image = pagetest::drawOnScreen(competencies.page, 1000, 100);
    const std::string message = pagetext::kNoQuestionnaires;
    EXPECT_EQ(competencies.page.statusTitle().toStdString(), message);
    EXPECT_EQ(competencies.page.extent(), QSize(static_cast<int>(message.size()) * kCw, 2 * kLh));
    // Bottom centre on (W/2, H): the text sits on the second line, centred in the view.
    EXPECT_TRUE(hasInk(image, ltrb(480, 16, 520, 30)));
    EXPECT_FALSE(hasInk(image, ltrb(0, 31, 1000, 100)));
}

TEST_F(Pages, WidenToTheClientAreaButNeverNarrowBelowTheirWidthInCharacters) {
    const JournalRecord journal = answeredJournal(1);
    CompetencyPage competencies(journal);
    pagetest::drawOnScreen(competencies.page, 1200, 300);
    EXPECT_EQ(competencies.page.layout().width, 1200);
    EXPECT_EQ(competencies.page.extent().width(), 80 * kCw);
    pagetest::drawOnScreen(competencies.page, 300, 300);
    EXPECT_EQ(competencies.page.layout().width, 80 * kCw);
}

TEST_F(Pages, AskToScrollToTheTopAfterTheFirstDrawingOnly) {
    const JournalRecord journal = answeredJournal(1);
    CompetencyPage competencies(journal);
    EXPECT_FALSE(competencies.page.takeScrollToTop());
    pagetest::drawOnScreen(competencies.page, 1000, 300);
    EXPECT_TRUE(competencies.page.takeScrollToTop());
    EXPECT_FALSE(competencies.page.takeScrollToTop());
    pagetest::drawOnScreen(competencies.page, 1000, 300);
    EXPECT_FALSE(competencies.page.takeScrollToTop());
}

TEST_F(Pages, PrintAShortPageCentredInTheBandWithTitleAndFooter) {
    const JournalRecord journal = answeredJournal(1);
    CompetencyPage competencies(journal);
    const QImage sheet = pagetest::drawOnPaper(competencies.page, kSheetWidth, kSheetHeight);
    const auto& layout = competencies.page.layout();
    EXPECT_EQ(layout.width, 900);
    EXPECT_EQ(layout.height, 11 * layout.lineHeight);
    const int top = 100 + (1300 - layout.height) / 2;
    const QColor background = stored(journal.colours.background);
    EXPECT_EQ(at(sheet, 55, top), background);
    EXPECT_EQ(at(sheet, 55, top - 1), QColor(Qt::white));
    EXPECT_EQ(at(sheet, 949, top + layout.height - 1), background);
    EXPECT_EQ(at(sheet, 950, top + layout.height - 1), QColor(Qt::white));
    EXPECT_TRUE(hasInk(sheet, ltrb(350, 50, 650, 75)));     // title
    EXPECT_FALSE(hasInk(sheet, ltrb(0, 76, 1000, 99)));     // nothing between title and band
    EXPECT_TRUE(hasInk(sheet, ltrb(50, 1420, 300, 1450)));  // the person's name
    EXPECT_TRUE(hasInk(sheet, ltrb(700, 1420, 950, 1450))); // the program's name
    EXPECT_FALSE(hasInk(sheet, ltrb(0, 1451, 1000, 1500)));
}

TEST_F(Pages, PrintATallPageOnSeveralSheetsAtElevenPointsBreakingBetweenRows) {
    JournalRecord journal = answeredJournal(1);
    CompetencyPage shortPage(journal);
    pagetest::drawOnPaper(shortPage.page, kSheetWidth, kSheetHeight);
    const int elevenPointLine = shortPage.page.layout().lineHeight;

    journal = answeredJournal(60);
    CompetencyPage tall(journal);
    const std::vector<QImage> sheets = pagetest::drawOnSheets(tall.page, kSheetWidth, kSheetHeight);
    EXPECT_EQ(tall.page.layout().lineHeight, elevenPointLine);
    EXPECT_GT(tall.page.layout().height, 1300);
    ASSERT_GE(sheets.size(), 2U);
    EXPECT_EQ(static_cast<int>(sheets.size()), tall.page.printedSheets());
    const auto& g = tall.page.geometry();
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const QImage& sheet = sheets[i];
        SCOPED_TRACE(i);
        EXPECT_TRUE(hasInk(sheet, ltrb(350, 50, 650, 75)));     // title
        EXPECT_TRUE(hasInk(sheet, ltrb(50, 1420, 300, 1450)));  // the person's name
        EXPECT_TRUE(hasInk(sheet, ltrb(700, 1420, 950, 1450))); // the program's name
        EXPECT_FALSE(hasInk(sheet, ltrb(0, 1401, 1000, 1419))); // nothing runs into the footer
        EXPECT_EQ(at(sheet, 55, 99), QColor(Qt::white));        // every sheet starts at the band's top
        EXPECT_NE(at(sheet, 55, 100), QColor(Qt::white));
    }
    // A sheet ends where a row ends: the next sheet starts with a whole row, in the other shade.
    for (std::size_t i = 0; i + 1 < sheets.size(); ++i) {
        int last = 1399;
        while (last > 100 && at(sheets[i], 55, last) == QColor(Qt::white)) {
            --last;
        }
        const int sliceHeight = last - 100 + 1;
        EXPECT_GT(sliceHeight, 1300 - 2 * g.rowHeight) << "sheet " << i << " is not filled";
        EXPECT_NE(at(sheets[i], 55, last), at(sheets[i + 1], 55, 100)) << "a row is split after sheet " << i;
    }
}

TEST_F(Pages, PrintALongCommentOnSeveralSheetsBreakingBetweenLines) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, 0, {kClearStrength});
    for (int word = 0; word < 1200; ++word) {
        journal.questionnaires[0].details += "word" + std::to_string(word) + " ";
    }
    QuestionnaireDetailContent content(journal, 0, formatDateInCLocale);
    CQuestionnaireDetail page(content);
    page.refresh();
    const std::vector<QImage> sheets = pagetest::drawOnSheets(page, kSheetWidth, kSheetHeight);
    ASSERT_GE(sheets.size(), 2U);
    const int valueLeft = 50 + (900 - 32) / 4 + 4 * kCw + 2;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        SCOPED_TRACE(i);
        // The comment's column carries text at the band's top and nothing is cut at its bottom edge:
        // the last pixel row of the band holds no ink of a line drawn half.
        EXPECT_TRUE(hasInk(sheets[i], ltrb(valueLeft, 100, 900, 100 + 2 * kLh)));
        EXPECT_FALSE(hasInk(sheets[i], ltrb(valueLeft, 1399, 940, 1400)));
    }
}

TEST_F(Pages, PrintAnEmptyFooterOnTheLeftWithoutAName) {
    JournalRecord journal = answeredJournal(1);
    journal.person.clear();
    CompetencyPage competencies(journal);
    const QImage sheet = pagetest::drawOnPaper(competencies.page, kSheetWidth, kSheetHeight);
    EXPECT_FALSE(hasInk(sheet, ltrb(0, 1401, 500, 1500)));
    EXPECT_TRUE(hasInk(sheet, ltrb(700, 1420, 950, 1450)));
}

TEST_F(Pages, LeaveTheHotAreasOfTheScreenAloneWhenPrinting) {
    JournalRecord journal = journalWithRole(1, 2);
    answer(journal, 0, {kClearStrength, kPriority});
    RankingContent content(journal, pagetext::behaviourRankingTitle(),
                           CResultList::behaviours(journal.framework, CResultList::kAllBehaviours));
    CBehaviourRanking page(content);
    page.refresh();
    pagetest::drawOnScreen(page, 1000, 300);
    const auto before = page.hotAreas().front().checkBox;
    pagetest::drawOnPaper(page, kSheetWidth, kSheetHeight);
    ASSERT_EQ(page.hotAreas().size(), 2u);
    EXPECT_EQ(page.hotAreas().front().checkBox, before);
}

TEST_F(Pages, TableBandsAlternateUnderTheHeadingBand) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, 0, {kClearStrength});
    answer(journal, 1, {kPriority});
    QuestionnaireListContent content(journal, formatDateInCLocale);
    CQuestionnaireList page(content);
    page.refresh();
    const QImage image = pagetest::drawOnScreen(page, 2000, 300);
    EXPECT_EQ(page.extent().height(), (2 * 2 + 3) * kLh);
    EXPECT_EQ(at(image, 2, 2), stored(journal.colours.heading));
    EXPECT_EQ(at(image, 2, 3 * kLh + 2), stored(journal.colours.background));
    EXPECT_EQ(at(image, 2, 5 * kLh + 2), stored(journal.colours.lines));
    EXPECT_EQ(at(image, 2, 7 * kLh + 2), QColor(Qt::white)); // below the table the view shows through
    // The columns weigh 4, 2, 2, 2: the second column's text starts 2cw into its share.
    EXPECT_TRUE(hasInk(image, ltrb(800 + 2 * kCw, 3 * kLh, 900, 5 * kLh)));
    EXPECT_FALSE(hasInk(image, ltrb(800 - 2 * kCw, 3 * kLh, 800 + 2 * kCw, 5 * kLh)));
}

TEST_F(Pages, TableRowGrowsInsteadOfCuttingOffATextTooLongForIt) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, 0, {kClearStrength});
    answer(journal, 1, {kClearStrength});
    journal.questionnaires[0].assessor =
        "An assessor whose name is far too long to fit in the two lines that each row of its column offers, "
        "so that the row has to grow";
    QuestionnaireListContent content(journal, formatDateInCLocale);
    CQuestionnaireList page(content);
    page.refresh();
    // 80 characters wide: the Assessor column leaves 224 pixels for the name.
    const QImage image = pagetest::drawOnScreen(page, 100, 300);
    const int grown = page.extent().height() - (2 * 2 + 3) * kLh;
    EXPECT_GE(grown, kLh);
    // The second row follows the grown first one and keeps its shading.
    EXPECT_EQ(at(image, 2, 5 * kLh + grown + 2), stored(journal.colours.lines));
    EXPECT_EQ(at(image, 2, 5 * kLh + grown - 2), stored(journal.colours.background));
}

TEST_F(Pages, DetailPageIsFortyLinesWithTheLabelsInALinesColouredBand) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, 0, {kClearStrength});
    QuestionnaireDetailContent content(journal, 0, formatDateInCLocale);
    CQuestionnaireDetail page(content);
    page.refresh();
    const QImage image = pagetest::drawInView(page, 1000, 700);
    EXPECT_EQ(page.extent(), QSize(80 * kCw, 40 * kLh));
    // e = (1000 - 32) / 4 = 242: the band ends at 2cw + e = 258.
    EXPECT_EQ(at(image, 257, 699), stored(journal.colours.lines));
    EXPECT_EQ(at(image, 258, 699), stored(journal.colours.background));
    // Rows from y = lh, at least two lines apart: "Assessor:" then "Reporting Relationship:".
    EXPECT_TRUE(hasInk(image, ltrb(2 * kCw, kLh, 242, 2 * kLh)));
    EXPECT_TRUE(hasInk(image, ltrb(2 * kCw, 3 * kLh, 242, 4 * kLh)));
    EXPECT_FALSE(hasInk(image, ltrb(2 * kCw, 2 * kLh + 1, 242, 3 * kLh - 1)));
}

TEST_F(Pages, DetailPageGrowsToHoldLongComments) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, 0, {kClearStrength});
    for (int line = 0; line < 60; ++line) {
        journal.questionnaires[0].details += "A line of comments\r\n";
    }
    QuestionnaireDetailContent content(journal, 0, formatDateInCLocale);
    CQuestionnaireDetail page(content);
    page.refresh();
    pagetest::drawOnScreen(page, 1000, 100);
    EXPECT_GT(page.extent().height(), 60 * kLh);
}
