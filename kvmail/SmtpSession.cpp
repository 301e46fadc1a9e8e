// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/SmtpSession.h"

#include "kvmail/DotStuffing.h"
#include "kvmail/TcpStream.h"
#include "kvmail/TextUtil.h"

#include <array>
#include <new>

#include <unistd.h>

SmtpSession::SmtpSession(std::string host, int port, std::chrono::milliseconds timeout, StreamOpener opener)
    : m_host(std::move(host)), m_port(port), m_timeout(timeout),
      m_opener(opener ? std::move(opener) : StreamOpener(TcpStream::open)) {}

SmtpSession::~SmtpSession() {
    disconnect();
}

std::string SmtpSession::localHostName() {
    std::array<char, 256> name{};
    if (::gethostname(name.data(), name.size() - 1) != 0 || name[0] == '\0') {
        return "localhost";
    }
    std::string host(name.data());
    if (host.size() > 80) {
        host.resize(80);
    }
    return host;
}

ByteStream::Deadline SmtpSession::replyDeadline() const {
    return std::chrono::steady_clock::now() + m_timeout;
}

bool SmtpSession::send(std::string_view text) {
    // A failed send shows up as the failing read of the reply that follows it.
    return m_stream->sendAll(text, replyDeadline());
}

bool SmtpSession::readReply(const ExpectedReply& expected) {
    const ReplyReader::Result reply = m_reader->read(*m_stream, replyDeadline());
    if (reply.outcome == ReplyReader::Outcome::StreamError) {
        m_lastError = "Socket Error";
        return false;
    }
    if (reply.outcome == ReplyReader::Outcome::Reply && reply.code == expected.code) {
        return true;
    }
    // A missing or malformed reply has no code: it counts as 0.
    m_lastError = std::to_string(reply.code) + ":" + expected.refusal;
    return false;
}

void SmtpSession::closeConnection() {
    m_stream.reset();
    m_reader.reset();
    m_connected = false;
}

bool SmtpSession::connect() {
    if (m_connected) {
        return true;
    }
    try {
        m_reader = std::make_unique<ReplyReader>();
    } catch (const std::bad_alloc&) {
        m_lastError = "Not enough memory";
        return false;
    }
    OpenError error = OpenError::CannotConnect;
    m_stream = m_opener(m_host, m_port, m_timeout, &error);
    if (!m_stream || error != OpenError::None) {
        m_lastError =
            error == OpenError::CannotCreateSocket ? "Unable to create the socket." : "Unable to connect to server";
        closeConnection();
        return false;
    }
    if (!readReply(kServiceReady)) {
        m_lastError = "Server didn't respond.";
        closeConnection();
        return false;
    }
    send("HELO " + localHostName() + "\r\n");
    if (!readReply(kActionDone)) {
        closeConnection();
        return false;
    }
    m_connected = true;
    return true;
}

bool SmtpSession::sendMessage(OutgoingMail& mail) {
    if (!m_connected) {
        m_lastError = "Must be connected";
        return false;
    }
    return prepare(mail) && transmit(mail);
}

bool SmtpSession::prepare(OutgoingMail& mail) {
    if (mail.recipientCount() == 0) {
        m_lastError = "No Recipients";
        return false;
    }
    // An address with a line break would smuggle further commands into the dialogue.
    bool addressesSafe = !breaksHeaderLine(mail.sender());
    for (std::size_t i = 0; i < mail.recipientCount(); ++i) {
        addressesSafe = addressesSafe && !breaksHeaderLine(mail.recipient(i)->address);
    }
    if (!addressesSafe) {
        m_lastError = "Invalid address";
        return false;
    }
    mail.prepare();
    return true;
}

bool SmtpSession::transmit(OutgoingMail& mail) {
    send("MAIL From: <" + mail.sender() + ">\r\n");
    if (!readReply(kActionDone)) {
        return false;
    }
    for (std::size_t i = 0; i < mail.recipientCount(); ++i) {
        send("RCPT TO: <" + mail.recipient(i)->address + ">\r\n");
        // A refused recipient does not stop the others; only the last error tells of it.
        readReply(kActionDone);
    }
    send("DATA\r\n");
    if (!readReply(kStartMailInput)) {
        return false;
    }
    // Header, body and end of data in one write: sent in pieces, they would wait on the
    // acknowledgement of the first piece before the server sees the end of the data.
    std::string data = mail.headerBlock();
    data += dotStuffed(mail.body());
    data += "\r\n.\r\n";
    send(data);
    return readReply(kActionDone);
}

bool SmtpSession::disconnect() {
    if (!m_connected) {
        return true;
    }
    send("QUIT\r\n");
    const bool confirmed = readReply(kClosing);
    closeConnection();
    return confirmed;
}
