// SPDX-License-Identifier: GPL-3.0-or-later
// kvtool itself does not load the drawing libraries: render and report run in kvtool-pages, the
// program beside it, so that every other command starts small.
#include "tools/PageCommandDefinitions.h"
#include "tools/RenderCommands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

std::filesystem::path pagesProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::path("kvtool") : self).parent_path() / "kvtool-pages";
}

std::vector<std::string> commandLine(const Command& command, const ParsedArguments& arguments) {
    std::vector<std::string> words{"kvtool-pages", std::string(command.name)};
    words.insert(words.end(), arguments.positionals.begin(), arguments.positionals.end());
    for (const auto& [name, value] : arguments.options) {
        words.push_back(name);
        for (const OptionSpec& option : command.options) {
            if (option.name == name && !option.valueName.empty()) {
                words.push_back(value);
            }
        }
    }
    return words;
}

void relay(const Command& command, const ParsedArguments& arguments, std::ostream& out) {
    const std::filesystem::path program = pagesProgram();
    const std::vector<std::string> words = commandLine(command, arguments);
    std::vector<char*> argv;
    for (const std::string& word : words) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    out.flush();
    std::cout.flush();
    const pid_t child = fork();
    if (child < 0) {
        throw CommandFailure(std::string("cannot start ") + program.string() + ": " + std::strerror(errno));
    }
    if (child == 0) {
        execv(program.c_str(), argv.data());
        std::cerr << "kvtool: cannot start " << program.string() << ": " << std::strerror(errno) << '\n';
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        // kvtool-pages has told what went wrong; the exit status says that something did.
        throw RelayedFailure(WIFEXITED(status) ? WEXITSTATUS(status) : 1);
    }
}

void relayRender(const ParsedArguments& arguments, std::ostream& out) {
    relay(renderCommandDefinition(nullptr), arguments, out);
}

void relayReport(const ParsedArguments& arguments, std::ostream& out) {
    relay(reportCommandDefinition(nullptr), arguments, out);
}

} // namespace

Command renderCommand() {
    return renderCommandDefinition(&relayRender);
}

Command reportCommand() {
    return reportCommandDefinition(&relayReport);
}
