// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"

#include <string>

// What one page of the content view shows, as data: the figures of a results graph, or the rows of a
// list or detail page. The drawing of a page reads these; nothing here draws.
enum class PageKind { Ranking, Frequencies, Table, Detail };

class PageContent {
public:
    virtual ~PageContent() = default;
    PageContent(const PageContent&) = delete;
    PageContent& operator=(const PageContent&) = delete;

    virtual PageKind kind() const = 0;
    // Recomputes the page from the journal as it stands.
    virtual void refresh() = 0;

    // The title made when the page was made.
    const std::string& title() const { return m_title; }
    // While the journal holds no questionnaires every page shows the message page instead of its content.
    bool showsMessage() const { return m_journal.questionnaires.empty(); }
    // The title as shown: the message itself while the message page is shown.
    std::string shownTitle() const;

    const JournalRecord& journal() const { return m_journal; }

protected:
    PageContent(const JournalRecord& journal, std::string title);

private:
    const JournalRecord& m_journal;
    std::string m_title;
};
