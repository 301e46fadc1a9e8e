// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Role.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kvrole {

// The web questionnaire: a page made from the template file by filling in its placeholders with
// the mail settings, the role's name and the role's questions. The role editor's command and
// kvtool share it.

inline constexpr std::string_view kTemplateFileName = "template.txt";
inline constexpr std::string_view kTemplateNotFound = "Template file 'template.txt' not found";
inline constexpr std::string_view kPageNotCreated = "Can't open web questionnaire file to create it";
// Only this many characters of the template are read; the rest is ignored.
inline constexpr std::size_t kTemplateCharacterLimit = 32000;

// What the page tells the gateway besides the answers; the defaults are those of a new user.
struct WebPageSettings {
    std::string from;
    std::string mailServer;
    std::string cgi = "/cgi-bin/kvmail";
    std::string message = "Here is some PAVEX feedback that someone completed for you on the web.  Drag and drop "
                          "it into PAVEX, or use PAVEX Tools->Merge, to add it to your reflectory.";
    std::string subject = "Web PAVEX Feedback";
    // The address the answers go to when the page is made for one person (from a journal): the
    // page then shows it and no link can change it. Empty for a role's page, where the link or
    // the respondent gives it.
    std::string email;
};

// The sources the page's Content-Security-Policy lets its form post to: none without a gateway
// (the page saves the answers itself), the gateway's own address when it is a full web address,
// and otherwise the page's own site, where a gateway given as a path lives.
std::string formActionSources(std::string_view cgi);

// "Sales.kvr" proposes "Sales.html", "Role1" proposes "Role1.html": with a full stop anywhere the
// last four characters are taken for the extension and replaced. The title is UTF-8.
std::string defaultWebPageName(std::string_view documentTitle);

// The template file's bytes as the page starts from them: each CR LF pair becomes a line feed,
// then only the first 32000 characters are kept.
std::string templateText(std::string_view fileBytes);

// The two script functions question_data() and response_data() that carry the role's behaviours
// (each as "competency - statement") and the labels of its response scale 0.
std::string questionData(const CPavexFramework& framework);

// The template with its placeholders replaced, in this order: %formaction% (only in the template's
// own text), %from%, %mailserver%, %CGI%, %message%, %subject%, %rolename% (each HTML-escaped, and
// also replaced inside values inserted before it), then %email% and %questiondata% (only in the
// template's own text).
std::string fillTemplate(std::string_view templateText, const WebPageSettings& settings, const CRole& role);

// The page as written: every line feed becomes CR LF.
std::string textModeBytes(std::string_view page);

// A text made safe for a double-quoted script string inside a <script> element.
std::string scriptStringText(std::string_view text);
// A text made safe for HTML text and quoted attribute values; a CR LF pair stays one line break.
std::string htmlText(std::string_view text);

enum class WebPageOutcome { Written, TemplateMissing, PageNotWritten };

// Reads the template (none given, or unreadable: TemplateMissing), fills it and replaces the page
// file atomically (PageNotWritten when that fails; a page already there is left as it was).
WebPageOutcome writeWebPage(const CRole& role, const WebPageSettings& settings,
                            const std::optional<std::filesystem::path>& templatePath, const std::string& pagePath);

// The message for an outcome other than Written.
std::string_view webPageFailureText(WebPageOutcome outcome);

// What to tell whoever types a mail server with a port ("host:port", "[v6]:port"), or "" when it
// names none: the gateway refuses a port from a page unless the site lists that very entry.
std::string mailServerPortWarning(std::string_view mailServer);

// The template: beside the program, then in the installed data folder, then along the rest of the
// suite's search order.
std::optional<std::filesystem::path> findWebTemplate(const std::filesystem::path& programDirectory,
                                                     const char* searchPath);

} // namespace kvrole
