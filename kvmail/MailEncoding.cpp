// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/MailEncoding.h"

#include <array>

namespace {

constexpr std::array<char, 16> kHexDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                          '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};

void appendHex(std::string& out, char c) {
    const auto byte = static_cast<unsigned char>(c);
    out += '=';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

bool isPrintableAscii(char c) {
    return c >= '!' && c <= '~';
}

// Letters, digits and the few marks an encoded word may carry as they are in any header.
bool isEncodedWordLiteral(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '!' || c == '*' ||
           c == '+' || c == '-' || c == '/';
}

} // namespace

std::string mailencoding::quotedPrintable(std::string_view text) {
    constexpr std::size_t kMaxLine = 76;
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t lineLength = 0;
    std::string piece;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            out += "\r\n";
            lineLength = 0;
            ++i;
            continue;
        }
        const char c = text[i];
        // Whitespace at the end of a line is dropped by mail transport, so it is encoded there.
        const bool endsLine = i + 1 == text.size() || text.compare(i + 1, 2, "\r\n") == 0;
        piece.clear();
        if ((isPrintableAscii(c) && c != '=') || ((c == ' ' || c == '\t') && !endsLine)) {
            piece += c;
        } else {
            appendHex(piece, c);
        }
        // Within a line, room stays for the "=" of a soft break that may have to follow.
        if (lineLength + piece.size() > (endsLine ? kMaxLine : kMaxLine - 1)) {
            out += "=\r\n";
            lineLength = 0;
        }
        out += piece;
        lineLength += piece.size();
    }
    return out;
}

std::string mailencoding::headerText(std::string_view text) {
    const bool plain = text.find("=?") == text.npos && [text] {
        for (const char c : text) {
            if (!isPrintableAscii(c) && c != ' ' && c != '\t') {
                return false;
            }
        }
        return true;
    }();
    if (plain) {
        return std::string(text);
    }
    // "Subject: " plus a word of 17 + 45 + 2 characters stays within 76 on the first line.
    constexpr std::size_t kMaxEncodedText = 45;
    const std::string open = "=?" + std::string(kCharset) + "?Q?";
    std::string out;
    std::string word;
    const auto closeWord = [&] {
        if (!out.empty()) {
            out += "\r\n ";
        }
        out += open + word + "?=";
        word.clear();
    };
    std::string piece;
    for (const char c : text) {
        piece.clear();
        if (c == ' ') {
            piece = "_";
        } else if (isEncodedWordLiteral(c)) {
            piece += c;
        } else {
            appendHex(piece, c);
        }
        if (word.size() + piece.size() > kMaxEncodedText) {
            closeWord();
        }
        word += piece;
    }
    closeWord();
    return out;
}
