// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/MailServerAddress.h"

#include <charconv>

namespace {

std::optional<int> portNumber(std::string_view digits) {
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || digits[0] == '+' || digits[0] == '-' || error != std::errc() ||
        end != digits.data() + digits.size() || value < 1 || value > 65535) {
        return std::nullopt;
    }
    return value;
}

} // namespace

MailServerAddress MailServerAddress::parse(std::string_view text) {
    if (text.starts_with('[')) {
        const std::size_t close = text.find(']');
        if (close == text.npos) {
            return {std::string(text), std::nullopt, false};
        }
        const std::string host(text.substr(1, close - 1));
        const std::string_view rest = text.substr(close + 1);
        if (rest.empty()) {
            return {host, std::nullopt, false};
        }
        const bool colon = rest.starts_with(':');
        return {colon ? host : std::string(text), colon ? portNumber(rest.substr(1)) : std::nullopt, true};
    }
    const std::size_t colon = text.find(':');
    if (colon == text.npos || text.find(':', colon + 1) != text.npos) {
        return {std::string(text), std::nullopt, false};
    }
    return {std::string(text.substr(0, colon)), portNumber(text.substr(colon + 1)), true};
}
