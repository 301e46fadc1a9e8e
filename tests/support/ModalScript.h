// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

// Answers the next modal dialog of type T once it is up, the way a user would. A dialog that
// does not appear in time fails the test, and whatever modal widget is up then is closed, so a
// broken test fails instead of hanging.
template <typename T> void whenModal(std::function<void(T*)> answer, int timeoutMs = 5000) {
    auto* timer = new QTimer;
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, deadline] {
        if (auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            QWidget* other = QApplication::activeModalWidget();
            ADD_FAILURE() << "the expected dialog did not appear; up instead: "
                          << (other ? other->metaObject()->className() : "nothing");
            if (other) {
                other->close();
            }
        }
    });
    timer->start(10);
}

// Acts on the modal dialogs a command opens, one step per dialog, so a test can drive real
// dialogs that run their own event loop. A step returns false while the dialog it expects is not
// the active one yet. A step still waiting when the deadline passes fails the test and closes the
// modal widget that is up instead, so a broken window test fails instead of hanging.
class ModalScript {
public:
    using Step = std::function<bool(QWidget* modal)>;

    explicit ModalScript(int timeoutMs = 10000) : m_deadline(timeoutMs) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    void then(Step step) { m_steps.push_back(std::move(step)); }
    bool done() const { return m_steps.empty(); }

    // A step for dialogs of type T.
    template <typename T> static Step on(std::function<void(T*)> act) {
        return [act](QWidget* modal) {
            auto* dialog = qobject_cast<T*>(modal);
            if (!dialog) {
                return false;
            }
            act(dialog);
            return true;
        };
    }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (m_steps.empty() || m_busy) {
            return;
        }
        if (m_deadline.hasExpired()) {
            giveUp(modal);
            return;
        }
        if (!modal) {
            return;
        }
        m_busy = true; // a step may itself open a nested dialog
        if (m_steps.front()(modal)) {
            m_steps.pop_front();
        }
        m_busy = false;
    }

    void giveUp(QWidget* modal) {
        ADD_FAILURE() << m_steps.size() << " dialog step(s) still waiting at the deadline; up instead: "
                      << (modal ? modal->metaObject()->className() : "nothing");
        m_steps.clear();
        if (modal) {
            modal->close();
        }
    }

    QDeadlineTimer m_deadline;
    QTimer m_timer;
    std::deque<Step> m_steps;
    bool m_busy = false;
};
