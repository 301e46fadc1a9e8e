#include "kvmail/OutgoingMail.h"

#include "kvmail/MailEncoding.h"

#include <array>

OutgoingMail::OutgoingMail() : m_clock([] { return std::time(nullptr); }) {}

OutgoingMail::~OutgoingMail() = default;

void OutgoingMail::addRecipient(std::string address, std::string displayName) {
    m_recipients.push_back({std::move(address), std::move(displayName)});
}

std::optional<MailRecipient> OutgoingMail::recipient(std::size_t index) const {
    if (index >= m_recipients.size()) {
        return std::nullopt;
    }
    return m_recipients[index];
}

void OutgoingMail::prepare() {
    startHeader();
    addHeaderLines();
    endHeader();
    prepareBody();
}

void OutgoingMail::endWithLineBreak(std::string& text) {
    if (!text.ends_with("\r\n")) {
        text += "\r\n";
    }
}

void OutgoingMail::startHeader() {
    m_header.clear();
}

void OutgoingMail::addHeaderLine(std::string_view line) {
    m_header += line;
    m_header += "\r\n";
}

void OutgoingMail::addHeaderLines() {
    addHeaderLine("From: " + m_sender);

    std::string to = "To: ";
    for (std::size_t i = 0; i < m_recipients.size(); ++i) {
        if (i > 0) {
            to += ',';
        }
        to += m_recipients[i].displayName;
        to += '<';
        to += m_recipients[i].address;
        to += '>';
    }
    addHeaderLine(to);

    m_date = m_clock();
    std::tm local{};
    localtime_r(&m_date, &local);
    std::array<char, 128> formatted{};
    const std::size_t length = std::strftime(formatted.data(), formatted.size(), "%a, %d %b %y %H:%M:%S %Z", &local);
    addHeaderLine("Date: " + std::string(formatted.data(), length));

    addHeaderLine("Subject: " + mailencoding::headerText(m_subject));
    addHeaderLine("X-Mailer: " + m_mailer);
}

void OutgoingMail::endHeader() {
    m_header += "\r\n";
}

void OutgoingMail::prepareBody() {
    m_body = m_text;
    endWithLineBreak(m_body);
}
