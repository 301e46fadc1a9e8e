#include "kvmail/FormFields.h"

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
        if (c == '&') {
            break;
        }
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

std::string formfields::field(std::string_view body, std::string_view name) {
    const std::string key = std::string(name) + "=";
    const std::size_t at = body.find(key);
    if (at == body.npos) {
        return {};
    }
    return decodeValue(body.substr(at + key.size()));
}

PostedForm PostedForm::parse(std::string_view body) {
    using formfields::field;
    return PostedForm{
        field(body, "email"),    field(body, "name"),         field(body, "role"),     field(body, "replies"),
        field(body, "password"), field(body, "relationship"), field(body, "comments"), field(body, "mailserver"),
        field(body, "from"),     field(body, "subject"),      field(body, "message"),
    };
}
