// SPDX-License-Identifier: GPL-3.0-or-later
#include "AutopilotSteps.h"

#include <algorithm>

namespace {

using C = GuideCondition;
using A = GuideAction;
constexpr bool kNext = true;
constexpr bool kNoNext = false;

// Paragraphs are separated by an empty line, as the text box shows them.
#define PARAGRAPH "\r\n\r\n"

constexpr std::array<AutopilotStep, kAutopilotStepCount> kSteps{{
    // 0
    {C::Always, kNext, A::None, A::None,
     "Autopilot will guide you through the process of selecting a role profile, gathering feedback, reviewing your "
     "results and preparing your development journal." PARAGRAPH
     "You can close Autopilot or reactivate it at any time by clicking on its toolbar button.  Autopilot will "
     "remember how far you have got through the process and give you appropriate help when re-activated. Move freely "
     "back and forth through the process with the next and previous buttons below." PARAGRAPH
     "With many stages pressing the  'Do It' button will initiate the appropriate process for you."},
    // 1
    {C::RoleWithoutQuestionnaires, kNext, A::None, A::ChooseRole,
     "You can still change your role until you start entering feedback questionnaires." PARAGRAPH
     "Select Tools->Choose Your Role... from the pulldown menu or press \"Do It\"." PARAGRAPH
     "You cannot gather feedback until you set a role and you cannot change the role after starting to gather "
     "feedback (unless you create a new blank Reflectory)."},
    // 2
    {C::NoRole, kNext, A::None, A::ChooseRole,
     "The first step is to choose the competencies and behaviours upon which to measure your performance.  This is "
     "done by choosing a role that most closely matches your own." PARAGRAPH
     "Select Tools->Choose Your Role... from the pulldown menu or press 'Do It'."},
    // 3
    {C::NoRole, kNoNext, A::None, A::None,
     "Sorry, you must choose your role before starting.  Press \"Previous\" to go back and set it."},
    // 4
    {C::NoName, kNext, A::None, A::Options,
     "You need to enter your name if you are going to ask other to give feedback. You might also want to set up a "
     "password for your journal.  This will stop others from looking at your confidential information but don't "
     "forget it or you will have to start again!" PARAGRAPH "Use the Tools Options menu or press 'Do It'."},
    // 5
    {C::NoSelfQuestionnaire, kNext, A::None, A::SelfAssessment,
     "First, answer a feedback questionnaire about yourself.  Consider the things that you do in your normal "
     "role." PARAGRAPH
     "Make sure you have 20 to 30 minutes uninterrupted time.  Do not spend too long considering each question - "
     "often first feelings are the most accurate." PARAGRAPH
     "You will answer the same questions as your colleagues are about to - but the 'person being assessed' is, of "
     "course, you."},
    // 6
    {C::NoOthersQuestionnaire, kNext, A::None, A::RequestingFeedback,
     "Ask the people you work with to complete a feedback questionnaire about you.  You can continue without doing "
     "this but you will not get the full insight that feedback from others will bring.  It's best to include your "
     "manager. Your peers, your team and your customers also provide a different perspective." PARAGRAPH
     "Anyone giving you feedback will need this software installed on a computer they can use.  Remember though "
     "that you may copy this program to them without charge.  Get a fresh copy off our web site."},
    // 7
    {C::SomeOthersQuestionnaire, kNext, A::None, A::RequestingFeedback,
     "If possible ask at least six people to compete feedback questionaires on you." PARAGRAPH
     "Keep pressing 'Do It' to send or create more requests.  When ready press 'Next' to proceed."},
    // 8
    {C::Always, kNext, A::None, A::MergeRequest,
     "If you have emailed or sent someone an automated questionnaire file as a feedback request you now need to "
     "'merge' it to the questionnaires already in your reflectory." PARAGRAPH
     "Press 'Do It' to merge in a completed questionnaire file saved on your hard drive or on a diskette.  Then "
     "locate the file and press OK." PARAGRAPH
     "Alternatively use the mouse to drag the file from Explorer and drop it on your Reflectory window." PARAGRAPH
     "Do this for each completed feedback request you need to merge."},
    // 9
    {C::Unsaved, kNext, A::None, A::Save,
     "Save the questionnaires now as your development journal file.  This file contains your feedback "
     "questionnaires and development journal." PARAGRAPH
     "Save it again at any time by using File->Save from the menu."},
    // 10
    {C::Always, kNext, A::SelectResults, A::None,
     "Explore the results of your feedback to find your strengths and identify action points for development.  Use "
     "the left hand Explorer window to move around the results and to research them in detail.  The status bar "
     "along the bottom of the main window tells you what you are looking at." PARAGRAPH
     "Autopilot will take you through the key results screens but feel free to explore further on your own."},
    // 11
    {C::Always, kNext, A::SelectCompetencies, A::None,
     "The behaviours in the feedback questionnaire are grouped into competencies.  These are scored and presented "
     "in this graph ranked in order of strength.  At the top are the strongest and at the bottom the ones which have "
     "been identified as being priorities for action." PARAGRAPH
     "The overall score is the average of all those that gave feedback.  The coloured bars are the range of scores "
     "for each type of assessor with a blob at the average of each group."},
    // 12
    {C::Always, kNext, A::SelectFirstCompetency, A::None,
     "Click once on any competency in the left hand Explorer window to see the behaviours that make it up.  The "
     "graphic shows the behaviours for a single competency ranked by order of strength." PARAGRAPH
     "The overall score and bars again show the views of each group of assessors."},
    // 13
    {C::Always, kNext, A::SelectFirstBehaviour, A::None,
     "Click once on any behaviour in the left hand Explorer window to see all the actual responses for that "
     "behaviour from the feedback questionnaires."},
    // 14
    {C::Always, kNext, A::BehavioursAtTop, A::None,
     "The ranked behaviours graph shows all behaviours for all competencies together in order of strength.  These "
     "behaviours at the top of the graph are your clear strengths."},
    // 15
    {C::Always, kNext, A::BehavioursAtBottom, A::None,
     "The bottom of the ranked behaviours graph shows those identified as priorities for action.  Another way of "
     "prioritising these behaviours is to decide which are the most critical for your role."},
    // 16
    {C::SeveralIncluded, kNext, A::SelectDifferences, A::None,
     "Here are all behaviours in descending order of variance between assessors.  Those at the top have the "
     "biggest differences of opinion between assessor groups." PARAGRAPH
     "Don't look at variation as 'right' and 'wrong' - there may be good reasons.  You may behave differently with "
     "your boss and your team.  They may see you in different circumstances.  Often bosses are often tougher than "
     "others!  Do the variations give you any extra information about your performance?" PARAGRAPH
     "This graph shows all assessor groups. Use the left hand Explorer window to see each assessor group in turn."},
    // 17
    {C::SeveralIncluded, kNext, A::SelectExtraRequirements, A::None,
     "This graphic shows behaviours that you said were not required in your role but others said were.  You may "
     "have missed the importance of these behaviours to others."},
    // 18
    {C::SomeNamedAssessor, kNext, A::SelectFirstNamedQuestionnaire, A::None,
     "The written comments from those that gave you feedback are viewed in the Feedback section.  The comments "
     "appear against 'Details'.  They may give you further insights."},
    // 19
    {C::Always, kNext, A::SelectBehaviours, A::SelectCompetencies,
     "Now you have a good idea of your strengths and weaknesses it is time to plan your development activities.  "
     "Start by running back through the results marking behaviours that the feedback says are a priority for "
     "development and that you feel are most important to your role.  Mark the behaviours by clicking once on the "
     "check box shown alongside the behaviours in the result graphics."},
    // 20
    {C::Always, kNext, A::SelectDevelopmentAreas, A::None,
     "Here are the behaviours that you have marked for development.  Are any themes developing?  Which will you "
     "work on first?  It is tough to work on more than two or three at a time. Which ones would make the biggest "
     "impact on your ability to be more successful in your current role?"},
    // 21
    {C::Always, kNext, A::SelectWithoutActions, A::None,
     "Once you have identified your final priorities for action you need to build your development plan.  Do this "
     "by right-clicking on a behaviour and selecting New->Action... from the menu.  Selecting Edit->Journal shows "
     "you all the development actions you have already entered for a behaviour."},
    // 22
    {C::Always, kNext, A::SelectActions, A::None,
     "Here are all the actions you have entered.  This is now your development journal.  You can modify any of the "
     "actions or see the detailed plan again." PARAGRAPH
     "Double-click on any action in the left hand Explorer window to alter it."},
    // 23
    {C::Unsaved, kNext, A::None, A::Save, "Save the feedback and development journal."},
    // 24
    {C::SomeActions, kNoNext, A::SelectActions, A::None,
     "Congratulations, you have successfully completed your reflectory.  All you need to do now is carry out your "
     "actions!!!  If you experience personal blocks it's worthwhile looking back at your feedback again for "
     "clues.  " PARAGRAPH
     "In any case you should ask for feedback again in six months time.  Start with a fresh reflectory.  The best "
     "performers are always seeking ways to improve further."},
    // 25: the end of the road; it holds always, so Next always finds a step.
    {C::Always, kNoNext, A::None, A::None,
     "The last stage of the Autopilot is to build your development journal.  You have not entered any actions. "
     "Press 'Previous' to do this now with autopilot, or enter them directly yourself."},
}};

#undef PARAGRAPH

bool anyQuestionnaire(const CPavexDoc& journal, bool (*test)(const CPavexFeedback&)) {
    return std::any_of(journal.questionnaires.begin(), journal.questionnaires.end(), test);
}

bool isSelf(const CPavexFeedback& questionnaire) {
    return questionnaire.relationship == 0;
}

bool isOthers(const CPavexFeedback& questionnaire) {
    return questionnaire.relationship != 0;
}

bool isNamed(const CPavexFeedback& questionnaire) {
    return !questionnaire.assessor.empty();
}

} // namespace

const std::array<AutopilotStep, kAutopilotStepCount>& autopilotSteps() {
    return kSteps;
}

int clampedAutopilotStep(std::int32_t stored) {
    return std::clamp<std::int32_t>(stored, 0, kAutopilotLastStep);
}

bool conditionHolds(GuideCondition condition, const CPavexDoc& journal) {
    switch (condition) {
    case GuideCondition::Always:
        return true;
    case GuideCondition::NoName:
        return journal.person.empty();
    case GuideCondition::NoSelfQuestionnaire:
        return !anyQuestionnaire(journal, isSelf);
    case GuideCondition::NoOthersQuestionnaire:
        return !anyQuestionnaire(journal, isOthers);
    case GuideCondition::Unsaved:
        return journal.modified;
    case GuideCondition::NoRole:
        return !journal.hasRole();
    case GuideCondition::RoleWithoutQuestionnaires:
        return journal.hasRole() && journal.questionnaires.empty();
    case GuideCondition::SomeOthersQuestionnaire:
        return anyQuestionnaire(journal, isOthers);
    case GuideCondition::SeveralIncluded:
        return std::count_if(journal.questionnaires.begin(), journal.questionnaires.end(),
                             [](const CPavexFeedback& questionnaire) { return questionnaire.useInResults != 0; }) > 1;
    case GuideCondition::SomeNamedAssessor:
        return anyQuestionnaire(journal, isNamed);
    case GuideCondition::SomeActions:
        return !journal.actions.empty();
    }
    return true;
}
