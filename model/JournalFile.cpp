// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalFile.h"

#include "AtomicFile.h"
#include "SealedJournal.h"
#include "SuiteFile.h"
#include "UserPrompts.h"
#include "Windows1252.h"
#include "vault/Envelope.h"

#include <filesystem>

namespace JournalFile {
namespace {

void storeHeader(ArchiveWriter& out, const JournalRecord& record) {
    out.writeScrambleHeader(record.password);
    out.writeScrambledText(record.person);
    out.writeInt(record.request);
}

void storeBody(ArchiveWriter& out, const JournalRecord& record) {
    out.writeInt(static_cast<std::int32_t>(record.questionnaires.size()));
    out.writeInt(static_cast<std::int32_t>(record.actions.size()));
    for (std::int32_t colour : record.colours.relationships) {
        out.writeInt(colour);
    }
    out.writeInt(record.colours.average);
    out.writeInt(record.colours.background);
    out.writeInt(record.colours.lines);
    out.writeInt(record.colours.heading);
    for (const std::string& label : record.relationshipLabels) {
        out.writeText(label);
    }
    out.writeText(record.competencyTerm);
    out.writeText(record.behaviourTerm);
    out.writeText(record.roleName);
    out.writeText(record.reserved);
    out.writeInt(record.autopilotPage);
    for (std::int32_t edge : record.autopilotWindow) {
        out.writeInt(edge); // four little-endian integers make the 16-byte block
    }
    out.writeInt(record.autopilotShown);
    record.framework.store(out);
    for (const CPavexFeedback& questionnaire : record.questionnaires) {
        questionnaire.store(out);
    }
    for (const CPavexAction& action : record.actions) {
        action.store(out);
    }
}

void loadBody(ArchiveReader& in, JournalRecord& read) {
    const std::int32_t questionnaireCount = in.readCount(kMaxQuestionnaires, "questionnaires");
    const std::int32_t actionCount = in.readCount(kMaxActions, "actions");
    for (std::int32_t& colour : read.colours.relationships) {
        colour = in.readInt();
    }
    read.colours.average = in.readInt();
    read.colours.background = in.readInt();
    read.colours.lines = in.readInt();
    read.colours.heading = in.readInt();
    for (std::string& label : read.relationshipLabels) {
        label = in.readText();
    }
    read.competencyTerm = in.readText();
    read.behaviourTerm = in.readText();
    read.roleName = in.readText();
    read.reserved = in.readText();
    read.autopilotPage = in.readInt();
    for (std::int32_t& edge : read.autopilotWindow) {
        edge = in.readInt();
    }
    read.autopilotShown = in.readInt();
    if (!in.ok() || !read.framework.load(in)) {
        return;
    }
    read.questionnaires.resize(static_cast<std::size_t>(questionnaireCount));
    for (CPavexFeedback& questionnaire : read.questionnaires) {
        if (!questionnaire.load(in)) {
            return;
        }
    }
    read.actions.resize(static_cast<std::size_t>(actionCount));
    for (CPavexAction& action : read.actions) {
        if (!action.load(in)) {
            return;
        }
    }
}

} // namespace

std::string encode(const JournalRecord& record) {
    ArchiveWriter out;
    storeHeader(out, record);
    storeBody(out, record);
    return out.takeBytes();
}

ReadOutcome decode(std::string_view bytes, JournalRecord& record, const PasswordGate& gate) {
    if (vault::looksSealed(bytes)) {
        return SealedJournal::decode(bytes, record, gate);
    }
    return decodeOrdinary(bytes, record, gate);
}

ReadOutcome decodeOrdinary(std::string_view bytes, JournalRecord& record, const PasswordGate& gate) {
    ArchiveReader in(bytes);
    JournalRecord read;
    in.readScrambleHeader(read.scrambleSwitch, read.seed, read.password);
    read.person = in.readScrambledText();
    read.request = in.readInt();
    if (!in.ok()) {
        return ReadOutcome::fromReader(in);
    }
    if (gate && read.scrambleSwitch != 0 && read.request == 0) {
        const PasswordCheck isStored = [&read](const std::string& typed) { return typed == read.password; };
        switch (gate(isStored)) {
        case PasswordVerdict::Continue:
            break;
        case PasswordVerdict::Cancelled:
            return {ReadStatus::Cancelled, {}};
        case PasswordVerdict::Wrong:
            return {ReadStatus::WrongPassword, {}};
        }
    }
    loadBody(in, read);
    if (!in.ok()) {
        return ReadOutcome::fromReader(in);
    }
    record = std::move(read);
    return {};
}

PasswordGate askingGate(UserPrompts& prompts, int tries, std::string context) {
    return [&prompts, tries, context = std::move(context)](const PasswordCheck& isRight) {
        for (int attempt = 0; attempt < tries; ++attempt) {
            const std::optional<std::string> typed = prompts.askPassword(context);
            if (!typed) {
                return PasswordVerdict::Cancelled;
            }
            if (isRight(*typed)) {
                return PasswordVerdict::Continue;
            }
            prompts.message(journaltext::kWrongPassword);
        }
        return PasswordVerdict::Wrong;
    };
}

ReadOutcome read(const std::string& path, JournalRecord& record, UserPrompts& prompts, int passwordTries) {
    const PasswordGate gate = askingGate(prompts, passwordTries, SuiteFile::displayName(path));
    return SuiteFile::readTelling(
        path, [&](std::string_view bytes) { return decode(bytes, record, gate); }, prompts);
}

bool open(const std::string& path, CPavexDoc& doc, UserPrompts& prompts, ReadOutcome* outcome, int passwordTries) {
    JournalRecord record;
    const ReadOutcome result = read(path, record, prompts, passwordTries);
    if (outcome != nullptr) {
        *outcome = result;
    }
    if (!result.ok()) {
        return false;
    }
    if (record.request != 0) {
        prompts.message(journaltext::kRequestFileRefused);
        return false;
    }
    doc.openedFrom(std::move(record), path);
    return true;
}

bool save(const std::string& path, CPavexDoc& doc, UserPrompts& prompts) {
    const std::optional<std::string> bytes = SealedJournal::encodeStored(doc);
    if (!bytes) {
        prompts.message(
            "Sorry, " + SuiteFile::displayName(path) +
            " could not be saved: there is not enough memory to encrypt it. The file on disk is unchanged.");
        return false;
    }
    std::string error;
    if (!AtomicFile::write(path, *bytes, &error)) {
        prompts.message("Sorry, " + SuiteFile::displayName(path) + " could not be saved: " + error +
                        ". The file on disk is unchanged.");
        return false;
    }
    doc.path = path;
    doc.modified = false;
    return true;
}

} // namespace JournalFile
