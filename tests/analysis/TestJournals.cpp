// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/analysis/TestJournals.h"

#include "model/Role.h"

#include <random>

namespace testjournals {

namespace {
// Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about "x" + std::to_string(n).
std::string numbered(const char* prefix, long long number) {
    std::string name(prefix);
    name.append(std::to_string(number));
    return name;
}
} // namespace

JournalRecord journalWithRole(int competencies, int perCompetency) {
    JournalRecord journal;
    const CRole role = CRole::makeDefault();
    journal.relationshipLabels = role.relationshipLabels;
    journal.competencyTerm = role.competencyTerm;
    journal.behaviourTerm = role.behaviourTerm;
    journal.roleName = "Test role";
    journal.framework = role.framework;
    for (int c = 0; c < competencies; ++c) {
        journal.framework.competencies.push_back({numbered("C", static_cast<long long>(c)), ""});
        for (int k = 0; k < perCompetency; ++k) {
            CBehaviour behaviour;
            behaviour.statement = numbered("B", static_cast<long long>(journal.framework.behaviours.size()));
            behaviour.competency = c;
            behaviour.scale = 0;
            journal.framework.behaviours.push_back(behaviour);
        }
    }
    return journal;
}

CPavexFeedback questionnaire(std::int32_t relationship, const std::vector<std::int32_t>& options,
                             const std::string& assessor) {
    CPavexFeedback feedback;
    feedback.assessor = assessor;
    feedback.relationship = relationship;
    feedback.date = {OleDate::Valid, 45000.0};
    for (std::size_t k = 0; k < options.size(); ++k) {
        if (options[k] != kSkip) {
            feedback.responses.push_back({static_cast<std::int32_t>(k), options[k]});
        }
    }
    return feedback;
}

void answer(JournalRecord& journal, std::int32_t relationship, const std::vector<std::int32_t>& options) {
    journal.questionnaires.push_back(questionnaire(relationship, options));
}

std::int32_t addScale(JournalRecord& journal, std::initializer_list<std::int32_t> values, std::int32_t maximum) {
    CResponseScale scale;
    scale.optionCount = static_cast<std::int32_t>(values.size());
    int k = 0;
    for (const std::int32_t value : values) {
        scale.labels[k] = numbered("V", static_cast<long long>(value));
        scale.values[k++] = value;
    }
    scale.maximum = maximum;
    journal.framework.scales.push_back(scale);
    return static_cast<std::int32_t>(journal.framework.scales.size() - 1);
}

JournalRecord maximalJournal(std::uint32_t seed) {
    JournalRecord journal = journalWithRole(16, 16);
    std::mt19937 random(seed);
    for (int q = 0; q < kMaxQuestionnaires; ++q) {
        std::vector<std::int32_t> options(journal.framework.behaviours.size());
        for (auto& option : options) {
            option = static_cast<std::int32_t>(random() % 4);
        }
        answer(journal, q % kRelationshipCount, options);
    }
    for (std::size_t b = 0; b < journal.framework.behaviours.size(); b += 5) {
        journal.framework.behaviours[b].marked = 1;
    }
    for (int a = 0; a < 64; ++a) {
        CPavexAction action;
        action.behaviour = static_cast<std::int32_t>(random() % 256);
        action.action = numbered("Action ", static_cast<long long>(a));
        journal.actions.push_back(action);
    }
    return journal;
}

JournalRecord randomJournal(std::uint32_t seed, bool damaged) {
    std::mt19937 random(seed);
    const auto below = [&random](std::uint32_t n) { return static_cast<std::int32_t>(random() % n); };
    const auto chance = [&random](std::uint32_t percent) { return random() % 100 < percent; };

    JournalRecord journal = journalWithRole(1 + below(6), 0);
    const int competencies = static_cast<int>(journal.framework.competencies.size());
    const int extraScales = below(3);
    for (int s = 0; s < extraScales; ++s) {
        const std::int32_t maximum = below(5) - 1; // -1 .. 3
        const int options = 1 + below(kMaxOptions);
        CResponseScale scale;
        scale.optionCount = options;
        for (int k = 0; k < options; ++k) {
            scale.values[k] = below(5) - 1;
        }
        scale.maximum = maximum;
        journal.framework.scales.push_back(scale);
    }
    const int scales = static_cast<int>(journal.framework.scales.size());
    const int behaviours = below(40);
    for (int b = 0; b < behaviours; ++b) {
        CBehaviour behaviour;
        behaviour.statement = numbered("B", static_cast<long long>(b));
        behaviour.competency = below(static_cast<std::uint32_t>(competencies));
        behaviour.scale = below(static_cast<std::uint32_t>(scales));
        behaviour.marked = chance(30) ? 1 : 0;
        if (damaged && chance(5)) {
            behaviour.competency = chance(50) ? -1 : competencies + below(3);
        }
        if (damaged && chance(5)) {
            behaviour.scale = chance(50) ? -3 : scales + below(3);
        }
        journal.framework.behaviours.push_back(behaviour);
    }
    const int questionnaires = below(kMaxQuestionnaires + 1);
    for (int q = 0; q < questionnaires; ++q) {
        CPavexFeedback feedback;
        feedback.relationship = below(kRelationshipCount);
        if (damaged && chance(5)) {
            feedback.relationship = chance(50) ? -1 : kRelationshipCount + below(100);
        }
        feedback.useInResults = chance(85) ? 1 : 0;
        const int responses = behaviours == 0 ? below(3) : below(static_cast<std::uint32_t>(behaviours) * 2 + 1);
        for (int r = 0; r < responses; ++r) {
            std::int32_t behaviour = behaviours == 0 ? 0 : below(static_cast<std::uint32_t>(behaviours));
            const CPavexFramework& framework = journal.framework;
            std::int32_t option = below(kMaxOptions);
            if (behaviours > 0) {
                const std::int32_t scale = framework.behaviours[behaviour].scale;
                if (scale >= 0 && scale < scales) {
                    option = below(static_cast<std::uint32_t>(framework.scales[scale].optionCount));
                }
            }
            if (damaged && chance(5)) {
                behaviour = chance(50) ? -1 - below(5) : behaviours + below(1000);
            }
            if (damaged && chance(5)) {
                option = chance(50) ? -1 : kMaxOptions + below(100);
            }
            feedback.responses.push_back({behaviour, option});
        }
        journal.questionnaires.push_back(feedback);
    }
    const int actions = below(12);
    for (int a = 0; a < actions; ++a) {
        CPavexAction action;
        action.behaviour = behaviours == 0 ? -1 : below(static_cast<std::uint32_t>(behaviours) + 1) - 1;
        if (damaged && chance(10)) {
            action.behaviour = behaviours + below(50);
        }
        action.action = numbered("Action ", static_cast<long long>(a));
        journal.actions.push_back(action);
    }
    return journal;
}

} // namespace testjournals
