// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/DateFormat.h"
#include "analysis/ListContent.h"
#include "analysis/ProgressComparison.h"

#include <optional>
#include <string>

// The Progress branch: what changed since an earlier journal, as list pages of the later one.
namespace progresspages {

inline constexpr const char* kTitlePrefix = "Progress: ";
inline constexpr const char* kDevelopmentAreas = "Development areas";
inline constexpr const char* kCompetencies = "Competencies";
inline constexpr const char* kBehaviours = "Behaviours";
inline constexpr const char* kByRelationship = "By relationship";
inline constexpr const char* kNotCompared = "Not compared";

inline constexpr const char* kSameJournal = "Sorry, a journal cannot be compared with itself.";
inline constexpr const char* kNothingInCommon =
    "Sorry, the two journals have no behaviour in common, so there is nothing to compare.";
inline constexpr const char* kLaterIsOlder = "The journal you chose has later feedback than this one.";

// "Progress since " + the date of the earlier journal's last included questionnaire ("Progress since
// an earlier journal" when it has none).
std::string branchLabel(const std::optional<OleDate>& earlierDate, const DateFormatter& formatDate);

// A figure as the pages print it: two decimals, empty without a value; a change with its sign.
std::string figureText(double value);
std::string changeText(const progress::Change& change);

// One Progress page. The earlier journal must outlive the page, as the later one does.
class ProgressContent : public TableContent {
public:
    enum class Which { DevelopmentAreas, Competencies, Behaviours, ByRelationship, NotCompared };

    ProgressContent(const JournalRecord& later, const JournalRecord& earlier, Which which, DateFormatter formatDate);
    void refresh() override;
    Which which() const { return m_which; }

    // The Competencies page draws the others' average then and now as a pair of bars in the column
    // kBarsColumn; its cell text holds the same figures for readers and searches.
    static constexpr std::size_t kBarsColumn = 1;
    struct PairedBars {
        progress::Change others;
        std::int32_t axisMaximum = 0;
    };
    const std::vector<PairedBars>& bars() const { return m_bars; }

private:
    const JournalRecord& m_earlier;
    Which m_which;
    std::vector<PairedBars> m_bars; // one a row of the Competencies page
};

} // namespace progresspages
