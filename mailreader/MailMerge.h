// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MailReader.h"

#include "model/Requests.h"

#include <cstddef>
#include <string>
#include <vector>

class CPavexDoc;
class UserPrompts;

// Merging every feedback file found in saved mail, in mail order, with the checks and questions of
// a single file's merge. Answers already in the journal are skipped without a question, and what
// a merge would have told is gathered into one summary instead of a message per file.
namespace mailmerge {

inline constexpr const char* kMergeFromMailTitle = "Merge Feedback From Mail";

enum class Verdict { Merged, AlreadyMerged, Refused };

// Texts in the files' code page, as the user is told them.
struct ReplyOutcome {
    std::size_t mail = 0;
    std::string name;
    Verdict verdict = Verdict::Refused;
    std::string detail; // who was merged, or why not
};

struct Summary {
    std::string source; // the mail file or folder as messages name it
    std::string refusal;
    std::size_t mailCount = 0;
    std::vector<ReplyOutcome> replies;
    std::vector<std::string> unread; // "mail N: why"
    requests::Merged merged;         // the questionnaires appended

    // Every reply found was merged or was there already, and nothing stood in the way.
    bool complete() const;
    std::string text() const;
};

Summary mergeFromMail(CPavexDoc& journal, const std::string& mailPath, UserPrompts& prompts);
Summary mergeMailContents(CPavexDoc& journal, const mailreader::MailContents& contents, const std::string& source,
                          UserPrompts& prompts);

} // namespace mailmerge
