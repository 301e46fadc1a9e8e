// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PavexDoc.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class CWebReply;
class UserPrompts;

// Feedback requests: writing them from a journal, answering them, and merging the answers back.
namespace requests {

// The journal as a request file carries it: request flag set, no questionnaires, no actions and no
// password (the respondent must never hold the journal's key).
// The journal itself is never touched, so nothing needs restoring whatever happens next.
JournalRecord requestRecord(const JournalRecord& journal, bool keepDescriptions);

// The title with its last four characters replaced by ".kvq" ("Untitled" gives "Unti.kvq").
std::string proposedRequestName(const std::string& title);
// The chosen name with ".kvq" added unless it already ends in ".kvq" or ".kvi" (any case).
std::string withRequestExtension(const std::string& chosen);

// Create Feedback Request: asks for the file in a save dialog and writes the request. The journal,
// its modified state and its file name are unchanged afterwards. The path written, or nothing.
std::optional<std::string> createFeedbackRequest(const CPavexDoc& journal, UserPrompts& prompts);
// Writes the request file directly (for tools): false, after telling why, when it fails.
bool writeFeedbackRequest(const CPavexDoc& journal, const std::string& path, UserPrompts& prompts);

// What a merge appended: questionnaires first .. first + count - 1 of the journal. A merge that
// stopped appended nothing (count 0) and reads as false.
struct Merged {
    std::size_t first = 0;
    std::size_t count = 0;
    // Nothing appended because the answers are in the journal already (DuplicatePolicy::Skip).
    bool alreadyMerged = false;
    explicit operator bool() const { return count > 0; }
    bool operator==(const Merged&) const = default;
};

// What a merge does with answers that may have been merged before: ask the user, as a single
// file's merge does, or leave them out without asking, as a merge of many mails does.
enum class DuplicatePolicy { Ask, Skip };

// Merge Completed Feedback Request: an open dialog, then a merge by the kind of the chosen file.
Merged mergeCompletedFeedback(CPavexDoc& journal, UserPrompts& prompts);
Merged mergeFile(CPavexDoc& journal, const std::string& path, UserPrompts& prompts);
// Each check, question and message in turn; a merge that stops leaves the journal unchanged.
Merged mergeRequestFile(CPavexDoc& journal, const std::string& path, UserPrompts& prompts);
Merged mergeWebReply(CPavexDoc& journal, const std::string& path, UserPrompts& prompts);
// The same merges of a file already in memory (a mail's attachment); `name` is the file's name as
// messages show it, in the texts' code page. A name ending in ".kvi" is merged as a web reply.
Merged mergeCompletedBytes(CPavexDoc& journal, std::string_view bytes, const std::string& name, UserPrompts& prompts,
                           DuplicatePolicy duplicates);

// The questionnaire a web reply's answers make under the framework, usable in results, or the
// message that refuses it: the relationship must be the number of one of the six, and every answer
// a digit naming an option of the framework's first scale.
struct WebAnswers {
    std::optional<CPavexFeedback> questionnaire;
    std::string refusal;
};
WebAnswers questionnaireFromWebReply(const CWebReply& reply, const CPavexFramework& framework);

// Opening a request to answer it, as the reply program does: no password prompt; journals and
// completed requests are refused with their messages.
bool openRequestToAnswer(const std::string& path, CPavexDoc& request, UserPrompts& prompts);
// Why a framework cannot be answered in a questionnaire, or "" when it can: a questionnaire holds
// at most 256 answers, and a behaviour without options could never be answered.
std::string questionnaireRefusal(const CPavexFramework& framework);
// The respondent's questionnaire before any answer: "<anonymous>" for an empty name.
CPavexFeedback startAnswer(const std::string& assessor, std::int32_t relationship);
// The request with the answers in slot 0, as it is saved and returned.
CPavexDoc withAnswers(const CPavexDoc& request, CPavexFeedback answers);
// Stores the answers in slot 0 and saves the request in place.
bool completeRequest(CPavexDoc& request, CPavexFeedback answers, UserPrompts& prompts);

// What the status bar says after a success, in the texts' code page: what happened and what comes
// next. `path` is the platform's file name.
std::string requestSavedNews(const std::string& path);
// Names each merged assessor with the relationship: "Merged the feedback of Pat (Peer)".
std::string mergedNews(const CPavexDoc& journal, const Merged& merged);

} // namespace requests

namespace requesttext {
inline constexpr const char* kEnterYourName = "Please enter your name using Tools Options from the pull-down menus.";
inline constexpr const char* kCreateTitle = "Create Feedback Request";
inline constexpr const char* kMergeTitle = "Merge Completed Feedback Request";
inline constexpr const char* kNoResponses = "There are no responses in this feedback reply to merge";
inline constexpr const char* kWrongReplyPassword = "Sorry, that was the wrong password for the feedback reply";
inline constexpr const char* kDuplicate =
    "The responses in this feedback exactly match feedback already in your journal "
    "and may have been merged before.  Are you sure you wish to add it?";
inline constexpr const char* kCannotRead = "Sorry, cannot read that file";
inline constexpr const char* kReplyDoesNotMatch = "Sorry, the feedback doesn't match your role.";
inline constexpr const char* kReplyRelationshipUnknown =
    "Sorry, the feedback's relationship is not a number from 0 to 5, so it cannot be merged.";
inline constexpr const char* kNotARequest = "This is a Reflectory file.  You cannot open it with KVReply.";
inline constexpr const char* kAlreadyCompleted =
    "This Reflectory Request has already been completed.  Please send it back to the person that was assessed.";
std::string nameMismatch(const std::string& name);
std::string roleMismatch(const std::string& roleName);
} // namespace requesttext
