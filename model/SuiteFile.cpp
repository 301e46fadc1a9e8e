// SPDX-License-Identifier: GPL-3.0-or-later
#include "SuiteFile.h"

#include "AtomicFile.h"
#include "UserPrompts.h"
#include "Windows1252.h"

#include <filesystem>

namespace SuiteFile {

ReadOutcome read(const std::string& path, const Decoder& decode) {
    std::string error;
    const std::optional<std::string> bytes = readWholeFile(path, &error);
    if (!bytes) {
        return {ReadStatus::Unreadable, error};
    }
    return decode(*bytes);
}

ReadOutcome readTelling(const std::string& path, const Decoder& decode, UserPrompts& prompts) {
    const ReadOutcome outcome = read(path, decode);
    const std::string message = readFailureMessage(path, outcome);
    if (!message.empty()) {
        prompts.message(message);
    }
    return outcome;
}

std::string readFailureMessage(const std::string& path, const ReadOutcome& outcome) {
    return readFailureMessageNamed(displayName(path), outcome);
}

std::string readFailureMessageNamed(const std::string& shownName, const ReadOutcome& outcome) {
    switch (outcome.status) {
    case ReadStatus::Ok:
    case ReadStatus::Cancelled:
    case ReadStatus::WrongPassword:
        return {};
    case ReadStatus::Unreadable:
        return "Sorry, cannot open " + shownName + ": " + outcome.problem + ".";
    case ReadStatus::Unsupported:
        return "Sorry, " + shownName + " cannot be read: " + outcome.problem + ".";
    case ReadStatus::Truncated:
    case ReadStatus::Corrupt:
        break;
    }
    return "Sorry, " + shownName + " is damaged and cannot be read: " + outcome.problem + ".";
}

std::string displayName(const std::string& path) {
    return cp1252::fromUtf8(std::filesystem::path(path).filename().string());
}

} // namespace SuiteFile
