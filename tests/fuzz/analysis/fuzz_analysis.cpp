// Any bytes as a journal, through every list's refresh and the contents tree: no crash, no read
// outside an array, and the indexed refresh always agrees with the plain one.
//
// Bytes that read as a journal file are used as such. Other bytes are shaped into a journal directly,
// so that the statistics meet odd indexes and scales far more often than the file reader lets through.
#include "analysis/ContentTree.h"
#include "analysis/ResultList.h"
#include "model/JournalFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class ByteSource {
public:
    ByteSource(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    // Small values mostly, now and then any 32-bit value.
    std::int32_t value() {
        const std::uint8_t head = byte();
        if (head != 0xFF) {
            return static_cast<std::int8_t>(head);
        }
        std::uint32_t wide = 0;
        for (int k = 0; k < 4; ++k) {
            wide = (wide << 8) | byte();
        }
        return static_cast<std::int32_t>(wide);
    }
    std::string text() {
        std::string result;
        for (std::uint8_t length = byte() % 8; length > 0; --length) {
            result.push_back(static_cast<char>(byte()));
        }
        return result;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

JournalRecord shapedJournal(ByteSource& in) {
    JournalRecord journal;
    for (auto& label : journal.relationshipLabels) {
        label = in.text();
    }
    CPavexFramework& framework = journal.framework;
    for (int c = in.byte() % 8; c > 0; --c) {
        framework.competencies.push_back({in.text(), ""});
    }
    for (int s = in.byte() % 4; s > 0; --s) {
        CResponseScale scale;
        scale.optionCount = in.value();
        for (int k = 0; k < kMaxOptions; ++k) {
            scale.labels[k] = in.text();
            scale.values[k] = in.value();
        }
        scale.maximum = in.value();
        framework.scales.push_back(scale);
    }
    for (int b = in.byte() % 48; b > 0; --b) {
        CBehaviour behaviour;
        behaviour.statement = in.text();
        behaviour.competency = in.value();
        behaviour.scale = in.value();
        behaviour.marked = in.value();
        framework.behaviours.push_back(behaviour);
    }
    for (int q = in.byte() % (kMaxQuestionnaires + 1); q > 0; --q) {
        CPavexFeedback feedback;
        feedback.assessor = in.text();
        feedback.relationship = in.value();
        feedback.useInResults = in.value();
        for (int r = in.byte() % 96; r > 0; --r) {
            const std::int32_t behaviour = in.value();
            feedback.responses.push_back({behaviour, in.value()});
        }
        journal.questionnaires.push_back(feedback);
    }
    for (int a = in.byte() % 8; a > 0; --a) {
        CPavexAction action;
        action.behaviour = in.value();
        action.action = in.text();
        action.completed = in.value();
        journal.actions.push_back(action);
    }
    return journal;
}

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
    ByteSource source(data, size);
    exercise(shapedJournal(source));
    return 0;
}
