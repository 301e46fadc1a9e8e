// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/OutgoingMail.h"

#include "kvmail/MailEncoding.h"

#include <array>
#include <cstdio>

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
    addHeaderLine("Date: " + mailDate(local));

    addHeaderLine("Subject: " + mailencoding::headerText(m_subject));
    addHeaderLine("X-Mailer: " + m_mailer);
}

std::string OutgoingMail::mailDate(const std::tm& local) {
    // Names in English whatever the locale: RFC 5322 knows no others.
    static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<char, 64> rest{};
    const std::size_t length = std::strftime(rest.data(), rest.size(), " %Y %H:%M:%S %z", &local);
    std::array<char, 16> day{};
    std::snprintf(day.data(), day.size(), "%02d ", local.tm_mday);
    return std::string(kDays.at(static_cast<std::size_t>(local.tm_wday) % 7)) + ", " + day.data() +
           kMonths.at(static_cast<std::size_t>(local.tm_mon) % 12) + std::string(rest.data(), length);
}

void OutgoingMail::endHeader() {
    m_header += "\r\n";
}

void OutgoingMail::prepareBody() {
    m_body = m_text;
    endWithLineBreak(m_body);
}
