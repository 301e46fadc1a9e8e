// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/Kvtool.h"

#include "tools/ArgumentParser.h"
#include "tools/CommandTable.h"
#include "tools/TextIntake.h"

#include <algorithm>
#include <exception>

namespace kvtool {

namespace {

const Command* findCommand(std::string_view name) {
    const auto commands = kvtoolCommands();
    const auto found =
        std::find_if(commands.begin(), commands.end(), [&](const Command& command) { return command.name == name; });
    return found == commands.end() ? nullptr : &*found;
}

// Error lines must stay single lines whatever a library put in its message.
std::string oneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

int usageFailure(const std::string& problem, std::ostream& err) {
    err << "kvtool: " << oneLine(problem) << '\n' << usageText();
    return kExitUsage;
}

} // namespace

std::string usageText() {
    std::string text = "usage:\n";
    for (const auto& command : kvtoolCommands()) {
        text += "  kvtool " + command.synopsis() + '\n';
        text += "      " + std::string(command.summary) + '\n';
    }
    text += "  kvtool --help\n"
            "      Show this text.\n"
            "Texts given on the command line or in JSON are refused when Windows-1252 cannot hold them;\n"
            "kvtool " +
            std::string(textintake::kReplaceOption) +
            " COMMAND ... stores such characters as \"?\".\n"
            "Exit status: 0 done, 1 the input is damaged or unreadable or the output cannot be written,\n"
            "2 the command line is wrong.\n";
    return text;
}

int run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    const bool replacing = !arguments.empty() && arguments[0] == textintake::kReplaceOption;
    textintake::setReplacing(replacing);
    if (replacing) {
        arguments = arguments.subspan(1);
    }
    if (arguments.empty()) {
        return usageFailure("no command given", err);
    }
    if (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help") {
        out << usageText();
        return kExitOk;
    }
    const Command* command = findCommand(arguments[0]);
    if (command == nullptr) {
        return usageFailure("unknown command \"" + arguments[0] + "\"", err);
    }
    const auto rest = arguments.subspan(1);
    if (asksForHelp(*command, rest)) {
        out << usageText();
        return kExitOk;
    }
    try {
        command->run(parseArguments(*command, rest), out);
        out.flush();
        if (!out) {
            err << "kvtool: cannot write to standard output\n";
            return kExitFailure;
        }
        return kExitOk;
    } catch (const UsageError& error) {
        return usageFailure(error.what(), err);
    } catch (const RelayedFailure& failure) {
        return failure.status();
    } catch (const CommandFailure& error) {
        err << oneLine(error.what()) << '\n';
        return kExitFailure;
    } catch (const std::bad_alloc&) {
        err << "kvtool: out of memory\n";
        return kExitFailure;
    } catch (const std::exception& error) {
        // Not expected; still one line and a failure status rather than an abort.
        err << "kvtool: " << oneLine(error.what()) << '\n';
        return kExitFailure;
    }
}

} // namespace kvtool
