// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// What every kvtool subcommand declares about itself, so that one dispatcher can parse its
// arguments, print the usage text and run it.

struct OptionSpec {
    std::string_view name;      // e.g. "--password"
    std::string_view valueName; // shown in the usage text, e.g. "P"; empty for a flag without a value
    bool required = false;
};

struct ParsedArguments {
    std::vector<std::string> positionals;
    std::map<std::string, std::string, std::less<>> options;

    // The value given for an option, or nullptr when it was not given.
    const std::string* option(std::string_view name) const;
};

struct Command {
    std::string_view name;
    std::vector<std::string_view> positionalNames; // every one is required
    std::vector<OptionSpec> options;
    std::string_view summary;
    // Writes its result to `out`; reports failure by throwing CommandFailure or UsageError.
    void (*run)(const ParsedArguments& arguments, std::ostream& out);

    // e.g. "dump FILE [--password P] [--kind role|journal|reply]"
    std::string synopsis() const;
};

// The command line is wrong: the tool prints the message and the usage text and exits with 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command could not do its work (damaged input, wrong password, a file that cannot be
// written): the tool prints the message as one line and exits with 1.
class CommandFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command ran in another program, which has already said what went wrong; only its exit status
// is passed on.
class RelayedFailure : public std::runtime_error {
public:
    explicit RelayedFailure(int status) : std::runtime_error("relayed failure"), m_status(status) {}
    int status() const { return m_status; }

private:
    int m_status;
};
