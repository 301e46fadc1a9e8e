// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "model/Limits.h"
#include "model/OleDate.h"
#include "pavex/AutopilotController.h"
#include "pavex/AutopilotWindow.h"
#include "pavex/RequestingFeedbackDialog.h"
#include "pavex/WebPageDialog.h"
#include "pavex/options/OptionSheet.h"
#include "pavex/rolechoice/RoleChoiceDialog.h"
#include "questionnaire/PreliminariesDialog.h"
#include "questionnaire/QuestionnaireDialog.h"
#include "tests/support/ModalScript.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace {

// Answers the questionnaire dialog with the first response throughout.
void answerQuestionnaire(QuestionnaireDialog* questions) {
    while (!questions->okButton()->isEnabled()) {
        questions->responseButton(0)->click();
    }
    questions->okButton()->click();
}

} // namespace

class AutopilotWindowTest : public MainWindowTest {
protected:
    AutopilotController& autopilot() { return m_frame->autopilot(); }
    AutopilotWindow* guideWindow() { return autopilot().window(); }
    QAction* toggle() { return m_frame->action(CMainFrame::Command::Autopilot); }

    QToolButton* toolbarButton() {
        auto* toolbar = m_frame->findChild<QToolBar*>(QStringLiteral("toolbar"));
        return toolbar ? qobject_cast<QToolButton*>(toolbar->widgetForAction(toggle())) : nullptr;
    }

    // The guide up over the journal as it stands, at the given step.
    void showGuideAt(int step) {
        m_frame->document().autopilotPage = step;
        toggle()->trigger();
        ASSERT_NE(guideWindow(), nullptr);
    }

    int shownStep() { return guideWindow()->shownStep(); }
    const ContentNode* selected() { return tree().selectedNode(); }
};

TEST_F(AutopilotWindowTest, TheToggleShowsAndHidesTheGuideAndIsCheckedExactlyWhileItIsUp) {
    ASSERT_TRUE(toggle()->isEnabled());
    ASSERT_TRUE(toggle()->isCheckable());
    ASSERT_NE(toolbarButton(), nullptr);
    EXPECT_FALSE(toggle()->isChecked());

    toggle()->trigger();
    ASSERT_NE(guideWindow(), nullptr);
    EXPECT_TRUE(guideWindow()->isVisible());
    EXPECT_EQ(guideWindow()->windowTitle(), "Autopilot");
    EXPECT_TRUE(toggle()->isChecked());
    EXPECT_TRUE(toolbarButton()->isChecked());
    EXPECT_EQ(m_frame->document().autopilotShown, 1);

    // Hidden by its own button: the menu and the toolbar follow, and the journal remembers.
    guideWindow()->hideButton()->click();
    EXPECT_EQ(guideWindow(), nullptr);
    EXPECT_FALSE(toggle()->isChecked());
    EXPECT_FALSE(toolbarButton()->isChecked());
    EXPECT_EQ(m_frame->document().autopilotShown, 0);

    // The toolbar button brings it back; closing the window hides it as the button does.
    toolbarButton()->click();
    ASSERT_NE(guideWindow(), nullptr);
    EXPECT_TRUE(toggle()->isChecked());
    guideWindow()->close();
    EXPECT_EQ(guideWindow(), nullptr);
    EXPECT_FALSE(toolbarButton()->isChecked());

    // The guide's coming and going is no change to save.
    EXPECT_FALSE(m_frame->document().modified);
}

TEST_F(AutopilotWindowTest, TheWindowShowsTheStepTextAndEnablesItsButtonsAsTheStepSays) {
    showGuideAt(0);
    AutopilotWindow& window = *guideWindow();
    EXPECT_EQ(shownStep(), 0);
    EXPECT_TRUE(window.textBox()->isReadOnly());
    EXPECT_TRUE(window.textBox()->toPlainText().startsWith("Autopilot will guide you through the process"));
    EXPECT_TRUE(window.textBox()->toPlainText().contains("toolbar button.  Autopilot will remember"));
    EXPECT_FALSE(window.textBox()->toPlainText().contains('\r'));
    EXPECT_EQ(window.previousButton()->text(), "<<&Previous");
    EXPECT_EQ(window.nextButton()->text(), "&Next >>");
    EXPECT_EQ(window.doItButton()->text(), "&Do It");
    EXPECT_FALSE(window.previousButton()->isEnabled());
    EXPECT_TRUE(window.nextButton()->isEnabled());
    EXPECT_FALSE(window.doItButton()->isEnabled());

    // No role yet: step 1 does not apply, step 2 offers to choose one.
    window.nextButton()->click();
    EXPECT_EQ(shownStep(), 2);
    EXPECT_TRUE(window.previousButton()->isEnabled());
    EXPECT_TRUE(window.doItButton()->isEnabled());
    // Step 3 stops the user going on without a role.
    window.nextButton()->click();
    EXPECT_EQ(shownStep(), 3);
    EXPECT_FALSE(window.nextButton()->isEnabled());
    EXPECT_FALSE(window.doItButton()->isEnabled());
    window.previousButton()->click();
    EXPECT_EQ(shownStep(), 2);
}

TEST_F(AutopilotWindowTest, DoItRunsTheRealDialogsAndTheGuideMovesOnFromAnEmptyJournalToFeedback) {
    ui::Settings(ui::SettingsScope::journalProgram()).setText("RoleDirectory", PAVEX_ROLE_FOLDER);
    showGuideAt(0);
    AutopilotWindow& window = *guideWindow();
    window.nextButton()->click();
    ASSERT_EQ(shownStep(), 2);

    whenModal<RoleChoiceDialog>([](RoleChoiceDialog* dialog) {
        dialog->roleList()->setCurrentRow(0);
        dialog->okButton()->click();
    });
    window.doItButton()->click();
    ASSERT_TRUE(m_frame->document().hasRole());
    EXPECT_EQ(shownStep(), 4); // past "choose your role first", to the name

    whenModal<COptionSheet>([](COptionSheet* sheet) {
        QTest::keyClicks(sheet->personal()->nameEdit(), "Alex Example");
        sheet->accept();
    });
    window.doItButton()->click();
    EXPECT_EQ(m_frame->document().person, "Alex Example");
    EXPECT_EQ(shownStep(), 5);

    // The self-assessment goes straight to the questions: no preliminaries.
    ModalScript script;
    script.then(ModalScript::on<QuestionnaireDialog>(answerQuestionnaire));
    window.doItButton()->click();
    EXPECT_TRUE(script.done());
    const CPavexDoc& doc = m_frame->document();
    ASSERT_EQ(doc.questionnaires.size(), 1u);
    EXPECT_EQ(doc.questionnaires[0].assessor, "Self");
    EXPECT_EQ(doc.questionnaires[0].relationship, 0);
    EXPECT_EQ(doc.questionnaires[0].useInResults, 1);
    EXPECT_NEAR(doc.questionnaires[0].date.value, oledate::now().value, 1.0);
    EXPECT_EQ(shownStep(), 6);

    // Asking others here and now: the Requesting Feedback dialog's first way runs the preliminaries.
    ModalScript others;
    others.then(ModalScript::on<RequestingFeedbackDialog>([](RequestingFeedbackDialog* dialog) {
        dialog->wayButton(RequestingFeedbackDialog::Way::QuestionnaireHere)->click();
        dialog->buttons()->button(QDialogButtonBox::Ok)->click();
    }));
    others.then(ModalScript::on<PreliminariesDialog>([](PreliminariesDialog* dialog) {
        dialog->nameEdit()->setText(QStringLiteral("Robin"));
        dialog->relationshipButton(2)->click();
        dialog->okButton()->click();
    }));
    others.then(ModalScript::on<QuestionnaireDialog>(answerQuestionnaire));
    window.doItButton()->click();
    EXPECT_TRUE(others.done());
    ASSERT_EQ(doc.questionnaires.size(), 2u);
    EXPECT_EQ(selected(), contents().landmarks().results);
    EXPECT_EQ(shownStep(), 7); // someone else has answered now

    // Saving through the guide: the journal's own step is saved with it and the save steps pass.
    const QString path = QString::fromStdString(m_temp.file("Guided.kva"));
    m_prompts.queueFileName(path);
    window.nextButton()->click();
    ASSERT_EQ(shownStep(), 8);
    window.nextButton()->click();
    ASSERT_EQ(shownStep(), 9);
    window.doItButton()->click();
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(shownStep(), 10);
    EXPECT_EQ(selected(), contents().landmarks().results);

    // Reopened, the journal resumes where the guide was when it was saved.
    ASSERT_TRUE(m_frame->newJournal());
    EXPECT_EQ(shownStep(), 0);
    m_prompts.queueFileName(path);
    ASSERT_TRUE(m_frame->openJournal());
    ASSERT_NE(guideWindow(), nullptr);
    EXPECT_EQ(shownStep(), 10);
}

TEST_F(AutopilotWindowTest, NewAndOpenWithTheGuideUpShowTheOtherJournalsStepAndSelectItsNodes) {
    CPavexDoc stored = samples::journal("");
    stored.autopilotPage = 12; // the first competency
    stored.autopilotShown = 0;
    const std::string path = writeJournal(stored, "Stored.kva");
    showGuideAt(0);

    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(path)));
    ASSERT_NE(guideWindow(), nullptr);
    EXPECT_EQ(shownStep(), 12);
    EXPECT_EQ(m_frame->document().autopilotShown, 1);
    // The landmarks of the journal now open, not those of the one before.
    ASSERT_NE(contents().landmarks().firstCompetency, nullptr);
    EXPECT_EQ(selected(), contents().landmarks().firstCompetency);

    guideWindow()->nextButton()->click();
    EXPECT_EQ(selected(), contents().landmarks().firstBehaviour);

    ASSERT_TRUE(m_frame->newJournal());
    ASSERT_NE(guideWindow(), nullptr);
    EXPECT_EQ(shownStep(), 0);
    EXPECT_FALSE(m_frame->document().modified);
}

TEST_F(AutopilotWindowTest, HidingMovingTheMainWindowAndShowingAgainUsesTheStoredRectangle) {
    showGuideAt(0);
    const QRect first = guideWindow()->geometry();
    const auto stored = m_frame->document().autopilotWindow;
    EXPECT_EQ(stored[0], first.left());
    EXPECT_EQ(stored[1], first.top());
    EXPECT_EQ(stored[2], first.left() + first.width());
    EXPECT_EQ(stored[3], first.top() + first.height());

    guideWindow()->move(first.topLeft() + QPoint(-30, -20));
    QCoreApplication::processEvents();
    const QRect moved = guideWindow()->geometry();
    guideWindow()->hideButton()->click();
    EXPECT_EQ(m_frame->document().autopilotWindow[0], moved.left());
    EXPECT_EQ(m_frame->document().autopilotWindow[1], moved.top());

    m_frame->move(m_frame->pos() + QPoint(40, 30));
    QCoreApplication::processEvents();
    toggle()->trigger();
    ASSERT_NE(guideWindow(), nullptr);
    EXPECT_EQ(guideWindow()->geometry(), moved);

    // Saved while up, the journal keeps where the window is now.
    guideWindow()->move(moved.topLeft() + QPoint(10, 10));
    QCoreApplication::processEvents();
    const QRect now = guideWindow()->geometry();
    m_prompts.queueFileName(QString::fromStdString(m_temp.file("Placed.kva")));
    ASSERT_TRUE(m_frame->save());
    EXPECT_EQ(m_frame->document().autopilotWindow[0], now.left());
    EXPECT_EQ(m_frame->document().autopilotWindow[1], now.top());
    EXPECT_EQ(m_frame->document().autopilotShown, 1);
}

TEST_F(AutopilotWindowTest, AnEmptyRectanglePutsTheGuideAtTheBottomRightOfTheMainWindow) {
    m_frame->setGeometry(40, 30, 600, 450);
    QCoreApplication::processEvents();
    showGuideAt(0);
    const QRect main = m_frame->geometry();
    const QRect guide = guideWindow()->geometry();
    EXPECT_EQ(guide.right(), main.right());
    EXPECT_EQ(guide.bottom(), main.bottom());
}

TEST_F(AutopilotWindowTest, TheSelfAssessmentIsRefusedAtThirtyTwoQuestionnairesBeforeAnyDialog) {
    CPavexDoc full = samples::journal("");
    while (full.questionnaires.size() < static_cast<std::size_t>(kMaxQuestionnaires)) {
        full.questionnaires.push_back(full.questionnaires.front());
    }
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(writeJournal(full, "Full.kva"))));
    m_prompts.clearShown();
    EXPECT_FALSE(m_frame->startSelfAssessment());
    EXPECT_EQ(m_prompts.texts(), QStringList{QString::fromLatin1(journaltext::kTooManyQuestionnaires)});
    EXPECT_EQ(m_frame->document().questionnaires.size(), static_cast<std::size_t>(kMaxQuestionnaires));

    // Through the guide: its step for the self-assessment tells the same and stays.
    for (CPavexFeedback& questionnaire : full.questionnaires) {
        questionnaire.relationship = 2;
    }
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(writeJournal(full, "Others.kva"))));
    m_frame->document().person = "Alex Example";
    showGuideAt(5);
    ASSERT_EQ(shownStep(), 5);
    m_prompts.clearShown();
    guideWindow()->doItButton()->click();
    EXPECT_EQ(m_prompts.texts(), QStringList{QString::fromLatin1(journaltext::kTooManyQuestionnaires)});
    EXPECT_EQ(shownStep(), 5);
    EXPECT_FALSE(m_frame->document().modified);

    // Without a role it asks for one first.
    ASSERT_TRUE(m_frame->newJournal());
    m_prompts.clearShown();
    EXPECT_FALSE(m_frame->startSelfAssessment());
    EXPECT_EQ(m_prompts.texts(), QStringList{QString::fromLatin1(CMainFrame::kChooseRoleFirst)});
}

TEST_F(AutopilotWindowTest, TheBehavioursStepsShowTheRankingAtItsTopAndThenAtItsBottom) {
    openSample();
    m_frame->resize(700, 360); // the ranking of every behaviour is longer than the view
    QCoreApplication::processEvents();
    showGuideAt(15);
    EXPECT_EQ(selected(), contents().landmarks().behaviours);
    // The page's first drawing, which puts a page at its top, leaves this one at its bottom.
    drawView();
    QCoreApplication::processEvents();
    drawView();
    QScrollBar* vertical = m_frame->contentView()->verticalScrollBar();
    ASSERT_GT(vertical->maximum(), 0);
    EXPECT_EQ(vertical->value(), vertical->maximum());

    guideWindow()->previousButton()->click();
    ASSERT_EQ(shownStep(), 14);
    drawView();
    EXPECT_EQ(vertical->value(), 0);
    guideWindow()->nextButton()->click();
    drawView();
    EXPECT_EQ(vertical->value(), vertical->maximum());
}

TEST_F(AutopilotWindowTest, RequestingFeedbackOffersThreeWaysNoneChosenAndOkOnlyOnceOneIsChosen) {
    openSample();
    m_frame->document().modified = false;
    showGuideAt(6);
    tree().selectNode(*contents().landmarks().actions);
    const std::size_t before = m_frame->document().questionnaires.size();

    ModalScript script;
    script.then(ModalScript::on<RequestingFeedbackDialog>([](RequestingFeedbackDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Requesting Feedback");
        for (const auto way :
             {RequestingFeedbackDialog::Way::QuestionnaireHere, RequestingFeedbackDialog::Way::EmailRequest,
              RequestingFeedbackDialog::Way::SavedRequest}) {
            EXPECT_FALSE(dialog->wayButton(way)->isChecked());
        }
        EXPECT_EQ(dialog->chosenWay(), RequestingFeedbackDialog::Way::None);
        QStringList texts;
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            texts << label->text();
        }
        EXPECT_TRUE(texts.contains("3)    Save the automated questionnaire on a floppy diskette (or other computer "
                                   "media you can give or send to them)."));
        // OK waits for a choice; choosing a way enables it.
        EXPECT_FALSE(dialog->buttons()->button(QDialogButtonBox::Ok)->isEnabled());
        dialog->wayButton(RequestingFeedbackDialog::Way::EmailRequest)->click();
        EXPECT_TRUE(dialog->buttons()->button(QDialogButtonBox::Ok)->isEnabled());
        dialog->buttons()->button(QDialogButtonBox::Cancel)->click();
    }));
    guideWindow()->doItButton()->click();
    EXPECT_TRUE(script.done());
    EXPECT_EQ(selected(), contents().landmarks().results);
    EXPECT_EQ(m_frame->document().questionnaires.size(), before);

    // The third way saves a request file; Cancel afterwards would have run nothing either.
    tree().selectNode(*contents().landmarks().actions);
    const QString request = QString::fromStdString(m_temp.file("For Robin.kvq"));
    m_prompts.queueFileName(request);
    ModalScript saving;
    saving.then(ModalScript::on<RequestingFeedbackDialog>([](RequestingFeedbackDialog* dialog) {
        dialog->wayButton(RequestingFeedbackDialog::Way::SavedRequest)->click();
        EXPECT_EQ(dialog->chosenWay(), RequestingFeedbackDialog::Way::SavedRequest);
        dialog->buttons()->button(QDialogButtonBox::Ok)->click();
    }));
    guideWindow()->doItButton()->click();
    EXPECT_TRUE(saving.done());
    EXPECT_TRUE(QFile::exists(request));
    EXPECT_EQ(selected(), contents().landmarks().results);

    // The fourth way makes the journal's web page.
    tree().selectNode(*contents().landmarks().actions);
    ModalScript web;
    web.then(ModalScript::on<RequestingFeedbackDialog>([](RequestingFeedbackDialog* dialog) {
        dialog->wayButton(RequestingFeedbackDialog::Way::WebPage)->click();
        dialog->buttons()->button(QDialogButtonBox::Ok)->click();
    }));
    web.then(ModalScript::on<WebPageDialog>([](WebPageDialog* dialog) { dialog->reject(); }));
    guideWindow()->doItButton()->click();
    EXPECT_TRUE(web.done());

    tree().selectNode(*contents().landmarks().actions);
    whenModal<RequestingFeedbackDialog>([](RequestingFeedbackDialog* dialog) {
        dialog->wayButton(RequestingFeedbackDialog::Way::QuestionnaireHere)->click();
        dialog->buttons()->button(QDialogButtonBox::Cancel)->click();
    });
    guideWindow()->doItButton()->click();
    EXPECT_EQ(m_frame->document().questionnaires.size(), before);
    EXPECT_EQ(selected(), contents().landmarks().results);
}

TEST_F(AutopilotWindowTest, AtStartUpTheGuideComesWithTheMainWindowWhenTheJournalAsksForIt) {
    m_frame->hide();
    CPavexDoc guided = samples::journal("");
    guided.autopilotShown = 1;
    guided.autopilotPage = 11;
    CPavexDoc quiet = guided;
    quiet.autopilotShown = 0;
    const QString guidedPath = QString::fromStdString(writeJournal(guided, "Guided.kva"));
    const QString quietPath = QString::fromStdString(writeJournal(quiet, "Quiet.kva"));

    // Named on the command line: opened by the user, so it brings its guide as File Open does.
    {
        PavexShell shell;
        shell.prompts().setDialogsShown(false);
        ASSERT_TRUE(shell.start({guidedPath}));
        QCoreApplication::processEvents();
        AutopilotWindow* window = shell.mainFrame().autopilot().window();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->shownStep(), 11);
        EXPECT_TRUE(shell.mainFrame().action(CMainFrame::Command::Autopilot)->isChecked());
        shell.mainFrame().hide();
    }
    {
        PavexShell shell;
        shell.prompts().setDialogsShown(false);
        ASSERT_TRUE(shell.start({quietPath}));
        QCoreApplication::processEvents();
        EXPECT_EQ(shell.mainFrame().autopilot().window(), nullptr);
        shell.mainFrame().hide();
    }

    // A new journal from the welcome dialog: the guide waits for the main window to be on screen.
    WelcomeDialog welcome(false);
    PavexShell shell;
    ASSERT_TRUE(shell.begin(welcome, true));
    EXPECT_EQ(shell.mainFrame().autopilot().window(), nullptr);
    shell.mainFrame().show();
    QCoreApplication::processEvents();
    ASSERT_NE(shell.mainFrame().autopilot().window(), nullptr);
    EXPECT_EQ(shell.mainFrame().autopilot().window()->shownStep(), 0);
    shell.mainFrame().hide();
}
