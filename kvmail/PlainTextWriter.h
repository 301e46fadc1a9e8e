// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvmail/PartWriter.h"

#include <string>

// Writes a text part: "text/plain" in the suite's code page, the text word-wrapped and then
// quoted-printable encoded, so that its 8-bit letters pass through 7-bit mail unharmed.
class PlainTextWriter : public PartWriter {
public:
    explicit PlainTextWriter(int wrapWidth);

    bool appendPart(const MailPart& part, std::string& body) const override;
    std::string contentType() const override { return "text/plain"; }

    // Breaks lines at the last space seen once a line grows past width + 1 characters. A line
    // without such a space stays whole, and when the text opens with one, a line break goes
    // before it. Existing CR LF breaks restart the count.
    static std::string wordWrap(std::string text, int width);

protected:
    std::string buildPartHeader(const MailPart& part) const override;

private:
    int m_wrapWidth;
};
