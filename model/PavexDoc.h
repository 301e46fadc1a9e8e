// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Action.h"
#include "Feedback.h"
#include "Framework.h"
#include "Limits.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CRole;
class UserPrompts;

// Colours are 0x00BBGGRR (red in the low byte).
struct JournalColours {
    std::array<std::int32_t, kRelationshipCount> relationships{0x0000FF, 0x00FF00, 0xFF0000,
                                                               0xFF00FF, 0x00FFFF, 0x0080FF};
    std::int32_t average = 0x000000;
    std::int32_t background = 0xFFFFC0;
    std::int32_t lines = 0xFFFF80;
    std::int32_t heading = 0x808040;
    bool operator==(const JournalColours&) const = default;
};

// Everything a journal or feedback request file stores.
struct JournalRecord {
    std::int32_t scrambleSwitch = 0; // as read; writers derive it from the password
    std::int32_t seed = 0;           // as read; writers derive it from the password
    std::string password;
    std::string person;
    std::int32_t request = 0; // 1 only inside feedback request files
    // Not a field of the record's bytes: whether the journal is stored sealed under its password
    // (see SealedJournal.h). Saved sealed only while it has a password.
    bool encrypted = false;
    JournalColours colours;
    std::array<std::string, kRelationshipCount> relationshipLabels;
    std::string competencyTerm;
    std::string behaviourTerm;
    std::string roleName;
    std::string reserved;
    std::int32_t autopilotPage = 0;
    std::array<std::int32_t, 4> autopilotWindow{}; // left, top, right, bottom
    std::int32_t autopilotShown = 1;
    CPavexFramework framework;
    std::vector<CPavexFeedback> questionnaires;
    std::vector<CPavexAction> actions;

    JournalRecord();
    bool operator==(const JournalRecord&) const = default;
};

// One person's journal: the record plus where it lives and whether it has unsaved changes.
class CPavexDoc : public JournalRecord {
public:
    static constexpr const char* kUntitled = "Untitled";

    std::string path; // empty until saved or opened
    bool modified = false;

    // The file name without its folder, or "Untitled".
    std::string title() const;

    // The defaults of a new journal. Relationship labels and the two terms are kept.
    void newJournal();
    // Takes the content of the file just read: the document stands for that file, unmodified.
    void openedFrom(JournalRecord record, const std::string& filePath);

    bool hasRole() const { return !framework.competencies.empty(); }
    // A role may be chosen until the first questionnaire is added.
    bool canChooseRole() const { return questionnaires.empty(); }
    // Copies a role's framework and wording into the journal; does not mark it modified.
    void chooseRole(const CRole& role);

    // False, after telling the user, when count more questionnaires would pass the most a journal holds.
    bool checkRoomForQuestionnaire(UserPrompts& prompts, std::size_t count = 1) const;
    bool addQuestionnaire(CPavexFeedback questionnaire, UserPrompts& prompts);
    bool addAction(CPavexAction action, UserPrompts& prompts);
    // Ask first; only OK deletes. Later entries move down by one.
    bool deleteQuestionnaire(std::size_t index, UserPrompts& prompts);
    bool deleteAction(std::size_t index, UserPrompts& prompts);
    // A behaviour's development mark, a questionnaire's use in results, an action's completed
    // flag: each inverted and the journal marked modified; false, changing nothing, for an entry
    // the journal does not hold.
    bool toggleMark(std::int32_t behaviour);
    bool toggleUseInResults(std::size_t questionnaire);
    bool toggleCompleted(std::size_t action);
};

namespace journaltext {
inline constexpr const char* kTooManyQuestionnaires =
    "Sorry, you have reached the maximum number of questionnaires in one assessment file.";
inline constexpr const char* kTooManyActions = "Sorry, you have reached the maximum number of actions in one journal.";
inline constexpr const char* kDeleteQuestionnaire =
    "This completed feedback questionnaire will be deleted.  Are you sure?";
inline constexpr const char* kDeleteQuestionnaireCaption = "Delete questionnaire";
inline constexpr const char* kDeleteAction = "This action will be deleted.  Are you sure?";
inline constexpr const char* kDeleteActionCaption = "Delete action";
inline constexpr const char* kWrongPassword = "Sorry, that was the wrong password";
inline constexpr const char* kRequestFileRefused =
    "This is a Feedback Reply file.  Use \"File Merge Reply...\" to add it to your Reflectory";
} // namespace journaltext
