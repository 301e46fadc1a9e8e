// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/KVRoleView.h"

#include "kvrole/EditorContext.h"
#include "kvrole/KVRoleDoc.h"
#include "kvrole/ResponseDialog.h"
#include "kvrole/RoleClipboard.h"
#include "kvrole/RoleDialogs.h"
#include "kvrole/RoleDrag.h"
#include "kvrole/core/LineText.h"
#include "kvrole/core/RoleTransfer.h"
#include "ui/Cp1252Text.h"
#include "ui/Icons.h"
#include "ui/KeyboardMenu.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QTimer>

using kvrole::ItemRef;
using kvrole::TreeCommand;

namespace {

ui::Icon iconOf(ItemRef::Kind kind) {
    switch (kind) {
    case ItemRef::Kind::Competency:
        return ui::Icon::Competency;
    case ItemRef::Kind::Behaviour:
        return ui::Icon::Behaviour;
    case ItemRef::Kind::Root:
        break;
    }
    return ui::Icon::Role;
}

std::optional<kvrole::TreeKey> treeKeyOf(int key) {
    switch (key) {
    case Qt::Key_Tab:
        return kvrole::TreeKey::Tab;
    case Qt::Key_Right:
        return kvrole::TreeKey::Right;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kvrole::TreeKey::Return;
    case Qt::Key_Insert:
        return kvrole::TreeKey::Insert;
    case Qt::Key_Delete:
        return kvrole::TreeKey::Delete;
    default:
        break;
    }
    return std::nullopt;
}

// The name of a step of the undo history that acts on one item: "Delete Competency".
QString stepName(const char* command, ItemRef::Kind kind) {
    switch (kind) {
    case ItemRef::Kind::Competency:
        return QString::fromLatin1(command) + QStringLiteral(" Competency");
    case ItemRef::Kind::Behaviour:
        return QString::fromLatin1(command) + QStringLiteral(" Behaviour");
    case ItemRef::Kind::Root:
        break;
    }
    return QString::fromLatin1(command) + QStringLiteral(" Role");
}

constexpr char kClipboardRefused[] = "The Clipboard did not take the text.";
constexpr char kClipboardRefusedNothingCut[] = "The Clipboard did not take the text.  Nothing has been cut.";

} // namespace

CKVRoleView::CKVRoleView(CKVRoleDoc& document, EditorContext& context, QWidget* parent)
    : QTreeWidget(parent), m_document(document), m_context(context) {
    setHeaderHidden(true);
    setColumnCount(1);
    // Readers see the header even when hidden: it names the column instead of numbering it.
    setHeaderLabels({QStringLiteral("Role")});
    setAccessibleName(QStringLiteral("Role"));
    setRootIsDecorated(true);
    setExpandsOnDoubleClick(false);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);

    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { storeLabel(item); });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this] { editSelected(); });
    connect(&m_document, &CKVRoleDoc::rebuildRequested, this, &CKVRoleView::rebuild);
    connect(&m_document, &CKVRoleDoc::restored, this, &CKVRoleView::rebuildKeepingPlace);
    // Another window's edit can move every item of the role: this tree's item values would go stale.
    connect(&m_document, &CKVRoleDoc::editedIn, this, [this](const QObject* view) {
        if (view != this) {
            rebuild();
        }
    });
    rebuild();
}

kvrole::RoleEditor CKVRoleView::editor() const {
    return kvrole::RoleEditor(m_document.role(), m_context.prompts());
}

QTreeWidgetItem* CKVRoleView::makeItem(const std::string& text, ItemRef ref) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, ui::fromCp1252(text));
    item->setIcon(0, ui::icon(iconOf(ref.kind)));
    item->setData(0, kValueRole, ref.value());
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    if (ref.kind == ItemRef::Kind::Root) {
        // The role itself is never dragged; it only takes drops.
        item->setFlags(item->flags() & ~Qt::ItemIsDragEnabled);
    }
    return item;
}

void CKVRoleView::rebuild() {
    m_filling = true;
    clear();
    const CRole& role = m_document.role();
    QTreeWidgetItem* root = makeItem(role.name, ItemRef::root());
    addTopLevelItem(root);
    const auto& framework = role.framework;
    for (std::size_t competency = 0; competency < framework.competencies.size(); ++competency) {
        QTreeWidgetItem* competencyItem =
            makeItem(framework.competencies[competency].name, ItemRef::competency(static_cast<int>(competency)));
        root->addChild(competencyItem);
        for (std::size_t behaviour = 0; behaviour < framework.behaviours.size(); ++behaviour) {
            if (framework.behaviours[behaviour].competency == static_cast<int>(competency)) {
                competencyItem->addChild(makeItem(framework.behaviours[behaviour].statement,
                                                  ItemRef::behaviour(static_cast<int>(behaviour))));
            }
        }
    }
    root->setExpanded(true);
    setCurrentItem(root);
    m_filling = false;
}

void CKVRoleView::rebuildKeepingPlace() {
    // Items are known by their place: after an undo the same places show again where they exist.
    const ItemRef selected = selectedRef();
    const bool rootOpen = rootItem() != nullptr && rootItem()->isExpanded();
    QList<int> unfolded;
    for (int competency = 0; rootItem() != nullptr && competency < rootItem()->childCount(); ++competency) {
        if (rootItem()->child(competency)->isExpanded()) {
            unfolded << competency;
        }
    }
    rebuild();
    rootItem()->setExpanded(rootOpen);
    for (const int competency : unfolded) {
        if (competency < rootItem()->childCount()) {
            rootItem()->child(competency)->setExpanded(true);
        }
    }
    if (QTreeWidgetItem* item = itemFor(selected)) {
        setCurrentItem(item);
        scrollToItem(item);
    }
}

void CKVRoleView::documentEdited() {
    m_document.setModified();
    m_document.notifyEdited(this);
}

void CKVRoleView::renumber() {
    // New item values are not label edits: storing them would rename items after their old places.
    m_filling = true;
    QTreeWidgetItem* root = rootItem();
    int behaviour = 0;
    for (int competency = 0; competency < root->childCount(); ++competency) {
        QTreeWidgetItem* competencyItem = root->child(competency);
        competencyItem->setData(0, kValueRole, ItemRef::competency(competency).value());
        for (int child = 0; child < competencyItem->childCount(); ++child) {
            competencyItem->child(child)->setData(0, kValueRole, ItemRef::behaviour(behaviour++).value());
        }
    }
    m_filling = false;
}

ItemRef CKVRoleView::refOf(const QTreeWidgetItem* item) const {
    return item ? ItemRef::fromValue(item->data(0, kValueRole).toInt()) : ItemRef::root();
}

ItemRef CKVRoleView::selectedRef() const {
    return refOf(currentItem());
}

QTreeWidgetItem* CKVRoleView::itemFor(ItemRef ref) const {
    QTreeWidgetItemIterator it(const_cast<CKVRoleView*>(this));
    for (; *it; ++it) {
        if (refOf(*it) == ref) {
            return *it;
        }
    }
    return nullptr;
}

void CKVRoleView::select(ItemRef ref) {
    if (QTreeWidgetItem* item = itemFor(ref)) {
        setCurrentItem(item);
    }
}

void CKVRoleView::setItemText(QTreeWidgetItem* item, const std::string& text) {
    m_filling = true;
    item->setText(0, ui::fromCp1252(text));
    m_filling = false;
}

void CKVRoleView::startEditing(QTreeWidgetItem* item) {
    scrollToItem(item);
    setCurrentItem(item);
    editItem(item, 0);
}

void CKVRoleView::newCompetency() {
    addItem(QStringLiteral("New Competency"), [this]() -> QTreeWidgetItem* {
        const std::optional<int> position = editor().newCompetency(selectedRef());
        if (!position) {
            return nullptr;
        }
        QTreeWidgetItem* added = makeItem({}, ItemRef::competency(*position));
        rootItem()->insertChild(*position, added);
        rootItem()->setExpanded(true);
        return added;
    });
}

void CKVRoleView::newBehaviour() {
    addItem(QStringLiteral("New Behaviour"), [this]() -> QTreeWidgetItem* {
        QTreeWidgetItem* selected = currentItem();
        const ItemRef selectedItem = selectedRef();
        const std::optional<int> index = editor().newBehaviour(selectedItem);
        if (!index || !selected) {
            return nullptr;
        }
        QTreeWidgetItem* added = makeItem({}, ItemRef::behaviour(*index));
        if (selectedItem.kind == ItemRef::Kind::Competency) {
            selected->insertChild(0, added);
            selected->setExpanded(true);
        } else {
            selected->parent()->insertChild(selected->parent()->indexOfChild(selected) + 1, added);
        }
        return added;
    });
}

void CKVRoleView::addItem(const QString& step, const std::function<QTreeWidgetItem*()>& insert) {
    QTreeWidgetItem* item = m_document.record(step, [this, &insert]() -> QTreeWidgetItem* {
        // The tree's own change signals while the item goes in are not label edits.
        m_filling = true;
        QTreeWidgetItem* added = insert();
        m_filling = false;
        if (added) {
            renumber();
            documentEdited();
        }
        return added;
    });
    if (item) {
        startEditing(item);
    }
}

void CKVRoleView::storeLabel(QTreeWidgetItem* item) {
    if (m_filling) {
        return;
    }
    const ItemRef ref = refOf(item);
    if (!ui::holdsCp1252(item->text(0))) {
        // The label goes back to what the role holds: nothing is stored with '?' in its place.
        static const char* const kFields[] = {"Role name", "Competency", "Behaviour"};
        m_context.prompts().message(ui::unfitTextMessage(QString::fromLatin1(kFields[static_cast<int>(ref.kind)])));
        setItemText(item, editor().textOf(ref));
        return;
    }
    m_document.record(stepName("Rename", ref.kind), [this, ref, text = ui::toCp1252(item->text(0))]() mutable {
        if (ref.kind == ItemRef::Kind::Root) {
            m_document.setRoleName(std::move(text));
        } else {
            editor().rename(ref, std::move(text));
        }
        documentEdited();
    });
}

void CKVRoleView::editSelected() {
    const ItemRef ref = selectedRef();
    switch (ref.kind) {
    case ItemRef::Kind::Root:
        roleDetails();
        break;
    case ItemRef::Kind::Competency:
        editCompetency(ref.index);
        break;
    case ItemRef::Kind::Behaviour:
        editBehaviour(ref.index);
        break;
    }
}

void CKVRoleView::editCompetency(int competency) {
    auto& name = m_document.role().framework.competencies[static_cast<std::size_t>(competency)].name;
    CompetencyDialog dialog(ui::fromCp1252(name), this);
    if (!ui::execUntilTextsFit(dialog, m_context.prompts(), [&dialog] {
            return std::vector<ui::TypedText>{{dialog.name(), tr("Competency")}};
        })) {
        return;
    }
    m_document.record(QStringLiteral("Edit Competency"), [&] {
        name = ui::toCp1252(dialog.name());
        setItemText(itemFor(ItemRef::competency(competency)), name);
        documentEdited();
    });
}

void CKVRoleView::editBehaviour(int behaviour) {
    CPavexFramework& framework = m_document.role().framework;
    QStringList competencies;
    for (const CCompetency& competency : framework.competencies) {
        competencies << ui::fromCp1252(competency.name);
    }
    CBehaviour& edited = framework.behaviours[static_cast<std::size_t>(behaviour)];
    BehaviourDialog dialog(ui::fromCp1252(edited.statement), competencies, edited.competency, this);
    if (!ui::execUntilTextsFit(dialog, m_context.prompts(), [&dialog] {
            return std::vector<ui::TypedText>{{dialog.statement(), tr("Behaviour")}};
        })) {
        return;
    }
    m_document.record(QStringLiteral("Edit Behaviour"), [&] { storeBehaviour(behaviour, dialog); });
}

void CKVRoleView::storeBehaviour(int behaviour, const BehaviourDialog& dialog) {
    CPavexFramework& framework = m_document.role().framework;
    CBehaviour& edited = framework.behaviours[static_cast<std::size_t>(behaviour)];
    edited.statement = ui::toCp1252(dialog.statement());
    const int chosen = dialog.competency();
    QTreeWidgetItem* item = itemFor(ItemRef::behaviour(behaviour));
    if (chosen < 0 || chosen == edited.competency) {
        setItemText(item, edited.statement);
    } else {
        const int moved = kvrole::editing::moveBehaviour(framework, behaviour, chosen);
        delete item;
        m_filling = true;
        QTreeWidgetItem* movedItem =
            makeItem(framework.behaviours[static_cast<std::size_t>(moved)].statement, ItemRef::behaviour(moved));
        rootItem()->child(chosen)->addChild(movedItem);
        m_filling = false;
        renumber();
        setCurrentItem(movedItem);
    }
    documentEdited();
}

void CKVRoleView::deleteSelected() {
    const ItemRef::Kind kind = selectedRef().kind;
    m_document.record(kind == ItemRef::Kind::Root ? QStringLiteral("Delete All") : stepName("Delete", kind),
                      [this] { return removeSelected(m_context.confirmDelete()); });
}

bool CKVRoleView::removeSelected(bool confirm) {
    QTreeWidgetItem* item = currentItem();
    const ItemRef ref = selectedRef();
    if (!item || !editor().remove(ref, confirm)) {
        return false;
    }
    if (ref.kind == ItemRef::Kind::Root) {
        rebuild();
    } else {
        delete item;
        renumber();
    }
    documentEdited();
    return true;
}

void CKVRoleView::copy() {
    if (!currentItem()) {
        return;
    }
    const std::string text = kvrole::transfer::copyText(m_document.role().framework, selectedRef());
    if (!roleclipboard::put(*QGuiApplication::clipboard(), text)) {
        m_context.prompts().message(kClipboardRefused);
    }
}

void CKVRoleView::cut() {
    if (!currentItem()) {
        return;
    }
    const std::string text = kvrole::transfer::copyText(m_document.role().framework, selectedRef());
    // The item goes only once its text is safe on the clipboard.
    if (!roleclipboard::put(*QGuiApplication::clipboard(), text)) {
        m_context.prompts().message(kClipboardRefusedNothingCut);
        return;
    }
    m_document.record(stepName("Cut", selectedRef().kind), [this] {
        if (selectedRef().kind == kvrole::ItemRef::Kind::Root) {
            cutRoot();
        } else {
            removeSelected(false);
        }
    });
}

void CKVRoleView::cutRoot() {
    // The root's text leaves out competencies without behaviours: what is not on the clipboard stays.
    CPavexFramework& framework = m_document.role().framework;
    const std::size_t before = framework.competencies.size();
    const int kept = kvrole::editing::removeCompetenciesWithBehaviours(framework);
    if (framework.competencies.size() != before) {
        rebuild();
        documentEdited();
    }
    if (kept > 0) {
        emit news(kept == 1
                      ? tr("1 competency without behaviours stays in the role: the Clipboard holds behaviours only.")
                      : tr("%1 competencies without behaviours stay in the role: the Clipboard holds behaviours "
                           "only.")
                            .arg(kept));
    }
}

void CKVRoleView::paste() {
    const std::optional<std::string> text = roleclipboard::take(*QGuiApplication::clipboard());
    if (!text || !currentItem()) {
        return;
    }
    if (const std::vector<int> unfit = roleclipboard::unfitLines(QGuiApplication::clipboard()->mimeData());
        !unfit.empty() && !m_context.prompts().question(kvrole::unfitLinesQuestion("the pasted text", unfit))) {
        return;
    }
    m_document.record(QStringLiteral("Paste"), [&] {
        const kvrole::transfer::PasteOutcome outcome = kvrole::transfer::paste(
            m_document.role().framework, selectedRef(), kvrole::transfer::parsePasteTable(*text), m_context.prompts());
        if (outcome.pasted) {
            showEdited(outcome.expand, true);
        }
    });
}

void CKVRoleView::showEdited(ItemRef item, bool unfold) {
    // A transfer can move every competency, so the unfolded ones are found again by name.
    QStringList unfolded;
    for (int competency = 0; competency < rootItem()->childCount(); ++competency) {
        if (rootItem()->child(competency)->isExpanded()) {
            unfolded << rootItem()->child(competency)->text(0);
        }
    }
    rebuild();
    for (int competency = 0; competency < rootItem()->childCount(); ++competency) {
        QTreeWidgetItem* competencyItem = rootItem()->child(competency);
        if (unfolded.removeOne(competencyItem->text(0))) {
            competencyItem->setExpanded(true);
        }
    }
    if (QTreeWidgetItem* shown = itemFor(item)) {
        for (QTreeWidgetItem* each = unfold ? shown : shown->parent(); each; each = each->parent()) {
            each->setExpanded(true);
        }
        setCurrentItem(shown);
        scrollToItem(shown);
    }
    documentEdited();
}

QTreeWidgetItem* CKVRoleView::dropHighlight() const {
    return m_dropHighlight.isValid() ? itemFromIndex(m_dropHighlight) : nullptr;
}

void CKVRoleView::setDropHighlight(QTreeWidgetItem* item) {
    const QPersistentModelIndex index = item ? QPersistentModelIndex(indexFromItem(item)) : QPersistentModelIndex();
    if (index != m_dropHighlight) {
        m_dropHighlight = index;
        viewport()->update();
    }
}

QTreeWidgetItem* CKVRoleView::dropTargetAt(const QPoint& position) const {
    QTreeWidgetItem* item = itemAt(position);
    return item ? item : rootItem();
}

void CKVRoleView::startDrag(Qt::DropActions) {
    QTreeWidgetItem* item = currentItem();
    const ItemRef ref = refOf(item);
    if (!item || ref.kind == ItemRef::Kind::Root) {
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(RoleDrag::begin(this, ref));
    // The dragged item's icon beside the pointer tells a competency from a behaviour.
    drag->setPixmap(item->icon(0).pixmap(iconSize().isValid() ? iconSize() : QSize(16, 16)));
    drag->setHotSpot(QPoint(-12, -12));
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    RoleDrag::end();
}

bool CKVRoleView::dropChangesSomething(const CKVRoleView* source, ItemRef dragged, ItemRef target) const {
    if (source != this) {
        // A copy is refused with a message at the drop; only a behaviour on the root does nothing.
        return !(dragged.kind == ItemRef::Kind::Behaviour && target.kind == ItemRef::Kind::Root);
    }
    // A move is tried on a copy of the lists, so that the cursor says at once whether it would move.
    CPavexFramework trial = m_document.role().framework;
    return kvrole::transfer::moveItem(trial, dragged, target).has_value();
}

bool CKVRoleView::acceptDrag(QDropEvent* event) {
    if (RoleDrag::isForeign(event->mimeData())) {
        // Taken only to say at the drop why it cannot be.
        setDropHighlight(nullptr);
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return true;
    }
    CKVRoleView* source = RoleDrag::sourceOf(event->mimeData());
    QTreeWidgetItem* target = source ? dropTargetAt(event->position().toPoint()) : nullptr;
    const ItemRef dragged = RoleDrag::item();
    const ItemRef targetRef = refOf(target);
    if (!target || !dropChangesSomething(source, dragged, targetRef)) {
        setDropHighlight(nullptr);
        event->ignore();
        return false;
    }
    setDropHighlight(target);
    event->setDropAction(source == this ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
    return true;
}

void CKVRoleView::dragEnterEvent(QDragEnterEvent* event) {
    // Entering takes any drag of ours; where it may drop is decided as it moves.
    if (RoleDrag::sourceOf(event->mimeData()) || RoleDrag::isForeign(event->mimeData())) {
        acceptDrag(event);
        event->accept();
        activateChildWindow();
    } else {
        event->ignore();
    }
}

void CKVRoleView::activateChildWindow() {
    // The window the pointer drags into comes to the front, so that the drop can be seen.
    for (QWidget* each = parentWidget(); each; each = each->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(each)) {
            if (QMdiArea* area = frame->mdiArea(); area && area->activeSubWindow() != frame) {
                area->setActiveSubWindow(frame);
            }
            return;
        }
    }
}

void CKVRoleView::dragMoveEvent(QDragMoveEvent* event) {
    acceptDrag(event);
}

void CKVRoleView::dragLeaveEvent(QDragLeaveEvent* event) {
    setDropHighlight(nullptr);
    event->accept();
}

void CKVRoleView::dropEvent(QDropEvent* event) {
    CKVRoleView* source = RoleDrag::sourceOf(event->mimeData());
    if (!acceptDrag(event)) {
        return;
    }
    if (!source) {
        // Its item lives in another process; the user is told how to bring it across, once the
        // drag is over.
        QTimer::singleShot(0, this, [this] { m_context.prompts().message(kForeignDropRefused); });
        return;
    }
    setDropHighlight(nullptr);
    const ItemRef dragged = RoleDrag::item();
    const ItemRef target = refOf(dropTargetAt(event->position().toPoint()));
    // The change waits until the drag is over: a refusal's message must not open inside it. The
    // source's lists are copied now, as they are at the drop.
    if (source == this) {
        QTimer::singleShot(0, this, [this, dragged, target] { moveDropped(dragged, target); });
    } else {
        QTimer::singleShot(0, this, [this, framework = source->document().role().framework, dragged, target] {
            copyDropped(framework, dragged, target);
        });
    }
}

void CKVRoleView::moveDropped(ItemRef dragged, ItemRef target) {
    m_document.record(stepName("Move", dragged.kind), [&] {
        if (const std::optional<ItemRef> moved =
                kvrole::transfer::moveItem(m_document.role().framework, dragged, target)) {
            showEdited(*moved, false);
        }
    });
}

void CKVRoleView::copyDropped(const CPavexFramework& source, ItemRef dragged, ItemRef target) {
    m_document.record(stepName("Drop", dragged.kind), [&] {
        if (const std::optional<ItemRef> copied =
                kvrole::transfer::copyItem(source, dragged, m_document.role().framework, target, m_context.prompts())) {
            showEdited(*copied, false);
        }
    });
}

void CKVRoleView::paintEvent(QPaintEvent* event) {
    QTreeWidget::paintEvent(event);
    if (QTreeWidgetItem* highlighted = dropHighlight()) {
        // The drop target is tinted and framed darker than the selection, so that it still shows
        // when the target is the selected item.
        QPainter painter(viewport());
        const QRect area = visualItemRect(highlighted).adjusted(1, 1, -1, -1);
        QColor tint = palette().color(QPalette::Highlight);
        tint.setAlpha(70);
        painter.fillRect(area, tint);
        painter.setPen(QPen(palette().color(QPalette::Highlight).darker(170), 2));
        painter.drawRect(area);
    }
}

void CKVRoleView::roleDetails() {
    CRole& role = m_document.role();
    RoleDetailsDialog dialog(ui::fromCp1252(role.name), ui::fromCp1252(ui::readTextMode(role.description)), this);
    if (!ui::execUntilTextsFit(dialog, m_context.prompts(), [&dialog] {
            return std::vector<ui::TypedText>{{dialog.name(), tr("Role name")},
                                              {dialog.description(), tr("Description")}};
        })) {
        return;
    }
    m_document.record(QStringLiteral("Role Details"), [&] {
        // The description keeps the files' CR LF line ends.
        role.description = ui::writeTextMode(ui::toCp1252(dialog.description()));
        m_document.setRoleName(ui::toCp1252(dialog.name()));
        documentEdited();
        setItemText(rootItem(), role.name);
    });
}

void CKVRoleView::editResponses() {
    auto& scales = m_document.role().framework.scales;
    // A role read from a file may have no scale at all; it gets one when the user confirms.
    CResponseScale scale = scales.empty() ? defaultResponseScale() : scales.front();
    ResponseDialog dialog(scale, m_context.prompts(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    dialog.form().applyTo(scale);
    m_document.record(QStringLiteral("Edit Responses"), [&] {
        if (scales.empty()) {
            scales.push_back(scale);
        } else {
            scales.front() = scale;
        }
        documentEdited();
    });
}

bool CKVRoleView::handleKey(int key) {
    const std::optional<kvrole::TreeKey> treeKey = treeKeyOf(key);
    if (!treeKey || !currentItem()) {
        return false;
    }
    run(kvrole::commandForKey(*treeKey, selectedRef().kind));
    return true;
}

void CKVRoleView::run(TreeCommand command) {
    switch (command) {
    case TreeCommand::NewCompetency:
        newCompetency();
        break;
    case TreeCommand::NewBehaviour:
        newBehaviour();
        break;
    case TreeCommand::Delete:
        deleteSelected();
        break;
    case TreeCommand::None:
        break;
    }
}

bool CKVRoleView::event(QEvent* event) {
    // Tab would move the focus out of the tree before the key reached it.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier && state() != EditingState &&
            handleKey(Qt::Key_Tab)) {
            return true;
        }
    }
    // The item view would take the clipboard keys for a copy of its own; they belong to the
    // window's Cut, Copy and Paste.
    if (event->type() == QEvent::ShortcutOverride && state() != EditingState) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Paste)) {
            event->ignore();
            return true;
        }
    }
    return QTreeWidget::event(event);
}

void CKVRoleView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier && state() != EditingState) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        contextMenuEvent(&menu);
        return;
    }
    // Return in the label editor reaches the tree too while the edit is being committed.
    const bool editing = state() == EditingState;
    if (!editing && (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier)) {
        if (handleKey(event->key())) {
            event->accept();
            return;
        }
    }
    QTreeWidget::keyPressEvent(event);
}

QStringList CKVRoleView::popupEntries(ItemRef::Kind kind) {
    QStringList entries{tr("New &Competency")};
    if (kind != ItemRef::Kind::Root) {
        entries << tr("New &Behaviour");
    }
    entries << QString() << tr("&Edit...") << (kind == ItemRef::Kind::Root ? tr("&Delete All") : tr("&Delete"));
    return entries;
}

void CKVRoleView::contextMenuEvent(QContextMenuEvent* event) {
    // From the keyboard the menu is the current item's, shown beside it.
    QTreeWidgetItem* item = event->reason() == QContextMenuEvent::Keyboard ? currentItem() : itemAt(event->pos());
    if (!item) {
        return;
    }
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? viewport()->mapToGlobal(visualItemRect(item).center())
                          : event->globalPos();
    setCurrentItem(item);
    const ItemRef::Kind kind = refOf(item).kind;
    QMenu menu(this);
    const QStringList entries = popupEntries(kind);
    const std::vector<void (CKVRoleView::*)()> commands = [kind] {
        std::vector<void (CKVRoleView::*)()> list{&CKVRoleView::newCompetency};
        if (kind != ItemRef::Kind::Root) {
            list.push_back(&CKVRoleView::newBehaviour);
        }
        list.push_back(nullptr);
        list.push_back(&CKVRoleView::editSelected);
        list.push_back(&CKVRoleView::deleteSelected);
        return list;
    }();
    for (int entry = 0; entry < entries.size(); ++entry) {
        if (entries[entry].isEmpty()) {
            menu.addSeparator();
        } else {
            auto command = commands[static_cast<std::size_t>(entry)];
            menu.addAction(entries[entry], this, [this, command] { (this->*command)(); });
        }
    }
    if (event->reason() == QContextMenuEvent::Keyboard) {
        ui::execFromKeyboard(menu, at);
    } else {
        menu.exec(at);
    }
}
