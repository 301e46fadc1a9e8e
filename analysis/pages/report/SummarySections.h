// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/DateFormat.h"
#include "analysis/SummaryFigures.h"
#include "analysis/pages/report/SheetFlow.h"
#include "model/PavexDoc.h"

#include <QString>

// The sheets of the report's summary, each drawn into a flow from the journal and its figures.
// Texts of the journal are in its code page; the sections convert them.
struct SummaryInput {
    const JournalRecord& journal;
    const summaryfigures::Summary& summary;
    const DateFormatter& formatDate;
    OleDate madeOn;
    bool withNames = false;
};

namespace summarysections {

inline constexpr const char* kReportTitle = "360-degree feedback report";
inline constexpr const char* kContentsTitle = "Contents";
inline constexpr const char* kHowToReadTitle = "How to read this report";
inline constexpr const char* kStrengthsTitle = "Strengths and priorities";
inline constexpr const char* kDisagreementTitle = "Where you and others disagree";
inline constexpr const char* kCommentsTitle = "Comments";
inline constexpr const char* kPlanTitle = "Development plan";
inline constexpr const char* kDetailTitle = "All result pages";

void cover(SheetFlow& flow, const SummaryInput& input);
void howToRead(SheetFlow& flow, const SummaryInput& input);
void strengthsAndPriorities(SheetFlow& flow, const SummaryInput& input);
void disagreements(SheetFlow& flow, const SummaryInput& input);
void comments(SheetFlow& flow, const SummaryInput& input);
void developmentPlan(SheetFlow& flow, const SummaryInput& input);

// One line of the contents: a title, indented by depth, and its page number.
struct ContentsLine {
    QString title;
    int depth = 0;
    int page = 0; // none shown when 0
};
void contents(SheetFlow& flow, const std::vector<ContentsLine>& lines);

// A section's heading at the top of its sheet.
void heading(SheetFlow& flow, const QString& title);

} // namespace summarysections
