// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"

#include <optional>
#include <string>

// Reads a journal or request file for a command: a protected journal needs the exact password
// (a request never does). Throws CommandFailure, naming the problem, when the file cannot be used.
JournalRecord readJournalForCommand(const std::string& path, const std::optional<std::string>& password);
// The --password option, converted to the files' code page.
std::optional<std::string> passwordOption(const struct ParsedArguments& arguments, const char* name = "--password");
