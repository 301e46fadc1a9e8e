// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Limits.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class ArchiveReader;
class ArchiveWriter;

struct CCompetency {
    std::string name;
    std::string description;
    bool operator==(const CCompetency&) const = default;
};

struct CResponseScale {
    std::int32_t optionCount = 0; // options 0..optionCount-1 are meaningful
    std::array<std::string, kMaxOptions> labels;
    std::array<std::int32_t, kMaxOptions> values{}; // a negative value means "not applicable"
    std::int32_t maximum = 0;
    bool operator==(const CResponseScale&) const = default;
};

struct CBehaviour {
    std::string statement;
    std::int32_t competency = 0; // index into the competencies; kept as stored, guard before use
    std::int32_t scale = 0;      // index into the scales; kept as stored, guard before use
    std::string reserved;
    std::int32_t marked = 0; // marked for development
    std::string description;
    bool operator==(const CBehaviour&) const = default;
};

// A role's competencies, response scales and behaviours.
class CPavexFramework {
public:
    static constexpr std::int32_t kCurrentVersion = 3;

    std::int32_t version = kCurrentVersion; // as read; writers always write the current version
    std::int32_t descriptionsFlag = 1;      // non-zero: descriptions are stored
    std::string description;
    std::vector<CCompetency> competencies;
    std::vector<CResponseScale> scales;
    std::vector<CBehaviour> behaviours;

    bool hasDescriptions() const { return descriptionsFlag != 0; }
    void reset();
    // The scale of a behaviour, or nullptr when its stored index is outside the scales.
    const CResponseScale* scaleOf(const CBehaviour& behaviour) const;

    void store(ArchiveWriter& out) const;
    // Reads into *this only when the whole record reads cleanly.
    bool load(ArchiveReader& in);

    bool operator==(const CPavexFramework&) const = default;
};
