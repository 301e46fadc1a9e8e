// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FocusFramedButton.h"

#include <QPainter>
#include <QPen>

namespace ui {

void FocusFramedButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
    const QRect frame = rect().adjusted(kInset, kInset, -kInset - 1, -kInset - 1);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(frame);
}

} // namespace ui
