// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

// The keys of one section of an INI-style file. Section and key names match without regard to
// ASCII case; the first occurrence of a key wins; blanks around names and values are dropped,
// and so are quotes that enclose a whole value. Lines starting with ";" or "#" are comments.
class IniSection {
public:
    static IniSection parse(std::string_view text, std::string_view section);
    // A file that cannot be read gives an empty section.
    static IniSection readFile(const std::string& path, std::string_view section);

    // Empty when the key is missing; at most 255 characters.
    std::string value(std::string_view key) const;
    bool contains(std::string_view key) const;

    static constexpr std::size_t kMaxValueLength = 255;

private:
    std::map<std::string, std::string> m_values; // keys in lower case
};
