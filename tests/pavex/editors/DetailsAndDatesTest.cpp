#include "pavex/editors/LocaleDates.h"
#include "pavex/editors/QuestionnaireDetailsDialog.h"
#include "tests/support/Samples.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

TEST(QuestionnaireDetailsDialog, AppliesNameRelationshipAndInclusionButNeverTheAnswers) {
    CPavexFeedback questionnaire = samples::journal("").questionnaires[0];
    const CPavexFeedback before = questionnaire;
    QuestionnaireDetailsDialog dialog(questionnaire);
    EXPECT_EQ(dialog.windowTitle(), "Questionnaire Details");
    EXPECT_EQ(dialog.nameEdit()->text().toStdString(), before.assessor);
    EXPECT_TRUE(dialog.relationshipButton(before.relationship)->isChecked());
    EXPECT_EQ(dialog.includeBox()->text(), "&Include in results");

    dialog.nameEdit()->clear();
    dialog.relationshipButton(5)->click();
    dialog.includeBox()->setChecked(!dialog.includeBox()->isChecked());
    dialog.applyTo(questionnaire);
    EXPECT_EQ(questionnaire.assessor, "<anonymous>");
    EXPECT_EQ(questionnaire.relationship, 5);
    EXPECT_EQ(questionnaire.useInResults, before.useInResults != 0 ? 0 : 1);
    EXPECT_EQ(questionnaire.responses, before.responses);
    EXPECT_EQ(questionnaire.details, before.details);
}

TEST(QuestionnaireDetailsDialog, KeepsAStoredRelationshipNoButtonStandsFor) {
    CPavexFeedback questionnaire = samples::journal("").questionnaires[0];
    questionnaire.relationship = 9;
    QuestionnaireDetailsDialog dialog(questionnaire);
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(dialog.relationshipButton(i)->isChecked());
    }
    dialog.applyTo(questionnaire);
    EXPECT_EQ(questionnaire.relationship, 9);
}

TEST(LocaleDates, TheEditableFormReadsBackToTheSameDateAndTime) {
    const OleDate day{OleDate::Valid, 46460.0};             // a day at midnight
    const OleDate withTime{OleDate::Valid, 46460.0 + 0.75}; // the same day at 18:00
    EXPECT_EQ(*parseDateInUserLocale(editableDate(day)), day);
    EXPECT_FALSE(editableDate(withTime) == editableDate(day));
    EXPECT_DOUBLE_EQ(parseDateInUserLocale(editableDate(withTime))->value, withTime.value);
    EXPECT_EQ(parseDateInUserLocale("2027-03-14")->value, 46460.0);
    EXPECT_EQ(parseDateInUserLocale("  2027-03-14 18:00 ")->value, 46460.75);
    for (const char* notADate : {"", "   ", "soon", "2027-02-30", "31/31/2027"}) {
        EXPECT_FALSE(parseDateInUserLocale(QString::fromLatin1(notADate))) << notADate;
    }
    EXPECT_EQ(editableDate(OleDate{OleDate::Null, 0.0}), "");
}

} // namespace
