// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/pavex/MainWindowFixture.h"

#include "analysis/GraphContent.h"
#include "analysis/ListContent.h"
#include "pavex/editors/ActionDialog.h"
#include "pavex/editors/BehaviourJournalDialog.h"
#include "pavex/editors/QuestionnaireDetailsDialog.h"
#include "pavex/options/OptionSheet.h"
#include "pavex/rolechoice/RoleChoiceDialog.h"
#include "questionnaire/PreliminariesDialog.h"
#include "questionnaire/QuestionnaireDialog.h"
#include "tests/support/ModalScript.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>

namespace {

class JournalEditingTest : public MainWindowTest {
protected:
    // The sample journal with a third questionnaire, open in the window.
    void openWithThreeQuestionnaires() {
        m_journal = samples::journal("");
        CPavexFeedback third = m_journal.questionnaires[0];
        third.assessor = "Morgan";
        m_journal.questionnaires.push_back(third);
        ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(writeJournal(m_journal))));
    }

    // Opens m_journal and asks for a new questionnaire, which must be refused with `message` before
    // any dialog opens, leaving the questionnaires as they were.
    void expectNewQuestionnaireRefusedBeforeAnyDialog(const QString& message) {
        ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(writeJournal(m_journal))));
        int dialogsSeen = 0;
        ModalScript script;
        script.then([&dialogsSeen](QWidget* modal) {
            ++dialogsSeen;
            modal->close();
            return true;
        });
        EXPECT_FALSE(m_frame->newFeedbackQuestionnaire());
        EXPECT_EQ(dialogsSeen, 0);
        EXPECT_EQ(m_prompts.texts(), QStringList{message});
        EXPECT_EQ(m_frame->document().questionnaires.size(), m_journal.questionnaires.size());
    }

    // Right-clicks the node and picks the entry of its pop-up menu with the given text.
    void chooseFromPopup(const ContentNode& node, const QString& entry) {
        QTreeWidgetItem* item = tree().itemOf(node);
        ASSERT_NE(item, nullptr);
        tree().scrollToItem(item);
        QTest::mouseClick(tree().viewport(), Qt::RightButton, {}, tree().visualItemRect(item).center());
        QMenu* menu = tree().popupMenu();
        ASSERT_NE(menu, nullptr);
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == entry) {
                chosen = action;
            }
        }
        ASSERT_NE(chosen, nullptr) << entry.toStdString();
        EXPECT_TRUE(chosen->isEnabled()) << "pop-up entries are always enabled; their commands check";
        menu->close();
        chosen->trigger();
    }

    std::vector<std::string> feedbackLabels() {
        std::vector<std::string> labels;
        QTreeWidgetItem* feedback = tree().itemOf(*contents().landmarks().feedback);
        for (int i = 0; i < feedback->childCount(); ++i) {
            labels.push_back(feedback->child(i)->text(0).toStdString());
        }
        return labels;
    }

    // Answers the next questionnaire on screen: the preliminaries, then the first option throughout.
    void answerNextQuestionnaire(const QString& name, int relationship) {
        whenModal<PreliminariesDialog>([name, relationship](PreliminariesDialog* dialog) {
            dialog->nameEdit()->setText(name);
            dialog->relationshipButton(relationship)->click();
            dialog->okButton()->click();
            whenModal<QuestionnaireDialog>([](QuestionnaireDialog* questions) {
                while (!questions->okButton()->isEnabled()) {
                    questions->responseButton(0)->click();
                }
                questions->okButton()->click();
            });
        });
    }

    const DetailContent& detailOf(const ContentNode& node) {
        node.page().refresh();
        return dynamic_cast<const DetailContent&>(node.page());
    }
};

TEST_F(JournalEditingTest, AJournalOpenedByTheUserAsksForTheGuideOnlyWhenItsFlagIsSet) {
    QSignalSpy guide(m_frame.get(), &CMainFrame::autopilotRequested);
    CPavexDoc quiet = samples::journal("");
    quiet.autopilotShown = 0;
    m_prompts.queueFileName(QString::fromStdString(writeJournal(quiet, "Quiet.kva")));
    ASSERT_TRUE(m_frame->openJournal());
    EXPECT_EQ(guide.count(), 0);

    CPavexDoc guided = samples::journal("");
    guided.autopilotShown = 1;
    const std::string guidedPath = writeJournal(guided, "Guided.kva");
    m_prompts.queueFileName(QString::fromStdString(guidedPath));
    ASSERT_TRUE(m_frame->openJournal());
    EXPECT_EQ(guide.count(), 1);

    // Files opened by dropping them or from the recent list do not start the guide.
    drop({QString::fromStdString(guidedPath)});
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(guidedPath)));
    EXPECT_EQ(guide.count(), 1);
}

TEST_F(JournalEditingTest, NewFeedbackQuestionnaireRunsTheDialogsAndAppendsTheAnswersUnderFeedback) {
    openSample();
    const std::size_t behaviours = m_journal.framework.behaviours.size();
    ModalScript script;
    script.then(ModalScript::on<PreliminariesDialog>([](PreliminariesDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Questionnaire Preliminaries");
        EXPECT_FALSE(dialog->okButton()->isEnabled());
        dialog->relationshipButton(3)->click(); // a peer, who leaves the name empty
        dialog->okButton()->click();
    }));
    script.then(ModalScript::on<QuestionnaireDialog>([behaviours](QuestionnaireDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Questionnaire");
        for (std::size_t i = 0; i < behaviours; ++i) {
            dialog->responseButton(0)->click();
        }
        dialog->okButton()->click();
    }));
    ASSERT_TRUE(m_frame->newFeedbackQuestionnaire());
    EXPECT_TRUE(script.done());

    const CPavexDoc& doc = m_frame->document();
    ASSERT_EQ(doc.questionnaires.size(), 3u);
    const CPavexFeedback& added = doc.questionnaires.back();
    EXPECT_EQ(added.assessor, "<anonymous>");
    EXPECT_EQ(added.relationship, 3);
    EXPECT_EQ(added.useInResults, 1);
    EXPECT_EQ(added.responses.size(), behaviours);
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(feedbackLabels().back(), "<anonymous>");
    EXPECT_FALSE(m_frame->action(CMainFrame::Command::ChooseRole)->isEnabled());
}

TEST_F(JournalEditingTest, TheThirtyThirdQuestionnaireIsRefusedBeforeAnyDialog) {
    m_journal = samples::journal("");
    m_journal.questionnaires.resize(static_cast<std::size_t>(kMaxQuestionnaires), m_journal.questionnaires[0]);
    expectNewQuestionnaireRefusedBeforeAnyDialog(
        "Sorry, you have reached the maximum number of questionnaires in one assessment file.");
}

TEST_F(JournalEditingTest, ARoleWithMoreBehavioursThanAQuestionnaireHoldsIsRefusedBeforeAnyDialog) {
    m_journal = samples::journal("");
    m_journal.framework.behaviours.resize(static_cast<std::size_t>(kMaxResponses) + 1,
                                          m_journal.framework.behaviours[0]);
    expectNewQuestionnaireRefusedBeforeAnyDialog("Sorry, this role has more than 256 behaviours, more than one "
                                                 "questionnaire can hold, so it cannot be answered.");
}

TEST_F(JournalEditingTest, NewQuestionnaireOrActionFromThePopUpWithoutARoleSaysToChooseOne) {
    for (const QString& entry : {QStringLiteral("New &Questionnaire..."), QStringLiteral("New &Action...")}) {
        chooseFromPopup(*contents().landmarks().results, entry);
    }
    EXPECT_EQ(m_prompts.texts(), (QStringList{"Please choose your role first, using Tools Choose Your Role.",
                                              "Please choose your role first, using Tools Choose Your Role."}));
    EXPECT_TRUE(m_frame->document().questionnaires.empty());
    EXPECT_TRUE(m_frame->document().actions.empty());
}

TEST_F(JournalEditingTest, DeletingTheMiddleOfThreeQuestionnairesKeepsEachNodeOnTheEntryAtItsPosition) {
    openWithThreeQuestionnaires();
    const std::string first = m_journal.questionnaires[0].assessor;
    ContentNode& feedback = *contents().landmarks().feedback;

    m_prompts.queueAnswer(false); // declined: nothing changes
    chooseFromPopup(feedback.child(1), QStringLiteral("&Delete"));
    EXPECT_EQ(feedbackLabels().size(), 3u);
    EXPECT_FALSE(m_frame->document().modified);

    m_prompts.queueAnswer(true);
    chooseFromPopup(feedback.child(1), QStringLiteral("&Delete"));
    EXPECT_EQ(m_prompts.shown().back().caption, "Delete questionnaire");
    EXPECT_EQ(feedbackLabels(), (std::vector<std::string>{first, "Morgan"}));
    EXPECT_TRUE(m_frame->document().modified);
    EXPECT_EQ(detailOf(feedback.child(1)).rows().front().value, "Morgan");
    // The page on show is the selected node's, brought up to date.
    ContentNode* selected = tree().selectedNode();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(m_frame->contentView()->page(), tree().pageOf(*selected));
}

TEST_F(JournalEditingTest, TogglingUseInResultsChangesTheDetailPageAndEveryRanking) {
    openSample();
    const auto& marks = contents().landmarks();
    ContentNode& questionnaire = marks.feedback->child(0);
    ASSERT_EQ(m_journal.questionnaires[0].useInResults, 1);
    const auto includedOf = [](const ContentNode& node) {
        node.page().refresh();
        const auto& counts = dynamic_cast<const RankingContent&>(node.page()).list().questionnairesPerGroup();
        int sum = 0;
        for (const int count : counts) {
            sum += count;
        }
        return sum;
    };
    const int before = includedOf(*marks.results);

    chooseFromPopup(questionnaire, QStringLiteral("&Use In Results"));
    EXPECT_EQ(m_frame->document().questionnaires[0].useInResults, 0);
    EXPECT_TRUE(m_frame->document().modified);
    EXPECT_EQ(detailOf(questionnaire).rows().back().value, "No");
    for (const ContentNode* ranking : {marks.results, marks.competencies, marks.behaviours, marks.differences}) {
        EXPECT_EQ(includedOf(*ranking), before - 1) << ranking->label();
    }

    chooseFromPopup(questionnaire, QStringLiteral("&Use In Results"));
    EXPECT_EQ(detailOf(questionnaire).rows().back().value, "Yes");
    EXPECT_EQ(includedOf(*marks.results), before);
}

TEST_F(JournalEditingTest, TheTreesToggleMarksBehavioursAndCompletesActions) {
    openSample();
    const auto& marks = contents().landmarks();
    const ContentNode& behaviour = *marks.firstBehaviour;
    const auto index = static_cast<std::size_t>(behaviour.behaviour());
    const int marked = m_frame->document().framework.behaviours[index].marked;
    chooseFromPopup(behaviour, QStringLiteral("&Marked For Development"));
    EXPECT_NE(m_frame->document().framework.behaviours[index].marked, marked);
    EXPECT_EQ(dynamic_cast<const FrequencyContent&>(behaviour.page()).marked(), marked == 0);

    const int completed = m_frame->document().actions[0].completed;
    chooseFromPopup(marks.actions->child(0), QStringLiteral("&Completed"));
    EXPECT_NE(m_frame->document().actions[0].completed, completed);
    EXPECT_EQ(detailOf(marks.actions->child(0)).rows().back().value, completed == 0 ? "Yes" : "No");
}

TEST_F(JournalEditingTest, TheEditMenusDeleteIsOfferedOnlyWhileTheTreeIsInUseOnANodeThatCanGo) {
    QAction* remove = m_frame->action(CMainFrame::Command::Delete);
    openWithThreeQuestionnaires();
    tree().selectNode(contents().landmarks().feedback->child(2));
    m_frame->contentView()->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(remove->isEnabled());
    remove->trigger();
    EXPECT_TRUE(m_prompts.shown().empty());

    tree().setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(remove->isEnabled());
    tree().selectNode(*contents().landmarks().results);
    EXPECT_FALSE(remove->isEnabled());
    tree().selectNode(contents().landmarks().feedback->child(2));
    EXPECT_TRUE(remove->isEnabled());
    m_prompts.queueAnswer(true);
    remove->trigger();
    EXPECT_EQ(feedbackLabels().size(), 2u);
    tree().selectNode(contents().landmarks().actions->child(0));
    EXPECT_TRUE(remove->isEnabled());

    // The Delete key in the tree does the same; on a node that cannot go it does nothing.
    tree().selectNode(*contents().landmarks().results);
    QTest::keyClick(&tree(), Qt::Key_Delete);
    EXPECT_EQ(m_prompts.shown().size(), 1u);
}

TEST_F(JournalEditingTest, ChoosingARoleIsOfferedOnlyUntilTheFirstQuestionnaire) {
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::ChooseRole)->isEnabled());
    EXPECT_FALSE(m_frame->action(CMainFrame::Command::NewAction)->isEnabled());
    openSample();
    EXPECT_FALSE(m_frame->action(CMainFrame::Command::ChooseRole)->isEnabled());
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::NewAction)->isEnabled());
    EXPECT_FALSE(m_frame->chooseRole());

    // Once every questionnaire is gone the role may change again.
    for (int i = 0; i < 2; ++i) {
        m_prompts.queueAnswer(true);
        chooseFromPopup(contents().landmarks().feedback->child(0), QStringLiteral("&Delete"));
    }
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::ChooseRole)->isEnabled());
}

TEST_F(JournalEditingTest, ARoleChosenOnANewJournalIsOfferedForSavingOnExit) {
    ui::Settings(ui::SettingsScope::journalProgram()).setText("RoleDirectory", PAVEX_ROLE_FOLDER);
    whenModal<RoleChoiceDialog>([](RoleChoiceDialog* dialog) {
        dialog->roleList()->setCurrentRow(0);
        dialog->okButton()->click();
    });
    ASSERT_TRUE(m_frame->chooseRole());
    EXPECT_TRUE(m_frame->isWindowModified());
    m_prompts.setUnqueuedSaveAnswer(SaveAnswer::Cancel);
    EXPECT_FALSE(m_frame->close());
    EXPECT_EQ(m_prompts.saveQuestions(), QStringList{"Save changes to Untitled?"});
    EXPECT_TRUE(m_frame->document().hasRole());
}

TEST_F(JournalEditingTest, ANewUserGoesFromAnEmptyJournalToResultsWithTheShippedRoles) {
    ui::Settings(ui::SettingsScope::journalProgram()).setText("RoleDirectory", PAVEX_ROLE_FOLDER);
    whenModal<RoleChoiceDialog>([](RoleChoiceDialog* dialog) {
        ASSERT_GE(dialog->roleList()->count(), 3);
        dialog->roleList()->setCurrentRow(0);
        dialog->okButton()->click();
    });
    ASSERT_TRUE(m_frame->chooseRole());
    const CPavexDoc& doc = m_frame->document();
    ASSERT_TRUE(doc.hasRole());
    EXPECT_TRUE(doc.modified); // the choice is there to be saved
    EXPECT_NE(contents().landmarks().firstBehaviour, nullptr);
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::NewQuestionnaire)->isEnabled());

    whenModal<COptionSheet>([](COptionSheet* sheet) {
        // The sheet opens with the focus in the name box: what is typed at once is the name.
        ASSERT_EQ(sheet->focusWidget(), sheet->personal()->nameEdit());
        QTest::keyClicks(sheet->focusWidget(), "Alex Example");
        QTest::keyClicks(sheet->personal()->passwordEdit(), "tiger");
        QTest::keyClicks(sheet->personal()->repeatEdit(), "tiger");
        sheet->accept();
    });
    ASSERT_TRUE(m_frame->showOptions());
    EXPECT_EQ(doc.person, "Alex Example");
    EXPECT_EQ(doc.password, "tiger");

    answerNextQuestionnaire("Alex", 0);
    ASSERT_TRUE(m_frame->newFeedbackQuestionnaire());
    ASSERT_EQ(doc.questionnaires.size(), 1u);
    EXPECT_FALSE(m_frame->action(CMainFrame::Command::ChooseRole)->isEnabled());

    const QString request = QString::fromStdString(m_temp.file("For Robin.kvq"));
    m_prompts.queueFileName(request);
    ASSERT_TRUE(m_frame->createFeedbackRequest());
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "Saved the request to For Robin.kvq: send it to the person who "
                                                      "will answer it; they open it with the reply program");
    QProcess answer;
    answer.start(QStringLiteral(KVTOOL_PATH),
                 {"answer", request, "--name", "Robin", "--relationship", "3", "--options",
                  QString(static_cast<int>(doc.framework.behaviours.size()), QLatin1Char('1'))});
    ASSERT_TRUE(answer.waitForFinished(30000));
    ASSERT_EQ(answer.exitCode(), 0) << answer.readAllStandardError().toStdString();

    drop({request});
    ASSERT_EQ(doc.questionnaires.size(), 2u);
    EXPECT_EQ(doc.questionnaires[1].assessor, "Robin");
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "Merged the feedback of Robin (Peer)");
    const auto& marks = contents().landmarks();
    marks.results->page().refresh();
    const auto& perGroup = dynamic_cast<const RankingContent&>(marks.results->page()).list().questionnairesPerGroup();
    EXPECT_EQ(perGroup[0], 1);
    EXPECT_EQ(perGroup[3], 1);
    tree().selectNode(*marks.differences);
    EXPECT_EQ(m_frame->contentView()->page(), tree().pageOf(*marks.differences));

    // Saved and opened again with its password, everything is there.
    const std::string path = m_temp.file("Alex.kva");
    m_prompts.queueFileName(QString::fromStdString(path));
    ASSERT_TRUE(m_frame->save());
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "Saved Alex.kva");
    m_prompts.queuePassword(QStringLiteral("tiger"));
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(path)));
    EXPECT_EQ(m_frame->document().questionnaires.size(), 2u);
    EXPECT_EQ(m_frame->document().person, "Alex Example");
}

TEST_F(JournalEditingTest, AColourChangedInTheOptionsIsDrawnSavedAndReopened) {
    openSample();
    const std::string path = m_frame->document().path;
    m_frame->document().modified = false;
    whenModal<COptionSheet>([](COptionSheet* sheet) {
        sheet->colourPage()->button(8)->setColour(QColor(10, 20, 30)); // Background
        sheet->accept();
    });
    ASSERT_TRUE(m_frame->showOptions());
    EXPECT_TRUE(m_frame->document().modified);
    EXPECT_EQ(m_frame->document().colours.background, 0x1E140A);
    // A detail page fills its right-hand side with the background down to the visible bottom.
    tree().selectNode(contents().landmarks().actions->child(0));
    const QImage drawn = drawView();
    EXPECT_EQ(drawn.pixelColor(drawn.width() - 3, drawn.height() - 3), QColor(10, 20, 30));
    ASSERT_TRUE(m_frame->save());
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(path)));
    EXPECT_EQ(m_frame->document().colours.background, 0x1E140A);
}

TEST_F(JournalEditingTest, AnEmptyNewActionIsStoredAsUnspecifiedUnderItsBehaviour) {
    openSample();
    const ContentNode& behaviour = *contents().landmarks().firstBehaviour;
    tree().selectNode(behaviour);
    whenModal<ActionDialog>([&behaviour](ActionDialog* dialog) {
        EXPECT_EQ(dialog->behaviourBox()->currentData().toInt(), behaviour.behaviour());
        dialog->accept();
    });
    m_frame->action(CMainFrame::Command::NewAction)->trigger();
    const CPavexDoc& doc = m_frame->document();
    ASSERT_EQ(doc.actions.size(), 3u);
    EXPECT_EQ(doc.actions.back().action, "<unspecified>");
    EXPECT_EQ(doc.actions.back().behaviour, behaviour.behaviour());
    EXPECT_TRUE(doc.modified);
    const ContentNode& actions = *contents().landmarks().actions;
    ASSERT_EQ(actions.childCount(), 3u);
    EXPECT_EQ(tree().itemOf(actions.child(2))->text(0), "<unspecified>");
}

TEST_F(JournalEditingTest, DoubleClickingABehaviourRowOpensItsJournalWhoseCancelLeavesItUnmarked) {
    openSample();
    tree().selectNode(*contents().landmarks().behaviours);
    drawView();
    CResultPage* page = m_frame->contentView()->page();
    ASSERT_NE(page, nullptr);
    ASSERT_FALSE(page->hotAreas().empty());
    const HotArea row = page->hotAreas().front();
    const auto index = static_cast<std::size_t>(row.behaviour);
    m_frame->document().framework.behaviours[index].marked = 0;
    const QPoint at = row.name.center() - QPoint(m_frame->contentView()->horizontalScrollBar()->value(),
                                                 m_frame->contentView()->verticalScrollBar()->value());
    whenModal<BehaviourJournalDialog>([](BehaviourJournalDialog* dialog) {
        dialog->markedBox()->click();
        dialog->reject();
    });
    QTest::mouseDClick(m_frame->contentView()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(m_frame->document().framework.behaviours[index].marked, 0);
    EXPECT_FALSE(m_frame->document().modified);

    whenModal<BehaviourJournalDialog>([](BehaviourJournalDialog* dialog) {
        dialog->markedBox()->click();
        dialog->accept();
    });
    QTest::mouseDClick(m_frame->contentView()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(m_frame->document().framework.behaviours[index].marked, 1);
    EXPECT_TRUE(m_frame->document().modified);
}

TEST_F(JournalEditingTest, EditingAQuestionnaireFromTheTreeRelabelsItsNode) {
    openSample();
    ContentNode& questionnaire = contents().landmarks().feedback->child(0);
    whenModal<QuestionnaireDetailsDialog>([](QuestionnaireDetailsDialog* dialog) {
        dialog->nameEdit()->setText("Jordan");
        dialog->relationshipButton(4)->click();
        dialog->accept();
    });
    QTest::mouseDClick(tree().viewport(), Qt::LeftButton, {},
                       tree().visualItemRect(tree().itemOf(questionnaire)).center());
    EXPECT_EQ(tree().itemOf(questionnaire)->text(0), "Jordan");
    EXPECT_EQ(m_frame->document().questionnaires[0].relationship, 4);
    EXPECT_EQ(detailOf(questionnaire).rows().front().value, "Jordan");
    EXPECT_TRUE(m_frame->document().modified);

    // Cancelled, nothing changes.
    m_frame->document().modified = false;
    whenModal<QuestionnaireDetailsDialog>([](QuestionnaireDetailsDialog* dialog) {
        dialog->nameEdit()->setText("Nobody");
        dialog->reject();
    });
    chooseFromPopup(questionnaire, QStringLiteral("&Edit..."));
    EXPECT_EQ(tree().itemOf(questionnaire)->text(0), "Jordan");
    EXPECT_FALSE(m_frame->document().modified);
}

} // namespace
