// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>

#include <functional>

class QPainter;

// What the host of a page hands it for one drawing: the surface, whether it is paper, and on
// screen the client area and the part of the page being painted.
struct PageCanvas {
    QPainter* painter = nullptr;
    // Paper: the page fills the printable area of the painter's device with a header and a footer.
    bool printing = false;
    // Screen: the width of the view's client area; a narrower page is widened to it.
    int clientWidth = 0;
    // Screen: the bottom of the area being painted, in page coordinates; the background is filled
    // down to here.
    int visibleBottom = 0;
    // Screen: the font pages are drawn in (the platform's variable-pitch user-interface font).
    QFont screenFont;
    // Paper: starts the next sheet of a page too tall for one; false when it cannot. Without it the
    // painter's device is asked for a new page.
    std::function<bool()> nextSheet;
};

// A row of a page that answers the mouse: a click in the check box toggles the behaviour's
// development mark; a double-click or right-click in the name rectangle acts on the behaviour.
// Rectangles are in page coordinates.
struct HotArea {
    QRect checkBox;
    QRect name;
    int behaviour = -1;
};
