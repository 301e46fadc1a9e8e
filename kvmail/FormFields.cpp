// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/FormFields.h"

#include <iterator>

namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

std::string formfields::decodeValue(std::string_view encoded) {
    std::string value;
    value.reserve(encoded.size());
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c == '+') {
            value += ' ';
        } else if (c != '%') {
            value += c;
        } else if (i + 1 == encoded.size()) {
            break;
        } else if (const int high = hexDigitValue(encoded[i + 1]); high < 0) {
            value += encoded[++i];
        } else {
            ++i;
            int byte = high;
            if (i + 1 < encoded.size()) {
                if (const int low = hexDigitValue(encoded[i + 1]); low >= 0) {
                    byte = high * 16 + low;
                    ++i;
                }
            }
            if (byte > 0) {
                value += static_cast<char>(byte);
            }
        }
    }
    return value;
}

std::vector<std::pair<std::string, std::string>> formfields::fields(std::string_view body) {
    std::vector<std::pair<std::string, std::string>> decoded;
    while (!body.empty()) {
        const std::size_t pieceEnd = body.find('&');
        const std::string_view piece = body.substr(0, pieceEnd);
        body.remove_prefix(pieceEnd == body.npos ? body.size() : pieceEnd + 1);
        if (piece.empty()) {
            continue;
        }
        const std::size_t equals = piece.find('=');
        decoded.emplace_back(decodeValue(piece.substr(0, equals)),
                             equals == piece.npos ? std::string() : decodeValue(piece.substr(equals + 1)));
    }
    return decoded;
}

std::string formfields::field(std::string_view body, std::string_view name) {
    for (auto& [fieldName, value] : fields(body)) {
        if (fieldName == name) {
            return std::move(value);
        }
    }
    return {};
}

PostedForm PostedForm::parse(std::string_view body) {
    PostedForm form;
    const std::pair<std::string_view, std::string*> known[] = {
        {"email", &form.email},       {"name", &form.name},
        {"role", &form.role},         {"replies", &form.replies},
        {"password", &form.password}, {"relationship", &form.relationship},
        {"comments", &form.comments}, {"mailserver", &form.mailserver},
        {"from", &form.from},         {"subject", &form.subject},
        {"message", &form.message},
    };
    bool taken[std::size(known)] = {};
    for (auto& [name, value] : formfields::fields(body)) {
        for (std::size_t i = 0; i < std::size(known); ++i) {
            if (name == known[i].first) {
                // The first field of a name counts, even when it is empty.
                if (!taken[i]) {
                    *known[i].second = std::move(value);
                    taken[i] = true;
                }
                break;
            }
        }
    }
    return form;
}
