// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// URL-encoded form decoding as the web questionnaire's posts need it. Values stay 8-bit bytes in
// the page's code page; nothing is converted.
namespace formfields {

// Decodes one name or value: "+" is a space; "%" with one or two hexadecimal digits is the byte
// they give (a zero byte is dropped); "%" before any other character keeps that character; a "%"
// at the very end ends the text.
std::string decodeValue(std::string_view encoded);

// Every field of the body in posted order: the body split at each "&", each piece at its first
// "=" (a piece without one is a name with an empty value), name and value decoded. Empty pieces
// are no fields.
std::vector<std::pair<std::string, std::string>> fields(std::string_view body);

// The value of the first field whose decoded name is exactly name; empty when there is none.
std::string field(std::string_view body, std::string_view name);

} // namespace formfields

// The eleven fields a web questionnaire posts; any other field is ignored.
struct PostedForm {
    std::string email;
    std::string name;
    std::string role;
    std::string replies;
    std::string password;
    std::string relationship;
    std::string comments;
    std::string mailserver;
    std::string from;
    std::string subject;
    std::string message;

    static PostedForm parse(std::string_view body);
};
