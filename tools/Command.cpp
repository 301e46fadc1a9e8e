// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/Command.h"

const std::string* ParsedArguments::option(std::string_view name) const {
    const auto found = options.find(name);
    return found == options.end() ? nullptr : &found->second;
}

std::string Command::synopsis() const {
    std::string text(name);
    for (const auto positional : positionalNames) {
        text += ' ';
        text += positional;
    }
    for (const auto& option : options) {
        std::string part = std::string(option.name);
        if (!option.valueName.empty()) {
            part += ' ' + std::string(option.valueName);
        }
        text += option.required ? ' ' + part : " [" + part + ']';
    }
    return text;
}
