// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

// The three kinds of file kvtool reads and writes. Feedback request files (.kvq) are journals.
enum class FileKind { Role, Journal, Reply };

// "role", "journal" or "reply": the names used by --kind and by the "kind" member of the JSON.
std::optional<FileKind> fileKindFromName(std::string_view name);
std::string_view fileKindName(FileKind kind);

// .kvr role, .kva and .kvq journal, .kvi reply, the extension compared without regard to case.
std::optional<FileKind> fileKindFromPath(std::string_view path);
