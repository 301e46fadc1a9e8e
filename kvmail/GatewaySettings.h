// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvmail/IniSection.h"

#include <chrono>
#include <string>
#include <vector>

// What the site configures in section "KVMail" of "kvmail.ini". A missing file or key leaves a
// text empty and a number at its default; a number that does not read cleanly also keeps it.
struct GatewaySettings {
    std::string mailserver;
    std::string from;
    std::string subject;
    std::string message;
    int port = 25;
    std::chrono::seconds timeout{60};
    // Empty: any; otherwise the only mail servers and recipients a post may name.
    std::vector<std::string> allowedMailservers;
    std::vector<std::string> allowedRecipients;

    static constexpr const char* kFileName = "kvmail.ini";
    static constexpr const char* kSection = "KVMail";

    static GatewaySettings fromSection(const IniSection& section);
    // Reads the first "kvmail.ini" along the search order, starting beside the program.
    static GatewaySettings load();
};
