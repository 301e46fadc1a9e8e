// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace ui {

// Every window draws the focus of its controls at all times. Styles show it only after the Tab key
// has moved it, so a control that a program focuses itself (the next answer of the questionnaire,
// a dialog's first field) or that the mouse focused would otherwise show nothing to a keyboard user.
class VisibleFocus : public QObject {
public:
    // Watches every window of the application from now on.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace ui
