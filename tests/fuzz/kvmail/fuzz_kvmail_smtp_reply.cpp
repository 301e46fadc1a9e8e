// SPDX-License-Identifier: GPL-3.0-or-later
// The SMTP reply reader and a whole session over a fake socket that hands out the input as the
// server's replies, cut into pieces whose sizes the first byte chooses.
#include "../../kvmail/FakeStream.h"
#include "kvmail/OutgoingMail.h"
#include "kvmail/ReplyReader.h"
#include "kvmail/SmtpSession.h"

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>

namespace {

std::deque<std::string> pieces(const std::uint8_t* data, std::size_t size) {
    std::deque<std::string> chunks;
    if (size == 0) {
        return chunks;
    }
    std::uint32_t state = data[0];
    for (std::size_t at = 1; at < size;) {
        state = state * 1103515245u + 12345u;
        const std::size_t length = std::min<std::size_t>(1 + (state >> 16) % 64, size - at);
        chunks.emplace_back(reinterpret_cast<const char*>(data + at), length);
        at += length;
    }
    return chunks;
}

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    {
        FakeStream stream(pieces(data, size), size % 2 == 1);
        ReplyReader reader;
        std::size_t replies = 0;
        ReplyReader::Result reply;
        while ((reply = reader.read(stream, deadline)).outcome == ReplyReader::Outcome::Reply) {
            require(reply.code >= 0 && reply.code <= 999);
            require(reader.pending().size() <= ReplyReader::kCapacity);
            ++replies;
        }
        // Every reply takes at least "NNN\r\n"; a failed read leaves the reader failed.
        require(replies * 5 <= size);
        require(reply.code == 0);
        require(reader.read(stream, deadline).outcome == reply.outcome);
    }
    {
        const auto chunks = pieces(data, size);
        SmtpSession session("fuzz.example", 25, std::chrono::seconds(1),
                            [&chunks](const std::string&, int, std::chrono::milliseconds, OpenError* error) {
                                *error = OpenError::None;
                                return std::make_unique<FakeStream>(chunks);
                            });
        OutgoingMail mail;
        mail.setSender("from@example.org");
        mail.addRecipient("to@example.com");
        mail.setSubject("Zo\xeb");
        mail.setText("line\r\n.\r\n.x\r\nend \xe9");
        if (session.connect()) {
            session.sendMessage(mail);
        }
        session.disconnect();
        require(!session.isConnected() && !session.lastError().empty());
    }
    return 0;
}
