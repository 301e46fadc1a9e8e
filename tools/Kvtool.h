// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace kvtool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // damaged or unreadable input, a file that cannot be written
inline constexpr int kExitUsage = 2;   // the command line is wrong

// Runs kvtool with the arguments that follow the program name; returns the exit status.
int run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

std::string usageText();

} // namespace kvtool
