// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/PartWriterRegistry.h"

#include <algorithm>

PartWriterRegistry& PartWriterRegistry::instance() {
    static PartWriterRegistry registry;
    return registry;
}

void PartWriterRegistry::add(std::unique_ptr<PartWriter> writer) {
    const std::lock_guard lock(m_mutex);
    m_writers.push_back(std::move(writer));
}

void PartWriterRegistry::addIfMissing(PartKind kind, const std::function<std::unique_ptr<PartWriter>()>& makeWriter) {
    const std::lock_guard lock(m_mutex);
    const bool present = std::any_of(m_writers.begin(), m_writers.end(),
                                     [kind](const std::unique_ptr<PartWriter>& w) { return w->kind() == kind; });
    if (!present) {
        m_writers.push_back(makeWriter());
    }
}

const PartWriter* PartWriterRegistry::find(PartKind kind) const {
    const std::lock_guard lock(m_mutex);
    for (const auto& writer : m_writers) {
        if (writer->kind() == kind) {
            return writer.get();
        }
    }
    return nullptr;
}

std::size_t PartWriterRegistry::size() const {
    const std::lock_guard lock(m_mutex);
    return m_writers.size();
}

void PartWriterRegistry::clear() {
    const std::lock_guard lock(m_mutex);
    m_writers.clear();
}
