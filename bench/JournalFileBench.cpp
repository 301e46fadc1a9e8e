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
