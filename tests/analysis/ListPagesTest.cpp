// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of the questionnaire and journal lists and of the detail pages, and the dates they show.
#include "analysis/DateFormat.h"
#include "analysis/ListContent.h"
#include "tests/support/Samples.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using Rows = std::vector<TableRow>;
using Details = std::vector<DetailRow>;

// Shows which form was asked for, so the tests see that the pages ask for the long form.
std::string markedDate(const OleDate& date, DateStyle style) {
    return (style == DateStyle::Long ? "long " : "short ") + formatDateInCLocale(date, DateStyle::Short);
}

} // namespace

TEST(DateFormat, CLocaleGivesTheLongAndShortForms) {
    EXPECT_EQ(formatDateInCLocale({OleDate::Valid, 35138.75}, DateStyle::Long), "Thursday, March 14, 1996");
    EXPECT_EQ(formatDateInCLocale({OleDate::Valid, 35138.75}, DateStyle::Short), "03/14/96");
    EXPECT_EQ(formatDateInCLocale({OleDate::Valid, 2.0}, DateStyle::Long), "Monday, January 01, 1900");
    EXPECT_EQ(formatDateInCLocale({OleDate::Valid, 0.0}, DateStyle::Short), "12/30/99");
    // Before day 0 the whole part still names the day.
    EXPECT_EQ(formatDateInCLocale({OleDate::Valid, -1.5}, DateStyle::Long), "Friday, December 29, 1899");
}

TEST(DateFormat, DatesWithoutADayGiveEmptyText) {
    EXPECT_EQ(formatDateInCLocale({OleDate::Null, 0.0}, DateStyle::Long), "");
    EXPECT_EQ(formatDateInCLocale({OleDate::Invalid, 40000.0}, DateStyle::Long), "");
    EXPECT_EQ(formatDateInCLocale({OleDate::Valid, std::numeric_limits<double>::quiet_NaN()}, DateStyle::Long), "");
    EXPECT_EQ(formatDateInCLocale({OleDate::Valid, 1e300}, DateStyle::Short), "");
    EXPECT_EQ(formatDateInCLocale({OleDate::Valid, -1e300}, DateStyle::Short), "");
    EXPECT_EQ(formatDateInCLocale({OleDate::Valid, 2958465.5}, DateStyle::Short), "12/31/99");
}

TEST(QuestionnaireList, ShowsEveryQuestionnaireInJournalOrder) {
    CPavexDoc journal = samples::journal("");
    journal.questionnaires[1].relationship = 9;
    EXPECT_EQ(listrows::questionnaireList(journal, markedDate),
              (Rows{{"Self", "Self", "long 12/09/25", "Yes"}, {"Pat", "", "long 12/09/25", "No"}}));
    QuestionnaireListContent page(journal, markedDate);
    page.refresh();
    EXPECT_EQ(page.title(), "Completed feedback questionnaires");
    EXPECT_EQ(page.linesPerRow(), 2);
    EXPECT_EQ(page.columns(),
              (std::vector<TableColumn>{
                  {"Assessor", 4}, {"Reporting Relationship", 2}, {"Date of Assessment", 2}, {"Active", 2}}));
    EXPECT_EQ(page.rows().size(), 2u);
}

TEST(JournalList, GroupsActionsByBehaviourInFrameworkOrderThenThoseWithoutOne) {
    CPavexDoc journal = samples::journal("");
    CPavexAction action;
    action.doBy = {OleDate::Valid, 46090.0};
    action.behaviour = 0;
    action.action = "Listen longer";
    journal.actions.push_back(action);
    action.behaviour = 42; // names no behaviour of the role
    action.action = "Orphan";
    journal.actions.push_back(action);
    action.behaviour = 0;
    action.action = "Ask questions";
    action.completed = 1;
    journal.actions.push_back(action);
    EXPECT_EQ(listrows::journalList(journal, formatDateInCLocale),
              (Rows{{"Listens to others", "Listen longer", "Monday, March 09, 2026", "No"},
                    {"Listens to others", "Ask questions", "Monday, March 09, 2026", "Yes"},
                    {"Sets clear goals \xe9t\xe9", "Write goals down", "Monday, March 09, 2026", "No"},
                    {"", "Read a book", "", "Yes"},
                    {"", "Orphan", "Monday, March 09, 2026", "No"}}));
    JournalListContent page(journal, formatDateInCLocale);
    EXPECT_EQ(page.title(), "Development journal");
    EXPECT_EQ(page.linesPerRow(), 4);
    EXPECT_EQ(page.columns().at(2), (TableColumn{"Do By Date", 2}));
}

TEST(QuestionnaireDetail, ShowsTheFiveRows) {
    const CPavexDoc journal = samples::journal("");
    EXPECT_EQ(listrows::questionnaireDetail(journal, 0, formatDateInCLocale),
              (Details{{"Assessor:", "Self"},
                       {"Reporting Relationship:", "Self"},
                       {"Date of Assessment:", "Tuesday, December 09, 2025"},
                       {"Details:", "I try hard."},
                       {"Use in Results:", "Yes"}}));
    EXPECT_TRUE(listrows::questionnaireDetail(journal, 2, formatDateInCLocale).empty());
    QuestionnaireDetailContent page(journal, 1, formatDateInCLocale);
    page.refresh();
    EXPECT_EQ(page.title(), "Completed assessment questionnaire");
    EXPECT_EQ(page.rows().back(), (DetailRow{"Use in Results:", "No"}));
}

TEST(ActionDetail, ShowsOptionalRowsOnlyWhenTheyHaveText) {
    CPavexDoc journal = samples::journal("");
    EXPECT_EQ(listrows::actionDetail(journal, 0, formatDateInCLocale),
              (Details{{"Behaviour Being Developed:", "Sets clear goals \xe9t\xe9"},
                       {"Situation:", "Weekly meeting"},
                       {"Action:", "Write goals down"},
                       {"Required Support:", "Manager"},
                       {"Measure of Success:", "Team knows the goals"},
                       {"Do By:", "Monday, March 09, 2026"},
                       {"Completed:", "No"}}));
    EXPECT_EQ(listrows::actionDetail(journal, 1, formatDateInCLocale),
              (Details{{"Action:", "Read a book"}, {"Do By:", ""}, {"Completed:", "Yes"}}));
    journal.actions[0].situation.clear();
    journal.actions[0].support.clear();
    journal.actions[0].measure.clear();
    EXPECT_EQ(listrows::actionDetail(journal, 0, formatDateInCLocale).size(), 4u);
    journal.actions[0].behaviour = 3; // beyond the role: no behaviour row
    EXPECT_EQ(listrows::actionDetail(journal, 0, formatDateInCLocale).front().label, "Action:");
    EXPECT_TRUE(listrows::actionDetail(journal, 5, formatDateInCLocale).empty());
    ActionDetailContent page(journal, 0, formatDateInCLocale);
    EXPECT_EQ(page.title(), "Development journal action");
}
