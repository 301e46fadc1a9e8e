// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

namespace ui {

// A push button that frames its keyboard focus plainly: black dashes over white inside its edge,
// which show on any style and any colour, where a style's own focus mark is a faint tint. For the
// buttons a keyboard user goes through one after another, such as a questionnaire's answers.
class FocusFramedButton : public QPushButton {
public:
    using QPushButton::QPushButton;

    // How far inside the button's edge the frame runs.
    static constexpr int kInset = 3;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
