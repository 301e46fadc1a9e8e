// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"

#include <cstdint>
#include <optional>
#include <vector>

// Every index a journal stores (behaviour of an answer, option, scale, relationship, behaviour of an
// action) is kept as read from the file. These checks decide, in one place, what the statistics may
// use: an answer whose indexes fall outside the framework, or a questionnaire whose relationship is
// not one of the six groups, is counted nowhere.
namespace journalfacts {

// One answer whose behaviour, scale and option all exist.
struct CheckedAnswer {
    std::int32_t behaviour = 0;
    std::int32_t option = 0;
    std::int32_t score = 0;        // negative: not applicable
    std::int32_t scaleMaximum = 0; // as stored: decides whether a group average is valid
    std::int32_t axisTop = 0;      // the scale maximum as far as an axis may run, see axisTopOf()
    std::int32_t scaleIndex = 0;
};

// However far a stored scale maximum reaches, an axis runs no further than the highest of the
// scale's option values or kAxisCeiling, whichever is higher: every score an answer can have still
// lies on the axis, a scale of 0 to 100 keeps its whole axis, and a damaged or hostile maximum
// such as 2147483647 cannot make a page draw billions of grid lines. The stored maximum is kept.
inline constexpr std::int32_t kAxisCeiling = 100;

inline bool isGroup(std::int32_t relationship) {
    return relationship >= 0 && relationship < kRelationshipCount;
}

// A questionnaire every result counts: use in results set and a relationship that is a group.
inline bool countsInResults(const CPavexFeedback& questionnaire) {
    return questionnaire.useInResults != 0 && isGroup(questionnaire.relationship);
}

// The options of a scale that may be chosen, never more than the scale can hold.
int usableOptionCount(const CResponseScale& scale);

// The scale maximum clamped to max(kAxisCeiling, highest option value); a maximum below it is kept.
std::int32_t axisTopOf(const CResponseScale& scale);

// The scale of a behaviour, or nullptr when the behaviour or its scale index lies outside the framework.
const CResponseScale* scaleOfBehaviour(const CPavexFramework& framework, std::int32_t behaviour);

// The answer with its score, or nothing when any of its indexes lies outside the framework.
std::optional<CheckedAnswer> checkAnswer(const CPavexFramework& framework, const CResponse& response);

bool isMarked(const CPavexFramework& framework, std::int32_t behaviour);
// At least one action names the behaviour; an index outside the framework has no actions.
bool hasActions(const JournalRecord& journal, std::int32_t behaviour);

// The marked and has-actions facts of every behaviour at once, for the lists that need them all.
class DevelopmentFacts {
public:
    void update(const JournalRecord& journal);
    bool marked(std::int32_t behaviour) const { return flag(m_marked, behaviour); }
    bool hasActions(std::int32_t behaviour) const { return flag(m_hasActions, behaviour); }

private:
    static bool flag(const std::vector<char>& flags, std::int32_t behaviour) {
        return behaviour >= 0 && static_cast<std::size_t>(behaviour) < flags.size() && flags[behaviour] != 0;
    }
    std::vector<char> m_marked;
    std::vector<char> m_hasActions;
};

} // namespace journalfacts
