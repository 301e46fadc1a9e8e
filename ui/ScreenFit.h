// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QBoxLayout;
class QWidget;

namespace ui {

// Makes `form` the page of a frameless scroll area that takes its place in `layout`, so that a
// long form can be shown smaller than it would like and scrolls instead of leaving the screen.
void addScrollingForm(QBoxLayout& layout, QWidget* form, int stretch = 1);

// Keeps a window no larger than the available area of its screen, with room for a frame.
void fitToScreen(QWidget& window);

} // namespace ui
