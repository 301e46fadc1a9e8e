// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The feedback files a mail carries: its attachments whose names end in ".kvi" or ".kvq".
namespace mimeattachments {

struct Attachment {
    std::string name;  // decoded (RFC 2047, RFC 2231 or raw Windows-1252), UTF-8; never a path
    std::string bytes; // the content, transfer encoding undone
};

struct Found {
    std::vector<Attachment> attachments;
    std::string problem; // UTF-8; set when the mail could not be read, or only in part
};

// Parts nest no deeper than this (multiparts and attached mails); deeper ones are left unread.
inline constexpr int kMaxNesting = 32;

// Whether an attachment of this name is one to merge (".kvi" or ".kvq", any case).
bool isFeedbackName(std::string_view name);

// Parses one message. Damaged input is expected: it gives what could be read and a problem.
Found feedbackAttachments(std::string_view message);

} // namespace mimeattachments
