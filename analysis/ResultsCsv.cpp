// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ResultsCsv.h"

#include "analysis/ProgressComparison.h"

#include "analysis/DateFormat.h"
#include "analysis/FrequencyTable.h"
#include "analysis/JournalFacts.h"
#include "analysis/ResultList.h"
#include "model/Windows1252.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <vector>

namespace resultscsv {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kRecordEnd = "\r\n";

// Fields already in their CSV form, joined into records.
class CsvWriter {
public:
    CsvWriter() { m_text.append(kByteOrderMark); }
    void text(std::string_view windows1252) { add(textField(windows1252)); }
    void number(double value) {
        if (value < CScoreItem::kAverageTolerance) {
            add({}); // the statistics' "no value"
            return;
        }
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value); // shortest exact form
        add(std::string(buffer, result.ptr));
    }
    // A change, which may be below zero.
    void signedNumber(double value) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        add(std::string(buffer, result.ptr));
    }
    void count(long long value) { add(value > 0 ? std::to_string(value) : std::string()); }
    void integer(long long value) { add(std::to_string(value)); }
    void endRecord() {
        m_text.append(kRecordEnd);
        m_fresh = true;
    }
    std::string take() { return std::move(m_text); }

private:
    void add(const std::string& field) {
        if (!m_fresh) {
            m_text.push_back(',');
        }
        m_text.append(field);
        m_fresh = false;
    }
    std::string m_text;
    bool m_fresh = true;
};

std::string competencyOf(const CPavexFramework& framework, std::int32_t behaviour) {
    if (behaviour < 0 || static_cast<std::size_t>(behaviour) >= framework.behaviours.size()) {
        return {};
    }
    const std::int32_t competency = framework.behaviours[behaviour].competency;
    return competency >= 0 && static_cast<std::size_t>(competency) < framework.competencies.size()
               ? framework.competencies[competency].name
               : std::string();
}

std::string statementOf(const CPavexFramework& framework, std::int32_t behaviour) {
    return behaviour >= 0 && static_cast<std::size_t>(behaviour) < framework.behaviours.size()
               ? framework.behaviours[behaviour].statement
               : std::string();
}

// The labels of the options Self chose for the behaviour, as the frequency page counts them; more
// than one only when the journal holds several Self questionnaires that differ.
std::string selfAnswers(const JournalRecord& journal, std::int32_t behaviour) {
    CFrequencyTable table(behaviour);
    table.refresh(journal);
    const CResponseScale* scale = journalfacts::scaleOfBehaviour(journal.framework, behaviour);
    std::string labels;
    for (int option = 0; scale != nullptr && option < table.optionCount(); ++option) {
        if (table.count(option, 0) > 0) {
            labels += (labels.empty() ? "" : "; ") + scale->labels[static_cast<std::size_t>(option)];
        }
    }
    return labels;
}

long long actionsOf(const JournalRecord& journal, std::int32_t behaviour) {
    return std::count_if(journal.actions.begin(), journal.actions.end(),
                         [behaviour](const CPavexAction& action) { return action.behaviour == behaviour; });
}

std::string isoDate(const OleDate& date) {
    const std::optional<CalendarDate> day = calendarDateOf(date);
    if (!day) {
        return {};
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", day->year, day->month, day->day);
    return buffer;
}

} // namespace

std::string textField(std::string_view windows1252) {
    std::string utf8 = cp1252::toUtf8(windows1252);
    if (!utf8.empty() && std::string_view("=+-@\t\r").find(utf8.front()) != std::string_view::npos) {
        utf8.insert(utf8.begin(), '\'');
    }
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) {
        return utf8;
    }
    std::string quoted = "\"";
    for (const char c : utf8) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string behaviours(const JournalRecord& journal, const JournalRecord* earlier) {
    // The others' average then and now of each behaviour of this journal that has a partner.
    std::vector<const progress::BehaviourProgress*> progressOf(journal.framework.behaviours.size(), nullptr);
    progress::Comparison comparison;
    if (earlier != nullptr) {
        comparison = progress::compare(*earlier, journal);
        for (const progress::BehaviourProgress& row : comparison.behaviours) {
            progressOf[static_cast<std::size_t>(row.pair.later)] = &row;
        }
    }
    CResultList list = CResultList::behaviours(journal.framework, CResultList::kAllBehaviours);
    list.refresh(journal);

    CsvWriter csv;
    csv.text(journal.competencyTerm);
    csv.text(journal.behaviourTerm);
    csv.text("Average");
    for (const std::string& label : journal.relationshipLabels) {
        csv.text(label + " average");
        csv.text(label + " lowest");
        csv.text(label + " highest");
        csv.text(label + " questionnaires");
    }
    csv.text(journal.relationshipLabels[0] + " answer");
    csv.text("Marked for development");
    csv.text("Actions");
    if (earlier != nullptr) {
        csv.text("Others' average earlier");
        csv.text("Others' average now");
        csv.text("Change");
    }
    csv.endRecord();

    for (std::size_t rank = 0; rank < list.size(); ++rank) {
        const CScoreItem& item = list.at(rank);
        csv.text(competencyOf(journal.framework, item.index()));
        csv.text(item.name());
        csv.number(item.overallAverage());
        for (int g = 0; g < kRelationshipCount; ++g) {
            csv.number(item.groupAverage(g));
            csv.number(item.lowestAverage(g));
            csv.number(item.highestAverage(g));
            // Each questionnaire answers a behaviour once, so the answers an average counts are
            // the questionnaires behind it.
            csv.count(item.groupAverage(g) < CScoreItem::kAverageTolerance ? 0 : item.groupAnswers(g));
        }
        csv.text(selfAnswers(journal, item.index()));
        csv.text(item.marked() ? "Yes" : "No");
        csv.integer(actionsOf(journal, item.index()));
        if (earlier != nullptr) {
            const std::size_t b = static_cast<std::size_t>(item.index());
            const progress::BehaviourProgress* row = b < progressOf.size() ? progressOf[b] : nullptr;
            csv.number(row != nullptr ? row->others.then : CScoreItem::kNoValue);
            csv.number(row != nullptr ? row->others.now : CScoreItem::kNoValue);
            if (row != nullptr && row->others.comparable()) {
                csv.signedNumber(row->others.difference());
            } else {
                csv.number(CScoreItem::kNoValue);
            }
        }
        csv.endRecord();
    }
    return csv.take();
}

std::string responses(const JournalRecord& journal) {
    CsvWriter csv;
    for (const char* header : {"Assessor", "Relationship", "Date"}) {
        csv.text(header);
    }
    csv.text(journal.competencyTerm);
    csv.text(journal.behaviourTerm);
    csv.text("Answer");
    csv.text("Value");
    csv.endRecord();

    for (const CPavexFeedback& questionnaire : journal.questionnaires) {
        if (!journalfacts::countsInResults(questionnaire)) {
            continue;
        }
        const std::string date = isoDate(questionnaire.date);
        for (const CResponse& response : questionnaire.responses) {
            const std::optional<journalfacts::CheckedAnswer> answer =
                journalfacts::checkAnswer(journal.framework, response);
            if (!answer) {
                continue;
            }
            const CResponseScale* scale = journalfacts::scaleOfBehaviour(journal.framework, answer->behaviour);
            csv.text(questionnaire.assessor);
            csv.text(journal.relationshipLabels[static_cast<std::size_t>(questionnaire.relationship)]);
            csv.text(date);
            csv.text(competencyOf(journal.framework, answer->behaviour));
            csv.text(statementOf(journal.framework, answer->behaviour));
            csv.text(scale->labels[static_cast<std::size_t>(answer->option)]);
            csv.integer(answer->score);
            csv.endRecord();
        }
    }
    return csv.take();
}

} // namespace resultscsv
