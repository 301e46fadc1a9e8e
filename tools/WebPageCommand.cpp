#include "tools/WebPageCommand.h"

#include "tools/TextIntake.h"
#include "tools/ToolFiles.h"

#include "kvrole/core/WebQuestionnaire.h"
#include "model/FileSearch.h"
#include "model/RoleFile.h"
#include "model/Windows1252.h"

#include <cstdlib>

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
             {"--message", "TEXT"}},
            "Write the web questionnaire page of a role, as the role editor's Create Web Questionnaire does.",
            &runWebPage};
}
