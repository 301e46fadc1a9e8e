// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ProgressComparison.h"

#include "analysis/JournalFacts.h"
#include "analysis/ListContent.h"
#include "analysis/ReportContent.h"
#include "analysis/ResultList.h"
#include "analysis/SummaryFigures.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

namespace progress {

namespace {

constexpr int kSelf = 0;

bool isAsciiLetterOrDigit(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Letters of the code page's upper half count as letters; its punctuation and spaces do not.
bool isUpperHalfPunctuation(unsigned char c) {
    return c < 0xC0 && c != 0x8A && c != 0x8C && c != 0x8E && c != 0x9A && c != 0x9C && c != 0x9E && c != 0x9F &&
           c != 0xAA && c != 0xB5 && c != 0xBA;
}

unsigned char lowerCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<unsigned char>(c - 'A' + 'a');
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return static_cast<unsigned char>(c + 0x20);
    }
    return c;
}

const CResponseScale* scaleOf(const CPavexFramework& framework, std::int32_t behaviour) {
    return journalfacts::scaleOfBehaviour(framework, behaviour);
}

bool comparableScales(const CPavexFramework& earlier, std::int32_t e, const CPavexFramework& later, std::int32_t l) {
    const CResponseScale* a = scaleOf(earlier, e);
    const CResponseScale* b = scaleOf(later, l);
    return a != nullptr && b != nullptr && sameScale(*a, *b);
}

// Pairs the behaviours still free whose key is equal, in behaviour order on both sides.
template <typename KeyOf>
void pairBy(const CPavexFramework& earlier, const CPavexFramework& later, std::vector<char>& earlierTaken,
            std::vector<char>& laterTaken, BehaviourMatching& matching, KeyOf keyOf) {
    std::unordered_map<std::string, std::vector<std::int32_t>> waiting; // key -> free earlier behaviours
    for (std::size_t e = earlier.behaviours.size(); e-- > 0;) {
        if (!earlierTaken[e]) {
            waiting[keyOf(earlier.behaviours[e].statement)].push_back(static_cast<std::int32_t>(e));
        }
    }
    for (std::size_t l = 0; l < later.behaviours.size(); ++l) {
        if (laterTaken[l]) {
            continue;
        }
        const auto found = waiting.find(keyOf(later.behaviours[l].statement));
        if (found == waiting.end() || found->second.empty()) {
            continue;
        }
        const std::int32_t e = found->second.back(); // the earliest free one
        found->second.pop_back();
        earlierTaken[static_cast<std::size_t>(e)] = 1;
        laterTaken[l] = 1;
        const BehaviourPair pair{e, static_cast<std::int32_t>(l)};
        if (comparableScales(earlier, e, later, pair.later)) {
            matching.pairs.push_back(pair);
        } else {
            matching.incomparable.push_back(pair);
        }
    }
}

CResultList refreshedBehaviours(const JournalRecord& journal) {
    CResultList list = CResultList::behaviours(journal.framework, CResultList::kAllBehaviours);
    list.refresh(journal);
    return list;
}

CResultList refreshedCompetencies(const JournalRecord& journal) {
    CResultList list = CResultList::competencies(journal.framework);
    list.refresh(journal);
    return list;
}

// Items of a refreshed list by their index.
std::vector<const CScoreItem*> byIndex(const CResultList& list, std::size_t count) {
    std::vector<const CScoreItem*> items(count, nullptr);
    for (std::size_t rank = 0; rank < list.size(); ++rank) {
        const CScoreItem& item = list.at(rank);
        if (item.index() >= 0 && static_cast<std::size_t>(item.index()) < count) {
            items[static_cast<std::size_t>(item.index())] = &item;
        }
    }
    return items;
}

std::int32_t othersAnswers(const CScoreItem& item) {
    std::int32_t answers = 0;
    for (int group = 1; group < kRelationshipCount; ++group) {
        if (item.groupAverage(group) >= 0.0) {
            answers += item.groupAnswers(group);
        }
    }
    return answers;
}

// Running moments of the others' counted answers to each behaviour of one journal.
struct Moments {
    double sum = 0.0;
    double squares = 0.0;
    std::int64_t count = 0;
};

std::vector<Moments> othersMoments(const JournalRecord& journal) {
    std::vector<Moments> moments(journal.framework.behaviours.size());
    for (const CPavexFeedback& questionnaire : journal.questionnaires) {
        if (!journalfacts::countsInResults(questionnaire) || questionnaire.relationship == kSelf) {
            continue;
        }
        for (const CResponse& response : questionnaire.responses) {
            const auto answer = journalfacts::checkAnswer(journal.framework, response);
            if (!answer || answer->score < 0 || answer->scaleMaximum <= 0) {
                continue;
            }
            Moments& m = moments[static_cast<std::size_t>(answer->behaviour)];
            m.sum += answer->score;
            m.squares += static_cast<double>(answer->score) * answer->score;
            ++m.count;
        }
    }
    return moments;
}

double pooledDeviation(const Moments& a, const Moments& b) {
    const double count = static_cast<double>(a.count + b.count);
    if (count <= 0.0) {
        return CScoreItem::kNoValue;
    }
    const double mean = (a.sum + b.sum) / count;
    const double variance = (a.squares + b.squares) / count - mean * mean;
    return std::sqrt(std::max(0.0, variance));
}

// Largest rise first; rows without both figures after them, each part in the order given.
template <typename Row> void rankByChange(std::vector<Row>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.others.comparable() != b.others.comparable()) {
            return a.others.comparable();
        }
        return a.others.comparable() && a.others.difference() > b.others.difference();
    });
}

std::optional<OleDate> lastDateOf(const JournalRecord& journal) {
    return reportcontent::coverFacts(journal).lastQuestionnaire;
}

} // namespace

std::string looseStatement(std::string_view statement) {
    std::string loose;
    loose.reserve(statement.size());
    for (const char ch : statement) {
        const auto c = static_cast<unsigned char>(ch);
        if (isAsciiLetterOrDigit(c) || (c >= 0x80 && !isUpperHalfPunctuation(c))) {
            loose.push_back(static_cast<char>(lowerCase(c)));
        }
    }
    return loose;
}

bool sameScale(const CResponseScale& a, const CResponseScale& b) {
    const int count = journalfacts::usableOptionCount(a);
    if (count != journalfacts::usableOptionCount(b) || a.maximum != b.maximum) {
        return false;
    }
    for (int option = 0; option < count; ++option) {
        if (a.values[static_cast<std::size_t>(option)] != b.values[static_cast<std::size_t>(option)]) {
            return false;
        }
    }
    return true;
}

BehaviourMatching matchBehaviours(const CPavexFramework& earlier, const CPavexFramework& later) {
    BehaviourMatching matching;
    std::vector<char> earlierTaken(earlier.behaviours.size(), 0);
    std::vector<char> laterTaken(later.behaviours.size(), 0);
    pairBy(earlier, later, earlierTaken, laterTaken, matching, [](const std::string& s) { return s; });
    pairBy(earlier, later, earlierTaken, laterTaken, matching, [](const std::string& s) { return looseStatement(s); });
    const auto byLater = [](const BehaviourPair& a, const BehaviourPair& b) { return a.later < b.later; };
    std::sort(matching.pairs.begin(), matching.pairs.end(), byLater);
    std::sort(matching.incomparable.begin(), matching.incomparable.end(), byLater);
    for (std::size_t e = 0; e < earlierTaken.size(); ++e) {
        if (!earlierTaken[e]) {
            matching.unmatchedEarlier.push_back(static_cast<std::int32_t>(e));
        }
    }
    for (std::size_t l = 0; l < laterTaken.size(); ++l) {
        if (!laterTaken[l]) {
            matching.unmatchedLater.push_back(static_cast<std::int32_t>(l));
        }
    }
    return matching;
}

bool mayBeNoise(const Change& change, double spread) {
    return change.comparable() && spread >= 0.0 && std::fabs(change.difference()) < spread;
}

Comparison compare(const JournalRecord& earlier, const JournalRecord& later) {
    Comparison comparison;
    comparison.earlierDate = lastDateOf(earlier);
    comparison.laterDate = lastDateOf(later);
    comparison.matching = matchBehaviours(earlier.framework, later.framework);

    const CResultList thenList = refreshedBehaviours(earlier);
    const CResultList nowList = refreshedBehaviours(later);
    const auto thenItems = byIndex(thenList, earlier.framework.behaviours.size());
    const auto nowItems = byIndex(nowList, later.framework.behaviours.size());
    const std::vector<Moments> thenMoments = othersMoments(earlier);
    const std::vector<Moments> nowMoments = othersMoments(later);

    std::map<std::int32_t, std::size_t> pairOfEarlier; // earlier behaviour -> position in behaviours
    std::array<std::int64_t, kRelationshipCount> groupSumThen{};
    std::array<std::int64_t, kRelationshipCount> groupSumNow{};
    for (const BehaviourPair& pair : comparison.matching.pairs) {
        const CScoreItem& then = *thenItems[static_cast<std::size_t>(pair.earlier)];
        const CScoreItem& now = *nowItems[static_cast<std::size_t>(pair.later)];
        BehaviourProgress row;
        row.pair = pair;
        row.statement = later.framework.behaviours[static_cast<std::size_t>(pair.later)].statement;
        row.others = {summaryfigures::othersAverage(then), summaryfigures::othersAverage(now)};
        row.self = {summaryfigures::selfValue(then), summaryfigures::selfValue(now)};
        row.othersAnswersThen = othersAnswers(then);
        row.othersAnswersNow = othersAnswers(now);
        row.spread = pooledDeviation(thenMoments[static_cast<std::size_t>(pair.earlier)],
                                     nowMoments[static_cast<std::size_t>(pair.later)]);
        pairOfEarlier[pair.earlier] = comparison.behaviours.size();
        comparison.behaviours.push_back(std::move(row));

        for (int group = 0; group < kRelationshipCount; ++group) {
            const auto g = static_cast<std::size_t>(group);
            if (then.groupAverage(group) >= 0.0) {
                groupSumThen[g] += then.groupSum(group);
                comparison.groups[g].answersThen += then.groupAnswers(group);
            }
            if (now.groupAverage(group) >= 0.0) {
                groupSumNow[g] += now.groupSum(group);
                comparison.groups[g].answersNow += now.groupAnswers(group);
            }
        }
    }
    for (int group = 0; group < kRelationshipCount; ++group) {
        const auto g = static_cast<std::size_t>(group);
        GroupProgress& row = comparison.groups[g];
        row.group = group;
        row.average.then =
            row.answersThen > 0 ? static_cast<double>(groupSumThen[g]) / row.answersThen : CScoreItem::kNoValue;
        row.average.now =
            row.answersNow > 0 ? static_cast<double>(groupSumNow[g]) / row.answersNow : CScoreItem::kNoValue;
    }

    for (const reportcontent::PlanArea& area : reportcontent::developmentPlan(earlier).areas) {
        DevelopmentProgress row;
        row.earlierBehaviour = area.behaviour;
        row.statement = earlier.framework.behaviours[static_cast<std::size_t>(area.behaviour)].statement;
        for (const std::size_t position : area.actions) {
            const CPavexAction& action = earlier.actions[position];
            row.actions.push_back({listrows::firstLine(action.action), action.completed != 0});
        }
        const auto found = pairOfEarlier.find(area.behaviour);
        if (found != pairOfEarlier.end()) {
            row.figures = comparison.behaviours[found->second];
        }
        comparison.development.push_back(std::move(row));
    }

    const CResultList thenCompetencies = refreshedCompetencies(earlier);
    const CResultList nowCompetencies = refreshedCompetencies(later);
    const auto thenCompetencyItems = byIndex(thenCompetencies, earlier.framework.competencies.size());
    const auto nowCompetencyItems = byIndex(nowCompetencies, later.framework.competencies.size());
    std::unordered_map<std::string, std::vector<std::int32_t>> earlierByName;
    for (std::size_t c = earlier.framework.competencies.size(); c-- > 0;) {
        earlierByName[earlier.framework.competencies[c].name].push_back(static_cast<std::int32_t>(c));
    }
    std::vector<char> earlierCompetencyTaken(earlier.framework.competencies.size(), 0);
    for (std::size_t c = 0; c < later.framework.competencies.size(); ++c) {
        const std::string& name = later.framework.competencies[c].name;
        const auto found = earlierByName.find(name);
        if (found == earlierByName.end() || found->second.empty()) {
            comparison.unmatchedLaterCompetencies.push_back(static_cast<std::int32_t>(c));
            continue;
        }
        const std::int32_t e = found->second.back();
        found->second.pop_back();
        earlierCompetencyTaken[static_cast<std::size_t>(e)] = 1;
        const CScoreItem& then = *thenCompetencyItems[static_cast<std::size_t>(e)];
        const CScoreItem& now = *nowCompetencyItems[c];
        comparison.competencies.push_back({e,
                                           static_cast<std::int32_t>(c),
                                           name,
                                           {summaryfigures::othersAverage(then), summaryfigures::othersAverage(now)},
                                           {summaryfigures::selfValue(then), summaryfigures::selfValue(now)},
                                           std::max(then.axisMaximum(), now.axisMaximum())});
    }
    for (std::size_t e = 0; e < earlierCompetencyTaken.size(); ++e) {
        if (!earlierCompetencyTaken[e]) {
            comparison.unmatchedEarlierCompetencies.push_back(static_cast<std::int32_t>(e));
        }
    }

    rankByChange(comparison.behaviours);
    rankByChange(comparison.competencies);
    return comparison;
}

Refusal refusalOf(const JournalRecord& earlier, const JournalRecord& later, bool sameFile) {
    if (sameFile) {
        return Refusal::SameJournal;
    }
    if (matchBehaviours(earlier.framework, later.framework).pairs.empty()) {
        return Refusal::NothingInCommon;
    }
    const auto then = lastDateOf(earlier);
    const auto now = lastDateOf(later);
    if (then && now && then->value > now->value) {
        return Refusal::LaterIsOlder;
    }
    return Refusal::None;
}

} // namespace progress
