// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Announcement.h"

#include <QAccessible>

namespace ui {

void announce(QAccessibleEvent& event) {
    if (QAccessible::isActive()) {
        QAccessible::updateAccessibility(&event);
        return;
    }
    // The installed handler can only be read by replacing it; it is put straight back.
    const QAccessible::UpdateHandler handler = QAccessible::installUpdateHandler(nullptr);
    QAccessible::installUpdateHandler(handler);
    if (handler != nullptr) {
        handler(&event);
    }
}

} // namespace ui
