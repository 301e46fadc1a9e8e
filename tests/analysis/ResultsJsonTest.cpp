// SPDX-License-Identifier: GPL-3.0-or-later
// kvtool results: the figures of every page as JSON, read from a journal or request file.
#include "analysis/ContentTree.h"
#include "model/JournalFile.h"
#include "tests/analysis/TestJournals.h"
#include "tests/support/Samples.h"
#include "tools/ResultsCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace testjournals;

namespace {

nlohmann::json resultsOf(const JournalRecord& journal) {
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    tree.refreshAll();
    // Printed and read back, as a user of the tool sees it.
    std::ostringstream text;
    text << resultsToJson(tree);
    return nlohmann::json::parse(text.str());
}

const nlohmann::json& pageAt(const nlohmann::json& results, const std::string& path) {
    for (const auto& page : results["pages"]) {
        if (page["path"] == path) {
            return page;
        }
    }
    throw std::out_of_range("no page " + path);
}

class TempFile {
public:
    explicit TempFile(const std::string& bytes)
        : m_path(std::filesystem::temp_directory_path() /
                 ("results-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".kva")) {
        std::ofstream(m_path, std::ios::binary) << bytes;
    }
    ~TempFile() { std::filesystem::remove(m_path); }
    std::string path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

std::string runResults(const std::string& path, const std::string* password) {
    ParsedArguments arguments;
    arguments.positionals = {path};
    if (password != nullptr) {
        arguments.options["--password"] = *password;
    }
    std::ostringstream out;
    resultsCommand().run(arguments, out);
    return out.str();
}

} // namespace

TEST(ResultsJson, HasOnePagePerNodeInTreeOrder) {
    const CPavexDoc journal = samples::journal("");
    const auto results = resultsOf(journal);
    const auto& pages = results["pages"];
    ASSERT_EQ(pages.size(), 33u);
    EXPECT_EQ(pages[0]["path"], "Feedback");
    EXPECT_EQ(pages[1]["path"], "Feedback/Self");
    EXPECT_EQ(pages[9]["path"], "Results/Competencies/Planning/Sets clear goals \u00e9t\u00e9");
    EXPECT_EQ(pages[32]["path"], "Journal/Actions/Read a book");
    EXPECT_EQ(pages[0]["kind"], "table");
    EXPECT_EQ(pages[0]["columns"],
              nlohmann::json({"Assessor", "Reporting Relationship", "Date of Assessment", "Active"}));
    EXPECT_EQ(pages[0]["rows"][1], nlohmann::json({"Pat", "Peer", "Tuesday, December 09, 2025", "No"}));
    EXPECT_EQ(pages[1]["kind"], "detail");
    EXPECT_EQ(pages[1]["rows"][0], nlohmann::json({"Assessor:", "Self"}));
}

TEST(ResultsJson, RankingsListEveryItemInSortedOrderWithTheirFigures) {
    const CPavexDoc journal = samples::journal("");
    const auto results = resultsOf(journal);
    const auto& page = pageAt(results, "Results/Behaviours");
    EXPECT_EQ(page["kind"], "ranking");
    EXPECT_EQ(page["title"], "Behaviours ranked by average score");
    EXPECT_EQ(page["shown"], 3);
    EXPECT_EQ(page["questionnaires_per_group"], nlohmann::json({1, 0, 0, 0, 0, 0}));
    const auto& items = page["items"];
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0]["name"], "Listens to others");
    EXPECT_EQ(items[0]["index"], 0);
    EXPECT_EQ(items[0]["key"], 2.0);
    EXPECT_EQ(items[0]["overall"], 2.0);
    EXPECT_EQ(items[0]["groups"][0], nlohmann::json({{"average", 2.0}, {"lowest", 2.0}, {"highest", 2.0}}));
    EXPECT_EQ(items[0]["groups"][3], nlohmann::json({{"average", -1.0}, {"lowest", -1.0}, {"highest", -1.0}}));
    EXPECT_EQ(items[0]["valid_groups"], 1);
    EXPECT_EQ(items[0]["axis_maximum"], 2);
    EXPECT_EQ(items[0]["scale_tag"], 0);
    // Equal keys: the later behaviour first.
    EXPECT_EQ(items[1]["index"], 2);
    EXPECT_EQ(items[1]["has_actions"], 1);
    EXPECT_EQ(items[2]["index"], 1);
    EXPECT_EQ(items[2]["marked"], 1);
    EXPECT_EQ(items[2]["scale_tag"], 1);

    const auto& competencies = pageAt(results, "Results");
    EXPECT_EQ(competencies["items"][0]["marked"], 0);
    EXPECT_EQ(competencies["items"][0]["has_actions"], 0);
}

TEST(ResultsJson, FrequenciesGiveOneRowPerOption) {
    CPavexDoc journal = samples::journal("");
    journal.questionnaires[1].useInResults = 1;
    const auto results = resultsOf(journal);
    const auto& page = pageAt(results, "Results/Behaviours/Listens to others");
    EXPECT_EQ(page["kind"], "frequencies");
    EXPECT_EQ(page["behaviour"], 0);
    EXPECT_EQ(page["counts"],
              nlohmann::json({{0, 0, 0, 1, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(page["answers_per_group"], nlohmann::json({1, 0, 0, 1, 0, 0}));
    EXPECT_EQ(page["axis_maximum"], 5);
}

TEST(ResultsJson, DoublesReadBackToTheSameValue) {
    JournalRecord journal = journalWithRole(1, 1);
    answer(journal, 0, {kClearStrength});
    answer(journal, 0, {kPriority});
    answer(journal, 0, {kPriority});
    answer(journal, 1, {kNotConsistent});
    answer(journal, 1, {kPriority});
    answer(journal, 1, {kPriority});
    const auto results = resultsOf(journal);
    const auto& item = pageAt(results, "Results/Behaviours")["items"][0];
    EXPECT_EQ(item["groups"][0]["average"].get<double>(), 2.0 / 3);
    EXPECT_EQ(item["groups"][1]["average"].get<double>(), 1.0 / 3);
    const double mean = (2.0 / 3 + 1.0 / 3) / 2;
    EXPECT_EQ(item["overall"].get<double>(), mean);
    EXPECT_EQ(pageAt(results, "Results/Differences")["items"][0]["key"].get<double>(),
              (mean - 2.0 / 3) * (mean - 2.0 / 3) + (mean - 1.0 / 3) * (mean - 1.0 / 3));
}

TEST(ResultsJson, EveryPageShowsTheMessageBeforeAnyQuestionnaire) {
    CPavexDoc journal = samples::journal("");
    journal.questionnaires.clear();
    const auto results = resultsOf(journal);
    for (const auto& page : results["pages"]) {
        EXPECT_EQ(page["kind"], "message") << page["path"];
        EXPECT_EQ(page["title"],
                  "You need to choose your role and enter a questionnaire before you can view any results");
        EXPECT_EQ(page.size(), 3u);
    }
}

TEST(ResultsCommand, ReadsAProtectedJournalOnlyWithItsPassword) {
    const TempFile file(JournalFile::encode(samples::journal("secret")));
    EXPECT_THROW(runResults(file.path(), nullptr), CommandFailure);
    const std::string wrong = "Secret";
    try {
        runResults(file.path(), &wrong);
        ADD_FAILURE() << "a wrong password was let through";
    } catch (const CommandFailure& failure) {
        EXPECT_STREQ(failure.what(), "Sorry, that was the wrong password");
    }
    const std::string right = "secret";
    const auto results = nlohmann::json::parse(runResults(file.path(), &right));
    EXPECT_EQ(results["pages"].size(), 33u);
}

TEST(ResultsCommand, ReadsARequestFileWithoutAPassword) {
    CPavexDoc request = samples::journal("secret");
    request.request = 1;
    request.actions.clear();
    request.questionnaires.resize(1);
    const TempFile file(JournalFile::encode(request));
    const auto results = nlohmann::json::parse(runResults(file.path(), nullptr));
    EXPECT_EQ(results["pages"][0]["rows"].size(), 1u);
}

TEST(ResultsCommand, ReportsADamagedFile) {
    std::string bytes = JournalFile::encode(samples::journal(""));
    bytes.resize(bytes.size() / 2);
    const TempFile file(bytes);
    EXPECT_THROW(runResults(file.path(), nullptr), CommandFailure);
}
