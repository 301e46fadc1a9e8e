// SPDX-License-Identifier: GPL-3.0-or-later
// kvtool render and report on the shipped sample journal, and the node paths they take.
#include "analysis/ContentTree.h"
#include "tests/analysis/TestJournals.h"
#include "tools/Kvtool.h"
#include "tools/RenderCommands.h"

#include <QImage>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome runKvtool(std::vector<std::string> arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = kvtool::run(arguments, out, err);
    return {status, out.str(), err.str()};
}

std::string readBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

int pdfPageCount(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1)) {
        pages += pdf.compare(at, 12, "/Type /Pages") == 0 ? 0 : 1;
    }
    return pages;
}

class RenderCommands : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("render-test-" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    const std::string sample = REFLECTORY_SAMPLE_JOURNAL;
    fs::path folder;
};

} // namespace

TEST_F(RenderCommands, RenderDrawsAPageAsOnScreenAtTheGivenWidth) {
    const std::string out = (folder / "competencies.png").string();
    const Outcome result = runKvtool({"render", sample, "--page", "Results/Competencies", "--width", "900", "-o", out});
    ASSERT_EQ(result.status, 0) << result.err;
    const QImage image(QString::fromStdString(out));
    EXPECT_EQ(image.width(), 900);
    EXPECT_GT(image.height(), 100);
}

TEST_F(RenderCommands, RenderPrintsOnePageAsAnA4Sheet) {
    const std::string out = (folder / "frequencies.pdf").string();
    const Outcome result = runKvtool({"render", sample, "--page", "Results/Behaviours/#0", "-o", out});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string pdf = readBytes(out);
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_EQ(pdfPageCount(pdf), 1);
}

TEST_F(RenderCommands, PagesOnlyReportPrintsEveryPageOfTheContentsFromASheetOfItsOwn) {
    const std::string out = (folder / "report.pdf").string();
    const Outcome result = runKvtool({"report", sample, "--pages-only", "-o", out});
    ASSERT_EQ(result.status, 0) << result.err;
    const Outcome results = runKvtool({"results", sample});
    int nodes = 0;
    for (std::size_t at = results.out.find("\"path\""); at != std::string::npos;
         at = results.out.find("\"path\"", at + 1)) {
        ++nodes;
    }
    // A page taller than a sheet goes on as many as it needs: the sample's Behaviours ranking takes two.
    EXPECT_GT(pdfPageCount(readBytes(out)), nodes);
}

TEST_F(RenderCommands, RefuseUnknownPagesAndOutputKinds) {
    const Outcome unknown =
        runKvtool({"render", sample, "--page", "Results/Nowhere", "-o", (folder / "x.png").string()});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("Results/Nowhere"), std::string::npos);
    const Outcome kind = runKvtool({"render", sample, "--page", "Results", "-o", (folder / "x.bmp").string()});
    EXPECT_EQ(kind.status, 2);
    const Outcome width =
        runKvtool({"render", sample, "--page", "Results", "--width", "0", "-o", (folder / "x.png").string()});
    EXPECT_EQ(width.status, 2);
    EXPECT_FALSE(fs::exists(folder / "x.png"));
}

TEST(NodePaths, FindLabelsContainingSlashesAndChildrenByNumber) {
    JournalRecord journal = testjournals::journalWithRole(2, 1);
    journal.framework.competencies[0].name = "Plan/Do";
    journal.framework.competencies[1].name = "Plan";
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    ContentNode* planDo = findNodeByPath(tree, "Results/Competencies/Plan/Do");
    ASSERT_NE(planDo, nullptr);
    EXPECT_EQ(planDo->label(), "Plan/Do");
    EXPECT_EQ(findNodeByPath(tree, "Results/Competencies/#0"), planDo);
    EXPECT_EQ(findNodeByPath(tree, "#1/#0/#0"), planDo);
    ContentNode* plan = findNodeByPath(tree, "Results/Competencies/Plan");
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->label(), "Plan");
    EXPECT_EQ(findNodeByPath(tree, "Results/Competencies/#2"), nullptr);
    EXPECT_EQ(findNodeByPath(tree, "Results/Competencies/Pla"), nullptr);
    EXPECT_EQ(findNodeByPath(tree, ""), nullptr);
}
