// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace ui {

// Puts the keyboard focus in the first text field of every dialog that asks for text as it opens,
// so what the user types at once lands where they expect (their name, not the password box).
// A dialog that chose its own text field keeps it; file dialogs keep the platform's choice.
class TextFieldFocus : public QObject {
public:
    // Watches every dialog of the application from now on.
    static void install();
    // The first enabled, visible, editable text field of the dialog in tab order; null if none.
    static QWidget* firstTextField(QWidget* dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace ui
