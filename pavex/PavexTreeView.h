// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ContentTree.h"
#include "analysis/pages/ResultPage.h"

#include <QMenu>
#include <QPointer>
#include <QTreeWidget>

#include <memory>
#include <unordered_map>

// The explorer tree: mirrors the journal's contents tree, owns the page drawn for each node, and
// tells the content view which page to show when the selection changes.
class CPavexTreeView : public QTreeWidget, private ContentTreeListener {
    Q_OBJECT
public:
    explicit CPavexTreeView(QWidget* parent = nullptr);
    ~CPavexTreeView() override;

    // Clears the tree and builds it again from the contents tree, then selects Feedback.
    void rebuild(ContentTree& contents);
    // Forgets the contents tree (before the journal behind it goes).
    void detach();

    ContentTree* contents() const { return m_contents; }
    ContentNode* selectedNode() const;
    QTreeWidgetItem* itemOf(const ContentNode& node) const;
    CResultPage* pageOf(const ContentNode& node) const;
    void selectNode(const ContentNode& node);
    // Refreshes the selected node's page and shows it again, after the journal changed.
    void showSelected();

    // Where the user is in the tree: the selected node and the folded branches, by their places.
    struct Place {
        QList<int> selected;
        QList<QList<int>> folded;
    };
    Place place() const;
    // After a rebuild: the same places selected and folded again, where they still exist.
    void restorePlace(const Place& place);

    // Whether the item's label does not show in full in the tree's width (its tooltip then shows it).
    bool labelCutOff(const QTreeWidgetItem& item) const;
    // The tooltip at a point of the viewport: the full label of a cut-off item, otherwise none.
    QString toolTipAt(const QPoint& viewportPosition) const;

    // The pop-up menu opened by the last right-click on a node; null before any.
    QMenu* popupMenu() const { return m_popup; }

signals:
    // The page of the selected node, refreshed; null when there is nothing to show.
    void pageSelected(CResultPage* page);
    void newQuestionnaireRequested();
    void newActionRequested();
    // Edit, Delete and Toggle on the selected node.
    void editRequested();
    void deleteRequested();
    void toggleRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void treeRebuilt() override;
    void nodeAdded(ContentNode& node) override;
    void nodeRelabelled(ContentNode& node) override;
    void nodeRemoving(ContentNode& node) override;

    QTreeWidgetItem* addItem(ContentNode& node);
    void clearAll();
    void openPopup(const ContentNode& node, const QPoint& globalPosition, bool fromKeyboard);

    ContentTree* m_contents = nullptr;
    std::unordered_map<const ContentNode*, QTreeWidgetItem*> m_items;
    std::unordered_map<const ContentNode*, std::unique_ptr<CResultPage>> m_pages;
    QPointer<QMenu> m_popup;
};
