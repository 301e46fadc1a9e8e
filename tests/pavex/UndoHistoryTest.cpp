// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/pavex/MainWindowFixture.h"

#include "model/JournalSnapshot.h"
#include "pavex/editors/ActionDialog.h"
#include "pavex/editors/BehaviourJournalDialog.h"
#include "pavex/editors/QuestionnaireDetailsDialog.h"
#include "pavex/options/OptionSheet.h"
#include "pavex/rolechoice/RoleChoiceDialog.h"
#include "tests/support/ModalScript.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

class UndoHistoryTest : public MainWindowTest {
protected:
    std::string bytes() { return JournalSnapshot::take(m_frame->document()); }
    QAction* undo() const { return m_frame->action(CMainFrame::Command::Undo); }
    QAction* redo() const { return m_frame->action(CMainFrame::Command::Redo); }

    // Runs a command on the saved journal: Undo must give back the bytes before it and clear the
    // modified mark and the title's [*], Redo the bytes after it; the menu names the step.
    void expectOneStep(const QString& step, const std::function<void()>& command) {
        SCOPED_TRACE(step.toStdString());
        if (m_frame->document().path.empty()) {
            m_prompts.queueFileName(QString::fromStdString(m_temp.file("New.kva")));
        }
        ASSERT_TRUE(m_frame->save());
        const std::string before = bytes();
        command();
        QApplication::processEvents();
        const std::string after = bytes();
        ASSERT_NE(after, before) << "the command changed nothing";
        EXPECT_TRUE(m_frame->document().modified);
        EXPECT_TRUE(m_frame->isWindowModified());
        EXPECT_EQ(undo()->text(), "&Undo " + step);
        EXPECT_TRUE(undo()->isEnabled());
        EXPECT_FALSE(redo()->isEnabled());

        undo()->trigger();
        EXPECT_EQ(bytes(), before);
        EXPECT_FALSE(m_frame->document().modified);
        EXPECT_FALSE(m_frame->isWindowModified());
        EXPECT_EQ(redo()->text(), "&Redo " + step);
        EXPECT_TRUE(redo()->isEnabled());

        redo()->trigger();
        EXPECT_EQ(bytes(), after);
        EXPECT_TRUE(m_frame->document().modified);
        EXPECT_TRUE(m_frame->isWindowModified());
        EXPECT_FALSE(redo()->isEnabled());
    }

    void select(const ContentNode& node) { tree().selectNode(node); }
};

TEST_F(UndoHistoryTest, EveryEditOfAJournalIsOneStepThatUndoesToItsBytes) {
    openSample();
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_EQ(undo()->text(), "&Undo");

    expectOneStep("Mark For Development", [&] { m_frame->toggleBehaviourMark(0); });
    expectOneStep("Use In Results", [&] {
        select(contents().landmarks().feedback->child(0));
        m_frame->toggleSelectedNode();
    });
    expectOneStep("Completed", [&] {
        select(contents().landmarks().actions->child(1));
        m_frame->toggleSelectedNode();
    });
    expectOneStep("Edit Questionnaire", [&] {
        whenModal<QuestionnaireDetailsDialog>([](QuestionnaireDetailsDialog* dialog) {
            dialog->nameEdit()->setText("Jordan");
            dialog->accept();
        });
        select(contents().landmarks().feedback->child(1));
        m_frame->editSelectedNode();
    });
    expectOneStep("Edit Journal", [&] {
        whenModal<BehaviourJournalDialog>([](BehaviourJournalDialog* dialog) {
            dialog->markedBox()->setChecked(!dialog->markedBox()->isChecked());
            dialog->accept();
        });
        m_frame->editBehaviourJournal(2);
    });
    expectOneStep("New Action", [&] {
        select(*contents().landmarks().firstBehaviour);
        whenModal<ActionDialog>([](ActionDialog* dialog) { dialog->accept(); });
        m_frame->action(CMainFrame::Command::NewAction)->trigger();
    });
    expectOneStep("Options", [&] {
        whenModal<COptionSheet>([](COptionSheet* sheet) {
            sheet->colourPage()->button(8)->setColour(QColor(10, 20, 30));
            sheet->accept();
        });
        m_frame->showOptions();
    });
    expectOneStep("Delete Action", [&] {
        select(contents().landmarks().actions->child(0));
        m_prompts.queueAnswer(true);
        m_frame->deleteSelectedNode();
    });
    expectOneStep("Delete Questionnaire", [&] {
        select(contents().landmarks().feedback->child(0));
        m_prompts.queueAnswer(true);
        m_frame->deleteSelectedNode();
    });
}

TEST_F(UndoHistoryTest, AMergeIsOneStepNamedAfterItsAssessorAndTheTreeKeepsItsPlace) {
    openSample();
    const std::string request = answeredRequest(m_frame->document());
    const ContentNode& actions = *contents().landmarks().actions;
    select(actions.child(1));
    tree().itemOf(*contents().landmarks().results)->setExpanded(false);
    expectOneStep("Merge Feedback from Robin", [&] { drop({QString::fromStdString(request)}); });
    undo()->trigger();
    EXPECT_EQ(m_frame->document().questionnaires.size(), 2u);
    EXPECT_EQ(contents().landmarks().feedback->childCount(), 2u);
    EXPECT_EQ(tree().selectedNode(), &contents().landmarks().actions->child(1)) << "the selection stays";
    EXPECT_FALSE(tree().itemOf(*contents().landmarks().results)->isExpanded()) << "a folded branch stays folded";

    // New and Open start without a history.
    redo()->trigger();
    m_prompts.setUnqueuedSaveAnswer(SaveAnswer::No);
    ASSERT_TRUE(m_frame->newJournal());
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_FALSE(redo()->isEnabled());
}

TEST_F(UndoHistoryTest, ChoosingARoleIsUndoneToTheJournalWithoutOne) {
    ui::Settings(ui::SettingsScope::journalProgram()).setText("RoleDirectory", PAVEX_ROLE_FOLDER);
    expectOneStep("Choose Role", [&] {
        whenModal<RoleChoiceDialog>([](RoleChoiceDialog* dialog) {
            dialog->roleList()->setCurrentRow(0);
            dialog->okButton()->click();
        });
        m_frame->chooseRole();
    });
    undo()->trigger();
    EXPECT_FALSE(m_frame->document().hasRole());
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::ChooseRole)->isEnabled());
    EXPECT_FALSE(m_frame->action(CMainFrame::Command::NewAction)->isEnabled());
}

} // namespace
