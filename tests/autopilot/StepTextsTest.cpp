// SPDX-License-Identifier: GPL-3.0-or-later
#include "autopilot/AutopilotSteps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Each step's text as the person reads it, one entry per paragraph. Typed from the wording the guide
// has always shown, misspellings and spacing included.
const std::vector<std::vector<std::string>> kExpectedParagraphs = {
    // 0
    {"Autopilot will guide you through the process of selecting a role profile, gathering feedback, reviewing your "
     "results and preparing your development journal.",
     "You can close Autopilot or reactivate it at any time by clicking on its toolbar button.  Autopilot will "
     "remember how far you have got through the process and give you appropriate help when re-activated. Move "
     "freely back and forth through the process with the next and previous buttons below.",
     "With many stages pressing the  'Do It' button will initiate the appropriate process for you."},
    // 1
    {"You can still change your role until you start entering feedback questionnaires.",
     "Select Tools->Choose Your Role... from the pulldown menu or press \"Do It\".",
     "You cannot gather feedback until you set a role and you cannot change the role after starting to gather "
     "feedback (unless you create a new blank Reflectory)."},
    // 2
    {"The first step is to choose the competencies and behaviours upon which to measure your performance.  This is "
     "done by choosing a role that most closely matches your own.",
     "Select Tools->Choose Your Role... from the pulldown menu or press 'Do It'."},
    // 3
    {"Sorry, you must choose your role before starting.  Press \"Previous\" to go back and set it."},
    // 4
    {"You need to enter your name if you are going to ask other to give feedback. You might also want to set up a "
     "password for your journal.  This will stop others from looking at your confidential information but don't "
     "forget it or you will have to start again!",
     "Use the Tools Options menu or press 'Do It'."},
    // 5
    {"First, answer a feedback questionnaire about yourself.  Consider the things that you do in your normal role.",
     "Make sure you have 20 to 30 minutes uninterrupted time.  Do not spend too long considering each question - "
     "often first feelings are the most accurate.",
     "You will answer the same questions as your colleagues are about to - but the 'person being assessed' is, of "
     "course, you."},
    // 6
    {"Ask the people you work with to complete a feedback questionnaire about you.  You can continue without doing "
     "this but you will not get the full insight that feedback from others will bring.  It's best to include your "
     "manager. Your peers, your team and your customers also provide a different perspective.",
     "Anyone giving you feedback will need this software installed on a computer they can use.  Remember though "
     "that you may copy this program to them without charge.  Get a fresh copy off our web site."},
    // 7
    {"If possible ask at least six people to compete feedback questionaires on you.",
     "Keep pressing 'Do It' to send or create more requests.  When ready press 'Next' to proceed."},
    // 8
    {"If you have emailed or sent someone an automated questionnaire file as a feedback request you now need to "
     "'merge' it to the questionnaires already in your reflectory.",
     "Press 'Do It' to merge in a completed questionnaire file saved on your hard drive or on a diskette.  Then "
     "locate the file and press OK.",
     "Alternatively use the mouse to drag the file from Explorer and drop it on your Reflectory window.",
     "Do this for each completed feedback request you need to merge."},
    // 9
    {"Save the questionnaires now as your development journal file.  This file contains your feedback "
     "questionnaires and development journal.",
     "Save it again at any time by using File->Save from the menu."},
    // 10
    {"Explore the results of your feedback to find your strengths and identify action points for development.  Use "
     "the left hand Explorer window to move around the results and to research them in detail.  The status bar "
     "along the bottom of the main window tells you what you are looking at.",
     "Autopilot will take you through the key results screens but feel free to explore further on your own."},
    // 11
    {"The behaviours in the feedback questionnaire are grouped into competencies.  These are scored and presented in "
     "this graph ranked in order of strength.  At the top are the strongest and at the bottom the ones which have "
     "been identified as being priorities for action.",
     "The overall score is the average of all those that gave feedback.  The coloured bars are the range of scores "
     "for each type of assessor with a blob at the average of each group."},
    // 12
    {"Click once on any competency in the left hand Explorer window to see the behaviours that make it up.  The "
     "graphic shows the behaviours for a single competency ranked by order of strength.",
     "The overall score and bars again show the views of each group of assessors."},
    // 13
    {"Click once on any behaviour in the left hand Explorer window to see all the actual responses for that "
     "behaviour from the feedback questionnaires."},
    // 14
    {"The ranked behaviours graph shows all behaviours for all competencies together in order of strength.  These "
     "behaviours at the top of the graph are your clear strengths."},
    // 15
    {"The bottom of the ranked behaviours graph shows those identified as priorities for action.  Another way of "
     "prioritising these behaviours is to decide which are the most critical for your role."},
    // 16
    {"Here are all behaviours in descending order of variance between assessors.  Those at the top have the biggest "
     "differences of opinion between assessor groups.",
     "Don't look at variation as 'right' and 'wrong' - there may be good reasons.  You may behave differently with "
     "your boss and your team.  They may see you in different circumstances.  Often bosses are often tougher than "
     "others!  Do the variations give you any extra information about your performance?",
     "This graph shows all assessor groups. Use the left hand Explorer window to see each assessor group in turn."},
    // 17
    {"This graphic shows behaviours that you said were not required in your role but others said were.  You may "
     "have missed the importance of these behaviours to others."},
    // 18
    {"The written comments from those that gave you feedback are viewed in the Feedback section.  The comments "
     "appear against 'Details'.  They may give you further insights."},
    // 19
    {"Now you have a good idea of your strengths and weaknesses it is time to plan your development activities.  "
     "Start by running back through the results marking behaviours that the feedback says are a priority for "
     "development and that you feel are most important to your role.  Mark the behaviours by clicking once on the "
     "check box shown alongside the behaviours in the result graphics."},
    // 20
    {"Here are the behaviours that you have marked for development.  Are any themes developing?  Which will you work "
     "on first?  It is tough to work on more than two or three at a time. Which ones would make the biggest impact "
     "on your ability to be more successful in your current role?"},
    // 21
    {"Once you have identified your final priorities for action you need to build your development plan.  Do this by "
     "right-clicking on a behaviour and selecting New->Action... from the menu.  Selecting Edit->Journal shows you "
     "all the development actions you have already entered for a behaviour."},
    // 22
    {"Here are all the actions you have entered.  This is now your development journal.  You can modify any of the "
     "actions or see the detailed plan again.",
     "Double-click on any action in the left hand Explorer window to alter it."},
    // 23
    {"Save the feedback and development journal."},
    // 24
    {"Congratulations, you have successfully completed your reflectory.  All you need to do now is carry out your "
     "actions!!!  If you experience personal blocks it's worthwhile looking back at your feedback again for clues.  ",
     "In any case you should ask for feedback again in six months time.  Start with a fresh reflectory.  The best "
     "performers are always seeking ways to improve further."},
    // 25
    {"The last stage of the Autopilot is to build your development journal.  You have not entered any actions. Press "
     "'Previous' to do this now with autopilot, or enter them directly yourself."},
};

std::string joinedParagraphs(const std::vector<std::string>& paragraphs) {
    std::string text;
    for (const std::string& paragraph : paragraphs) {
        if (!text.empty()) {
            text += "\r\n\r\n";
        }
        text += paragraph;
    }
    return text;
}

} // namespace

TEST(AutopilotStepTexts, EveryStepReadsExactlyAsTheGuideHasAlwaysSaidIt) {
    ASSERT_EQ(kExpectedParagraphs.size(), static_cast<std::size_t>(kAutopilotStepCount));
    for (int step = 0; step < kAutopilotStepCount; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        EXPECT_EQ(std::string(autopilotSteps()[static_cast<std::size_t>(step)].text),
                  joinedParagraphs(kExpectedParagraphs[static_cast<std::size_t>(step)]));
    }
}
