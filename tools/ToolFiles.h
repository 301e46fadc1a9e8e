// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ReadOutcome.h"

#include <string>
#include <string_view>

// File access for the commands; every failure becomes a CommandFailure naming the file.

// The whole file; "-" reads standard input.
std::string readInputFile(const std::string& path);
// Replaces the file atomically, so a failure leaves what was there before.
void writeOutputFile(const std::string& path, std::string_view bytes);
// Throws unless the outcome is Ok; the message names the file and the problem.
void requireReadable(const std::string& path, const ReadOutcome& outcome);
