// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CompareCommand.h"

#include "tools/JournalAccess.h"

#include "analysis/DateFormat.h"
#include "analysis/ProgressPages.h"

#include <filesystem>
#include <iomanip>
#include <system_error>

namespace {

Json changeToJson(const progress::Change& change) {
    Json json = Json::object();
    json["then"] = doubleToJson(change.then);
    json["now"] = doubleToJson(change.now);
    json["change"] = change.comparable() ? doubleToJson(change.difference()) : Json();
    return json;
}

Json behaviourToJson(const progress::BehaviourProgress& row) {
    Json json = Json::object();
    json["statement"] = textToJson(row.statement);
    json["earlier_index"] = row.pair.earlier;
    json["later_index"] = row.pair.later;
    json["others"] = changeToJson(row.others);
    json["self"] = changeToJson(row.self);
    json["others_answers_then"] = row.othersAnswersThen;
    json["others_answers_now"] = row.othersAnswersNow;
    json["spread"] = doubleToJson(row.spread);
    json["may_be_noise"] = progress::mayBeNoise(row.others, row.spread);
    return json;
}

Json page(const std::string& branch, const char* label, const char* kind) {
    Json json = Json::object();
    json["path"] = textToJson(branch + "/" + label);
    json["title"] = textToJson(std::string(progresspages::kTitlePrefix) + label);
    json["kind"] = kind;
    return json;
}

Json statements(const CPavexFramework& framework, const std::vector<std::int32_t>& behaviours) {
    Json json = Json::array();
    for (const std::int32_t b : behaviours) {
        json.push_back(textToJson(framework.behaviours[static_cast<std::size_t>(b)].statement));
    }
    return json;
}

Json competencyNames(const CPavexFramework& framework, const std::vector<std::int32_t>& competencies) {
    Json json = Json::array();
    for (const std::int32_t c : competencies) {
        json.push_back(textToJson(framework.competencies[static_cast<std::size_t>(c)].name));
    }
    return json;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

void runCompare(const ParsedArguments& arguments, std::ostream& out) {
    const ComparedJournals journals =
        readComparedJournals(arguments.positionals.at(0), passwordOption(arguments, "--password-earlier"),
                             arguments.positionals.at(1), passwordOption(arguments));
    const progress::Comparison comparison = progress::compare(journals.earlier, journals.later);
    const std::string branch = progresspages::branchLabel(comparison.earlierDate, formatDateInCLocale);
    out << std::setw(2) << comparisonToJson(comparison, branch, journals.earlier, journals.later) << '\n';
}

} // namespace

ComparedJournals readComparedJournals(const std::string& earlierPath, const std::optional<std::string>& earlierPassword,
                                      const std::string& laterPath, const std::optional<std::string>& laterPassword) {
    ComparedJournals journals{readJournalForCommand(earlierPath, earlierPassword),
                              readJournalForCommand(laterPath, laterPassword)};
    switch (progress::refusalOf(journals.earlier, journals.later, sameFile(earlierPath, laterPath))) {
    case progress::Refusal::None:
        break;
    case progress::Refusal::SameJournal:
        throw CommandFailure(progresspages::kSameJournal);
    case progress::Refusal::NothingInCommon:
        throw CommandFailure(progresspages::kNothingInCommon);
    case progress::Refusal::LaterIsOlder:
        throw CommandFailure(std::string(progresspages::kLaterIsOlder) + " Give the earlier journal first.");
    }
    return journals;
}

Json comparisonToJson(const progress::Comparison& comparison, const std::string& branchLabel,
                      const JournalRecord& earlier, const JournalRecord& later) {
    Json pages = Json::array();

    Json development = page(branchLabel, progresspages::kDevelopmentAreas, "development");
    Json areas = Json::array();
    for (const progress::DevelopmentProgress& area : comparison.development) {
        Json json = Json::object();
        json["statement"] = textToJson(area.statement);
        json["earlier_index"] = area.earlierBehaviour;
        Json actions = Json::array();
        for (const progress::ActionState& action : area.actions) {
            actions.push_back(Json::object({{"action", textToJson(action.action)}, {"completed", action.completed}}));
        }
        json["actions"] = std::move(actions);
        json["figures"] = area.figures ? behaviourToJson(*area.figures) : Json();
        areas.push_back(std::move(json));
    }
    development["rows"] = std::move(areas);
    pages.push_back(std::move(development));

    Json competencies = page(branchLabel, progresspages::kCompetencies, "competencies");
    Json competencyRows = Json::array();
    for (const progress::CompetencyProgress& row : comparison.competencies) {
        Json json = Json::object();
        json["name"] = textToJson(row.name);
        json["earlier_index"] = row.earlier;
        json["later_index"] = row.later;
        json["others"] = changeToJson(row.others);
        json["self"] = changeToJson(row.self);
        competencyRows.push_back(std::move(json));
    }
    competencies["rows"] = std::move(competencyRows);
    pages.push_back(std::move(competencies));

    Json behaviours = page(branchLabel, progresspages::kBehaviours, "behaviours");
    Json behaviourRows = Json::array();
    for (const progress::BehaviourProgress& row : comparison.behaviours) {
        behaviourRows.push_back(behaviourToJson(row));
    }
    behaviours["rows"] = std::move(behaviourRows);
    pages.push_back(std::move(behaviours));

    Json groups = page(branchLabel, progresspages::kByRelationship, "groups");
    Json groupRows = Json::array();
    for (const progress::GroupProgress& row : comparison.groups) {
        Json json = Json::object();
        json["group"] = row.group;
        json["label"] = textToJson(later.relationshipLabels[static_cast<std::size_t>(row.group)]);
        json["average"] = changeToJson(row.average);
        json["answers_then"] = row.answersThen;
        json["answers_now"] = row.answersNow;
        groupRows.push_back(std::move(json));
    }
    groups["rows"] = std::move(groupRows);
    pages.push_back(std::move(groups));

    Json unmatched = page(branchLabel, progresspages::kNotCompared, "unmatched");
    unmatched["behaviours_only_earlier"] = statements(earlier.framework, comparison.matching.unmatchedEarlier);
    unmatched["behaviours_only_now"] = statements(later.framework, comparison.matching.unmatchedLater);
    Json incomparable = Json::array();
    for (const progress::BehaviourPair& pair : comparison.matching.incomparable) {
        incomparable.push_back(textToJson(later.framework.behaviours[static_cast<std::size_t>(pair.later)].statement));
    }
    unmatched["behaviours_on_other_scales"] = std::move(incomparable);
    unmatched["competencies_only_earlier"] =
        competencyNames(earlier.framework, comparison.unmatchedEarlierCompetencies);
    unmatched["competencies_only_now"] = competencyNames(later.framework, comparison.unmatchedLaterCompetencies);
    pages.push_back(std::move(unmatched));

    Json json = Json::object();
    json["earlier_date"] = comparison.earlierDate ? dateToJson(*comparison.earlierDate) : Json();
    json["later_date"] = comparison.laterDate ? dateToJson(*comparison.laterDate) : Json();
    json["noise_rule"] = progress::kNoiseRule;
    json["pages"] = std::move(pages);
    return json;
}

Command compareCommand() {
    return {"compare",
            {"EARLIER", "LATER"},
            {{"--password-earlier", "P"}, {"--password", "P"}},
            "Print what changed between an earlier and a later journal of the same person as JSON: the earlier "
            "development areas, competencies, behaviours and relationship groups, then and now.",
            &runCompare};
}
