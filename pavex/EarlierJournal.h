// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"

#include <optional>
#include <string>

class UserPrompts;

// The earlier journal the open one is compared with. The choice is remembered in the settings by
// the open journal's path, never its password: reopening the journal asks that password again, and
// Cancel leaves the comparison out until the journal is opened again. Comparing changes nothing in
// either journal.
class EarlierJournal {
public:
    explicit EarlierJournal(UserPrompts& prompts) : m_prompts(prompts) {}

    // The earlier journal as read, or nullptr while there is none.
    const JournalRecord* record() const { return m_record ? &*m_record : nullptr; }
    const std::string& path() const { return m_path; }

    enum class Choice { Compared, Cancelled, Refused, OpenInstead };
    // Reads `earlierPath` (asking its password as Open does) and checks it against `journal`, telling
    // the user why a pair cannot be compared. OpenInstead: the chosen journal is the later one and
    // the user wants it opened and compared with this one.
    Choice choose(const std::string& earlierPath, const CPavexDoc& journal);
    // Takes a record already in memory (the journal that was open, after OpenInstead).
    void take(JournalRecord record, const std::string& earlierPath, const std::string& journalPath);
    // Stop Comparing: forgets the choice for this journal.
    void forget(const std::string& journalPath);
    // Drops the earlier journal from memory (a new or another journal is opened); the settings stay.
    void clear();
    // The comparison remembered for the journal just opened, read again. Returns the status-bar word
    // when the remembered file is gone (the branch is then left out), nothing otherwise.
    std::optional<std::string> restoreFor(const std::string& journalPath);

    // The settings value that holds the earlier journal of the journal at `journalPath`.
    static std::string settingsName(const std::string& journalPath);

private:
    void remember(const std::string& journalPath) const;

    UserPrompts& m_prompts;
    std::optional<JournalRecord> m_record;
    std::string m_path;
};

namespace comparetext {
inline constexpr const char* kChooseTitle = "Compare With Earlier Journal";
inline constexpr const char* kOpenInstead = "Open it, and compare it with this journal instead?";
inline constexpr const char* kNotSaved =
    "Please save this journal first: the comparison is remembered for the journal's file.";
} // namespace comparetext
