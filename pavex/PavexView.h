// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/PageFigures.h"
#include "analysis/pages/ResultPage.h"

#include <QAbstractScrollArea>

#include <functional>
#include <optional>

class QPrinter;

// The right-hand pane: draws the page of the selected tree node, scrolls it, and turns clicks on a
// behaviour row's check box into a request to toggle that behaviour's development mark. From the
// keyboard a framed row focus moves over the page's rows and acts on the focused row as the mouse
// acts on a row; screen readers read the page's figures as a table.
class CPavexView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CPavexView(QWidget* parent = nullptr);

    // The page to show (owned by the tree); null shows nothing.
    void setPage(CResultPage* page);
    CResultPage* page() const { return m_page; }
    // Redraws the current page after its content changed.
    void redraw();

    enum class Edge { Top, Bottom };
    // Scrolls the page to its top or bottom. A page's extent is known only once it has been drawn,
    // so the scroll is made again after the next drawing, after the first drawing's move to the top.
    void scrollToEdge(Edge edge);

    // Told before each sheet is printed (from 0) how many the page takes; false stops the printing.
    using SheetProgress = std::function<bool(int sheet, int sheets)>;
    // The current page on as many sheets of the printer as it needs; false without a page, when
    // printing fails or when `progress` stopped it.
    bool printCurrentPage(QPrinter& printer, const SheetProgress& progress = {});

    // The behaviour under the last right-click, or -1.
    int rememberedBehaviour() const { return m_rememberedBehaviour; }

    // The page's title as readers hear it.
    QString pageTitle() const;
    // The figures of the page as of its last refresh or redraw.
    const PageFigures& figures() const { return m_figures; }
    // The row the keyboard acts on, or -1 on a page without rows.
    int focusRow() const { return m_focusRow; }
    // Moves the row focus; false for a row the page does not have.
    bool setFocusRow(int row);
    // A row's rectangle on screen (the whole view for a row whose place is not known).
    QRect accessibleRowRect(int row) const;

signals:
    // The user clicked the check box of a behaviour row.
    void markToggleRequested(int behaviour);
    // The user asked for the pop-up menu of a behaviour row at a global position.
    void behaviourMenuRequested(int behaviour, const QPoint& globalPosition, bool fromKeyboard);
    // The user double-clicked the name of a behaviour row.
    void behaviourJournalRequested(int behaviour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QPoint scrollOffset() const;
    QPoint pagePosition(const QPoint& viewportPosition) const;
    void updateScrollBars(const QSize& extent);
    const HotArea* hotAreaAt(const QPoint& pagePoint, bool checkBox) const;
    void applyEdge(Edge edge);
    void takeFigures();
    // The focused row's rectangle in page coordinates, or an empty one when the page does not say.
    QRect focusRowRect() const;
    void paintFocusFrame(QPainter& painter) const;
    void actOnFocusRow(int key);
    void announceFocusRow();

    CResultPage* m_page = nullptr;
    int m_rememberedBehaviour = -1;
    PageFigures m_figures;
    int m_focusRow = -1;
    std::optional<Edge> m_pendingEdge;
    // A page scrolled to its bottom stays there while its extent or the view's size still settles
    // (a horizontal scroll bar appearing makes the view shorter), until the view is scrolled away.
    bool m_keepAtBottom = false;
};
