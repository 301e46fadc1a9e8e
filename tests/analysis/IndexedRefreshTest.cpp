// SPDX-License-Identifier: GPL-3.0-or-later
// The indexed refresh gives exactly the figures and order of the item-by-item refresh, on sound and
// damaged journals of every shape.
#include "analysis/ResultList.h"
#include "tests/analysis/TestJournals.h"

#include <gtest/gtest.h>

using namespace testjournals;

namespace {

std::vector<CResultList> everyList(const CPavexFramework& framework) {
    std::vector<CResultList> lists{CResultList::competencies(framework)};
    for (const int selector : {-1, -2, -3, -4, -5}) {
        lists.push_back(CResultList::behaviours(framework, selector));
    }
    for (int c = 0; c <= static_cast<int>(framework.competencies.size()); ++c) {
        lists.push_back(CResultList::behaviours(framework, c));
    }
    for (int g = -1; g <= kRelationshipCount; ++g) {
        lists.push_back(CResultList::differences(framework, g));
        lists.push_back(CResultList::extraRequirements(framework, g));
    }
    return lists;
}

void expectSameFigures(const JournalRecord& journal, const std::string& what) {
    for (CResultList& indexed : everyList(journal.framework)) {
        CResultList plain = indexed;
        indexed.refresh(journal);
        plain.refreshPlain(journal);
        ASSERT_EQ(indexed.size(), plain.size()) << what;
        EXPECT_EQ(indexed.questionnairesPerGroup(), plain.questionnairesPerGroup()) << what;
        EXPECT_EQ(indexed.shownCount(), plain.shownCount()) << what;
        for (std::size_t rank = 0; rank < indexed.size(); ++rank) {
            ASSERT_EQ(indexed.at(rank), plain.at(rank)) << what << ", list kind " << static_cast<int>(indexed.kind())
                                                        << " selector " << indexed.selector() << " rank " << rank;
        }
    }
}

} // namespace

TEST(IndexedRefresh, MatchesThePlainRefreshOnSoundJournals) {
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        expectSameFigures(randomJournal(seed, false), "sound journal " + std::to_string(seed));
    }
}

TEST(IndexedRefresh, MatchesThePlainRefreshOnDamagedJournals) {
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        expectSameFigures(randomJournal(seed, true), "damaged journal " + std::to_string(seed));
    }
}

TEST(IndexedRefresh, MatchesThePlainRefreshOnAMaximalJournal) {
    expectSameFigures(maximalJournal(7), "maximal journal");
}
