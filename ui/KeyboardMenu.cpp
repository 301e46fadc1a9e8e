// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/KeyboardMenu.h"

#include <QAction>
#include <QMenu>
#include <QPoint>
#include <QTimer>

namespace ui {

namespace {

void startOnFirstEntry(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator() && action->isEnabled() && action->isVisible()) {
            menu.setActiveAction(action);
            return;
        }
    }
}

} // namespace

void popupFromKeyboard(QMenu& menu, const QPoint& globalPosition) {
    menu.popup(globalPosition);
    startOnFirstEntry(menu);
}

QAction* execFromKeyboard(QMenu& menu, const QPoint& globalPosition) {
    // The menu chooses its current entry afresh as it opens: the first is made current once it shows.
    QTimer::singleShot(0, &menu, [&menu] { startOnFirstEntry(menu); });
    return menu.exec(globalPosition);
}

} // namespace ui
