// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"

#include <span>

// Every subcommand of kvtool, in the order the usage text lists them.
std::span<const Command> kvtoolCommands();
