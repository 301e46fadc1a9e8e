// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"

#include <string>

// The fixed texts and titles of the results, list and detail pages.
namespace pagetext {

inline constexpr const char* kNoQuestionnaires =
    "You need to choose your role and enter a questionnaire before you can view any results";
inline constexpr const char* kNoScores = "There are no scores to display";

inline constexpr const char* kQuestionnaireListTitle = "Completed feedback questionnaires";
inline constexpr const char* kJournalListTitle = "Development journal";
inline constexpr const char* kQuestionnaireDetailTitle = "Completed assessment questionnaire";
inline constexpr const char* kActionDetailTitle = "Development journal action";

inline constexpr const char* kYes = "Yes";
inline constexpr const char* kNo = "No";

std::string competencyRankingTitle();
std::string behaviourRankingTitle();
std::string competencyBehavioursTitle(const std::string& competencyName);
std::string developmentAreasTitle();
std::string developmentAreasWithActionsTitle();
std::string developmentAreasWithoutActionsTitle();
// Group 0 is every group; 1 to 5 is that group, named by the journal's label.
std::string differencesTitle(const JournalRecord& journal, int group);
std::string extraRequirementsTitle(const JournalRecord& journal, int group);
std::string frequenciesTitle(const std::string& behaviourStatement);

// The role's label of a group, empty for an index that is not a group.
std::string groupLabel(const JournalRecord& journal, std::int32_t group);
// The label of the first option of the role's first scale ("Not needed" by default), empty without one.
std::string firstOptionLabel(const JournalRecord& journal);

} // namespace pagetext
