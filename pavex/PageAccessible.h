// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPair>

class CPavexView;

// What a screen reader finds in the content view: the page's title as its name and the page's
// figures as a table with row and column headers.
class CPageAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CPageAccessible(CPavexView* view);
    ~CPageAccessible() override;

    // Installs the factory that gives every content view this interface; once per program.
    static void installFactory();

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    // Cells by position: row -1 is the column headers, column -1 the row headers.
    QAccessibleInterface* cellInterface(int row, int column) const;
    CPavexView* view() const;

private:
    void forgetCells();

    mutable QHash<QPair<int, int>, QAccessible::Id> m_cells;
};
