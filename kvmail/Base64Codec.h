// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Base64 with the standard alphabet and "=" padding, without line breaks (callers split lines).
class Base64Codec {
public:
    static std::string encode(std::string_view bytes);
    // Line breaks are skipped; any other character outside the alphabet, or padding in the wrong
    // place, gives nothing.
    static std::optional<std::string> decode(std::string_view text);
};
