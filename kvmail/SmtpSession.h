// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvmail/ByteStream.h"
#include "kvmail/OutgoingMail.h"
#include "kvmail/ReplyReader.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

// Delivers prepared mails to one SMTP server: greeting, HELO, then per mail MAIL, RCPT, DATA and
// the message, and QUIT. Each command is answered by one reply (all its lines) whose code must be
// the one the step expects. Failures return false and leave a text in lastError().
class SmtpSession {
public:
    // Opens the connection, or says why it could not; tests and fuzzers hand in their own streams.
    using StreamOpener = std::function<std::unique_ptr<ByteStream>(const std::string& host, int port,
                                                                   std::chrono::milliseconds timeout, OpenError*)>;

    // The timeout limits the connect and the wait for each reply (and for the server to take
    // what is sent), so that a silent server cannot hold the program.
    SmtpSession(std::string host, int port, std::chrono::milliseconds timeout = std::chrono::seconds(60),
                StreamOpener opener = {});
    virtual ~SmtpSession();
    SmtpSession(const SmtpSession&) = delete;
    SmtpSession& operator=(const SmtpSession&) = delete;

    // True once the server has greeted and accepted HELO.
    bool connect();
    // True when the server accepted the message.
    bool sendMessage(OutgoingMail& mail);
    // True when the server confirmed the end of the session, or there was none. The connection
    // is closed either way.
    bool disconnect();

    bool isConnected() const { return m_connected; }
    const std::string& lastError() const { return m_lastError; }
    const std::string& host() const { return m_host; }
    int port() const { return m_port; }

    // The name HELO gives: the local host name, at most 80 characters, or "localhost".
    static std::string localHostName();

protected:
    // Checks the mail has a recipient and lets it build its header block and body.
    virtual bool prepare(OutgoingMail& mail);
    virtual bool transmit(OutgoingMail& mail);

private:
    // The code a step waits for, and the last error when another reply comes.
    struct ExpectedReply {
        int code;
        const char* refusal;
    };
    static constexpr ExpectedReply kServiceReady{220, "SMTP server not available"};
    static constexpr ExpectedReply kActionDone{250, "SMTP server error"};
    static constexpr ExpectedReply kStartMailInput{354, "SMTP server not ready for data"};
    static constexpr ExpectedReply kClosing{221, "SMTP server didn't terminate session"};

    bool send(std::string_view text);
    bool readReply(const ExpectedReply& expected);
    void closeConnection();
    ByteStream::Deadline replyDeadline() const;

    std::string m_host;
    int m_port;
    std::chrono::milliseconds m_timeout;
    StreamOpener m_opener;
    bool m_connected = false;
    std::string m_lastError = "OK";
    std::unique_ptr<ByteStream> m_stream;
    std::unique_ptr<ReplyReader> m_reader;
};
