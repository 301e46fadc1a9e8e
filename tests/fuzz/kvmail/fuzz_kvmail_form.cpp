// Form decoding and field extraction on any posted body, and what the gateway then derives from
// the fields: the reply file's name, the wrapped mail text and the dot-stuffed body.
#include "kvmail/DotStuffing.h"
#include "kvmail/FormFields.h"
#include "kvmail/Gateway.h"
#include "kvmail/PlainTextWriter.h"
#include "kvmail/RelayPolicy.h"

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

    const std::string fileName = Gateway::replyFileName(form.name, 0);
    require(fileName.size() <= 255 && fileName.find('/') == std::string::npos &&
            fileName.find('\0') == std::string::npos && fileName.find('\n') == std::string::npos);

    const RelayPolicy policy({"mail.example.org"}, {"@example.com", "boss@example.org"});
    policy.allowsMailserver(form.mailserver);
    policy.allowsRecipient(form.email);

    const std::string wrapped = PlainTextWriter::wordWrap(form.message, 76);
    require(withoutWhiteSpace(wrapped) == withoutWhiteSpace(form.message));

    const std::string stuffed = dotStuffed(form.comments);
    require(stuffed.find("\r\n.\r\n") == std::string::npos && !stuffed.starts_with(".\r\n"));
    return 0;
}
