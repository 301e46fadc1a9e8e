// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/NewCommand.h"

#include "tools/ToolFiles.h"

#include "model/JournalFile.h"
#include "model/RoleFile.h"
#include "tools/TextIntake.h"

namespace {

void runNew(const ParsedArguments& arguments, std::ostream&) {
    const std::string& journalPath = arguments.positionals.at(0);
    const std::string& rolePath = *arguments.option("--role");

    CRole role;
    requireReadable(rolePath, RoleFile::decode(readInputFile(rolePath), role));

    CPavexDoc journal;
    journal.newJournal();
    // Command-line texts are UTF-8; the files hold Windows-1252.
    if (const std::string* person = arguments.option("--person")) {
        journal.person = textintake::fromUtf8(*person, "--person");
    }
    if (const std::string* password = arguments.option("--password")) {
        journal.password = textintake::fromUtf8(*password, "--password");
    }
    journal.chooseRole(role);
    writeOutputFile(journalPath, JournalFile::encode(journal));
}

} // namespace

Command newCommand() {
    return {"new",
            {"JOURNAL"},
            {{"--role", "ROLE.kvr", true}, {"--person", "NAME"}, {"--password", "P"}},
            "Write a new journal with the role of ROLE.kvr chosen.",
            &runNew};
}
