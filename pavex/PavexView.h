// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/pages/ResultPage.h"

#include <QAbstractScrollArea>

#include <functional>
#include <optional>

class QPrinter;

// The right-hand pane: draws the page of the selected tree node, scrolls it, and turns clicks on a
// behaviour row's check box into a request to toggle that behaviour's development mark.
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

signals:
    // The user clicked the check box of a behaviour row.
    void markToggleRequested(int behaviour);
    // The user asked for the pop-up menu of a behaviour row at a global position.
    void behaviourMenuRequested(int behaviour, const QPoint& globalPosition);
    // The user double-clicked the name of a behaviour row.
    void behaviourJournalRequested(int behaviour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QPoint scrollOffset() const;
    QPoint pagePosition(const QPoint& viewportPosition) const;
    void updateScrollBars(const QSize& extent);
    const HotArea* hotAreaAt(const QPoint& pagePoint, bool checkBox) const;
    void applyEdge(Edge edge);

    CResultPage* m_page = nullptr;
    int m_rememberedBehaviour = -1;
    std::optional<Edge> m_pendingEdge;
    // A page scrolled to its bottom stays there while its extent or the view's size still settles
    // (a horizontal scroll bar appearing makes the view shorter), until the view is scrolled away.
    bool m_keepAtBottom = false;
};
