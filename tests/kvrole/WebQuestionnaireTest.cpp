// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/WebQuestionnaire.h"

#include "model/FileSearch.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;
using namespace kvrole;

namespace {

CRole oneBehaviourRole() {
    CRole role = CRole::makeDefault();
    role.name = "Sales";
    role.framework.competencies = {{"Coaching", ""}};
    role.framework.behaviours = {CBehaviour{"Asks open questions", 0, 0, "", 0, ""}};
    return role;
}

std::string readBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

} // namespace

TEST(WebPageName, ReplacesAFourCharacterExtensionOrAppends) {
    EXPECT_EQ(defaultWebPageName("Sales.kvr"), "Sales.html");
    EXPECT_EQ(defaultWebPageName("Role1"), "Role1.html");
    EXPECT_EQ(defaultWebPageName("Plan 1.2 for sales"), "Plan 1.2 for s.html");
    // Shorter than an extension: nothing before the title's start is taken.
    EXPECT_EQ(defaultWebPageName("a.b"), ".html");
    EXPECT_EQ(defaultWebPageName("a.kvr"), "a.html");
    // Characters, not bytes: "\xC3\xA9" is one letter.
    EXPECT_EQ(defaultWebPageName("Zo\xC3\xAB.kvr"), "Zo\xC3\xAB.html");
    EXPECT_EQ(defaultWebPageName("x\xC3\xA9\xC3\xA9.\xE2\x82\xAC"), "x.html");
}

TEST(QuestionData, OneBehaviourAndTheDefaultScaleByteForByte) {
    EXPECT_EQ(questionData(oneBehaviourRole().framework),
              "\nfunction question_data()\n{\tthis.length = 1;\n"
              "\tthis[0] = \"Coaching - Asks open questions\";\n"
              "\treturn this;\n}\nfunction response_data()\n{\n\tthis.length = 4;\n"
              "\tthis[0] = \"Not needed\";\n\tthis[1] = \"Priority for action\";\n"
              "\tthis[2] = \"Not always consistent\";\n\tthis[3] = \"Clear strength\";\n"
              "\treturn this;\n}\n");
}

TEST(QuestionData, NoBehavioursNoScalesAndStrayIndexesGiveEmptyParts) {
    CRole role = CRole::makeDefault();
    EXPECT_NE(questionData(role.framework).find("question_data()\n{\tthis.length = 0;\n\treturn this;"),
              std::string::npos);
    role.framework.scales.clear();
    role.framework.behaviours = {CBehaviour{"Lost", 7, 0, "", 0, ""}};
    const std::string data = questionData(role.framework);
    EXPECT_NE(data.find("\tthis[0] = \" - Lost\";\n"), std::string::npos) << data;
    EXPECT_NE(data.find("response_data()\n{\n\tthis.length = 0;\n\treturn this;"), std::string::npos) << data;
}

TEST(QuestionData, TextsAreEscapedForAScriptString) {
    CRole role = oneBehaviourRole();
    role.framework.competencies[0].name = "Say \"hi\"";
    role.framework.behaviours[0].statement = "a\\b\r\nc</script><!--";
    role.framework.scales[0].labels[0] = "\"x\"";
    const std::string data = questionData(role.framework);
    EXPECT_NE(data.find("\tthis[0] = \"Say \\\"hi\\\" - a\\\\b\\r\\nc<\\/script><\\!--\";\n"), std::string::npos)
        << data;
    EXPECT_NE(data.find("\tthis[0] = \"\\\"x\\\"\";\n"), std::string::npos) << data;
}

TEST(HtmlText, EscapesMarkupAndKeepsOneLineBreakPerCrLf) {
    EXPECT_EQ(htmlText("R&D <b> \"q\" 'a' \xE9\x80"), "R&amp;D &lt;b&gt; &quot;q&quot; &#39;a&#39; \xE9\x80");
    EXPECT_EQ(htmlText("one\r\ntwo\rthree"), "one\ntwo\rthree");
    // Written in text mode, the typed break reaches the file as one CR LF, not CR CR LF.
    EXPECT_EQ(textModeBytes(htmlText("one\r\ntwo")), "one\r\ntwo");
}

TEST(FillTemplate, ReplacesInOrderEveryOccurrenceAndLaterPlaceholdersInsideEarlierValues) {
    WebPageSettings settings;
    settings.from = "me@example.org";
    settings.mailServer = "mail";
    settings.cgi = "/cgi";
    settings.message = "About %rolename% from %from%";
    settings.subject = "";
    const CRole role = oneBehaviourRole();
    EXPECT_EQ(fillTemplate("%from%|%from%|%mailserver%|%CGI%|%message%|[%subject%]|%rolename%|%cgi%", settings, role),
              "me@example.org|me@example.org|mail|/cgi|About Sales from %from%|[]|Sales|%cgi%");
    EXPECT_EQ(fillTemplate("", settings, role), "");
    // The value inserted for a placeholder is not searched for that same placeholder again.
    settings.from = "%from%";
    EXPECT_EQ(fillTemplate("%from%%from%", settings, role), "%from%%from%");
}

TEST(FillTemplate, QuestionDataOnlyWhereTheTemplateAsksForIt) {
    WebPageSettings settings;
    settings.subject = "%questiondata%";
    CRole role = oneBehaviourRole();
    role.name = "%questiondata%";
    const std::string page = fillTemplate("<input value=\"%subject%\">%rolename%<script>%questiondata%</script>"
                                          "%questiondata%",
                                          settings, role);
    EXPECT_EQ(page, "<input value=\"%questiondata%\">%questiondata%<script>" + questionData(role.framework) +
                        "</script>" + questionData(role.framework));
    EXPECT_EQ(fillTemplate("no data here", settings, role), "no data here");
}

TEST(FillTemplate, ValuesAreEscapedForHtml) {
    WebPageSettings settings;
    settings.subject = "\"><script>alert(1)</script>";
    CRole role = oneBehaviourRole();
    role.name = "Tom & \"Jerry\" <\xE9\x80>";
    EXPECT_EQ(fillTemplate("<input value=\"%subject%\"><h1>%rolename%</h1>", settings, role),
              "<input value=\"&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;\">"
              "<h1>Tom &amp; &quot;Jerry&quot; &lt;\xE9\x80&gt;</h1>");
}

TEST(FillTemplate, ThePolicyPostsOnlyToTheGatewayAndThePersonsAddressOnlyWhereTheTemplateAsks) {
    EXPECT_EQ(formActionSources(""), "'none'");
    EXPECT_EQ(formActionSources("https://example.org/cgi-bin/kvmail"), "https://example.org/cgi-bin/kvmail");
    EXPECT_EQ(formActionSources("/cgi-bin/kvmail"), "'self'");
    // Nothing typed may end the source list and add a directive of its own.
    EXPECT_EQ(formActionSources("https://example.org/x; script-src *"), "'self'");
    EXPECT_EQ(formActionSources("javascript:alert(1)"), "'self'");

    WebPageSettings settings;
    settings.cgi.clear();
    settings.email = "pat@example.org\"><b>";
    settings.subject = "%email% %formaction%";
    const std::string page =
        fillTemplate("form-action %formaction%|%CGI%|%email%|%subject%", settings, oneBehaviourRole());
    EXPECT_EQ(page, "form-action &#39;none&#39;||pat@example.org&quot;&gt;&lt;b&gt;|%email% %formaction%");
}

TEST(TemplateText, CrLfBecomesLineFeedAndOnlyThe32000FirstCharactersCount) {
    EXPECT_EQ(templateText("a\r\nb\rc\n"), "a\nb\rc\n");
    const std::string longer = std::string(31999, 'x') + "\r\nyz";
    EXPECT_EQ(templateText(longer), std::string(31999, 'x') + "\n");
    EXPECT_EQ(templateText(std::string(40000, 'x')).size(), 32000u);
}

TEST(WriteWebPage, WritesTheFilledPageWithCrLfAndReplacesAnOldOne) {
    TempFolder folder{"webpage-test"};
    const fs::path templ = folder.write("template.txt", "<h1>%rolename%</h1>\r\n<script>%questiondata%</script>\r\n");
    const fs::path page = folder.file("page.html");
    folder.write("page.html", "old");
    ASSERT_EQ(writeWebPage(oneBehaviourRole(), {}, templ, page.string()), WebPageOutcome::Written);
    const std::string written = readBytes(page);
    EXPECT_EQ(written.substr(0, 19), "<h1>Sales</h1>\r\n<sc");
    EXPECT_NE(written.find("\r\n\tthis[0] = \"Coaching - Asks open questions\";\r\n"), std::string::npos);
    EXPECT_EQ(written.find("\n\n"), std::string::npos);
}

TEST(WriteWebPage, ATemplateWithCrLfLinesIsReadToItsCharacterLimitNotToAsManyBytes) {
    TempFolder folder{"webpage-test"};
    std::string lines;
    for (int line = 0; line < 15000; ++line) {
        lines += "a\r\n";
    }
    const fs::path templ = folder.write("template.txt", lines + "<h1>%rolename%</h1>");
    const fs::path page = folder.file("page.html");
    ASSERT_EQ(writeWebPage(oneBehaviourRole(), {}, templ, page.string()), WebPageOutcome::Written);
    EXPECT_TRUE(readBytes(page).ends_with("a\r\n<h1>Sales</h1>"));
}

TEST(WriteWebPage, MissingTemplateAndUnwritablePageAreTold) {
    TempFolder folder{"webpage-test"};
    const fs::path page = folder.file("page.html");
    EXPECT_EQ(writeWebPage(oneBehaviourRole(), {}, std::nullopt, page.string()), WebPageOutcome::TemplateMissing);
    EXPECT_EQ(writeWebPage(oneBehaviourRole(), {}, folder.file("absent.txt"), page.string()),
              WebPageOutcome::TemplateMissing);
    EXPECT_FALSE(fs::exists(page));
    EXPECT_EQ(webPageFailureText(WebPageOutcome::TemplateMissing), "Template file 'template.txt' not found");
    const fs::path templ = folder.write("template.txt", "x");
    EXPECT_EQ(writeWebPage(oneBehaviourRole(), {}, templ, folder.file("no/such/folder/p.html")),
              WebPageOutcome::PageNotWritten);
    EXPECT_EQ(webPageFailureText(WebPageOutcome::PageNotWritten), "Can't open web questionnaire file to create it");
}

TEST(FindWebTemplate, ProgramFolderThenInstalledDataFolderThenCurrentFolderThenPath) {
    TempFolder folder{"webpage-test"};
    const fs::path program = folder.file("prefix/bin");
    fs::create_directories(program);
    const std::string searchPath = folder.file("onpath");
    fs::create_directories(folder.file("elsewhere"));
    const fs::path started = fs::current_path();
    fs::current_path(folder.file("elsewhere"));
    EXPECT_FALSE(findWebTemplate(program, searchPath.c_str()));
    folder.write("onpath/template.txt", "path");
    EXPECT_EQ(readBytes(*findWebTemplate(program, searchPath.c_str())), "path");
    folder.write("elsewhere/template.txt", "decoy");
    EXPECT_EQ(readBytes(*findWebTemplate(program, searchPath.c_str())), "decoy");
    folder.write("prefix/share/reflectory/template.txt", "data");
    EXPECT_EQ(readBytes(*findWebTemplate(program, searchPath.c_str())), "data");
    folder.write("prefix/bin/template.txt", "beside");
    EXPECT_EQ(readBytes(*findWebTemplate(program, searchPath.c_str())), "beside");
    fs::current_path(started);
}

TEST(ShippedTemplate, FitsTheReadLimitAndCarriesEveryPlaceholderAndPostedName) {
    const std::string text = readBytes(WEB_TEMPLATE_PATH);
    ASSERT_FALSE(text.empty());
    // Only this much of a template is read: anything beyond would be cut off the page.
    EXPECT_LT(templateText(text).size(), kTemplateCharacterLimit);
    EXPECT_EQ(templateText(text), text.substr(0, templateText(text).size())) << "no CR LF in the source";
    // Plain ASCII reads the same in the source and as Windows-1252.
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    for (const char* placeholder : {"%from%", "%mailserver%", "%CGI%", "%message%", "%subject%", "%rolename%"}) {
        EXPECT_NE(text.find(placeholder), std::string::npos) << placeholder;
    }
    EXPECT_NE(text.find("<script>\n%questiondata%\n</script>"), std::string::npos);
    EXPECT_NE(text.find("<meta charset=\"windows-1252\">"), std::string::npos);
    EXPECT_NE(text.find("accept-charset=\"windows-1252\""), std::string::npos);
    EXPECT_NE(text.find("action=\"%CGI%\""), std::string::npos);
    // The posted names, and no control whose name merely ends with one of them: a gateway that
    // looks for "NAME=" anywhere in the body would take the wrong value.
    const std::vector<std::string> posted = {"mailserver", "from",     "subject",      "message",  "role",   "email",
                                             "name",       "password", "relationship", "comments", "replies"};
    std::vector<std::string> names;
    for (std::size_t at = text.find("name=\""); at != std::string::npos; at = text.find("name=\"", at + 1)) {
        const std::size_t end = text.find('"', at + 6);
        names.push_back(text.substr(at + 6, end - at - 6));
    }
    for (const std::string& field : posted) {
        EXPECT_NE(std::find(names.begin(), names.end(), field), names.end()) << field;
    }
    for (const std::string& name : names) {
        for (const std::string& field : posted) {
            if (name != field && name.size() > field.size()) {
                EXPECT_NE(name.substr(name.size() - field.size()), field) << name;
            }
        }
    }
}
