// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuestionnaireProgress.h"

#include "model/Limits.h"

QuestionnaireProgress::QuestionnaireProgress(const CPavexFramework& framework, CPavexFeedback& record)
    : m_framework(framework), m_record(record) {
    m_record.responses.clear();
}

int QuestionnaireProgress::optionCountOf(int behaviour) const {
    const CResponseScale* scale = m_framework.scaleOf(m_framework.behaviours[static_cast<std::size_t>(behaviour)]);
    return scale ? std::min(scale->optionCount, kMaxOptions) : 0;
}

QuestionnaireProgress::Page QuestionnaireProgress::page() const {
    Page page;
    const int count = behaviourCount();
    if (onFinalPage()) {
        page.finalPage = true;
        page.progress = std::to_string(count) + " answered";
        // Previous keeps the state the last behaviour's page left it in.
        page.previousEnabled = count > 1;
        page.okEnabled = true;
        return page;
    }
    const CBehaviour& behaviour = m_framework.behaviours[static_cast<std::size_t>(m_index)];
    const auto competency = static_cast<std::size_t>(behaviour.competency);
    const std::string competencyName = behaviour.competency >= 0 && competency < m_framework.competencies.size()
                                           ? m_framework.competencies[competency].name
                                           : std::string();
    page.progress = std::to_string(m_index + 1) + " of " + std::to_string(count);
    page.behaviourText = competencyName + ": " + behaviour.statement;
    page.visibleButtons = optionCountOf(m_index);
    const CResponseScale* scale = m_framework.scaleOf(behaviour);
    for (int b = 0; b < page.visibleButtons; ++b) {
        page.buttonLabels[static_cast<std::size_t>(b)] = scale->labels[static_cast<std::size_t>(b)];
    }
    page.previousEnabled = m_index > 0;
    if (static_cast<std::size_t>(m_index) < m_earlier.size()) {
        const int earlier = m_earlier[static_cast<std::size_t>(m_index)];
        page.earlierButton = earlier < page.visibleButtons ? earlier : -1;
    }
    return page;
}

bool QuestionnaireProgress::answer(int button) {
    if (onFinalPage() || button < 0 || button >= optionCountOf(m_index) ||
        m_record.responses.size() >= static_cast<std::size_t>(kMaxResponses)) {
        return false;
    }
    m_record.responses.push_back({m_index, button});
    ++m_index;
    return true;
}

bool QuestionnaireProgress::previous() {
    if (m_index == 0 || m_record.responses.empty()) {
        return false;
    }
    const int option = m_record.responses.back().option;
    m_record.responses.pop_back();
    --m_index;
    if (m_earlier.size() <= static_cast<std::size_t>(m_index)) {
        m_earlier.resize(static_cast<std::size_t>(m_index) + 1, -1);
    }
    m_earlier[static_cast<std::size_t>(m_index)] = option;
    return true;
}

std::string QuestionnaireProgress::commentsText() const {
    std::string text = m_record.details;
    if (!text.empty()) {
        text += "\r\n" + std::string(78, '-') + "\r\n";
    }
    if (onFinalPage()) {
        text += "Final Comments: ";
    } else {
        text += "Behaviour: " + m_framework.behaviours[static_cast<std::size_t>(m_index)].statement;
    }
    text += "\r\n";
    return text;
}
