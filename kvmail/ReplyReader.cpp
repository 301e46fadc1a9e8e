#include "kvmail/ReplyReader.h"

#include <algorithm>
#include <cstring>

std::string ReplyReader::take(std::size_t count) {
    std::string reply(m_buffer.data(), count);
    std::memmove(m_buffer.data(), m_buffer.data() + count, m_used - count);
    m_used -= count;
    return reply;
}

std::optional<std::string> ReplyReader::read(ByteStream& stream, ByteStream::Deadline deadline) {
    std::size_t searched = 0;
    for (;;) {
        const std::string_view held(m_buffer.data(), m_used);
        // Start one back: the CR may have ended the previous receive.
        const std::size_t lineEnd = held.find("\r\n", searched > 0 ? searched - 1 : 0);
        if (lineEnd != held.npos) {
            return take(lineEnd + 2);
        }
        if (m_used == kCapacity) {
            return take(m_used);
        }
        searched = m_used;
        const ssize_t got = stream.receive(m_buffer.data() + m_used, kCapacity - m_used, deadline);
        if (got < 0) {
            m_used = 0;
            return std::nullopt;
        }
        if (got == 0) {
            return take(m_used);
        }
        m_used += static_cast<std::size_t>(std::min<ssize_t>(got, static_cast<ssize_t>(kCapacity - m_used)));
    }
}

int ReplyReader::replyCode(std::string_view reply) {
    int code = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(3, reply.size()); ++i) {
        if (reply[i] < '0' || reply[i] > '9') {
            break;
        }
        code = code * 10 + (reply[i] - '0');
    }
    return code;
}
