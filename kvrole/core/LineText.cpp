// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/LineText.h"

#include "model/Windows1252.h"

namespace kvrole {

namespace {

bool hasBeyondAscii(std::string_view bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

// "2", "2 and 5", "2, 5 and 9"; a long list names the first ten and counts the rest.
std::string listed(const std::vector<int>& lines) {
    constexpr std::size_t kNamed = 10;
    const std::size_t named = std::min(lines.size(), kNamed);
    std::string text;
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0) {
            text += (i + 1 == named && lines.size() <= kNamed) ? " and " : ", ";
        }
        text += std::to_string(lines[i]);
    }
    if (lines.size() > kNamed) {
        text += " and " + std::to_string(lines.size() - kNamed) + " more";
    }
    return text;
}

} // namespace

LineText fromUtf8ByLine(std::string_view utf8) {
    LineText result;
    int number = 1;
    std::size_t start = 0;
    while (start <= utf8.size()) {
        std::size_t end = start;
        while (end < utf8.size() && utf8[end] != '\n' && utf8[end] != '\r') {
            ++end;
        }
        const std::string_view line = utf8.substr(start, end - start);
        if (!cp1252::holdsUtf8(line)) {
            result.unfitLines.push_back(number);
        }
        result.cp1252 += cp1252::fromUtf8(line);
        if (end == utf8.size()) {
            break;
        }
        const std::size_t breakLength = utf8[end] == '\r' && end + 1 < utf8.size() && utf8[end + 1] == '\n' ? 2 : 1;
        result.cp1252 += utf8.substr(end, breakLength);
        start = end + breakLength;
        ++number;
    }
    return result;
}

LineText csvText(std::string_view fileBytes) {
    // Bytes of the code page beyond ASCII seldom form valid UTF-8, so a valid file is taken as UTF-8.
    if (hasBeyondAscii(fileBytes) && cp1252::isWellFormedUtf8(fileBytes)) {
        return fromUtf8ByLine(fileBytes);
    }
    return {std::string(fileBytes), {}};
}

std::string unfitLinesQuestion(std::string_view source, const std::vector<int>& lines) {
    const bool one = lines.size() == 1;
    return std::string(one ? "Line " : "Lines ") + listed(lines) + " of " + std::string(source) +
           (one ? " holds" : " hold") + " characters that a role cannot keep: it can hold only " +
           cp1252::kWhatTextsHold + ". Store " + (one ? "it" : "them") + " with \"?\" in place of those characters?";
}

} // namespace kvrole
