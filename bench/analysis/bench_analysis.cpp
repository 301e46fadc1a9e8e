// SPDX-License-Identifier: GPL-3.0-or-later
// Refresh costs of the statistics on the largest journal a role allows: 256 behaviours on one scale in
// 16 competencies, 32 questionnaires answering all of them. Each list is measured with the indexed
// refresh the pages use and with the plain item-by-item refresh beside it.
#include "analysis/ContentTree.h"
#include "analysis/FrequencyTable.h"
#include "analysis/ProgressComparison.h"
#include "analysis/ResultList.h"
#include "tests/analysis/TestJournals.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

const JournalRecord& maximalJournal() {
    static const JournalRecord journal = testjournals::maximalJournal(2024);
    return journal;
}

struct ListKind {
    const char* name;
    CResultList (*make)(const CPavexFramework& framework);
};

const std::array<ListKind, 9> kLists{{
    {"competencies", [](const CPavexFramework& f) { return CResultList::competencies(f); }},
    {"behaviours", [](const CPavexFramework& f) { return CResultList::behaviours(f, CResultList::kAllBehaviours); }},
    {"one competency", [](const CPavexFramework& f) { return CResultList::behaviours(f, 3); }},
    {"development areas",
     [](const CPavexFramework& f) { return CResultList::behaviours(f, CResultList::kDevelopmentAreas); }},
    {"with actions", [](const CPavexFramework& f) { return CResultList::behaviours(f, CResultList::kWithActions); }},
    {"differences", [](const CPavexFramework& f) { return CResultList::differences(f, 0); }},
    {"differences, one group", [](const CPavexFramework& f) { return CResultList::differences(f, 1); }},
    {"extra requirements", [](const CPavexFramework& f) { return CResultList::extraRequirements(f, 0); }},
    {"extra requirements, one group", [](const CPavexFramework& f) { return CResultList::extraRequirements(f, 4); }},
}};

void indexedRefresh(benchmark::State& state) {
    const JournalRecord& journal = maximalJournal();
    const ListKind& kind = kLists[static_cast<std::size_t>(state.range(0))];
    CResultList list = kind.make(journal.framework);
    for (auto _ : state) {
        list.refresh(journal);
        benchmark::DoNotOptimize(list.at(0).sortKey());
    }
    state.SetLabel(kind.name);
}

void plainRefresh(benchmark::State& state) {
    const JournalRecord& journal = maximalJournal();
    const ListKind& kind = kLists[static_cast<std::size_t>(state.range(0))];
    CResultList list = kind.make(journal.framework);
    for (auto _ : state) {
        list.refreshPlain(journal);
        benchmark::DoNotOptimize(list.at(0).sortKey());
    }
    state.SetLabel(kind.name);
}

void frequencyRefresh(benchmark::State& state) {
    const JournalRecord& journal = maximalJournal();
    CFrequencyTable table(128);
    for (auto _ : state) {
        table.refresh(journal);
        benchmark::DoNotOptimize(table.axisMaximum());
    }
}

// Every page of the tree: 34 rankings, 512 frequency tables, the lists and details.
void treeRefresh(benchmark::State& state) {
    const JournalRecord& journal = maximalJournal();
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    for (auto _ : state) {
        tree.refreshAll();
    }
}

void treeBuild(benchmark::State& state) {
    const JournalRecord& journal = maximalJournal();
    ContentTree tree(journal, formatDateInCLocale);
    for (auto _ : state) {
        tree.build();
    }
}

// The plain results of one journal, as `kvtool results` computes them: the tree built and every
// page refreshed. The yardstick of the comparison below.
void resultsOfOneJournal(benchmark::State& state) {
    const JournalRecord& journal = maximalJournal();
    for (auto _ : state) {
        ContentTree tree(journal, formatDateInCLocale);
        tree.build();
        tree.refreshAll();
    }
}

const JournalRecord& earlierMaximalJournal() {
    static const JournalRecord journal = [] {
        JournalRecord earlier = testjournals::maximalJournal(2023);
        for (CPavexFeedback& questionnaire : earlier.questionnaires) {
            questionnaire.date.value -= 365;
        }
        return earlier;
    }();
    return journal;
}

// What `kvtool compare` computes for the two largest journals.
void comparisonOfTwoJournals(benchmark::State& state) {
    for (auto _ : state) {
        const progress::Comparison comparison = progress::compare(earlierMaximalJournal(), maximalJournal());
        benchmark::DoNotOptimize(comparison.behaviours.data());
    }
}

// The later journal's tree with its Progress branch, built and every page refreshed.
void resultsWithProgress(benchmark::State& state) {
    const JournalRecord& journal = maximalJournal();
    for (auto _ : state) {
        ContentTree tree(journal, formatDateInCLocale);
        tree.setEarlierJournal(&earlierMaximalJournal());
        tree.build();
        tree.refreshAll();
    }
}

} // namespace

BENCHMARK(resultsOfOneJournal)->Unit(benchmark::kMillisecond);
BENCHMARK(comparisonOfTwoJournals)->Unit(benchmark::kMillisecond);
BENCHMARK(resultsWithProgress)->Unit(benchmark::kMillisecond);
BENCHMARK(indexedRefresh)->DenseRange(0, kLists.size() - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(plainRefresh)->DenseRange(0, kLists.size() - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(frequencyRefresh)->Unit(benchmark::kMicrosecond);
BENCHMARK(treeRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(treeBuild)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
