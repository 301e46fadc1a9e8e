// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/pages/report/FeedbackReport.h"
#include "model/PavexDoc.h"

#include <QPageSize>
#include <QString>

// The journal's feedback report as a PDF: the summary first, then every page of its contents, dates
// in the user's locale. The questionnaires' pages, which name the assessors, only `withNames`.
// With an earlier journal of the same person, the Progress pages are added.
// False when the file cannot be written or the report was cancelled through `run`. Needs a GUI
// application.
bool writeJournalReport(const JournalRecord& journal, const QString& pdfPath, bool withNames = false,
                        const QPageSize& paper = QPageSize(QPageSize::A4), ReportRun* run = nullptr,
                        const JournalRecord* earlier = nullptr);
