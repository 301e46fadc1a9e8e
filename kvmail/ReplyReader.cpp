// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/ReplyReader.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct ReplyLine {
    int code = 0;
    bool last = false;
};

// The code of one line (without its CR LF) and whether it ends its reply; nothing when the line
// does not start with three digits followed by a space, a hyphen or nothing.
std::optional<ReplyLine> parseLine(std::string_view line) {
    if (line.size() < 3 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2])) {
        return std::nullopt;
    }
    const int code = (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
    // A last line may be the bare code: the protocol makes its text optional.
    if (line.size() == 3 || line[3] == ' ') {
        return ReplyLine{code, true};
    }
    if (line[3] == '-') {
        return ReplyLine{code, false};
    }
    return std::nullopt;
}

} // namespace

void ReplyReader::consume(std::size_t count) {
    std::memmove(m_buffer.data(), m_buffer.data() + count, m_used - count);
    m_used -= count;
}

ReplyReader::Outcome ReplyReader::awaitLine(ByteStream& stream, ByteStream::Deadline deadline, std::size_t& length) {
    std::size_t searched = 0;
    for (;;) {
        const std::string_view held(m_buffer.data(), m_used);
        // Start one back: the CR may have ended the previous receive.
        const std::size_t lineEnd = held.find("\r\n", searched > 0 ? searched - 1 : 0);
        if (lineEnd != held.npos) {
            length = lineEnd;
            return Outcome::Reply;
        }
        if (m_used == kCapacity) {
            return Outcome::Malformed;
        }
        searched = m_used;
        const ssize_t got = stream.receive(m_buffer.data() + m_used, kCapacity - m_used, deadline);
        if (got < 0) {
            return Outcome::StreamError;
        }
        if (got == 0) {
            return Outcome::Closed;
        }
        m_used += std::min(static_cast<std::size_t>(got), kCapacity - m_used);
    }
}

ReplyReader::Result ReplyReader::read(ByteStream& stream, ByteStream::Deadline deadline) {
    if (m_failure != Outcome::Reply) {
        return {m_failure, 0};
    }
    std::optional<int> replyCode;
    for (;;) {
        std::size_t length = 0;
        Outcome outcome = awaitLine(stream, deadline, length);
        if (outcome == Outcome::Reply) {
            const std::optional<ReplyLine> line = parseLine({m_buffer.data(), length});
            if (line && (!replyCode || *replyCode == line->code)) {
                consume(length + 2);
                if (line->last) {
                    return {Outcome::Reply, line->code};
                }
                replyCode = line->code;
                continue;
            }
            outcome = Outcome::Malformed;
        }
        m_failure = outcome;
        return {outcome, 0};
    }
}
