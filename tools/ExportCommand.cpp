#include "tools/ExportCommand.h"

#include "tools/JournalAccess.h"
#include "tools/ToolFiles.h"

#include "analysis/ResultsCsv.h"

namespace {

void runExport(const ParsedArguments& arguments, std::ostream&) {
    const JournalRecord journal = readJournalForCommand(arguments.positionals.at(0), passwordOption(arguments));
    const bool everyAnswer = arguments.option("--responses") != nullptr;
    writeOutputFile(*arguments.option("-o"),
                    everyAnswer ? resultscsv::responses(journal) : resultscsv::behaviours(journal));
}

} // namespace

Command exportCommand() {
    return {"export",
            {"JOURNAL"},
            {{"-o", "FILE.csv", true}, {"--responses", ""}, {"--password", "P"}},
            "Write the journal's results as CSV for spreadsheets: one row per behaviour in the order of the "
            "Behaviours ranking, or with --responses one row per answer.",
            &runExport};
}
