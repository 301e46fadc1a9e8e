// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// A mail server as a web page or the gateway's settings name it: a host name or address,
// optionally with a port as "host:port" or "[v6 address]:port". A bare IPv6 address (several
// colons) names no port. The gateway takes a port from a page only when its site lists that
// very entry; the role editor and kvtool warn when a page is given one.
struct MailServerAddress {
    std::string host;
    // Set only when the text names a valid port (1 to 65535).
    std::optional<int> port;
    // The text has the form of a host with a port, valid or not.
    bool portWritten = false;

    bool namesPort() const { return portWritten; }

    static MailServerAddress parse(std::string_view text);
};
