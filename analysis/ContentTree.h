// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/DateFormat.h"
#include "analysis/PageContent.h"
#include "model/PavexDoc.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the commands of the tree do with a node.
enum class NodeKind {
    Behaviour,     // shows the response frequencies of one behaviour
    Questionnaire, // a child of Feedback
    Action,        // a child of Actions
    Other
};

enum class IconKind { Feedback, Results, Behaviour, Journal, DevelopmentArea, Action };

// One node of the journal's table of contents with the page it shows. The tree owns nodes and pages.
class ContentNode {
public:
    const std::string& label() const { return m_label; }
    NodeKind kind() const { return m_kind; }
    IconKind icon() const { return m_icon; }
    PageContent& page() const { return *m_page; }
    ContentNode* parent() const { return m_parent; }
    std::size_t childCount() const { return m_children.size(); }
    ContentNode& child(std::size_t position) const { return *m_children[position]; }
    // The position among the parent's children (among the roots for a root).
    std::size_t position() const;
    // Behaviour nodes: the behaviour shown; -1 for other nodes.
    std::int32_t behaviour() const { return m_behaviour; }

private:
    friend class ContentTree;
    ContentNode(std::string label, NodeKind kind, IconKind icon, std::unique_ptr<PageContent> page, ContentNode* parent,
                std::int32_t behaviour);

    std::string m_label;
    NodeKind m_kind;
    IconKind m_icon;
    std::unique_ptr<PageContent> m_page;
    ContentNode* m_parent;
    std::int32_t m_behaviour;
    std::vector<std::unique_ptr<ContentNode>> m_children;
    const std::vector<std::unique_ptr<ContentNode>>* m_siblings = nullptr;
};

// Told about every change, so that a tree widget can mirror the model.
class ContentTreeListener {
public:
    virtual ~ContentTreeListener() = default;
    virtual void treeRebuilt() {}
    virtual void nodeAdded(ContentNode& /*node*/) {}
    virtual void nodeRelabelled(ContentNode& /*node*/) {}
    // The node and its page are destroyed right after this call.
    virtual void nodeRemoving(ContentNode& /*node*/) {}
};

// The journal's table of contents: Feedback, Results and Journal with their branches, each node with
// its page. Built from the journal it is given, which must outlive the tree.
class ContentTree {
public:
    // The nodes the guide and the commands reach directly; null where the journal has none.
    struct Landmarks {
        ContentNode* feedback = nullptr;
        ContentNode* results = nullptr;
        ContentNode* competencies = nullptr;
        ContentNode* behaviours = nullptr;
        ContentNode* differences = nullptr;
        ContentNode* extraRequirements = nullptr;
        ContentNode* journal = nullptr;
        ContentNode* developmentAreas = nullptr;
        ContentNode* withActions = nullptr;
        ContentNode* withoutActions = nullptr;
        ContentNode* actions = nullptr;
        ContentNode* firstCompetency = nullptr;
        // The first behaviour of the first competency that has any.
        ContentNode* firstBehaviour = nullptr;
        // The branch of the comparison with an earlier journal, while one is set.
        ContentNode* progress = nullptr;
    };

    ContentTree(const JournalRecord& journal, DateFormatter formatDate);
    ContentTree(const ContentTree&) = delete;
    ContentTree& operator=(const ContentTree&) = delete;

    void setListener(ContentTreeListener* listener) { m_listener = listener; }
    // An earlier journal of the same person adds the Progress branch at the next build(); nullptr
    // takes it away. The earlier journal must outlive the tree or the next call.
    void setEarlierJournal(const JournalRecord* earlier) { m_earlier = earlier; }
    const JournalRecord* earlierJournal() const { return m_earlier; }

    // Clears the tree and builds it again from the journal as it stands. The Feedback node is the one
    // to select afterwards.
    void build();

    std::size_t rootCount() const { return m_roots.size(); }
    ContentNode& root(std::size_t position) const { return *m_roots[position]; }
    const Landmarks& landmarks() const { return m_landmarks; }

    // Depth first, each node before its children: the order of the tree as shown.
    void forEachNode(const std::function<void(ContentNode& node, int depth)>& visit) const;
    // Refreshes the page of every node.
    void refreshAll() const;

    // Notifications from the journal. A new entry gets a node at the end of its branch; after a
    // delete at index j the nodes from j on take the labels of the entries now at their positions
    // and the surplus last node goes, so that node k keeps showing entry k.
    void questionnaireAdded();
    void questionnaireChanged(std::size_t index);
    void questionnaireDeleted(std::size_t index);
    void actionAdded();
    void actionChanged(std::size_t index);
    void actionDeleted(std::size_t index);

    // The label of an action node: the action text up to its first line break.
    static std::string actionLabel(const CPavexAction& action);

private:
    ContentNode& addNode(ContentNode* parent, std::string label, NodeKind kind, IconKind icon,
                         std::unique_ptr<PageContent> page, std::int32_t behaviour = -1);
    void buildFeedback();
    void buildResults();
    void buildJournal();
    void buildProgress();
    void addQuestionnaireNode(std::size_t index);
    void addActionNode(std::size_t index);
    // Brings a branch of entry nodes in line with the journal's entries from the given index on.
    void resyncBranch(ContentNode& branch, std::size_t from, std::size_t entryCount,
                      const std::function<std::string(std::size_t)>& labelOf);
    void removeLastChild(ContentNode& branch);
    void relabel(ContentNode& node, std::string label);

    const JournalRecord& m_journal;
    DateFormatter m_formatDate;
    ContentTreeListener* m_listener = nullptr;
    const JournalRecord* m_earlier = nullptr;
    std::vector<std::unique_ptr<ContentNode>> m_roots;
    Landmarks m_landmarks;
};
