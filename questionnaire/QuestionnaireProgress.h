// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Feedback.h"
#include "model/Framework.h"

#include <array>
#include <string>
#include <vector>

// Where a respondent is in a questionnaire: one page per behaviour, then the final page. Answers
// are appended to the record as they are given and removed on Previous, so response k always
// belongs to behaviour k. An answer taken back is still remembered, only to show it again.
class QuestionnaireProgress {
public:
    static constexpr int kButtons = 6;

    struct Page {
        bool finalPage = false;
        std::string progress;                           // "3 of 12" or "12 answered"
        std::string behaviourText;                      // competency name and statement; empty on the final page
        std::array<std::string, kButtons> buttonLabels; // empty for hidden buttons
        int visibleButtons = 0;
        bool previousEnabled = false;
        bool okEnabled = false;
        int earlierButton = -1; // the button chosen before Previous came back here, or -1
    };

    QuestionnaireProgress(const CPavexFramework& framework, CPavexFeedback& record);

    int index() const { return m_index; }
    int behaviourCount() const { return static_cast<int>(m_framework.behaviours.size()); }
    bool onFinalPage() const { return m_index >= behaviourCount(); }
    Page page() const;

    // Button 0..5 on a behaviour's page; ignored when that button is not shown.
    bool answer(int button);
    bool previous();
    // The text the comments editor opens with; the heading names the behaviour on screen.
    std::string commentsText() const;
    void setDetails(std::string details) { m_record.details = std::move(details); }

private:
    int optionCountOf(int behaviour) const;

    const CPavexFramework& m_framework;
    CPavexFeedback& m_record;
    int m_index = 0;
    // Per behaviour, the button of an answer Previous took back (-1: none); never part of the record.
    std::vector<int> m_earlier;
};
