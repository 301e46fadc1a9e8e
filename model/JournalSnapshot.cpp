#include "JournalSnapshot.h"

#include "JournalFile.h"

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
    // Encoding in place with the guide's place at its defaults spares a copy of the whole journal.
    const AutopilotPlace now = AutopilotPlace::of(journal);
    AutopilotPlace().applyTo(journal);
    std::string bytes = JournalFile::encode(journal);
    now.applyTo(journal);
    bytes.push_back(journal.encrypted ? '\1' : '\0');
    return bytes;
}

bool restore(const std::string& snapshot, CPavexDoc& journal) {
    if (snapshot.empty()) {
        return false;
    }
    JournalRecord read;
    // No gate: the password is the snapshot's own and nobody is asked for it.
    const std::string_view record(snapshot.data(), snapshot.size() - 1);
    if (!JournalFile::decodeOrdinary(record, read).ok()) {
        return false;
    }
    read.encrypted = snapshot.back() != '\0';
    AutopilotPlace::of(journal).applyTo(read);
    static_cast<JournalRecord&>(journal) = std::move(read);
    return true;
}

} // namespace JournalSnapshot
