// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/DateFormat.h"
#include "analysis/PageContent.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TableColumn {
    std::string header;
    int weight = 1; // share of the page width
    bool operator==(const TableColumn&) const = default;
};

using TableRow = std::vector<std::string>;

struct DetailRow {
    std::string label;
    std::string value;
    bool operator==(const DetailRow&) const = default;
};

// The rows of the list and detail pages, made from the journal as it stands. Dates go through the
// formatter the program supplies.
namespace listrows {

const std::vector<TableColumn>& questionnaireListColumns();
const std::vector<TableColumn>& journalListColumns();
inline constexpr int kQuestionnaireListLines = 2;
inline constexpr int kJournalListLines = 4;

// One row per questionnaire: assessor, relationship, date of assessment, included in results.
std::vector<TableRow> questionnaireList(const JournalRecord& journal, const DateFormatter& formatDate);
// The actions grouped by behaviour in framework order, then those that name no behaviour that exists.
std::vector<TableRow> journalList(const JournalRecord& journal, const DateFormatter& formatDate);
// Empty when the index names no questionnaire or action.
std::vector<DetailRow> questionnaireDetail(const JournalRecord& journal, std::size_t index,
                                           const DateFormatter& formatDate);
std::vector<DetailRow> actionDetail(const JournalRecord& journal, std::size_t index, const DateFormatter& formatDate);

// An action's text up to its first carriage return or line feed.
std::string firstLine(std::string_view text);

} // namespace listrows

// A page of rows under column headers.
class TableContent : public PageContent {
public:
    PageKind kind() const override { return PageKind::Table; }
    const std::vector<TableColumn>& columns() const { return m_columns; }
    int linesPerRow() const { return m_linesPerRow; }
    const std::vector<TableRow>& rows() const { return m_rows; }

protected:
    TableContent(const JournalRecord& journal, std::string title, std::vector<TableColumn> columns, int linesPerRow,
                 DateFormatter formatDate);

    std::vector<TableRow> m_rows;
    DateFormatter m_formatDate;

private:
    std::vector<TableColumn> m_columns;
    int m_linesPerRow;
};

class QuestionnaireListContent final : public TableContent {
public:
    QuestionnaireListContent(const JournalRecord& journal, DateFormatter formatDate);
    void refresh() override;
};

class JournalListContent final : public TableContent {
public:
    JournalListContent(const JournalRecord& journal, DateFormatter formatDate);
    void refresh() override;
};

// A page of label and value pairs about one questionnaire or action.
class DetailContent : public PageContent {
public:
    PageKind kind() const override { return PageKind::Detail; }
    // The questionnaire or action shown; fixed for the page's life.
    std::size_t index() const { return m_index; }
    const std::vector<DetailRow>& rows() const { return m_rows; }

protected:
    DetailContent(const JournalRecord& journal, std::string title, std::size_t index, DateFormatter formatDate);

    std::vector<DetailRow> m_rows;
    DateFormatter m_formatDate;

private:
    std::size_t m_index;
};

class QuestionnaireDetailContent final : public DetailContent {
public:
    QuestionnaireDetailContent(const JournalRecord& journal, std::size_t index, DateFormatter formatDate);
    void refresh() override;
};

class ActionDetailContent final : public DetailContent {
public:
    ActionDetailContent(const JournalRecord& journal, std::size_t index, DateFormatter formatDate);
    void refresh() override;
};
