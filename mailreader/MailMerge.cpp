// SPDX-License-Identifier: GPL-3.0-or-later
#include "MailMerge.h"

#include "model/PavexDoc.h"
#include "model/SuiteFile.h"
#include "model/UserPrompts.h"
#include "model/Windows1252.h"

#include <algorithm>

namespace mailmerge {
namespace {

// Questions and password prompts reach the user as in any merge; what a merge tells is kept as the
// reason in the summary.
class KeepingMessages : public UserPrompts {
public:
    explicit KeepingMessages(UserPrompts& user) : m_user(user) {}

    void message(std::string_view text, std::string_view) override {
        if (m_kept.empty()) {
            m_kept = text;
        }
    }
    bool question(std::string_view text, std::string_view caption) override { return m_user.question(text, caption); }
    std::optional<std::string> askPassword(std::string_view context) override {
        return m_user.askPassword(context.empty() ? std::string_view(m_context) : context);
    }
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override {
        return m_user.chooseOpenFile(choice);
    }
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override {
        return m_user.chooseSaveFile(choice);
    }
    SaveAnswer askSaveChanges(std::string_view name) override { return m_user.askSaveChanges(name); }

    void startFile(const std::string& context) {
        m_kept.clear();
        m_context = context;
    }
    const std::string& kept() const { return m_kept; }

private:
    UserPrompts& m_user;
    std::string m_kept;
    std::string m_context;
};

// A name from a mail as the summary shows it: in the texts' code page, on one line.
std::string shownName(const std::string& utf8) {
    std::string name = cp1252::fromUtf8(utf8);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }, '?');
    constexpr std::size_t kLongest = 120;
    if (name.size() > kLongest) {
        name = name.substr(0, kLongest) + "...";
    }
    return name;
}

std::string assessorsOf(const CPavexDoc& journal, const requests::Merged& merged) {
    const std::string news = requests::mergedNews(journal, merged);
    constexpr std::string_view kLead = "Merged the feedback of ";
    return news.starts_with(kLead) ? news.substr(kLead.size()) : news;
}

std::string counted(std::size_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

void appendSection(std::string& text, const std::string& heading, const std::vector<std::string>& lines) {
    if (lines.empty()) {
        return;
    }
    text += "\n" + heading + " (" + std::to_string(lines.size()) + "):";
    for (const std::string& line : lines) {
        text += "\n    " + line;
    }
}

} // namespace

bool Summary::complete() const {
    return refusal.empty() && unread.empty() && !replies.empty() &&
           std::none_of(replies.begin(), replies.end(),
                        [](const ReplyOutcome& r) { return r.verdict == Verdict::Refused; });
}

std::string Summary::text() const {
    if (!refusal.empty()) {
        return refusal;
    }
    std::string text;
    if (replies.empty()) {
        text = "No feedback (a .kvi or .kvq attachment) was found in " + source + " (" +
               counted(mailCount, "mail", "mails") + ").";
    } else {
        text = "From " + source + " (" + counted(mailCount, "mail", "mails") + "), " +
               counted(replies.size(), "reply", "replies") + ":";
    }
    std::vector<std::string> merged;
    std::vector<std::string> skipped;
    std::vector<std::string> refused;
    for (const ReplyOutcome& reply : replies) {
        const std::string line = reply.name + " (mail " + std::to_string(reply.mail) + ")";
        switch (reply.verdict) {
        case Verdict::Merged:
            merged.push_back(line + ": " + reply.detail);
            break;
        case Verdict::AlreadyMerged:
            skipped.push_back(line);
            break;
        case Verdict::Refused:
            refused.push_back(line + ": " + reply.detail);
            break;
        }
    }
    appendSection(text, "Merged", merged);
    appendSection(text, "Skipped as already merged", skipped);
    appendSection(text, "Refused", refused);
    appendSection(text, "Mail not read", unread);
    return text;
}

Summary mergeMailContents(CPavexDoc& journal, const mailreader::MailContents& contents, const std::string& source,
                          UserPrompts& prompts) {
    Summary summary;
    summary.source = source;
    if (!contents.refusal.empty()) {
        summary.refusal = "Sorry, " + source + " " + cp1252::fromUtf8(contents.refusal) + ".";
        return summary;
    }
    summary.mailCount = contents.mailCount;
    for (const mailreader::MailProblem& problem : contents.problems) {
        summary.unread.push_back("mail " + std::to_string(problem.mail) + ": " + shownName(problem.text));
    }
    const std::size_t before = journal.questionnaires.size();
    KeepingMessages keeping(prompts);
    for (const mailreader::FoundFile& file : contents.files) {
        ReplyOutcome outcome;
        outcome.mail = file.mail;
        outcome.name = shownName(file.name);
        keeping.startFile(outcome.name);
        const requests::Merged merged =
            requests::mergeCompletedBytes(journal, file.bytes, outcome.name, keeping, requests::DuplicatePolicy::Skip);
        if (merged) {
            outcome.verdict = Verdict::Merged;
            outcome.detail = assessorsOf(journal, merged);
        } else if (merged.alreadyMerged) {
            outcome.verdict = Verdict::AlreadyMerged;
        } else {
            outcome.detail = keeping.kept().empty() ? "not merged, as you chose" : keeping.kept();
        }
        summary.replies.push_back(std::move(outcome));
    }
    summary.merged = {before, journal.questionnaires.size() - before};
    return summary;
}

Summary mergeFromMail(CPavexDoc& journal, const std::string& mailPath, UserPrompts& prompts) {
    return mergeMailContents(journal, mailreader::readFeedbackMail(mailPath), SuiteFile::displayName(mailPath),
                             prompts);
}

} // namespace mailmerge
