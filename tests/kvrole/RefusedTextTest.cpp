// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestSupport.h"
#include "RoleOutline.h"

#include "kvrole/KVRoleDoc.h"
#include "kvrole/ResponseDialog.h"
#include "kvrole/RoleDialogs.h"

#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using kvrole::ItemRef;

namespace {

// A Cyrillic word and an emoji: neither has a place in a role file's code page.
const QString kUnfitValues[] = {QString::fromUtf8("\u0421\u043b\u0443\u0448\u0430\u0435\u0442"),
                                QString::fromUtf8("Listens \U0001F442")};

QString refusal(const QString& field) {
    return "Sorry, \"" + field + "\" can hold only the letters of Western European languages (Windows-1252).";
}

class RefusedText : public EditorWindowFixture {
protected:
    void SetUp() override {
        EditorWindowFixture::SetUp();
        m_frame->newDocument();
        appendOutline(role().framework, {"Listening:Asks,Waits"});
        role().name = "Coach";
        view()->document().updateAllViews();
        view()->document().setModified(false);
        m_before = role();
    }

    CRole& role() const { return view()->document().role(); }

    void trigger(CMainFrame::Command command, ItemRef item) {
        view()->select(item);
        m_frame->action(command)->trigger();
        QApplication::processEvents();
    }

    void expectUnchanged() const {
        EXPECT_EQ(role(), m_before);
        EXPECT_FALSE(view()->document().isModified());
        expectTreeMatchesRole();
    }

    // Runs `command` on `item`: the dialog gets the text, is refused, comes back, and is cancelled.
    template <typename Dialog>
    void refuseInDialog(CMainFrame::Command command, ItemRef item, std::function<void(Dialog*)> type) {
        view()->select(item);
        bool cameBack = false;
        whenModal<Dialog>([&](Dialog* dialog) {
            whenModal<Dialog>([&](Dialog* again) {
                cameBack = true;
                again->reject();
            });
            type(dialog);
            dialog->accept();
        });
        m_frame->action(command)->trigger();
        EXPECT_TRUE(cameBack) << "the dialog came back with what was typed";
    }

    CRole m_before;
};

} // namespace

TEST_F(RefusedText, DialogsAndLabelsRefuseWhatARoleCannotHoldNamingTheField) {
    for (const QString& value : kUnfitValues) {
        SCOPED_TRACE(value.toStdString());
        m_context->prompts().clearShown();
        refuseInDialog<CompetencyDialog>(CMainFrame::Command::Edit, ItemRef::competency(0),
                                         [&](CompetencyDialog* dialog) { dialog->nameEdit()->setText(value); });
        refuseInDialog<BehaviourDialog>(CMainFrame::Command::Edit, ItemRef::behaviour(1),
                                        [&](BehaviourDialog* dialog) { dialog->textEdit()->setPlainText(value); });
        refuseInDialog<RoleDetailsDialog>(
            CMainFrame::Command::RoleDetails, ItemRef::root(),
            [&](RoleDetailsDialog* dialog) { dialog->descriptionEdit()->setPlainText(value); });
        view()->select(ItemRef::competency(0));
        whenModal<ResponseDialog>([&](ResponseDialog* dialog) {
            dialog->box(1)->setText(value);
            dialog->accept();
            EXPECT_TRUE(dialog->isVisible());
            dialog->reject();
        });
        m_frame->action(CMainFrame::Command::EditResponses)->trigger();

        // Typed in place over a behaviour's label: the label goes back to what the role holds.
        view()->setCurrentItem(view()->itemFor(ItemRef::behaviour(0)));
        view()->editItem(view()->currentItem(), 0);
        auto* editor = qobject_cast<QLineEdit*>(view()->indexWidget(view()->currentIndex()));
        ASSERT_NE(editor, nullptr);
        editor->setText(value);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();

        EXPECT_EQ(m_context->prompts().texts(),
                  (QStringList{refusal("Competency"), refusal("Behaviour"), refusal("Description"), refusal("Prompt 1"),
                               refusal("Behaviour")}));
        expectUnchanged();
    }
}

TEST_F(RefusedText, PasteAndCsvMergeNameTheLinesAndAskBeforeStoringQuestionMarks) {
    QTemporaryDir folder;
    for (const QString& value : kUnfitValues) {
        SCOPED_TRACE(value.toStdString());
        m_context->prompts().clearShown();
        const QString pasted = "Planning\tSets goals\r\nPlanning\t" + value + "\r\n";
        QGuiApplication::clipboard()->setText(pasted);
        trigger(CMainFrame::Command::Paste, ItemRef::root()); // the question is answered Cancel
        const std::string question =
            "Line 2 of the pasted text holds characters that a role cannot keep: it can hold only the letters of "
            "Western European languages (Windows-1252). Store it with \"?\" in place of those characters?";
        EXPECT_EQ(m_context->prompts().texts(), QStringList{QString::fromStdString(question)});

        const QString csv = folder.filePath("behaviours.csv");
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("Sets goals,Planning\r\n" + value + ",Planning\r\n" + value + ",Other\r\n").toUtf8());
        file.close();
        m_context->prompts().queueFileName(csv);
        m_frame->action(CMainFrame::Command::Merge)->trigger();
        EXPECT_EQ(m_context->prompts().texts().back(),
                  "Lines 2 and 3 of the file hold characters that a role cannot keep: it can hold only the letters of "
                  "Western European languages (Windows-1252). Store them with \"?\" in place of those characters?");
        expectUnchanged();
    }

    // Told first and answered OK, the lines are stored with '?' where the characters were.
    m_context->prompts().queueAnswer(true);
    trigger(CMainFrame::Command::Paste, ItemRef::root());
    EXPECT_EQ(outlineOf(role().framework), (RoleOutline{"Listening:Asks,Waits", "Planning:Sets goals,Listens ?"}));
}
