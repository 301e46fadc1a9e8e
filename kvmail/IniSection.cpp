// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/IniSection.h"

#include "kvmail/TextUtil.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace {

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

std::string_view trimmedBlanks(std::string_view text) {
    while (!text.empty() && isMailWhiteSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isMailWhiteSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

IniSection IniSection::parse(std::string_view content, std::string_view section) {
    IniSection result;
    const std::string wanted = lowerAscii(section);
    bool inSection = false;
    while (!content.empty()) {
        const std::size_t lineEnd = std::min(content.find('\n'), content.size());
        const std::string_view text = trimmedBlanks(content.substr(0, lineEnd));
        content.remove_prefix(std::min(lineEnd + 1, content.size()));
        if (text.empty() || text.front() == ';' || text.front() == '#') {
            continue;
        }
        if (text.front() == '[') {
            const std::size_t close = text.find(']');
            inSection = close != text.npos && lowerAscii(trimmedBlanks(text.substr(1, close - 1))) == wanted;
            continue;
        }
        const std::size_t equals = text.find('=');
        if (!inSection || equals == text.npos) {
            continue;
        }
        const std::string key = lowerAscii(trimmedBlanks(text.substr(0, equals)));
        std::string_view value = trimmedBlanks(text.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        result.m_values.emplace(key, std::string(value.substr(0, kMaxValueLength)));
    }
    return result;
}

IniSection IniSection::readFile(const std::string& path, std::string_view section) {
    // Settings files are small; a larger one is cut rather than read without end.
    constexpr std::size_t kMaxFileSize = 1024 * 1024;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return {};
    }
    std::string content;
    char chunk[4096];
    while (content.size() < kMaxFileSize) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        content.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return parse(content, section);
}

std::string IniSection::value(std::string_view key) const {
    const auto found = m_values.find(lowerAscii(key));
    return found == m_values.end() ? std::string() : found->second;
}

bool IniSection::contains(std::string_view key) const {
    return m_values.count(lowerAscii(key)) > 0;
}
