// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Archive.h"
#include "ReadOutcome.h"

#include <cstdint>
#include <string>
#include <string_view>

// A web feedback reply (.kvi): one respondent's answers posted from the web questionnaire.
class CWebReply {
public:
    std::int32_t scrambleSwitch = 0; // as read; writers derive it from the password
    std::int32_t seed = 0;           // as read; writers derive it from the password
    std::string password;
    std::string assessor;
    std::string roleName;
    std::string responses;    // one decimal digit (the option index) per behaviour, in behaviour order
    std::string relationship; // relationship index as decimal text
    OleDate date;
    std::string details;

    // The file's bytes; scrambled under the password when it is not empty, seed 0 otherwise.
    std::string encode() const;
    // Fills *this only when the whole record reads cleanly.
    ReadOutcome decode(std::string_view bytes);

    bool operator==(const CWebReply&) const = default;
};
