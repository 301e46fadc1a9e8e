// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/VisibleFocus.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace ui {

void VisibleFocus::install() {
    static VisibleFocus* const watcher = [] {
        auto* created = new VisibleFocus(qApp);
        qApp->installEventFilter(created);
        return created;
    }();
    Q_UNUSED(watcher);
}

bool VisibleFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::Show) {
        if (auto* widget = qobject_cast<QWidget*>(watched)) {
            QWidget* window = widget->window();
            if (!window->testAttribute(Qt::WA_KeyboardFocusChange)) {
                window->setAttribute(Qt::WA_KeyboardFocusChange);
                if (QWidget* focused = window->focusWidget()) {
                    focused->update();
                }
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
