// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReadOutcome.h"

#include <functional>
#include <string>
#include <string_view>

class UserPrompts;

// What every file of the suite shares on its way in: read the whole file, decode it, and tell the
// user in the suite's words when that fails.
namespace SuiteFile {

// Decodes a file's bytes into the caller's record.
using Decoder = std::function<ReadOutcome(std::string_view bytes)>;

// A file that cannot be read is Unreadable, with the system's reason as the problem.
ReadOutcome read(const std::string& path, const Decoder& decode);
// The same, and the failure is told (nothing for a cancelled or wrong password, which the password
// prompt has dealt with).
ReadOutcome readTelling(const std::string& path, const Decoder& decode, UserPrompts& prompts);

// The message for a file that could not be read, or "" when there is nothing to say (Ok, Cancelled,
// WrongPassword).
std::string readFailureMessage(const std::string& path, const ReadOutcome& outcome);
// The same for a file known by the name messages show (an attachment held in memory).
std::string readFailureMessageNamed(const std::string& shownName, const ReadOutcome& outcome);

// The file's name as messages show it: the last part of the path, in the texts' code page.
std::string displayName(const std::string& path);

} // namespace SuiteFile
