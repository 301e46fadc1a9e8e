// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvmail/ByteStream.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>

// A stream that hands out scripted chunks, one per receive, and records what is sent. When the
// chunks run out it reports the peer closed, or an error when failAtEnd is set.
class FakeStream : public ByteStream {
public:
    explicit FakeStream(std::deque<std::string> chunks, bool failAtEnd = false)
        : m_chunks(std::move(chunks)), m_failAtEnd(failAtEnd) {}

    bool sendAll(std::string_view bytes, Deadline) override {
        sent += bytes;
        return true;
    }
    ssize_t receive(char* buffer, std::size_t capacity, Deadline) override {
        if (m_chunks.empty()) {
            return m_failAtEnd ? -1 : 0;
        }
        std::string& chunk = m_chunks.front();
        const std::size_t count = std::min(capacity, chunk.size());
        std::memcpy(buffer, chunk.data(), count);
        chunk.erase(0, count);
        if (chunk.empty()) {
            m_chunks.pop_front();
        }
        return static_cast<ssize_t>(count);
    }

    std::string sent;

private:
    std::deque<std::string> m_chunks;
    bool m_failAtEnd;
};
