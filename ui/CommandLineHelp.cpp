// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CommandLineHelp.h"

#include <iostream>

namespace ui {

bool printedHelp(int argc, char** argv, std::string_view usage) {
    if (argc != 2) {
        return false;
    }
    const std::string_view argument = argv[1];
    if (argument != "--help" && argument != "-h") {
        return false;
    }
    std::cout << usage << std::flush;
    return true;
}

} // namespace ui
