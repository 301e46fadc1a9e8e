// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/DumpCommand.h"

#include "tools/FileKind.h"
#include "tools/JournalAccess.h"
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

// A reply is shown as it stands: its password is asked only when it is merged into a journal.
Json dumpReply(const std::string& path, std::string_view bytes) {
    CWebReply reply;
    requireReadable(path, reply.decode(bytes));
    return jsoncodec::replyToJson(reply);
}

void runDump(const ParsedArguments& arguments, std::ostream& out) {
    const std::string& path = arguments.positionals.at(0);
    const FileKind kind = kindToRead(arguments, path);
    const std::optional<std::string> password = passwordOption(arguments);

    Json json;
    switch (kind) {
    case FileKind::Role:
        json = dumpRole(path, readInputFile(path));
        break;
    case FileKind::Journal:
        json = jsoncodec::journalToJson(readJournalForCommand(path, password));
        break;
    case FileKind::Reply:
        json = dumpReply(path, readInputFile(path));
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
