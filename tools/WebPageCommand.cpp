// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/WebPageCommand.h"

#include "tools/TextIntake.h"
#include "tools/ToolFiles.h"

#include "kvrole/core/WebQuestionnaire.h"
#include "model/FileSearch.h"
#include "model/RoleFile.h"
#include "model/Windows1252.h"

#include <cstdlib>
#include <iostream>

namespace {

// Command-line texts are UTF-8; the page, like the files, is Windows-1252.
void takeOption(const ParsedArguments& arguments, std::string_view name, std::string& setting) {
    if (const std::string* given = arguments.option(name)) {
        setting = textintake::fromUtf8(*given, name);
    }
}

void runWebPage(const ParsedArguments& arguments, std::ostream& out) {
    const std::string& rolePath = arguments.positionals.at(0);
    const std::string& pagePath = *arguments.option("-o");

    CRole role;
    requireReadable(rolePath, RoleFile::decode(readInputFile(rolePath), role));

    // No desktop settings here: what is not given is what a new user of the role editor starts with.
    kvrole::WebPageSettings settings;
    takeOption(arguments, "--from", settings.from);
    takeOption(arguments, "--mailserver", settings.mailServer);
    takeOption(arguments, "--cgi", settings.cgi);
    takeOption(arguments, "--message", settings.message);
    takeOption(arguments, "--subject", settings.subject);
    takeOption(arguments, "--email", settings.email);
    if (arguments.option("--no-gateway") != nullptr) {
        if (arguments.option("--cgi") != nullptr) {
            throw UsageError("--no-gateway and --cgi exclude each other");
        }
        settings.cgi.clear();
    }
    // Said before anything is written: such a page would otherwise fail only at its first post.
    if (const std::string warning = kvrole::mailServerPortWarning(settings.mailServer); !warning.empty()) {
        std::cerr << "kvtool: warning: " << cp1252::toUtf8(warning) << '\n';
    }

    std::string templatePath;
    if (const std::string* given = arguments.option("--template")) {
        templatePath = *given;
    } else if (const auto found = kvrole::findWebTemplate(filesearch::runningProgramDirectory(), std::getenv("PATH"))) {
        templatePath = found->string();
    } else {
        throw CommandFailure(std::string(kvrole::kTemplateNotFound));
    }
    const std::string page = kvrole::fillTemplate(kvrole::templateText(readInputFile(templatePath)), settings, role);
    writeOutputFile(pagePath, kvrole::textModeBytes(page));
    out << role.framework.behaviours.size() << " questions, template " << templatePath << "\n";
}

} // namespace

Command webPageCommand() {
    return {"webpage",
            {"ROLE"},
            {{"-o", "PAGE.html", true},
             {"--template", "FILE"},
             {"--cgi", "PATH"},
             {"--mailserver", "HOST"},
             {"--from", "ADDR"},
             {"--subject", "TEXT"},
             {"--message", "TEXT"},
             {"--email", "ADDR"},
             {"--no-gateway", ""}},
            "Write the web questionnaire page of a role, as the role editor's Create Web Questionnaire does. "
            "Without a gateway (--no-gateway, or an empty --cgi) the page saves the answers as a reply file "
            "in the browser for the respondent to mail; --email fixes the address the answers go to.",
            &runWebPage};
}
