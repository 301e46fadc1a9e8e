// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

enum class PartKind : int { Text = 0, File = 1 };

// One part of a multipart mail, as handed to the part writer of its kind.
struct MailPart {
    std::string content; // the text itself, or the path of the file to attach
    PartKind kind = PartKind::Text;
    std::string contentTypeSuffix; // appended right after a text part's content type
    // Carried for callers that record them; no writer reads them.
    int reserved1 = 0;
    int reserved2 = 0;
};
