// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include <stdlib.h>

// A fresh folder under the temporary directory, removed with everything in it at the end. A folder
// that cannot be made fails the test at once (by an exception gtest reports), instead of letting it
// run on in a folder that is not there.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "reflectory-test") {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder " + pattern + ": " + std::strerror(errno));
        }
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return (std::filesystem::path(m_path) / name).string(); }
    bool isEmpty() const { return std::filesystem::is_empty(m_path); }

    // Writes the bytes as they are, making the folders of a name like "a/b/c.txt" (no atomic save:
    // tests use it to set up what a program reads).
    std::string write(const std::string& name, std::string_view bytes) const {
        const std::string path = file(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

private:
    std::string m_path;
};
