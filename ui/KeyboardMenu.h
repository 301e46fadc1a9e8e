// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAction;
class QMenu;
class QPoint;

namespace ui {

// A pop-up menu opened from the keyboard (the Menu key, Shift+F10) starts on its first entry, as
// such menus do on every desktop: Return then takes that entry and the arrows move on from it.

// Shows the menu and returns at once.
void popupFromKeyboard(QMenu& menu, const QPoint& globalPosition);
// Shows the menu until it closes; the entry taken, or none.
QAction* execFromKeyboard(QMenu& menu, const QPoint& globalPosition);

} // namespace ui
