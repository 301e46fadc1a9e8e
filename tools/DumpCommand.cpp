#include "tools/DumpCommand.h"

#include "tools/FileKind.h"
#include "tools/JsonCodec.h"
#include "tools/ToolFiles.h"

#include "model/JournalFile.h"
#include "model/RoleFile.h"
#include "model/Windows1252.h"

#include <iomanip>
#include <optional>

namespace {

FileKind kindToRead(const ParsedArguments& arguments, const std::string& path) {
    if (const std::string* name = arguments.option("--kind")) {
        if (const auto kind = fileKindFromName(*name)) {
            return *kind;
        }
        throw UsageError("--kind must be role, journal or reply, not \"" + *name + "\"");
    }
    if (const auto kind = fileKindFromPath(path)) {
        return *kind;
    }
    throw UsageError("cannot tell the kind of \"" + path +
                     "\" from its extension (.kvr, .kva, .kvq, .kvi); give --kind role|journal|reply");
}

Json dumpRole(const std::string& path, std::string_view bytes) {
    CRole role;
    requireReadable(path, RoleFile::decode(bytes, role));
    return jsoncodec::roleToJson(role);
}

// A protected journal (switch on, not a request file) needs the exact password; a request file
// never asks for one.
Json dumpJournal(const std::string& path, std::string_view bytes, const std::optional<std::string>& password) {
    const JournalFile::PasswordGate gate = [&password](const std::string& storedPassword) {
        if (!password) {
            return JournalFile::PasswordVerdict::Cancelled;
        }
        return *password == storedPassword ? JournalFile::PasswordVerdict::Continue
                                           : JournalFile::PasswordVerdict::Wrong;
    };
    JournalRecord journal;
    const ReadOutcome outcome = JournalFile::decode(bytes, journal, gate);
    if (outcome.result == ReadOutcome::Result::Cancelled) {
        throw CommandFailure(path + " is protected by a password: give it with --password");
    }
    if (outcome.result == ReadOutcome::Result::WrongPassword) {
        throw CommandFailure(journaltext::kWrongPassword);
    }
    requireReadable(path, outcome);
    return jsoncodec::journalToJson(journal);
}

// A reply is shown as it stands: its password is asked only when it is merged into a journal.
Json dumpReply(const std::string& path, std::string_view bytes) {
    CWebReply reply;
    requireReadable(path, reply.decode(bytes));
    return jsoncodec::replyToJson(reply);
}

void runDump(const ParsedArguments& arguments, std::ostream& out) {
    const std::string& path = arguments.positionals.at(0);
    const FileKind kind = kindToRead(arguments, path);
    std::optional<std::string> password;
    if (const std::string* given = arguments.option("--password")) {
        password = cp1252::fromUtf8(*given);
    }
    const std::string bytes = readInputFile(path);

    Json json;
    switch (kind) {
    case FileKind::Role:
        json = dumpRole(path, bytes);
        break;
    case FileKind::Journal:
        json = dumpJournal(path, bytes, password);
        break;
    case FileKind::Reply:
        json = dumpReply(path, bytes);
        break;
    }
    out << std::setw(2) << json << '\n'; // streamed: no second copy of a large file in memory
}

} // namespace

Command dumpCommand() {
    return {"dump",
            {"FILE"},
            {{"--password", "P"}, {"--kind", "role|journal|reply"}},
            "Print a role (.kvr), journal or request (.kva, .kvq) or web reply (.kvi) file as JSON.",
            &runDump};
}
