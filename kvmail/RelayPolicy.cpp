// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/RelayPolicy.h"

#include "kvmail/TextUtil.h"

#include <algorithm>

namespace {

bool isPlainAddress(std::string_view address) {
    const std::size_t at = address.find('@');
    if (at == 0 || at == address.npos || address.find('@', at + 1) != address.npos || at + 1 == address.size()) {
        return false;
    }
    return std::none_of(address.begin(), address.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= ' ' || byte == 0x7F || std::string_view("%!:,;<>()[]\"\\").find(c) != std::string_view::npos;
    });
}

} // namespace

RelayPolicy::RelayPolicy(std::vector<std::string> allowedMailservers, std::vector<std::string> allowedRecipients)
    : m_mailservers(std::move(allowedMailservers)), m_recipients(std::move(allowedRecipients)) {}

bool RelayPolicy::allowsMailserver(std::string_view host) const {
    return m_mailservers.empty() || listsMailserver(host);
}

bool RelayPolicy::listsMailserver(std::string_view server) const {
    return std::any_of(m_mailservers.begin(), m_mailservers.end(),
                       [server](const auto& allowed) { return equalsIgnoringAsciiCase(allowed, server); });
}

bool RelayPolicy::allowsRecipient(std::string_view address) const {
    if (m_recipients.empty()) {
        return true;
    }
    const bool plain = isPlainAddress(address);
    const std::string_view domain = plain ? address.substr(address.find('@')) : std::string_view();
    return std::any_of(m_recipients.begin(), m_recipients.end(), [&](const std::string& allowed) {
        if (allowed.starts_with('@')) {
            return plain && equalsIgnoringAsciiCase(allowed, domain);
        }
        return equalsIgnoringAsciiCase(allowed, address);
    });
}
