// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/JournalAccess.h"

#include "tools/Command.h"
#include "tools/ToolFiles.h"

#include "model/JournalFile.h"
#include "tools/TextIntake.h"

JournalRecord readJournalForCommand(const std::string& path, const std::optional<std::string>& password) {
    const JournalFile::PasswordGate gate = [&password](const JournalFile::PasswordCheck& isRight) {
        if (!password) {
            return JournalFile::PasswordVerdict::Cancelled;
        }
        return isRight(*password) ? JournalFile::PasswordVerdict::Continue : JournalFile::PasswordVerdict::Wrong;
    };
    JournalRecord journal;
    const ReadOutcome outcome = JournalFile::decode(readInputFile(path), journal, gate);
    if (outcome.status == ReadStatus::Cancelled) {
        throw CommandFailure(path + " is protected by a password: give it with --password");
    }
    if (outcome.status == ReadStatus::WrongPassword) {
        throw CommandFailure(journaltext::kWrongPassword);
    }
    requireReadable(path, outcome);
    return journal;
}

std::optional<std::string> passwordOption(const ParsedArguments& arguments, const char* name) {
    if (const std::string* given = arguments.option(name)) {
        return textintake::fromUtf8(*given, name);
    }
    return std::nullopt;
}
