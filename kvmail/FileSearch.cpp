#include "kvmail/FileSearch.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

std::optional<fs::path> findAlongSearchOrder(std::string_view fileName, const fs::path& programDirectory,
                                             const char* searchPath) {
    std::error_code error;
    const auto found = [&](const fs::path& directory) {
        return !directory.empty() && fs::is_regular_file(directory / fileName, error);
    };
    if (found(programDirectory)) {
        return programDirectory / fileName;
    }
    if (const fs::path current = fs::current_path(error); !error && found(current)) {
        return current / fileName;
    }
    if (found("/etc")) {
        return fs::path("/etc") / fileName;
    }
    const std::string_view path(searchPath != nullptr ? searchPath : "");
    for (std::size_t start = 0; start < path.size();) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        // An empty entry stands for the current directory, already searched.
        if (const fs::path directory(path.substr(start, end - start)); end > start && found(directory)) {
            return directory / fileName;
        }
        start = end + 1;
    }
    return std::nullopt;
}

fs::path runningProgramDirectory() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
}
