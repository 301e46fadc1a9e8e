// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ResultsCsv.h"
#include "tests/analysis/TestJournals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ResultsCsvTextField, TextASpreadsheetWouldRunAsAFormulaGetsALeadingApostrophe) {
    for (const std::string start : {"=", "+", "-", "@", "\t"}) {
        SCOPED_TRACE(start);
        EXPECT_EQ(resultscsv::textField(start + "SUM(A1:A9)"), "'" + start + "SUM(A1:A9)");
    }
    // A carriage return also needs the field quoted.
    EXPECT_EQ(resultscsv::textField("\rSUM(A1)"), "\"'\rSUM(A1)\"");
    EXPECT_EQ(resultscsv::textField("=A1,B1"), "\"'=A1,B1\"");
}

TEST(ResultsCsvTextField, OnlyTheFirstCharacterCountsAndPlainTextStaysAsItIs) {
    EXPECT_EQ(resultscsv::textField("A=B+C-D@E"), "A=B+C-D@E");
    EXPECT_EQ(resultscsv::textField(" =1"), " =1");
    EXPECT_EQ(resultscsv::textField(""), "");
    EXPECT_EQ(resultscsv::textField("'quoted"), "'quoted");
}

TEST(ResultsCsvTextField, CommasQuotesAndLineBreaksAreQuotedWithQuotesDoubled) {
    EXPECT_EQ(resultscsv::textField("Plan, do"), "\"Plan, do\"");
    EXPECT_EQ(resultscsv::textField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(resultscsv::textField("a\nb"), "\"a\nb\"");
    EXPECT_EQ(resultscsv::textField("a\rb"), "\"a\rb\"");
    EXPECT_EQ(resultscsv::textField("\"\""), "\"\"\"\"\"\"");
    EXPECT_EQ(resultscsv::textField("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC"); // Windows-1252 in, UTF-8 out
}

} // namespace

// The rank table's Self answer column holds what Self chose, not what another group chose, from the
// scale's first option on.
TEST(ResultsCsvBehaviours, TheSelfAnswerColumnHoldsSelfsChoiceAlone) {
    JournalRecord journal = testjournals::journalWithRole(1, 1);
    const auto& labels = journal.framework.scales[0].labels;
    for (const std::int32_t choice : {testjournals::kClearStrength, testjournals::kNotNeeded}) {
        journal.questionnaires.clear();
        testjournals::answer(journal, 0, {choice});
        testjournals::answer(journal, 1, {testjournals::kPriority});
        const std::string csv = resultscsv::behaviours(journal);
        const std::string record = csv.substr(csv.find("\r\n") + 2);
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t comma = record.find(','); comma != std::string::npos; comma = record.find(',', start)) {
            fields.push_back(record.substr(start, comma - start));
            start = comma + 1;
        }
        const std::size_t selfAnswer = 3 + 4 * kRelationshipCount;
        ASSERT_GT(fields.size(), selfAnswer) << record;
        EXPECT_EQ(fields[selfAnswer], labels[static_cast<std::size_t>(choice)]) << record;
    }
}
