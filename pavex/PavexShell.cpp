// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/PavexShell.h"

#include "pavex/DroppedFile.h"
#include "pavex/WelcomeDialog.h"

PavexShell::PavexShell()
    : m_prompts(QString::fromLatin1(CMainFrame::kProgramTitle)),
      m_frame(std::make_unique<CMainFrame>(m_prompts, m_mailHandoff)) {
    m_prompts.setDialogParent(m_frame.get());
}

PavexShell::~PavexShell() = default;

bool PavexShell::start(const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        const DroppedFileKind kind = droppedFileKind(arguments.front());
        if (kind == DroppedFileKind::RequestFile || kind == DroppedFileKind::WebReply) {
            mergeIntoRecentJournal(arguments.front());
        } else {
            // A journal that cannot be opened leaves the new one the window starts with. One named
            // on the command line was opened by the user, from the desktop or a shell, so it brings
            // its guide as File Open does.
            if (m_frame->openJournalFile(arguments.front())) {
                m_frame->offerAutopilot();
            }
        }
    } else {
        WelcomeDialog welcome(lastJournalKnown());
        const bool accepted = welcome.exec() == QDialog::Accepted;
        if (!begin(welcome, accepted)) {
            return false;
        }
    }
    m_frame->show();
    return true;
}

bool PavexShell::lastJournalKnown() const {
    return !m_frame->recentFiles().paths().isEmpty();
}

bool PavexShell::begin(const WelcomeDialog& welcome, bool accepted) {
    if (!accepted) {
        return false;
    }
    switch (welcome.choice()) {
    case WelcomeDialog::Choice::NewJournal:
        // The window starts with a new journal.
        m_frame->offerAutopilot();
        break;
    case WelcomeDialog::Choice::ReopenLast:
        if (!m_frame->recentFiles().paths().isEmpty() &&
            m_frame->openRecentFile(m_frame->recentFiles().paths().front())) {
            m_frame->offerAutopilot();
        }
        break;
    case WelcomeDialog::Choice::OpenAnother:
        m_frame->openJournal(); // offers the guide itself
        break;
    }
    return true;
}

void PavexShell::mergeIntoRecentJournal(const QString& path) {
    // Opened from the desktop, a returned request or web reply belongs in the user's own journal:
    // the one used last, its password asked as usual, or the one the user picks.
    const QStringList recent = m_frame->recentFiles().paths();
    if ((!recent.isEmpty() && m_frame->openJournalFile(recent.front())) || m_frame->openJournal()) {
        m_frame->handleDroppedFile(path);
        return;
    }
    m_prompts.message(kNoJournalToMergeInto);
}
