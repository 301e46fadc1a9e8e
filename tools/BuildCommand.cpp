// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/BuildCommand.h"

#include "tools/FileKind.h"
#include "tools/JsonCodec.h"
#include "tools/ToolFiles.h"

#include "model/JournalFile.h"
#include "model/RoleFile.h"
#include "model/SealedJournal.h"

namespace {

Json parseJson(const std::string& name, const std::string& text) {
    try {
        return Json::parse(text);
    } catch (const Json::parse_error& error) {
        // Drop the library's "[json.exception.parse_error.101] " tag; keep its position and reason.
        std::string message = error.what();
        if (const auto tagEnd = message.find("] "); message.starts_with("[json.exception") && tagEnd != message.npos) {
            message.erase(0, tagEnd + 2);
        }
        throw CommandFailure(name + ": " + message);
    }
}

// Sealed when the JSON says "encrypted": 1.
std::string storedJournal(const JournalRecord& journal) {
    std::optional<std::string> bytes = SealedJournal::encodeStored(journal);
    if (!bytes) {
        throw CommandFailure("there is not enough memory to encrypt the journal");
    }
    return std::move(*bytes);
}

// The bytes of the file the JSON describes, as the suite's writers produce them.
std::string encodeDescribedFile(const JsonField& root) {
    const JsonField kindField = root.member("kind");
    const auto kind = fileKindFromName(kindField.asText());
    if (!kind) {
        kindField.fail("expected \"role\", \"journal\" or \"reply\"");
    }
    switch (*kind) {
    case FileKind::Role:
        return RoleFile::encode(jsoncodec::roleFromJson(root));
    case FileKind::Journal:
        return storedJournal(jsoncodec::journalFromJson(root));
    case FileKind::Reply:
        return jsoncodec::replyFromJson(root).encode();
    }
    return {};
}

void runBuild(const ParsedArguments& arguments, std::ostream&) {
    const std::string& jsonPath = arguments.positionals.at(0);
    const std::string& outPath = arguments.positionals.at(1);
    const std::string jsonName = jsonPath == "-" ? "standard input" : jsonPath;
    const Json json = parseJson(jsonName, readInputFile(jsonPath));
    std::string bytes;
    try {
        bytes = encodeDescribedFile(JsonField(json, ""));
    } catch (const JsonShapeError& error) {
        throw CommandFailure(jsonName + ": " + error.what());
    }
    writeOutputFile(outPath, bytes);
}

} // namespace

Command buildCommand() {
    return {"build",
            {"JSON", "OUT"},
            {},
            "Write the file a JSON description gives (its \"kind\" says which); JSON may be - for standard input.",
            &runBuild};
}
