// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace ui {

// `PROGRAM --help` (or -h) as the only argument: prints the program's usage text on standard
// output and returns true, before the program touches a display, so that it answers in a terminal
// without one and the manual pages can be made from it.
bool printedHelp(int argc, char** argv, std::string_view usage);

} // namespace ui
