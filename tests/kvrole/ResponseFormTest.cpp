// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/ResponseForm.h"

#include "model/Role.h"

#include <gtest/gtest.h>

using kvrole::ResponseForm;

TEST(ResponseForm, ANewRoleShowsNotApplicableAndThreePromptsAndComesBackUnchanged) {
    const CResponseScale original = defaultResponseScale();
    const ResponseForm form = ResponseForm::fromScale(original);
    EXPECT_TRUE(form.useNotApplicable);
    EXPECT_EQ(form.prompts, 3);
    EXPECT_EQ(form.boxes[0], "Not needed");
    EXPECT_EQ(form.boxes[1], "Priority for action");
    EXPECT_EQ(form.boxes[3], "Clear strength");
    EXPECT_EQ(form.boxes[6], "");
    EXPECT_EQ(form.problem(), std::nullopt);

    CResponseScale applied = original;
    form.applyTo(applied);
    EXPECT_EQ(applied.optionCount, 4);
    EXPECT_EQ(applied.maximum, 2);
    EXPECT_EQ((std::vector<int>(applied.values.begin(), applied.values.begin() + 4)), (std::vector<int>{-1, 0, 1, 2}));
    EXPECT_EQ((std::vector<std::string>(applied.labels.begin(), applied.labels.begin() + 4)),
              (std::vector<std::string>(original.labels.begin(), original.labels.begin() + 4)));
}

TEST(ResponseForm, ClearingNotApplicableWithSixPromptsScoresZeroToFive) {
    ResponseForm form;
    form.useNotApplicable = false;
    form.prompts = 6;
    form.boxes = {"ignored", "p1", "p2", "p3", "p4", "p5", "p6"};
    CResponseScale scale;
    form.applyTo(scale);
    EXPECT_EQ(scale.optionCount, 6);
    EXPECT_EQ(scale.maximum, 5);
    EXPECT_EQ(scale.values, (std::array<std::int32_t, 6>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(scale.labels, (std::array<std::string, 6>{"p1", "p2", "p3", "p4", "p5", "p6"}));
}

TEST(ResponseForm, AScaleWithoutNotApplicableFillsBoxesOneToSix) {
    CResponseScale scale;
    scale.optionCount = 2;
    scale.labels = {"No", "Yes", "", "", "", ""};
    scale.values = {0, 1, 0, 0, 0, 0};
    const ResponseForm form = ResponseForm::fromScale(scale);
    EXPECT_FALSE(form.useNotApplicable);
    EXPECT_EQ(form.prompts, 2);
    EXPECT_EQ(form.boxes[0], "");
    EXPECT_EQ(form.boxes[1], "No");
    EXPECT_EQ(form.boxes[2], "Yes");
}

TEST(ResponseForm, EnablingFollowsTheNumberAndTheCheckBox) {
    ResponseForm form;
    form.prompts = 6;
    EXPECT_FALSE(form.boxEnabled(0));
    EXPECT_TRUE(form.boxEnabled(6));
    form.setUseNotApplicable(true);
    EXPECT_EQ(form.prompts, 5); // lowered to the new maximum
    EXPECT_EQ(form.maximumPrompts(), 5);
    EXPECT_TRUE(form.boxEnabled(0));
    EXPECT_TRUE(form.boxEnabled(5));
    EXPECT_FALSE(form.boxEnabled(6));
    form.prompts = 2;
    EXPECT_TRUE(form.boxEnabled(2));
    EXPECT_FALSE(form.boxEnabled(3));
}

TEST(ResponseForm, ANumberOutOfRangeGivesTheRangeMessage) {
    ResponseForm form;
    form.prompts = 0;
    EXPECT_EQ(form.problem(), "Please enter an integer between 1 and 6.");
    form.prompts = 7;
    EXPECT_EQ(form.problem(), "Please enter an integer between 1 and 6.");
    form.useNotApplicable = true;
    form.prompts = 6;
    EXPECT_EQ(form.problem(), "Please enter an integer between 1 and 5.");
}
