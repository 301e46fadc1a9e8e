// SPDX-License-Identifier: GPL-3.0-or-later
// Form decoding and field extraction on any posted body, and what the gateway then derives from
// the fields: the reply file's name, the mail text wrapped and encoded, the subject's header
// text and the dot-stuffed body.
#include "kvmail/DotStuffing.h"
#include "kvmail/FormFields.h"
#include "kvmail/Gateway.h"
#include "kvmail/MailEncoding.h"
#include "kvmail/PlainTextWriter.h"
#include "kvmail/RelayPolicy.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string withoutWhiteSpace(std::string_view text) {
    std::string kept;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\v' && c != '\f') {
            kept += c;
        }
    }
    return kept;
}

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const PostedForm form = PostedForm::parse(body);
    for (const std::string* value :
         {&form.email, &form.name, &form.role, &form.replies, &form.password, &form.relationship, &form.comments,
          &form.mailserver, &form.from, &form.subject, &form.message}) {
        require(value->size() <= size);
    }
    require(formfields::decodeValue(body).size() <= size);

    // Fields are found by their exact names: controls whose names end in a field's name, posted
    // before everything, change nothing; a field posted again after everything changes nothing
    // when the body already had one.
    const PostedForm prefixed =
        PostedForm::parse("rolename=Wrong&surname=Eve&xemail=x%40evil.example&q0=1&" + std::string(body));
    require(prefixed.name == form.name && prefixed.email == form.email && prefixed.role == form.role &&
            prefixed.replies == form.replies && prefixed.comments == form.comments);
    bool hasName = false;
    for (const auto& [name, value] : formfields::fields(body)) {
        hasName = hasName || name == "name";
    }
    const PostedForm repeated = PostedForm::parse(std::string(body) + "&name=Later");
    require(repeated.name == (hasName ? form.name : "Later"));

    const std::string fileName = Gateway::replyFileName(form.name, 0);
    require(fileName.size() <= 255 && fileName.find('/') == std::string::npos &&
            fileName.find('\0') == std::string::npos && fileName.find('\n') == std::string::npos);

    const RelayPolicy policy({"mail.example.org"}, {"@example.com", "boss@example.org"});
    policy.allowsMailserver(form.mailserver);
    policy.allowsRecipient(form.email);

    const std::string wrapped = PlainTextWriter::wordWrap(form.message, 76);
    require(withoutWhiteSpace(wrapped) == withoutWhiteSpace(form.message));

    const std::string encoded = mailencoding::quotedPrintable(wrapped);
    for (std::size_t lineStart = 0; lineStart <= encoded.size();) {
        const std::size_t lineEnd = std::min(encoded.find("\r\n", lineStart), encoded.size());
        require(lineEnd - lineStart <= 76);
        for (std::size_t i = lineStart; i < lineEnd; ++i) {
            const auto byte = static_cast<unsigned char>(encoded[i]);
            require((byte >= 0x20 && byte < 0x7f) || byte == '\t');
        }
        lineStart = lineEnd + 2;
    }
    const std::string subject = mailencoding::headerText(form.subject);
    require(subject.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos ||
            subject.starts_with("=?windows-1252?Q?"));

    // Every line of the stuffed text that starts with a dot has a doubled one, so no line the
    // server unstuffs is a lone dot, and removing one leading dot per line gives the text back.
    const std::string stuffed = dotStuffed(form.comments);
    std::string unstuffed;
    for (std::size_t lineStart = 0; lineStart < stuffed.size();) {
        const std::size_t lineFeed = stuffed.find('\n', lineStart);
        const std::size_t next = lineFeed == std::string::npos ? stuffed.size() : lineFeed + 1;
        const std::string_view line(stuffed.data() + lineStart, next - lineStart);
        require(!line.starts_with(".") || line.starts_with(".."));
        unstuffed += line.substr(line.starts_with(".") ? 1 : 0);
        lineStart = next;
    }
    require(unstuffed == form.comments);
    return 0;
}
