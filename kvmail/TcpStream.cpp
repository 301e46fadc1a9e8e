// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/TcpStream.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Milliseconds left until the deadline, for poll(); 0 once it has passed.
int millisecondsUntil(ByteStream::Deadline deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

// Waits until fd is ready for events or the deadline passes; false on timeout or error.
bool waitFor(int fd, short events, ByteStream::Deadline deadline) {
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, millisecondsUntil(deadline));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

// Connects a non-blocking socket within the time limit; the socket stays non-blocking.
bool connectWithin(int fd, const addrinfo& address, ByteStream::Deadline deadline) {
    if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0) {
        return true;
    }
    if (errno != EINPROGRESS && errno != EINTR) {
        return false;
    }
    if (!waitFor(fd, POLLOUT, deadline)) {
        return false;
    }
    int error = 0;
    socklen_t length = sizeof error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

} // namespace

std::unique_ptr<TcpStream> TcpStream::open(const std::string& host, int port, std::chrono::milliseconds timeout,
                                           OpenError* error) {
    *error = OpenError::CannotConnect;
    addrinfo hints{};
    // ai_family stays 0: any address family, IPv4 or IPv6.
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* addresses = nullptr;
    if (host.empty() || ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &addresses) != 0) {
        return nullptr;
    }
    const Deadline deadline = std::chrono::steady_clock::now() + timeout;
    bool anySocket = false;
    std::unique_ptr<TcpStream> stream;
    for (const addrinfo* address = addresses; address != nullptr && !stream; address = address->ai_next) {
        const int fd =
            ::socket(address->ai_family, address->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, address->ai_protocol);
        if (fd < 0) {
            continue;
        }
        anySocket = true;
        if (connectWithin(fd, *address, deadline)) {
            const int on = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            stream.reset(new TcpStream(fd));
        } else {
            ::close(fd);
        }
    }
    ::freeaddrinfo(addresses);
    if (stream) {
        *error = OpenError::None;
    } else if (!anySocket) {
        *error = OpenError::CannotCreateSocket;
    }
    return stream;
}

TcpStream::~TcpStream() {
    ::close(m_fd);
}

bool TcpStream::sendAll(std::string_view bytes, Deadline deadline) {
    while (!bytes.empty()) {
        // MSG_NOSIGNAL: a server that hangs up must fail the send, not kill the program.
        const ssize_t sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitFor(m_fd, POLLOUT, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

ssize_t TcpStream::receive(char* buffer, std::size_t capacity, Deadline deadline) {
    // Waiting first saves a receive that would only report "nothing yet": a reply always comes
    // some time after the command that asks for it.
    for (;;) {
        if (!waitFor(m_fd, POLLIN, deadline)) {
            return -1;
        }
        const ssize_t got = ::recv(m_fd, buffer, capacity, 0);
        if (got >= 0) {
            return got;
        }
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
            return -1;
        }
    }
}
