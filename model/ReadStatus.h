// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What came of reading a file, from the archive's bytes up to the user's password: one vocabulary
// for the record readers and for the file readers above them.
enum class ReadStatus {
    Ok,
    Truncated,     // the file ends inside a record
    Corrupt,       // a count or length no writer produces
    Unsupported,   // a format or record version this reader does not know
    Unreadable,    // the file could not be opened or read
    Cancelled,     // the user cancelled the password prompt
    WrongPassword, // the password typed was not the file's
};
