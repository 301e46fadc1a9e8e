// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The feedback files found in saved mail, in mail order.
namespace mailreader {

// More attachments than this are not read: no journal could take them, and a mailbox of many
// thousand replies is more likely a mistake than a survey.
inline constexpr std::size_t kMaxAttachments = 1000;

struct FoundFile {
    std::size_t mail = 0; // the mail's number, from 1
    std::string name;     // the attachment's name, UTF-8; never used as a path
    std::string bytes;
};

struct MailProblem {
    std::size_t mail = 0;
    std::string text; // UTF-8
};

struct MailContents {
    std::size_t mailCount = 0;
    std::vector<FoundFile> files;
    std::vector<MailProblem> problems;
    // Set when the path is no mail at all or cannot be read (UTF-8); nothing else is then set.
    std::string refusal;
};

// Reads a message (.eml), an mbox file or a Maildir folder.
MailContents readFeedbackMail(const std::string& path);
// The same for the bytes of a message or an mbox.
MailContents readFeedbackMailBytes(std::string_view bytes);

} // namespace mailreader
