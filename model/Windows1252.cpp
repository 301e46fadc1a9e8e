// SPDX-License-Identifier: GPL-3.0-or-later
#include "Windows1252.h"

#include <array>

namespace cp1252 {
namespace {

// 0x80..0x9F; the undefined bytes stand for the C1 controls of the same value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one character at text[*pos]; kInvalid for a malformed sequence (one byte is consumed).
char32_t decodeUtf8(std::string_view text, std::size_t* pos) {
    const auto lead = static_cast<unsigned char>(text[(*pos)++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        c = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        c = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        c = lead & 0x07;
        minimum = 0x10000;
    } else {
        return kInvalid;
    }
    std::size_t p = *pos;
    for (int i = 0; i < extra; ++i, ++p) {
        if (p >= text.size() || (static_cast<unsigned char>(text[p]) & 0xC0) != 0x80) {
            return kInvalid;
        }
        c = (c << 6) | (static_cast<unsigned char>(text[p]) & 0x3F);
    }
    *pos = p;
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return kInvalid;
    }
    return c;
}

} // namespace

char32_t toUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

char fromUnicode(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<char>(character);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == character) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        appendUtf8(out, toUnicode(static_cast<unsigned char>(b)));
    }
    return out;
}

std::string fromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = decodeUtf8(utf8, &pos);
        out.push_back(c == kInvalid ? '?' : fromUnicode(c));
    }
    return out;
}

std::string fromUtf16(const char16_t* units, std::size_t count) {
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            ++i; // a character beyond the basic plane is never in the code page
            out.push_back('?');
            continue;
        }
        out.push_back(fromUnicode(u));
    }
    return out;
}

bool holdsUtf8(std::string_view utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = decodeUtf8(utf8, &pos);
        if (c == kInvalid || (c != U'?' && fromUnicode(c) == '?')) {
            return false;
        }
    }
    return true;
}

bool isWellFormedUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (decodeUtf8(bytes, &pos) == kInvalid) {
            return false;
        }
    }
    return true;
}

bool holdsUtf16(const char16_t* units, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t u = units[i];
        if ((u >= 0xD800 && u <= 0xDFFF) || (u != u'?' && fromUnicode(u) == '?')) {
            return false; // a character beyond the basic plane (or half of one) is never in the code page
        }
    }
    return true;
}

std::string refusal(std::string_view field) {
    return "Sorry, " + std::string(field) + " can hold only " + kWhatTextsHold + ".";
}

} // namespace cp1252
