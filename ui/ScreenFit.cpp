// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScreenFit.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>

namespace ui {

void addScrollingForm(QBoxLayout& layout, QWidget* form, int stretch) {
    auto* scroller = new QScrollArea;
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setWidget(form);
    layout.addWidget(scroller, stretch);
}

void fitToScreen(QWidget& window) {
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // The window manager's title bar and borders come on top of the window's own size.
    constexpr int kFrameAllowance = 48;
    const QSize room = screen->availableGeometry().size() - QSize(kFrameAllowance / 2, kFrameAllowance);
    window.setMaximumSize(window.maximumSize().boundedTo(screen->availableGeometry().size()));
    window.resize(window.size().boundedTo(room));
}

} // namespace ui
