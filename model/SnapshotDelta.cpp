// SPDX-License-Identifier: GPL-3.0-or-later
#include "SnapshotDelta.h"

#include <algorithm>
#include <functional>

SnapshotDelta SnapshotDelta::between(std::string_view before, std::string_view after) {
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && before[head] == after[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    SnapshotDelta delta;
    delta.m_head = head;
    delta.m_before = std::string(before.substr(head, before.size() - head - tail));
    delta.m_after = std::string(after.substr(head, after.size() - head - tail));
    delta.m_beforeSize = before.size();
    delta.m_afterSize = after.size();
    delta.m_beforeHash = std::hash<std::string_view>{}(before);
    delta.m_afterHash = std::hash<std::string_view>{}(after);
    return delta;
}

std::optional<std::string> SnapshotDelta::replace(std::string_view current, std::size_t currentSize,
                                                  std::size_t currentHash, const std::string& currentMiddle,
                                                  const std::string& newMiddle, std::size_t head) {
    if (current.size() != currentSize || current.substr(head, currentMiddle.size()) != currentMiddle ||
        std::hash<std::string_view>{}(current) != currentHash) {
        return std::nullopt;
    }
    std::string result;
    result.reserve(current.size() - currentMiddle.size() + newMiddle.size());
    result.append(current.substr(0, head));
    result.append(newMiddle);
    result.append(current.substr(head + currentMiddle.size()));
    return result;
}

std::optional<std::string> SnapshotDelta::before(std::string_view current) const {
    return replace(current, m_afterSize, m_afterHash, m_after, m_before, m_head);
}

std::optional<std::string> SnapshotDelta::after(std::string_view current) const {
    return replace(current, m_beforeSize, m_beforeHash, m_before, m_after, m_head);
}

std::size_t SnapshotDelta::memoryUsed() const {
    return sizeof(SnapshotDelta) + m_before.capacity() + m_after.capacity();
}
