// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a journal, through every list's refresh and the contents tree: no crash, no read
// outside an array, and the indexed refresh always agrees with the plain one.
//
// Bytes that read as a journal file are used as such. Other bytes are shaped into a journal directly,
// so that the statistics meet odd indexes and scales far more often than the file reader lets through.
#include "analysis/ContentTree.h"
#include "analysis/ResultList.h"
#include "model/JournalFile.h"
#include "tests/fuzz/analysis/ShapedJournal.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void compareRefreshes(const JournalRecord& journal) {
    const CPavexFramework& framework = journal.framework;
    std::vector<CResultList> lists{CResultList::competencies(framework)};
    for (int selector = -5; selector <= 7; ++selector) {
        lists.push_back(CResultList::behaviours(framework, selector));
        lists.push_back(CResultList::differences(framework, selector));
        lists.push_back(CResultList::extraRequirements(framework, selector));
    }
    for (CResultList& indexed : lists) {
        CResultList plain = indexed;
        indexed.refresh(journal);
        plain.refreshPlain(journal);
        if (indexed.shownCount() != plain.shownCount() ||
            indexed.questionnairesPerGroup() != plain.questionnairesPerGroup()) {
            std::abort();
        }
        for (std::size_t rank = 0; rank < indexed.size(); ++rank) {
            if (!(indexed.at(rank) == plain.at(rank))) {
                std::abort();
            }
        }
    }
}

void exercise(const JournalRecord& journal) {
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    tree.refreshAll();
    // The plain refresh costs questionnaires x items x answers; keep each run quick.
    if (journal.framework.behaviours.size() <= 64 && journal.framework.competencies.size() <= 64) {
        compareRefreshes(journal);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    JournalRecord journal;
    const auto letThrough = [](const JournalFile::PasswordCheck&) { return JournalFile::PasswordVerdict::Continue; };
    if (JournalFile::decode(bytes, journal, letThrough).ok()) {
        exercise(journal);
        return 0;
    }
    fuzzshape::ByteSource source(data, size);
    exercise(fuzzshape::shapedJournal(source));
    return 0;
}
