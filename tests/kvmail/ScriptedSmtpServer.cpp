// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedSmtpServer.h"

#include <chrono>
#include <stdexcept>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

void sendReply(int fd, const std::string& reply) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t pause = reply.find(ScriptedSmtpServer::kPause, start);
        const std::string piece = reply.substr(start, pause == reply.npos ? reply.npos : pause - start);
        ::send(fd, piece.data(), piece.size(), MSG_NOSIGNAL);
        if (pause == reply.npos) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        start = pause + 1;
    }
}

} // namespace

ScriptedSmtpServer::ScriptedSmtpServer(std::vector<std::string> replies) : m_replies(std::move(replies)) {
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listenFd < 0 || ::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listenFd, 1) != 0 ||
        ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { serve(); });
}

ScriptedSmtpServer::~ScriptedSmtpServer() {
    ::shutdown(m_listenFd, SHUT_RDWR);
    if (m_thread.joinable()) {
        m_thread.join();
    }
    ::close(m_listenFd);
}

void ScriptedSmtpServer::serve() {
    pollfd waiting{m_listenFd, POLLIN, 0};
    if (::poll(&waiting, 1, 10000) != 1) {
        return;
    }
    const int fd = ::accept(m_listenFd, nullptr, nullptr);
    if (fd < 0) {
        return;
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    std::size_t next = 0;
    bool inData = false;
    if (next < m_replies.size()) {
        sendReply(fd, m_replies[next++]);
    }
    std::string pending;
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
        if (got <= 0) {
            break;
        }
        pending.append(chunk, static_cast<std::size_t>(got));
        for (;;) {
            const std::string end = inData ? "\r\n.\r\n" : "\r\n";
            const std::size_t at = pending.find(end);
            if (at == pending.npos) {
                break;
            }
            {
                const std::lock_guard lock(m_mutex);
                m_commands.push_back(pending.substr(0, at + end.size()));
            }
            pending.erase(0, at + end.size());
            inData = false;
            if (next < m_replies.size() && m_replies[next] == kHangUp) {
                ::close(fd);
                return;
            }
            if (next < m_replies.size()) {
                inData = m_replies[next].starts_with("354");
                sendReply(fd, m_replies[next++]);
            }
        }
    }
    if (!pending.empty()) {
        const std::lock_guard lock(m_mutex);
        m_commands.push_back(pending);
    }
    ::close(fd);
}

std::vector<std::string> ScriptedSmtpServer::commands() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    const std::lock_guard lock(m_mutex);
    return m_commands;
}

std::string ScriptedSmtpServer::received() {
    std::string all;
    for (const std::string& command : commands()) {
        all += command;
    }
    return all;
}
