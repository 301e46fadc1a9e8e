// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ArgumentParser.h"

#include <algorithm>

namespace {

bool isHelpFlag(std::string_view token) {
    return token == "--help" || token == "-h";
}

bool looksLikeOption(std::string_view token) {
    return token.size() > 1 && token.front() == '-';
}

const OptionSpec* findOption(const Command& command, std::string_view name) {
    const auto found = std::find_if(command.options.begin(), command.options.end(),
                                    [&](const OptionSpec& option) { return option.name == name; });
    return found == command.options.end() ? nullptr : &*found;
}

// Walks the tokens the way parseArguments does, telling `visit` about each option or positional.
template <typename Visitor> void walk(const Command& command, std::span<const std::string> arguments, Visitor&& visit) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& token = arguments[i];
        if (optionsEnded || !looksLikeOption(token)) {
            visit.positional(token);
            continue;
        }
        if (token == "--") {
            optionsEnded = true;
            continue;
        }
        if (isHelpFlag(token)) {
            visit.help();
            continue;
        }
        const auto equals = token.find('=');
        const std::string name = token.substr(0, equals);
        const OptionSpec* option = findOption(command, name);
        if (option == nullptr) {
            visit.unknown(name);
            continue;
        }
        if (option->valueName.empty()) {
            visit.option(*option, std::string()); // a flag: present or not
        } else if (equals != std::string::npos) {
            visit.option(*option, token.substr(equals + 1));
        } else if (i + 1 < arguments.size()) {
            visit.option(*option, arguments[++i]);
        } else {
            visit.missingValue(*option);
        }
    }
}

struct HelpFinder {
    bool found = false;
    void positional(const std::string&) {}
    void help() { found = true; }
    void unknown(const std::string&) {}
    void option(const OptionSpec&, const std::string&) {}
    void missingValue(const OptionSpec&) {}
};

struct Collector {
    const Command& command;
    ParsedArguments parsed;

    void positional(const std::string& token) { parsed.positionals.push_back(token); }
    void help() {}
    void unknown(const std::string& name) {
        throw UsageError(std::string(command.name) + " does not take the option " + name);
    }
    void option(const OptionSpec& option, const std::string& value) {
        if (!parsed.options.emplace(std::string(option.name), value).second) {
            throw UsageError(std::string(option.name) + " is given more than once");
        }
    }
    void missingValue(const OptionSpec& option) {
        throw UsageError(std::string(option.name) + " needs a value (" + std::string(option.valueName) + ")");
    }
};

} // namespace

bool asksForHelp(const Command& command, std::span<const std::string> arguments) {
    HelpFinder finder;
    walk(command, arguments, finder);
    return finder.found;
}

ParsedArguments parseArguments(const Command& command, std::span<const std::string> arguments) {
    Collector collector{command, {}};
    walk(command, arguments, collector);
    ParsedArguments& parsed = collector.parsed;

    const std::size_t wanted = command.positionalNames.size();
    if (parsed.positionals.size() < wanted) {
        throw UsageError(std::string(command.name) + " needs " +
                         std::string(command.positionalNames[parsed.positionals.size()]));
    }
    if (parsed.positionals.size() > wanted) {
        throw UsageError(std::string(command.name) + " does not take the argument \"" + parsed.positionals[wanted] +
                         "\"");
    }
    for (const auto& option : command.options) {
        if (option.required && parsed.option(option.name) == nullptr) {
            throw UsageError(std::string(command.name) + " needs " + std::string(option.name) + ' ' +
                             std::string(option.valueName));
        }
    }
    return parsed;
}
