// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/RoleCommand.h"

#include "tools/ToolFiles.h"

#include "kvrole/core/CsvMerge.h"
#include "kvrole/core/LineText.h"
#include "model/RoleFile.h"
#include "model/Windows1252.h"
#include "tools/TextIntake.h"

#include <string>

namespace {

// The about file: the role's name on the first line, its description on the lines after it. Its
// bytes go into the role as they are, so it is written in the files' code page (plain ASCII will do).
void applyAbout(const std::string& text, CRole& role) {
    std::string normalised;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r') {
            if (at + 1 < text.size() && text[at + 1] == '\n') {
                continue;
            }
            normalised += '\n';
        } else {
            normalised += text[at];
        }
    }
    const std::size_t endOfName = std::min(normalised.find('\n'), normalised.size());
    role.name = normalised.substr(0, endOfName);
    std::string description = endOfName < normalised.size() ? normalised.substr(endOfName + 1) : std::string();
    while (!description.empty() && description.back() == '\n') {
        description.pop_back();
    }
    // Multi-line texts in the files end their lines with CR LF, as the editor's description box does.
    role.description.clear();
    for (char c : description) {
        if (c == '\n') {
            role.description += '\r';
        }
        role.description += c;
    }
}

void runRole(const ParsedArguments& arguments, std::ostream& out) {
    const std::string& rolePath = arguments.positionals.at(0);
    const std::string& csvPath = *arguments.option("--csv");

    CRole role = CRole::makeDefault();
    if (const std::string* aboutPath = arguments.option("--about")) {
        applyAbout(readInputFile(*aboutPath), role);
    }
    const kvrole::LineText text = kvrole::csvText(readInputFile(csvPath));
    if (!text.unfitLines.empty() && !textintake::replacing()) {
        throw CommandFailure(csvPath + ": line " + std::to_string(text.unfitLines.front()) + ": " +
                             cp1252::refusal("a role") + " Nothing was written (" +
                             std::string(textintake::kReplaceOption) + " stores such characters as \"?\").");
    }
    const kvrole::CsvMergeResult merged = kvrole::CsvMerge(role).mergeText(text.cp1252);
    if (merged.skippedWhenFull > 0) {
        throw CommandFailure(csvPath + ": " + std::to_string(merged.skippedWhenFull) +
                             " lines do not fit in a role (at most 1024 competencies and 256 behaviours)");
    }
    writeOutputFile(rolePath, RoleFile::encode(role));
    out << role.framework.competencies.size() << " competencies, " << role.framework.behaviours.size()
        << " behaviours\n";
}

} // namespace

Command roleCommand() {
    return {"role",
            {"ROLE"},
            {{"--csv", "FILE.csv", true}, {"--about", "FILE.txt"}},
            "Write a new role profile whose behaviours and competencies come from a CSV file.",
            &runRole};
}
