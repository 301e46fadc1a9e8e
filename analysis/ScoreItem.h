// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Limits.h"

#include <array>
#include <cstdint>
#include <string>

// One competency or behaviour of a result list: per-group sums of the counted answers, the range of
// questionnaire averages, and the figures derived from them. A figure without a value is -1.0.
class CScoreItem {
public:
    static constexpr double kNoValue = -1.0;
    // A group average of at least this counts towards the overall average and the valid groups.
    static constexpr double kAverageTolerance = -0.00001;
    // A group average of at least this counts towards a difference.
    static constexpr double kDifferenceTolerance = -0.0001;
    // A difference or extra requirement is shown when it is greater than this.
    static constexpr double kShownThreshold = 0.0001;

    CScoreItem(std::string name, std::int32_t index);

    const std::string& name() const { return m_name; }
    std::int32_t index() const { return m_index; }

    // Everything back to the state before the first answer; name and index are kept.
    void reset();
    // Counts one answer of group 0..5 unless its score is negative (not applicable). The stored
    // scale maximum decides validity; the axis maximum grows to `axisTop`, the maximum as far as an
    // axis may run (journalfacts::axisTopOf).
    void addAnswer(int group, std::int32_t score, std::int32_t scaleMaximum, std::int32_t scaleIndex,
                   std::int32_t axisTop);
    // Closes the questionnaire being counted: its average joins the group's range when it counted anything.
    void endQuestionnaire(int group);

    double groupAverage(int group) const;
    // The mean of the valid group averages, each group weighing the same.
    double overallAverage() const;
    double lowestAverage(int group) const;
    double highestAverage(int group) const;
    int validGroups() const;
    // Selector 0: sample variance of the group averages; 1..5: distance between Self and that group.
    double difference(int selector) const;
    // Selector 0: the other groups' averages added up when Self has none; 1..5: that group alone.
    double extraRequirement(int selector) const;

    // -1 before any answer, the scale index of the counted answers, -2 once two scales were mixed.
    std::int32_t scaleTag() const { return m_scaleTag; }
    // The highest axis top over the counted answers.
    std::int32_t axisMaximum() const { return m_axisMaximum; }
    std::int64_t groupSum(int group) const;
    std::int64_t groupMaximumSum(int group) const;
    std::int32_t groupAnswers(int group) const;

    double sortKey() const { return m_sortKey; }
    void setSortKey(double key) { m_sortKey = key; }

    // Behaviour items only: the development facts as of the last refresh.
    bool marked() const { return m_marked; }
    bool hasActions() const { return m_hasActions; }
    void setDevelopment(bool marked, bool hasActions) {
        m_marked = marked;
        m_hasActions = hasActions;
    }

    bool operator==(const CScoreItem&) const = default;

private:
    static bool isGroup(int group) { return group >= 0 && group < kRelationshipCount; }
    bool hasValidAverage(int group) const;

    std::string m_name;
    std::int32_t m_index = 0;
    std::int32_t m_scaleTag = -1;
    // Sums are 64-bit so that no stored score, however large, can overflow them.
    std::array<std::int64_t, kRelationshipCount> m_groupSum{};
    std::array<std::int64_t, kRelationshipCount> m_groupMaximumSum{};
    std::array<std::int32_t, kRelationshipCount> m_groupAnswers{};
    std::array<double, kRelationshipCount> m_lowest{};
    std::array<double, kRelationshipCount> m_highest{};
    std::int32_t m_axisMaximum = 0;
    std::int64_t m_runningSum = 0;
    std::int32_t m_runningCount = 0;
    double m_sortKey = 0.0;
    bool m_marked = false;
    bool m_hasActions = false;
};
