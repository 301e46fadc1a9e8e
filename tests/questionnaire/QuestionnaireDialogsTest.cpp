// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ScriptedPrompts.h"
#include "questionnaire/CommentsDialog.h"
#include "questionnaire/PreliminariesDialog.h"
#include "questionnaire/QuestionnaireDialog.h"
#include "tests/support/Samples.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

CPavexFramework frameworkWith(int behaviours, int options = 4) {
    CPavexFramework framework = samples::role().framework;
    framework.scales[0].optionCount = options;
    framework.behaviours.clear();
    for (int i = 0; i < behaviours; ++i) {
        framework.behaviours.push_back({"Statement " + std::to_string(i + 1), i % 2, 0, "", 0, ""});
    }
    return framework;
}

struct Fixture {
    explicit Fixture(CPavexFramework f, DialogFlavour flavour = DialogFlavour::Journal)
        : framework(std::move(f)), dialog(flavour, framework, record, prompts, {}) {}
    CPavexFramework framework;
    CPavexFeedback record;
    ScriptedPrompts prompts;
    QuestionnaireDialog dialog;
};

} // namespace

TEST(QuestionnaireDialog, OneBehaviourLeadsToTheFinalPageWithPreviousStillDisabled) {
    Fixture f(frameworkWith(1));
    EXPECT_EQ(f.dialog.windowTitle(), "Questionnaire");
    EXPECT_EQ(f.dialog.progressText(), "1 of 1");
    EXPECT_EQ(f.dialog.behaviourText(), "Communication: Statement 1");
    EXPECT_FALSE(f.dialog.previousButton()->isEnabled());
    EXPECT_FALSE(f.dialog.okButton()->isEnabled());

    QTest::mouseClick(f.dialog.responseButton(2), Qt::LeftButton);
    EXPECT_EQ(f.dialog.progressText(), "1 answered");
    EXPECT_EQ(f.dialog.behaviourText(), "Press the OK button to finish");
    EXPECT_FALSE(f.dialog.previousButton()->isEnabled());
    EXPECT_TRUE(f.dialog.okButton()->isEnabled());
    for (int b = 0; b < 6; ++b) {
        EXPECT_FALSE(f.dialog.responseButton(b)->isEnabled());
        EXPECT_TRUE(f.dialog.responseButton(b)->text().isEmpty());
    }
    EXPECT_EQ(f.record.responses, (std::vector<CResponse>{{0, 2}}));
}

TEST(QuestionnaireDialog, TwoBehavioursEnablePreviousOnTheFinalPage) {
    Fixture f(frameworkWith(2), DialogFlavour::Reply);
    EXPECT_EQ(f.dialog.windowTitle(), "Reflectory Request");
    QTest::mouseClick(f.dialog.responseButton(0), Qt::LeftButton);
    EXPECT_EQ(f.dialog.progressText(), "2 of 2");
    EXPECT_EQ(f.dialog.behaviourText(), "Planning: Statement 2");
    EXPECT_TRUE(f.dialog.previousButton()->isEnabled());
    QTest::mouseClick(f.dialog.responseButton(1), Qt::LeftButton);
    EXPECT_EQ(f.dialog.progressText(), "2 answered");
    EXPECT_TRUE(f.dialog.previousButton()->isEnabled());
    EXPECT_TRUE(f.dialog.behaviourText().startsWith("All the questions have now been answered."));
}

TEST(QuestionnaireDialog, ScaleOptionsDecideTheButtonsAndDigitKeysAnswer) {
    Fixture f(frameworkWith(3));
    f.dialog.show();
    for (int b = 0; b < 6; ++b) {
        EXPECT_EQ(f.dialog.responseButton(b)->isVisible(), b < 4) << b;
        EXPECT_EQ(f.dialog.responseButton(b)->isEnabled(), b < 4) << b;
    }
    EXPECT_EQ(f.dialog.responseButton(3)->text(), "Clear strength");
    QTest::mouseClick(f.dialog.responseButton(3), Qt::LeftButton);
    QTest::keyClick(&f.dialog, Qt::Key_2);
    QTest::keyClick(&f.dialog, Qt::Key_6); // not an option of this scale: nothing happens
    EXPECT_EQ(f.dialog.progressText(), "3 of 3");
    EXPECT_EQ(f.record.responses, (std::vector<CResponse>{{0, 3}, {1, 1}}));
}

TEST(QuestionnaireDialog, PreviousFromTheFinalPageRemovesTheLastResponse) {
    Fixture f(frameworkWith(2));
    QTest::mouseClick(f.dialog.responseButton(0), Qt::LeftButton);
    QTest::mouseClick(f.dialog.responseButton(1), Qt::LeftButton);
    ASSERT_EQ(f.record.responses.size(), 2u);
    QTest::mouseClick(f.dialog.previousButton(), Qt::LeftButton);
    EXPECT_EQ(f.dialog.progressText(), "2 of 2");
    EXPECT_EQ(f.record.responses, (std::vector<CResponse>{{0, 0}}));
    EXPECT_FALSE(f.dialog.okButton()->isEnabled());
}

TEST(QuestionnaireDialog, PreviousShowsTheEarlierAnswerWhichOneKeyKeeps) {
    Fixture f(frameworkWith(3));
    f.dialog.show();
    QTest::mouseClick(f.dialog.responseButton(2), Qt::LeftButton);
    QTest::mouseClick(f.dialog.responseButton(1), Qt::LeftButton);
    EXPECT_FALSE(f.dialog.responseButton(1)->isChecked()); // a new page shows no choice
    QTest::mouseClick(f.dialog.previousButton(), Qt::LeftButton);
    QTest::mouseClick(f.dialog.previousButton(), Qt::LeftButton);
    // The record keeps only the answers before the page on screen; the dialog shows the one taken back.
    EXPECT_TRUE(f.record.responses.empty());
    QPushButton* earlier = f.dialog.responseButton(2);
    EXPECT_TRUE(earlier->isChecked());
    EXPECT_EQ(f.dialog.focusWidget(), earlier);
    EXPECT_EQ(earlier->accessibleDescription(),
              "Question 1 of 3: " + f.dialog.behaviourText() + "; your earlier answer");
    for (int b : {0, 1, 3}) {
        EXPECT_FALSE(f.dialog.responseButton(b)->isChecked()) << b;
        EXPECT_FALSE(f.dialog.responseButton(b)->accessibleDescription().contains("earlier")) << b;
    }
    QTest::keyClick(earlier, Qt::Key_Return);
    EXPECT_EQ(f.record.responses, (std::vector<CResponse>{{0, 2}}));
    // The next page remembers its own earlier answer, and a different answer replaces it.
    EXPECT_TRUE(f.dialog.responseButton(1)->isChecked());
    QTest::mouseClick(f.dialog.responseButton(3), Qt::LeftButton);
    EXPECT_EQ(f.record.responses, (std::vector<CResponse>{{0, 2}, {1, 3}}));
    QTest::mouseClick(f.dialog.previousButton(), Qt::LeftButton);
    EXPECT_TRUE(f.dialog.responseButton(3)->isChecked());
    EXPECT_FALSE(f.dialog.responseButton(1)->isChecked());
}

TEST(QuestionnaireDialog, CommentsStartWithTheHeadingAndKeepEarlierTextBehindARule) {
    Fixture f(frameworkWith(3));
    std::vector<std::string> opened;
    f.dialog.setCommentsEditor([&](const std::string& text, QWidget*) -> std::optional<std::string> {
        opened.push_back(text);
        return opened.size() == 3 ? std::nullopt : std::optional<std::string>(text + "My note");
    });
    QTest::mouseClick(f.dialog.responseButton(0), Qt::LeftButton);
    QTest::mouseClick(f.dialog.responseButton(0), Qt::LeftButton);
    QTest::mouseClick(f.dialog.commentsButton(), Qt::LeftButton);
    EXPECT_EQ(opened[0], "Behaviour: Statement 3\r\n");
    EXPECT_EQ(f.record.details, "Behaviour: Statement 3\r\nMy note");

    QTest::mouseClick(f.dialog.responseButton(0), Qt::LeftButton);
    QTest::mouseClick(f.dialog.commentsButton(), Qt::LeftButton);
    const std::string rule = "\r\n" + std::string(78, '-') + "\r\n";
    EXPECT_EQ(opened[1], "Behaviour: Statement 3\r\nMy note" + rule + "Final Comments: \r\n");

    const std::string before = f.record.details;
    QTest::mouseClick(f.dialog.commentsButton(), Qt::LeftButton); // cancelled this time
    EXPECT_EQ(f.record.details, before);
}

TEST(QuestionnaireDialog, CancelAsksWithNamedButtonsAndOnlyDiscardAnswersDiscards) {
    Fixture f(frameworkWith(2));
    f.dialog.show();
    QTest::mouseClick(f.dialog.responseButton(1), Qt::LeftButton);
    f.prompts.queueAnswer(false);
    QTest::mouseClick(f.dialog.cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(f.dialog.isVisible());
    EXPECT_EQ(f.dialog.progressText(), "2 of 2");
    EXPECT_EQ(f.record.responses.size(), 1u);
    ASSERT_EQ(f.prompts.shown().size(), 1u);
    EXPECT_EQ(f.prompts.shown()[0].caption, "Cancel questionnaire");
    EXPECT_EQ(f.prompts.shown()[0].text, "The entries to this questionnaire will be discarded.  Are you sure");
    ASSERT_EQ(f.prompts.buttonLabels().size(), 1u);
    EXPECT_EQ(f.prompts.buttonLabels()[0], (std::pair<std::string, std::string>{"Discard Answers", "Keep Answering"}));

    f.prompts.queueAnswer(true);
    QTest::keyClick(&f.dialog, Qt::Key_Escape);
    EXPECT_FALSE(f.dialog.isVisible());
    EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
}

TEST(QuestionnaireDialog, EmptyFrameworkOpensOnTheFinalPage) {
    Fixture f(frameworkWith(0));
    EXPECT_EQ(f.dialog.progressText(), "0 answered");
    EXPECT_TRUE(f.dialog.okButton()->isEnabled());
    EXPECT_FALSE(f.dialog.previousButton()->isEnabled());
}

TEST(PreliminariesDialog, OkWaitsForARelationshipAndTheFlavourSetsTheTexts) {
    ScriptedPrompts prompts;
    PreliminariesDialog journal(DialogFlavour::Journal, "", {}, prompts);
    EXPECT_EQ(journal.windowTitle(), "Questionnaire Preliminaries");
    EXPECT_FALSE(journal.okButton()->isEnabled());
    EXPECT_EQ(journal.relationship(), -1);
    journal.nameEdit()->setText(QString::fromUtf8("Pat \xC3\xA9"));
    journal.relationshipButton(5)->click();
    EXPECT_TRUE(journal.okButton()->isEnabled());
    EXPECT_EQ(journal.relationship(), 5);
    EXPECT_EQ(journal.assessorName(), "Pat \xE9");
    EXPECT_EQ(journal.relationshipButton(2)->text(), "&Reporting to person being assessed");

    PreliminariesDialog reply(DialogFlavour::Reply, "Person being assessed: Alex", {}, prompts);
    EXPECT_EQ(reply.windowTitle(), "Reflectory Request");
    auto* person = reply.findChild<QLineEdit*>("personLine");
    ASSERT_NE(person, nullptr);
    EXPECT_EQ(person->text(), "Person being assessed: Alex");
    EXPECT_TRUE(person->isReadOnly());
    // Who is being rated is said nowhere else, so a reader reaches it with Tab and hears its name.
    EXPECT_NE(person->focusPolicy() & Qt::TabFocus, 0);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(person)->text(QAccessible::Name), "Person being assessed");
}

namespace {
std::vector<std::pair<QAccessible::Event, QObject*>> g_questionEvents;
void recordQuestionEvent(QAccessibleEvent* event) {
    g_questionEvents.emplace_back(event->type(), event->object());
}
} // namespace

TEST(QuestionnaireDialog, EachAnswerButtonTellsTheQuestionAndEachNewQuestionIsAnnounced) {
    Fixture f(frameworkWith(2));
    f.dialog.show();
    QApplication::setActiveWindow(&f.dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.dialog));
    ASSERT_TRUE(f.dialog.responseButton(0)->hasFocus());
    QAccessibleInterface* first = QAccessible::queryAccessibleInterface(f.dialog.responseButton(0));
    EXPECT_EQ(first->text(QAccessible::Description), "Question 1 of 2: Communication: Statement 1");

    g_questionEvents.clear();
    QAccessible::installUpdateHandler(recordQuestionEvent);
    QTest::keyClick(&f.dialog, Qt::Key_2);
    QAccessible::installUpdateHandler(nullptr);
    EXPECT_EQ(first->text(QAccessible::Description), "Question 2 of 2: " + f.dialog.behaviourText());
    EXPECT_TRUE(f.dialog.behaviourText().endsWith("Statement 2"));
    const auto told = [](QAccessible::Event type, QObject* object) {
        return std::find(g_questionEvents.begin(), g_questionEvents.end(), std::make_pair(type, object)) !=
               g_questionEvents.end();
    };
    EXPECT_TRUE(told(QAccessible::DescriptionChanged, f.dialog.responseButton(0)));
    EXPECT_TRUE(told(QAccessible::Focus, f.dialog.responseButton(0)));

    // The last answer leads to OK, which says what is left to do.
    QTest::keyClick(&f.dialog, Qt::Key_1);
    ASSERT_EQ(f.dialog.progressText(), "2 answered");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(f.dialog.okButton())->text(QAccessible::Description),
              "Press the OK button to finish");
    // The hidden buttons no longer tell a question (a tooltip may still describe them).
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(f.dialog.responseButton(0))
                     ->text(QAccessible::Description)
                     .contains("Question"));
}

TEST(QuestionnaireDialog, TheProgressIsANamedTextThatCannotBeEdited) {
    Fixture f(frameworkWith(3));
    for (QLabel* label : f.dialog.findChildren<QLabel*>()) {
        if (label->text() == "1 of 3") {
            QAccessibleInterface* box = QAccessible::queryAccessibleInterface(label);
            EXPECT_EQ(box->text(QAccessible::Name), "Progress: 1 of 3");
            EXPECT_EQ(box->role(), QAccessible::StaticText);
            EXPECT_FALSE(box->state().editable);
            return;
        }
    }
    ADD_FAILURE() << "no progress box showing 1 of 3";
}

TEST(CommentsDialog, EditsWithLineFeedsAndHandsBackCarriageReturns) {
    ScriptedPrompts prompts;
    CommentsDialog dialog("First\r\nSecond\r\n", prompts);
    EXPECT_EQ(dialog.windowTitle(), "Comments");
    EXPECT_EQ(dialog.editor()->toPlainText(), "First\nSecond\n");
    QTest::keyClicks(dialog.editor(), "Third");
    QTest::keyClick(dialog.editor(), Qt::Key_Return);
    EXPECT_EQ(dialog.text(), "First\r\nSecond\r\nThird\r\n");
}

// A Cyrillic name and an emoji: neither has a place in the files' code page.
const QString kUnfitValues[] = {QString::fromUtf8("\u0418\u0432\u0430\u043d"), QString::fromUtf8("Pat \U0001F600")};

TEST(QuestionnaireDialogTexts, ANameOrCommentTheFilesCannotHoldIsRefusedAndTheDialogStaysOpen) {
    for (const QString& value : kUnfitValues) {
        SCOPED_TRACE(value.toStdString());
        for (const DialogFlavour flavour : {DialogFlavour::Journal, DialogFlavour::Reply}) {
            ScriptedPrompts prompts;
            PreliminariesDialog preliminaries(flavour, "", {}, prompts);
            preliminaries.nameEdit()->setText(value);
            preliminaries.relationshipButton(1)->click();
            preliminaries.open();
            preliminaries.okButton()->click();
            EXPECT_TRUE(preliminaries.isVisible());
            EXPECT_EQ(preliminaries.result(), QDialog::Rejected);
            const std::string field = flavour == DialogFlavour::Reply ? "Your name" : "Assessor name";
            EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Sorry, \"" + field +
                                                                "\" can hold only the letters of Western European "
                                                                "languages (Windows-1252)."});
            preliminaries.nameEdit()->setText("Ivan");
            preliminaries.okButton()->click();
            EXPECT_EQ(preliminaries.result(), QDialog::Accepted);
        }

        ScriptedPrompts prompts;
        CommentsDialog comments("Fine", prompts);
        comments.open();
        comments.editor()->setPlainText(value);
        comments.accept();
        EXPECT_TRUE(comments.isVisible());
        EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Sorry, \"Comments\" can hold only the letters of Western "
                                                            "European languages (Windows-1252)."});
        comments.reject();
    }
}
