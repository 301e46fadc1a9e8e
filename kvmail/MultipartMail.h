// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvmail/MailPart.h"
#include "kvmail/OutgoingMail.h"

#include <string>
#include <vector>

// A "multipart/mixed" mail: the text goes first as a text part, then the parts added, each
// written by the registered part writer of its kind.
class MultipartMail : public OutgoingMail {
public:
    // Makes sure a text writer (wrapping at the mail's line length) and a file writer are registered.
    MultipartMail();

    // The content is trimmed of white space at both ends. A text part goes before all parts added
    // so far; any other kind after them.
    void addPart(std::string content, PartKind kind, std::string contentTypeSuffix = {}, int reserved1 = 0,
                 int reserved2 = 0);
    const std::vector<MailPart>& parts() const { return m_parts; }

    static constexpr const char* kPreamble = "This is a multi-part message in MIME format.";
    static constexpr const char* kBoundary = "ZQ_MAIL_PaRt_BoUnDaRy_05151998";
    static constexpr const char* kContentType = "multipart/mixed";

protected:
    void addHeaderLines() override;
    void prepareBody() override;
    virtual void appendParts(const std::vector<MailPart>& parts);

private:
    static void insertPart(std::vector<MailPart>& parts, MailPart part);

    std::vector<MailPart> m_parts;
};
