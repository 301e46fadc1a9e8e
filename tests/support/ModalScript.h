#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

// Acts on the modal dialogs a command opens, one step per dialog, so a test can drive real
// dialogs that run their own event loop. A step returns false while the dialog it expects is not
// the active one yet.
class ModalScript {
public:
    using Step = std::function<bool(QWidget* modal)>;

    ModalScript() {
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
        if (!modal || m_steps.empty() || m_busy) {
            return;
        }
        m_busy = true; // a step may itself open a nested dialog
        if (m_steps.front()(modal)) {
            m_steps.pop_front();
        }
        m_busy = false;
    }

    QTimer m_timer;
    std::deque<Step> m_steps;
    bool m_busy = false;
};
