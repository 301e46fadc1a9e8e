// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvmail/ByteStream.h"

#include <chrono>
#include <memory>
#include <string>

// A TCP connection to a named host (IPv4 or IPv6), with Nagle's algorithm off: the SMTP dialogue
// sends small commands and waits for each reply, which delayed acknowledgements would stall.
class TcpStream : public ByteStream {
public:
    // Tries every address of host in turn, each connect limited by timeout.
    static std::unique_ptr<TcpStream> open(const std::string& host, int port, std::chrono::milliseconds timeout,
                                           OpenError* error);
    ~TcpStream() override;
    TcpStream(const TcpStream&) = delete;
    TcpStream& operator=(const TcpStream&) = delete;

    bool sendAll(std::string_view bytes, Deadline deadline) override;
    ssize_t receive(char* buffer, std::size_t capacity, Deadline deadline) override;

private:
    explicit TcpStream(int fd) : m_fd(fd) {}

    int m_fd;
};
