// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/AutopilotController.h"

#include "pavex/AutopilotWindow.h"
#include "pavex/MainFrame.h"
#include "pavex/PavexTreeView.h"
#include "pavex/PavexView.h"
#include "pavex/RequestingFeedbackDialog.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace {

GuideRect toGuideRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

QRect toQRect(const GuideRect& rect) {
    return {rect.left, rect.top, static_cast<int>(rect.width()), static_cast<int>(rect.height())};
}

std::vector<GuideRect> screenAreas() {
    std::vector<GuideRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.push_back(toGuideRect(screen->availableGeometry()));
    }
    return areas;
}

// The tree's nodes are found afresh each time: choosing a role, New and Open rebuild them.
const ContentNode* landmarkNode(const ContentTree::Landmarks& landmarks, GuideLandmark landmark) {
    switch (landmark) {
    case GuideLandmark::Results:
        return landmarks.results;
    case GuideLandmark::Competencies:
        return landmarks.competencies;
    case GuideLandmark::FirstCompetency:
        return landmarks.firstCompetency;
    case GuideLandmark::FirstBehaviour:
        return landmarks.firstBehaviour;
    case GuideLandmark::Behaviours:
        return landmarks.behaviours;
    case GuideLandmark::Differences:
        return landmarks.differences;
    case GuideLandmark::ExtraRequirements:
        return landmarks.extraRequirements;
    case GuideLandmark::DevelopmentAreas:
        return landmarks.developmentAreas;
    case GuideLandmark::WithoutActions:
        return landmarks.withoutActions;
    case GuideLandmark::Actions:
        return landmarks.actions;
    }
    return nullptr;
}

} // namespace

AutopilotController::AutopilotController(CMainFrame& frame) : m_frame(frame), m_guide(frame.document(), *this) {}

AutopilotController::~AutopilotController() {
    delete m_window;
}

void AutopilotController::setShown(bool shown) {
    if (shown) {
        show();
    } else {
        hide();
    }
}

void AutopilotController::show() {
    if (m_window) {
        m_window->takeFocus();
        return;
    }
    if (!m_frame.isVisible()) {
        // Asked for during start-up: it comes up beside the main window once that is on screen.
        if (!m_waitingForFrame) {
            m_waitingForFrame = true;
            m_frame.installEventFilter(this);
        }
        return;
    }
    showNow();
}

bool AutopilotController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_frame && event->type() == QEvent::Show && m_waitingForFrame) {
        m_waitingForFrame = false;
        m_frame.removeEventFilter(this);
        // After the main window has its place on screen.
        QTimer::singleShot(0, this, [this] {
            if (!m_window && m_frame.isVisible()) {
                showNow();
            }
        });
    }
    return QObject::eventFilter(watched, event);
}

void AutopilotController::showNow() {
    auto* window = new AutopilotWindow(&m_frame);
    connect(window, &AutopilotWindow::hideRequested, this, &AutopilotController::hide);
    connect(window, &AutopilotWindow::previousRequested, this, [this] { m_guide.previous(); });
    connect(window, &AutopilotWindow::nextRequested, this, [this] { m_guide.next(); });
    connect(window, &AutopilotWindow::doItRequested, this, [this] { m_guide.doIt(); });
    m_window = window;

    const QSize own = window->size();
    const GuideRect placed =
        m_guide.placeWindow(toGuideRect(m_frame.geometry()), {own.width(), own.height()}, screenAreas());
    window->setGeometry(toQRect(placed));
    window->show();
    emit shownChanged(true);
    m_guide.windowShown(*window);
}

void AutopilotController::hide() {
    if (m_waitingForFrame) {
        m_waitingForFrame = false;
        m_frame.removeEventFilter(this);
    }
    if (!m_window) {
        return;
    }
    AutopilotWindow* window = m_window;
    m_window = nullptr;
    m_guide.windowHidden(toGuideRect(window->geometry()));
    window->hide();
    // A button of the window may be what asked; it goes once its signal has returned.
    window->deleteLater();
    emit shownChanged(false);
}

void AutopilotController::journalReplaced() {
    m_guide.rebind(m_frame.document());
}

void AutopilotController::recordPlace() {
    if (m_window) {
        m_frame.document().autopilotWindow = toGuideRect(m_window->geometry()).toStored();
    }
}

void AutopilotController::openOptions() {
    m_frame.showOptions();
}

void AutopilotController::startSelfAssessment() {
    m_frame.startSelfAssessment();
}

void AutopilotController::newFeedbackQuestionnaire() {
    m_frame.newFeedbackQuestionnaire();
}

void AutopilotController::saveJournal() {
    m_frame.save();
}

void AutopilotController::chooseRole() {
    m_frame.chooseRole();
}

void AutopilotController::mergeCompletedFeedback() {
    m_frame.mergeCompletedFeedback();
}

void AutopilotController::requestFeedback() {
    RequestingFeedbackDialog dialog(&m_frame);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    switch (dialog.chosenWay()) {
    case RequestingFeedbackDialog::Way::None:
        return;
    case RequestingFeedbackDialog::Way::QuestionnaireHere:
        m_frame.newFeedbackQuestionnaire();
        return;
    case RequestingFeedbackDialog::Way::EmailRequest:
        m_frame.sendFeedbackRequest();
        return;
    case RequestingFeedbackDialog::Way::SavedRequest:
        m_frame.createFeedbackRequest();
        return;
    case RequestingFeedbackDialog::Way::WebPage:
        m_frame.createWebQuestionnaire();
        return;
    }
}

void AutopilotController::selectLandmark(GuideLandmark landmark) {
    if (const ContentNode* node = landmarkNode(m_frame.contents().landmarks(), landmark)) {
        m_frame.treeView()->selectNode(*node);
    }
}

void AutopilotController::selectQuestionnaire(std::size_t index) {
    const ContentNode* feedback = m_frame.contents().landmarks().feedback;
    if (feedback != nullptr && index < feedback->childCount()) {
        m_frame.treeView()->selectNode(feedback->child(index));
    }
}

void AutopilotController::scrollContentView(ScrollEdge edge) {
    m_frame.contentView()->scrollToEdge(edge == ScrollEdge::Top ? CPavexView::Edge::Top : CPavexView::Edge::Bottom);
}
