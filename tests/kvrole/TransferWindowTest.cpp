// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestSupport.h"
#include "RoleOutline.h"

#include "kvrole/ChildFrame.h"
#include "kvrole/KVRoleDoc.h"
#include "kvrole/RoleClipboard.h"
#include "kvrole/RoleDrag.h"
#include "kvrole/core/RoleTransfer.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QStatusBar>

using kvrole::ItemRef;

namespace {

using Outline = RoleOutline;

Outline outline(const CPavexFramework& framework) {
    return outlineOf(framework);
}

class TransferWindow : public EditorWindowFixture {
protected:
    // A new document holding `lines` ("name:statement,statement"), shown in the active window.
    CKVRoleView* openRole(const Outline& lines) {
        m_frame->newDocument();
        appendOutline(view()->document().role().framework, lines);
        view()->document().updateAllViews();
        return view();
    }

    CKVRoleView* openRoleOfBehaviours(int count) {
        std::string line = "Full:";
        for (int index = 0; index < count; ++index) {
            line += (index ? ",b" : "b") + std::to_string(index);
        }
        return openRole({line});
    }

    void activate(CKVRoleView* shown) {
        for (QMdiSubWindow* window : m_frame->mdiArea()->subWindowList()) {
            if (auto* frame = dynamic_cast<CChildFrame*>(window); frame && frame->view() == shown) {
                m_frame->mdiArea()->setActiveSubWindow(frame);
            }
        }
    }

    void trigger(CMainFrame::Command command, CKVRoleView* on, ItemRef item) {
        activate(on);
        on->select(item);
        m_frame->action(command)->trigger();
        QApplication::processEvents();
    }

    // Drags over `target` to `item` (or below the last item when null) and drops there, as Qt
    // delivers a drag: enter, move, drop. Returns the action the drop was taken with.
    static Qt::DropAction dropOn(CKVRoleView* target, QTreeWidgetItem* item, const QMimeData* data) {
        const QPoint at = item ? target->visualItemRect(item).center() : QPoint(10, target->viewport()->height() - 4);
        const Qt::DropActions offered = Qt::MoveAction | Qt::CopyAction;
        QDragEnterEvent enter(at, offered, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target->viewport(), &enter);
        QDragMoveEvent move(at, offered, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target->viewport(), &move);
        if (!move.isAccepted()) {
            QDragLeaveEvent leave;
            QApplication::sendEvent(target->viewport(), &leave);
            return Qt::IgnoreAction;
        }
        EXPECT_EQ(target->dropHighlight(), item ? item : target->rootItem());
        QDropEvent drop(at, offered, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target->viewport(), &drop);
        EXPECT_EQ(target->dropHighlight(), nullptr);
        QApplication::processEvents();
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }

    // A whole drag of `dragged` from `source`, dropped on `item` of `target`.
    static Qt::DropAction drag(CKVRoleView* source, ItemRef dragged, CKVRoleView* target, QTreeWidgetItem* item) {
        std::unique_ptr<QMimeData> data(RoleDrag::begin(source, dragged));
        const Qt::DropAction action = dropOn(target, item, data.get());
        RoleDrag::end();
        QApplication::processEvents();
        return action;
    }
};

TEST_F(TransferWindow, CutTakesTheItemWithoutAskingWhateverConfirmDeleteSays) {
    CKVRoleView* shown = openRole({"Listening:Asks,Waits", "Planning:Sets goals"});
    m_context->setConfirmDelete(true);
    trigger(CMainFrame::Command::Cut, shown, ItemRef::competency(0));

    EXPECT_TRUE(m_context->prompts().texts().isEmpty());
    EXPECT_EQ(outline(shown->document().role().framework), Outline{"Planning:Sets goals"});
    EXPECT_TRUE(shown->document().isModified());
    expectTreeMatchesRole();
    const QMimeData* held = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->data(roleclipboard::kCp1252Format), QByteArray("Listening\tAsks\r\nListening\tWaits\r\n"));
    EXPECT_EQ(held->text(), "Listening\tAsks\r\nListening\tWaits\r\n");

    // Cut by its key on the root empties the role, again without a question.
    shown->select(ItemRef::root());
    QTest::keyClick(shown, Qt::Key_X, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_TRUE(m_context->prompts().texts().isEmpty());
    EXPECT_TRUE(shown->document().role().framework.competencies.empty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Planning\tSets goals\r\n");
}

TEST_F(TransferWindow, CutOnTheRootTakesOnlyWhatItPutOnTheClipboardAndSaysWhatStayed) {
    CKVRoleView* shown = openRole({"Listening:Asks,Waits", "Empty:", "Planning:Sets goals", "Blank:"});
    trigger(CMainFrame::Command::Cut, shown, ItemRef::root());
    EXPECT_EQ(outline(shown->document().role().framework), (Outline{"Empty:", "Blank:"}));
    EXPECT_EQ(m_frame->statusBar()->currentMessage(),
              "2 competencies without behaviours stay in the role: the Clipboard holds behaviours only.");
    EXPECT_TRUE(shown->document().isModified());
    expectTreeMatchesRole();

    // Pasted into an empty role, the cut competencies come back whole.
    CKVRoleView* empty = openRole({});
    trigger(CMainFrame::Command::Paste, empty, ItemRef::root());
    EXPECT_EQ(outline(empty->document().role().framework), (Outline{"Listening:Asks,Waits", "Planning:Sets goals"}));

    // A role of empty competencies only: nothing is cut and nothing changes.
    CKVRoleView* hollow = openRole({"Empty:"});
    hollow->document().setModified(false);
    trigger(CMainFrame::Command::Cut, hollow, ItemRef::root());
    EXPECT_EQ(outline(hollow->document().role().framework), Outline{"Empty:"});
    EXPECT_FALSE(hollow->document().isModified());
    EXPECT_EQ(m_frame->statusBar()->currentMessage(),
              "1 competency without behaviours stays in the role: the Clipboard holds behaviours only.");
}

TEST_F(TransferWindow, CopyPutsTheCodePageBytesAndUnicodeTextAndPastePrefersTheCodePage) {
    CKVRoleView* shown = openRole({"Caf\xE9:Says \x93thank you\x94"});
    // Ctrl+C is the window's Copy, not the item view's copy of the item's text.
    activate(shown);
    shown->select(ItemRef::root());
    QTest::keyClick(shown, Qt::Key_C, Qt::ControlModifier);
    QApplication::processEvents();
    const QMimeData* held = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->data(roleclipboard::kCp1252Format), QByteArray("Caf\xE9\tSays \x93thank you\x94\r\n"));
    EXPECT_EQ(held->text(), QString::fromUtf8("Café\tSays “thank you”\r\n"));
    EXPECT_FALSE(shown->document().isModified());

    // With both flavours present the code page's bytes are taken, not the plain text.
    auto* both = new QMimeData;
    both->setText("Wrong");
    both->setData(roleclipboard::kCp1252Format, "R\xE9sum\xE9");
    QGuiApplication::clipboard()->setMimeData(both);
    trigger(CMainFrame::Command::Paste, shown, ItemRef::behaviour(0));
    // Plain text alone: characters the code page lacks are stored as "?" once the person agrees.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Snow \u2603\r\n"));
    m_context->prompts().queueAnswer(true);
    trigger(CMainFrame::Command::Paste, shown, ItemRef::behaviour(0));
    EXPECT_TRUE(m_context->prompts().texts().back().startsWith("Line 1 of the pasted text holds characters"));
    EXPECT_EQ(outline(shown->document().role().framework),
              Outline{"Caf\xE9:Snow ?,R\xE9sum\xE9,Says \x93thank you\x94"});
    EXPECT_TRUE(shown->document().isModified());
    expectTreeMatchesRole();
}

TEST_F(TransferWindow, AOneColumnPasteOnABehaviourGoesInFrontOfItInOrderAndIsSelected) {
    CKVRoleView* shown = openRole({"A:first,last", "B:other"});
    QGuiApplication::clipboard()->setText("  one\r\n\r\ntwo  \nthree\n");
    trigger(CMainFrame::Command::Paste, shown, ItemRef::behaviour(1));
    EXPECT_EQ(outline(shown->document().role().framework), (Outline{"A:first,one,two,three,last", "B:other"}));
    EXPECT_TRUE(shown->rootItem()->child(0)->isExpanded());
    expectTreeMatchesRole();

    // A paste the role cannot hold changes nothing and says so.
    QString many;
    for (int line = 0; line < 256; ++line) {
        many += QStringLiteral("row %1\n").arg(line);
    }
    CKVRoleView* full = openRoleOfBehaviours(10);
    QGuiApplication::clipboard()->setText(many);
    trigger(CMainFrame::Command::Paste, full, ItemRef::competency(0));
    EXPECT_EQ(m_context->prompts().texts(), QStringList{QString::fromLatin1(kvrole::transfer::kPasteDoesNotFit)});
    EXPECT_EQ(full->document().role().framework.behaviours.size(), 10u);
    EXPECT_FALSE(full->document().isModified());

    // Without text on the clipboard Paste does nothing.
    QGuiApplication::clipboard()->clear();
    trigger(CMainFrame::Command::Paste, full, ItemRef::competency(0));
    EXPECT_FALSE(full->document().isModified());
}

TEST_F(TransferWindow, DraggingWithinAWindowMovesAndDropsThatChangeNothingAreRefused) {
    CKVRoleView* shown = openRole({"A:a1,a2", "B:b1", "C:"});
    QTreeWidgetItem* root = shown->rootItem();
    root->child(0)->setExpanded(true);
    root->child(1)->setExpanded(true);
    // A behaviour onto the one directly below it, and onto the root: the no-drop cursor, no change.
    EXPECT_EQ(drag(shown, ItemRef::behaviour(0), shown, root->child(0)->child(1)), Qt::IgnoreAction);
    EXPECT_EQ(drag(shown, ItemRef::behaviour(0), shown, root), Qt::IgnoreAction);
    EXPECT_FALSE(shown->document().isModified());

    // A behaviour onto a competency goes last there and stays selected.
    EXPECT_EQ(drag(shown, ItemRef::behaviour(0), shown, shown->rootItem()->child(1)), Qt::MoveAction);
    EXPECT_EQ(outline(shown->document().role().framework), (Outline{"A:a2", "B:b1,a1", "C:"}));
    EXPECT_EQ(shown->currentItem()->text(0), "a1");
    EXPECT_TRUE(shown->document().isModified());
    expectTreeMatchesRole();

    // A competency onto the next one changes nothing; dropped below the last item it goes last.
    EXPECT_EQ(drag(shown, ItemRef::competency(0), shown, shown->rootItem()->child(1)), Qt::IgnoreAction);
    EXPECT_EQ(outline(shown->document().role().framework), (Outline{"A:a2", "B:b1,a1", "C:"}));
    EXPECT_EQ(drag(shown, ItemRef::competency(0), shown, nullptr), Qt::MoveAction);
    EXPECT_EQ(outline(shown->document().role().framework), (Outline{"B:b1,a1", "C:", "A:a2"}));
    // What was unfolded stays unfolded wherever it went.
    EXPECT_TRUE(shown->rootItem()->child(0)->isExpanded());
    EXPECT_TRUE(shown->rootItem()->child(2)->isExpanded());
    EXPECT_FALSE(shown->rootItem()->child(1)->isExpanded());
    expectTreeMatchesRole();
}

TEST_F(TransferWindow, ADropIntoAnotherRoleCopiesUpToTheBehaviourLimitAndRefusesPastIt) {
    CKVRoleView* source = openRole({"Six:s1,s2,s3,s4,s5,s6"});
    CKVRoleView* at250 = openRoleOfBehaviours(250);
    CKVRoleView* at251 = openRoleOfBehaviours(251);

    EXPECT_EQ(drag(source, ItemRef::competency(0), at250, at250->rootItem()), Qt::CopyAction);
    EXPECT_EQ(at250->document().role().framework.behaviours.size(), 256u);
    EXPECT_EQ(at250->document().role().framework.competencies.back().name, "Six");
    EXPECT_TRUE(at250->document().isModified());
    EXPECT_FALSE(source->document().isModified());
    EXPECT_EQ(outline(source->document().role().framework), Outline{"Six:s1,s2,s3,s4,s5,s6"});

    EXPECT_EQ(drag(source, ItemRef::competency(0), at251, at251->rootItem()), Qt::CopyAction);
    EXPECT_EQ(m_context->prompts().texts(), QStringList{QString::fromLatin1(kvrole::transfer::kOverBehaviourLimit)});
    EXPECT_EQ(at251->document().role().framework.behaviours.size(), 251u);
    EXPECT_FALSE(at251->document().isModified());
}

TEST_F(TransferWindow, ADropIntoASecondWindowOfTheSameRoleCopiesAndAnotherEditorsItemIsRefusedVisibly) {
    CKVRoleView* first = openRole({"A:a1", "B:b1"});
    m_frame->action(CMainFrame::Command::NewWindow)->trigger();
    CKVRoleView* second = view();
    ASSERT_NE(first, second);
    second->rootItem()->child(1)->setExpanded(true);

    // A behaviour dropped on a behaviour of the other window is copied in front of it.
    EXPECT_EQ(drag(first, ItemRef::behaviour(0), second, second->rootItem()->child(1)->child(0)), Qt::CopyAction);
    EXPECT_EQ(outline(first->document().role().framework), (Outline{"A:a1", "B:a1,b1"}));
    EXPECT_EQ(second->currentItem()->text(0), "a1");
    for (CKVRoleView* each : {first, second}) {
        activate(each);
        expectTreeMatchesRole();
    }

    // An item dragged from another run of the editor, or an old drag, is refused at the drop,
    // with a word on how to bring it across instead.
    QMimeData foreign;
    foreign.setData(RoleDrag::kMimeType, "1:forged");
    const QPoint at = second->visualItemRect(second->rootItem()->child(0)).center();
    QDragEnterEvent enter(at, Qt::CopyAction, &foreign, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(second->viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &foreign, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(second->viewport(), &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_EQ(second->dropHighlight(), nullptr) << "no place is offered for it";
    QDropEvent drop(at, Qt::CopyAction, &foreign, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(second->viewport(), &drop);
    QApplication::processEvents();
    EXPECT_EQ(m_context->prompts().texts(), QStringList{CKVRoleView::kForeignDropRefused});
    // Other programs' text is not taken for an item at all.
    QMimeData text;
    text.setText("A\ta1");
    EXPECT_EQ(dropOn(second, second->rootItem()->child(0), &text), Qt::IgnoreAction);
    EXPECT_EQ(first->document().role().framework.behaviours.size(), 3u);
}

} // namespace
