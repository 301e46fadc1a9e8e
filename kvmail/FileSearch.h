#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Finds a file the way the suite finds its settings: in the program's own directory, the current
// directory, /etc, then each directory of PATH. The first regular file of that name wins.
std::optional<std::filesystem::path>
findAlongSearchOrder(std::string_view fileName, const std::filesystem::path& programDirectory, const char* searchPath);

// The directory of the running program, empty when the system cannot tell.
std::filesystem::path runningProgramDirectory();
