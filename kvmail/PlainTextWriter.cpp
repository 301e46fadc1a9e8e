// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/PlainTextWriter.h"

#include "kvmail/MailEncoding.h"
#include "kvmail/TextUtil.h"

#include <algorithm>

PlainTextWriter::PlainTextWriter(int wrapWidth) : PartWriter(PartKind::Text), m_wrapWidth(wrapWidth) {}

bool PlainTextWriter::appendPart(const MailPart& part, std::string& body) const {
    body += buildPartHeader(part);
    body += mailencoding::quotedPrintable(wordWrap(part.content, m_wrapWidth));
    return true;
}

std::string PlainTextWriter::buildPartHeader(const MailPart& part) const {
    return "Content-Type: " + contentType() + "; charset=" + std::string(mailencoding::kCharset) +
           part.contentTypeSuffix + "\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n";
}

std::string PlainTextWriter::wordWrap(std::string text, int width) {
    std::size_t breakAt = 0;
    int column = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') {
            breakAt = i;
        }
        if (text.compare(i, 2, "\r\n") == 0) {
            column = 0;
        }
        if (column <= width) {
            ++column;
            continue;
        }
        // The break position is not moved after a split; splitting there again later is what
        // keeps an overlong word whole. The text is edited in place so that a long text costs
        // one move per break, not a copy of the whole text.
        const std::size_t split = std::min(breakAt, text.size());
        std::size_t leftEnd = split;
        while (leftEnd > 0 && isMailWhiteSpace(text[leftEnd - 1])) {
            --leftEnd;
        }
        std::size_t rightStart = split;
        while (rightStart < text.size() && isMailWhiteSpace(text[rightStart])) {
            ++rightStart;
        }
        text.replace(leftEnd, rightStart - leftEnd, "\r\n");
        column = 0;
    }
    return text;
}
