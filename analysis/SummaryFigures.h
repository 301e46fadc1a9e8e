// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ResultList.h"
#include "analysis/ScoreItem.h"
#include "model/PavexDoc.h"

#include <cstdint>
#include <string>
#include <vector>

// The figures the summary of a feedback report leads with: strengths, priorities and where Self and
// the others disagree. All of them are read from the items of the Behaviours ranking, so they are
// the figures the result pages show.
namespace summaryfigures {

// How many behaviours each list of the summary holds at most.
inline constexpr std::size_t kListLength = 5;
// Self above or below the others' average by at least this many scale points is a disagreement.
inline constexpr double kDisagreementPoints = 1.0;

// The mean of the counted answers of the groups Manager to Other with a valid average (answers that
// are not applicable are never counted); -1.0 when no other group has one.
double othersAverage(const CScoreItem& item);
// The Self group's average: the answer of the one Self questionnaire, the mean of several; -1.0
// when there is none.
double selfValue(const CScoreItem& item);
// The highest minus the lowest group average among the groups (Self included) with a valid
// average; -1.0 when no group has one.
double groupSpread(const CScoreItem& item);

// One behaviour as the summary lists it.
struct BehaviourFigures {
    std::int32_t behaviour = 0;
    std::int32_t competency = -1; // as stored; may lie outside the framework
    double others = CScoreItem::kNoValue;
    double self = CScoreItem::kNoValue;
    double spread = CScoreItem::kNoValue;
    // Self minus others when both exist, else 0.
    double gap() const { return self >= 0.0 && others >= 0.0 ? self - others : 0.0; }
};

struct Summary {
    // Highest others' average first.
    std::vector<BehaviourFigures> strengths;
    // Lowest others' average first; never a behaviour already among the strengths.
    std::vector<BehaviourFigures> priorities;
    // Self above the others by at least the threshold, widest gap first.
    std::vector<BehaviourFigures> blindSpots;
    // Self below the others by at least the threshold, widest gap first.
    std::vector<BehaviourFigures> hiddenStrengths;
    // Behaviours with an others' average: those the lists were chosen from.
    std::size_t rated = 0;
};

// The summary of a refreshed Behaviours ranking (every behaviour, selector kAllBehaviours). Equal
// figures keep the order of that ranking. Behaviours no one but Self answered are left out.
Summary summarise(const CResultList& behaviourRanking, const CPavexFramework& framework,
                  double disagreementPoints = kDisagreementPoints);

} // namespace summaryfigures
