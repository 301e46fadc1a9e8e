// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "questionnaire/DialogFlavour.h"

#include <QStringList>

#include <string>

class CPavexDoc;
class UserPrompts;

// The respondent's program in one pass: choose the request, check it, ask who is answering, run
// the questionnaire and save the answers back into the request file.
class ReplyProgram {
public:
    enum class Outcome { Saved, SavedElsewhere, Cancelled, Refused };

    ReplyProgram(UserPrompts& prompts, DialogDecoration decoration);

    // arguments: the command line without the program name; the first one, if any, is the request.
    Outcome run(const QStringList& arguments);

private:
    bool chooseRequest(const QStringList& arguments, std::string* path);
    Outcome save(CPavexDoc& completed);

    UserPrompts& m_prompts;
    DialogDecoration m_decoration;
};

namespace replytext {
inline constexpr const char* kProgramTitle = "KVReply";
inline constexpr const char* kOpenTitle = "Open Reflectory Request";
inline constexpr const char* kSaveElsewhereTitle = "Save Completed Reflectory Request";
inline constexpr const char* kSaveElsewhere =
    "Your answers have not been lost.  Do you want to save the completed request somewhere else?";
inline constexpr const char* kAnswersDiscarded = "Your answers have not been saved.";
// The last word of a run: where the answers are (the platform's path) and what to do with the file.
std::string answersSaved(const std::string& path, const std::string& requester);
} // namespace replytext
