// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>

class QSplitter;
class QWidget;

namespace ui {

class Settings;

// Where a main window opens and how it is remembered between runs: a first run uses most of the
// screen; later runs take the stored place, brought back onto a screen if that one is gone.
class WindowPlacement {
public:
    // The share of the screen's available area a main window takes on a first run.
    static constexpr int kScreenPercent = 80;

    // A window of kScreenPercent of the area, centred in it.
    static QRect firstGeometry(const QRect& available);
    // The stored rectangle moved and, if need be, shrunk so that it lies wholly on the screen
    // it shows most on (the first screen when it shows on none).
    static QRect onVisibleScreen(const QRect& stored, const QList<QRect>& availableAreas);
    // The same on the screens there are now.
    static QRect onVisibleScreen(const QRect& stored);

    // Gives the window its stored place (or the first-run one), maximized when it was.
    static void restore(QWidget& window, const Settings& settings);
    // Gives the splitter its stored first pane width when one was stored and fits `totalWidth`;
    // otherwise leaves it as it is.
    static void restoreSplitter(QSplitter& splitter, const Settings& settings, int totalWidth);
    static void store(const QWidget& window, Settings& settings, const QSplitter* splitter = nullptr);
};

} // namespace ui
