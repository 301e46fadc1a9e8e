// SPDX-License-Identifier: GPL-3.0-or-later
#include "PavexDoc.h"

#include "Role.h"
#include "UserPrompts.h"

#include <filesystem>

JournalRecord::JournalRecord()
    : relationshipLabels(defaultRelationshipLabels()), competencyTerm("Competency"), behaviourTerm("Behaviour") {
    framework.reset();
}

std::string CPavexDoc::title() const {
    if (path.empty()) {
        return kUntitled;
    }
    return std::filesystem::path(path).filename().string();
}

void CPavexDoc::newJournal() {
    JournalRecord fresh;
    fresh.relationshipLabels = relationshipLabels;
    fresh.competencyTerm = competencyTerm;
    fresh.behaviourTerm = behaviourTerm;
    static_cast<JournalRecord&>(*this) = std::move(fresh);
    path.clear();
    modified = false;
}

void CPavexDoc::chooseRole(const CRole& role) {
    framework = role.framework;
    relationshipLabels = role.relationshipLabels;
    competencyTerm = role.competencyTerm;
    behaviourTerm = role.behaviourTerm;
    roleName = role.name;
}

void CPavexDoc::openedFrom(JournalRecord record, const std::string& filePath) {
    static_cast<JournalRecord&>(*this) = std::move(record);
    path = filePath;
    modified = false;
}

bool CPavexDoc::checkRoomForQuestionnaire(UserPrompts& prompts, std::size_t count) const {
    if (questionnaires.size() + count > static_cast<std::size_t>(kMaxQuestionnaires)) {
        prompts.message(journaltext::kTooManyQuestionnaires);
        return false;
    }
    return true;
}

bool CPavexDoc::addQuestionnaire(CPavexFeedback questionnaire, UserPrompts& prompts) {
    if (!checkRoomForQuestionnaire(prompts)) {
        return false;
    }
    questionnaires.push_back(std::move(questionnaire));
    modified = true;
    return true;
}

bool CPavexDoc::addAction(CPavexAction action, UserPrompts& prompts) {
    if (actions.size() >= static_cast<std::size_t>(kMaxActions)) {
        prompts.message(journaltext::kTooManyActions);
        return false;
    }
    action.action = CPavexAction::normalisedActionText(action.action);
    actions.push_back(std::move(action));
    modified = true;
    return true;
}

bool CPavexDoc::deleteQuestionnaire(std::size_t index, UserPrompts& prompts) {
    if (index >= questionnaires.size() ||
        !prompts.question(journaltext::kDeleteQuestionnaire, journaltext::kDeleteQuestionnaireCaption)) {
        return false;
    }
    questionnaires.erase(questionnaires.begin() + static_cast<std::ptrdiff_t>(index));
    modified = true;
    return true;
}

bool CPavexDoc::deleteAction(std::size_t index, UserPrompts& prompts) {
    if (index >= actions.size() || !prompts.question(journaltext::kDeleteAction, journaltext::kDeleteActionCaption)) {
        return false;
    }
    actions.erase(actions.begin() + static_cast<std::ptrdiff_t>(index));
    modified = true;
    return true;
}

namespace {

// Flags are stored as 0 or 1; anything else read from a file counts as set.
bool invert(std::int32_t& flag) {
    flag = flag != 0 ? 0 : 1;
    return true;
}

} // namespace

bool CPavexDoc::toggleMark(std::int32_t behaviour) {
    if (behaviour < 0 || static_cast<std::size_t>(behaviour) >= framework.behaviours.size()) {
        return false;
    }
    modified = invert(framework.behaviours[static_cast<std::size_t>(behaviour)].marked);
    return true;
}

bool CPavexDoc::toggleUseInResults(std::size_t questionnaire) {
    if (questionnaire >= questionnaires.size()) {
        return false;
    }
    modified = invert(questionnaires[questionnaire].useInResults);
    return true;
}

bool CPavexDoc::toggleCompleted(std::size_t action) {
    if (action >= actions.size()) {
        return false;
    }
    modified = invert(actions[action].completed);
    return true;
}
