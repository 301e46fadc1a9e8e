// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/PageAccessible.h"

#include "analysis/PageTexts.h"
#include "analysis/pages/PagePainting.h"
#include "analysis/pages/ResultPage.h"
#include "pavex/PavexView.h"

#include <QPointer>

namespace {

// One cell of the page's table, or one of its row or column headers.
class CPageCellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CPageCellAccessible(CPavexView* view, int row, int column) : m_view(view), m_row(row), m_column(column) {}

    bool isValid() const override { return !m_view.isNull() && tableOf() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view.isNull() ? nullptr : m_view->window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return tableOf(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || m_view.isNull()) {
            return {};
        }
        const PageFigures& figures = m_view->figures();
        if (m_row < 0) {
            return column(figures) ? pagepaint::textOf(figures.columnHeaders[static_cast<std::size_t>(m_column)])
                                   : QString();
        }
        if (!row(figures)) {
            return {};
        }
        const auto r = static_cast<std::size_t>(m_row);
        if (m_column < 0) {
            return r < figures.rowHeaders.size() ? pagepaint::textOf(figures.rowHeaders[r]) : QString();
        }
        return column(figures) ? pagepaint::textOf(figures.cells[r][static_cast<std::size_t>(m_column)]) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return m_view.isNull() ? QRect() : m_view->accessibleRowRect(m_row); }
    QAccessible::Role role() const override {
        if (m_row < 0) {
            return QAccessible::ColumnHeader;
        }
        return m_column < 0 ? QAccessible::RowHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        state.selectable = m_row >= 0;
        state.selected = isSelected();
        state.focused = isSelected() && !m_view.isNull() && m_view->hasFocus();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override { return m_row >= 0 && !m_view.isNull() && m_view->focusRow() == m_row; }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        if (m_column < 0 || tableOf() == nullptr) {
            return {};
        }
        return {tableOf()->cellInterface(-1, m_column)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override {
        if (m_row < 0 || tableOf() == nullptr || m_view->figures().rowHeaders.empty()) {
            return {};
        }
        return {tableOf()->cellInterface(m_row, -1)};
    }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return tableOf(); }

private:
    CPageAccessible* tableOf() const {
        return m_view.isNull() ? nullptr : static_cast<CPageAccessible*>(QAccessible::queryAccessibleInterface(m_view));
    }
    bool row(const PageFigures& figures) const { return m_row >= 0 && m_row < figures.rowCount(); }
    bool column(const PageFigures& figures) const { return m_column >= 0 && m_column < figures.columnCount(); }

    QPointer<CPavexView> m_view;
    int m_row;
    int m_column;
};

QAccessibleInterface* pageViewFactory(const QString&, QObject* object) {
    if (auto* view = qobject_cast<CPavexView*>(object)) {
        return new CPageAccessible(view);
    }
    return nullptr;
}

} // namespace

CPageAccessible::CPageAccessible(CPavexView* view) : QAccessibleWidget(view, QAccessible::Table) {}

CPageAccessible::~CPageAccessible() {
    forgetCells();
}

void CPageAccessible::installFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(pageViewFactory);
        return true;
    }();
    (void)installed;
}

CPavexView* CPageAccessible::view() const {
    return static_cast<CPavexView*>(widget());
}

QString CPageAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        return view()->pageTitle();
    }
    // A ranking without a row to draw shows a message in their place; the reader hears it too.
    if (t == QAccessible::Description && view()->page() != nullptr && view()->page()->showsNoScores()) {
        return QString::fromLatin1(pagetext::kNoScores);
    }
    return QAccessibleWidget::text(t);
}

int CPageAccessible::childCount() const {
    return rowCount() * columnCount();
}

QAccessibleInterface* CPageAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || columns == 0 || index >= childCount()) {
        return nullptr;
    }
    return cellInterface(index / columns, index % columns);
}

int CPageAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (child == nullptr || child->role() != QAccessible::Cell) {
        return -1;
    }
    auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (cell == nullptr || cell->table() != this) {
        return -1;
    }
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

void* CPageAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* CPageAccessible::cellInterface(int row, int column) const {
    const QPair<int, int> key(row, column);
    if (const auto found = m_cells.constFind(key); found != m_cells.constEnd()) {
        return QAccessible::accessibleInterface(found.value());
    }
    auto* cell = new CPageCellAccessible(view(), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QAccessibleInterface* CPageAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) {
        return nullptr;
    }
    return cellInterface(row, column);
}

int CPageAccessible::selectedCellCount() const {
    return selectedRowCount() * columnCount();
}

QList<QAccessibleInterface*> CPageAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    for (const int row : selectedRows()) {
        for (int column = 0; column < columnCount(); ++column) {
            cells.append(cellInterface(row, column));
        }
    }
    return cells;
}

QString CPageAccessible::columnDescription(int column) const {
    return cellInterface(-1, column)->text(QAccessible::Name);
}

QString CPageAccessible::rowDescription(int row) const {
    return cellInterface(row, -1)->text(QAccessible::Name);
}

int CPageAccessible::selectedRowCount() const {
    return static_cast<int>(selectedRows().size());
}

QList<int> CPageAccessible::selectedRows() const {
    const int row = view()->focusRow();
    return row >= 0 && row < rowCount() ? QList<int>{row} : QList<int>{};
}

int CPageAccessible::columnCount() const {
    return view()->figures().columnCount();
}

int CPageAccessible::rowCount() const {
    return view()->figures().rowCount();
}

bool CPageAccessible::isRowSelected(int row) const {
    return row >= 0 && row == view()->focusRow();
}

bool CPageAccessible::selectRow(int row) {
    return view()->setFocusRow(row);
}

void CPageAccessible::modelChange(QAccessibleTableModelChangeEvent*) {
    forgetCells();
}

void CPageAccessible::forgetCells() {
    for (const QAccessible::Id id : std::as_const(m_cells)) {
        QAccessible::deleteAccessibleInterface(id);
    }
    m_cells.clear();
}
