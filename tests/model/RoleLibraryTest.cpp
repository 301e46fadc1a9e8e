// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RoleLibrary.h"
#include "model/AtomicFile.h"
#include "model/RoleFile.h"
#include "model/ScriptedPrompts.h"
#include "model/TextRules.h"
#include "tests/support/Samples.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class RoleLibraryTest : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return m_temp.file(name); }
    void putRole(const std::string& name, const std::string& roleName) {
        CRole role = samples::role();
        role.name = roleName;
        ASSERT_TRUE(AtomicFile::write(file(name), RoleFile::encode(role)));
    }

    TempFolder m_temp{"roles-test"};
    const std::string& m_folder = m_temp.path();
};

std::vector<std::string> names(const RoleLibrary::Listing& listing) {
    std::vector<std::string> result;
    for (const auto& entry : listing.roles) {
        result.push_back(entry.name);
    }
    return result;
}

} // namespace

TEST(TextOrder, FoldsAsciiLettersOnlyAndKeepsEqualTextsInOrder) {
    std::vector<std::string> texts = {"beta", "Alpha", "alpha", "ALPHA", "_x", "\xE9t\xE9", "Zed"};
    std::stable_sort(texts.begin(), texts.end(), foldedLess);
    // Folding to lower case puts "_" (0x5F) before every letter.
    EXPECT_EQ(texts, (std::vector<std::string>{"_x", "Alpha", "alpha", "ALPHA", "beta", "Zed", "\xE9t\xE9"}));
    EXPECT_TRUE(endsWithIgnoringCase("Role.KVR", ".kvr"));
    EXPECT_FALSE(endsWithIgnoringCase("kvr", ".kvr"));
}

TEST_F(RoleLibraryTest, EmptyAndMissingFoldersListNothing) {
    EXPECT_TRUE(RoleLibrary::list(m_folder).roles.empty());
    const RoleLibrary::Listing missing = RoleLibrary::list(file("none"));
    EXPECT_TRUE(missing.roles.empty());
    EXPECT_TRUE(missing.problems.empty());
}

TEST_F(RoleLibraryTest, MixedFolderListsReadableRolesSortedWithTheirOwnFiles) {
    putRole("b.kvr", "Nurse");
    putRole("a.kvr", "nurse");
    putRole("c.KVR", "Accountant");
    putRole("d.txt", "Ignored");
    fs::copy_file(std::string(DAMAGED_FILES) + "/role-cut-inside-its-name.kvr", file("broken.kvr"));
    fs::create_directory(file("folder.kvr"));

    const RoleLibrary::Listing listing = RoleLibrary::list(m_folder);
    EXPECT_EQ(names(listing), (std::vector<std::string>{"Accountant", "nurse", "Nurse"}));
    EXPECT_EQ(listing.roles[1].path, file("a.kvr"));
    EXPECT_EQ(listing.roles[2].path, file("b.kvr"));
    EXPECT_EQ(listing.problems,
              std::vector<std::string>{"Sorry, broken.kvr is damaged and cannot be read: the file ends unexpectedly."});
}

TEST_F(RoleLibraryTest, SeveralFoldersListTogetherAndSameNamesKeepTheirFoldersOrder) {
    fs::create_directory(file("mine"));
    fs::create_directory(file("shipped"));
    putRole("shipped/leader.kvr", "Team Leader");
    putRole("shipped/advisor.kvr", "Customer Advisor");
    putRole("mine/leader.kvr", "Team Leader");
    putRole("mine/coach.kvr", "Coach");

    const RoleLibrary::Listing listing =
        RoleLibrary::list(std::vector<std::string>{file("mine"), file("missing"), file("shipped")});
    EXPECT_EQ(names(listing), (std::vector<std::string>{"Coach", "Customer Advisor", "Team Leader", "Team Leader"}));
    EXPECT_EQ(listing.roles[2].path, file("mine/leader.kvr"));
    EXPECT_EQ(listing.roles[3].path, file("shipped/leader.kvr"));
}

TEST_F(RoleLibraryTest, AddingAsksBeforeReplacingAndRefusesWhatIsNotARole) {
    const std::string library = file("library");
    fs::create_directory(library);
    putRole("new.kvr", "Designer");

    ScriptedPrompts prompts;
    ASSERT_TRUE(RoleLibrary::addRoleFile(file("new.kvr"), library, prompts));
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Role profile added to your choice of roles."});
    EXPECT_EQ(names(RoleLibrary::list(library)), std::vector<std::string>{"Designer"});

    ScriptedPrompts keep;
    EXPECT_FALSE(RoleLibrary::addRoleFile(file("new.kvr"), library, keep));
    EXPECT_EQ(keep.texts(), std::vector<std::string>{"The file new.kvr is already in your choice of roles.  Do you "
                                                     "want to replace it?"});

    ASSERT_TRUE(AtomicFile::write(file("junk.kvr"), "not a role"));
    ScriptedPrompts junk;
    EXPECT_FALSE(RoleLibrary::addRoleFile(file("junk.kvr"), library, junk));
    EXPECT_EQ(junk.texts().size(), 1u);
    EXPECT_FALSE(fs::exists(fs::path(library) / "junk.kvr"));
}

TEST_F(RoleLibraryTest, ShowingGroupsBehavioursUnderTheirCompetencies) {
    putRole("a.kvr", "Lead");
    std::string problem;
    const std::optional<RoleLibrary::Showing> showing = RoleLibrary::show(file("a.kvr"), &problem);
    ASSERT_TRUE(showing) << problem;
    EXPECT_EQ(showing->description, "Leads a small team.");
    ASSERT_EQ(showing->competencies.size(), 2u);
    EXPECT_EQ(showing->competencies[0].name, "Communication");
    EXPECT_EQ(showing->competencies[0].behaviours,
              (std::vector<std::string>{"Listens to others", "Explains decisions"}));
    EXPECT_EQ(showing->competencies[1].behaviours, std::vector<std::string>{"Sets clear goals \xe9t\xe9"});

    EXPECT_FALSE(RoleLibrary::show(file("gone.kvr"), &problem));
    EXPECT_EQ(problem, "Sorry, cannot open gone.kvr: No such file or directory.");
}
