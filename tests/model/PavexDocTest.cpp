// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PavexDoc.h"
#include "model/Role.h"
#include "model/ScriptedPrompts.h"
#include "tests/support/Samples.h"

#include <gtest/gtest.h>

TEST(NewJournal, HasTheDefaultsAndKeepsTheWording) {
    CPavexDoc doc = samples::journal("secret");
    doc.relationshipLabels[1] = "Boss";
    doc.competencyTerm = "Skill";
    doc.path = "/x/jo.kva";
    doc.modified = true;
    doc.newJournal();

    EXPECT_EQ(doc.password, "");
    EXPECT_EQ(doc.person, "");
    EXPECT_EQ(doc.roleName, "");
    EXPECT_EQ(doc.request, 0);
    EXPECT_TRUE(doc.questionnaires.empty());
    EXPECT_TRUE(doc.actions.empty());
    EXPECT_EQ(doc.colours.relationships,
              (std::array<std::int32_t, 6>{0x0000FF, 0x00FF00, 0xFF0000, 0xFF00FF, 0x00FFFF, 0x0080FF}));
    EXPECT_EQ(doc.colours.average, 0);
    EXPECT_EQ(doc.colours.background, 0xFFFFC0);
    EXPECT_EQ(doc.colours.lines, 0xFFFF80);
    EXPECT_EQ(doc.colours.heading, 0x808040);
    EXPECT_EQ(doc.autopilotPage, 0);
    EXPECT_EQ(doc.autopilotWindow, (std::array<std::int32_t, 4>{}));
    EXPECT_EQ(doc.autopilotShown, 1);
    EXPECT_TRUE(doc.framework.competencies.empty());
    EXPECT_EQ(doc.framework.descriptionsFlag, 1);
    EXPECT_EQ(doc.relationshipLabels[1], "Boss");
    EXPECT_EQ(doc.competencyTerm, "Skill");
    EXPECT_EQ(doc.title(), "Untitled");
    EXPECT_FALSE(doc.modified);
}

TEST(ChoosingARole, CopiesFrameworkAndWordingOnly) {
    CPavexDoc doc = samples::journal("secret");
    doc.modified = false;
    CRole other = CRole::makeDefault();
    other.name = "Other role";
    other.relationshipLabels[0] = "Me";
    other.behaviourTerm = "Habit";
    other.framework.competencies = {{"Only", ""}};
    doc.chooseRole(other);

    EXPECT_EQ(doc.framework, other.framework); // marks are replaced too
    EXPECT_EQ(doc.relationshipLabels[0], "Me");
    EXPECT_EQ(doc.behaviourTerm, "Habit");
    EXPECT_EQ(doc.roleName, "Other role");
    EXPECT_EQ(doc.person, "Alex Example");
    EXPECT_EQ(doc.password, "secret");
    EXPECT_EQ(doc.actions.size(), 2u);
    EXPECT_EQ(doc.colours.average, 7);
    EXPECT_FALSE(doc.modified);
    EXPECT_TRUE(doc.hasRole());
}

TEST(JournalLimits, AThirtyThirdQuestionnaireIsRefusedWithTheMessage) {
    CPavexDoc doc;
    ScriptedPrompts prompts;
    for (int i = 0; i < 32; ++i) {
        ASSERT_TRUE(doc.addQuestionnaire({}, prompts));
    }
    EXPECT_FALSE(doc.checkRoomForQuestionnaire(prompts));
    EXPECT_FALSE(doc.addQuestionnaire({}, prompts));
    EXPECT_EQ(doc.questionnaires.size(), 32u);
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>(
                  2, "Sorry, you have reached the maximum number of questionnaires in one assessment file."));
    EXPECT_TRUE(doc.modified);
}

TEST(JournalLimits, AHundredAndTwentyNinthActionIsRefused) {
    CPavexDoc doc;
    ScriptedPrompts prompts;
    for (int i = 0; i < 128; ++i) {
        ASSERT_TRUE(doc.addAction({}, prompts));
    }
    EXPECT_FALSE(doc.addAction({}, prompts));
    EXPECT_EQ(doc.actions.size(), 128u);
    EXPECT_EQ(doc.actions[0].action, "<unspecified>");
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Sorry, you have reached the maximum number of actions in one journal."});
}

TEST(Deleting, AsksFirstAndClosesTheGap) {
    CPavexDoc doc = samples::journal();
    doc.questionnaires.push_back(doc.questionnaires[0]);
    doc.questionnaires[2].assessor = "Third";
    doc.modified = false;

    ScriptedPrompts cancel;
    cancel.queueAnswer(false);
    EXPECT_FALSE(doc.deleteQuestionnaire(1, cancel));
    EXPECT_EQ(doc.questionnaires.size(), 3u);
    EXPECT_EQ(cancel.shown()[0].caption, "Delete questionnaire");
    EXPECT_EQ(cancel.shown()[0].text, "This completed feedback questionnaire will be deleted.  Are you sure?");
    EXPECT_FALSE(doc.modified);

    ScriptedPrompts ok;
    ok.queueAnswer(true);
    ok.queueAnswer(true);
    EXPECT_TRUE(doc.deleteQuestionnaire(1, ok));
    EXPECT_EQ(doc.questionnaires[0].assessor, "Self");
    EXPECT_EQ(doc.questionnaires[1].assessor, "Third");
    EXPECT_TRUE(doc.deleteAction(0, ok));
    EXPECT_EQ(doc.actions.size(), 1u);
    EXPECT_EQ(doc.actions[0].action, "Read a book");
    EXPECT_EQ(ok.shown()[1].caption, "Delete action");
    EXPECT_EQ(ok.shown()[1].text, "This action will be deleted.  Are you sure?");
    EXPECT_TRUE(doc.modified);
}

TEST(Toggling, InvertsTheFlagOfOneEntryAndMarksTheJournalModifiedOrChangesNothing) {
    CPavexDoc doc = samples::journal("");
    EXPECT_TRUE(doc.toggleMark(0));
    EXPECT_EQ(doc.framework.behaviours[0].marked, 1);
    EXPECT_TRUE(doc.modified);
    EXPECT_TRUE(doc.toggleUseInResults(1));
    EXPECT_EQ(doc.questionnaires[1].useInResults, 1);
    EXPECT_TRUE(doc.toggleCompleted(1));
    EXPECT_EQ(doc.actions[1].completed, 0);

    doc.modified = false;
    const JournalRecord before = doc;
    EXPECT_FALSE(doc.toggleMark(-1));
    EXPECT_FALSE(doc.toggleMark(static_cast<std::int32_t>(doc.framework.behaviours.size())));
    EXPECT_FALSE(doc.toggleUseInResults(doc.questionnaires.size()));
    EXPECT_FALSE(doc.toggleCompleted(doc.actions.size()));
    EXPECT_EQ(static_cast<const JournalRecord&>(doc), before);
    EXPECT_FALSE(doc.modified);
}

TEST(ScriptedSaveQuestion, AsksAboutTheNamedFileTakesQueuedAnswersAndOtherwiseCancels) {
    ScriptedPrompts prompts;
    prompts.queueSaveAnswer(SaveAnswer::No);
    EXPECT_EQ(prompts.askSaveChanges("Alex.kva"), SaveAnswer::No);
    EXPECT_EQ(prompts.askSaveChanges("Untitled"), SaveAnswer::Cancel);
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].kind, ScriptedPrompts::Kind::SaveChanges);
    EXPECT_EQ(prompts.shown()[0].text, "Save changes to Alex.kva?");
    EXPECT_TRUE(prompts.texts().empty());
}
