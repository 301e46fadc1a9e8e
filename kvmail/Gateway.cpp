// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/Gateway.h"

#include "kvmail/FormFields.h"
#include "kvmail/MultipartMail.h"
#include "kvmail/PrivateReplyFile.h"
#include "kvmail/RelayPolicy.h"
#include "kvmail/TextUtil.h"
#include "model/MailServerAddress.h"
#include "model/OleDate.h"
#include "model/TextRules.h"
#include "model/WebReply.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <memory>

#include <poll.h>
#include <unistd.h>

namespace {

constexpr const char* kAccepted = "Content-type: text/html\nStatus: 200 OK\n\n";
constexpr const char* kBadRequest = "Content-type: text/html\nStatus: 400 Bad Request\n\n";
// The same page whatever the status, so that a browser shows every answer alike; the viewport
// keeps a phone from drawing it at desktop width.
constexpr const char* kPageHead = "<html><head><title>KVMail</title>"
                                  "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                                  "</head><body>\n"
                                  "<h1>Sending feedback.  Please wait...</h1>\n";
constexpr const char* kPageEnd = "</p></body></html>\n";
constexpr const char* kSuccess = "<p>Feedback successfully sent.  Thank you.</p></body></html>\n";
constexpr const char* kNothingToProcess = "<p>Error: nothing to process</p></body></html>\n";
constexpr const char* kTooLarge = "<p>Error: the feedback is too large to process</p></body></html>\n";
constexpr const char* kNoMailServer = "<p>Error: no mail server given</p></body></html>\n";
constexpr const char* kNoEmail = "<p>Error: no email address given</p></body></html>\n";
constexpr const char* kNoRelationship = "<p>Error: no reporting relationship address given</p></body></html>\n";
constexpr const char* kNoRole = "<p>Error: no role given</p></body></html>\n";
constexpr const char* kNoReplies = "<p>Error: no replies given</p></body></html>\n";
constexpr const char* kBadRelationship =
    "<p>Error: the reporting relationship must be one digit from 0 to 5</p></body></html>\n";
constexpr const char* kRepliesNotDigits = "<p>Error: the replies must be digits only</p></body></html>\n";
constexpr const char* kTooManyReplies = "<p>Error: more than 256 replies given</p></body></html>\n";
// One answer per behaviour, and a questionnaire holds at most this many.
constexpr std::size_t kMaxReplies = 256;
constexpr const char* kLineBreak =
    "<p>Error: the email address, sender and subject must each be a single line</p></body></html>\n";
constexpr const char* kCannotWrite = "<p>Error: cannot write temporary file</p></body></html>\n";
constexpr const char* kWhileDisconnecting = "<p>Error: while disconnecting from mail server</p></body></html>\n";

constexpr const char* kAnonymous = "<anonymous>";

// A lone CR or LF becomes CR LF: servers that end the data at a bare line break would otherwise
// read a smuggled second mail out of the text.
std::string withMailLineBreaks(std::string_view text) {
    std::string normal;
    normal.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            normal += "\r\n";
            ++i;
        } else if (text[i] == '\r' || text[i] == '\n') {
            normal += "\r\n";
        } else {
            normal += text[i];
        }
    }
    return normal;
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::tm localTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

} // namespace

Gateway::Gateway(GatewaySettings settings, MailClock clock, std::filesystem::path temporaryRoot)
    : m_settings(std::move(settings)), m_clock(std::move(clock)), m_temporaryRoot(std::move(temporaryRoot)) {}

long long Gateway::parseContentLength(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value > LLONG_MAX / 20 ? LLONG_MAX / 20 : value * 10 + (*text - '0');
    }
    return negative ? -value : value;
}

std::string Gateway::readBody(int inputFd, std::size_t length) const {
    // A pipe hands over what has arrived so far, so one read may return part of the post.
    std::string body(length, '\0');
    std::size_t got = 0;
    const int waitMilliseconds = static_cast<int>(std::chrono::milliseconds(m_settings.timeout).count());
    while (got < length) {
        pollfd entry{inputFd, POLLIN, 0};
        const int ready = ::poll(&entry, 1, waitMilliseconds);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            break;
        }
        const ssize_t count = ::read(inputFd, body.data() + got, length - got);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        got += static_cast<std::size_t>(count);
    }
    body.resize(got);
    return body;
}

std::string Gateway::replyFileName(const std::string& respondent, std::time_t when) {
    const std::tm local = localTime(when);
    std::array<char, 32> stamp{};
    const std::size_t stampLength = std::strftime(stamp.data(), stamp.size(), " %Y%m%d%H%M%S", &local);
    const std::string prefix = "Feedback from ";
    const std::string suffix = std::string(stamp.data(), stampLength) + ".kvi";
    return prefix + PrivateReplyFile::safeFileName(respondent, prefix.size() + suffix.size()) + suffix;
}

std::string Gateway::refusal(const PostedForm& form, bool mailserverFromPost) const {
    if (form.mailserver.empty()) {
        return kNoMailServer;
    }
    if (form.email.empty()) {
        return kNoEmail;
    }
    if (form.relationship.empty()) {
        return kNoRelationship;
    }
    if (form.role.empty()) {
        return kNoRole;
    }
    if (form.replies.empty()) {
        return kNoReplies;
    }
    // The merge would read anything else as a self-assessment or as answers nobody gave.
    if (form.relationship.size() != 1 || form.relationship[0] < '0' || form.relationship[0] > '5') {
        return kBadRelationship;
    }
    if (!allDigits(form.replies)) {
        return kRepliesNotDigits;
    }
    if (form.replies.size() > kMaxReplies) {
        return kTooManyReplies;
    }
    if (breaksHeaderLine(form.email) || breaksHeaderLine(form.from) || breaksHeaderLine(form.subject)) {
        return kLineBreak;
    }
    const RelayPolicy policy(m_settings.allowedMailservers, m_settings.allowedRecipients);
    if (mailserverFromPost && MailServerAddress::parse(form.mailserver).namesPort() &&
        !policy.listsMailserver(form.mailserver)) {
        return "<p>Error: mail server " + htmlEscaped(form.mailserver) +
               " names a port, which this site does not allow" + kPageEnd;
    }
    if (!policy.allowsMailserver(form.mailserver)) {
        return "<p>Error: mail server " + htmlEscaped(form.mailserver) + " is not allowed here" + kPageEnd;
    }
    if (!policy.allowsRecipient(form.email)) {
        return "<p>Error: email address " + htmlEscaped(form.email) + " is not allowed here" + kPageEnd;
    }
    return {};
}

int Gateway::handle(const char* contentLength, int inputFd, ResponseOutput& out) {
    // The post is checked before anything is written, so that a refusal can say so in its status;
    // one that passes gets the head and the waiting text at once, before the mail server is asked.
    const long long length = parseContentLength(contentLength);
    if (length < 1) {
        return refuse(kNothingToProcess, out);
    }
    if (static_cast<unsigned long long>(length) > kMaxContentLength) {
        return refuse(kTooLarge, out);
    }
    PostedForm form = PostedForm::parse(readBody(inputFd, static_cast<std::size_t>(length)));
    const bool mailserverFromPost = !form.mailserver.empty();
    for (auto [posted, configured] :
         {std::pair{&form.mailserver, &m_settings.mailserver}, std::pair{&form.from, &m_settings.from},
          std::pair{&form.subject, &m_settings.subject}, std::pair{&form.message, &m_settings.message}}) {
        if (posted->empty()) {
            *posted = *configured;
        }
    }
    if (const std::string refused = refusal(form, mailserverFromPost); !refused.empty()) {
        return refuse(refused, out);
    }
    if (form.name.empty()) {
        form.name = kAnonymous;
    }
    out.write(std::string(kAccepted) + kPageHead);
    return send(form, out);
}

int Gateway::refuse(std::string_view paragraph, ResponseOutput& out) {
    out.write(std::string(kBadRequest) + kPageHead + std::string(paragraph));
    return 1;
}

void Gateway::writeFailurePage(std::string_view paragraph, bool headWritten, ResponseOutput& out) {
    if (!headWritten) {
        out.write(std::string("Content-type: text/html\nStatus: 500 Internal Server Error\n\n") + kPageHead);
    }
    out.write(paragraph);
}

int Gateway::send(const PostedForm& form, ResponseOutput& out) {
    const std::time_t now = m_clock();
    CWebReply reply;
    reply.password = form.password;
    reply.assessor = form.name;
    reply.roleName = form.role;
    reply.responses = form.replies;
    reply.relationship = form.relationship;
    reply.date = oledate::fromLocalTime(localTime(now));
    reply.details = form.comments;

    std::unique_ptr<PrivateReplyFile> file =
        PrivateReplyFile::create(m_temporaryRoot, replyFileName(form.name, now), reply.encode());
    if (!file) {
        out.write(kCannotWrite);
        return 1;
    }

    MultipartMail mail;
    mail.setClock([now] { return now; });
    mail.setSender(form.from);
    mail.addRecipient(form.email);
    mail.setSubject(form.subject);
    mail.setText(withMailLineBreaks(form.message));
    mail.addPart(file->path().native(), PartKind::File, {}, 4, 1);

    const MailServerAddress server = MailServerAddress::parse(form.mailserver);
    SmtpSession session(server.host, server.port.value_or(m_settings.port), m_settings.timeout, m_opener);
    std::string failure;
    if (!session.connect()) {
        failure = "<p>Error: cannot connect to mail server " + htmlEscaped(form.mailserver) + kPageEnd;
    } else if (!session.sendMessage(mail)) {
        failure = "<p>Error: cannot send message to mail server " + htmlEscaped(form.mailserver) + kPageEnd;
    } else if (!session.disconnect()) {
        failure = kWhileDisconnecting;
    }
    if (!failure.empty()) {
        out.write(failure);
        file->remove();
        return 1;
    }
    file->remove();
    out.write(kSuccess);
    return 0;
}
