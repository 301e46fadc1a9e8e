// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/RequestCommands.h"

#include "tools/ConsolePrompts.h"
#include "tools/JournalAccess.h"
#include "tools/TextIntake.h"
#include "tools/ToolFiles.h"

#include "mailreader/MailMerge.h"

#include "model/JournalFile.h"
#include "model/Requests.h"
#include "model/TextRules.h"
#include "model/Windows1252.h"

#include <iostream>

namespace {

void runRequest(const ParsedArguments& arguments, std::ostream&) {
    CPavexDoc journal;
    static_cast<JournalRecord&>(journal) =
        readJournalForCommand(arguments.positionals.at(0), passwordOption(arguments));
    ConsolePrompts prompts(std::cerr, false, std::nullopt);
    if (!requests::writeFeedbackRequest(journal, arguments.positionals.at(1), prompts)) {
        throw CommandFailure("no request written");
    }
}

std::int32_t relationshipOption(const ParsedArguments& arguments) {
    const std::string& text = *arguments.option("--relationship");
    if (text.size() != 1 || text[0] < '0' || text[0] > '5') {
        throw UsageError("--relationship must be a number from 0 to 5, not \"" + text + "\"");
    }
    return text[0] - '0';
}

// One digit per behaviour, each an option of that behaviour's scale.
std::vector<CResponse> answersFrom(const std::string& digits, const CPavexFramework& framework) {
    if (digits.size() != framework.behaviours.size()) {
        throw CommandFailure("--options needs one digit for each of the " +
                             std::to_string(framework.behaviours.size()) + " behaviours, not " +
                             std::to_string(digits.size()));
    }
    std::vector<CResponse> responses;
    for (std::size_t k = 0; k < digits.size(); ++k) {
        const CResponseScale* scale = framework.scaleOf(framework.behaviours[k]);
        const int option = digits[k] - '0';
        if (option < 0 || option > 9 || !scale || option >= scale->optionCount) {
            throw CommandFailure("--options: \"" + std::string(1, digits[k]) + "\" is not an answer of behaviour " +
                                 std::to_string(k + 1));
        }
        responses.push_back({static_cast<std::int32_t>(k), option});
    }
    return responses;
}

void runAnswer(const ParsedArguments& arguments, std::ostream&) {
    const std::string& path = arguments.positionals.at(0);
    const std::int32_t relationship = relationshipOption(arguments);
    ConsolePrompts prompts(std::cerr, false, std::nullopt);
    CPavexDoc request;
    if (!requests::openRequestToAnswer(path, request, prompts)) {
        throw CommandFailure("not answered");
    }
    if (const std::string refusal = requests::questionnaireRefusal(request.framework); !refusal.empty()) {
        throw CommandFailure(cp1252::toUtf8(refusal));
    }
    CPavexFeedback answers =
        requests::startAnswer(textintake::fromUtf8(*arguments.option("--name"), "--name"), relationship);
    answers.responses = answersFrom(*arguments.option("--options"), request.framework);
    if (const std::string* details = arguments.option("--details")) {
        answers.details = textintake::fromUtf8(*details, "--details");
    }
    if (!requests::completeRequest(request, answers, prompts)) {
        throw CommandFailure("not answered");
    }
}

// A completed file by its ending; anything else is saved mail (a message, an mbox or a Maildir).
bool isCompletedFile(const std::string& path) {
    return endsWithIgnoringCase(path, ".kvq") || endsWithIgnoringCase(path, ".kvi");
}

void runMerge(const ParsedArguments& arguments, std::ostream& out) {
    const std::string& journalPath = arguments.positionals.at(0);
    const std::string& source = arguments.positionals.at(1);
    CPavexDoc journal;
    static_cast<JournalRecord&>(journal) = readJournalForCommand(journalPath, passwordOption(arguments));
    if (journal.request != 0) {
        throw CommandFailure(cp1252::toUtf8(journaltext::kRequestFileRefused));
    }
    ConsolePrompts prompts(std::cerr, arguments.option("--yes") != nullptr,
                           passwordOption(arguments, "--reply-password"));
    if (isCompletedFile(source)) {
        if (!requests::mergeFile(journal, source, prompts)) {
            throw CommandFailure("not merged");
        }
        if (!JournalFile::save(journalPath, journal, prompts)) {
            throw CommandFailure("not merged");
        }
        return;
    }
    const mailmerge::Summary summary = mailmerge::mergeFromMail(journal, source, prompts);
    out << cp1252::toUtf8(summary.text()) << '\n';
    if (summary.merged && !JournalFile::save(journalPath, journal, prompts)) {
        throw CommandFailure("not merged");
    }
    if (!summary.complete()) {
        throw CommandFailure(summary.merged ? "not every reply was merged" : "nothing merged");
    }
}

} // namespace

Command requestCommand() {
    return {"request",
            {"JOURNAL", "OUT.kvq"},
            {{"--password", "P"}},
            "Write a feedback request from JOURNAL, as the journal program's Create Feedback Request does.",
            &runRequest};
}

Command answerCommand() {
    return {"answer",
            {"REQUEST"},
            {{"--name", "NAME", true},
             {"--relationship", "0-5", true},
             {"--options", "DIGITS", true},
             {"--details", "TEXT"}},
            "Answer a feedback request in place, one option digit per behaviour, as the reply program does.",
            &runAnswer};
}

Command mergeCommand() {
    return {"merge",
            {"JOURNAL", "FILE"},
            {{"--password", "P"}, {"--reply-password", "P"}, {"--yes", ""}},
            "Merge a completed request (.kvq) or web reply (.kvi) into JOURNAL and save it. Questions are "
            "answered Cancel unless --yes is given; messages go to standard error. FILE may also be saved "
            "mail (a message, an mbox file or a Maildir folder): every .kvi and .kvq attachment is merged "
            "in mail order, replies already in the journal are skipped, and a summary is printed; the exit "
            "status is 0 only when every reply found was merged or skipped.",
            &runMerge};
}
