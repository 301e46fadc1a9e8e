// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JournalFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace vault {
class SealKey;
} // namespace vault

// Journals stored encrypted: the ordinary bytes sealed in the vault's envelope under the journal's
// password. Requests, replies and roles are never sealed.
namespace SealedJournal {

// Whether a save seals the record: encryption chosen, a password to seal with, not a request.
bool sealsOnSave(const JournalRecord& record);

// The bytes the record is stored as: sealed when sealsOnSave(), otherwise the ordinary encoding.
// Nothing when the memory for the key derivation cannot be had.
std::optional<std::string> encodeStored(const JournalRecord& record);

// Reads an envelope: checks it, asks the gate for the password, derives the key once and reads the
// journal inside. Without a gate an envelope cannot be read (Unsupported).
ReadOutcome decode(std::string_view bytes, JournalRecord& record, const JournalFile::PasswordGate& gate);

// Reads an envelope with a key already derived (tests and fuzzing: no key derivation per input).
ReadOutcome decodeWithKey(std::string_view bytes, const vault::SealKey& key, JournalRecord& record);

} // namespace SealedJournal
