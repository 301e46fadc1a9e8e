// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FileSearch.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace filesearch {

namespace {

bool holds(const fs::path& directory, std::string_view fileName) {
    std::error_code error;
    return !directory.empty() && fs::is_regular_file(directory / fileName, error);
}

} // namespace

std::optional<fs::path> findInSearchOrder(std::string_view fileName, const fs::path& programDirectory,
                                          const char* searchPath) {
    if (holds(programDirectory, fileName)) {
        return programDirectory / fileName;
    }
    std::error_code error;
    if (const fs::path current = fs::current_path(error); !error && holds(current, fileName)) {
        return current / fileName;
    }
    if (holds("/etc", fileName)) {
        return fs::path("/etc") / fileName;
    }
    const std::string_view path(searchPath != nullptr ? searchPath : "");
    for (std::size_t start = 0; start < path.size();) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        if (const fs::path directory(path.substr(start, end - start)); end > start && holds(directory, fileName)) {
            return directory / fileName;
        }
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<fs::path> findProgramFile(std::string_view fileName, const fs::path& programDirectory,
                                        const char* searchPath) {
    // The installed data folder holds what was installed with the program, so it comes before
    // folders where some other file of the same name may lie.
    if (holds(programDirectory, fileName)) {
        return programDirectory / fileName;
    }
    if (const fs::path data = programDirectory.empty() ? fs::path() : programDirectory / ".." / "share" / "reflectory";
        holds(data, fileName)) {
        return (data / fileName).lexically_normal();
    }
    return findInSearchOrder(fileName, programDirectory, searchPath);
}

fs::path runningProgramDirectory() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
}

} // namespace filesearch
