// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ExportCommand.h"

#include "tools/CompareCommand.h"
#include "tools/JournalAccess.h"
#include "tools/ToolFiles.h"

#include "analysis/ResultsCsv.h"

namespace {

void runExport(const ParsedArguments& arguments, std::ostream&) {
    const bool everyAnswer = arguments.option("--responses") != nullptr;
    const std::string* earlierPath = arguments.option("--compare");
    if (earlierPath != nullptr && everyAnswer) {
        throw UsageError("--compare goes with the rows per behaviour, not with --responses");
    }
    if (earlierPath != nullptr) {
        const ComparedJournals journals =
            readComparedJournals(*earlierPath, passwordOption(arguments, "--password-earlier"),
                                 arguments.positionals.at(0), passwordOption(arguments));
        writeOutputFile(*arguments.option("-o"), resultscsv::behaviours(journals.later, &journals.earlier));
        return;
    }
    const JournalRecord journal = readJournalForCommand(arguments.positionals.at(0), passwordOption(arguments));
    writeOutputFile(*arguments.option("-o"),
                    everyAnswer ? resultscsv::responses(journal) : resultscsv::behaviours(journal));
}

} // namespace

Command exportCommand() {
    return {"export",
            {"JOURNAL"},
            {{"-o", "FILE.csv", true},
             {"--responses", ""},
             {"--password", "P"},
             {"--compare", "EARLIER.kva"},
             {"--password-earlier", "P"}},
            "Write the journal's results as CSV for spreadsheets: one row per behaviour in the order of the "
            "Behaviours ranking, or with --responses one row per answer. --compare adds the others' average then "
            "and now and the change, after the other columns.",
            &runExport};
}
