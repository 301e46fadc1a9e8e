// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <sys/types.h>

// Writes a whole file so that a failure never destroys what was there before: the bytes go to a
// temporary file beside the target, are flushed to disk, and only then replace the target.
// A path that is a symbolic link is saved through: the file it points to is replaced and the
// link stays a link.
class AtomicFile {
public:
    // Stands in for write(2) so that tests can make a write fail part-way.
    using WriteFunction = std::function<ssize_t(int fd, const void* data, std::size_t size)>;

    // True when the file was written; otherwise false with the reason in *error (when given),
    // e.g. "No space left on device".
    [[nodiscard]] static bool write(const std::string& path, std::string_view bytes, std::string* error = nullptr,
                                    const WriteFunction& writeFunction = {});
};

// Reads a whole file; nothing on failure, with the reason in *error (when given).
std::optional<std::string> readWholeFile(const std::string& path, std::string* error = nullptr);
