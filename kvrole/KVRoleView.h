// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvrole/core/RoleEditor.h"

#include <QPersistentModelIndex>
#include <QStringList>
#include <QTreeWidget>

#include <functional>

class BehaviourDialog;
class CKVRoleDoc;
class EditorContext;

// Shows one role as a tree: the role, its competencies, and under each its behaviours. Every item
// carries the value that names what it stands for (see kvrole::ItemRef); after a structural change
// the items are renumbered from the tree's own order.
class CKVRoleView : public QTreeWidget {
    Q_OBJECT

public:
    static constexpr int kValueRole = Qt::UserRole;
    static constexpr char kForeignDropRefused[] =
        "Sorry, this item was dragged from another Reflectory Kitsmith, which cannot hand it over.  Copy it "
        "there and paste it here instead.";

    CKVRoleView(CKVRoleDoc& document, EditorContext& context, QWidget* parent = nullptr);

    CKVRoleDoc& document() const { return m_document; }

    // Rebuilds every item from the role and expands the root only.
    void rebuild();
    // Rebuilds every item from the role, keeping the selection and the open branches where their
    // places still exist (after Undo and Redo).
    void rebuildKeepingPlace();
    kvrole::ItemRef selectedRef() const;
    kvrole::ItemRef refOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* rootItem() const { return topLevelItem(0); }
    QTreeWidgetItem* itemFor(kvrole::ItemRef ref) const;
    void select(kvrole::ItemRef ref);

    // The commands that act on the selected item.
    void newCompetency();
    void newBehaviour();
    void editSelected();
    void deleteSelected();
    void roleDetails();
    void editResponses();
    // The clipboard: the selected item as text, Copy then Delete without asking, and the
    // clipboard's text added beside the selected item.
    void cut();
    void copy();
    void paste();

    // What the view shows while a drag hovers over it: the highlighted item, or nothing.
    QTreeWidgetItem* dropHighlight() const;

    // The pop-up menu's entries for an item, in order; an empty entry is a separator.
    static QStringList popupEntries(kvrole::ItemRef::Kind kind);

signals:
    // The pointer is over a command; the main window shows its prompt.
    void commandPrompt(const QString& prompt);
    // What a command did that the status bar tells.
    void news(const QString& text);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Drag and drop of one item: a move within this window, a copy from any other window.
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool handleKey(int key);
    void run(kvrole::TreeCommand command);
    void storeLabel(QTreeWidgetItem* item);
    QTreeWidgetItem* makeItem(const std::string& text, kvrole::ItemRef ref);
    void renumber();
    // Marks the document modified and has its other windows rebuild their trees.
    void documentEdited();
    void startEditing(QTreeWidgetItem* item);
    // One recorded step: `insert` puts a new item in the tree (nullptr when nothing was added); the
    // labels are numbered again and the new one opens for typing.
    void addItem(const QString& step, const std::function<QTreeWidgetItem*()>& insert);
    void setItemText(QTreeWidgetItem* item, const std::string& text);
    void editCompetency(int competency);
    void editBehaviour(int behaviour);
    void storeBehaviour(int behaviour, const BehaviourDialog& dialog);
    kvrole::RoleEditor editor() const;
    bool removeSelected(bool confirm);
    void cutRoot();
    // Shows the role after a transfer changed it, with `item` selected and in sight, and unfolded
    // when `unfold` says so (a paste shows what it added; a dropped competency stays folded).
    void showEdited(kvrole::ItemRef item, bool unfold);
    // The item a drop at `position` lands on: the one under it, or the root below the last item.
    QTreeWidgetItem* dropTargetAt(const QPoint& position) const;
    // Whether a drag over this view at `position` can drop; sets the highlight and the action.
    bool acceptDrag(QDropEvent* event);
    bool dropChangesSomething(const CKVRoleView* source, kvrole::ItemRef dragged, kvrole::ItemRef target) const;
    void setDropHighlight(QTreeWidgetItem* item);
    void activateChildWindow();
    void moveDropped(kvrole::ItemRef dragged, kvrole::ItemRef target);
    void copyDropped(const CPavexFramework& source, kvrole::ItemRef dragged, kvrole::ItemRef target);

    CKVRoleDoc& m_document;
    EditorContext& m_context;
    // Set while the view itself changes item texts, which are not user edits.
    bool m_filling = false;
    QPersistentModelIndex m_dropHighlight;
};
