// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/FileKind.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

struct KindEntry {
    FileKind kind;
    std::string_view name;
};

constexpr std::array kKinds{
    KindEntry{FileKind::Role, "role"},
    KindEntry{FileKind::Journal, "journal"},
    KindEntry{FileKind::Reply, "reply"},
};

struct ExtensionEntry {
    std::string_view extension;
    FileKind kind;
};

constexpr std::array kExtensions{
    ExtensionEntry{".kvr", FileKind::Role},
    ExtensionEntry{".kva", FileKind::Journal},
    ExtensionEntry{".kvq", FileKind::Journal},
    ExtensionEntry{".kvi", FileKind::Reply},
};

// ASCII only: the extensions we know are ASCII, and file names are UTF-8.
char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::optional<FileKind> fileKindFromName(std::string_view name) {
    for (const auto& entry : kKinds) {
        if (entry.name == name) {
            return entry.kind;
        }
    }
    return std::nullopt;
}

std::string_view fileKindName(FileKind kind) {
    for (const auto& entry : kKinds) {
        if (entry.kind == kind) {
            return entry.name;
        }
    }
    return {};
}

std::optional<FileKind> fileKindFromPath(std::string_view path) {
    const auto slash = path.find_last_of('/');
    const auto fileName = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = fileName.find_last_of('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    std::string extension(fileName.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(), lowerAscii);
    for (const auto& entry : kExtensions) {
        if (entry.extension == extension) {
            return entry.kind;
        }
    }
    return std::nullopt;
}
