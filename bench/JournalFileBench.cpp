// SPDX-License-Identifier: GPL-3.0-or-later
// Load and save of the largest journal the files allow, password set. Run with
// `make bench`; `bench_model --write-maximal-journal PATH` writes that journal to a file, for
// measuring the tools that read it.

#include "bench/MaximalJournal.h"
#include "model/AtomicFile.h"
#include "model/JournalFile.h"
#include "model/Limits.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const std::string& maximalJournalBytes() {
    static const std::string bytes = JournalFile::encode(maximalJournal());
    return bytes;
}

JournalFile::PasswordVerdict letThrough(const JournalFile::PasswordCheck&) {
    return JournalFile::PasswordVerdict::Continue;
}

void BM_SaveMaximalJournal(benchmark::State& state) {
    const JournalRecord& journal = maximalJournal();
    for (auto _ : state) {
        std::string bytes = JournalFile::encode(journal);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * maximalJournalBytes().size()));
}
BENCHMARK(BM_SaveMaximalJournal)->Unit(benchmark::kMillisecond);

void BM_LoadMaximalJournal(benchmark::State& state) {
    const std::string& bytes = maximalJournalBytes();
    for (auto _ : state) {
        JournalRecord journal;
        const ReadOutcome outcome = JournalFile::decode(bytes, journal, letThrough);
        if (!outcome.ok()) {
            state.SkipWithError(outcome.problem.c_str());
            break;
        }
        benchmark::DoNotOptimize(journal.questionnaires.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadMaximalJournal)->Unit(benchmark::kMillisecond);

// Encoding plus the atomic write: temporary file, flush to disk, rename.
void BM_SaveMaximalJournalToDisk(benchmark::State& state) {
    TempFolder folder{"bench_model"};
    const std::string path = folder.path() + "/maximal.kva";
    const JournalRecord& journal = maximalJournal();
    for (auto _ : state) {
        if (std::string error; !AtomicFile::write(path, JournalFile::encode(journal), &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * maximalJournalBytes().size()));
}
BENCHMARK(BM_SaveMaximalJournalToDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadMaximalJournalFromDisk(benchmark::State& state) {
    TempFolder folder{"bench_model"};
    const std::string path = folder.path() + "/maximal.kva";
    if (std::string error; !AtomicFile::write(path, maximalJournalBytes(), &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        std::string error;
        const auto bytes = readWholeFile(path, &error);
        JournalRecord journal;
        if (!bytes || !JournalFile::decode(*bytes, journal, letThrough).ok()) {
            state.SkipWithError("the journal could not be read back");
            break;
        }
        benchmark::DoNotOptimize(journal.questionnaires.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * maximalJournalBytes().size()));
}
BENCHMARK(BM_LoadMaximalJournalFromDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-maximal-journal") == 0) {
        if (std::string error; !AtomicFile::write(argv[2], maximalJournalBytes(), &error)) {
            std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
            return 1;
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
