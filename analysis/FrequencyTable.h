// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"

#include <array>
#include <cstdint>

// How often each response to one behaviour was given, by group. Unlike the averages, answers that
// are not applicable count here too.
class CFrequencyTable {
public:
    // The frequency axis never runs to less than this.
    static constexpr std::int32_t kMinimumAxis = 5;

    explicit CFrequencyTable(std::int32_t behaviour) : m_behaviour(behaviour) {}

    std::int32_t behaviour() const { return m_behaviour; }

    void refresh(const JournalRecord& journal);

    // Rows shown: the options of the behaviour's scale; 0 when the behaviour or its scale does not exist.
    int optionCount() const { return m_optionCount; }
    // 0 outside the table.
    std::int32_t count(int option, int group) const;
    std::int32_t answersInGroup(int group) const;
    std::int32_t rowTotal(int option) const;
    // The largest row total, at least kMinimumAxis.
    std::int32_t axisMaximum() const;

private:
    std::int32_t m_behaviour;
    int m_optionCount = 0;
    std::array<std::array<std::int32_t, kRelationshipCount>, kMaxOptions> m_counts{};
    std::array<std::int32_t, kRelationshipCount> m_answers{};
};
