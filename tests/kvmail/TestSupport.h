// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testsupport {

// Dates in tests are formatted in UTC, whatever the machine's zone.
inline void useUtc() {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
}

// 2024-01-02 03:04:05 UTC, a Tuesday.
inline constexpr std::time_t kFixedTime = 1704164645;

using TemporaryDirectory = ::TempFolder;

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace testsupport
