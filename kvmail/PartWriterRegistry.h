// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvmail/PartWriter.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// The process-wide set of part writers, looked up by part kind. It owns the writers for the life
// of the process; every operation holds the lock, so mails may be built on several threads.
class PartWriterRegistry {
public:
    static PartWriterRegistry& instance();

    void add(std::unique_ptr<PartWriter> writer);
    // Adds the writer made by makeWriter unless one of that kind is registered already. Lookup
    // always returns the first writer of a kind, so registering more would only grow the list.
    void addIfMissing(PartKind kind, const std::function<std::unique_ptr<PartWriter>()>& makeWriter);
    // The first writer registered for kind, or null. The writer lives until clear().
    const PartWriter* find(PartKind kind) const;
    std::size_t size() const;
    // Only while no mail is being prepared: the writers handed out by find() are deleted.
    void clear();

private:
    PartWriterRegistry() = default;

    mutable std::mutex m_mutex;
    std::vector<std::unique_ptr<PartWriter>> m_writers;
};
