#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

// How the suite finds a file it ships or is configured with, given only the file's name: in the
// program's own directory, the current directory, /etc, then each directory of PATH (the first
// regular file of that name wins). The role editor's web page template and the web reply
// gateway's settings are found this way.
namespace filesearch {

// `searchPath` is PATH's value (may be null). Empty entries of it are skipped: they stand for
// the current directory, already searched.
std::optional<std::filesystem::path>
findInSearchOrder(std::string_view fileName, const std::filesystem::path& programDirectory, const char* searchPath);

// As findInSearchOrder, then in the installed data folder ../share/reflectory/ beside the program
// (programs in <prefix>/bin, data in <prefix>/share/reflectory).
std::optional<std::filesystem::path>
findProgramFile(std::string_view fileName, const std::filesystem::path& programDirectory, const char* searchPath);

// The directory of the running program, empty when the system cannot tell.
std::filesystem::path runningProgramDirectory();

} // namespace filesearch
