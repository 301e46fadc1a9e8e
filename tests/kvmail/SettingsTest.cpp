// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "kvmail/GatewaySettings.h"
#include "kvmail/RelayPolicy.h"
#include "model/FileSearch.h"

#include <gtest/gtest.h>

namespace {

GatewaySettings settingsFrom(const std::string& text) {
    return GatewaySettings::fromSection(IniSection::parse(text, "KVMail"));
}

} // namespace

TEST(GatewaySettings, ReadsItsSectionWithoutRegardToCaseAndKeepsDefaultsForBadNumbers) {
    const GatewaySettings settings = settingsFrom("[Other]\r\nmailserver=wrong\r\n"
                                                  "; comment\r\n"
                                                  "[kvmail]\r\n"
                                                  "  MailServer = mail.example.org \r\n"
                                                  "mailserver=second\r\n"
                                                  "from=\"web@example.org\"\r\n"
                                                  "subject=Web PAVEX Feedback\r\n"
                                                  "port=2525\r\n"
                                                  "timeout=0\r\n"
                                                  "allowed_recipients= anna@example.com, @example.net ,,\r\n");
    EXPECT_EQ(settings.mailserver, "mail.example.org");
    EXPECT_EQ(settings.from, "web@example.org");
    EXPECT_EQ(settings.subject, "Web PAVEX Feedback");
    EXPECT_EQ(settings.message, "");
    EXPECT_EQ(settings.port, 2525);
    EXPECT_EQ(settings.timeout, std::chrono::seconds(60));
    EXPECT_TRUE(settings.allowedMailservers.empty());
    EXPECT_EQ(settings.allowedRecipients, (std::vector<std::string>{"anna@example.com", "@example.net"}));
    EXPECT_EQ(settingsFrom("[KVMail]\nport=25x\ntimeout=5\n").port, 25);
    EXPECT_EQ(settingsFrom("[KVMail]\nport=25x\ntimeout=5\n").timeout, std::chrono::seconds(5));
}

TEST(GatewaySettings, ValuesAreCutAt255Characters) {
    EXPECT_EQ(settingsFrom("[KVMail]\nmessage=" + std::string(300, 'm') + "\n").message, std::string(255, 'm'));
}

TEST(FileSearch, ProgramDirectoryComesFirstThenThePathInOrder) {
    testsupport::TemporaryDirectory program;
    testsupport::TemporaryDirectory first;
    testsupport::TemporaryDirectory second;
    second.write("kvmail-search-test.ini", "x");
    const std::string path = first.path() + "::" + second.path();
    EXPECT_EQ(filesearch::findInSearchOrder("kvmail-search-test.ini", program.path(), path.c_str()),
              second.file("kvmail-search-test.ini"));
    program.write("kvmail-search-test.ini", "x");
    EXPECT_EQ(filesearch::findInSearchOrder("kvmail-search-test.ini", program.path(), path.c_str()),
              program.file("kvmail-search-test.ini"));
    EXPECT_FALSE(filesearch::findInSearchOrder("kvmail-search-test-none.ini", program.path(), path.c_str()));
}

TEST(RelayPolicy, EmptyListsAllowAnything) {
    const RelayPolicy open({}, {});
    EXPECT_TRUE(open.allowsMailserver("any.example"));
    EXPECT_TRUE(open.allowsRecipient("x%y@z"));
}

TEST(RelayPolicy, AdmitsOnlyListedServersAndAddressesOrPlainAddressesOfListedDomains) {
    const RelayPolicy policy({"mail.example.org", "127.0.0.1"}, {"boss@example.com", "@Example.NET"});
    EXPECT_TRUE(policy.allowsMailserver("MAIL.example.org"));
    EXPECT_FALSE(policy.allowsMailserver("mail.example.org.evil"));
    EXPECT_TRUE(policy.allowsRecipient("Boss@Example.com"));
    EXPECT_FALSE(policy.allowsRecipient("other@example.com"));
    EXPECT_TRUE(policy.allowsRecipient("anyone@example.net"));
    EXPECT_FALSE(policy.allowsRecipient("someone@evil.example.net"));
    EXPECT_FALSE(policy.allowsRecipient("victim%evil.org@example.net"));
    EXPECT_FALSE(policy.allowsRecipient("victim@evil.org@example.net"));
    EXPECT_FALSE(policy.allowsRecipient("@evil.org:victim@example.net"));
    EXPECT_FALSE(policy.allowsRecipient("@example.net"));
}
