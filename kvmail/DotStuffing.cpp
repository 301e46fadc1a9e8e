// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/DotStuffing.h"

std::string dotStuffed(std::string_view body) {
    std::string stuffed;
    stuffed.reserve(body.size() + body.size() / 64);
    std::size_t lineStart = 0;
    while (lineStart < body.size()) {
        if (body[lineStart] == '.') {
            stuffed += '.';
        }
        // Lines end at LF, with or without CR: a server that ends them at a bare LF must not
        // find an unstuffed dot line either.
        const std::size_t lineFeed = body.find('\n', lineStart);
        const std::size_t next = lineFeed == body.npos ? body.size() : lineFeed + 1;
        stuffed.append(body, lineStart, next - lineStart);
        lineStart = next;
    }
    return stuffed;
}
