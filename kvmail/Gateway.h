// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvmail/GatewaySettings.h"
#include "kvmail/OutgoingMail.h"
#include "kvmail/ResponseOutput.h"
#include "kvmail/SmtpSession.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

struct PostedForm;

// One run of the CGI program: reads and checks the posted web questionnaire, answers the browser
// (at once when the post passes, with status 400 when it is refused), writes its answers as a web
// feedback reply file, mails that file to the person being assessed and ends the page with
// exactly one closing paragraph.
class Gateway {
public:
    static constexpr std::size_t kMaxContentLength = 1024 * 1024;

    Gateway(GatewaySettings settings, MailClock clock, std::filesystem::path temporaryRoot);

    // For tests: the connection to the mail server.
    void setStreamOpener(SmtpSession::StreamOpener opener) { m_opener = std::move(opener); }

    // contentLength is the CONTENT_LENGTH variable (null when unset); the body is read from
    // inputFd. Returns the exit status: 0 when the feedback was sent.
    int handle(const char* contentLength, int inputFd, ResponseOutput& out);

    // The reply file's name: "Feedback from NAME YYYYMMDDhhmmss.kvi", the name made safe.
    static std::string replyFileName(const std::string& respondent, std::time_t when);
    // The decimal number after optional blanks and sign; 0 without digits. Large values saturate.
    static long long parseContentLength(const char* text);
    // Ends the page after an unexpected failure, writing the head first when nothing was written.
    static void writeFailurePage(std::string_view paragraph, bool headWritten, ResponseOutput& out);

private:
    std::string readBody(int inputFd, std::size_t length) const;
    // The closing paragraph for a post that cannot be sent as it stands, or empty. A mail server
    // with a port is taken from a post only when the site lists that very entry.
    std::string refusal(const PostedForm& form, bool mailserverFromPost) const;
    static int refuse(std::string_view paragraph, ResponseOutput& out);
    int send(const PostedForm& form, ResponseOutput& out);

    GatewaySettings m_settings;
    MailClock m_clock;
    std::filesystem::path m_temporaryRoot;
    SmtpSession::StreamOpener m_opener;
};
