// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What one edit changed in a document's encoded bytes: the stretch between the head and the tail
// the snapshots before and after share. It holds only that stretch, so a small edit costs little
// whatever the size of the document, and it gives back either snapshot exactly.
class SnapshotDelta {
public:
    static SnapshotDelta between(std::string_view before, std::string_view after);

    // The snapshot before the edit, from the one after it; nothing when `current` is not that one.
    std::optional<std::string> before(std::string_view current) const;
    // The snapshot after the edit, from the one before it; nothing when `current` is not that one.
    std::optional<std::string> after(std::string_view current) const;

    bool changesNothing() const { return m_before.empty() && m_after.empty(); }
    // The bytes this delta keeps, with its own bookkeeping.
    std::size_t memoryUsed() const;

private:
    static std::optional<std::string> replace(std::string_view current, std::size_t currentSize,
                                              std::size_t currentHash, const std::string& currentMiddle,
                                              const std::string& newMiddle, std::size_t head);

    std::size_t m_head = 0;
    std::string m_before; // the stretch as it was
    std::string m_after;  // the stretch as it became
    std::size_t m_beforeSize = 0;
    std::size_t m_afterSize = 0;
    // Whole-snapshot fingerprints: a delta is only ever applied to the bytes it was made from.
    std::size_t m_beforeHash = 0;
    std::size_t m_afterHash = 0;
};
