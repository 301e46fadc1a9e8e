// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/WebQuestionnaire.h"

#include "model/AtomicFile.h"
#include "model/FileSearch.h"
#include "model/MailServerAddress.h"
#include "model/TextRules.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace kvrole {

namespace {

// The text being filled, with a mark for every character that a placeholder's value put there, so
// that the question data goes only where the template itself asks for it.
struct WorkingText {
    std::string text;
    std::vector<bool> inserted;

    void append(std::string_view piece, bool fromValue) {
        text.append(piece);
        inserted.insert(inserted.end(), piece.size(), fromValue);
    }
    void appendFrom(const WorkingText& other, std::size_t from, std::size_t to) {
        text.append(other.text, from, to - from);
        inserted.insert(inserted.end(), other.inserted.begin() + static_cast<std::ptrdiff_t>(from),
                        other.inserted.begin() + static_cast<std::ptrdiff_t>(to));
    }
};

// Replaces every occurrence, scanning on after each inserted value; with `templateOnly`, an
// occurrence touching inserted text is left alone.
void replacePlaceholder(WorkingText& working, std::string_view placeholder, std::string_view value, bool templateOnly) {
    if (working.text.empty()) {
        return;
    }
    const auto touchesValue = [&](std::size_t at) {
        const auto begin = working.inserted.begin() + static_cast<std::ptrdiff_t>(at);
        return std::find(begin, begin + static_cast<std::ptrdiff_t>(placeholder.size()), true) !=
               begin + static_cast<std::ptrdiff_t>(placeholder.size());
    };
    WorkingText result;
    result.text.reserve(working.text.size());
    std::size_t copied = 0;
    for (std::size_t found = working.text.find(placeholder); found != std::string::npos;
         found = working.text.find(placeholder, found)) {
        if (templateOnly && touchesValue(found)) {
            ++found;
            continue;
        }
        result.appendFrom(working, copied, found);
        result.append(value, true);
        found += placeholder.size();
        copied = found;
    }
    result.appendFrom(working, copied, working.text.size());
    working = std::move(result);
}

std::string_view competencyNameOf(const CPavexFramework& framework, const CBehaviour& behaviour) {
    if (behaviour.competency < 0 || static_cast<std::size_t>(behaviour.competency) >= framework.competencies.size()) {
        return {};
    }
    return framework.competencies[static_cast<std::size_t>(behaviour.competency)].name;
}

} // namespace

std::string defaultWebPageName(std::string_view documentTitle) {
    std::string name(documentTitle);
    if (name.find('.') != std::string::npos) {
        // Titles are UTF-8 file names: a character may be several bytes. A title shorter than an
        // extension loses what it has, not more.
        for (int dropped = 0; dropped < 4 && !name.empty(); ++dropped) {
            while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) {
                name.pop_back();
            }
            if (!name.empty()) {
                name.pop_back();
            }
        }
    }
    return name + ".html";
}

std::string templateText(std::string_view fileBytes) {
    std::string text;
    text.reserve(std::min(fileBytes.size(), kTemplateCharacterLimit));
    for (std::size_t at = 0; at < fileBytes.size() && text.size() < kTemplateCharacterLimit; ++at) {
        if (fileBytes[at] == '\r' && at + 1 < fileBytes.size() && fileBytes[at + 1] == '\n') {
            continue;
        }
        text += fileBytes[at];
    }
    return text;
}

std::string scriptStringText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '"':
            escaped += "\\\"";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '<':
            // "</script>" would end the script element and "<!--" change how its end is found.
            escaped += '<';
            if (at + 1 < text.size() && (text[at + 1] == '/' || text[at + 1] == '!')) {
                escaped += '\\';
            }
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string htmlText(std::string_view text) {
    // The page is written with CR LF line ends: a typed CR LF must not become CR CR LF.
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool crBeforeLf = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
        if (!crBeforeLf) {
            lines += text[at];
        }
    }
    return htmlEscaped(lines);
}

std::string questionData(const CPavexFramework& framework) {
    std::string data = "\nfunction question_data()\n{\tthis.length = ";
    data += std::to_string(framework.behaviours.size()) + ";\n";
    for (std::size_t index = 0; index < framework.behaviours.size(); ++index) {
        const CBehaviour& behaviour = framework.behaviours[index];
        data += "\tthis[" + std::to_string(index) + "] = \"" +
                scriptStringText(competencyNameOf(framework, behaviour)) + " - " +
                scriptStringText(behaviour.statement) + "\";\n";
    }
    const CResponseScale* scale = framework.scales.empty() ? nullptr : &framework.scales.front();
    const int options = scale ? std::clamp<int>(scale->optionCount, 0, kMaxOptions) : 0;
    data += "\treturn this;\n}\nfunction response_data()\n{\n\tthis.length = " + std::to_string(options) + ";\n";
    for (int option = 0; option < options; ++option) {
        data += "\tthis[" + std::to_string(option) + "] = \"" +
                scriptStringText(scale->labels[static_cast<std::size_t>(option)]) + "\";\n";
    }
    data += "\treturn this;\n}\n";
    return data;
}

std::string formActionSources(std::string_view cgi) {
    if (cgi.empty()) {
        return "'none'";
    }
    // Anything that could end the source or start another directive leaves the page to its own site.
    const bool plainWebAddress =
        (cgi.starts_with("https://") || cgi.starts_with("http://")) && std::none_of(cgi.begin(), cgi.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte <= 0x20 || byte >= 0x7F || c == ';' || c == ',' || c == '\'' || c == '"' || c == '%' ||
                   c == '<' || c == '>';
        });
    return plainWebAddress ? std::string(cgi) : "'self'";
}

std::string fillTemplate(std::string_view templateText, const WebPageSettings& settings, const CRole& role) {
    WorkingText working;
    working.append(templateText, false);
    replacePlaceholder(working, "%formaction%", htmlText(formActionSources(settings.cgi)), true);
    replacePlaceholder(working, "%from%", htmlText(settings.from), false);
    replacePlaceholder(working, "%mailserver%", htmlText(settings.mailServer), false);
    replacePlaceholder(working, "%CGI%", htmlText(settings.cgi), false);
    replacePlaceholder(working, "%message%", htmlText(settings.message), false);
    replacePlaceholder(working, "%subject%", htmlText(settings.subject), false);
    replacePlaceholder(working, "%rolename%", htmlText(role.name), false);
    replacePlaceholder(working, "%email%", htmlText(settings.email), true);
    replacePlaceholder(working, "%questiondata%", questionData(role.framework), true);
    return std::move(working.text);
}

std::string textModeBytes(std::string_view page) {
    std::string bytes;
    bytes.reserve(page.size() + page.size() / 16);
    for (char c : page) {
        if (c == '\n') {
            bytes += '\r';
        }
        bytes += c;
    }
    return bytes;
}

WebPageOutcome writeWebPage(const CRole& role, const WebPageSettings& settings,
                            const std::optional<std::filesystem::path>& templatePath, const std::string& pagePath) {
    if (!templatePath) {
        return WebPageOutcome::TemplateMissing;
    }
    // Each kept character takes at most two bytes (CR LF), so no more than that is read.
    std::ifstream file(*templatePath, std::ios::binary);
    std::string bytes(2 * kTemplateCharacterLimit, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file && !file.eof()) {
        return WebPageOutcome::TemplateMissing;
    }
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    const std::string page = fillTemplate(templateText(bytes), settings, role);
    if (!AtomicFile::write(pagePath, textModeBytes(page))) {
        return WebPageOutcome::PageNotWritten;
    }
    return WebPageOutcome::Written;
}

std::string_view webPageFailureText(WebPageOutcome outcome) {
    switch (outcome) {
    case WebPageOutcome::TemplateMissing:
        return kTemplateNotFound;
    case WebPageOutcome::PageNotWritten:
        return kPageNotCreated;
    case WebPageOutcome::Written:
        break;
    }
    return {};
}

std::string mailServerPortWarning(std::string_view mailServer) {
    if (!MailServerAddress::parse(mailServer).namesPort()) {
        return {};
    }
    return "The Email Server names a port: the web server's kvmail.ini must list \"" + std::string(mailServer) +
           "\" in allowed_mailservers, or set port there and leave it out here.";
}

std::optional<std::filesystem::path> findWebTemplate(const std::filesystem::path& programDirectory,
                                                     const char* searchPath) {
    return filesearch::findProgramFile(kTemplateFileName, programDirectory, searchPath);
}

} // namespace kvrole
