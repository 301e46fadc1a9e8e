// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ContentTree.h"

#include "analysis/GraphContent.h"
#include "analysis/ListContent.h"
#include "analysis/PageTexts.h"
#include "analysis/ProgressPages.h"
#include "analysis/ReportContent.h"
#include "model/TextRules.h"

#include <algorithm>
#include <utility>

ContentNode::ContentNode(std::string label, NodeKind kind, IconKind icon, std::unique_ptr<PageContent> page,
                         ContentNode* parent, std::int32_t behaviour)
    : m_label(std::move(label)), m_kind(kind), m_icon(icon), m_page(std::move(page)), m_parent(parent),
      m_behaviour(behaviour) {}

std::size_t ContentNode::position() const {
    const auto& siblings = *m_siblings;
    for (std::size_t p = 0; p < siblings.size(); ++p) {
        if (siblings[p].get() == this) {
            return p;
        }
    }
    return siblings.size();
}

ContentTree::ContentTree(const JournalRecord& journal, DateFormatter formatDate)
    : m_journal(journal), m_formatDate(formatDate ? std::move(formatDate) : DateFormatter(formatDateInCLocale)) {}

ContentNode& ContentTree::addNode(ContentNode* parent, std::string label, NodeKind kind, IconKind icon,
                                  std::unique_ptr<PageContent> page, std::int32_t behaviour) {
    auto& siblings = parent != nullptr ? parent->m_children : m_roots;
    siblings.push_back(std::unique_ptr<ContentNode>(
        new ContentNode(std::move(label), kind, icon, std::move(page), parent, behaviour)));
    siblings.back()->m_siblings = &siblings;
    return *siblings.back();
}

void ContentTree::build() {
    m_roots.clear();
    m_landmarks = {};
    buildFeedback();
    buildResults();
    buildJournal();
    if (m_earlier != nullptr) {
        buildProgress();
    }
    if (m_listener != nullptr) {
        m_listener->treeRebuilt();
    }
}

void ContentTree::buildFeedback() {
    m_landmarks.feedback = &addNode(nullptr, "Feedback", NodeKind::Other, IconKind::Feedback,
                                    std::make_unique<QuestionnaireListContent>(m_journal, m_formatDate));
    for (std::size_t q = 0; q < m_journal.questionnaires.size(); ++q) {
        addQuestionnaireNode(q);
    }
}

void ContentTree::buildResults() {
    const CPavexFramework& framework = m_journal.framework;
    const auto ranking = [this](std::string title, CResultList list) {
        return std::make_unique<RankingContent>(m_journal, std::move(title), std::move(list));
    };
    const auto frequencies = [this](std::int32_t behaviour) {
        return std::make_unique<FrequencyContent>(m_journal, behaviour);
    };
    const auto behaviourNode = [&](ContentNode& parent, std::size_t b) {
        addNode(&parent, framework.behaviours[b].statement, NodeKind::Behaviour, IconKind::Behaviour,
                frequencies(static_cast<std::int32_t>(b)), static_cast<std::int32_t>(b));
    };

    ContentNode& results = addNode(nullptr, "Results", NodeKind::Other, IconKind::Results,
                                   ranking(pagetext::competencyRankingTitle(), CResultList::competencies(framework)));
    m_landmarks.results = &results;

    ContentNode& competencies =
        addNode(&results, "Competencies", NodeKind::Other, IconKind::Results,
                ranking(pagetext::competencyRankingTitle(), CResultList::competencies(framework)));
    m_landmarks.competencies = &competencies;
    // Bucket behaviours by competency once rather than scanning them for every competency.
    std::vector<std::vector<std::size_t>> behavioursOf(framework.competencies.size());
    for (std::size_t b = 0; b < framework.behaviours.size(); ++b) {
        const std::int32_t competency = framework.behaviours[b].competency;
        if (competency >= 0 && static_cast<std::size_t>(competency) < behavioursOf.size()) {
            behavioursOf[competency].push_back(b);
        }
    }
    for (std::size_t c = 0; c < framework.competencies.size(); ++c) {
        const std::string& name = framework.competencies[c].name;
        ContentNode& competency = addNode(&competencies, name, NodeKind::Other, IconKind::Results,
                                          ranking(pagetext::competencyBehavioursTitle(name),
                                                  CResultList::behaviours(framework, static_cast<int>(c))));
        if (m_landmarks.firstCompetency == nullptr) {
            m_landmarks.firstCompetency = &competency;
        }
        for (const std::size_t b : behavioursOf[c]) {
            behaviourNode(competency, b);
        }
        if (m_landmarks.firstBehaviour == nullptr && competency.childCount() > 0) {
            m_landmarks.firstBehaviour = &competency.child(0);
        }
    }

    ContentNode& behaviours = addNode(
        &results, "Behaviours", NodeKind::Other, IconKind::Behaviour,
        ranking(pagetext::behaviourRankingTitle(), CResultList::behaviours(framework, CResultList::kAllBehaviours)));
    m_landmarks.behaviours = &behaviours;
    for (std::size_t b = 0; b < framework.behaviours.size(); ++b) {
        behaviourNode(behaviours, b);
    }
    std::stable_sort(behaviours.m_children.begin(), behaviours.m_children.end(),
                     [](const auto& a, const auto& b) { return foldedLess(a->label(), b->label()); });

    const bool hasRole = !framework.competencies.empty();
    ContentNode& differences =
        addNode(&results, "Differences", NodeKind::Other, IconKind::Behaviour,
                ranking(pagetext::differencesTitle(m_journal, 0), CResultList::differences(framework, 0)));
    m_landmarks.differences = &differences;
    if (hasRole) {
        for (int g = 1; g < kRelationshipCount; ++g) {
            addNode(&differences, "Self and " + pagetext::groupLabel(m_journal, g), NodeKind::Other,
                    IconKind::Behaviour,
                    ranking(pagetext::differencesTitle(m_journal, g), CResultList::differences(framework, g)));
        }
    }

    ContentNode& extra =
        addNode(&results, "Extra Requirements", NodeKind::Other, IconKind::Behaviour,
                ranking(pagetext::extraRequirementsTitle(m_journal, 0), CResultList::extraRequirements(framework, 0)));
    m_landmarks.extraRequirements = &extra;
    if (hasRole) {
        for (int g = 1; g < kRelationshipCount; ++g) {
            addNode(
                &extra, "Self and " + pagetext::groupLabel(m_journal, g), NodeKind::Other, IconKind::Behaviour,
                ranking(pagetext::extraRequirementsTitle(m_journal, g), CResultList::extraRequirements(framework, g)));
        }
    }
}

void ContentTree::buildProgress() {
    using progresspages::ProgressContent;
    const auto page = [this](ProgressContent::Which which) {
        return std::make_unique<ProgressContent>(m_journal, *m_earlier, which, m_formatDate);
    };
    const std::string label =
        progresspages::branchLabel(reportcontent::coverFacts(*m_earlier).lastQuestionnaire, m_formatDate);
    ContentNode& branch =
        addNode(nullptr, label, NodeKind::Other, IconKind::Results, page(ProgressContent::Which::DevelopmentAreas));
    m_landmarks.progress = &branch;
    addNode(&branch, progresspages::kDevelopmentAreas, NodeKind::Other, IconKind::DevelopmentArea,
            page(ProgressContent::Which::DevelopmentAreas));
    addNode(&branch, progresspages::kCompetencies, NodeKind::Other, IconKind::Results,
            page(ProgressContent::Which::Competencies));
    addNode(&branch, progresspages::kBehaviours, NodeKind::Other, IconKind::Behaviour,
            page(ProgressContent::Which::Behaviours));
    addNode(&branch, progresspages::kByRelationship, NodeKind::Other, IconKind::Results,
            page(ProgressContent::Which::ByRelationship));
    addNode(&branch, progresspages::kNotCompared, NodeKind::Other, IconKind::Results,
            page(ProgressContent::Which::NotCompared));
}

void ContentTree::buildJournal() {
    const CPavexFramework& framework = m_journal.framework;
    const auto ranking = [this](std::string title, CResultList list) {
        return std::make_unique<RankingContent>(m_journal, std::move(title), std::move(list));
    };

    ContentNode& journal = addNode(nullptr, "Journal", NodeKind::Other, IconKind::Journal,
                                   std::make_unique<JournalListContent>(m_journal, m_formatDate));
    m_landmarks.journal = &journal;

    ContentNode& areas = addNode(
        &journal, "Development Areas", NodeKind::Other, IconKind::DevelopmentArea,
        ranking(pagetext::developmentAreasTitle(), CResultList::behaviours(framework, CResultList::kDevelopmentAreas)));
    m_landmarks.developmentAreas = &areas;
    if (!framework.competencies.empty()) {
        m_landmarks.withActions = &addNode(&areas, "With Actions", NodeKind::Other, IconKind::DevelopmentArea,
                                           ranking(pagetext::developmentAreasWithActionsTitle(),
                                                   CResultList::behaviours(framework, CResultList::kWithActions)));
        m_landmarks.withoutActions =
            &addNode(&areas, "Without Actions", NodeKind::Other, IconKind::DevelopmentArea,
                     ranking(pagetext::developmentAreasWithoutActionsTitle(),
                             CResultList::behaviours(framework, CResultList::kWithoutActions)));
    }

    m_landmarks.actions = &addNode(&journal, "Actions", NodeKind::Other, IconKind::Action,
                                   std::make_unique<JournalListContent>(m_journal, m_formatDate));
    for (std::size_t a = 0; a < m_journal.actions.size(); ++a) {
        addActionNode(a);
    }
}

void ContentTree::addQuestionnaireNode(std::size_t index) {
    ContentNode& node =
        addNode(m_landmarks.feedback, m_journal.questionnaires[index].assessor, NodeKind::Questionnaire,
                IconKind::Feedback, std::make_unique<QuestionnaireDetailContent>(m_journal, index, m_formatDate));
    if (m_listener != nullptr) {
        m_listener->nodeAdded(node);
    }
}

void ContentTree::addActionNode(std::size_t index) {
    ContentNode& node =
        addNode(m_landmarks.actions, actionLabel(m_journal.actions[index]), NodeKind::Action, IconKind::Action,
                std::make_unique<ActionDetailContent>(m_journal, index, m_formatDate));
    if (m_listener != nullptr) {
        m_listener->nodeAdded(node);
    }
}

void ContentTree::forEachNode(const std::function<void(ContentNode& node, int depth)>& visit) const {
    const std::function<void(ContentNode&, int)> walk = [&](ContentNode& node, int depth) {
        visit(node, depth);
        for (const auto& child : node.m_children) {
            walk(*child, depth + 1);
        }
    };
    for (const auto& root : m_roots) {
        walk(*root, 0);
    }
}

void ContentTree::refreshAll() const {
    forEachNode([](ContentNode& node, int) { node.page().refresh(); });
}

std::string ContentTree::actionLabel(const CPavexAction& action) {
    return listrows::firstLine(action.action);
}

void ContentTree::relabel(ContentNode& node, std::string label) {
    if (node.m_label == label) {
        return;
    }
    node.m_label = std::move(label);
    if (m_listener != nullptr) {
        m_listener->nodeRelabelled(node);
    }
}

void ContentTree::removeLastChild(ContentNode& branch) {
    ContentNode& last = *branch.m_children.back();
    if (m_listener != nullptr) {
        m_listener->nodeRemoving(last);
    }
    branch.m_children.pop_back();
}

void ContentTree::resyncBranch(ContentNode& branch, std::size_t from, std::size_t entryCount,
                               const std::function<std::string(std::size_t)>& labelOf) {
    for (std::size_t k = from; k < std::min(branch.childCount(), entryCount); ++k) {
        relabel(branch.child(k), labelOf(k));
    }
    while (branch.childCount() > entryCount) {
        removeLastChild(branch);
    }
}

void ContentTree::questionnaireAdded() {
    if (m_landmarks.feedback == nullptr) {
        return;
    }
    for (std::size_t q = m_landmarks.feedback->childCount(); q < m_journal.questionnaires.size(); ++q) {
        addQuestionnaireNode(q);
    }
}

void ContentTree::questionnaireChanged(std::size_t index) {
    if (m_landmarks.feedback != nullptr && index < m_landmarks.feedback->childCount() &&
        index < m_journal.questionnaires.size()) {
        relabel(m_landmarks.feedback->child(index), m_journal.questionnaires[index].assessor);
    }
}

void ContentTree::questionnaireDeleted(std::size_t index) {
    if (m_landmarks.feedback == nullptr) {
        return;
    }
    resyncBranch(*m_landmarks.feedback, index, m_journal.questionnaires.size(),
                 [this](std::size_t k) { return m_journal.questionnaires[k].assessor; });
}

void ContentTree::actionAdded() {
    if (m_landmarks.actions == nullptr) {
        return;
    }
    for (std::size_t a = m_landmarks.actions->childCount(); a < m_journal.actions.size(); ++a) {
        addActionNode(a);
    }
}

void ContentTree::actionChanged(std::size_t index) {
    if (m_landmarks.actions != nullptr && index < m_landmarks.actions->childCount() &&
        index < m_journal.actions.size()) {
        relabel(m_landmarks.actions->child(index), actionLabel(m_journal.actions[index]));
    }
}

void ContentTree::actionDeleted(std::size_t index) {
    if (m_landmarks.actions == nullptr) {
        return;
    }
    resyncBranch(*m_landmarks.actions, index, m_journal.actions.size(),
                 [this](std::size_t k) { return actionLabel(m_journal.actions[k]); });
}
