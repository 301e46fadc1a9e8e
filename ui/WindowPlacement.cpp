// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPlacement.h"

#include "ui/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QWidget>

#include <algorithm>

namespace ui {

namespace {

const QString kLeft = QStringLiteral("WindowLeft");
const QString kTop = QStringLiteral("WindowTop");
const QString kWidth = QStringLiteral("WindowWidth");
const QString kHeight = QStringLiteral("WindowHeight");
const QString kMaximized = QStringLiteral("WindowMaximized");
const QString kFirstPane = QStringLiteral("SplitterFirstPane");

long long areaOf(const QRect& rect) {
    return rect.isEmpty() ? 0 : static_cast<long long>(rect.width()) * rect.height();
}

QRect primaryArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

QRect WindowPlacement::firstGeometry(const QRect& available) {
    QRect window(QPoint(), available.size() * kScreenPercent / 100);
    window.moveCenter(available.center());
    return window;
}

QRect WindowPlacement::onVisibleScreen(const QRect& stored, const QList<QRect>& availableAreas) {
    if (availableAreas.isEmpty()) {
        return stored;
    }
    QRect best = availableAreas.front();
    long long bestShown = 0;
    for (const QRect& area : availableAreas) {
        const long long shown = areaOf(area.intersected(stored));
        if (shown > bestShown) {
            best = area;
            bestShown = shown;
        }
    }
    QRect placed(stored.topLeft(), stored.size().boundedTo(best.size()).expandedTo(QSize(1, 1)));
    placed.moveLeft(std::clamp(placed.left(), best.left(), best.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), best.top(), best.bottom() - placed.height() + 1));
    return placed;
}

QRect WindowPlacement::onVisibleScreen(const QRect& stored) {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas << screen->availableGeometry();
    }
    return onVisibleScreen(stored, areas);
}

void WindowPlacement::restore(QWidget& window, const Settings& settings) {
    const int width = settings.integer(kWidth, 0);
    const int height = settings.integer(kHeight, 0);
    if (width > 0 && height > 0) {
        const QRect stored(settings.integer(kLeft, 0), settings.integer(kTop, 0), width, height);
        window.setGeometry(onVisibleScreen(stored));
    } else {
        window.setGeometry(firstGeometry(primaryArea()));
    }
    if (settings.integer(kMaximized, 0) != 0) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
}

void WindowPlacement::restoreSplitter(QSplitter& splitter, const Settings& settings, int totalWidth) {
    const int firstPane = settings.integer(kFirstPane, 0);
    if (firstPane > 0 && firstPane < totalWidth && splitter.count() >= 2) {
        // The sizes share the width left beside the handle in proportion: give them exactly that.
        splitter.setSizes({firstPane, std::max(1, totalWidth - firstPane - splitter.handleWidth())});
    }
}

void WindowPlacement::store(const QWidget& window, Settings& settings, const QSplitter* splitter) {
    const bool maximized = window.isMaximized();
    const QRect frame = maximized ? window.normalGeometry() : window.geometry();
    settings.setInteger(kLeft, frame.left());
    settings.setInteger(kTop, frame.top());
    settings.setInteger(kWidth, frame.width());
    settings.setInteger(kHeight, frame.height());
    settings.setInteger(kMaximized, maximized ? 1 : 0);
    if (splitter != nullptr && !splitter->sizes().isEmpty()) {
        settings.setInteger(kFirstPane, splitter->sizes().front());
    }
    settings.sync();
}

} // namespace ui
