// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ResultsCommand.h"

#include "tools/JournalAccess.h"

#include "tools/ToolFiles.h"

#include "analysis/ContentTree.h"
#include "analysis/DateFormat.h"
#include "analysis/GraphContent.h"
#include "analysis/ListContent.h"
#include "model/JournalFile.h"
#include "model/Windows1252.h"

#include <iomanip>
#include <optional>
#include <vector>

namespace {

Json groupFigures(const CScoreItem& item) {
    Json groups = Json::array();
    for (int g = 0; g < kRelationshipCount; ++g) {
        Json group = Json::object();
        group["average"] = doubleToJson(item.groupAverage(g));
        group["lowest"] = doubleToJson(item.lowestAverage(g));
        group["highest"] = doubleToJson(item.highestAverage(g));
        groups.push_back(std::move(group));
    }
    return groups;
}

Json itemToJson(const CScoreItem& item) {
    Json json = Json::object();
    json["name"] = textToJson(item.name());
    json["index"] = item.index();
    json["key"] = doubleToJson(item.sortKey());
    json["overall"] = doubleToJson(item.overallAverage());
    json["groups"] = groupFigures(item);
    json["valid_groups"] = item.validGroups();
    json["axis_maximum"] = item.axisMaximum();
    json["scale_tag"] = item.scaleTag();
    json["marked"] = item.marked() ? 1 : 0;
    json["has_actions"] = item.hasActions() ? 1 : 0;
    return json;
}

void addRanking(Json& page, const RankingContent& ranking) {
    const CResultList& list = ranking.list();
    page["kind"] = "ranking";
    page["shown"] = list.shownCount();
    page["questionnaires_per_group"] = list.questionnairesPerGroup();
    Json items = Json::array();
    for (std::size_t rank = 0; rank < list.size(); ++rank) {
        items.push_back(itemToJson(list.at(rank)));
    }
    page["items"] = std::move(items);
}

void addFrequencies(Json& page, const FrequencyContent& frequencies) {
    const CFrequencyTable& table = frequencies.table();
    page["kind"] = "frequencies";
    page["behaviour"] = table.behaviour();
    Json counts = Json::array();
    for (int option = 0; option < table.optionCount(); ++option) {
        Json row = Json::array();
        for (int g = 0; g < kRelationshipCount; ++g) {
            row.push_back(table.count(option, g));
        }
        counts.push_back(std::move(row));
    }
    page["counts"] = std::move(counts);
    Json answers = Json::array();
    for (int g = 0; g < kRelationshipCount; ++g) {
        answers.push_back(table.answersInGroup(g));
    }
    page["answers_per_group"] = std::move(answers);
    page["axis_maximum"] = table.axisMaximum();
}

void addTable(Json& page, const TableContent& table) {
    page["kind"] = "table";
    Json columns = Json::array();
    for (const TableColumn& column : table.columns()) {
        columns.push_back(textToJson(column.header));
    }
    page["columns"] = std::move(columns);
    Json rows = Json::array();
    for (const TableRow& row : table.rows()) {
        Json cells = Json::array();
        for (const std::string& cell : row) {
            cells.push_back(textToJson(cell));
        }
        rows.push_back(std::move(cells));
    }
    page["rows"] = std::move(rows);
}

void addDetail(Json& page, const DetailContent& detail) {
    page["kind"] = "detail";
    Json rows = Json::array();
    for (const DetailRow& row : detail.rows()) {
        rows.push_back(Json::array({textToJson(row.label), textToJson(row.value)}));
    }
    page["rows"] = std::move(rows);
}

Json pageToJson(const std::string& path, const PageContent& content) {
    Json page = Json::object();
    page["path"] = textToJson(path);
    page["title"] = textToJson(content.shownTitle());
    if (content.showsMessage()) {
        page["kind"] = "message";
        return page;
    }
    switch (content.kind()) {
    case PageKind::Ranking:
        addRanking(page, static_cast<const RankingContent&>(content));
        break;
    case PageKind::Frequencies:
        addFrequencies(page, static_cast<const FrequencyContent&>(content));
        break;
    case PageKind::Table:
        addTable(page, static_cast<const TableContent&>(content));
        break;
    case PageKind::Detail:
        addDetail(page, static_cast<const DetailContent&>(content));
        break;
    }
    return page;
}

void runResults(const ParsedArguments& arguments, std::ostream& out) {
    const std::string& path = arguments.positionals.at(0);
    const JournalRecord journal = readJournalForCommand(path, passwordOption(arguments));
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    tree.refreshAll();
    out << std::setw(2) << resultsToJson(tree) << '\n';
}

} // namespace

Json resultsToJson(const ContentTree& tree) {
    Json pages = Json::array();
    std::vector<std::string> labels; // of the node being visited and its ancestors
    tree.forEachNode([&](ContentNode& node, int depth) {
        labels.resize(static_cast<std::size_t>(depth));
        labels.push_back(node.label());
        std::string path;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            path += (i == 0 ? "" : "/") + labels[i];
        }
        pages.push_back(pageToJson(path, node.page()));
    });
    Json json = Json::object();
    json["pages"] = std::move(pages);
    return json;
}

Command resultsCommand() {
    return {"results",
            {"FILE"},
            {{"--password", "P"}},
            "Print the figures of every results, list and detail page of a journal or request file as JSON.",
            &runResults};
}
