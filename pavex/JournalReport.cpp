#include "pavex/JournalReport.h"

#include "analysis/ContentTree.h"
#include "analysis/pages/PageFactory.h"
#include "analysis/pages/PageOutput.h"
#include "pavex/editors/LocaleDates.h"
#include "ui/Cp1252Text.h"

#include <memory>
#include <vector>

bool writeJournalReport(const JournalRecord& journal, const QString& pdfPath) {
    ContentTree contents(journal, formatDateInUserLocale);
    contents.build();
    std::vector<std::unique_ptr<CResultPage>> pages;
    std::vector<CResultPage*> sheets;
    contents.forEachNode([&](ContentNode& node, int) {
        pages.push_back(makeResultPage(node.page()));
        pages.back()->refresh();
        sheets.push_back(pages.back().get());
    });
    return pageoutput::printToPdf(sheets, pdfPath, ui::fromCp1252(journal.person));
}
