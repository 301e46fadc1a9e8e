// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct MailRecipient {
    std::string address;
    std::string displayName;
};

// Gives the moment a mail is dated; tests pin it.
using MailClock = std::function<std::time_t()>;

// A plain mail: sender, recipients, subject and text. prepare() builds the header block and the
// body with CR LF line ends, ready for an SMTP session to send as they stand.
class OutgoingMail {
public:
    OutgoingMail();
    virtual ~OutgoingMail();
    OutgoingMail(const OutgoingMail&) = delete;
    OutgoingMail& operator=(const OutgoingMail&) = delete;

    void setSender(std::string sender) { m_sender = std::move(sender); }
    const std::string& sender() const { return m_sender; }
    // Bytes outside printable ASCII make the header carry it as encoded words.
    void setSubject(std::string subject) { m_subject = std::move(subject); }
    const std::string& subject() const { return m_subject; }
    void setText(std::string text) { m_text = std::move(text); }
    const std::string& text() const { return m_text; }
    void setClock(MailClock clock) { m_clock = std::move(clock); }

    // Always succeeds; recipients keep the order they were added in.
    void addRecipient(std::string address, std::string displayName = {});
    std::size_t recipientCount() const { return m_recipients.size(); }
    std::optional<MailRecipient> recipient(std::size_t index) const;

    // Builds the header block (dated now) and the body; preparing again rebuilds both.
    void prepare();
    const std::string& headerBlock() const { return m_header; }
    const std::string& body() const { return m_body; }
    // The moment the last prepare() dated the mail.
    std::time_t date() const { return m_date; }

    // Appends CR LF unless the text already ends with it.
    static void endWithLineBreak(std::string& text);
    // The Date header's text (RFC 5322): "Tue, 02 Jan 2024 03:04:05 +0000".
    static std::string mailDate(const std::tm& local);

protected:
    virtual void addHeaderLines();
    virtual void prepareBody();
    virtual void endHeader();
    virtual void startHeader();
    virtual void addHeaderLine(std::string_view line);

    int lineLength() const { return m_lineLength; }
    void setBody(std::string body) { m_body = std::move(body); }
    std::string& mutableBody() { return m_body; }

private:
    std::string m_sender;
    std::string m_subject;
    std::string m_mailer = "ZQ Mail";
    std::string m_header;
    std::time_t m_date = 0;
    std::string m_text;
    std::string m_body;
    int m_lineLength = 76;
    std::vector<MailRecipient> m_recipients;
    MailClock m_clock;
};
