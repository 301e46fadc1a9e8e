// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/ResultsExport.h"

#include "analysis/ResultsCsv.h"
#include "model/AtomicFile.h"
#include "model/PavexDoc.h"
#include "model/UserPrompts.h"
#include "model/Windows1252.h"

#include <filesystem>

bool exportResults(const CPavexDoc& journal, UserPrompts& prompts, const JournalRecord* earlier) {
    FileChoice choice;
    choice.title = exporttext::kExportTitle;
    choice.filters = {{exporttext::kCsvFilter, {"*.csv"}}};
    const std::string title = journal.title();
    const auto dot = title.rfind('.');
    choice.proposedName = (dot == std::string::npos ? title : title.substr(0, dot)) + ".csv";
    choice.defaultExtension = "csv";
    choice.confirmOverwrite = true;
    const std::optional<std::string> path = prompts.chooseSaveFile(choice);
    if (!path) {
        return false;
    }
    if (std::string error; !AtomicFile::write(*path, resultscsv::behaviours(journal, earlier), &error)) {
        prompts.message("Sorry, " + cp1252::fromUtf8(std::filesystem::path(*path).filename().string()) +
                        " could not be saved: " + error + ".");
        return false;
    }
    return true;
}
