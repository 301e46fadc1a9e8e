// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAccessibleEvent;

namespace ui {

// Hands an accessibility event on to whoever follows them: the platform's reader bridge while
// accessibility is active, and otherwise any update handler installed in its place, which Qt itself
// would only reach while a reader is active. Changes that a reader must hear go through here.
void announce(QAccessibleEvent& event);

} // namespace ui
