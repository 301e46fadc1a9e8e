#pragma once

#include "kvmail/ByteStream.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Reads SMTP replies into a 1024-byte buffer. A reply ends with its first CR LF; one receive may
// bring a fragment of it, or the start of what follows, which is kept as the start of the next
// reply. Only the first line of a multi-line reply is taken, so its later lines answer the next
// command.
class ReplyReader {
public:
    static constexpr std::size_t kCapacity = 1024;

    // The reply through its first CR LF, or a full buffer without one, or whatever arrived
    // before the peer closed (possibly nothing). Nothing on a stream error or when the
    // deadline passes first.
    std::optional<std::string> read(ByteStream& stream, ByteStream::Deadline deadline);

    // Bytes received after the last reply returned.
    std::string_view pending() const { return {m_buffer.data(), m_used}; }

    // The number its leading decimal digits form, three at most; 0 when it starts with no digit.
    static int replyCode(std::string_view reply);

private:
    std::string take(std::size_t count);

    std::array<char, kCapacity> m_buffer{};
    std::size_t m_used = 0;
};
