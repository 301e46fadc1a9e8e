// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ScriptedPrompts.h"
#include "pavex/editors/ActionDialog.h"
#include "pavex/editors/ActionEditing.h"
#include "pavex/editors/LocaleDates.h"
#include "pavex/editors/QuestionnaireDetailsDialog.h"
#include "tests/support/Samples.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

TEST(QuestionnaireDetailsDialog, AppliesNameRelationshipAndInclusionButNeverTheAnswers) {
    CPavexFeedback questionnaire = samples::journal("").questionnaires[0];
    const CPavexFeedback before = questionnaire;
    ScriptedPrompts prompts;
    QuestionnaireDetailsDialog dialog(questionnaire, prompts);
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
    ScriptedPrompts prompts;
    QuestionnaireDetailsDialog dialog(questionnaire, prompts);
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(dialog.relationshipButton(i)->isChecked());
    }
    dialog.applyTo(questionnaire);
    EXPECT_EQ(questionnaire.relationship, 9);
}

TEST(JournalEditorTexts, EveryFieldRefusesCharactersTheJournalCannotHoldAndChangesNothing) {
    // A Cyrillic name and an emoji: neither has a place in the journal's code page.
    const QString values[] = {QString::fromUtf8("\u0418\u0432\u0430\u043d"), QString::fromUtf8("Pat \U0001F600")};
    const auto refusal = [](const std::string& field) {
        return std::vector<std::string>{"Sorry, \"" + field +
                                        "\" can hold only the letters of Western European languages (Windows-1252)."};
    };
    const CPavexFramework framework = samples::role().framework;
    for (const QString& value : values) {
        SCOPED_TRACE(value.toStdString());
        CPavexFeedback questionnaire = samples::journal("").questionnaires[0];
        const CPavexFeedback before = questionnaire;
        ScriptedPrompts prompts;
        QuestionnaireDetailsDialog details(questionnaire, prompts);
        details.open();
        details.nameEdit()->setText(value);
        details.accept();
        EXPECT_TRUE(details.isVisible());
        EXPECT_EQ(prompts.texts(), refusal("Assessor name"));
        details.reject();
        EXPECT_EQ(questionnaire, before);

        const CPavexAction action = ActionEditing::newActionFor(1);
        const std::pair<const char*, QPlainTextEdit* (ActionDialog::*)() const> boxes[] = {
            {"Situation", &ActionDialog::situationBox},
            {"Action", &ActionDialog::actionBox},
            {"Support", &ActionDialog::supportBox},
            {"Measurement", &ActionDialog::measurementBox},
        };
        for (const auto& [field, box] : boxes) {
            ScriptedPrompts told;
            ActionDialog dialog(framework, action, told);
            dialog.open();
            (dialog.*box)()->setPlainText(value);
            dialog.accept();
            EXPECT_TRUE(dialog.isVisible()) << field;
            EXPECT_EQ(told.texts(), refusal(field));
            EXPECT_EQ(dialog.action().situation, action.situation);
            EXPECT_EQ(dialog.action().action, action.action);
            dialog.reject();
        }
    }
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
