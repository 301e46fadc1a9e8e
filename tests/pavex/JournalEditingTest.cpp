#include "tests/pavex/MainWindowFixture.h"

#include "analysis/GraphContent.h"
#include "analysis/ListContent.h"
#include "pavex/dialogs/PreliminariesDialog.h"
#include "pavex/dialogs/QuestionnaireDialog.h"
#include "tests/support/ModalScript.h"

#include <QPushButton>
#include <QSignalSpy>

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
    EXPECT_EQ(m_prompts.texts(),
              QStringList{"Sorry, you have reached the maximum number of questionnaires in one assessment file."});
    EXPECT_EQ(m_frame->document().questionnaires.size(), static_cast<std::size_t>(kMaxQuestionnaires));
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

TEST_F(JournalEditingTest, TheEditMenusDeleteReachesTheTreeOnlyWhileItHasTheFocus) {
    openWithThreeQuestionnaires();
    tree().selectNode(contents().landmarks().feedback->child(2));
    m_frame->contentView()->setFocus();
    QApplication::processEvents();
    m_frame->action(CMainFrame::Command::Delete)->trigger();
    EXPECT_TRUE(m_prompts.shown().empty());

    tree().setFocus();
    QApplication::processEvents();
    m_prompts.queueAnswer(true);
    m_frame->action(CMainFrame::Command::Delete)->trigger();
    EXPECT_EQ(feedbackLabels().size(), 2u);

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

} // namespace
