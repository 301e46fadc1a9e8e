// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/Kvtool.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return kvtool::run(arguments, std::cout, std::cerr);
}
