// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ListContent.h"

#include "analysis/PageTexts.h"

#include <utility>

namespace listrows {

namespace {

const char* yesNo(std::int32_t flag) {
    return flag != 0 ? pagetext::kYes : pagetext::kNo;
}

// Without a formatter from the program the C locale's forms are used.
std::string formatted(const DateFormatter& formatDate, const OleDate& date) {
    return formatDate ? formatDate(date, DateStyle::Long) : formatDateInCLocale(date, DateStyle::Long);
}

bool namesBehaviour(const JournalRecord& journal, std::int32_t behaviour) {
    return behaviour >= 0 && static_cast<std::size_t>(behaviour) < journal.framework.behaviours.size();
}

TableRow journalRow(const JournalRecord& journal, const CPavexAction& action, const DateFormatter& formatDate) {
    std::string behaviour =
        namesBehaviour(journal, action.behaviour) ? journal.framework.behaviours[action.behaviour].statement : "";
    return {std::move(behaviour), action.action, formatted(formatDate, action.doBy), yesNo(action.completed)};
}

} // namespace

const std::vector<TableColumn>& questionnaireListColumns() {
    static const std::vector<TableColumn> columns{
        {"Assessor", 4}, {"Reporting Relationship", 2}, {"Date of Assessment", 2}, {"Active", 2}};
    return columns;
}

const std::vector<TableColumn>& journalListColumns() {
    static const std::vector<TableColumn> columns{{"Behaviour", 4}, {"Action", 4}, {"Do By Date", 2}, {"Done", 2}};
    return columns;
}

std::vector<TableRow> questionnaireList(const JournalRecord& journal, const DateFormatter& formatDate) {
    std::vector<TableRow> rows;
    rows.reserve(journal.questionnaires.size());
    for (const CPavexFeedback& questionnaire : journal.questionnaires) {
        rows.push_back({questionnaire.assessor, pagetext::groupLabel(journal, questionnaire.relationship),
                        formatted(formatDate, questionnaire.date), yesNo(questionnaire.useInResults)});
    }
    return rows;
}

std::vector<TableRow> journalList(const JournalRecord& journal, const DateFormatter& formatDate) {
    // Bucket the actions by behaviour in one pass, keeping journal order within each behaviour.
    const std::size_t behaviourCount = journal.framework.behaviours.size();
    std::vector<std::vector<std::size_t>> byBehaviour(behaviourCount);
    std::vector<std::size_t> withoutBehaviour;
    for (std::size_t a = 0; a < journal.actions.size(); ++a) {
        const std::int32_t behaviour = journal.actions[a].behaviour;
        // An action naming a behaviour the framework lacks would otherwise vanish from the journal.
        if (namesBehaviour(journal, behaviour)) {
            byBehaviour[behaviour].push_back(a);
        } else {
            withoutBehaviour.push_back(a);
        }
    }
    std::vector<TableRow> rows;
    rows.reserve(journal.actions.size());
    for (const auto& actions : byBehaviour) {
        for (const std::size_t a : actions) {
            rows.push_back(journalRow(journal, journal.actions[a], formatDate));
        }
    }
    for (const std::size_t a : withoutBehaviour) {
        rows.push_back(journalRow(journal, journal.actions[a], formatDate));
    }
    return rows;
}

std::vector<DetailRow> questionnaireDetail(const JournalRecord& journal, std::size_t index,
                                           const DateFormatter& formatDate) {
    if (index >= journal.questionnaires.size()) {
        return {};
    }
    const CPavexFeedback& questionnaire = journal.questionnaires[index];
    return {{"Assessor:", questionnaire.assessor},
            {"Reporting Relationship:", pagetext::groupLabel(journal, questionnaire.relationship)},
            {"Date of Assessment:", formatted(formatDate, questionnaire.date)},
            {"Details:", questionnaire.details},
            {"Use in Results:", yesNo(questionnaire.useInResults)}};
}

std::vector<DetailRow> actionDetail(const JournalRecord& journal, std::size_t index, const DateFormatter& formatDate) {
    if (index >= journal.actions.size()) {
        return {};
    }
    const CPavexAction& action = journal.actions[index];
    std::vector<DetailRow> rows;
    if (namesBehaviour(journal, action.behaviour)) {
        rows.push_back({"Behaviour Being Developed:", journal.framework.behaviours[action.behaviour].statement});
    }
    if (!action.situation.empty()) {
        rows.push_back({"Situation:", action.situation});
    }
    rows.push_back({"Action:", action.action});
    if (!action.support.empty()) {
        rows.push_back({"Required Support:", action.support});
    }
    if (!action.measure.empty()) {
        rows.push_back({"Measure of Success:", action.measure});
    }
    rows.push_back({"Do By:", formatted(formatDate, action.doBy)});
    rows.push_back({"Completed:", yesNo(action.completed)});
    return rows;
}

std::string firstLine(std::string_view text) {
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

} // namespace listrows

TableContent::TableContent(const JournalRecord& journal, std::string title, std::vector<TableColumn> columns,
                           int linesPerRow, DateFormatter formatDate)
    : PageContent(journal, std::move(title)), m_formatDate(std::move(formatDate)), m_columns(std::move(columns)),
      m_linesPerRow(linesPerRow) {}

QuestionnaireListContent::QuestionnaireListContent(const JournalRecord& journal, DateFormatter formatDate)
    : TableContent(journal, pagetext::kQuestionnaireListTitle, listrows::questionnaireListColumns(),
                   listrows::kQuestionnaireListLines, std::move(formatDate)) {}

void QuestionnaireListContent::refresh() {
    m_rows = listrows::questionnaireList(journal(), m_formatDate);
}

JournalListContent::JournalListContent(const JournalRecord& journal, DateFormatter formatDate)
    : TableContent(journal, pagetext::kJournalListTitle, listrows::journalListColumns(), listrows::kJournalListLines,
                   std::move(formatDate)) {}

void JournalListContent::refresh() {
    m_rows = listrows::journalList(journal(), m_formatDate);
}

DetailContent::DetailContent(const JournalRecord& journal, std::string title, std::size_t index,
                             DateFormatter formatDate)
    : PageContent(journal, std::move(title)), m_formatDate(std::move(formatDate)), m_index(index) {}

QuestionnaireDetailContent::QuestionnaireDetailContent(const JournalRecord& journal, std::size_t index,
                                                       DateFormatter formatDate)
    : DetailContent(journal, pagetext::kQuestionnaireDetailTitle, index, std::move(formatDate)) {}

void QuestionnaireDetailContent::refresh() {
    m_rows = listrows::questionnaireDetail(journal(), index(), m_formatDate);
}

ActionDetailContent::ActionDetailContent(const JournalRecord& journal, std::size_t index, DateFormatter formatDate)
    : DetailContent(journal, pagetext::kActionDetailTitle, index, std::move(formatDate)) {}

void ActionDetailContent::refresh() {
    m_rows = listrows::actionDetail(journal(), index(), m_formatDate);
}
