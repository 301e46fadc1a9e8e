// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's table of contents: its nodes in order, their pages, and how it follows the journal's
// questionnaires and actions.
#include "analysis/ContentTree.h"
#include "analysis/GraphContent.h"
#include "analysis/ListContent.h"
#include "analysis/PageTexts.h"
#include "model/ScriptedPrompts.h"
#include "tests/analysis/TestJournals.h"
#include "tests/support/Samples.h"

#include <gtest/gtest.h>

using namespace testjournals;

namespace {

struct Shown {
    std::string label;
    int depth;
    NodeKind kind;
    IconKind icon;
    PageKind page;
    std::string title;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& shown) {
    return out << std::string(static_cast<std::size_t>(shown.depth) * 2, ' ') << shown.label << " [" << shown.title
               << "]";
}

std::vector<Shown> walk(const ContentTree& tree) {
    std::vector<Shown> nodes;
    tree.forEachNode([&](ContentNode& node, int depth) {
        nodes.push_back({node.label(), depth, node.kind(), node.icon(), node.page().kind(), node.page().title()});
    });
    return nodes;
}

std::vector<std::string> labelsUnder(const ContentNode& node) {
    std::vector<std::string> labels;
    for (std::size_t k = 0; k < node.childCount(); ++k) {
        labels.push_back(node.child(k).label());
    }
    return labels;
}

using Labels = std::vector<std::string>;
const auto R = PageKind::Ranking;
const auto F = PageKind::Frequencies;
const auto T = PageKind::Table;
const auto D = PageKind::Detail;
const auto Other = NodeKind::Other;

} // namespace

TEST(ContentTree, FollowsTheJournalInTheOrderOfTheTable) {
    const CPavexDoc journal = samples::journal("");
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    const std::string allBehaviours = "Behaviours ranked by average score";
    const std::vector<Shown> expected{
        {"Feedback", 0, Other, IconKind::Feedback, T, "Completed feedback questionnaires"},
        {"Self", 1, NodeKind::Questionnaire, IconKind::Feedback, D, "Completed assessment questionnaire"},
        {"Pat", 1, NodeKind::Questionnaire, IconKind::Feedback, D, "Completed assessment questionnaire"},
        {"Results", 0, Other, IconKind::Results, R, "Competencies ranked by average score"},
        {"Competencies", 1, Other, IconKind::Results, R, "Competencies ranked by average score"},
        {"Communication", 2, Other, IconKind::Results, R, "Behaviours for \"Communication\" ranked by average score"},
        {"Listens to others", 3, NodeKind::Behaviour, IconKind::Behaviour, F,
         "Frequencies of each response to \"Listens to others\""},
        {"Explains decisions", 3, NodeKind::Behaviour, IconKind::Behaviour, F,
         "Frequencies of each response to \"Explains decisions\""},
        {"Planning", 2, Other, IconKind::Results, R, "Behaviours for \"Planning\" ranked by average score"},
        {"Sets clear goals \xe9t\xe9", 3, NodeKind::Behaviour, IconKind::Behaviour, F,
         "Frequencies of each response to \"Sets clear goals \xe9t\xe9\""},
        {"Behaviours", 1, Other, IconKind::Behaviour, R, allBehaviours},
        {"Explains decisions", 2, NodeKind::Behaviour, IconKind::Behaviour, F,
         "Frequencies of each response to \"Explains decisions\""},
        {"Listens to others", 2, NodeKind::Behaviour, IconKind::Behaviour, F,
         "Frequencies of each response to \"Listens to others\""},
        {"Sets clear goals \xe9t\xe9", 2, NodeKind::Behaviour, IconKind::Behaviour, F,
         "Frequencies of each response to \"Sets clear goals \xe9t\xe9\""},
        {"Differences", 1, Other, IconKind::Behaviour, R,
         "Behaviours ranked by differences between Self and all other scores"},
        {"Self and Manager", 2, Other, IconKind::Behaviour, R,
         "Behaviours ranked by differences between Self and Manager scores"},
        {"Self and Direct Report", 2, Other, IconKind::Behaviour, R,
         "Behaviours ranked by differences between Self and Direct Report scores"},
        {"Self and Peer", 2, Other, IconKind::Behaviour, R,
         "Behaviours ranked by differences between Self and Peer scores"},
        {"Self and Customer", 2, Other, IconKind::Behaviour, R,
         "Behaviours ranked by differences between Self and Customer scores"},
        {"Self and Other", 2, Other, IconKind::Behaviour, R,
         "Behaviours ranked by differences between Self and Other scores"},
        {"Extra Requirements", 1, Other, IconKind::Behaviour, R,
         "Behaviours where Self scored \"Not needed\" and somebody differed"},
        {"Self and Manager", 2, Other, IconKind::Behaviour, R,
         "Behaviours where Self scored \"Not needed\" and a Manager differed"},
        {"Self and Direct Report", 2, Other, IconKind::Behaviour, R,
         "Behaviours where Self scored \"Not needed\" and a Direct Report differed"},
        {"Self and Peer", 2, Other, IconKind::Behaviour, R,
         "Behaviours where Self scored \"Not needed\" and a Peer differed"},
        {"Self and Customer", 2, Other, IconKind::Behaviour, R,
         "Behaviours where Self scored \"Not needed\" and a Customer differed"},
        {"Self and Other", 2, Other, IconKind::Behaviour, R,
         "Behaviours where Self scored \"Not needed\" and a Other differed"},
        {"Journal", 0, Other, IconKind::Journal, T, "Development journal"},
        {"Development Areas", 1, Other, IconKind::DevelopmentArea, R,
         "Behaviours marked for development ranked by average score"},
        {"With Actions", 2, Other, IconKind::DevelopmentArea, R,
         "Behaviours marked for development with actions ranked by average scores"},
        {"Without Actions", 2, Other, IconKind::DevelopmentArea, R,
         "Behaviours marked for development without actions ranked by average score"},
        {"Actions", 1, Other, IconKind::Action, T, "Development journal"},
        {"Write goals down", 2, NodeKind::Action, IconKind::Action, D, "Development journal action"},
        {"Read a book", 2, NodeKind::Action, IconKind::Action, D, "Development journal action"},
    };
    EXPECT_EQ(walk(tree), expected);

    const auto& marks = tree.landmarks();
    EXPECT_EQ(marks.feedback, &tree.root(0));
    EXPECT_EQ(marks.results->label(), "Results");
    EXPECT_EQ(marks.withoutActions->label(), "Without Actions");
    EXPECT_EQ(marks.actions->label(), "Actions");
    EXPECT_EQ(marks.firstCompetency->label(), "Communication");
    EXPECT_EQ(marks.firstBehaviour->label(), "Listens to others");
    EXPECT_EQ(marks.firstBehaviour->behaviour(), 0);
}

TEST(ContentTree, PagesCarryTheirListsAndCountingModes) {
    const CPavexDoc journal = samples::journal("");
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    const auto& marks = tree.landmarks();
    const auto& differences = dynamic_cast<const RankingContent&>(marks.differences->child(2).page());
    EXPECT_EQ(differences.countingMode(), CountingMode::Differences);
    EXPECT_EQ(differences.list().selector(), 3);
    const auto& extra = dynamic_cast<const RankingContent&>(marks.extraRequirements->page());
    EXPECT_EQ(extra.countingMode(), CountingMode::ExtraRequirements);
    const auto& competency = dynamic_cast<const RankingContent&>(marks.firstCompetency->page());
    EXPECT_EQ(competency.list().selector(), 0);
    EXPECT_TRUE(competency.rowsCarryMarks());
    EXPECT_FALSE(dynamic_cast<const RankingContent&>(marks.results->page()).rowsCarryMarks());
    EXPECT_EQ(dynamic_cast<const RankingContent&>(marks.withActions->page()).list().selector(),
              CResultList::kWithActions);
    const auto& frequencies = dynamic_cast<const FrequencyContent&>(marks.behaviours->child(0).page());
    EXPECT_EQ(frequencies.behaviour(), 1); // "Explains decisions" sorts first
}

TEST(ContentTree, SortsTheBehavioursBranchIgnoringLetterCaseAndKeepingEqualLabelsInOrder) {
    JournalRecord journal = journalWithRole(1, 5);
    const char* statements[] = {"banana", "Apple", "apple", "_under", "Cherry"};
    for (std::size_t b = 0; b < 5; ++b) {
        journal.framework.behaviours[b].statement = statements[b];
    }
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    const ContentNode& behaviours = *tree.landmarks().behaviours;
    // '_' lies between the capital and the small letters, so folding puts it first.
    EXPECT_EQ(labelsUnder(behaviours), (Labels{"_under", "Apple", "apple", "banana", "Cherry"}));
    EXPECT_EQ(behaviours.child(1).behaviour(), 1);
    EXPECT_EQ(behaviours.child(2).behaviour(), 2);
    // The competency branch keeps framework order.
    EXPECT_EQ(labelsUnder(*tree.landmarks().firstCompetency), (Labels{"banana", "Apple", "apple", "_under", "Cherry"}));
}

TEST(ContentTree, AJournalWithoutARoleHasTheFixedNodesOnly) {
    const JournalRecord journal;
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    std::vector<std::string> labels;
    tree.forEachNode([&](ContentNode& node, int) { labels.push_back(node.label()); });
    EXPECT_EQ(labels, (Labels{"Feedback", "Results", "Competencies", "Behaviours", "Differences", "Extra Requirements",
                              "Journal", "Development Areas", "Actions"}));
    const auto& marks = tree.landmarks();
    EXPECT_EQ(marks.withActions, nullptr);
    EXPECT_EQ(marks.withoutActions, nullptr);
    EXPECT_EQ(marks.firstCompetency, nullptr);
    EXPECT_EQ(marks.firstBehaviour, nullptr);
    EXPECT_EQ(marks.extraRequirements->page().title(), "Behaviours where Self scored \"\" and somebody differed");
    tree.refreshAll();
    EXPECT_TRUE(marks.results->page().showsMessage());
    EXPECT_EQ(marks.results->page().shownTitle(), pagetext::kNoQuestionnaires);
}

TEST(ContentTree, TheFirstBehaviourIsThatOfTheFirstCompetencyWithAny) {
    JournalRecord journal = journalWithRole(3, 1);
    journal.framework.behaviours[0].competency = 2;
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    EXPECT_EQ(tree.landmarks().firstCompetency->label(), "C0");
    EXPECT_EQ(tree.landmarks().firstBehaviour->parent()->label(), "C1");
}

TEST(ContentTree, DeletingTheMiddleOfThreeQuestionnairesKeepsNodeKOnQuestionnaireK) {
    CPavexDoc doc = samples::journal("");
    CPavexFeedback third = doc.questionnaires[0];
    third.assessor = "Robin";
    doc.questionnaires.push_back(third);
    ContentTree tree(doc, formatDateInCLocale);
    tree.build();
    ContentNode& feedback = *tree.landmarks().feedback;
    ContentNode* firstNode = &feedback.child(0);
    ContentNode* secondNode = &feedback.child(1);

    ScriptedPrompts prompts;
    prompts.queueAnswer(true);
    ASSERT_TRUE(doc.deleteQuestionnaire(1, prompts));
    tree.questionnaireDeleted(1);
    EXPECT_EQ(labelsUnder(feedback), (Labels{"Self", "Robin"}));
    EXPECT_EQ(&feedback.child(0), firstNode);
    EXPECT_EQ(&feedback.child(1), secondNode);
    secondNode->page().refresh();
    const auto& detail = dynamic_cast<const DetailContent&>(secondNode->page());
    EXPECT_EQ(detail.index(), 1u);
    EXPECT_EQ(detail.rows().at(0).value, "Robin");
}

TEST(ContentTree, DeletingTheLastActionRemovesItsOwnNode) {
    CPavexDoc doc = samples::journal("");
    ContentTree tree(doc, formatDateInCLocale);
    tree.build();
    ScriptedPrompts prompts;
    prompts.queueAnswer(true);
    ContentNode& actions = *tree.landmarks().actions;
    ASSERT_TRUE(doc.deleteAction(1, prompts));
    tree.actionDeleted(1);
    EXPECT_EQ(labelsUnder(actions), (Labels{"Write goals down"}));
}

TEST(ContentTree, LabelsActionsWithTheirFirstLine) {
    CPavexAction action;
    action.action = "\r\nStarts with a line break";
    EXPECT_EQ(ContentTree::actionLabel(action), "");
    action.action = "First line\r\nSecond";
    EXPECT_EQ(ContentTree::actionLabel(action), "First line");
    action.action = "Unix\nline";
    EXPECT_EQ(ContentTree::actionLabel(action), "Unix");
    action.action = "";
    EXPECT_EQ(ContentTree::actionLabel(action), "");

    CPavexDoc doc = samples::journal("");
    doc.actions[0].action = "\nHidden";
    ContentTree tree(doc, formatDateInCLocale);
    tree.build();
    EXPECT_EQ(tree.landmarks().actions->child(0).label(), "");
}

namespace {
struct RecordingListener : ContentTreeListener {
    std::vector<std::string> events;
    void treeRebuilt() override { events.push_back("rebuilt"); }
    void nodeAdded(ContentNode& node) override { events.push_back("added " + node.label()); }
    void nodeRelabelled(ContentNode& node) override { events.push_back("relabelled " + node.label()); }
    void nodeRemoving(ContentNode& node) override { events.push_back("removing " + node.label()); }
};
} // namespace

TEST(ContentTree, AppendsAndRelabelsAsTheJournalChanges) {
    CPavexDoc doc = samples::journal("");
    ContentTree tree(doc, formatDateInCLocale);
    tree.build();
    RecordingListener listener;
    tree.setListener(&listener);

    CPavexFeedback added = doc.questionnaires[0];
    added.assessor = "Newcomer";
    doc.questionnaires.push_back(added);
    tree.questionnaireAdded();
    CPavexAction action;
    action.action = "Practise\nevery day";
    doc.actions.push_back(action);
    tree.actionAdded();
    doc.actions[0].action = "Renamed";
    tree.actionChanged(0);
    doc.questionnaires[1].assessor = "Patricia";
    tree.questionnaireChanged(1);
    tree.questionnaireChanged(9); // no such node: nothing

    EXPECT_EQ(listener.events,
              (Labels{"added Newcomer", "added Practise", "relabelled Renamed", "relabelled Patricia"}));
    const ContentNode& newest = tree.landmarks().feedback->child(2);
    EXPECT_EQ(dynamic_cast<const DetailContent&>(newest.page()).index(), 2u);
    EXPECT_EQ(newest.position(), 2u);
    EXPECT_EQ(labelsUnder(*tree.landmarks().actions), (Labels{"Renamed", "Read a book", "Practise"}));
}

TEST(ContentTree, AQuestionnairesDetailPageFollowsItsToggleAtTheNextRefresh) {
    CPavexDoc doc = samples::journal("");
    ContentTree tree(doc, formatDateInCLocale);
    tree.build();
    ASSERT_TRUE(doc.toggleUseInResults(1));
    ContentNode& pat = tree.landmarks().feedback->child(1);
    pat.page().refresh();
    EXPECT_EQ(dynamic_cast<const DetailContent&>(pat.page()).rows().back().value, "Yes");
}
