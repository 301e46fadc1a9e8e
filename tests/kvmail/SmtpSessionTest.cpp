// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/SmtpSession.h"
#include "ScriptedSmtpServer.h"

#include <gtest/gtest.h>

#include <optional>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

const std::string kHelo = "HELO " + SmtpSession::localHostName() + "\r\n";

// A mail whose body has a lone-dot line, a line that begins with a dot, and a line break at its end.
void fillMail(OutgoingMail& mail) {
    mail.setSender("from@example.org");
    mail.addRecipient("one@example.com");
    mail.addRecipient("two@example.com");
    mail.setSubject("Test");
    mail.setText("first\r\n.\r\n.x\r\nlast");
}

std::vector<std::string> happyScript() {
    return {"220 ready\r\n",  "250 hello\r\n", "250 sender ok\r\n", "250 one ok\r\n",
            "250 two ok\r\n", "354 go on\r\n", "250 queued\r\n",    "221 bye\r\n"};
}

} // namespace

TEST(SmtpSession, DeliversAMailWithOneCommandPerStepAndTheBodyDotStuffed) {
    ScriptedSmtpServer server(happyScript());
    SmtpSession session("127.0.0.1", server.port(), 5s);
    OutgoingMail mail;
    fillMail(mail);
    ASSERT_TRUE(session.connect());
    ASSERT_TRUE(session.sendMessage(mail));
    ASSERT_TRUE(session.disconnect());
    EXPECT_EQ(session.lastError(), "OK");
    EXPECT_FALSE(session.isConnected());
    const std::vector<std::string> expected{kHelo,
                                            "MAIL From: <from@example.org>\r\n",
                                            "RCPT TO: <one@example.com>\r\n",
                                            "RCPT TO: <two@example.com>\r\n",
                                            "DATA\r\n",
                                            mail.headerBlock() + "first\r\n..\r\n..x\r\nlast\r\n\r\n.\r\n",
                                            "QUIT\r\n"};
    EXPECT_EQ(server.commands(), expected);
}

TEST(SmtpSession, GreetingOtherThan220FailsTheConnectAndSendsNothing) {
    ScriptedSmtpServer server({"421 busy\r\n"});
    SmtpSession session("127.0.0.1", server.port(), 5s);
    EXPECT_FALSE(session.connect());
    EXPECT_EQ(session.lastError(), "Server didn't respond.");
    EXPECT_FALSE(session.isConnected());
    EXPECT_TRUE(session.disconnect());
    EXPECT_TRUE(server.commands().empty());
}

TEST(SmtpSession, RefusedRecipientIsRecordedButTheMailStillGoes) {
    auto script = happyScript();
    script[3] = "550 no such user\r\n";
    ScriptedSmtpServer server(script);
    SmtpSession session("127.0.0.1", server.port(), 5s);
    OutgoingMail mail;
    fillMail(mail);
    ASSERT_TRUE(session.connect());
    EXPECT_TRUE(session.sendMessage(mail));
    EXPECT_EQ(session.lastError(), "550:SMTP server error");
    EXPECT_TRUE(session.disconnect());
}

TEST(SmtpSession, RefusedDataSendsNoMessage) {
    auto script = happyScript();
    script[5] = "554 no thanks\r\n";
    script[6] = "221 bye\r\n";
    script.pop_back();
    ScriptedSmtpServer server(script);
    SmtpSession session("127.0.0.1", server.port(), 5s);
    OutgoingMail mail;
    fillMail(mail);
    ASSERT_TRUE(session.connect());
    EXPECT_FALSE(session.sendMessage(mail));
    EXPECT_EQ(session.lastError(), "554:SMTP server not ready for data");
    EXPECT_TRUE(session.disconnect());
    const auto commands = server.commands();
    ASSERT_EQ(commands.size(), 6u);
    EXPECT_EQ(commands[4], "DATA\r\n");
    EXPECT_EQ(commands[5], "QUIT\r\n");
}

TEST(SmtpSession, RefusedQuitStillClosesTheSession) {
    auto script = happyScript();
    script.back() = "500 what\r\n";
    ScriptedSmtpServer server(script);
    SmtpSession session("127.0.0.1", server.port(), 5s);
    OutgoingMail mail;
    fillMail(mail);
    ASSERT_TRUE(session.connect());
    ASSERT_TRUE(session.sendMessage(mail));
    EXPECT_FALSE(session.disconnect());
    EXPECT_EQ(session.lastError(), "500:SMTP server didn't terminate session");
    EXPECT_FALSE(session.isConnected());
    EXPECT_EQ(server.commands().back(), "QUIT\r\n");
}

TEST(SmtpSession, ReplySplitAcrossTwoPacketsIsReadWhole) {
    const std::string pause(1, ScriptedSmtpServer::kPause);
    ScriptedSmtpServer server({"22" + pause + "0 ready\r\n", "250 hel" + pause + "lo\r\n", "221 bye\r\n"});
    SmtpSession session("127.0.0.1", server.port(), 5s);
    EXPECT_TRUE(session.connect());
    EXPECT_EQ(session.lastError(), "OK");
}

TEST(SmtpSession, MultiLineRepliesArrivingTogetherAnswerOneCommandEach) {
    ScriptedSmtpServer server({"220-mail.example.org\r\n220 ready\r\n", "250-hello\r\n250 HELP\r\n", "221 bye\r\n"});
    SmtpSession session("127.0.0.1", server.port(), 5s);
    EXPECT_TRUE(session.connect());
    EXPECT_TRUE(session.disconnect());
    EXPECT_EQ(session.lastError(), "OK");
    EXPECT_EQ(server.commands(), (std::vector<std::string>{kHelo, "QUIT\r\n"}));
}

TEST(SmtpSession, AMalformedReplyFailsItsStepAndEveryLaterOne) {
    auto script = happyScript();
    script[2] = "250 sender ok\r\n25O what\r\n";
    ScriptedSmtpServer server(script);
    SmtpSession session("127.0.0.1", server.port(), 5s);
    OutgoingMail mail;
    fillMail(mail);
    ASSERT_TRUE(session.connect());
    // The stray line comes after MAIL's reply; the first recipient's is what it spoils.
    EXPECT_FALSE(session.sendMessage(mail));
    EXPECT_EQ(session.lastError(), "0:SMTP server not ready for data");
    EXPECT_FALSE(session.disconnect());
    EXPECT_EQ(session.lastError(), "0:SMTP server didn't terminate session");
}

TEST(SmtpSession, AStrayLineAfterTheGreetingFailsTheConnect) {
    ScriptedSmtpServer server({"220 ready\r\n220x\r\n"});
    SmtpSession session("127.0.0.1", server.port(), 5s);
    EXPECT_FALSE(session.connect());
    EXPECT_EQ(session.lastError(), "0:SMTP server error");
    EXPECT_FALSE(session.isConnected());
}

TEST(SmtpSession, SilentServerFailsTheConnectWithinTheTimeout) {
    ScriptedSmtpServer server({});
    SmtpSession session("127.0.0.1", server.port(), 300ms);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(session.connect());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_EQ(session.lastError(), "Server didn't respond.");
}

TEST(SmtpSession, ServerThatHangsUpMidwayFailsTheStepWithoutEndingTheProgram) {
    ScriptedSmtpServer server({"220 ready\r\n", "250 hello\r\n", ScriptedSmtpServer::kHangUp});
    SmtpSession session("127.0.0.1", server.port(), 2s);
    ASSERT_TRUE(session.connect());
    OutgoingMail mail;
    fillMail(mail);
    EXPECT_FALSE(session.sendMessage(mail));
    EXPECT_EQ(session.lastError(), "0:SMTP server error");
    // QUIT goes to a closed connection, which must fail the step, not end the program.
    EXPECT_FALSE(session.disconnect());
    EXPECT_FALSE(session.isConnected());
}

TEST(SmtpSession, RefusesToSendWhenNotConnectedOrWithoutRecipients) {
    ScriptedSmtpServer server({"220 ready\r\n", "250 hello\r\n", "221 bye\r\n"});
    SmtpSession session("127.0.0.1", server.port(), 5s);
    OutgoingMail mail;
    EXPECT_FALSE(session.sendMessage(mail));
    EXPECT_EQ(session.lastError(), "Must be connected");
    ASSERT_TRUE(session.connect());
    EXPECT_FALSE(session.sendMessage(mail));
    EXPECT_EQ(session.lastError(), "No Recipients");
    mail.addRecipient("a@example.com\r\nRCPT TO: <b@example.com>");
    EXPECT_FALSE(session.sendMessage(mail));
    EXPECT_EQ(session.lastError(), "Invalid address");
    EXPECT_TRUE(session.disconnect());
    EXPECT_EQ(server.commands(), (std::vector<std::string>{kHelo, "QUIT\r\n"}));
}

TEST(SmtpSession, NobodyListeningFailsTheConnect) {
    int port = 0;
    {
        ScriptedSmtpServer closed({});
        port = closed.port();
    }
    SmtpSession session("127.0.0.1", port, 2s);
    EXPECT_FALSE(session.connect());
    EXPECT_EQ(session.lastError(), "Unable to connect to server");
    SmtpSession unnamed("", 25, 2s);
    EXPECT_FALSE(unnamed.connect());
    EXPECT_EQ(unnamed.lastError(), "Unable to connect to server");
}

namespace {

// The greeting's name for a machine called `name`, found in a child process with a host name of its
// own; nothing when this system does not let the test have one (it needs the right to make a new
// UTS namespace).
std::optional<std::string> helloNameOnAMachineCalled(const std::string& name) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        if (::unshare(CLONE_NEWUTS) != 0 || ::sethostname(name.data(), name.size()) != 0) {
            ::_exit(2);
        }
        const std::string hello = SmtpSession::localHostName();
        const bool whole = ::write(fds[1], hello.data(), hello.size()) == static_cast<ssize_t>(hello.size());
        ::_exit(whole ? 0 : 1);
    }
    ::close(fds[1]);
    std::string hello;
    char buffer[512];
    for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;) {
        hello.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return hello;
}

} // namespace

TEST(SmtpSession, TheGreetingNamesTheMachineEvenByOneLetterOrSaysLocalhost) {
    if (!helloNameOnAMachineCalled("probe")) {
        GTEST_SKIP() << "this system does not let a test give a process a host name of its own";
    }
    EXPECT_EQ(helloNameOnAMachineCalled("m"), "m");
    EXPECT_EQ(helloNameOnAMachineCalled(std::string(64, 'n')), std::string(64, 'n')); // the longest Linux allows
    EXPECT_EQ(helloNameOnAMachineCalled(""), "localhost");
}
