#pragma once

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

namespace testsupport {

// Dates in tests are formatted in UTC, whatever the machine's zone.
inline void useUtc() {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
}

// 2024-01-02 03:04:05 UTC, a Tuesday.
inline constexpr std::time_t kFixedTime = 1704164645;

// A fresh directory, removed with everything in it when the object goes.
class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvmail-test.XXXXXX").native();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    bool isEmpty() const { return std::filesystem::is_empty(m_path); }

    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        const auto file = m_path / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

private:
    std::filesystem::path m_path;
};

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace testsupport
