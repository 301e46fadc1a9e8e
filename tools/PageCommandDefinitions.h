// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"

// What render and report take and say, shared by the program that draws the pages and the one that
// hands those commands on to it.
Command renderCommandDefinition(void (*run)(const ParsedArguments& arguments, std::ostream& out));
Command reportCommandDefinition(void (*run)(const ParsedArguments& arguments, std::ostream& out));
