// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Where the page for the browser goes. Every write reaches the web server at once, so the
// browser shows the waiting text while the mail is being sent.
class ResponseOutput {
public:
    virtual ~ResponseOutput() = default;
    virtual void write(std::string_view text) = 0;
};

// Writes straight to a file descriptor (standard output for the web server), without a buffer.
// A browser that has gone away makes the writes fail; the run goes on and cleans up.
class DescriptorOutput : public ResponseOutput {
public:
    explicit DescriptorOutput(int fd) : m_fd(fd) {}
    void write(std::string_view text) override;
    // How many bytes were given to write, whether or not they reached the server.
    std::size_t written() const { return m_written; }

private:
    int m_fd;
    std::size_t m_written = 0;
};

class StringOutput : public ResponseOutput {
public:
    void write(std::string_view text) override { m_text += text; }
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};
