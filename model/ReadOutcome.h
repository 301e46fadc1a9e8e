// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Archive.h"
#include "ReadStatus.h"

#include <string>

// What came of reading a file, with the reason.
struct ReadOutcome {
    ReadStatus status = ReadStatus::Ok;
    std::string problem; // e.g. "the file ends unexpectedly"; empty when Ok

    bool ok() const { return status == ReadStatus::Ok; }
    // Truncated or corrupt: the file is of a kind this reader knows but its bytes are wrong.
    bool damaged() const { return status == ReadStatus::Truncated || status == ReadStatus::Corrupt; }
    static ReadOutcome fromReader(const ArchiveReader& reader) { return {reader.status(), reader.problem()}; }
};
