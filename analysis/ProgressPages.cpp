// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ProgressPages.h"

#include "analysis/PageTexts.h"

#include <cmath>
#include <cstdio>

namespace progresspages {

namespace {

using Which = ProgressContent::Which;

// Marks a change the noise rule calls uncertain; the rule itself is the page's last row.
constexpr const char* kNoiseMark = " *";

const char* labelOf(Which which) {
    switch (which) {
    case Which::DevelopmentAreas:
        return kDevelopmentAreas;
    case Which::Competencies:
        return kCompetencies;
    case Which::Behaviours:
        return kBehaviours;
    case Which::ByRelationship:
        return kByRelationship;
    case Which::NotCompared:
        break;
    }
    return kNotCompared;
}

// Figures get at least seven characters, so that "+0.33 *" and "Others" fit their columns.
std::vector<TableColumn> columnsOf(Which which) {
    switch (which) {
    case Which::DevelopmentAreas:
        return {{"Behaviour", 6}, {"Actions", 6}, {"Others then", 3}, {"Others now", 3}, {"Change", 3}};
    case Which::Competencies:
        return {{"Competency", 4}, {"Others then and now", 5}, {"Change", 2}, {"Self then", 2}, {"Self now", 2}};
    case Which::Behaviours:
        return {{"Behaviour", 6}, {"Others then (answers)", 3}, {"Others now (answers)", 3}, {"Change", 2}};
    case Which::ByRelationship:
        return {{"Relationship", 4}, {"Then", 2}, {"Now", 2}, {"Change", 2}, {"Answers then", 2}, {"Answers now", 2}};
    case Which::NotCompared:
        break;
    }
    return {{"Not compared", 6}, {"Why", 3}};
}

// Rows grow to hold a longer text; these leave a wrapped statement, and the pair of bars, room to breathe.
int linesOf(Which which) {
    return which == Which::DevelopmentAreas ? 4 : 3;
}

std::string withAnswers(double figure, std::int32_t answers) {
    if (figure < 0.0) {
        return "";
    }
    return figureText(figure) + " (" + std::to_string(answers) + ")";
}

std::string noiseMarked(const progress::Change& change, double spread) {
    return changeText(change) + (progress::mayBeNoise(change, spread) ? kNoiseMark : "");
}

std::string actionsText(const std::vector<progress::ActionState>& actions) {
    std::string text;
    for (const progress::ActionState& action : actions) {
        text += (text.empty() ? "" : "\n") + action.action + (action.completed ? " (done)" : " (not done)");
    }
    return text;
}

TableRow noiseRuleRow(std::size_t columns) {
    TableRow row(columns);
    row[0] = std::string("* ") + progress::kNoiseRule;
    return row;
}

} // namespace

std::string branchLabel(const std::optional<OleDate>& earlierDate, const DateFormatter& formatDate) {
    if (!earlierDate) {
        return "Progress since an earlier journal";
    }
    const DateFormatter& format = formatDate ? formatDate : DateFormatter(formatDateInCLocale);
    return "Progress since " + format(*earlierDate, DateStyle::Long);
}

std::string figureText(double value) {
    if (value < 0.0 || !std::isfinite(value)) {
        return "";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string changeText(const progress::Change& change) {
    if (!change.comparable()) {
        return "";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%+.2f", change.difference());
    return text;
}

ProgressContent::ProgressContent(const JournalRecord& later, const JournalRecord& earlier, Which which,
                                 DateFormatter formatDate)
    : TableContent(later, kTitlePrefix + std::string(labelOf(which)), columnsOf(which), linesOf(which),
                   std::move(formatDate)),
      m_earlier(earlier), m_which(which) {}

void ProgressContent::refresh() {
    const JournalRecord& later = journal();
    const progress::Comparison comparison = progress::compare(m_earlier, later);
    m_rows.clear();
    m_bars.clear();
    switch (m_which) {
    case Which::DevelopmentAreas:
        for (const progress::DevelopmentProgress& area : comparison.development) {
            if (area.figures) {
                const progress::BehaviourProgress& f = *area.figures;
                m_rows.push_back({area.statement, actionsText(area.actions), figureText(f.others.then),
                                  figureText(f.others.now), noiseMarked(f.others, f.spread)});
            } else {
                m_rows.push_back({area.statement, actionsText(area.actions), "", "", "not in this role"});
            }
        }
        m_rows.push_back(noiseRuleRow(5));
        break;
    case Which::Competencies:
        for (const progress::CompetencyProgress& row : comparison.competencies) {
            m_rows.push_back({row.name, "Then " + figureText(row.others.then) + "\nNow " + figureText(row.others.now),
                              changeText(row.others), figureText(row.self.then), figureText(row.self.now)});
            m_bars.push_back({row.others, row.axisMaximum});
        }
        break;
    case Which::Behaviours:
        for (const progress::BehaviourProgress& row : comparison.behaviours) {
            m_rows.push_back({row.statement, withAnswers(row.others.then, row.othersAnswersThen),
                              withAnswers(row.others.now, row.othersAnswersNow), noiseMarked(row.others, row.spread)});
        }
        m_rows.push_back(noiseRuleRow(4));
        break;
    case Which::ByRelationship:
        for (const progress::GroupProgress& row : comparison.groups) {
            m_rows.push_back({pagetext::groupLabel(later, row.group), figureText(row.average.then),
                              figureText(row.average.now), changeText(row.average), std::to_string(row.answersThen),
                              std::to_string(row.answersNow)});
        }
        break;
    case Which::NotCompared: {
        const auto add = [this](const std::string& text, const char* why) { m_rows.push_back({text, why}); };
        for (const std::int32_t b : comparison.matching.unmatchedEarlier) {
            add(m_earlier.framework.behaviours[static_cast<std::size_t>(b)].statement, "Only in the earlier journal");
        }
        for (const std::int32_t b : comparison.matching.unmatchedLater) {
            add(later.framework.behaviours[static_cast<std::size_t>(b)].statement, "Only in this journal");
        }
        for (const progress::BehaviourPair& pair : comparison.matching.incomparable) {
            add(later.framework.behaviours[static_cast<std::size_t>(pair.later)].statement,
                "Answered on another scale");
        }
        for (const std::int32_t c : comparison.unmatchedEarlierCompetencies) {
            add(m_earlier.framework.competencies[static_cast<std::size_t>(c)].name,
                "Competency only in the earlier journal");
        }
        for (const std::int32_t c : comparison.unmatchedLaterCompetencies) {
            add(later.framework.competencies[static_cast<std::size_t>(c)].name, "Competency only in this journal");
        }
        break;
    }
    }
}

} // namespace progresspages
