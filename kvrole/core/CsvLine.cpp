// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/CsvLine.h"

#include <cctype>

namespace kvrole {

namespace {

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

void skipSpace(std::string_view text, std::size_t& at) {
    while (at < text.size() && isSpace(text[at])) {
        ++at;
    }
}

// `at` is on the opening quote; leaves it after the closing quote (or at the end of an unclosed field).
std::string readQuoted(std::string_view text, std::size_t& at) {
    std::string field;
    ++at;
    while (at < text.size()) {
        const char c = text[at++];
        if (c != '"') {
            field += c;
        } else if (at < text.size() && text[at] == '"') {
            // A spreadsheet writes a quote inside a quoted field as two; the text holds one.
            field += '"';
            ++at;
        } else {
            break;
        }
    }
    return field;
}

std::string readPlain(std::string_view text, std::size_t& at) {
    const std::size_t end = std::min(text.find(',', at), text.size());
    std::string field(text.substr(at, end - at));
    at = end;
    return field;
}

std::string readField(std::string_view text, std::size_t& at) {
    if (at < text.size() && text[at] == '"') {
        std::string field = readQuoted(text, at);
        skipSpace(text, at);
        return field;
    }
    return readPlain(text, at);
}

} // namespace

CsvFields splitCsvLine(std::string_view line) {
    CsvFields fields;
    std::size_t at = 0;
    skipSpace(line, at);
    fields.statement = readField(line, at);
    if (at < line.size() && line[at] == ',') {
        ++at;
    }
    skipSpace(line, at);
    fields.competency = readField(line, at);
    return fields;
}

std::vector<std::string_view> csvLines(std::string_view text, std::size_t pieceLength) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        std::size_t next = end;
        if (end == std::string_view::npos) {
            end = next = text.size();
        } else if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
            next = end + 2;
        } else {
            next = end + 1;
        }
        for (std::size_t piece = start; piece < end; piece += pieceLength) {
            lines.push_back(text.substr(piece, std::min(pieceLength, end - piece)));
        }
        if (start == end) {
            lines.push_back({});
        }
        start = next;
    }
    return lines;
}

} // namespace kvrole
