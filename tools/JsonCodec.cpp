// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/JsonCodec.h"

#include "model/Limits.h"

#include <array>
#include <cstddef>

namespace jsoncodec {

namespace {

template <std::size_t N> Json textsToJson(const std::array<std::string, N>& texts) {
    Json array = Json::array();
    for (const auto& text : texts) {
        array.push_back(textToJson(text));
    }
    return array;
}

template <std::size_t N> std::array<std::string, N> textsFromJson(const JsonField& json) {
    std::array<std::string, N> texts;
    const auto fields = json.exactElements(N);
    for (std::size_t i = 0; i < N; ++i) {
        texts[i] = fields[i].asText();
    }
    return texts;
}

// ---- framework ----

Json scaleToJson(const CResponseScale& scale) {
    Json options = Json::array();
    // Only the first optionCount options are stored; the count itself is the array's length.
    const std::int32_t count = scale.optionCount < 0 ? 0 : std::min(scale.optionCount, kMaxOptions);
    for (std::int32_t i = 0; i < count; ++i) {
        options.push_back({{"label", textToJson(scale.labels[i])}, {"value", scale.values[i]}});
    }
    return {{"options", options}, {"maximum", scale.maximum}};
}

CResponseScale scaleFromJson(const JsonField& json) {
    CResponseScale scale;
    const auto options = json.member("options").elements(kMaxOptions);
    scale.optionCount = static_cast<std::int32_t>(options.size());
    for (std::size_t i = 0; i < options.size(); ++i) {
        scale.labels[i] = options[i].member("label").asText();
        scale.values[i] = options[i].member("value").asInt32();
    }
    scale.maximum = json.member("maximum").asInt32();
    return scale;
}

Json behaviourToJson(const CBehaviour& behaviour) {
    return {{"statement", textToJson(behaviour.statement)},
            {"competency", behaviour.competency},
            {"scale", behaviour.scale},
            {"reserved", textToJson(behaviour.reserved)},
            {"marked", behaviour.marked},
            {"description", textToJson(behaviour.description)}};
}

CBehaviour behaviourFromJson(const JsonField& json) {
    CBehaviour behaviour;
    behaviour.statement = json.member("statement").asText();
    behaviour.competency = json.member("competency").asInt32();
    behaviour.scale = json.member("scale").asInt32();
    behaviour.reserved = json.member("reserved").asText();
    behaviour.marked = json.member("marked").asInt32();
    behaviour.description = json.member("description").asText();
    return behaviour;
}

Json frameworkToJson(const CPavexFramework& framework) {
    Json competencies = Json::array();
    for (const auto& competency : framework.competencies) {
        competencies.push_back(
            {{"name", textToJson(competency.name)}, {"description", textToJson(competency.description)}});
    }
    Json scales = Json::array();
    for (const auto& scale : framework.scales) {
        scales.push_back(scaleToJson(scale));
    }
    Json behaviours = Json::array();
    for (const auto& behaviour : framework.behaviours) {
        behaviours.push_back(behaviourToJson(behaviour));
    }
    return {{"version", framework.version},
            {"descriptions", framework.descriptionsFlag},
            {"description", textToJson(framework.description)},
            {"competencies", std::move(competencies)},
            {"scales", std::move(scales)},
            {"behaviours", std::move(behaviours)}};
}

CPavexFramework frameworkFromJson(const JsonField& json) {
    CPavexFramework framework;
    json.member("version").asInt32(); // checked, but writers always write the current version
    framework.version = CPavexFramework::kCurrentVersion;
    framework.descriptionsFlag = json.member("descriptions").asInt32();
    framework.description = json.member("description").asText();
    for (const auto& competency : json.member("competencies").elements(kMaxCompetencies)) {
        framework.competencies.push_back(
            {competency.member("name").asText(), competency.member("description").asText()});
    }
    for (const auto& scale : json.member("scales").elements(kMaxScales)) {
        framework.scales.push_back(scaleFromJson(scale));
    }
    for (const auto& behaviour : json.member("behaviours").elements(kMaxBehaviours)) {
        framework.behaviours.push_back(behaviourFromJson(behaviour));
    }
    return framework;
}

// ---- questionnaires and actions ----

Json questionnaireToJson(const CPavexFeedback& questionnaire) {
    Json responses = Json::array();
    for (const auto& response : questionnaire.responses) {
        responses.push_back(Json::array({response.behaviour, response.option}));
    }
    return {{"assessor", textToJson(questionnaire.assessor)}, {"relationship", questionnaire.relationship},
            {"details", textToJson(questionnaire.details)},   {"date", dateToJson(questionnaire.date)},
            {"use_in_results", questionnaire.useInResults},   {"responses", std::move(responses)}};
}

CPavexFeedback questionnaireFromJson(const JsonField& json) {
    CPavexFeedback questionnaire;
    questionnaire.assessor = json.member("assessor").asText();
    questionnaire.relationship = json.member("relationship").asInt32();
    questionnaire.details = json.member("details").asText();
    questionnaire.date = json.member("date").asDate();
    questionnaire.useInResults = json.member("use_in_results").asInt32();
    for (const auto& response : json.member("responses").elements(kMaxResponses)) {
        const auto pair = response.exactElements(2);
        questionnaire.responses.push_back({pair[0].asInt32(), pair[1].asInt32()});
    }
    return questionnaire;
}

Json actionToJson(const CPavexAction& action) {
    return {{"version", action.version},
            {"behaviour", action.behaviour},
            {"action", textToJson(action.action)},
            {"support", textToJson(action.support)},
            {"do_by", dateToJson(action.doBy)},
            {"situation", textToJson(action.situation)},
            {"measure", textToJson(action.measure)},
            {"completed", action.completed}};
}

CPavexAction actionFromJson(const JsonField& json) {
    CPavexAction action;
    json.member("version").asInt32(); // checked, but writers always write the current version
    action.version = CPavexAction::kCurrentVersion;
    action.behaviour = json.member("behaviour").asInt32();
    action.action = json.member("action").asText();
    action.support = json.member("support").asText();
    action.doBy = json.member("do_by").asDate();
    action.situation = json.member("situation").asText();
    action.measure = json.member("measure").asText();
    action.completed = json.member("completed").asInt32();
    return action;
}

void expectKind(const JsonField& json, std::string_view kind) {
    const JsonField field = json.member("kind");
    if (field.asText() != kind) {
        field.fail("expected \"" + std::string(kind) + "\"");
    }
}

} // namespace

// ---- role ----

Json roleToJson(const CRole& role) {
    return {{"kind", "role"},
            {"format", CRole::kFileFormat}, // readers refuse every other format
            {"name", textToJson(role.name)},
            {"description", textToJson(role.description)},
            {"relationship_labels", textsToJson(role.relationshipLabels)},
            {"behaviour_term", textToJson(role.behaviourTerm)},
            {"competency_term", textToJson(role.competencyTerm)},
            {"framework", frameworkToJson(role.framework)}};
}

CRole roleFromJson(const JsonField& json) {
    expectKind(json, "role");
    const JsonField format = json.member("format");
    if (format.asInt32() != CRole::kFileFormat) {
        format.fail("role files are written in format " + std::to_string(CRole::kFileFormat) + " only");
    }
    CRole role;
    role.name = json.member("name").asText();
    role.description = json.member("description").asText();
    role.relationshipLabels = textsFromJson<kRelationshipCount>(json.member("relationship_labels"));
    role.behaviourTerm = json.member("behaviour_term").asText();
    role.competencyTerm = json.member("competency_term").asText();
    role.framework = frameworkFromJson(json.member("framework"));
    return role;
}

// ---- journal ----

Json journalToJson(const JournalRecord& journal) {
    Json relationshipColours = Json::array();
    for (const auto colour : journal.colours.relationships) {
        relationshipColours.push_back(colour);
    }
    Json window = Json::array();
    for (const auto edge : journal.autopilotWindow) {
        window.push_back(edge);
    }
    Json questionnaires = Json::array();
    for (const auto& questionnaire : journal.questionnaires) {
        questionnaires.push_back(questionnaireToJson(questionnaire));
    }
    Json actions = Json::array();
    for (const auto& action : journal.actions) {
        actions.push_back(actionToJson(action));
    }
    Json members = {
        {"scrambled", journal.scrambleSwitch},
        {"seed", journal.seed},
        {"password", textToJson(journal.password)},
        {"person", textToJson(journal.person)},
        {"request", journal.request},
        {"colours",
         {{"relationships", std::move(relationshipColours)},
          {"average", journal.colours.average},
          {"background", journal.colours.background},
          {"lines", journal.colours.lines},
          {"heading", journal.colours.heading}}},
        {"relationship_labels", textsToJson(journal.relationshipLabels)},
        {"competency_term", textToJson(journal.competencyTerm)},
        {"behaviour_term", textToJson(journal.behaviourTerm)},
        {"role_name", textToJson(journal.roleName)},
        {"reserved", textToJson(journal.reserved)},
        {"autopilot",
         {{"page", journal.autopilotPage}, {"window", std::move(window)}, {"shown", journal.autopilotShown}}},
        {"framework", frameworkToJson(journal.framework)},
        {"questionnaires", std::move(questionnaires)},
        {"actions", std::move(actions)}};
    // An ordinary journal's JSON has no "encrypted" member at all.
    Json json = {{"kind", "journal"}};
    if (journal.encrypted) {
        json["encrypted"] = 1;
    }
    for (auto& [key, value] : members.items()) {
        json[key] = std::move(value);
    }
    return json;
}

namespace {

// Missing means 0. A journal is encrypted under its password, and requests never are.
bool encryptedFromJson(const JsonField& json, const JournalRecord& journal) {
    if (!json.has("encrypted")) {
        return false;
    }
    const JsonField field = json.member("encrypted");
    const std::int32_t value = field.asInt32();
    if (value != 0 && value != 1) {
        field.fail("expected 0 or 1");
    }
    if (value == 1 && journal.password.empty()) {
        field.fail("an encrypted journal needs a password");
    }
    if (value == 1 && journal.request != 0) {
        field.fail("a feedback request is never encrypted");
    }
    return value == 1;
}

} // namespace

JournalRecord journalFromJson(const JsonField& json) {
    expectKind(json, "journal");
    JournalRecord journal;
    journal.password = json.member("password").asText();
    journal.person = json.member("person").asText();
    journal.request = json.member("request").asInt32();
    journal.encrypted = encryptedFromJson(json, journal);

    const JsonField colours = json.member("colours");
    const auto relationshipColours = colours.member("relationships").exactElements(kRelationshipCount);
    for (std::size_t i = 0; i < relationshipColours.size(); ++i) {
        journal.colours.relationships[i] = relationshipColours[i].asInt32();
    }
    journal.colours.average = colours.member("average").asInt32();
    journal.colours.background = colours.member("background").asInt32();
    journal.colours.lines = colours.member("lines").asInt32();
    journal.colours.heading = colours.member("heading").asInt32();

    journal.relationshipLabels = textsFromJson<kRelationshipCount>(json.member("relationship_labels"));
    journal.competencyTerm = json.member("competency_term").asText();
    journal.behaviourTerm = json.member("behaviour_term").asText();
    journal.roleName = json.member("role_name").asText();
    journal.reserved = json.member("reserved").asText();

    const JsonField autopilot = json.member("autopilot");
    journal.autopilotPage = autopilot.member("page").asInt32();
    const auto window = autopilot.member("window").exactElements(journal.autopilotWindow.size());
    for (std::size_t i = 0; i < window.size(); ++i) {
        journal.autopilotWindow[i] = window[i].asInt32();
    }
    journal.autopilotShown = autopilot.member("shown").asInt32();

    journal.framework = frameworkFromJson(json.member("framework"));
    for (const auto& questionnaire : json.member("questionnaires").elements(kMaxQuestionnaires)) {
        journal.questionnaires.push_back(questionnaireFromJson(questionnaire));
    }
    for (const auto& action : json.member("actions").elements(kMaxActions)) {
        journal.actions.push_back(actionFromJson(action));
    }
    return journal;
}

// ---- web feedback reply ----

Json replyToJson(const CWebReply& reply) {
    return {{"kind", "reply"},
            {"scrambled", reply.scrambleSwitch},
            {"seed", reply.seed},
            {"password", textToJson(reply.password)},
            {"assessor", textToJson(reply.assessor)},
            {"role_name", textToJson(reply.roleName)},
            {"responses", textToJson(reply.responses)},
            {"relationship", textToJson(reply.relationship)},
            {"date", dateToJson(reply.date)},
            {"details", textToJson(reply.details)}};
}

CWebReply replyFromJson(const JsonField& json) {
    expectKind(json, "reply");
    CWebReply reply;
    reply.password = json.member("password").asText();
    reply.assessor = json.member("assessor").asText();
    reply.roleName = json.member("role_name").asText();
    reply.responses = json.member("responses").asText();
    reply.relationship = json.member("relationship").asText();
    reply.date = json.member("date").asDate();
    reply.details = json.member("details").asText();
    return reply;
}

} // namespace jsoncodec
