// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Bytes shaped into a journal directly, so that the statistics and the pages meet odd indexes,
// scales and counts far more often than the file reader lets through.
#include "model/PavexDoc.h"

#include <cstdint>
#include <string>

namespace fuzzshape {

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

// The most of each kind a shaped journal holds.
struct Shape {
    int competencies = 7;
    int scales = 3;
    int behaviours = 47;
    int questionnaires = kMaxQuestionnaires;
    int responses = 95;
    int actions = 7;
};

inline JournalRecord shapedJournal(ByteSource& in, const Shape& shape = {}) {
    JournalRecord journal;
    for (auto& label : journal.relationshipLabels) {
        label = in.text();
    }
    CPavexFramework& framework = journal.framework;
    for (int c = in.byte() % (shape.competencies + 1); c > 0; --c) {
        framework.competencies.push_back({in.text(), ""});
    }
    for (int s = in.byte() % (shape.scales + 1); s > 0; --s) {
        CResponseScale scale;
        scale.optionCount = in.value();
        for (int k = 0; k < kMaxOptions; ++k) {
            scale.labels[k] = in.text();
            scale.values[k] = in.value();
        }
        scale.maximum = in.value();
        framework.scales.push_back(scale);
    }
    for (int b = in.byte() % (shape.behaviours + 1); b > 0; --b) {
        CBehaviour behaviour;
        behaviour.statement = in.text();
        behaviour.competency = in.value();
        behaviour.scale = in.value();
        behaviour.marked = in.value();
        framework.behaviours.push_back(behaviour);
    }
    for (int q = in.byte() % (shape.questionnaires + 1); q > 0; --q) {
        CPavexFeedback feedback;
        feedback.assessor = in.text();
        feedback.relationship = in.value();
        feedback.useInResults = in.value();
        for (int r = in.byte() % (shape.responses + 1); r > 0; --r) {
            const std::int32_t behaviour = in.value();
            feedback.responses.push_back({behaviour, in.value()});
        }
        journal.questionnaires.push_back(feedback);
    }
    for (int a = in.byte() % (shape.actions + 1); a > 0; --a) {
        CPavexAction action;
        action.behaviour = in.value();
        action.action = in.text();
        action.completed = in.value();
        journal.actions.push_back(action);
    }
    return journal;
}

} // namespace fuzzshape
