// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvmail/ByteStream.h"

#include <array>
#include <cstddef>
#include <string_view>

// Reads SMTP replies. A reply is one or more lines, each three digits, then a hyphen on every
// line but the last, then text, ending with CR LF; all its lines carry the same code. Receives
// may cut a reply anywhere or bring the start of the next one, which is kept for the next read.
// Once a read fails, every later read fails the same way: the dialogue is out of step, and a late
// or stray line must never be taken as the answer to a later command.
class ReplyReader {
public:
    // The longest line held; replies that need more are malformed (the protocol allows 512).
    static constexpr std::size_t kCapacity = 1024;

    enum class Outcome {
        Reply,       // a whole, well-formed reply
        StreamError, // the stream failed, or the deadline passed first
        Closed,      // the peer closed the stream before the reply's last line
        Malformed,   // a line of the wrong shape, too long, or with another code than the first
    };

    struct Result {
        Outcome outcome = Outcome::Reply;
        int code = 0; // 0 unless the outcome is Reply
    };

    Result read(ByteStream& stream, ByteStream::Deadline deadline);

    // Bytes received after the last reply returned.
    std::string_view pending() const { return {m_buffer.data(), m_used}; }

private:
    // Receives until the buffer starts with a whole line; its length without CR LF goes to
    // length. Anything but Reply tells why there is no line.
    Outcome awaitLine(ByteStream& stream, ByteStream::Deadline deadline, std::size_t& length);
    void consume(std::size_t count);

    std::array<char, kCapacity> m_buffer{};
    std::size_t m_used = 0;
    Outcome m_failure = Outcome::Reply;
};
