// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"

#include <array>
#include <cstdint>
#include <string_view>

// The guide's fixed route through a journal: 26 steps, each with the test that decides whether it
// applies to the journal as it is now, what is done each time it is shown, what "&Do It" runs, and
// its text.

// Whether a step applies. The values are the codes the step table has always used; a code nobody
// lists holds always.
enum class GuideCondition : std::int32_t {
    Always = 0,
    NoName = 1,                    // the person's name is empty
    NoSelfQuestionnaire = 2,       // no questionnaire has the relationship Self
    NoOthersQuestionnaire = 4,     // no questionnaire has a relationship other than Self
    Unsaved = 5,                   // the journal has unsaved changes
    NoRole = 6,                    // the role has no competencies
    RoleWithoutQuestionnaires = 7, // a role with competencies, and no questionnaire yet
    SomeOthersQuestionnaire = 8,   // a questionnaire with a relationship other than Self
    SeveralIncluded = 11,          // more than one questionnaire is used in the results
    SomeNamedAssessor = 12,        // a questionnaire with an assessor name
    SomeActions = 21,              // at least one development action
};

// What the guide runs on showing a step or on "&Do It". The values are the step table's codes.
enum class GuideAction : std::int32_t {
    None = 0,
    Options = 1,
    SelfAssessment = 2,
    NewQuestionnaire = 4,
    Save = 5,
    ChooseRole = 6,
    MergeRequest = 7,
    RequestingFeedback = 8, // the dialog, then the Results node
    SelectResults = 9,
    SelectCompetencies = 10,
    SelectFirstCompetency = 11,
    SelectFirstBehaviour = 12,
    BehavioursAtTop = 13,
    BehavioursAtBottom = 14,
    SelectDifferences = 15,
    SelectExtraRequirements = 16,
    SelectFirstNamedQuestionnaire = 17,
    SelectBehaviours = 20,
    SelectDevelopmentAreas = 21,
    SelectWithoutActions = 22,
    SelectActions = 23,
};

struct AutopilotStep {
    GuideCondition condition;
    // False on the steps where the user must not go on: no role yet, and the last two.
    bool nextEnabled;
    GuideAction onShow;
    GuideAction doIt; // None: "&Do It" is disabled
    std::string_view text;
};

inline constexpr int kAutopilotStepCount = 26;
inline constexpr int kAutopilotLastStep = kAutopilotStepCount - 1;

const std::array<AutopilotStep, kAutopilotStepCount>& autopilotSteps();

// Any stored page number brought into the table (a damaged or foreign file may hold anything).
int clampedAutopilotStep(std::int32_t stored);

// Tested against the journal as it is at the moment of the call.
bool conditionHolds(GuideCondition condition, const CPavexDoc& journal);
