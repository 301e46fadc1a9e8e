// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/JournalReport.h"

#include "model/OleDate.h"
#include "pavex/editors/LocaleDates.h"

bool writeJournalReport(const JournalRecord& journal, const QString& pdfPath, bool withNames, const QPageSize& paper,
                        ReportRun* run, const JournalRecord* earlier) {
    ReportOptions options;
    options.pageSize = paper;
    options.withNames = withNames;
    options.formatDate = formatDateInUserLocale;
    options.madeOn = oledate::todayPlusDays(0);
    options.earlier = earlier;
    return writeFeedbackReport(journal, options, pdfPath, nullptr, run);
}
