// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Keeps the gateway from relaying mail for strangers: a site lists the mail servers and the
// recipients (whole addresses, or "@domain" for any address there) its pages may name. An empty
// list allows anything.
class RelayPolicy {
public:
    RelayPolicy(std::vector<std::string> allowedMailservers, std::vector<std::string> allowedRecipients);

    bool allowsMailserver(std::string_view host) const;
    // Whether the site lists this very entry; an empty list lists nothing.
    bool listsMailserver(std::string_view server) const;
    // A domain entry admits only a plain address: one "@" and no routing characters in the
    // local part, so that no server can be talked into forwarding it elsewhere.
    bool allowsRecipient(std::string_view address) const;

private:
    std::vector<std::string> m_mailservers;
    std::vector<std::string> m_recipients;
};
