// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

// How the suite finds a file it ships or is configured with, given only the file's name: in the
// program's own directory, the current directory, /etc, then each directory of PATH (the first
// regular file of that name wins). The web reply gateway's settings are found this way; the role
// editor's web page template looks in the installed data folder second (findProgramFile).
namespace filesearch {

// `searchPath` is PATH's value (may be null). Empty entries of it are skipped: they stand for
// the current directory, already searched.
std::optional<std::filesystem::path>
findInSearchOrder(std::string_view fileName, const std::filesystem::path& programDirectory, const char* searchPath);

// As findInSearchOrder, with the installed data folder ../share/reflectory/ beside the program
// (programs in <prefix>/bin, data in <prefix>/share/reflectory) right after the program's own
// directory: an installed program started from a folder that holds some other file of that name
// still takes its own.
std::optional<std::filesystem::path>
findProgramFile(std::string_view fileName, const std::filesystem::path& programDirectory, const char* searchPath);

// The directory of the running program, empty when the system cannot tell.
std::filesystem::path runningProgramDirectory();

} // namespace filesearch
