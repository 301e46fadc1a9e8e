// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PavexDoc.h"

#include <string>

// A journal as the undo history keeps it: every field of the document, in the journal's ordinary
// encoding without a password, followed by the password and the encryption choice, which the
// record's bytes do not carry. The
// Autopilot's page, window and shown flag are where the guide is, not what the user edits: they
// are held at their defaults in a snapshot, and a restore keeps them as they are now.
namespace JournalSnapshot {

// Takes the snapshot; the journal is left as it was.
std::string take(CPavexDoc& journal);
// Makes the journal what the snapshot says; its path, modified flag and Autopilot place stay.
// False, changing nothing, for bytes that are not a snapshot.
bool restore(const std::string& snapshot, CPavexDoc& journal);

} // namespace JournalSnapshot
