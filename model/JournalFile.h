// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PavexDoc.h"
#include "ReadOutcome.h"

#include <functional>
#include <string>
#include <string_view>

class UserPrompts;

// The journal record as bytes, and the journal program's Open and Save.
namespace JournalFile {

enum class PasswordVerdict { Continue, Cancelled, Wrong };
// Whether a typed password is the journal's (for an encrypted journal this derives its key).
using PasswordCheck = std::function<bool(const std::string& typed)>;
// Called while reading a protected journal (switch on, not a request file, or encrypted): gets a
// password, checks it with isRight and says how it went.
using PasswordGate = std::function<PasswordVerdict(const PasswordCheck& isRight)>;

// The ordinary bytes: scrambled under the password when it is not empty, with seed 0 when it is.
// Never sealed; Save stores through SealedJournal::encodeStored.
std::string encode(const JournalRecord& record);
// Fills *record only when the whole file reads cleanly and the gate lets it through. An encrypted
// journal is recognised first and opened through the gate. Without a gate no password is asked
// (the respondent program reads so) and an encrypted journal cannot be read.
ReadOutcome decode(std::string_view bytes, JournalRecord& record, const PasswordGate& gate = {});
// The ordinary format only.
ReadOutcome decodeOrdinary(std::string_view bytes, JournalRecord& record, const PasswordGate& gate = {});

// How often the password of a journal is asked for before the file is given up: once for a script
// (its password is given once), three times at the desktop, where a mistyped password is common.
inline constexpr int kScriptPasswordTries = 1;
inline constexpr int kDesktopPasswordTries = 3;

// The "Security Check" prompt, naming the file (context) below the prompt: a wrong password is told
// and asked again until `tries` are used up; Cancel ends it silently.
PasswordGate askingGate(UserPrompts& prompts, int tries = kScriptPasswordTries, std::string context = {});

// Reads a journal file: asks for the password of a protected journal and reports damage, but does
// not refuse request files (a merge reads those).
ReadOutcome read(const std::string& path, JournalRecord& record, UserPrompts& prompts,
                 int passwordTries = kScriptPasswordTries);
// Open: read, then refuse a feedback request file. On success the document takes the file's
// content and path and is unmodified; on failure it is unchanged. *outcome, when given, is what
// came of the read (Ok for a refused request file), so callers can tell a bad file from a refusal.
bool open(const std::string& path, CPavexDoc& doc, UserPrompts& prompts, ReadOutcome* outcome = nullptr,
          int passwordTries = kScriptPasswordTries);
// Writes atomically, sealed when the journal is encrypted; on failure tells the user and leaves the
// previous file intact.
bool save(const std::string& path, CPavexDoc& doc, UserPrompts& prompts);

} // namespace JournalFile
