// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/PavexTreeView.h"

#include "analysis/pages/PageFactory.h"
#include "ui/Cp1252Text.h"
#include "ui/Icons.h"
#include "ui/KeyboardMenu.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>

namespace {

constexpr int kNodeRole = Qt::UserRole + 1;

ui::Icon iconFor(IconKind kind) {
    switch (kind) {
    case IconKind::Feedback:
        return ui::Icon::Feedback;
    case IconKind::Results:
        return ui::Icon::Results;
    case IconKind::Behaviour:
        return ui::Icon::Behaviour;
    case IconKind::Journal:
        return ui::Icon::Journal;
    case IconKind::DevelopmentArea:
        return ui::Icon::DevelopmentArea;
    case IconKind::Action:
        return ui::Icon::Action;
    }
    return ui::Icon::Results;
}

ContentNode* nodeOfItem(const QTreeWidgetItem* item) {
    if (item == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<ContentNode*>(item->data(0, kNodeRole).value<quintptr>());
}

// The flag the Toggle entry of a node's menu inverts.
bool nodeFlag(const ContentNode& node) {
    const JournalRecord& journal = node.page().journal();
    const std::size_t position = node.position();
    switch (node.kind()) {
    case NodeKind::Behaviour: {
        const auto index = static_cast<std::size_t>(node.behaviour());
        return index < journal.framework.behaviours.size() && journal.framework.behaviours[index].marked != 0;
    }
    case NodeKind::Questionnaire:
        return position < journal.questionnaires.size() && journal.questionnaires[position].useInResults != 0;
    case NodeKind::Action:
        return position < journal.actions.size() && journal.actions[position].completed != 0;
    case NodeKind::Other:
        break;
    }
    return false;
}

} // namespace

CPavexTreeView::CPavexTreeView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setAccessibleName(QStringLiteral("Contents"));
    // Readers see the header even when hidden: it names the column instead of numbering it.
    setHeaderLabels({QStringLiteral("Contents")});
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    // Long behaviour statements scroll sideways rather than being cut short.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &CPavexTreeView::showSelected);
}

CPavexTreeView::~CPavexTreeView() {
    // Whoever listened may be gone already.
    blockSignals(true);
    detach();
}

void CPavexTreeView::detach() {
    clearAll();
    if (m_contents != nullptr) {
        m_contents->setListener(nullptr);
        m_contents = nullptr;
    }
}

void CPavexTreeView::clearAll() {
    emit pageSelected(nullptr);
    const QSignalBlocker quiet(this);
    clear();
    m_items.clear();
    m_pages.clear();
}

void CPavexTreeView::rebuild(ContentTree& contents) {
    // The pages refer to the old nodes' content, which the build destroys: they go first.
    clearAll();
    if (m_contents != nullptr && m_contents != &contents) {
        m_contents->setListener(nullptr);
    }
    m_contents = &contents;
    m_contents->setListener(this);
    m_contents->build();
}

void CPavexTreeView::treeRebuilt() {
    clearAll();
    {
        const QSignalBlocker quiet(this);
        m_contents->forEachNode([this](ContentNode& node, int) { addItem(node); });
        expandAll();
    }
    if (ContentNode* feedback = m_contents->landmarks().feedback) {
        selectNode(*feedback);
    }
}

QTreeWidgetItem* CPavexTreeView::addItem(ContentNode& node) {
    QTreeWidgetItem* parentItem = nullptr;
    if (node.parent() != nullptr) {
        parentItem = itemOf(*node.parent());
        if (parentItem == nullptr) {
            return nullptr; // mid-build: the whole tree follows once it is complete
        }
    }
    auto* item = new QTreeWidgetItem;
    item->setText(0, ui::fromCp1252(node.label()));
    item->setIcon(0, ui::icon(iconFor(node.icon())));
    item->setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(&node)));
    if (parentItem != nullptr) {
        parentItem->addChild(item);
    } else {
        addTopLevelItem(item);
    }
    m_items[&node] = item;
    m_pages[&node] = makeResultPage(node.page());
    return item;
}

void CPavexTreeView::nodeAdded(ContentNode& node) {
    if (m_items.empty()) {
        return; // during a build
    }
    if (QTreeWidgetItem* item = addItem(node); item != nullptr && item->parent() != nullptr) {
        item->parent()->setExpanded(true);
    }
    // Lists and detail pages count the entries: the page on show is brought up to date.
    showSelected();
}

void CPavexTreeView::nodeRelabelled(ContentNode& node) {
    if (QTreeWidgetItem* item = itemOf(node)) {
        item->setText(0, ui::fromCp1252(node.label()));
    }
    showSelected();
}

void CPavexTreeView::nodeRemoving(ContentNode& node) {
    const auto found = m_items.find(&node);
    if (found == m_items.end()) {
        return;
    }
    const bool wasSelected = selectedNode() == &node;
    if (wasSelected) {
        emit pageSelected(nullptr);
    }
    {
        const QSignalBlocker quiet(this);
        delete found->second;
    }
    m_items.erase(found);
    m_pages.erase(&node);
    showSelected();
}

QTreeWidgetItem* CPavexTreeView::itemOf(const ContentNode& node) const {
    const auto found = m_items.find(&node);
    return found == m_items.end() ? nullptr : found->second;
}

CResultPage* CPavexTreeView::pageOf(const ContentNode& node) const {
    const auto found = m_pages.find(&node);
    return found == m_pages.end() ? nullptr : found->second.get();
}

ContentNode* CPavexTreeView::selectedNode() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : nodeOfItem(selected.front());
}

void CPavexTreeView::selectNode(const ContentNode& node) {
    if (QTreeWidgetItem* item = itemOf(node)) {
        setCurrentItem(item);
        item->setSelected(true);
        scrollToItem(item);
    }
}

void CPavexTreeView::showSelected() {
    ContentNode* node = selectedNode();
    CResultPage* page = node != nullptr ? pageOf(*node) : nullptr;
    if (page != nullptr) {
        page->refresh();
    }
    emit pageSelected(page);
}

namespace {

QList<int> pathOf(const QTreeWidget& tree, QTreeWidgetItem* item) {
    QList<int> path;
    for (; item != nullptr; item = item->parent()) {
        path.prepend(item->parent() != nullptr ? item->parent()->indexOfChild(item) : tree.indexOfTopLevelItem(item));
    }
    return path;
}

QTreeWidgetItem* itemAtPath(const QTreeWidget& tree, const QList<int>& path) {
    QTreeWidgetItem* item = nullptr;
    for (const int index : path) {
        item = item == nullptr ? tree.topLevelItem(index) : item->child(index);
        if (item == nullptr) {
            return nullptr;
        }
    }
    return item;
}

} // namespace

CPavexTreeView::Place CPavexTreeView::place() const {
    Place place;
    if (const QList<QTreeWidgetItem*> selected = selectedItems(); !selected.isEmpty()) {
        place.selected = pathOf(*this, selected.front());
    }
    for (QTreeWidgetItemIterator it(const_cast<CPavexTreeView*>(this)); *it; ++it) {
        if ((*it)->childCount() > 0 && !(*it)->isExpanded()) {
            place.folded << pathOf(*this, *it);
        }
    }
    return place;
}

void CPavexTreeView::restorePlace(const Place& place) {
    for (const QList<int>& path : place.folded) {
        if (QTreeWidgetItem* item = itemAtPath(*this, path)) {
            item->setExpanded(false);
        }
    }
    if (QTreeWidgetItem* item = itemAtPath(*this, place.selected); item != nullptr && !place.selected.isEmpty()) {
        setCurrentItem(item);
        item->setSelected(true);
        scrollToItem(item);
    }
}

void CPavexTreeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    ContentNode* node = nodeOfItem(item);
    if (node == nullptr) {
        return;
    }
    // The page comes first, so the user sees what the menu will act on.
    selectNode(*node);
    openPopup(*node, event->globalPosition().toPoint(), false);
}

void CPavexTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    ContentNode* node = nodeOfItem(itemAt(event->position().toPoint()));
    if (event->button() == Qt::LeftButton && node != nullptr && node->kind() != NodeKind::Other) {
        selectNode(*node);
        emit editRequested();
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

void CPavexTreeView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        contextMenuEvent(&menu);
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        emit deleteRequested();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && selectedNode() != nullptr) {
        emit editRequested();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CPavexTreeView::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse opens its menu on the press; the Menu key and Shift+F10 open the selected node's.
    if (event->reason() != QContextMenuEvent::Keyboard) {
        return;
    }
    QTreeWidgetItem* item = currentItem();
    ContentNode* node = nodeOfItem(item);
    if (node == nullptr) {
        return;
    }
    scrollToItem(item);
    const QRect place = visualItemRect(item);
    openPopup(*node, viewport()->mapToGlobal(QPoint(place.left() + place.height(), place.center().y())), true);
}

void CPavexTreeView::openPopup(const ContentNode& node, const QPoint& globalPosition, bool fromKeyboard) {
    delete m_popup;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Every entry acts on the selected node, which the right-click has just made this one.
    const auto add = [this, menu](const QString& text, void (CPavexTreeView::*signal)()) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, signal);
        return action;
    };
    const auto addToggle = [&](const QString& text) {
        QAction* action = add(text, &CPavexTreeView::toggleRequested);
        action->setCheckable(true);
        action->setChecked(nodeFlag(node));
    };
    switch (node.kind()) {
    case NodeKind::Behaviour:
        add(tr("&New Action..."), &CPavexTreeView::newActionRequested);
        add(tr("&Edit Journal..."), &CPavexTreeView::editRequested);
        addToggle(tr("&Marked For Development"));
        menu->addSeparator();
        add(tr("New &Questionnaire..."), &CPavexTreeView::newQuestionnaireRequested);
        break;
    case NodeKind::Questionnaire:
        add(tr("&New..."), &CPavexTreeView::newQuestionnaireRequested);
        add(tr("&Edit..."), &CPavexTreeView::editRequested);
        add(tr("&Delete"), &CPavexTreeView::deleteRequested);
        addToggle(tr("&Use In Results"));
        menu->addSeparator();
        add(tr("New &Action..."), &CPavexTreeView::newActionRequested);
        break;
    case NodeKind::Action:
        add(tr("&New..."), &CPavexTreeView::newActionRequested);
        add(tr("&Edit..."), &CPavexTreeView::editRequested);
        add(tr("&Delete"), &CPavexTreeView::deleteRequested);
        addToggle(tr("&Completed"));
        menu->addSeparator();
        add(tr("New &Questionnaire..."), &CPavexTreeView::newQuestionnaireRequested);
        break;
    case NodeKind::Other:
        add(tr("New &Questionnaire..."), &CPavexTreeView::newQuestionnaireRequested);
        add(tr("New &Action..."), &CPavexTreeView::newActionRequested);
        break;
    }
    m_popup = menu;
    if (fromKeyboard) {
        ui::popupFromKeyboard(*menu, globalPosition);
    } else {
        menu->popup(globalPosition);
    }
}

bool CPavexTreeView::labelCutOff(const QTreeWidgetItem& item) const {
    const QRect shown = visualItemRect(&item);
    if (shown.isEmpty()) {
        return false;
    }
    const int labelWidth = sizeHintForIndex(indexFromItem(&item)).width();
    return shown.left() < 0 || shown.left() + labelWidth > viewport()->width();
}

QString CPavexTreeView::toolTipAt(const QPoint& viewportPosition) const {
    const QTreeWidgetItem* item = itemAt(viewportPosition);
    return item != nullptr && labelCutOff(*item) ? item->text(0) : QString();
}

bool CPavexTreeView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), tip, viewport(), visualItemRect(itemAt(help->pos())));
        }
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}
