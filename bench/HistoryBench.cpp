// SPDX-License-Identifier: GPL-3.0-or-later
// The memory and time of the undo history on the largest journal the files allow: 100 steps of
// everyday edits, and 100 password changes, which scramble the whole journal anew at each step.
// Run with `make bench`.

#include "bench/MaximalJournal.h"
#include "model/JournalFile.h"
#include "model/JournalSnapshot.h"
#include "model/ScriptedPrompts.h"
#include "ui/SnapshotHistory.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

namespace {

constexpr int kSteps = 100;

using Edit = std::function<void(CPavexDoc& journal, int step, ScriptedPrompts& prompts)>;

void everydayEdit(CPavexDoc& journal, int step, ScriptedPrompts& prompts) {
    const auto at = [step](std::size_t count) { return static_cast<std::size_t>(step * 37) % count; };
    switch (step % 5) {
    case 0:
        journal.toggleMark(static_cast<std::int32_t>(at(journal.framework.behaviours.size())));
        break;
    case 1:
        journal.actions[at(journal.actions.size())].action = "Ask for feedback, step " + std::to_string(step);
        break;
    case 2:
        journal.toggleUseInResults(at(journal.questionnaires.size()));
        break;
    case 3:
        prompts.queueAnswer(true);
        journal.deleteAction(at(journal.actions.size()), prompts);
        break;
    default:
        prompts.queueAnswer(true);
        journal.deleteQuestionnaire(at(journal.questionnaires.size()), prompts);
        break;
    }
}

void passwordChange(CPavexDoc& journal, int step, ScriptedPrompts&) {
    journal.password = "password " + std::to_string(step);
}

// Takes kSteps steps; reports the bytes the history keeps and the time per step (take and record).
void runSteps(benchmark::State& state, const Edit& edit) {
    std::size_t kept = 0;
    int steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CPavexDoc journal;
        static_cast<JournalRecord&>(journal) = maximalJournal();
        ScriptedPrompts prompts;
        state.ResumeTiming();
        ui::SnapshotHistory history([&] { return JournalSnapshot::take(journal); },
                                    [&](const std::string& snapshot) { JournalSnapshot::restore(snapshot, journal); });
        for (int step = 0; step < kSteps; ++step) {
            history.record(QStringLiteral("Edit"), [&] { edit(journal, step, prompts); });
        }
        kept = history.memoryUsed();
        steps = history.stack().count();
    }
    const auto journalBytes = static_cast<double>(JournalFile::encode(maximalJournal()).size());
    state.counters["steps_kept"] = steps;
    state.counters["history_MiB"] = static_cast<double>(kept) / (1024.0 * 1024.0);
    state.counters["bytes_per_step"] = steps > 0 ? static_cast<double>(kept) / steps : 0.0;
    state.counters["journal_MiB"] = journalBytes / (1024.0 * 1024.0);
}

void BM_HistoryOfHundredEverydayEditsOnTheLargestJournal(benchmark::State& state) {
    runSteps(state, everydayEdit);
}
BENCHMARK(BM_HistoryOfHundredEverydayEditsOnTheLargestJournal)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_HistoryOfHundredPasswordChangesOnTheLargestJournal(benchmark::State& state) {
    runSteps(state, passwordChange);
}
BENCHMARK(BM_HistoryOfHundredPasswordChangesOnTheLargestJournal)->Unit(benchmark::kMillisecond)->Iterations(3);

// One Undo and one Redo on the largest journal: encode, apply the step, decode.
void BM_UndoAndRedoOnTheLargestJournal(benchmark::State& state) {
    CPavexDoc journal;
    static_cast<JournalRecord&>(journal) = maximalJournal();
    ScriptedPrompts prompts;
    ui::SnapshotHistory history([&] { return JournalSnapshot::take(journal); },
                                [&](const std::string& snapshot) { JournalSnapshot::restore(snapshot, journal); });
    history.record(QStringLiteral("Edit"), [&] { everydayEdit(journal, 1, prompts); });
    for (auto _ : state) {
        history.stack().undo();
        history.stack().redo();
    }
}
BENCHMARK(BM_UndoAndRedoOnTheLargestJournal)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
