// SPDX-License-Identifier: GPL-3.0-or-later
#include "MailReader.h"

#include "MailSource.h"
#include "MimeAttachments.h"

namespace mailreader {
namespace {

// Collects what each message carries, up to the limit.
class Collector {
public:
    explicit Collector(MailContents& contents) : m_contents(contents) {}

    void operator()(mailsource::Message&& message) {
        m_contents.mailCount = message.number;
        if (!message.problem.empty()) {
            m_contents.problems.push_back({message.number, message.problem});
            return;
        }
        if (m_contents.files.size() >= kMaxAttachments) {
            if (!m_toldFull) {
                m_toldFull = true;
                m_contents.problems.push_back(
                    {message.number, "more than " + std::to_string(kMaxAttachments) +
                                         " attachments; this mail and those after it were not read"});
            }
            return;
        }
        mimeattachments::Found found = mimeattachments::feedbackAttachments(message.text);
        for (mimeattachments::Attachment& attachment : found.attachments) {
            if (m_contents.files.size() < kMaxAttachments) {
                m_contents.files.push_back({message.number, std::move(attachment.name), std::move(attachment.bytes)});
            }
        }
        if (!found.problem.empty()) {
            m_contents.problems.push_back({message.number, std::move(found.problem)});
        }
    }

private:
    MailContents& m_contents;
    bool m_toldFull = false;
};

} // namespace

MailContents readFeedbackMail(const std::string& path) {
    MailContents contents;
    Collector collect(contents);
    std::string refusal;
    if (!mailsource::readMessages(
            path, [&collect](mailsource::Message&& message) { collect(std::move(message)); }, &refusal)) {
        contents = MailContents{};
        contents.refusal = refusal;
    }
    return contents;
}

MailContents readFeedbackMailBytes(std::string_view bytes) {
    MailContents contents;
    Collector collect(contents);
    const auto visit = [&collect](mailsource::Message&& message) { collect(std::move(message)); };
    if (mailsource::kindOfBytes(bytes) == mailsource::Kind::Mbox) {
        mailsource::splitMbox(bytes, visit);
    } else if (bytes.size() > mailsource::kMaxMessageBytes) {
        contents.refusal = "larger than " + std::to_string(mailsource::kMaxMessageBytes >> 20) + " MB";
    } else {
        visit({1, std::string(bytes), {}});
    }
    return contents;
}

} // namespace mailreader
