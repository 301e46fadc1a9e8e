// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as saved mail (a message or an mbox): no crash, no hang, no leak, and every file
// found belongs to a mail that was counted.
#include "mailreader/MailReader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const mailreader::MailContents contents =
        mailreader::readFeedbackMailBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const mailreader::FoundFile& file : contents.files) {
        if (file.mail == 0 || file.mail > contents.mailCount) {
            std::abort();
        }
    }
    return 0;
}
