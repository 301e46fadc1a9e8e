// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/PageContent.h"

#include "analysis/PageTexts.h"

#include <utility>

PageContent::PageContent(const JournalRecord& journal, std::string title)
    : m_journal(journal), m_title(std::move(title)) {}

std::string PageContent::shownTitle() const {
    return showsMessage() ? pagetext::kNoQuestionnaires : m_title;
}
