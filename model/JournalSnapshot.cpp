// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalSnapshot.h"

#include "JournalFile.h"

#include <cstdint>
#include <string_view>
#include <utility>

namespace JournalSnapshot {
namespace {

struct AutopilotPlace {
    std::int32_t page = 0;
    std::array<std::int32_t, 4> window{};
    std::int32_t shown = 1;

    static AutopilotPlace of(const JournalRecord& journal) {
        return {journal.autopilotPage, journal.autopilotWindow, journal.autopilotShown};
    }
    void applyTo(JournalRecord& journal) const {
        journal.autopilotPage = page;
        journal.autopilotWindow = window;
        journal.autopilotShown = shown;
    }
};

} // namespace

std::string take(CPavexDoc& journal) {
    // Encoded in place, with the guide's place at its defaults and without the password: unscrambled,
    // an edit changes only its own bytes, where under a password everything after it would change.
    const AutopilotPlace now = AutopilotPlace::of(journal);
    AutopilotPlace().applyTo(journal);
    std::string password;
    password.swap(journal.password);
    std::string bytes = JournalFile::encode(journal);
    journal.password.swap(password);
    now.applyTo(journal);
    bytes += journal.password;
    const auto length = static_cast<std::uint32_t>(journal.password.size());
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((length >> shift) & 0xFF));
    }
    bytes.push_back(journal.encrypted ? '\1' : '\0');
    return bytes;
}

bool restore(const std::string& snapshot, CPavexDoc& journal) {
    // The record, the password, its length in four bytes (low byte first), the encryption choice.
    if (snapshot.size() < 5) {
        return false;
    }
    std::uint32_t length = 0;
    for (int index = 0; index < 4; ++index) {
        length |= static_cast<std::uint32_t>(static_cast<unsigned char>(snapshot[snapshot.size() - 5 + index]))
                  << (8 * index);
    }
    if (length > snapshot.size() - 5) {
        return false;
    }
    const std::size_t recordSize = snapshot.size() - 5 - length;
    JournalRecord read;
    if (!JournalFile::decodeOrdinary(std::string_view(snapshot.data(), recordSize), read).ok()) {
        return false;
    }
    read.password = snapshot.substr(recordSize, length);
    read.encrypted = snapshot.back() != '\0';
    AutopilotPlace::of(journal).applyTo(read);
    static_cast<JournalRecord&>(journal) = std::move(read);
    return true;
}

} // namespace JournalSnapshot
