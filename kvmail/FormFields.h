#pragma once

#include <string>
#include <string_view>

// URL-encoded form decoding as the web questionnaire's posts need it. Values stay 8-bit bytes in
// the page's code page; nothing is converted.
namespace formfields {

// Decodes up to the first "&" or the end: "+" is a space; "%" with one or two hexadecimal digits
// is the byte they give (a zero byte is dropped); "%" before any other character keeps that
// character, even an "&"; a "%" at the very end ends the value.
std::string decodeValue(std::string_view encoded);

// The decoded value that follows the first "name=" anywhere in the body (not only at the start
// of a pair); empty when the body has none.
std::string field(std::string_view body, std::string_view name);

} // namespace formfields

// The eleven fields a web questionnaire posts.
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
