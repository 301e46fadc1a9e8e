// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/PageFigures.h"

#include "analysis/GraphContent.h"
#include "analysis/JournalFacts.h"
#include "analysis/ListContent.h"
#include "analysis/PageTexts.h"

#include <charconv>

namespace pagefigures {

namespace {

std::string groupName(const JournalRecord& journal, int group) {
    std::string label = pagetext::groupLabel(journal, group);
    return label.empty() ? "Group " + std::to_string(group + 1) : label;
}

void addRanking(PageFigures& figures, const RankingContent& ranking) {
    const JournalRecord& journal = ranking.journal();
    figures.columnHeaders.push_back("Overall average");
    for (int g = 0; g < kRelationshipCount; ++g) {
        const std::string name = groupName(journal, g);
        figures.columnHeaders.push_back(name + " average");
        figures.columnHeaders.push_back(name + " lowest");
        figures.columnHeaders.push_back(name + " highest");
    }
    const bool marks = ranking.rowsCarryMarks();
    if (marks) {
        figures.columnHeaders.push_back(kMarkedColumn);
    }
    const CResultList& list = ranking.list();
    const std::size_t shown = std::min(list.size(), static_cast<std::size_t>(std::max(0, list.shownCount())));
    for (std::size_t rank = 0; rank < shown; ++rank) {
        const CScoreItem& item = list.at(rank);
        figures.rowHeaders.push_back(item.name());
        std::vector<std::string> row{figureText(item.overallAverage())};
        for (int g = 0; g < kRelationshipCount; ++g) {
            row.push_back(figureText(item.groupAverage(g)));
            row.push_back(figureText(item.lowestAverage(g)));
            row.push_back(figureText(item.highestAverage(g)));
        }
        if (marks) {
            row.push_back(item.marked() ? pagetext::kYes : pagetext::kNo);
        }
        figures.cells.push_back(std::move(row));
        figures.rowBehaviours.push_back(marks ? item.index() : -1);
    }
}

void addFrequencies(PageFigures& figures, const FrequencyContent& frequencies) {
    const JournalRecord& journal = frequencies.journal();
    for (int g = 0; g < kRelationshipCount; ++g) {
        figures.columnHeaders.push_back(groupName(journal, g));
    }
    figures.columnHeaders.push_back(kMarkedColumn);
    const CFrequencyTable& table = frequencies.table();
    const CResponseScale* scale = journalfacts::scaleOfBehaviour(journal.framework, frequencies.behaviour());
    for (int option = 0; option < table.optionCount(); ++option) {
        const auto at = static_cast<std::size_t>(option);
        figures.rowHeaders.push_back(scale != nullptr && at < scale->labels.size() ? scale->labels[at] : std::string());
        std::vector<std::string> row;
        for (int g = 0; g < kRelationshipCount; ++g) {
            row.push_back(std::to_string(table.count(option, g)));
        }
        // The page's one mark belongs to every row, so that it can be reached from any of them.
        row.push_back(frequencies.marked() ? pagetext::kYes : pagetext::kNo);
        figures.cells.push_back(std::move(row));
        figures.rowBehaviours.push_back(frequencies.behaviour());
    }
}

void addTable(PageFigures& figures, const TableContent& table) {
    for (const TableColumn& column : table.columns()) {
        figures.columnHeaders.push_back(column.header);
    }
    for (const TableRow& row : table.rows()) {
        std::vector<std::string> cells = row;
        cells.resize(table.columns().size());
        figures.cells.push_back(std::move(cells));
        figures.rowBehaviours.push_back(-1);
    }
}

void addDetail(PageFigures& figures, const DetailContent& detail) {
    figures.columnHeaders.push_back("Value");
    for (const DetailRow& row : detail.rows()) {
        figures.rowHeaders.push_back(row.label);
        figures.cells.push_back({row.value});
        figures.rowBehaviours.push_back(-1);
    }
}

} // namespace

std::string figureText(double value) {
    if (!(value >= 0.0)) {
        return {};
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

PageFigures of(const PageContent& content) {
    PageFigures figures;
    if (content.showsMessage()) {
        return figures;
    }
    switch (content.kind()) {
    case PageKind::Ranking:
        addRanking(figures, static_cast<const RankingContent&>(content));
        break;
    case PageKind::Frequencies:
        addFrequencies(figures, static_cast<const FrequencyContent&>(content));
        break;
    case PageKind::Table:
        addTable(figures, static_cast<const TableContent&>(content));
        break;
    case PageKind::Detail:
        addDetail(figures, static_cast<const DetailContent&>(content));
        break;
    }
    return figures;
}

} // namespace pagefigures
