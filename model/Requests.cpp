// SPDX-License-Identifier: GPL-3.0-or-later
#include "Requests.h"

#include "AtomicFile.h"
#include "JournalFile.h"
#include "OleDate.h"
#include "SuiteFile.h"
#include "TextRules.h"
#include "UserPrompts.h"
#include "WebReply.h"
#include "Windows1252.h"
#include "vault/Envelope.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <functional>
#include <iterator>

namespace requesttext {

std::string nameMismatch(const std::string& name) {
    return "This feedback is for " + name +
           ". This does not match the name in the currently opened reflectory.  Are you sure you wish to merge it?";
}

std::string roleMismatch(const std::string& roleName) {
    return "This feedback is for the role of " + roleName + ". The behaviours do not match yours and cannot be merged.";
}

} // namespace requesttext

namespace requests {
namespace {

FileFilter completedFeedbackFilter(bool withReplies) {
    if (withReplies) {
        return {"Completed Feedback (*.kvq *.kvi)", {"*.kvq", "*.kvi"}};
    }
    return {"Completed Feedback (*.kvq)", {"*.kvq"}};
}

bool sameBehaviour(const CBehaviour& a, const CBehaviour& b) {
    return a.statement == b.statement && a.competency == b.competency && a.scale == b.scale;
}

bool commonBehavioursAgree(const CPavexFramework& journal, const CPavexFramework& other) {
    const std::size_t common = std::min(journal.behaviours.size(), other.behaviours.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (!sameBehaviour(journal.behaviours[i], other.behaviours[i])) {
            return false;
        }
    }
    return true;
}

// The "Security Check" for a reply protected by a password other than the journal's.
bool replyPasswordAccepted(const std::string& replyPassword, const std::string& journalPassword, UserPrompts& prompts) {
    if (replyPassword.empty() || replyPassword == journalPassword) {
        return true;
    }
    const std::optional<std::string> typed = prompts.askPassword();
    if (typed && *typed == replyPassword) {
        return true;
    }
    prompts.message(requesttext::kWrongReplyPassword);
    return false;
}

// Whether questionnaires about to be appended may have been merged before.
using DuplicateRule =
    std::function<bool(const std::vector<CPavexFeedback>& journal, const std::vector<CPavexFeedback>& incoming)>;

// A returned request holds a run of questionnaires: it was merged before when that run stands,
// in order, anywhere in the journal.
bool requestMergedBefore(const std::vector<CPavexFeedback>& journal, const std::vector<CPavexFeedback>& returned) {
    const auto same = [](const CPavexFeedback& a, const CPavexFeedback& b) { return a.sameAnswersAs(b); };
    return std::search(journal.begin(), journal.end(), returned.begin(), returned.end(), same) != journal.end();
}

// A web reply carries its answers by position only, so it matches any questionnaire of the journal
// with the same heading and the same option at every position.
bool webReplyMergedBefore(const std::vector<CPavexFeedback>& journal, const std::vector<CPavexFeedback>& incoming) {
    const CPavexFeedback& reply = incoming.front();
    return std::any_of(journal.begin(), journal.end(), [&](const CPavexFeedback& q) {
        return q.sameHeadingAs(reply) && q.responses.size() == reply.responses.size() &&
               std::equal(q.responses.begin(), q.responses.end(), reply.responses.begin(),
                          [](const CResponse& a, const CResponse& b) { return a.option == b.option; });
    });
}

// The ending both merges share: room for all of them, the duplicate question, then the append.
Merged appendQuestionnaires(CPavexDoc& journal, std::vector<CPavexFeedback> incoming, const DuplicateRule& mergedBefore,
                            DuplicatePolicy duplicates, UserPrompts& prompts) {
    // Answers already in the journal are no reason to refuse for want of room.
    if (mergedBefore(journal.questionnaires, incoming)) {
        if (duplicates == DuplicatePolicy::Skip) {
            return {journal.questionnaires.size(), 0, true};
        }
        if (!journal.checkRoomForQuestionnaire(prompts, incoming.size())) {
            return {};
        }
        if (!prompts.question(requesttext::kDuplicate)) {
            return {};
        }
    } else if (!journal.checkRoomForQuestionnaire(prompts, incoming.size())) {
        return {};
    }
    const Merged merged{journal.questionnaires.size(), incoming.size()};
    std::move(incoming.begin(), incoming.end(), std::back_inserter(journal.questionnaires));
    journal.modified = true;
    return merged;
}

// The reply must be for the journal's role and answer each of its behaviours; a questionnaire holds
// at most 256 answers, so a longer role cannot take web replies.
bool webReplyFitsRole(const CWebReply& reply, const CPavexDoc& journal) {
    const std::size_t behaviourCount = journal.framework.behaviours.size();
    return reply.roleName == journal.roleName && reply.responses.size() == behaviourCount &&
           behaviourCount <= static_cast<std::size_t>(kMaxResponses);
}

// The relationship index a reply names: only the decimal text of one of the six counts, since a
// reply whose relationship reads as anything else would be stored under a group nobody chose.
std::optional<std::int32_t> relationshipIndex(const std::string& text) {
    if (text.empty() || text.size() > 2 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const int value = std::stoi(text);
    return value < kRelationshipCount ? std::optional<std::int32_t>(value) : std::nullopt;
}

Merged mergeRequestBytes(CPavexDoc& journal, std::string_view bytes, const std::string& name, UserPrompts& prompts,
                         DuplicatePolicy duplicates) {
    JournalRecord returned;
    const ReadOutcome outcome =
        JournalFile::decode(bytes, returned, JournalFile::askingGate(prompts, JournalFile::kScriptPasswordTries, name));
    if (!outcome.ok()) {
        if (const std::string told = SuiteFile::readFailureMessageNamed(name, outcome); !told.empty()) {
            prompts.message(told);
        }
        return {};
    }
    if (returned.questionnaires.empty()) {
        prompts.message(requesttext::kNoResponses);
        return {};
    }
    if (!returned.person.empty() && returned.person != journal.person &&
        !prompts.question(requesttext::nameMismatch(returned.person))) {
        return {};
    }
    if (!commonBehavioursAgree(journal.framework, returned.framework)) {
        prompts.message(requesttext::roleMismatch(returned.roleName));
        return {};
    }
    if (!replyPasswordAccepted(returned.password, journal.password, prompts)) {
        return {};
    }
    return appendQuestionnaires(journal, std::move(returned.questionnaires), requestMergedBefore, duplicates, prompts);
}

Merged mergeWebReplyBytes(CPavexDoc& journal, std::string_view bytes, const std::string& name, UserPrompts& prompts,
                          DuplicatePolicy duplicates) {
    CWebReply reply;
    const ReadOutcome outcome = reply.decode(bytes);
    if (!outcome.ok()) {
        prompts.message(SuiteFile::readFailureMessageNamed(name, outcome));
        return {};
    }
    if (!webReplyFitsRole(reply, journal)) {
        prompts.message(requesttext::roleMismatch(reply.roleName));
        return {};
    }
    if (!replyPasswordAccepted(reply.password, journal.password, prompts)) {
        return {};
    }
    WebAnswers answers = questionnaireFromWebReply(reply, journal.framework);
    if (!answers.questionnaire) {
        prompts.message(answers.refusal);
        return {};
    }
    return appendQuestionnaires(journal, {std::move(*answers.questionnaire)}, webReplyMergedBefore, duplicates,
                                prompts);
}

} // namespace

JournalRecord requestRecord(const JournalRecord& journal, bool keepDescriptions) {
    JournalRecord request = journal;
    request.questionnaires.clear();
    request.actions.clear();
    request.request = 1;
    // Requests are never encrypted, and a request must not hand the key to the whole journal to every
    // respondent: it carries no password, so its merge asks none. A request that still carries one
    // (written before) is checked against it as ever.
    request.password.clear();
    request.encrypted = false;
    if (!keepDescriptions) {
        request.framework.descriptionsFlag = 0;
    }
    return request;
}

std::string proposedRequestName(const std::string& title) {
    if (title.size() <= 3) {
        return title;
    }
    return title.substr(0, title.size() - 4) + ".kvq";
}

std::string withRequestExtension(const std::string& chosen) {
    if (endsWithIgnoringCase(chosen, ".kvq") || endsWithIgnoringCase(chosen, ".kvi")) {
        return chosen;
    }
    return chosen + ".kvq";
}

bool writeFeedbackRequest(const CPavexDoc& journal, const std::string& path, UserPrompts& prompts) {
    if (journal.person.empty()) {
        prompts.message(requesttext::kEnterYourName);
        return false;
    }
    const std::string bytes = JournalFile::encode(requestRecord(journal, false));
    std::string error;
    if (!AtomicFile::write(path, bytes, &error)) {
        prompts.message("Sorry, " + SuiteFile::displayName(path) + " could not be saved: " + error + ".");
        return false;
    }
    return true;
}

std::optional<std::string> createFeedbackRequest(const CPavexDoc& journal, UserPrompts& prompts) {
    if (journal.person.empty()) {
        prompts.message(requesttext::kEnterYourName);
        return std::nullopt;
    }
    FileChoice choice;
    choice.title = requesttext::kCreateTitle;
    choice.filters = {completedFeedbackFilter(false)};
    choice.proposedName = proposedRequestName(journal.title());
    choice.defaultExtension = "kvq";
    choice.confirmOverwrite = true;
    const std::optional<std::string> chosen = prompts.chooseSaveFile(choice);
    if (!chosen) {
        return std::nullopt;
    }
    const std::string path = withRequestExtension(*chosen);
    if (!writeFeedbackRequest(journal, path, prompts)) {
        return std::nullopt;
    }
    return path;
}

std::string requestSavedNews(const std::string& path) {
    return "Saved the request to " + SuiteFile::displayName(path) +
           ": send it to the person who will answer it; they open it with the reply program";
}

std::string mergedNews(const CPavexDoc& journal, const Merged& merged) {
    std::string names;
    for (std::size_t index = merged.first; index < merged.first + merged.count && index < journal.questionnaires.size();
         ++index) {
        const CPavexFeedback& questionnaire = journal.questionnaires[index];
        if (!names.empty()) {
            names += ", ";
        }
        names += questionnaire.assessor;
        const std::int32_t relationship = questionnaire.relationship;
        if (relationship >= 0 && relationship < kRelationshipCount &&
            !journal.relationshipLabels[static_cast<std::size_t>(relationship)].empty()) {
            names += " (" + journal.relationshipLabels[static_cast<std::size_t>(relationship)] + ")";
        }
    }
    return "Merged the feedback of " + names;
}

Merged mergeCompletedFeedback(CPavexDoc& journal, UserPrompts& prompts) {
    FileChoice choice;
    choice.title = requesttext::kMergeTitle;
    choice.filters = {completedFeedbackFilter(true)};
    choice.mustExist = true;
    const std::optional<std::string> chosen = prompts.chooseOpenFile(choice);
    if (!chosen) {
        return {};
    }
    return mergeFile(journal, *chosen, prompts);
}

Merged mergeFile(CPavexDoc& journal, const std::string& path, UserPrompts& prompts) {
    return endsWithIgnoringCase(path, ".kvi") ? mergeWebReply(journal, path, prompts)
                                              : mergeRequestFile(journal, path, prompts);
}

Merged mergeRequestFile(CPavexDoc& journal, const std::string& path, UserPrompts& prompts) {
    std::string error;
    const std::optional<std::string> bytes = readWholeFile(path, &error);
    if (!bytes) {
        prompts.message(SuiteFile::readFailureMessage(path, {ReadStatus::Unreadable, error}));
        return {};
    }
    return mergeRequestBytes(journal, *bytes, SuiteFile::displayName(path), prompts, DuplicatePolicy::Ask);
}

WebAnswers questionnaireFromWebReply(const CWebReply& reply, const CPavexFramework& framework) {
    const std::optional<std::int32_t> relationship = relationshipIndex(reply.relationship);
    if (!relationship) {
        return {std::nullopt, requesttext::kReplyRelationshipUnknown};
    }
    const std::int32_t optionCount = framework.scales.empty() ? 0 : framework.scales[0].optionCount;
    CPavexFeedback questionnaire;
    questionnaire.assessor = reply.assessor;
    questionnaire.relationship = *relationship;
    questionnaire.date = reply.date;
    questionnaire.useInResults = 1;
    questionnaire.details = reply.details;
    for (std::size_t k = 0; k < reply.responses.size(); ++k) {
        const char c = reply.responses[k];
        if (c < '0' || c > '9' || c - '0' >= optionCount) {
            return {std::nullopt, requesttext::kReplyDoesNotMatch};
        }
        questionnaire.responses.push_back({static_cast<std::int32_t>(k), c - '0'});
    }
    return {std::move(questionnaire), {}};
}

Merged mergeWebReply(CPavexDoc& journal, const std::string& path, UserPrompts& prompts) {
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        prompts.message(requesttext::kCannotRead);
        return {};
    }
    return mergeWebReplyBytes(journal, *bytes, SuiteFile::displayName(path), prompts, DuplicatePolicy::Ask);
}

Merged mergeCompletedBytes(CPavexDoc& journal, std::string_view bytes, const std::string& name, UserPrompts& prompts,
                           DuplicatePolicy duplicates) {
    return endsWithIgnoringCase(name, ".kvi") ? mergeWebReplyBytes(journal, bytes, name, prompts, duplicates)
                                              : mergeRequestBytes(journal, bytes, name, prompts, duplicates);
}

bool openRequestToAnswer(const std::string& path, CPavexDoc& request, UserPrompts& prompts) {
    JournalRecord record;
    bool sealed = false;
    const ReadOutcome outcome = SuiteFile::readTelling(
        path,
        [&](std::string_view bytes) {
            // Requests are never encrypted: an envelope holds a journal.
            sealed = vault::looksSealed(bytes);
            return sealed ? ReadOutcome{} : JournalFile::decode(bytes, record);
        },
        prompts);
    if (!outcome.ok()) {
        return false;
    }
    if (sealed || record.request == 0) {
        prompts.message(requesttext::kNotARequest);
        return false;
    }
    if (!record.questionnaires.empty()) {
        prompts.message(requesttext::kAlreadyCompleted);
        return false;
    }
    request.openedFrom(std::move(record), path);
    return true;
}

CPavexFeedback startAnswer(const std::string& assessor, std::int32_t relationship) {
    CPavexFeedback answers;
    answers.assessor = assessor.empty() ? "<anonymous>" : assessor;
    answers.relationship = relationship;
    answers.date = oledate::now();
    answers.useInResults = 1;
    return answers;
}

CPavexDoc withAnswers(const CPavexDoc& request, CPavexFeedback answers) {
    CPavexDoc completed = request;
    completed.questionnaires.assign(1, std::move(answers));
    return completed;
}

bool completeRequest(CPavexDoc& request, CPavexFeedback answers, UserPrompts& prompts) {
    CPavexDoc completed = withAnswers(request, std::move(answers));
    if (!JournalFile::save(request.path, completed, prompts)) {
        return false;
    }
    request = std::move(completed);
    return true;
}

std::string questionnaireRefusal(const CPavexFramework& framework) {
    if (framework.behaviours.size() > static_cast<std::size_t>(kMaxResponses)) {
        return "Sorry, this role has more than " + std::to_string(kMaxResponses) +
               " behaviours, more than one questionnaire can hold, so it cannot be answered.";
    }
    for (const CBehaviour& behaviour : framework.behaviours) {
        const CResponseScale* scale = framework.scaleOf(behaviour);
        if (!scale || scale->optionCount <= 0) {
            return "Sorry, the behaviour \"" + behaviour.statement +
                   "\" has no answers to choose from, so this questionnaire cannot be completed.";
        }
    }
    return {};
}

} // namespace requests
