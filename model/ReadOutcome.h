#pragma once

#include "Archive.h"

#include <string>

// What came of reading a file.
struct ReadOutcome {
    enum class Result {
        Ok,
        Damaged,       // truncated, impossible count or length (see status)
        Unsupported,   // a format or record version this reader does not know
        Unreadable,    // the file could not be opened or read
        Cancelled,     // the user cancelled the password prompt
        WrongPassword, // the password typed was not the file's
    };
    Result result = Result::Ok;
    std::string problem; // e.g. "the file ends unexpectedly"; empty when Ok

    bool ok() const { return result == Result::Ok; }
    static ReadOutcome fromReader(const ArchiveReader& reader);
};
