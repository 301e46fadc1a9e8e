// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestSupport.h"
#include "RoleOutline.h"

#include "kvrole/ChildFrame.h"
#include "kvrole/KVRoleDoc.h"
#include "kvrole/ResponseDialog.h"
#include "kvrole/RoleDialogs.h"
#include "kvrole/core/RoleTransfer.h"
#include "model/RoleFile.h"
#include "model/ScriptedPrompts.h"
#include "tests/support/Samples.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>

#include <random>

using kvrole::ItemRef;

namespace {

constexpr std::size_t kSteps = ui::SnapshotHistory::kMaxSteps;

class UndoWindow : public EditorWindowFixture {
protected:
    CKVRoleDoc& document() const { return view()->document(); }
    std::string bytes() const { return RoleFile::encode(document().role()); }
    QAction* undo() const { return m_frame->action(CMainFrame::Command::Undo); }
    QAction* redo() const { return m_frame->action(CMainFrame::Command::Redo); }

    // The sample role, read from its file: unmodified, with nothing to undo.
    void openSample() {
        const QString path = m_folder.filePath("team.kvr");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(RoleFile::encode(samples::role())));
        file.close();
        ASSERT_NE(m_frame->openDocument(path), nullptr);
    }

    void activate(CKVRoleView* shown) {
        for (CChildFrame* frame : m_frame->framesOf(&shown->document())) {
            if (frame->view() == shown) {
                m_frame->mdiArea()->setActiveSubWindow(frame);
            }
        }
    }

    // Runs a command on the saved role: Undo must give back the bytes before it and clear the
    // modified mark, Redo the bytes after it, and the menu must name the step throughout.
    void expectOneStep(const QString& step, const std::function<void()>& command) {
        SCOPED_TRACE(step.toStdString());
        ASSERT_TRUE(m_frame->save(document()));
        const std::string before = bytes();
        command();
        // A new item's label editor is left as the user would leave it: with Escape.
        if (auto* editor = qobject_cast<QLineEdit*>(view()->indexWidget(view()->currentIndex()))) {
            QTest::keyClick(editor, Qt::Key_Escape);
        }
        QApplication::processEvents();
        const std::string after = bytes();
        ASSERT_NE(after, before) << "the command changed nothing";
        EXPECT_TRUE(document().isModified());
        EXPECT_TRUE(m_frame->isWindowModified());
        EXPECT_EQ(undo()->text(), "&Undo " + step);
        EXPECT_TRUE(undo()->isEnabled());
        EXPECT_FALSE(redo()->isEnabled());
        EXPECT_EQ(redo()->text(), "&Redo");

        undo()->trigger();
        EXPECT_EQ(bytes(), before);
        EXPECT_FALSE(document().isModified());
        EXPECT_FALSE(m_frame->isWindowModified()) << "the title's [*] goes with the undo to the saved role";
        EXPECT_EQ(redo()->text(), "&Redo " + step);
        EXPECT_TRUE(redo()->isEnabled());
        expectTreeMatchesRole();

        redo()->trigger();
        EXPECT_EQ(bytes(), after);
        EXPECT_TRUE(document().isModified());
        EXPECT_FALSE(redo()->isEnabled());
        expectTreeMatchesRole();
    }

    void select(ItemRef item) { view()->select(item); }
    void trigger(CMainFrame::Command command) {
        m_frame->action(command)->trigger();
        QApplication::processEvents();
    }

    QTemporaryDir m_folder;
};

TEST_F(UndoWindow, EveryEditOfARoleIsOneStepThatUndoesToItsBytes) {
    openSample();
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_FALSE(redo()->isEnabled());
    m_context->setConfirmDelete(false);
    const QString csv = m_folder.filePath("more.csv");
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Writes clearly,Communication\r\nDelegates,Leading\r\n");
    file.close();

    expectOneStep("Rename Competency", [&] { view()->rootItem()->child(0)->setText(0, "Talking"); });
    // The trap of a paste into the label being edited: the role's name takes the whole clipboard.
    expectOneStep("Rename Role", [&] { view()->rootItem()->setText(0, "Team Leader\tListens\tSpeaks"); });
    expectOneStep("New Competency", [&] {
        select(ItemRef::root());
        key(Qt::Key_Tab);
    });
    expectOneStep("New Behaviour", [&] {
        select(ItemRef::competency(0));
        key(Qt::Key_Right);
    });
    expectOneStep("Edit Competency", [&] {
        whenModal<CompetencyDialog>([](CompetencyDialog* dialog) {
            dialog->nameEdit()->setText("Speaking");
            dialog->accept();
        });
        select(ItemRef::competency(1));
        trigger(CMainFrame::Command::Edit);
    });
    expectOneStep("Role Details", [&] {
        whenModal<RoleDetailsDialog>([](RoleDetailsDialog* dialog) {
            dialog->descriptionEdit()->setPlainText("Another\nDescription");
            dialog->accept();
        });
        trigger(CMainFrame::Command::RoleDetails);
    });
    expectOneStep("Edit Responses", [&] {
        whenModal<ResponseDialog>([](ResponseDialog* dialog) {
            dialog->box(1)->setText("Never");
            dialog->accept();
        });
        trigger(CMainFrame::Command::EditResponses);
    });
    expectOneStep("Merge CSV File", [&] {
        m_context->prompts().queueFileName(csv);
        trigger(CMainFrame::Command::Merge);
    });
    expectOneStep("Delete Behaviour", [&] {
        select(ItemRef::behaviour(1));
        trigger(CMainFrame::Command::Delete);
    });
    expectOneStep("Delete Competency", [&] {
        select(ItemRef::competency(0));
        trigger(CMainFrame::Command::Delete);
    });
    expectOneStep("Delete All", [&] {
        select(ItemRef::root());
        trigger(CMainFrame::Command::Delete);
    });
    undo()->trigger();
    expectOneStep("Cut Role", [&] {
        select(ItemRef::root());
        trigger(CMainFrame::Command::Cut);
    });
    // What the Cut took goes back in as one step too.
    expectOneStep("Paste", [&] {
        select(ItemRef::root());
        trigger(CMainFrame::Command::Paste);
    });
}

TEST_F(UndoWindow, AnUndoInOneWindowIsSeenInEveryWindowOfTheRoleWhichKeepItsPlace) {
    openSample();
    CKVRoleView* first = view();
    trigger(CMainFrame::Command::NewWindow);
    CKVRoleView* second = view();
    ASSERT_NE(first, second);

    m_context->setConfirmDelete(false);
    second->select(ItemRef::behaviour(0));
    trigger(CMainFrame::Command::Delete);
    ASSERT_EQ(document().role().framework.behaviours.size(), 2u);
    first->rootItem()->child(1)->setExpanded(true);
    first->select(ItemRef::behaviour(1));

    // A window of another role has a history of its own.
    m_frame->newDocument();
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_EQ(undo()->text(), "&Undo");

    activate(first);
    EXPECT_EQ(undo()->text(), "&Undo Delete Behaviour");
    undo()->trigger();
    EXPECT_EQ(outlineOf(first->document().role().framework), outlineOf(samples::role().framework));
    for (CKVRoleView* shown : {first, second}) {
        activate(shown);
        expectTreeMatchesRole();
    }
    EXPECT_TRUE(first->rootItem()->child(1)->isExpanded()) << "the open branch stays open";
    EXPECT_EQ(first->selectedRef(), ItemRef::behaviour(1)) << "the selection stays";

    // Either window's keys undo and redo the one history.
    activate(second);
    QTest::keyClick(second, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(first->document().role().framework.behaviours.size(), 2u);
    QTest::keyClick(second, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(first->document().role().framework.behaviours.size(), 3u);
    QTest::keyClick(second, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(first->document().role().framework.behaviours.size(), 2u);
}

// A seeded run of the editor's commands, undos and redos on a role, checked against the list of
// encoded states the test keeps itself.
TEST(RoleHistory, ARandomRunOnARoleAlwaysComesBackToTheBytesTheTestKept) {
    CKVRoleDoc document(1);
    document.role() = samples::role();
    ScriptedPrompts prompts;
    kvrole::RoleEditor editor(document.role(), prompts);
    std::vector<std::string> states{RoleFile::encode(document.role())};
    std::size_t at = 0;
    std::size_t oldest = 0;
    std::mt19937 random(5050);
    const auto anyItem = [&]() {
        const CPavexFramework& framework = document.role().framework;
        const std::size_t count = 1 + framework.competencies.size() + framework.behaviours.size();
        const std::size_t pick = random() % count;
        if (pick == 0) {
            return ItemRef::root();
        }
        return pick <= framework.competencies.size()
                   ? ItemRef::competency(static_cast<int>(pick - 1))
                   : ItemRef::behaviour(static_cast<int>(pick - 1 - framework.competencies.size()));
    };
    for (int round = 0; round < 300; ++round) {
        const unsigned choice = random() % 10;
        QUndoStack& stack = document.history().stack();
        if (choice < 2) {
            ASSERT_EQ(stack.canUndo(), at > oldest);
            if (stack.canUndo()) {
                stack.undo();
                --at;
            }
        } else if (choice < 4) {
            ASSERT_EQ(stack.canRedo(), at + 1 < states.size());
            if (stack.canRedo()) {
                stack.redo();
                ++at;
            }
        } else {
            document.record("Edit", [&] {
                const ItemRef item = anyItem();
                switch (choice) {
                case 4:
                    editor.newCompetency(item);
                    break;
                case 5:
                    editor.newBehaviour(item);
                    break;
                case 6:
                    editor.rename(item, "name " + std::to_string(random() % 4));
                    break;
                case 7:
                    if (item.kind != ItemRef::Kind::Root || random() % 4 == 0) {
                        editor.remove(item, false);
                    }
                    break;
                case 8:
                    kvrole::transfer::moveItem(document.role().framework, item, anyItem());
                    break;
                default:
                    kvrole::transfer::paste(document.role().framework, item,
                                            kvrole::transfer::parsePasteTable("Pasted\tOne\r\nPasted\tTwo\r\n"),
                                            prompts);
                    break;
                }
            });
            if (std::string now = RoleFile::encode(document.role()); now != states[at]) {
                states.resize(at + 1);
                states.push_back(std::move(now));
                ++at;
                oldest = std::max(oldest, at > kSteps ? at - kSteps : 0);
            }
        }
        ASSERT_EQ(RoleFile::encode(document.role()), states[at]) << "round " << round;
    }
    EXPECT_GT(states.size(), 100u);
}

} // namespace
