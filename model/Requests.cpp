#include "Requests.h"

#include "AtomicFile.h"
#include "JournalFile.h"
#include "OleDate.h"
#include "TextRules.h"
#include "UserPrompts.h"
#include "WebReply.h"
#include "Windows1252.h"
#include "vault/Envelope.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <filesystem>

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

bool roomFor(const CPavexDoc& journal, std::size_t count, UserPrompts& prompts) {
    if (journal.questionnaires.size() + count > static_cast<std::size_t>(kMaxQuestionnaires)) {
        prompts.message(journaltext::kTooManyQuestionnaires);
        return false;
    }
    return true;
}

bool isRequestDuplicate(const std::vector<CPavexFeedback>& journal, const std::vector<CPavexFeedback>& returned) {
    if (returned.size() > journal.size()) {
        return false;
    }
    for (std::size_t start = 0; start + returned.size() <= journal.size(); ++start) {
        bool all = true;
        for (std::size_t k = 0; k < returned.size() && all; ++k) {
            all = journal[start + k].sameAnswersAs(returned[k]);
        }
        if (all) {
            return true;
        }
    }
    return false;
}

// A decimal number at the start of the text, as the C library reads one; 0 when there is none.
// Values beyond the integer range saturate, which no relationship can be.
long long leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), LLONG_MAX / 20);
    }
    return negative ? -value : value;
}

std::string displayName(const std::string& path) {
    return cp1252::fromUtf8(std::filesystem::path(path).filename().string());
}

} // namespace

JournalRecord requestRecord(const JournalRecord& journal, bool keepDescriptions) {
    JournalRecord request = journal;
    request.questionnaires.clear();
    request.actions.clear();
    request.request = 1;
    // Requests are never encrypted, and one from an encrypted journal must not hand its key to every
    // respondent: it carries no password, so its merge asks none.
    if (journal.encrypted) {
        request.password.clear();
    }
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
    if (const std::optional<std::string> error = AtomicFile::write(path, bytes)) {
        prompts.message("Sorry, " + displayName(path) + " could not be saved: " + *error + ".");
        return false;
    }
    return true;
}

bool createFeedbackRequest(const CPavexDoc& journal, UserPrompts& prompts) {
    if (journal.person.empty()) {
        prompts.message(requesttext::kEnterYourName);
        return false;
    }
    FileChoice choice;
    choice.title = requesttext::kCreateTitle;
    choice.filters = {completedFeedbackFilter(false)};
    choice.proposedName = proposedRequestName(journal.title());
    choice.defaultExtension = "kvq";
    choice.confirmOverwrite = true;
    const std::optional<std::string> chosen = prompts.chooseSaveFile(choice);
    if (!chosen) {
        return false;
    }
    return writeFeedbackRequest(journal, withRequestExtension(*chosen), prompts);
}

bool mergeCompletedFeedback(CPavexDoc& journal, UserPrompts& prompts) {
    FileChoice choice;
    choice.title = requesttext::kMergeTitle;
    choice.filters = {completedFeedbackFilter(true)};
    choice.mustExist = true;
    const std::optional<std::string> chosen = prompts.chooseOpenFile(choice);
    if (!chosen) {
        return false;
    }
    return mergeFile(journal, *chosen, prompts);
}

bool mergeFile(CPavexDoc& journal, const std::string& path, UserPrompts& prompts) {
    return endsWithIgnoringCase(path, ".kvi") ? mergeWebReply(journal, path, prompts)
                                              : mergeRequestFile(journal, path, prompts);
}

bool mergeRequestFile(CPavexDoc& journal, const std::string& path, UserPrompts& prompts) {
    JournalRecord returned;
    if (!JournalFile::read(path, returned, prompts).ok()) {
        return false;
    }
    if (returned.questionnaires.empty()) {
        prompts.message(requesttext::kNoResponses);
        return false;
    }
    if (!returned.person.empty() && returned.person != journal.person &&
        !prompts.question(requesttext::nameMismatch(returned.person))) {
        return false;
    }
    if (!commonBehavioursAgree(journal.framework, returned.framework)) {
        prompts.message(requesttext::roleMismatch(returned.roleName));
        return false;
    }
    if (!replyPasswordAccepted(returned.password, journal.password, prompts)) {
        return false;
    }
    if (!roomFor(journal, returned.questionnaires.size(), prompts)) {
        return false;
    }
    if (isRequestDuplicate(journal.questionnaires, returned.questionnaires) &&
        !prompts.question(requesttext::kDuplicate)) {
        return false;
    }
    for (CPavexFeedback& questionnaire : returned.questionnaires) {
        journal.questionnaires.push_back(std::move(questionnaire));
    }
    journal.modified = true;
    return true;
}

bool mergeWebReply(CPavexDoc& journal, const std::string& path, UserPrompts& prompts) {
    std::string error;
    const std::optional<std::string> bytes = readWholeFile(path, &error);
    if (!bytes) {
        prompts.message(requesttext::kCannotRead);
        return false;
    }
    CWebReply reply;
    const ReadOutcome outcome = reply.decode(*bytes);
    if (!outcome.ok()) {
        prompts.message(JournalFile::readFailureMessage(path, outcome));
        return false;
    }
    const std::size_t behaviourCount = journal.framework.behaviours.size();
    // A questionnaire holds at most 256 answers, so a longer role cannot take web replies.
    if (reply.roleName != journal.roleName || reply.responses.size() != behaviourCount ||
        behaviourCount > static_cast<std::size_t>(kMaxResponses)) {
        prompts.message(requesttext::roleMismatch(reply.roleName));
        return false;
    }
    if (!replyPasswordAccepted(reply.password, journal.password, prompts)) {
        return false;
    }
    const long long relationship = leadingNumber(reply.relationship);
    const std::int32_t optionCount = journal.framework.scales.empty() ? 0 : journal.framework.scales[0].optionCount;
    const bool answersFit = std::all_of(reply.responses.begin(), reply.responses.end(), [&](char c) {
        const int option = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : 0;
        return option < optionCount;
    });
    if (relationship < 0 || relationship >= kRelationshipCount || !answersFit) {
        prompts.message(requesttext::kReplyDoesNotMatch);
        return false;
    }

    CPavexFeedback questionnaire;
    questionnaire.assessor = reply.assessor;
    questionnaire.relationship = static_cast<std::int32_t>(relationship);
    questionnaire.date = reply.date;
    questionnaire.useInResults = 1;
    questionnaire.details = reply.details;
    for (std::size_t k = 0; k < reply.responses.size(); ++k) {
        const char c = reply.responses[k];
        const int option = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : 0;
        questionnaire.responses.push_back({static_cast<std::int32_t>(k), option});
    }

    if (!roomFor(journal, 1, prompts)) {
        return false;
    }
    const bool duplicate =
        std::any_of(journal.questionnaires.begin(), journal.questionnaires.end(), [&](const CPavexFeedback& q) {
            if (q.assessor != questionnaire.assessor || q.relationship != questionnaire.relationship ||
                q.responses.size() != behaviourCount || q.date.status != questionnaire.date.status ||
                q.date.value != questionnaire.date.value || q.details != questionnaire.details) {
                return false;
            }
            for (std::size_t k = 0; k < behaviourCount; ++k) {
                if (q.responses[k].option != questionnaire.responses[k].option) {
                    return false;
                }
            }
            return true;
        });
    if (duplicate && !prompts.question(requesttext::kDuplicate)) {
        return false;
    }
    journal.questionnaires.push_back(std::move(questionnaire));
    journal.modified = true;
    return true;
}

bool openRequestToAnswer(const std::string& path, CPavexDoc& request, UserPrompts& prompts) {
    std::string error;
    const std::optional<std::string> bytes = readWholeFile(path, &error);
    // Requests are never encrypted: an envelope holds a journal.
    if (bytes && vault::looksSealed(*bytes)) {
        prompts.message(requesttext::kNotARequest);
        return false;
    }
    JournalRecord record;
    const ReadOutcome outcome =
        bytes ? JournalFile::decode(*bytes, record) : ReadOutcome{ReadOutcome::Result::Unreadable, error};
    if (!outcome.ok()) {
        prompts.message(JournalFile::readFailureMessage(path, outcome));
        return false;
    }
    if (record.request == 0) {
        prompts.message(requesttext::kNotARequest);
        return false;
    }
    if (!record.questionnaires.empty()) {
        prompts.message(requesttext::kAlreadyCompleted);
        return false;
    }
    static_cast<JournalRecord&>(request) = std::move(record);
    request.path = path;
    request.modified = false;
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
