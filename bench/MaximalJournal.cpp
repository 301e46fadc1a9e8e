// SPDX-License-Identifier: GPL-3.0-or-later
// The largest journal the files allow, shared by the benchmarks.

#include "bench/MaximalJournal.h"

#include "model/Limits.h"

#include <string>

namespace {

constexpr std::size_t kStatementLength = 200;
constexpr std::size_t kDetailsLength = 2048;
constexpr std::size_t kActionTextLength = 200;

// Varied printable text (Windows-1252 bytes, some above 127) so nothing is trivially repetitive.
std::string sampleText(std::size_t length, std::size_t salt) {
    static constexpr char kAlphabet[] =
        "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789,.;\xe9\xfc\x80";
    std::string text(length, ' ');
    for (std::size_t i = 0; i < length; ++i) {
        text[i] = kAlphabet[(i * 7 + salt * 13) % (sizeof kAlphabet - 1)];
    }
    return text;
}

JournalRecord makeMaximalJournal() {
    JournalRecord journal;
    journal.password = "correct horse battery staple";
    journal.person = "Alexandra Example-Person";
    journal.roleName = sampleText(60, 1);
    journal.competencyTerm = "Competency";
    journal.behaviourTerm = "Behaviour";
    journal.relationshipLabels = {"Self", "Manager", "Direct Report", "Peer", "Customer", "Other"};

    CPavexFramework& framework = journal.framework;
    framework.descriptionsFlag = 1;
    framework.description = sampleText(kStatementLength, 2);
    for (std::int32_t i = 0; i < kMaxCompetencies; ++i) {
        framework.competencies.push_back({sampleText(60, i), sampleText(kStatementLength, i + 1)});
    }
    for (std::int32_t s = 0; s < kMaxScales; ++s) {
        CResponseScale& scale = framework.scales.emplace_back();
        scale.optionCount = kMaxOptions;
        for (std::int32_t k = 0; k < kMaxOptions; ++k) {
            scale.labels[static_cast<std::size_t>(k)] = sampleText(30, s * 6 + k);
            scale.values[static_cast<std::size_t>(k)] = k - 1;
        }
        scale.maximum = kMaxOptions - 2;
    }
    for (std::int32_t b = 0; b < kMaxBehaviours; ++b) {
        CBehaviour& behaviour = framework.behaviours.emplace_back();
        behaviour.statement = sampleText(kStatementLength, b);
        behaviour.competency = b;
        behaviour.scale = b % kMaxScales;
        behaviour.marked = b % 2;
        behaviour.description = sampleText(kStatementLength, b + 5);
    }
    for (std::int32_t q = 0; q < kMaxQuestionnaires; ++q) {
        CPavexFeedback& questionnaire = journal.questionnaires.emplace_back();
        questionnaire.assessor = sampleText(40, q);
        questionnaire.relationship = q % kRelationshipCount;
        questionnaire.details = sampleText(kDetailsLength, q);
        questionnaire.date = {OleDate::Valid, 45000.25 + q};
        for (std::int32_t r = 0; r < kMaxResponses; ++r) {
            questionnaire.responses.push_back({r, (r + q) % kMaxOptions});
        }
    }
    for (std::int32_t a = 0; a < kMaxActions; ++a) {
        CPavexAction& action = journal.actions.emplace_back();
        action.behaviour = a;
        action.action = sampleText(kActionTextLength, a);
        action.support = sampleText(kActionTextLength, a + 1);
        action.doBy = {OleDate::Valid, 45090.0 + a};
        action.situation = sampleText(kActionTextLength, a + 2);
        action.measure = sampleText(kActionTextLength, a + 3);
    }
    return journal;
}

} // namespace

const JournalRecord& maximalJournal() {
    static const JournalRecord journal = makeMaximalJournal();
    return journal;
}
