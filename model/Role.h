// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Framework.h"

#include <array>
#include <string>
#include <string_view>

class CRole {
public:
    static constexpr std::int32_t kFileFormat = 1;

    std::string name;
    std::string description;
    CPavexFramework framework;
    std::array<std::string, kRelationshipCount> relationshipLabels;
    std::string competencyTerm;
    std::string behaviourTerm;

    // A new role: one four-option scale, the standard relationship labels and terms.
    static CRole makeDefault();

    void store(ArchiveWriter& out) const;
    bool load(ArchiveReader& in);

    bool operator==(const CRole&) const = default;
};

// The default wording a role starts with.
const std::array<std::string, kRelationshipCount>& defaultRelationshipLabels();
CResponseScale defaultResponseScale();
