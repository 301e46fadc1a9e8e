// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Archive.h"

#include <cstdint>
#include <string>
#include <string_view>

// One development action.
class CPavexAction {
public:
    static constexpr std::int32_t kCurrentVersion = 2;
    static constexpr std::int32_t kNoBehaviour = -1;

    std::int32_t version = kCurrentVersion; // as read; writers always write the current version
    std::int32_t behaviour = kNoBehaviour;  // kept as stored, guard before use
    std::string action;
    std::string support;
    OleDate doBy;
    std::string situation;
    std::string measure;
    std::int32_t completed = 0;

    // Leading blanks removed; an empty result becomes "<unspecified>".
    static std::string normalisedActionText(std::string_view typed);

    void store(ArchiveWriter& out) const;
    bool load(ArchiveReader& in);

    bool operator==(const CPavexAction&) const = default;
};
