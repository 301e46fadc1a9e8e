// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/Gateway.h"
#include "ScriptedSmtpServer.h"
#include "TestSupport.h"
#include "kvmail/Base64Codec.h"
#include "model/MailServerAddress.h"
#include "model/OleDate.h"
#include "model/WebReply.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <thread>

#include <fcntl.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

const std::string kPage = "<html><head><title>KVMail</title>"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                          "</head><body>\n"
                          "<h1>Sending feedback.  Please wait...</h1>\n";
const std::string kHead = "Content-type: text/html\nStatus: 200 OK\n\n" + kPage;
const std::string kRefused = "Content-type: text/html\nStatus: 400 Bad Request\n\n" + kPage;
const std::string kSuccess = "<p>Feedback successfully sent.  Thank you.</p></body></html>\n";

const std::string kPost = "email=anna%40example.com&name=Bob+Smith&role=Sales+Lead&replies=0123&password=secret&"
                          "relationship=3&comments=Great+work%0D%0Athanks&mailserver=127.0.0.1&"
                          "from=web%40example.org&subject=Feedback&message=Here+it+is%0Anext+line";

std::vector<std::string> happyScript() {
    return {"220 ready\r\n", "250 hello\r\n",  "250 ok\r\n", "250 ok\r\n",
            "354 go\r\n",    "250 queued\r\n", "221 bye\r\n"};
}

struct Attachment {
    std::string fileName;
    std::string bytes;
};

// The file part of a mail as the server received it.
Attachment attachmentOf(const std::string& data) {
    const std::size_t nameAt = data.find("filename=\"");
    if (nameAt == data.npos) {
        return {};
    }
    const std::size_t nameEnd = data.find('"', nameAt + 10);
    const std::size_t start = data.find("\r\n\r\n", nameEnd) + 4;
    const std::size_t end = data.find("\r\n\r\n--ZQ_MAIL", start);
    return {data.substr(nameAt + 10, nameEnd - nameAt - 10),
            Base64Codec::decode(data.substr(start, end - start)).value_or("undecodable")};
}

class GatewayRun : public testing::Test {
protected:
    void SetUp() override { testsupport::useUtc(); }

    // Posts body through a pipe, written in the given pieces with a pause between them.
    std::string post(const std::string& body, const char* contentLength, std::vector<std::size_t> pieces = {}) {
        Gateway gateway(
            m_settings, [] { return testsupport::kFixedTime; },
            m_temporaryRoot.empty() ? std::filesystem::path(m_temp.path()) : m_temporaryRoot);
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        std::thread writer([&] {
            std::size_t offset = 0;
            for (const std::size_t piece : pieces) {
                EXPECT_EQ(::write(fds[1], body.data() + offset, piece), static_cast<ssize_t>(piece));
                offset += piece;
                std::this_thread::sleep_for(50ms);
            }
            EXPECT_EQ(::write(fds[1], body.data() + offset, body.size() - offset),
                      static_cast<ssize_t>(body.size() - offset));
            ::close(fds[1]);
        });
        StringOutput out;
        m_status = gateway.handle(contentLength, fds[0], out);
        writer.join();
        ::close(fds[0]);
        EXPECT_TRUE(m_temp.isEmpty()) << "the reply file or its directory was left behind";
        return out.text();
    }
    std::string post(const std::string& body) { return post(body, std::to_string(body.size()).c_str()); }

    static CWebReply expectedReply(const std::string& name, const std::string& password) {
        CWebReply reply;
        reply.password = password;
        reply.assessor = name;
        reply.roleName = "Sales Lead";
        reply.responses = "0123";
        reply.relationship = "3";
        std::tm local{};
        localtime_r(&testsupport::kFixedTime, &local);
        reply.date = oledate::fromLocalTime(local);
        reply.details = "Great work\r\nthanks";
        return reply;
    }

    static int closedPort() {
        ScriptedSmtpServer closed({});
        return closed.port();
    }

    GatewaySettings m_settings = [] {
        GatewaySettings settings;
        settings.timeout = 5s;
        return settings;
    }();
    testsupport::TemporaryDirectory m_temp;
    std::filesystem::path m_temporaryRoot; // when set, in place of m_temp
    int m_status = -1;
};

} // namespace

TEST_F(GatewayRun, MailsTheRepliesAsAScrambledReplyFileNamedAfterTheRespondent) {
    ScriptedSmtpServer server(happyScript());
    m_settings.port = server.port();
    EXPECT_EQ(post(kPost), kHead + kSuccess);
    EXPECT_EQ(m_status, 0);
    const auto commands = server.commands();
    ASSERT_EQ(commands.size(), 6u);
    EXPECT_EQ(commands[1], "MAIL From: <web@example.org>\r\n");
    EXPECT_EQ(commands[2], "RCPT TO: <anna@example.com>\r\n");
    const std::string& data = commands[4];
    EXPECT_NE(data.find("To: <anna@example.com>\r\nDate: Tue, 02 Jan 2024 03:04:05 +0000\r\nSubject: Feedback\r\n"),
              data.npos);
    EXPECT_NE(data.find("\r\n\r\nHere it is\r\nnext line\r\n--ZQ_MAIL"), data.npos);
    const Attachment attachment = attachmentOf(data);
    EXPECT_EQ(attachment.fileName, "Feedback from Bob Smith 20240102030405.kvi");
    EXPECT_EQ(attachment.bytes, expectedReply("Bob Smith", "secret").encode());
    EXPECT_EQ(attachment.bytes.substr(0, 4), std::string("\x01\0\0\0", 4));
}

TEST_F(GatewayRun, WithoutPasswordOrNameTheFileIsPlainAndAnonymous) {
    ScriptedSmtpServer server(happyScript());
    m_settings.port = server.port();
    std::string body = kPost;
    body.replace(body.find("password=secret"), 15, "password=");
    body.replace(body.find("name=Bob+Smith"), 14, "name=");
    EXPECT_EQ(post(body), kHead + kSuccess);
    const Attachment attachment = attachmentOf(server.commands().at(4));
    EXPECT_EQ(attachment.fileName, "Feedback from <anonymous> 20240102030405.kvi");
    EXPECT_EQ(attachment.bytes, expectedReply("<anonymous>", "").encode());
    EXPECT_EQ(attachment.bytes.substr(0, 8), std::string(8, '\0'));
}

TEST_F(GatewayRun, ANameCannotPlaceTheFileElsewhereOrBreakAHeaderButStaysWholeInsideIt) {
    ScriptedSmtpServer server(happyScript());
    m_settings.port = server.port();
    std::string body = kPost;
    body.replace(body.find("name=Bob+Smith"), 14, "name=..%2F..%5Cc%3A%22x%0D%0AX-Evil%3A+1");
    EXPECT_EQ(post(body), kHead + kSuccess);
    const std::string data = server.commands().at(4);
    EXPECT_EQ(data.find("\r\nX-Evil"), data.npos);
    const Attachment attachment = attachmentOf(data);
    EXPECT_EQ(attachment.fileName, "Feedback from .._.._c__x__X-Evil_ 1 20240102030405.kvi");
    EXPECT_EQ(attachment.bytes, expectedReply("../..\\c:\"x\r\nX-Evil: 1", "secret").encode());
}

TEST_F(GatewayRun, FieldsAreTakenByExactNameFirstOneWinning) {
    ScriptedSmtpServer server(happyScript());
    m_settings.port = server.port();
    // Controls whose names end in a field's name, posted first, and a second "name" after all.
    EXPECT_EQ(post("rolename=Wrong&surname=Eve&xemail=x%40evil.example&q0=1&" + kPost + "&name=Eve&role=Other"),
              kHead + kSuccess);
    const auto commands = server.commands();
    ASSERT_EQ(commands.size(), 6u);
    EXPECT_EQ(commands[2], "RCPT TO: <anna@example.com>\r\n");
    const Attachment attachment = attachmentOf(commands[4]);
    EXPECT_EQ(attachment.fileName, "Feedback from Bob Smith 20240102030405.kvi");
    EXPECT_EQ(attachment.bytes, expectedReply("Bob Smith", "secret").encode());
}

TEST_F(GatewayRun, ReadsABodyThatArrivesInPiecesOrEndsEarly) {
    ScriptedSmtpServer server(happyScript());
    m_settings.port = server.port();
    EXPECT_EQ(post(kPost, std::to_string(kPost.size()).c_str(), {10, 100}), kHead + kSuccess);
    // A body shorter than announced is taken as it is; here it lacks the mail server.
    EXPECT_EQ(post("email=a%40b.c", "100"), kRefused + "<p>Error: no mail server given</p></body></html>\n");
}

TEST_F(GatewayRun, RefusesMissingLengthsAndFieldsInOrderWithoutConnecting) {
    m_settings.port = closedPort();
    EXPECT_EQ(post("x", nullptr), kRefused + "<p>Error: nothing to process</p></body></html>\n");
    EXPECT_EQ(m_status, 1);
    EXPECT_EQ(post("x", " -1"), kRefused + "<p>Error: nothing to process</p></body></html>\n");
    EXPECT_EQ(post("x", "abc"), kRefused + "<p>Error: nothing to process</p></body></html>\n");
    EXPECT_EQ(post("x", "1048577"), kRefused + "<p>Error: the feedback is too large to process</p></body></html>\n");
    EXPECT_EQ(post("x", "99999999999999999999999"),
              kRefused + "<p>Error: the feedback is too large to process</p></body></html>\n");
    const std::vector<std::pair<std::string, std::string>> cases{
        {"email=a&relationship=1&role=r&replies=0", "no mail server given"},
        {"mailserver=m&relationship=1&role=r&replies=0", "no email address given"},
        {"mailserver=m&email=a&role=r&replies=0", "no reporting relationship address given"},
        {"mailserver=m&email=a&relationship=1&replies=0", "no role given"},
        {"mailserver=m&email=a&relationship=1&role=r", "no replies given"},
        {"mailserver=m&email=a%0D%0ARCPT+TO%3A+%3Cb%3E&relationship=1&role=r&replies=0",
         "the email address, sender and subject must each be a single line"},
        {"mailserver=m&email=a&from=f%0A&relationship=1&role=r&replies=0",
         "the email address, sender and subject must each be a single line"},
        {"mailserver=m&email=a&subject=s%0DBcc%3A+x&relationship=1&role=r&replies=0",
         "the email address, sender and subject must each be a single line"},
        {"mailserver=m&email=a&relationship=x&role=r&replies=0",
         "the reporting relationship must be one digit from 0 to 5"},
        {"mailserver=m&email=a&relationship=6&role=r&replies=0",
         "the reporting relationship must be one digit from 0 to 5"},
        {"mailserver=m&email=a&relationship=01&role=r&replies=0",
         "the reporting relationship must be one digit from 0 to 5"},
        {"mailserver=m&email=a&relationship=%2F&role=r&replies=0",
         "the reporting relationship must be one digit from 0 to 5"},
        {"mailserver=m&email=a&relationship=%3A&role=r&replies=0",
         "the reporting relationship must be one digit from 0 to 5"},
        {"mailserver=m&email=a&relationship=1&role=r&replies=01a", "the replies must be digits only"},
        {"mailserver=m&email=a&relationship=1&role=r&replies=%3Cscript%3E", "the replies must be digits only"},
        {"mailserver=m&email=a&relationship=1&role=r&replies=" + std::string(257, '1'), "more than 256 replies given"},
        {"mailserver=m%3A2525&email=a&relationship=1&role=r&replies=0",
         "mail server m:2525 names a port, which this site does not allow"},
        {"mailserver=%5B%3A%3A1%5D%3A2525&email=a&relationship=1&role=r&replies=0",
         "mail server [::1]:2525 names a port, which this site does not allow"},
    };
    for (const auto& [body, message] : cases) {
        EXPECT_EQ(post(body), kRefused + "<p>Error: " + message + "</p></body></html>\n") << body;
    }
}

TEST_F(GatewayRun, TheFirstAndLastRelationshipsAreMailed) {
    for (const char* relationship : {"0", "5"}) {
        ScriptedSmtpServer server(happyScript());
        m_settings.port = server.port();
        std::string body = kPost;
        body.replace(body.find("relationship=3"), 14, std::string("relationship=") + relationship);
        EXPECT_EQ(post(body), kHead + kSuccess) << relationship;
        EXPECT_EQ(server.commands().size(), 6u) << relationship;
    }
}

TEST_F(GatewayRun, AReplyFileThatCannotBeWrittenIsToldAndFailsWithoutConnecting) {
    m_settings.port = closedPort();
    m_temporaryRoot = std::filesystem::path(m_temp.path()) / "missing" / "folder";
    EXPECT_EQ(post(kPost), kHead + "<p>Error: cannot write temporary file</p></body></html>\n");
    EXPECT_EQ(m_status, 1);
}

TEST_F(GatewayRun, MailServerNameIsEscapedInTheParagraph) {
    m_settings.port = closedPort();
    std::string body = kPost;
    body.replace(body.find("mailserver=127.0.0.1"), 20, "mailserver=127.0.0.1%3C");
    EXPECT_EQ(post(body), kHead + "<p>Error: cannot connect to mail server 127.0.0.1&lt;</p></body></html>\n");
}

TEST(ReplyFileName, KeepsWithin255BytesAndStampsTheLocalTime) {
    testsupport::useUtc();
    EXPECT_EQ(Gateway::replyFileName("Ann", testsupport::kFixedTime), "Feedback from Ann 20240102030405.kvi");
    const std::string longName = Gateway::replyFileName(std::string(1000, 'n'), testsupport::kFixedTime);
    EXPECT_EQ(longName.size(), 255u);
    EXPECT_TRUE(longName.ends_with("nnn 20240102030405.kvi"));
}

TEST_F(GatewayRun, AMailServerWithAPortIsTakenOnlyWhenTheSiteListsThatEntry) {
    ScriptedSmtpServer server(happyScript());
    m_settings.port = closedPort(); // the listed entry's own port must be the one used
    const std::string entry = "127.0.0.1:" + std::to_string(server.port());
    std::string body = kPost;
    body.replace(body.find("mailserver=127.0.0.1"), 20, "mailserver=" + entry);
    const std::string refused = kRefused + "<p>Error: mail server " + entry +
                                " names a port, which this site does not allow</p></body></html>\n";
    EXPECT_EQ(post(body), refused);
    m_settings.allowedMailservers = {"127.0.0.1"};
    EXPECT_EQ(post(body), refused);
    m_settings.allowedMailservers = {"127.0.0.1", entry};
    EXPECT_EQ(post(body), kHead + kSuccess);
    EXPECT_EQ(server.commands().size(), 6u);
}

TEST(MailServerAddress, SplitsAPortOnlyFromHostPortAndBracketedForms) {
    const auto plain = MailServerAddress::parse("mail.example.org");
    EXPECT_EQ(plain.host, "mail.example.org");
    EXPECT_FALSE(plain.namesPort());
    const auto named = MailServerAddress::parse("mail.example.org:2525");
    EXPECT_EQ(named.host, "mail.example.org");
    EXPECT_EQ(named.port, 2525);
    const auto v6 = MailServerAddress::parse("[::1]:587");
    EXPECT_EQ(v6.host, "::1");
    EXPECT_EQ(v6.port, 587);
    EXPECT_FALSE(MailServerAddress::parse("::1").namesPort());
    EXPECT_EQ(MailServerAddress::parse("[::1]").host, "::1");
    for (const char* bad : {"m:", "m:0", "m:65536", "m:+25", "m:2x", "[::1]x"}) {
        EXPECT_TRUE(MailServerAddress::parse(bad).namesPort()) << bad;
        EXPECT_FALSE(MailServerAddress::parse(bad).port) << bad;
    }
    EXPECT_EQ(MailServerAddress::parse("m:1").port, 1);
    EXPECT_EQ(MailServerAddress::parse("m:65535").port, 65535);
}

// A web server that has gone away must not keep the gateway writing for ever.
TEST(DescriptorOutput, AnOutputThatRefusesBytesEndsTheWriteAndCountsWhatWasGiven) {
    const int readOnly = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(readOnly, 0);
    DescriptorOutput refused(readOnly);
    refused.write("<p>Error: nothing to process</p>");
    refused.write("!");
    EXPECT_EQ(refused.written(), 33u);
    ::close(readOnly);

    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    DescriptorOutput piped(fds[1]);
    piped.write("page");
    ::close(fds[1]);
    char read[8] = {};
    EXPECT_EQ(::read(fds[0], read, sizeof read), 4);
    EXPECT_STREQ(read, "page");
    ::close(fds[0]);
}
