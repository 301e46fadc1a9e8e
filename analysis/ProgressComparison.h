// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ScoreItem.h"
#include "model/PavexDoc.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Progress between two rounds of feedback: an earlier journal and a later one of the same person.
// Behaviours are paired by statement, competencies by name; every figure is the statistics of the
// result pages, computed for each journal on its own.
namespace progress {

// Two behaviours, one of each journal, taken to be the same question.
struct BehaviourPair {
    std::int32_t earlier = 0;
    std::int32_t later = 0;
    bool operator==(const BehaviourPair&) const = default;
};

struct BehaviourMatching {
    // In the later journal's behaviour order.
    std::vector<BehaviourPair> pairs;
    // Same statement, but answered on scales of other option values or maximum: not comparable.
    std::vector<BehaviourPair> incomparable;
    // Behaviours left without a partner (the incomparable ones not among them), in behaviour order.
    std::vector<std::int32_t> unmatchedEarlier;
    std::vector<std::int32_t> unmatchedLater;
};

// The statement with letters in lower case and everything but letters and digits left out, so that
// "Keeps the team informed." and "keeps the team  informed" are the same statement.
std::string looseStatement(std::string_view statement);

// Whether answers on the two scales mean the same: the same option values and the same maximum.
bool sameScale(const CResponseScale& a, const CResponseScale& b);

// Exact statements first, then loose ones; one to one, repeated statements paired in behaviour order.
BehaviourMatching matchBehaviours(const CPavexFramework& earlier, const CPavexFramework& later);

// One figure then and now.
struct Change {
    double then = CScoreItem::kNoValue;
    double now = CScoreItem::kNoValue;
    bool comparable() const { return then >= 0.0 && now >= 0.0; }
    // Now minus then; only meaningful when comparable().
    double difference() const { return now - then; }
};

// The rule the pages state: a change smaller than the spread of the answers it rests on may be noise.
inline constexpr const char* kNoiseRule =
    "A change smaller than the spread of the answers (their standard deviation, earlier and now together) "
    "may be noise.";
bool mayBeNoise(const Change& change, double spread);

struct BehaviourProgress {
    BehaviourPair pair;
    std::string statement; // the later journal's wording
    Change others;         // others' average: the counted answers of Manager to Other
    Change self;
    std::int32_t othersAnswersThen = 0;
    std::int32_t othersAnswersNow = 0;
    // Standard deviation of the others' counted answers, earlier and now together; -1.0 without any.
    double spread = CScoreItem::kNoValue;
};

struct CompetencyProgress {
    std::int32_t earlier = 0;
    std::int32_t later = 0;
    std::string name;
    Change others;
    Change self;
    // The highest scale maximum of the answers counted then or now: how far a bar of it may run.
    std::int32_t axisMaximum = 0;
};

struct GroupProgress {
    int group = 0;
    // The mean of the group's counted answers over the paired behaviours.
    Change average;
    std::int32_t answersThen = 0;
    std::int32_t answersNow = 0;
};

struct ActionState {
    std::string action; // up to its first line break
    bool completed = false;
};

// A development area of the earlier journal and how others see it now.
struct DevelopmentProgress {
    std::int32_t earlierBehaviour = 0;
    std::string statement; // the earlier journal's wording
    std::vector<ActionState> actions;
    // Figures of the behaviour's pair; nothing when the later role has no such behaviour.
    std::optional<BehaviourProgress> figures;
};

struct Comparison {
    std::optional<OleDate> earlierDate; // the last included questionnaire of each journal
    std::optional<OleDate> laterDate;
    std::vector<DevelopmentProgress> development; // the earlier journal's areas in role order
    std::vector<CompetencyProgress> competencies; // ranked by change, largest rise first
    std::vector<BehaviourProgress> behaviours;    // ranked by change, largest rise first
    std::array<GroupProgress, kRelationshipCount> groups{};
    BehaviourMatching matching;
    std::vector<std::int32_t> unmatchedEarlierCompetencies;
    std::vector<std::int32_t> unmatchedLaterCompetencies;
};

Comparison compare(const JournalRecord& earlier, const JournalRecord& later);

// Why two journals cannot be compared, or nothing when they can. `sameFile` is the caller's finding
// that both name one file.
enum class Refusal { None, SameJournal, NothingInCommon, LaterIsOlder };
Refusal refusalOf(const JournalRecord& earlier, const JournalRecord& later, bool sameFile);

} // namespace progress
