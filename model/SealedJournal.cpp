// SPDX-License-Identifier: GPL-3.0-or-later
#include "SealedJournal.h"

#include "vault/Envelope.h"

namespace SealedJournal {
namespace {

ReadOutcome outcomeOf(const vault::Problem& problem) {
    switch (problem.verdict) {
    case vault::Verdict::Ok:
        return {};
    case vault::Verdict::Unsupported:
        return {ReadStatus::Unsupported, problem.text};
    case vault::Verdict::WrongKey:
        return {ReadStatus::WrongPassword, {}};
    case vault::Verdict::Damaged:
        break;
    }
    return {ReadStatus::Corrupt, problem.text};
}

// Into a record of its own, so that the caller's record is filled only once every check passed.
ReadOutcome unseal(std::string_view bytes, const vault::SealKey& key, JournalRecord& opened) {
    std::string plain;
    vault::WipeOnExit wipePlain(plain);
    if (const vault::Problem problem = vault::unsealWithKey(bytes, key, plain); !problem.ok()) {
        return outcomeOf(problem);
    }
    // The key proved the password, so the journal inside is read without asking again.
    const ReadOutcome outcome = JournalFile::decodeOrdinary(plain, opened);
    opened.encrypted = true;
    return outcome;
}

} // namespace

bool sealsOnSave(const JournalRecord& record) {
    return record.encrypted && !record.password.empty() && record.request == 0;
}

std::optional<std::string> encodeStored(const JournalRecord& record) {
    std::string plain = JournalFile::encode(record);
    if (!sealsOnSave(record)) {
        return plain;
    }
    vault::WipeOnExit wipePlain(plain);
    return vault::seal(plain, record.password);
}

ReadOutcome decode(std::string_view bytes, JournalRecord& record, const JournalFile::PasswordGate& gate) {
    vault::EnvelopeHead head;
    if (const vault::Problem problem = vault::readHead(bytes, head); !problem.ok()) {
        return outcomeOf(problem);
    }
    if (!gate) {
        return {ReadStatus::Unsupported, "it is an encrypted journal"};
    }
    vault::SealKey key;
    bool keyFound = false;
    bool outOfMemory = false;
    std::string password;
    const JournalFile::PasswordCheck isRight = [&](const std::string& typed) {
        if (!vault::deriveKey(typed, head, key)) {
            outOfMemory = true;
            return false;
        }
        keyFound = vault::keyMatches(bytes, key);
        if (keyFound) {
            password = typed;
        }
        return keyFound;
    };
    const JournalFile::PasswordVerdict verdict = gate(isRight);
    if (outOfMemory && !keyFound) {
        return {ReadStatus::Unreadable, "there is not enough memory to work out its key"};
    }
    if (verdict == JournalFile::PasswordVerdict::Wrong) {
        return {ReadStatus::WrongPassword, {}};
    }
    if (verdict == JournalFile::PasswordVerdict::Cancelled || !keyFound) {
        return {ReadStatus::Cancelled, {}};
    }
    JournalRecord opened;
    const ReadOutcome outcome = unseal(bytes, key, opened);
    vault::WipeOnExit wipePassword(password);
    if (!outcome.ok()) {
        return outcome;
    }
    if (opened.password != password) {
        return {ReadStatus::Corrupt, "the encrypted journal does not match its password"};
    }
    record = std::move(opened);
    return {};
}

ReadOutcome decodeWithKey(std::string_view bytes, const vault::SealKey& key, JournalRecord& record) {
    JournalRecord opened;
    const ReadOutcome outcome = unseal(bytes, key, opened);
    if (outcome.ok()) {
        record = std::move(opened);
    }
    return outcome;
}

} // namespace SealedJournal
