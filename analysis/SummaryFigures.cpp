// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/SummaryFigures.h"

#include <algorithm>

namespace summaryfigures {

namespace {

constexpr int kSelf = 0;
// Differences this close to the threshold count as reaching it: averages are quotients.
constexpr double kThresholdTolerance = 1e-9;

bool hasAverage(const CScoreItem& item, int group) {
    return item.groupAverage(group) >= 0.0;
}

BehaviourFigures figuresOf(const CScoreItem& item, const CPavexFramework& framework) {
    BehaviourFigures figures;
    figures.behaviour = item.index();
    if (item.index() >= 0 && static_cast<std::size_t>(item.index()) < framework.behaviours.size()) {
        figures.competency = framework.behaviours[static_cast<std::size_t>(item.index())].competency;
    }
    figures.others = othersAverage(item);
    figures.self = selfValue(item);
    figures.spread = groupSpread(item);
    return figures;
}

// The first `count` of the candidates in the order `before` gives, equal ones in ranking order.
template <typename Before>
std::vector<BehaviourFigures> firstBy(std::vector<BehaviourFigures> candidates, std::size_t count, Before before) {
    std::stable_sort(candidates.begin(), candidates.end(), before);
    if (candidates.size() > count) {
        candidates.resize(count);
    }
    return candidates;
}

} // namespace

double othersAverage(const CScoreItem& item) {
    std::int64_t sum = 0;
    std::int64_t answers = 0;
    for (int group = 1; group < kRelationshipCount; ++group) {
        if (hasAverage(item, group)) {
            sum += item.groupSum(group);
            answers += item.groupAnswers(group);
        }
    }
    return answers > 0 ? static_cast<double>(sum) / static_cast<double>(answers) : CScoreItem::kNoValue;
}

double selfValue(const CScoreItem& item) {
    return hasAverage(item, kSelf) ? item.groupAverage(kSelf) : CScoreItem::kNoValue;
}

double groupSpread(const CScoreItem& item) {
    double lowest = 0.0;
    double highest = 0.0;
    bool any = false;
    for (int group = 0; group < kRelationshipCount; ++group) {
        if (!hasAverage(item, group)) {
            continue;
        }
        const double average = item.groupAverage(group);
        lowest = any ? std::min(lowest, average) : average;
        highest = any ? std::max(highest, average) : average;
        any = true;
    }
    return any ? highest - lowest : CScoreItem::kNoValue;
}

Summary summarise(const CResultList& behaviourRanking, const CPavexFramework& framework, double disagreementPoints) {
    std::vector<BehaviourFigures> rated;
    for (std::size_t rank = 0; rank < behaviourRanking.size(); ++rank) {
        const BehaviourFigures figures = figuresOf(behaviourRanking.at(rank), framework);
        if (figures.others >= 0.0) {
            rated.push_back(figures);
        }
    }
    Summary summary;
    summary.rated = rated.size();
    summary.strengths = firstBy(rated, kListLength, [](const auto& a, const auto& b) { return a.others > b.others; });
    std::vector<BehaviourFigures> rest;
    for (const BehaviourFigures& figures : rated) {
        const bool isStrength = std::any_of(summary.strengths.begin(), summary.strengths.end(),
                                            [&](const auto& s) { return s.behaviour == figures.behaviour; });
        if (!isStrength) {
            rest.push_back(figures);
        }
    }
    summary.priorities = firstBy(rest, kListLength, [](const auto& a, const auto& b) { return a.others < b.others; });

    const double threshold = disagreementPoints - kThresholdTolerance;
    std::vector<BehaviourFigures> above;
    std::vector<BehaviourFigures> below;
    for (const BehaviourFigures& figures : rated) {
        if (figures.self < 0.0) {
            continue;
        }
        if (figures.gap() >= threshold) {
            above.push_back(figures);
        } else if (-figures.gap() >= threshold) {
            below.push_back(figures);
        }
    }
    summary.blindSpots = firstBy(above, kListLength, [](const auto& a, const auto& b) { return a.gap() > b.gap(); });
    summary.hiddenStrengths =
        firstBy(below, kListLength, [](const auto& a, const auto& b) { return a.gap() < b.gap(); });
    return summary;
}

} // namespace summaryfigures
