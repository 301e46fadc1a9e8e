// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"

#include <span>
#include <string>

// Splits a subcommand's arguments into positionals and "--name value" (or "--name=value")
// options as the command declares them. "--" ends the options; "-" alone is a positional.
// Throws UsageError for anything the command does not accept.
ParsedArguments parseArguments(const Command& command, std::span<const std::string> arguments);

// True when the arguments ask for help ("--help" or "-h" where an option may stand).
bool asksForHelp(const Command& command, std::span<const std::string> arguments);
