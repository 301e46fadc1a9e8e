// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/AtomicFile.h"
#include "model/RoleFile.h"
#include "model/ScriptedPrompts.h"
#include "model/Windows1252.h"
#include "pavex/rolechoice/RoleChoiceDialog.h"
#include "tests/support/Samples.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class RoleChoiceTest : public ::testing::Test {
protected:
    std::string writeRole(const std::string& file, const std::string& name, const std::string& description) {
        CRole role = samples::role();
        role.name = name;
        role.description = description;
        const std::string path = m_folder.file(file);
        EXPECT_TRUE(AtomicFile::write(path, RoleFile::encode(role)));
        return path;
    }

    std::string folder() const { return m_folder.path() + "/"; }

    TempFolder m_folder{"pavex-roles-test"};
    ScriptedPrompts m_prompts;
};

TEST_F(RoleChoiceTest, ListsRolesByNameAndEachEntryKeepsItsOwnFile) {
    writeRole("b.kvr", "Team leader", "Leads the team");
    writeRole("a.kvr", "Team leader", "Leads another team");
    writeRole("c.kvr", "Analyst", "Looks at numbers");
    RoleChoiceDialog dialog(folder(), m_prompts);
    EXPECT_EQ(dialog.windowTitle(), "Choosing Your Role");
    ASSERT_EQ(dialog.roleList()->count(), 3);
    EXPECT_EQ(dialog.roleList()->item(0)->text(), "Analyst");
    EXPECT_EQ(dialog.roleList()->item(1)->text(), "Team leader");
    EXPECT_EQ(dialog.roleList()->item(2)->text(), "Team leader");
    EXPECT_NE(dialog.entries()[1].path, dialog.entries()[2].path);
    EXPECT_FALSE(dialog.okButton()->isEnabled());

    // Each of the two equal names shows its own file's description.
    dialog.roleList()->setCurrentRow(1);
    const QString first = dialog.descriptionBox()->toPlainText();
    dialog.roleList()->setCurrentRow(2);
    EXPECT_NE(dialog.descriptionBox()->toPlainText(), first);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
}

TEST_F(RoleChoiceTest, SelectingShowsCompetenciesWithTheirBehavioursAndOkReadsTheRole) {
    writeRole("r.kvr", "Team leader", "Leads the team");
    writeRole("s.kvr", "Tester", "Tests the product");
    RoleChoiceDialog dialog(folder(), m_prompts);
    dialog.show();
    dialog.activateWindow(); // a bare X server without a window manager activates nothing itself
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ASSERT_EQ(QApplication::focusWidget(), dialog.roleList()); // the keyboard starts at the list
    // Focus alone chooses nothing: no role is shown and OK waits for a selection.
    EXPECT_TRUE(dialog.descriptionBox()->toPlainText().isEmpty());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(dialog.descriptionBox()->toPlainText(), "Tests the product");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    ASSERT_EQ(dialog.roleList()->currentRow(), 0);
    EXPECT_EQ(dialog.descriptionBox()->toPlainText(), "Leads the team");
    const CRole role = samples::role();
    QTreeWidget* tree = dialog.contentsTree();
    ASSERT_EQ(tree->topLevelItemCount(), static_cast<int>(role.framework.competencies.size()));
    for (int c = 0; c < tree->topLevelItemCount(); ++c) {
        QTreeWidgetItem* competency = tree->topLevelItem(c);
        EXPECT_EQ(competency->text(0).toStdString(), cp1252::toUtf8(role.framework.competencies[c].name));
        std::vector<std::string> expected;
        for (const CBehaviour& behaviour : role.framework.behaviours) {
            if (behaviour.competency == c) {
                expected.push_back(cp1252::toUtf8(behaviour.statement));
            }
        }
        ASSERT_EQ(competency->childCount(), static_cast<int>(expected.size()));
        for (int b = 0; b < competency->childCount(); ++b) {
            EXPECT_EQ(competency->child(b)->text(0).toStdString(), expected[b]);
        }
    }
    dialog.accept();
    ASSERT_TRUE(dialog.chosenRole());
    EXPECT_EQ(dialog.chosenRole()->name, "Team leader");
    EXPECT_EQ(dialog.chosenRole()->framework.behaviours.size(), role.framework.behaviours.size());
}

TEST_F(RoleChoiceTest, AnEmptyOrMissingFolderOffersNothingToChoose) {
    RoleChoiceDialog empty(folder(), m_prompts);
    EXPECT_EQ(empty.roleList()->count(), 0);
    EXPECT_FALSE(empty.okButton()->isEnabled());
    RoleChoiceDialog missing(m_folder.file("nowhere") + "/", m_prompts);
    EXPECT_EQ(missing.roleList()->count(), 0);
    missing.accept();
    EXPECT_FALSE(missing.chosenRole());
    EXPECT_TRUE(m_prompts.shown().empty());
}

TEST_F(RoleChoiceTest, DamagedRoleFilesAreNamedOnceAndTheRestListed) {
    writeRole("good.kvr", "Analyst", "Looks at numbers");
    ASSERT_TRUE(AtomicFile::write(m_folder.file("broken.kvr"), "not a role"));
    RoleChoiceDialog dialog(folder(), m_prompts);
    QApplication::processEvents();
    EXPECT_EQ(dialog.roleList()->count(), 1);
    ASSERT_EQ(m_prompts.shown().size(), 1u);
    EXPECT_NE(m_prompts.shown()[0].text.find("broken.kvr"), std::string::npos);

    // A file that goes bad after it was listed is told at OK, and the choice is not made.
    const std::string good = m_folder.file("good.kvr");
    dialog.roleList()->setCurrentRow(0);
    ASSERT_TRUE(AtomicFile::write(good, "gone bad"));
    dialog.accept();
    EXPECT_FALSE(dialog.chosenRole());
    EXPECT_EQ(m_prompts.shown().size(), 2u);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
}

TEST_F(RoleChoiceTest, ARoleThatNoLongerReadsWhenSelectedShowsNothingAndCannotBeChosen) {
    writeRole("a.kvr", "Analyst", "Looks at numbers");
    const std::string later = writeRole("b.kvr", "Buyer", "Buys things");
    RoleChoiceDialog dialog(folder(), m_prompts);
    dialog.roleList()->setCurrentRow(0);
    ASSERT_TRUE(dialog.okButton()->isEnabled());
    ASSERT_TRUE(AtomicFile::write(later, "gone bad"));
    dialog.roleList()->setCurrentRow(1);
    ASSERT_EQ(m_prompts.shown().size(), 1u);
    EXPECT_NE(m_prompts.shown()[0].text.find("b.kvr"), std::string::npos);
    EXPECT_TRUE(dialog.descriptionBox()->toPlainText().isEmpty());
    EXPECT_EQ(dialog.contentsTree()->topLevelItemCount(), 0);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
}

} // namespace
