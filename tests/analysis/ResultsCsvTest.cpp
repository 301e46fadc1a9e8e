// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ResultsCsv.h"

#include <gtest/gtest.h>

#include <string>

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
