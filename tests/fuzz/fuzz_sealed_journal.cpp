// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as an encrypted journal, opened with a fixed key (no key derivation per input):
// no crash, no leak, nothing accepted that was not sealed with the key. The first byte picks how
// deep the input gets:
//   0  the rest as an envelope, as it stands;
//   1  the rest as an envelope whose key check and checksum are made to match, so that the
//      parameters, the cipher and its authentication are reached;
//   2  the rest as a journal's ordinary bytes, sealed here and then opened: it must open exactly
//      when the ordinary reader takes the bytes, and give the same record.
#include "model/JournalFile.h"
#include "model/SealedJournal.h"
#include "tests/fuzz/FixedSealKey.h"

#include <sodium.h>

#include <cstdlib>

namespace {

void makeChecksMatch(std::string& bytes, const vault::SealKey& key) {
    if (bytes.size() < vault::kOverhead) {
        return;
    }
    auto* data = reinterpret_cast<unsigned char*>(bytes.data());
    crypto_generichash(data + 64, 16, data, 64, key.data(), vault::kKeySize);
    crypto_generichash(data + bytes.size() - 16, 16, data, bytes.size() - 16, nullptr, 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static vault::SealKey key;
    static const bool keyReady = (fillFixedSealKey(key), true);
    (void)keyReady;

    std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    JournalRecord record;
    switch (data[0] % 3) {
    case 0:
        (void)SealedJournal::decodeWithKey(rest, key, record);
        break;
    case 1:
        makeChecksMatch(rest, key);
        (void)SealedJournal::decodeWithKey(rest, key, record);
        break;
    default: {
        const std::string sealed = vault::sealWithKey(rest, key, fixedSealHead());
        JournalRecord ordinary;
        const bool plainReads = JournalFile::decodeOrdinary(rest, ordinary).ok();
        const bool sealedReads = SealedJournal::decodeWithKey(sealed, key, record).ok();
        if (plainReads != sealedReads) {
            std::abort();
        }
        ordinary.encrypted = true; // the one thing the envelope adds
        if (plainReads && !(ordinary == record)) {
            std::abort();
        }
        break;
    }
    }
    return 0;
}
