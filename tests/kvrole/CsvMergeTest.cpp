// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/CsvMerge.h"
#include "kvrole/core/CsvLine.h"
#include "kvrole/core/LineText.h"
#include "kvrole/core/RoleEditor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>

using kvrole::CsvFields;
using kvrole::CsvMerge;
using kvrole::splitCsvLine;

namespace {

// "Competency/statement" for every behaviour in list order.
std::vector<std::string> contents(const CRole& role) {
    std::vector<std::string> result;
    for (const CBehaviour& behaviour : role.framework.behaviours) {
        result.push_back(role.framework.competencies.at(static_cast<std::size_t>(behaviour.competency)).name + "/" +
                         behaviour.statement);
    }
    return result;
}

std::vector<std::string> competencyNames(const CRole& role) {
    std::vector<std::string> names;
    for (const CCompetency& competency : role.framework.competencies) {
        names.push_back(competency.name);
    }
    return names;
}

} // namespace

TEST(CsvLine, SplitsPlainAndQuotedFields) {
    EXPECT_EQ(splitCsvLine("Listens well,Communication"), (CsvFields{"Listens well", "Communication"}));
    EXPECT_EQ(splitCsvLine("  \tListens well ,  Communication  ,extra"),
              (CsvFields{"Listens well ", "Communication  "}));
    EXPECT_EQ(splitCsvLine("\"Plans, then acts\",Planning"), (CsvFields{"Plans, then acts", "Planning"}));
    EXPECT_EQ(splitCsvLine("\"Plans\"  ,  \"Planning, early\" ,x"), (CsvFields{"Plans", "Planning, early"}));
    EXPECT_EQ(splitCsvLine("Says \"\"no\"\""), (CsvFields{"Says \"\"no\"\"", ""}));
    EXPECT_EQ(splitCsvLine("\"Says \"\"no\"\" politely\",Manners"), (CsvFields{"Says \"no\" politely", "Manners"}));
    EXPECT_EQ(splitCsvLine("\"unclosed, still going"), (CsvFields{"unclosed, still going", ""}));
    EXPECT_EQ(splitCsvLine(",Planning"), (CsvFields{"", "Planning"}));
    EXPECT_EQ(splitCsvLine("No comma"), (CsvFields{"No comma", ""}));
}

TEST(CsvLine, ReadsLineEndsOfEveryPlatformAndCutsLongLinesIntoPieces) {
    EXPECT_EQ(kvrole::csvLines("a\r\nb\nc\rd"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
    EXPECT_EQ(kvrole::csvLines("a\n\nb\n"), (std::vector<std::string_view>{"a", "", "b"}));
    const std::string longLine(1022 + 5, 'x');
    const auto pieces = kvrole::csvLines(longLine + "\nnext");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].size(), 1022u);
    EXPECT_EQ(pieces[1], "xxxxx");
    EXPECT_EQ(pieces[2], "next");
}

TEST(CsvMerge, TwoLinesMakeOneCompetencyWithTwoBehavioursAndASecondMergeChangesNothing) {
    CRole role = CRole::makeDefault();
    const std::string file = "Listens well,Communication\nWrites clearly,Communication\n";
    EXPECT_EQ(CsvMerge(role).mergeText(file).usableLines, 2);
    EXPECT_EQ(contents(role), (std::vector<std::string>{"Communication/Listens well", "Communication/Writes clearly"}));

    const CRole before = role;
    const kvrole::CsvMergeResult again = CsvMerge(role).mergeText(file);
    EXPECT_TRUE(again.modified()); // every usable line counts as a change
    EXPECT_EQ(role, before);
}

TEST(CsvMerge, ABehaviourNamedUnderAnotherCompetencyMovesThere) {
    CRole role = CRole::makeDefault();
    CsvMerge(role).mergeText("Listens well,Communication\nWrites clearly,Communication\n");
    CsvMerge(role).mergeText("Listens well,Leadership\n");
    EXPECT_EQ(competencyNames(role), (std::vector<std::string>{"Communication", "Leadership"}));
    EXPECT_EQ(contents(role), (std::vector<std::string>{"Communication/Writes clearly", "Leadership/Listens well"}));
}

TEST(CsvMerge, AppendedBehavioursFollowThoseTheCompetencyHadInFileOrder) {
    CRole role = CRole::makeDefault();
    CsvMerge(role).mergeText("a1,A\nb1,B\n");
    CsvMerge(role).mergeText("a3,A\nb2,B\na4,A\nb1,A\n");
    EXPECT_EQ(contents(role), (std::vector<std::string>{"A/a1", "A/b1", "A/a3", "A/a4", "B/b2"}));
    EXPECT_TRUE(kvrole::editing::isOrdered(role.framework));
}

TEST(CsvMerge, ALineWithoutCompetencyGoesToTheFirstOrToANewCompetencyNamedCompetency) {
    CRole empty = CRole::makeDefault();
    CsvMerge(empty).mergeText("Keeps promises\n");
    EXPECT_EQ(contents(empty), std::vector<std::string>{"Competency/Keeps promises"});

    CRole role = CRole::makeDefault();
    CsvMerge(role).mergeText("x,First\ny,Second\nKeeps promises\n  \n,\n");
    EXPECT_EQ(contents(role), (std::vector<std::string>{"First/x", "First/Keeps promises", "Second/y"}));
}

TEST(CsvMerge, AQuotedCommaAHeaderLineAndExactMatching) {
    CRole role = CRole::makeDefault();
    CsvMerge(role).mergeText("Behaviour,Competency\n\"Plans, then acts\",Planning\nlistens well,Planning\n"
                             "Listens well,Planning\nListens well ,Planning \n");
    EXPECT_EQ(competencyNames(role), (std::vector<std::string>{"Competency", "Planning", "Planning "}));
    EXPECT_EQ(contents(role),
              (std::vector<std::string>{"Competency/Behaviour", "Planning/Plans, then acts", "Planning/listens well",
                                        "Planning/Listens well", "Planning /Listens well "}));
}

TEST(CsvMerge, CrLfFilesMergeLikeLfFiles) {
    CRole unix = CRole::makeDefault();
    CRole windows = CRole::makeDefault();
    CsvMerge(unix).mergeText("a,A\nb,B\n");
    CsvMerge(windows).mergeText("a,A\r\nb,B\r\n");
    EXPECT_EQ(unix, windows);
    EXPECT_EQ(competencyNames(windows), (std::vector<std::string>{"A", "B"}));
}

TEST(CsvMerge, ALineWithOnlyACompetencyAddsJustTheCompetency) {
    CRole role = CRole::makeDefault();
    CsvMerge(role).mergeText(",Vision\n");
    EXPECT_EQ(competencyNames(role), std::vector<std::string>{"Vision"});
    EXPECT_TRUE(role.framework.behaviours.empty());
}

TEST(CsvMerge, BlankLinesAddNothingAndAreNotCounted) {
    CRole empty = CRole::makeDefault();
    EXPECT_EQ(CsvMerge(empty).mergeText("\n , \n\n").usableLines, 0);
    EXPECT_EQ(empty, CRole::makeDefault());

    CRole role = CRole::makeDefault();
    EXPECT_EQ(CsvMerge(role).mergeText("a,A\n\n,\nb,A\n").usableLines, 2);
    EXPECT_EQ(contents(role), (std::vector<std::string>{"A/a", "A/b"}));
}

TEST(CsvMerge, AnUnopenableFileLeavesTheRoleUnchanged) {
    CRole role = CRole::makeDefault();
    const CRole before = role;
    EXPECT_EQ(CsvMerge(role).mergeFile("/nonexistent/folder/behaviours.csv"), std::nullopt);
    EXPECT_EQ(role, before);
}

TEST(CsvMerge, ReadsAFileFromDisk) {
    const auto path = std::filesystem::temp_directory_path() / "kvrole-merge-test.csv";
    std::ofstream(path, std::ios::binary) << "Listens well,Communication\r\n";
    CRole role = CRole::makeDefault();
    const auto result = CsvMerge(role).mergeFile(path.string());
    std::filesystem::remove(path);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(contents(role), std::vector<std::string>{"Communication/Listens well"});
}

TEST(CsvMerge, SkipsLinesBeyondTheLimitsAndStillMovesExistingBehaviours) {
    CRole role = CRole::makeDefault();
    std::string file;
    for (int line = 0; line < 260; ++line) {
        file += "statement " + std::to_string(line) + ",C\n";
    }
    file += "statement 0,D\n";
    const kvrole::CsvMergeResult result = CsvMerge(role).mergeText(file);
    EXPECT_EQ(result.skippedWhenFull, 4);
    EXPECT_EQ(role.framework.behaviours.size(), 256u);
    EXPECT_EQ(role.framework.behaviours.back().statement, "statement 0");
    EXPECT_EQ(role.framework.competencies.at(1).name, "D");

    CRole full = CRole::makeDefault();
    full.framework.competencies.resize(1024);
    EXPECT_EQ(CsvMerge(full).mergeText("x,New one\n").skippedWhenFull, 1);
    EXPECT_EQ(full.framework.competencies.size(), 1024u);
}

TEST(LineText, AUtf8CsvIsConvertedAndACodePageCsvIsTakenAsItIs) {
    const kvrole::LineText utf8 = kvrole::csvText("Caf\xC3\xA9,A\r\nx\rZo\xC3\xAB \xF0\x9F\x98\x80,B\n\xD0\x98,C");
    EXPECT_EQ(utf8.cp1252, "Caf\xE9,A\r\nx\rZo\xEB ?,B\n?,C");
    EXPECT_EQ(utf8.unfitLines, (std::vector<int>{3, 4}));
    const kvrole::LineText codePage = kvrole::csvText("Caf\xE9,A\r\n\x93quoted\x94,B\r\n");
    EXPECT_EQ(codePage.cp1252, "Caf\xE9,A\r\n\x93quoted\x94,B\r\n");
    EXPECT_TRUE(codePage.unfitLines.empty());

    std::vector<int> many(12);
    std::iota(many.begin(), many.end(), 1);
    EXPECT_EQ(kvrole::unfitLinesQuestion("the file", many).substr(0, 58),
              "Lines 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 and 2 more of the file");
}
