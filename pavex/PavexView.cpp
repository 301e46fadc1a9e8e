// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/PavexView.h"

#include "analysis/pages/PageOutput.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>

#include <utility>

namespace {
// The scroll sizes before any page has been drawn.
constexpr int kInitialScrollSize = 300;
} // namespace

CPavexView::CPavexView(QWidget* parent) : QAbstractScrollArea(parent) {
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    updateScrollBars(QSize(kInitialScrollSize, kInitialScrollSize));
}

void CPavexView::setPage(CResultPage* page) {
    m_page = page;
    m_rememberedBehaviour = -1;
    m_pendingEdge.reset();
    m_keepAtBottom = false;
    viewport()->update();
}

void CPavexView::redraw() {
    viewport()->update();
}

void CPavexView::scrollToEdge(Edge edge) {
    if (m_page != nullptr) {
        updateScrollBars(m_page->extent());
    }
    applyEdge(edge);
    m_pendingEdge = edge;
    viewport()->update();
}

void CPavexView::applyEdge(Edge edge) {
    horizontalScrollBar()->setValue(0);
    QScrollBar* vertical = verticalScrollBar();
    vertical->setValue(edge == Edge::Top ? vertical->minimum() : vertical->maximum());
    m_keepAtBottom = edge == Edge::Bottom;
}

QPoint CPavexView::scrollOffset() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

QPoint CPavexView::pagePosition(const QPoint& viewportPosition) const {
    return viewportPosition + scrollOffset();
}

void CPavexView::updateScrollBars(const QSize& extent) {
    const QSize client = viewport()->size();
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setPageStep(client.height());
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
    QScrollBar* vertical = verticalScrollBar();
    const bool atBottom = m_keepAtBottom && vertical->value() == vertical->maximum();
    horizontalScrollBar()->setRange(0, std::max(0, extent.width() - client.width()));
    vertical->setRange(0, std::max(0, extent.height() - client.height()));
    if (atBottom) {
        vertical->setValue(vertical->maximum());
    } else {
        m_keepAtBottom = false;
    }
}

void CPavexView::paintEvent(QPaintEvent*) {
    if (m_page == nullptr) {
        return;
    }
    QPainter painter(viewport());
    const QPoint offset = scrollOffset();
    painter.translate(-offset);
    PageCanvas canvas;
    canvas.painter = &painter;
    canvas.printing = false;
    canvas.clientWidth = viewport()->width();
    canvas.visibleBottom = offset.y() + viewport()->height();
    canvas.screenFont = QApplication::font();
    m_page->paint(canvas);
    painter.end();
    updateScrollBars(m_page->extent());
    // Only a page's first drawing moves the view back to the top left; later visits keep their place.
    if (m_page->takeScrollToTop() && (offset.x() != 0 || offset.y() != 0)) {
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(0);
    }
    // Asked for before the page's extent was known: made now, winning over the move to the top.
    if (const std::optional<Edge> edge = std::exchange(m_pendingEdge, std::nullopt)) {
        const QPoint before = scrollOffset();
        applyEdge(*edge);
        if (scrollOffset() != before) {
            viewport()->update();
        }
    }
}

void CPavexView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (m_page != nullptr) {
        updateScrollBars(m_page->extent());
    }
}

void CPavexView::scrollContentsBy(int, int) {
    viewport()->update();
}

const HotArea* CPavexView::hotAreaAt(const QPoint& pagePoint, bool checkBox) const {
    if (m_page == nullptr) {
        return nullptr;
    }
    for (const HotArea& area : m_page->hotAreas()) {
        if ((checkBox ? area.checkBox : area.name).contains(pagePoint)) {
            return &area;
        }
    }
    return nullptr;
}

void CPavexView::mousePressEvent(QMouseEvent* event) {
    const QPoint pagePoint = pagePosition(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        if (const HotArea* area = hotAreaAt(pagePoint, true)) {
            emit markToggleRequested(area->behaviour);
        }
        return;
    }
    if (event->button() == Qt::RightButton) {
        if (const HotArea* area = hotAreaAt(pagePoint, false)) {
            m_rememberedBehaviour = area->behaviour;
            emit behaviourMenuRequested(area->behaviour, event->globalPosition().toPoint());
        }
        return;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CPavexView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (const HotArea* area = hotAreaAt(pagePosition(event->position().toPoint()), false)) {
            emit behaviourJournalRequested(area->behaviour);
        }
        return;
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

bool CPavexView::printCurrentPage(QPrinter& printer, const SheetProgress& progress) {
    if (m_page == nullptr) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const int sheets = progress ? m_page->measureSheets(painter) : 0;
    int sheet = 0;
    bool printed = !progress || progress(sheet, sheets);
    if (printed) {
        printed = pageoutput::printPage(*m_page, painter, [&] {
            ++sheet;
            return (!progress || progress(sheet, sheets)) && printer.newPage();
        });
    }
    painter.end();
    // Printing lays the page out for paper; the screen needs its own layout again.
    viewport()->update();
    return printed;
}
