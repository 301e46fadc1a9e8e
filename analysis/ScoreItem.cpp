// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ScoreItem.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
constexpr double kNoLowestYet = 9999.0;
constexpr double kNoHighestYet = 0.0;
} // namespace

CScoreItem::CScoreItem(std::string name, std::int32_t index) : m_name(std::move(name)), m_index(index) {
    reset();
}

void CScoreItem::reset() {
    m_scaleTag = -1;
    m_groupSum.fill(0);
    m_groupMaximumSum.fill(0);
    m_groupAnswers.fill(0);
    m_lowest.fill(kNoLowestYet);
    m_highest.fill(kNoHighestYet);
    m_axisMaximum = 0;
    m_runningSum = 0;
    m_runningCount = 0;
    m_sortKey = 0.0;
    m_marked = false;
    m_hasActions = false;
}

void CScoreItem::addAnswer(int group, std::int32_t score, std::int32_t scaleMaximum, std::int32_t scaleIndex,
                           std::int32_t axisTop) {
    if (!isGroup(group) || score < 0) {
        return;
    }
    m_groupSum[group] += score;
    m_groupMaximumSum[group] += scaleMaximum;
    m_groupAnswers[group] += 1;
    m_axisMaximum = std::max(m_axisMaximum, axisTop);
    m_runningSum += score;
    m_runningCount += 1;
    if (m_scaleTag == -1) {
        m_scaleTag = scaleIndex;
    } else if (m_scaleTag >= 0 && m_scaleTag != scaleIndex) {
        m_scaleTag = -2;
    }
}

void CScoreItem::endQuestionnaire(int group) {
    if (!isGroup(group) || m_runningCount < 1) {
        return;
    }
    const double average = static_cast<double>(m_runningSum) / m_runningCount;
    m_lowest[group] = std::min(m_lowest[group], average);
    m_highest[group] = std::max(m_highest[group], average);
    m_runningSum = 0;
    m_runningCount = 0;
}

bool CScoreItem::hasValidAverage(int group) const {
    // A positive maximum sum implies at least one counted answer; the answer count is checked all the same.
    return isGroup(group) && m_groupSum[group] >= 0 && m_groupMaximumSum[group] > 0 && m_groupAnswers[group] > 0;
}

double CScoreItem::groupAverage(int group) const {
    if (!hasValidAverage(group)) {
        return kNoValue;
    }
    return static_cast<double>(m_groupSum[group]) / m_groupAnswers[group];
}

double CScoreItem::overallAverage() const {
    double sum = 0.0;
    int groups = 0;
    for (int g = 0; g < kRelationshipCount; ++g) {
        const double average = groupAverage(g);
        if (average >= kAverageTolerance) {
            sum += average;
            ++groups;
        }
    }
    return groups == 0 ? kNoValue : sum / groups;
}

double CScoreItem::lowestAverage(int group) const {
    return hasValidAverage(group) ? m_lowest[group] : kNoValue;
}

double CScoreItem::highestAverage(int group) const {
    return hasValidAverage(group) ? m_highest[group] : kNoValue;
}

int CScoreItem::validGroups() const {
    int groups = 0;
    for (int g = 0; g < kRelationshipCount; ++g) {
        if (groupAverage(g) >= kAverageTolerance) {
            ++groups;
        }
    }
    return groups;
}

double CScoreItem::difference(int selector) const {
    if (selector == 0) {
        const double mean = overallAverage();
        double sum = 0.0;
        int groups = 0;
        for (int g = 0; g < kRelationshipCount; ++g) {
            const double average = groupAverage(g);
            if (average >= kDifferenceTolerance) {
                sum += (mean - average) * (mean - average);
                ++groups;
            }
        }
        return groups >= 2 ? sum / (groups - 1) : kNoValue;
    }
    if (selector >= 1 && selector < kRelationshipCount) {
        const double self = groupAverage(0);
        const double other = groupAverage(selector);
        if (self >= kDifferenceTolerance && other >= kDifferenceTolerance) {
            return std::fabs(self - other);
        }
    }
    return kNoValue;
}

double CScoreItem::extraRequirement(int selector) const {
    const double self = groupAverage(0);
    if (selector == 0) {
        double sum = 0.0;
        for (int g = 1; g < kRelationshipCount; ++g) {
            if (self < 0.0 && hasValidAverage(g)) {
                sum += std::fabs(groupAverage(g));
            }
        }
        return sum;
    }
    if (selector >= 1 && selector < kRelationshipCount) {
        if (self >= 0.0 || !hasValidAverage(selector)) {
            return kNoValue;
        }
        return std::fabs(groupAverage(selector));
    }
    return kNoValue;
}

std::int64_t CScoreItem::groupSum(int group) const {
    return isGroup(group) ? m_groupSum[group] : 0;
}

std::int64_t CScoreItem::groupMaximumSum(int group) const {
    return isGroup(group) ? m_groupMaximumSum[group] : 0;
}

std::int32_t CScoreItem::groupAnswers(int group) const {
    return isGroup(group) ? m_groupAnswers[group] : 0;
}
