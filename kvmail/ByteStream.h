// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <string_view>
#include <sys/types.h>

// Why a stream could not be opened: the one vocabulary of the socket layer and the SMTP session.
enum class OpenError { None, CannotCreateSocket, CannotConnect };

// A connected byte stream, so that the SMTP dialogue runs over a socket or over a test's fake.
class ByteStream {
public:
    using Deadline = std::chrono::steady_clock::time_point;

    virtual ~ByteStream() = default;

    // Writes all bytes; false when the stream fails or the peer takes none past the deadline.
    virtual bool sendAll(std::string_view bytes, Deadline deadline) = 0;
    // Waits for bytes until the deadline: the count received (at most capacity), 0 when the
    // peer has closed the stream, -1 on an error or when the deadline passes first.
    virtual ssize_t receive(char* buffer, std::size_t capacity, Deadline deadline) = 0;
};
