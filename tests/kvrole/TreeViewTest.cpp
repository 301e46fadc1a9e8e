// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestSupport.h"
#include "tests/support/ShownTitle.h"

#include "kvrole/KVRoleDoc.h"
#include "kvrole/ResponseDialog.h"
#include "kvrole/RoleDialogs.h"
#include "ui/Cp1252Text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>

using kvrole::ItemRef;

void EditorWindowFixture::expectTreeMatchesRole() const {
    const CRole& role = view()->document().role();
    QTreeWidgetItem* root = view()->rootItem();
    EXPECT_EQ(root->data(0, CKVRoleView::kValueRole).toInt(), 0);
    EXPECT_EQ(root->text(0), ui::fromCp1252(role.name));
    ASSERT_EQ(root->childCount(), static_cast<int>(role.framework.competencies.size()));
    int behaviour = 0;
    for (int competency = 0; competency < root->childCount(); ++competency) {
        QTreeWidgetItem* item = root->child(competency);
        EXPECT_EQ(item->data(0, CKVRoleView::kValueRole).toInt(), -(competency + 1));
        EXPECT_EQ(item->text(0),
                  ui::fromCp1252(role.framework.competencies[static_cast<std::size_t>(competency)].name));
        for (int child = 0; child < item->childCount(); ++child, ++behaviour) {
            const CBehaviour& listed = role.framework.behaviours.at(static_cast<std::size_t>(behaviour));
            EXPECT_EQ(item->child(child)->data(0, CKVRoleView::kValueRole).toInt(), behaviour + 1);
            EXPECT_EQ(item->child(child)->text(0), ui::fromCp1252(listed.statement));
            EXPECT_EQ(listed.competency, competency);
        }
    }
    EXPECT_EQ(behaviour, static_cast<int>(role.framework.behaviours.size()));
}

namespace {

class TreeView : public EditorWindowFixture {};

} // namespace

TEST_F(TreeView, ANewRoleShowsOnlyAnEmptyRootAndTheDefaultScale) {
    m_frame->newDocument();
    ASSERT_NE(view(), nullptr);
    EXPECT_EQ(view()->topLevelItemCount(), 1);
    EXPECT_EQ(view()->rootItem()->text(0), QString());
    EXPECT_EQ(view()->rootItem()->childCount(), 0);
    const CRole& role = view()->document().role();
    ASSERT_EQ(role.framework.scales.size(), 1u);
    EXPECT_EQ(role.framework.scales[0], defaultResponseScale());
    EXPECT_EQ(view()->document().title(), "Role1");
    m_frame->newDocument();
    EXPECT_EQ(view()->document().title(), "Role2");
}

TEST_F(TreeView, KeysAddCompetenciesAndBehavioursWhereTheySay) {
    m_frame->newDocument();
    key(Qt::Key_Tab); // root: new competency
    typeLabel("Communication");
    key(Qt::Key_Tab); // competency: new behaviour, first in it
    typeLabel("Listens well");
    key(Qt::Key_Return); // behaviour: another after it
    typeLabel("Writes clearly");
    view()->setCurrentItem(view()->rootItem());
    key(Qt::Key_Insert); // root: new competency, first
    typeLabel("Leadership");
    key(Qt::Key_Right); // competency: new behaviour
    typeLabel("Sets direction");

    const CRole& role = view()->document().role();
    ASSERT_EQ(role.framework.competencies.size(), 2u);
    EXPECT_EQ(role.framework.competencies[0].name, "Leadership");
    EXPECT_EQ(role.framework.competencies[1].name, "Communication");
    ASSERT_EQ(role.framework.behaviours.size(), 3u);
    EXPECT_EQ(role.framework.behaviours[0].statement, "Sets direction");
    EXPECT_EQ(role.framework.behaviours[1].statement, "Listens well");
    EXPECT_EQ(role.framework.behaviours[2].statement, "Writes clearly");
    EXPECT_TRUE(view()->document().isModified());
    expectTreeMatchesRole();
}

TEST_F(TreeView, DeleteKeyAsksAndRemovesAndRenumbers) {
    m_frame->newDocument();
    key(Qt::Key_Tab);
    typeLabel("A");
    key(Qt::Key_Tab);
    typeLabel("a1");
    view()->setCurrentItem(view()->rootItem()->child(0));
    key(Qt::Key_Return);
    typeLabel("B");
    key(Qt::Key_Tab);
    typeLabel("b1");

    view()->setCurrentItem(view()->rootItem());
    key(Qt::Key_Delete); // nothing on the root
    EXPECT_TRUE(m_context->prompts().texts().isEmpty());

    view()->setCurrentItem(view()->rootItem()->child(0));
    m_context->prompts().queueAnswer(true);
    key(Qt::Key_Delete);
    EXPECT_EQ(m_context->prompts().texts(),
              QStringList{"Are you sure you want to delete the competency 'A' and its behaviours?"});
    expectTreeMatchesRole();
    EXPECT_EQ(view()->rootItem()->child(0)->text(0), "B");
}

TEST_F(TreeView, DeletingTheRootThenSavingAndReopeningShowsOnlyTheRoot) {
    QTemporaryDir folder;
    m_frame->newDocument();
    key(Qt::Key_Tab);
    typeLabel("A");
    key(Qt::Key_Tab);
    typeLabel("a1");
    view()->setCurrentItem(view()->rootItem());
    m_context->prompts().queueAnswer(true);
    view()->deleteSelected();
    expectTreeMatchesRole();
    EXPECT_EQ(view()->rootItem()->childCount(), 0);

    const QString path = folder.filePath("empty.kvr");
    m_context->prompts().queueFileName(path);
    ASSERT_TRUE(m_frame->save(view()->document()));
    m_frame->action(CMainFrame::Command::Close)->trigger();
    QApplication::processEvents();
    ASSERT_NE(m_frame->openDocument(path), nullptr);
    EXPECT_EQ(view()->rootItem()->childCount(), 0);
    EXPECT_TRUE(view()->document().role().framework.behaviours.empty());
}

TEST_F(TreeView, EditingABehaviourIntoAnotherCompetencyPutsItLastThere) {
    m_frame->newDocument();
    CRole& role = view()->document().role();
    role.framework.competencies = {{"A", ""}, {"B", ""}};
    role.framework.behaviours = {{"a1", 0, 0, "", 0, ""}, {"a2", 0, 0, "", 0, ""}, {"b1", 1, 0, "", 0, ""}};
    view()->document().updateAllViews();
    view()->select(ItemRef::behaviour(0));

    whenModal<BehaviourDialog>([](BehaviourDialog* dialog) {
        EXPECT_EQ(dialog->textEdit()->toPlainText(), "a1");
        EXPECT_EQ(dialog->competencyList()->currentIndex(), 0);
        dialog->textEdit()->setPlainText("a1 edited");
        dialog->competencyList()->setCurrentIndex(1);
        dialog->accept();
    });
    m_frame->action(CMainFrame::Command::Edit)->trigger();

    ASSERT_EQ(role.framework.behaviours.size(), 3u);
    EXPECT_EQ(role.framework.behaviours[0].statement, "a2");
    EXPECT_EQ(role.framework.behaviours[1].statement, "b1");
    EXPECT_EQ(role.framework.behaviours[2].statement, "a1 edited");
    EXPECT_EQ(role.framework.behaviours[2].competency, 1);
    EXPECT_EQ(view()->selectedRef(), ItemRef::behaviour(2));
    expectTreeMatchesRole();
}

TEST_F(TreeView, TheResponseDialogOnANewRoleShowsTheScaleAndOkKeepsIt) {
    m_frame->newDocument();
    whenModal<ResponseDialog>([](ResponseDialog* dialog) {
        EXPECT_TRUE(dialog->useNotApplicableBox()->isChecked());
        EXPECT_EQ(dialog->promptCount()->value(), 3);
        EXPECT_EQ(dialog->promptCount()->maximum(), 5);
        EXPECT_EQ(dialog->box(0)->text(), "Not needed");
        EXPECT_EQ(dialog->box(3)->text(), "Clear strength");
        EXPECT_TRUE(dialog->box(0)->isEnabled());
        EXPECT_TRUE(dialog->box(3)->isEnabled());
        EXPECT_FALSE(dialog->box(4)->isEnabled());
        EXPECT_FALSE(dialog->box(6)->isEnabled());
        dialog->accept();
    });
    m_frame->action(CMainFrame::Command::EditResponses)->trigger();
    const CResponseScale& scale = view()->document().role().framework.scales[0];
    EXPECT_EQ(scale.optionCount, 4);
    EXPECT_EQ(scale.maximum, 2);
    EXPECT_EQ((std::vector<int>(scale.values.begin(), scale.values.begin() + 4)), (std::vector<int>{-1, 0, 1, 2}));
    EXPECT_EQ(scale.labels[0], "Not needed");
}

TEST_F(TreeView, ClearingNotApplicableWithSixPromptsInTheDialog) {
    m_frame->newDocument();
    whenModal<ResponseDialog>([](ResponseDialog* dialog) {
        dialog->useNotApplicableBox()->setChecked(false);
        EXPECT_FALSE(dialog->box(0)->isEnabled());
        dialog->promptCount()->setValue(6);
        EXPECT_TRUE(dialog->box(6)->isEnabled());
        for (int box = 1; box <= 6; ++box) {
            dialog->box(box)->setText(QStringLiteral("Level %1").arg(box));
        }
        // Ticking N/A again lowers 6 to 5; untick it before OK.
        dialog->useNotApplicableBox()->setChecked(true);
        EXPECT_EQ(dialog->promptCount()->value(), 5);
        EXPECT_FALSE(dialog->box(6)->isEnabled());
        dialog->useNotApplicableBox()->setChecked(false);
        dialog->promptCount()->setValue(6);
        dialog->accept();
    });
    m_frame->action(CMainFrame::Command::EditResponses)->trigger();
    const CResponseScale& scale = view()->document().role().framework.scales[0];
    EXPECT_EQ(scale.optionCount, 6);
    EXPECT_EQ(scale.maximum, 5);
    EXPECT_EQ(scale.values, (std::array<std::int32_t, 6>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(scale.labels[0], "Level 1");
    EXPECT_EQ(scale.labels[5], "Level 6");
    EXPECT_TRUE(view()->document().isModified());
}

TEST_F(TreeView, RenamingTheRootOfAnUnsavedRoleRenamesItsWindowButNotAfterSaving) {
    QTemporaryDir folder;
    m_frame->newDocument();
    view()->setCurrentItem(view()->rootItem());
    view()->editItem(view()->rootItem(), 0);
    typeLabel("Supervisor");
    EXPECT_EQ(view()->document().role().name, "Supervisor");
    EXPECT_EQ(view()->document().title(), "Supervisor");
    EXPECT_EQ(shownTitle(*m_frame), "Reflectory Kitsmith - Supervisor*"); // renamed, not yet saved

    m_context->prompts().queueFileName(folder.filePath("sup.kvr"));
    ASSERT_TRUE(m_frame->saveAs(view()->document()));
    EXPECT_EQ(view()->document().title(), "sup.kvr");
    EXPECT_EQ(shownTitle(*m_frame), "Reflectory Kitsmith - sup.kvr");
    whenModal<RoleDetailsDialog>([](RoleDetailsDialog* dialog) {
        dialog->nameEdit()->setText("Senior Supervisor");
        dialog->descriptionEdit()->setPlainText("Line one\nLine two");
        dialog->accept();
    });
    m_frame->action(CMainFrame::Command::RoleDetails)->trigger();
    EXPECT_EQ(view()->document().role().name, "Senior Supervisor");
    EXPECT_EQ(view()->document().role().description, "Line one\r\nLine two");
    EXPECT_EQ(view()->rootItem()->text(0), "Senior Supervisor");
    EXPECT_EQ(view()->document().title(), "sup.kvr");
}

TEST_F(TreeView, ThePopUpMenuOffersNewBehaviourOnlyBelowTheRootAndDeleteAllOnIt) {
    EXPECT_EQ(CKVRoleView::popupEntries(ItemRef::Kind::Root),
              (QStringList{"New &Competency", "", "&Edit...", "&Delete All"}));
    EXPECT_EQ(CKVRoleView::popupEntries(ItemRef::Kind::Behaviour),
              (QStringList{"New &Competency", "New &Behaviour", "", "&Edit...", "&Delete"}));
}

TEST_F(TreeView, TheLimitsShowTheirMessages) {
    m_frame->newDocument();
    CRole& role = view()->document().role();
    role.framework.competencies.resize(1024);
    role.framework.behaviours.assign(256, CBehaviour{"x", 0, 0, "", 0, ""});
    view()->document().updateAllViews();
    view()->setCurrentItem(view()->rootItem()->child(0));
    key(Qt::Key_Return);
    key(Qt::Key_Tab);
    EXPECT_EQ(m_context->prompts().texts(), (QStringList{"You have reached the maximum number of competencies",
                                                         "You have reached the maximum number of behaviours"}));
}
