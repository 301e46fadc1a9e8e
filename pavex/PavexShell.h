// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pavex/MainFrame.h"
#include "ui/DesktopMailHandoff.h"
#include "ui/QtPrompts.h"

#include <QStringList>

#include <memory>

class WelcomeDialog;

// The journal program as a whole: its prompts, its mail hand-off and its main window, and how a
// session begins.
class PavexShell {
public:
    PavexShell();
    ~PavexShell();
    PavexShell(const PavexShell&) = delete;
    PavexShell& operator=(const PavexShell&) = delete;

    // The command line's arguments after the program name: a journal to open; a completed request
    // or web reply to merge into the journal used last (or one the user opens when there is none);
    // or nothing, which asks the welcome dialog how to begin. False when the program should end
    // without a window.
    bool start(const QStringList& arguments);
    // Carries out the welcome dialog's choice; false when it was cancelled.
    bool begin(const WelcomeDialog& welcome, bool accepted);
    // Whether there is a last journal to reopen: the welcome dialog offers to only then.
    bool lastJournalKnown() const;

    CMainFrame& mainFrame() { return *m_frame; }
    ui::QtPrompts& prompts() { return m_prompts; }

    static constexpr const char* kNoJournalToMergeInto =
        "Sorry, a completed feedback request can only be merged into an open reflectory.";

private:
    void mergeIntoRecentJournal(const QString& path);

    ui::QtPrompts m_prompts;
    ui::DesktopMailHandoff m_mailHandoff;
    std::unique_ptr<CMainFrame> m_frame;
};
