// SPDX-License-Identifier: GPL-3.0-or-later
// Open and save of the largest journal the files allow when it is stored encrypted, beside the
// key derivation alone: what encryption adds to the ordinary open and save measured next to them.

#include "bench/MaximalJournal.h"
#include "model/JournalFile.h"
#include "model/SealedJournal.h"
#include "vault/Envelope.h"

#include <benchmark/benchmark.h>

namespace {

const JournalRecord& encryptedMaximalJournal() {
    static const JournalRecord journal = [] {
        JournalRecord encrypted = maximalJournal();
        encrypted.encrypted = true;
        return encrypted;
    }();
    return journal;
}

const std::string& sealedMaximalJournal() {
    static const std::string bytes = SealedJournal::encodeStored(encryptedMaximalJournal()).value_or(std::string());
    return bytes;
}

JournalFile::PasswordVerdict typeThePassword(const JournalFile::PasswordCheck& isRight) {
    return isRight(maximalJournal().password) ? JournalFile::PasswordVerdict::Continue
                                              : JournalFile::PasswordVerdict::Wrong;
}

// Argon2id with the limits every save uses: the share of each encrypted open and save.
void BM_KeyDerivation(benchmark::State& state) {
    const vault::EnvelopeHead head = vault::freshHead();
    for (auto _ : state) {
        vault::SealKey key;
        if (!vault::deriveKey(maximalJournal().password, head, key)) {
            state.SkipWithError("no memory for the key derivation");
            break;
        }
        benchmark::DoNotOptimize(key.data());
    }
}
BENCHMARK(BM_KeyDerivation)->Unit(benchmark::kMillisecond)->UseRealTime();

// Encoding, a fresh key, sealing.
void BM_SaveMaximalEncryptedJournal(benchmark::State& state) {
    for (auto _ : state) {
        const std::optional<std::string> bytes = SealedJournal::encodeStored(encryptedMaximalJournal());
        if (!bytes) {
            state.SkipWithError("no memory for the key derivation");
            break;
        }
        benchmark::DoNotOptimize(bytes->data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sealedMaximalJournal().size()));
}
BENCHMARK(BM_SaveMaximalEncryptedJournal)->Unit(benchmark::kMillisecond)->UseRealTime();

// The checks, the key derivation, opening and reading, as Open does them.
void BM_LoadMaximalEncryptedJournal(benchmark::State& state) {
    const std::string& bytes = sealedMaximalJournal();
    for (auto _ : state) {
        JournalRecord journal;
        const ReadOutcome outcome = JournalFile::decode(bytes, journal, typeThePassword);
        if (!outcome.ok()) {
            state.SkipWithError(outcome.problem.c_str());
            break;
        }
        benchmark::DoNotOptimize(journal.questionnaires.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadMaximalEncryptedJournal)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same open with the key already derived: the cipher's and the reader's share.
void BM_LoadMaximalEncryptedJournalWithKey(benchmark::State& state) {
    const std::string& bytes = sealedMaximalJournal();
    vault::EnvelopeHead head;
    vault::SealKey key;
    if (!vault::readHead(bytes, head).ok() || !vault::deriveKey(maximalJournal().password, head, key)) {
        state.SkipWithError("the sealed journal's key cannot be derived");
        return;
    }
    for (auto _ : state) {
        JournalRecord journal;
        if (!SealedJournal::decodeWithKey(bytes, key, journal).ok()) {
            state.SkipWithError("the sealed journal does not open");
            break;
        }
        benchmark::DoNotOptimize(journal.questionnaires.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadMaximalEncryptedJournalWithKey)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
