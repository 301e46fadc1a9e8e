// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as a journal: no crash, no leak, and whatever reads cleanly writes back to a
// record that reads the same.
#include "model/JournalFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    JournalRecord record;
    const auto letThrough = [](const JournalFile::PasswordCheck&) { return JournalFile::PasswordVerdict::Continue; };
    if (!JournalFile::decode(bytes, record, letThrough).ok()) {
        return 0;
    }
    JournalRecord again;
    if (!JournalFile::decode(JournalFile::encode(record), again).ok()) {
        std::abort();
    }
    // The switch and seed are recomputed from the password on writing; everything else must match.
    again.scrambleSwitch = record.scrambleSwitch;
    again.seed = record.seed;
    record.framework.version = again.framework.version;
    for (std::size_t i = 0; i < record.actions.size(); ++i) {
        record.actions[i].version = again.actions[i].version;
    }
    if (!record.framework.hasDescriptions()) {
        again.framework.description = record.framework.description;
    }
    if (!(again == record)) {
        std::abort();
    }
    return 0;
}
