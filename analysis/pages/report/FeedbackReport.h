// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/DateFormat.h"
#include "model/PavexDoc.h"

#include <QPageSize>
#include <QString>

#include <functional>
#include <optional>

// The feedback report as a PDF: a cover, the contents, a summary (how to read it, the competencies
// ranked, strengths and priorities, where Self and the others disagree, the comments, the
// development plan) and then every page of the journal's contents from a sheet of its own (pages
// without scores left out), with page numbers in the footers and bookmarks into every page.
struct ReportOptions {
    QPageSize pageSize{QPageSize::A4};
    // The list of questionnaires and each questionnaire's page name the assessors: they are left out
    // unless asked for.
    bool withNames = false;
    // Only the pages of the contents in tree order, every branch included, as the plain print of
    // every page: no summary, no page numbers, no bookmarks.
    bool pagesOnly = false;
    DateFormatter formatDate = formatDateInCLocale;
    // The day the report is made, shown on the cover.
    OleDate madeOn;
    // An earlier journal of the same person adds the Progress pages; it must outlive the writing.
    const JournalRecord* earlier = nullptr;
};

// How a caller follows a report being written, and what came of it.
struct ReportRun {
    // Told how many of `total` steps are done, from time to time; returning false cancels the report.
    std::function<bool(int done, int total)> progress;
    // Set once the report is written: its sheets.
    int sheets = 0;
    // Set when the progress callback cancelled the report.
    bool cancelled = false;
};

// Writes the report to `path` (replaced only when everything succeeded: a cancelled or failed
// report leaves no file and an earlier one as it was). Needs a GUI application. False with a reason
// in `failure` when it cannot be written or was cancelled.
bool writeFeedbackReport(const JournalRecord& journal, const ReportOptions& options, const QString& path,
                         QString* failure = nullptr, ReportRun* run = nullptr);

// The paper a name on the command line or in the settings stands for: "a4" or "letter", in any case.
std::optional<QPageSize> paperNamed(const QString& name);
