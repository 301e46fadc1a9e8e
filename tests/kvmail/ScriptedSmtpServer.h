// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A mail server on 127.0.0.1 for one connection that answers from a script. The first reply is
// the greeting; each later one answers one command: a line, or, after a reply starting "354",
// the data through its end line. kPause inside a reply splits it into two packets sent apart.
// A reply of kHangUp closes the connection instead. When the script runs out, the server stays
// silent until the client closes.
class ScriptedSmtpServer {
public:
    static constexpr char kPause = '\x01';
    static constexpr const char* kHangUp = "\x02";

    explicit ScriptedSmtpServer(std::vector<std::string> replies);
    ~ScriptedSmtpServer();
    ScriptedSmtpServer(const ScriptedSmtpServer&) = delete;
    ScriptedSmtpServer& operator=(const ScriptedSmtpServer&) = delete;

    int port() const { return m_port; }
    // Waits until the client has closed, then gives everything it sent, one entry per command.
    std::vector<std::string> commands();
    std::string received();

private:
    void serve();

    std::vector<std::string> m_replies;
    int m_listenFd = -1;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<std::string> m_commands;
};
