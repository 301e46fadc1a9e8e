// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/PavexView.h"

#include "analysis/pages/PageOutput.h"
#include "analysis/pages/PagePainting.h"
#include "analysis/pages/RankingPage.h"
#include "analysis/pages/ResponseFrequencies.h"
#include "pavex/PageAccessible.h"
#include "ui/Announcement.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace {
// The scroll sizes before any page has been drawn.
constexpr int kInitialScrollSize = 300;
} // namespace

CPavexView::CPavexView(QWidget* parent) : QAbstractScrollArea(parent) {
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    updateScrollBars(QSize(kInitialScrollSize, kInitialScrollSize));
    setFocusPolicy(Qt::StrongFocus);
    CPageAccessible::installFactory();
}

void CPavexView::setPage(CResultPage* page) {
    m_page = page;
    m_rememberedBehaviour = -1;
    m_pendingEdge.reset();
    m_keepAtBottom = false;
    m_focusRow = -1;
    takeFigures();
    // Readers follow the focused pane's name: a new page is heard by its title.
    QAccessibleEvent titleChanged(this, QAccessible::NameChanged);
    ui::announce(titleChanged);
    viewport()->update();
}

void CPavexView::redraw() {
    takeFigures();
    viewport()->update();
}

QString CPavexView::pageTitle() const {
    return m_page != nullptr ? m_page->statusTitle() : QStringLiteral("Results page");
}

void CPavexView::takeFigures() {
    m_figures = m_page != nullptr ? pagefigures::of(m_page->content()) : PageFigures{};
    const int rows = m_figures.rowCount();
    m_focusRow = rows == 0 ? -1 : std::clamp(m_focusRow, 0, rows - 1);
    QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
}

bool CPavexView::setFocusRow(int row) {
    if (row < 0 || row >= m_figures.rowCount()) {
        return false;
    }
    m_focusRow = row;
    const QRect rect = focusRowRect();
    if (!rect.isEmpty()) {
        const QPoint offset = scrollOffset();
        QScrollBar* vertical = verticalScrollBar();
        if (rect.top() < offset.y()) {
            vertical->setValue(rect.top());
        } else if (rect.bottom() > offset.y() + viewport()->height()) {
            vertical->setValue(rect.bottom() - viewport()->height() + 1);
        }
    }
    announceFocusRow();
    viewport()->update();
    return true;
}

QRect CPavexView::focusRowRect() const {
    if (m_page == nullptr || m_focusRow < 0) {
        return {};
    }
    const int width = std::max(m_page->layout().width, viewport()->width());
    if (const auto* ranking = dynamic_cast<const CRankingPage*>(m_page)) {
        const CRankingPage::Geometry& g = ranking->geometry();
        // Rows grow to hold their names: each row's top is kept, then the rows' bottom.
        const auto row = static_cast<std::size_t>(m_focusRow);
        if (m_focusRow < g.rows && row + 1 < g.rowTops.size()) {
            return {0, g.rowTops[row], width, g.rowTops[row + 1] - g.rowTops[row]};
        }
    } else if (const auto* frequencies = dynamic_cast<const CResponseFrequencies*>(m_page)) {
        const CResponseFrequencies::Geometry& g = frequencies->geometry();
        if (m_focusRow < g.options) {
            return {0, m_page->layout().lineHeight + m_focusRow * g.rowHeight, width, g.rowHeight};
        }
    }
    return {};
}

QRect CPavexView::accessibleRowRect(int row) const {
    QRect rect;
    if (row >= 0 && row == m_focusRow) {
        rect = focusRowRect().translated(-scrollOffset());
    }
    if (rect.isEmpty()) {
        rect = viewport()->rect();
    }
    return QRect(viewport()->mapToGlobal(rect.topLeft()), rect.size());
}

void CPavexView::paintFocusFrame(QPainter& painter) const {
    if (!hasFocus()) {
        return;
    }
    QRect frame = focusRowRect();
    if (frame.isEmpty()) {
        // A page whose rows are not placed gets the frame round the visible part of it.
        frame = viewport()->rect().translated(scrollOffset());
    }
    frame.adjust(1, 1, -2, -2);
    // Two pens, so that the frame shows on light and dark rows alike.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(frame);
}

void CPavexView::announceFocusRow() {
    if (m_focusRow < 0 || !hasFocus()) {
        return;
    }
    auto* table = static_cast<CPageAccessible*>(QAccessible::queryAccessibleInterface(this));
    if (table == nullptr || m_figures.columnCount() == 0) {
        return;
    }
    const int column = m_figures.rowHeaders.empty() ? 0 : -1;
    if (QAccessibleInterface* cell = table->cellInterface(m_focusRow, column)) {
        QAccessibleEvent focus(cell, QAccessible::Focus);
        ui::announce(focus);
    }
}

void CPavexView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (m_focusRow < 0 && m_figures.rowCount() > 0) {
        m_focusRow = 0;
    }
    viewport()->update();
}

void CPavexView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void CPavexView::keyPressEvent(QKeyEvent* event) {
    const int rows = m_figures.rowCount();
    const int pageRows = 10;
    switch (event->key()) {
    case Qt::Key_Up:
        setFocusRow(std::max(0, m_focusRow - 1));
        break;
    case Qt::Key_Down:
        setFocusRow(std::min(rows - 1, m_focusRow + 1));
        break;
    case Qt::Key_PageUp:
        setFocusRow(std::max(0, m_focusRow - pageRows));
        break;
    case Qt::Key_PageDown:
        setFocusRow(std::min(rows - 1, m_focusRow + pageRows));
        break;
    case Qt::Key_Home:
        setFocusRow(0);
        break;
    case Qt::Key_End:
        setFocusRow(rows - 1);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Menu:
        actOnFocusRow(event->key());
        break;
    case Qt::Key_F10:
        if (event->modifiers() & Qt::ShiftModifier) {
            actOnFocusRow(Qt::Key_Menu);
            break;
        }
        QAbstractScrollArea::keyPressEvent(event);
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    // Rows whose place the page does not tell are followed by scrolling as the keys always did.
    const bool movesRows = event->key() != Qt::Key_Space && event->key() != Qt::Key_Return &&
                           event->key() != Qt::Key_Enter && event->key() != Qt::Key_Menu && event->key() != Qt::Key_F10;
    if (movesRows && focusRowRect().isEmpty()) {
        QAbstractScrollArea::keyPressEvent(event);
    }
    event->accept();
}

void CPavexView::actOnFocusRow(int key) {
    if (m_focusRow < 0 || m_focusRow >= m_figures.rowCount()) {
        return;
    }
    const int behaviour = m_figures.rowBehaviours[static_cast<std::size_t>(m_focusRow)];
    if (behaviour < 0) {
        return;
    }
    if (key == Qt::Key_Space) {
        emit markToggleRequested(behaviour);
    } else if (key == Qt::Key_Menu) {
        m_rememberedBehaviour = behaviour;
        QRect rect = focusRowRect().translated(-scrollOffset());
        if (rect.isEmpty()) {
            rect = viewport()->rect();
        }
        const QPoint at(rect.left() + 4 * fontMetrics().averageCharWidth(), rect.center().y());
        emit behaviourMenuRequested(behaviour, viewport()->mapToGlobal(at), true);
    } else {
        emit behaviourJournalRequested(behaviour);
    }
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
    paintFocusFrame(painter);
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
            emit behaviourMenuRequested(area->behaviour, event->globalPosition().toPoint(), false);
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
