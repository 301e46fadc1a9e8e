// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ContentTree.h"
#include "model/PavexDoc.h"
#include "model/ReadOutcome.h"
#include "pavex/RecentFiles.h"
#include "ui/CommandTable.h"

#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QPrinter>

#include <functional>
#include <map>
#include <memory>

namespace requests {
struct Merged;
} // namespace requests

class ActionEditing;
class EarlierJournal;
class AutopilotController;
class CPavexTreeView;
class CPavexView;
class CResultPage;
class QLabel;
class QSplitter;
class TreeCommands;
class UserPrompts;

namespace ui {
class MailHandoff;
class SnapshotHistory;
} // namespace ui

// The journal program's main window: the explorer tree beside the content view, the menus, the
// toolbar and the status bar, and the commands on the open journal.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // The tree's share of the window's width on a first run: wide enough for typical behaviour
    // names, never narrower than kTreeWidth.
    static constexpr int kTreeWidth = 200;
    static constexpr int kTreePercent = 40;
    static int firstTreeWidth(int windowWidth);
    // The most the tree keeps when the window narrows (half of it, at least kTreeWidth), so that the
    // page beside it stays readable.
    static int widestTreeWithin(int splitterWidth);
    // How long Export Report works before its progress shows.
    static constexpr int kProgressDelayMs = 500;
    static constexpr const char* kProgramTitle = "Reflectory 360";
    // Said by every command that needs a role when the journal has none.
    static constexpr const char* kChooseRoleFirst = "Please choose your role first, using Tools Choose Your Role.";

    // Every command of the menus, for the toolbar and for whoever drives the window.
    enum class Command {
        New,
        Open,
        Save,
        SaveAs,
        ExportReport,
        ExportResults,
        Print,
        PrintPreview,
        PrintSetup,
        Send,
        Exit,
        Undo,
        Redo,
        Cut,
        Copy,
        Paste,
        Delete,
        Autopilot,
        Toolbar,
        StatusBar,
        ChooseRole,
        NewQuestionnaire,
        SendRequest,
        CreateRequest,
        CreateWebPage,
        MergeRequest,
        MergeFromMail,
        NewAction,
        CompareEarlier,
        StopComparing,
        Options,
        HelpContents,
        About
    };

    CMainFrame(UserPrompts& prompts, ui::MailHandoff& mailHandoff, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CPavexDoc& document() { return *m_doc; }
    ContentTree& contents() { return *m_contents; }
    CPavexTreeView* treeView() const { return m_tree; }
    CPavexView* contentView() const { return m_view; }
    QSplitter* splitter() const { return m_splitter; }
    QAction* action(Command command) const { return m_commands.action(command); }
    QString statusTitle() const;
    const ui::RecentFileList& recentFiles() const { return m_recent; }

    // File commands. Each returns whether it did what it was asked.
    bool newJournal();
    bool openJournal();
    bool openJournalFile(const QString& path);
    // An entry of the recent-file list: a file that is missing, unreadable or damaged leaves the
    // list after its failure is told.
    bool openRecentFile(const QString& path);
    bool save();
    bool saveAs();
    // Asks "Save changes to %1?" when the journal is modified; false when the user cancels or the
    // save fails, so that whatever was to follow does not happen.
    bool saveModifiedIfWanted();
    bool exportReport();
    bool exportResults();
    bool exportReportTo(const QString& pdfPath, bool withNames = false);
    bool printCurrentPage(QPrinter& printer);
    // File Send: the journal as it stands, handed to the mail program as an attachment.
    bool sendJournal();

    // Tools commands.
    bool newFeedbackQuestionnaire();
    // A questionnaire by "Self" about the person dated today, straight into the questionnaire dialog.
    bool startSelfAssessment();
    bool createFeedbackRequest();
    bool sendFeedbackRequest();
    bool mergeCompletedFeedback();
    // A web questionnaire page made from the journal's own role, for the person's address.
    bool createWebQuestionnaire();
    // Every reply attached to saved mail (a message, an mbox or a Maildir), then one summary.
    bool mergeFeedbackFromMail();
    bool mergeFeedbackFromMailAt(const QString& path);
    bool chooseRole();
    // Tools Compare With Earlier Journal: the Progress pages of what changed since that journal.
    bool compareWithEarlierJournal();
    bool compareWithEarlierJournalFile(const std::string& earlierPath);
    void stopComparing();
    const EarlierJournal& earlierJournal() const { return *m_earlier; }
    // A new action for the selected tree node's behaviour, or for none.
    bool newAction();
    bool showOptions();

    // The tree's commands on its selected node.
    bool editSelectedNode();
    bool deleteSelectedNode();
    bool toggleSelectedNode();
    // A behaviour's development journal, from the tree, a behaviour row or its pop-up menu.
    bool editBehaviourJournal(int behaviour);

    // The pop-up menu of the last right-click on a behaviour row of the content view; null before any.
    QMenu* behaviourMenu() const { return m_behaviourMenu; }

    // The journal's undo history: every command that changes the journal is one step of it.
    ui::SnapshotHistory& history() const { return *m_history; }
    // Runs a merge of one or more returned questionnaires as one step of the history, named after
    // their assessors, and shows what it added; what `merge` returns tells what was merged.
    requests::Merged mergeAsOneStep(const std::function<requests::Merged()>& merge);

    // The guide and its window (View Autopilot, the toolbar button).
    AutopilotController& autopilot() const { return *m_autopilot; }

    // A file dropped on the window, sorted by its ending.
    void handleDroppedFile(const QString& path);
    // The check box of a behaviour row: the development mark is inverted and shown.
    void toggleBehaviourMark(int behaviour);

signals:
    // A journal opened or begun by the user asks for the guide (its Autopilot flag is set).
    void autopilotRequested();

public:
    // Asks for the guide when the journal's Autopilot flag is set.
    void offerAutopilot();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createMenus();
    void addPaneKeys();
    void movePaneFocus(int step);
    // The stored size and place, or most of the screen on a first run, and the tree's width.
    void placeWindow();
    // The contents built again, with the Progress branch while an earlier journal is set.
    void rebuildWithEarlierJournal();
    void rebuildContents();
    void showPage(CResultPage* page);
    void afterMerge(bool merged, std::size_t questionnairesBefore);
    // A merge of a returned request or web reply: as afterMerge, then the status bar names who was merged.
    void afterMergedFile(const requests::Merged& merged, std::size_t questionnairesBefore);
    // A word in the status bar after a success (texts in the files' code page).
    void tellDone(const std::string& news);
    // After a command changed the journal: the selected node's page is refreshed and redrawn.
    void afterEdit(bool changed);
    bool onSelectedNode(bool (TreeCommands::*command)(const ContentNode&),
                        const std::function<QString(NodeKind)>& stepName);
    void deleteFromEditMenu();
    void journalChanged();
    void updateCommands();
    void updateDeleteCommand();
    void updateTitle();
    QString displayTitle() const;
    bool openJournalFile(const QString& path, ReadOutcome* outcome);
    // Tells the user to choose a role first when the journal has none.
    bool requireRole();
    // The checks every way of starting a questionnaire makes before its first dialog, each telling
    // why it refuses.
    bool questionnaireCanStart();
    bool runQuestionnaire(CPavexFeedback answers);
    // A journal begun or opened in the place of the last.
    void journalReplaced();
    bool saveTo(const std::string& path);
    void addRoleProfile(const QString& path);
    void showHelp();
    void showAbout();
    void printWithDialog();
    void printPreview();
    void pageSetup();
    void showBehaviourMenu(int behaviour, const QPoint& globalPosition, bool fromKeyboard);
    // Undo and Redo: the journal becomes the snapshot's, and the views show it where they were.
    void restoreJournal(const std::string& snapshot);
    // A command's change to the journal as one step of the history named `what`.
    template <typename Change> auto record(const QString& what, Change&& change);

    UserPrompts& m_prompts;
    ui::MailHandoff& m_mailHandoff;
    std::unique_ptr<CPavexDoc> m_doc;
    std::unique_ptr<ContentTree> m_contents;
    std::unique_ptr<EarlierJournal> m_earlier;
    std::unique_ptr<ActionEditing> m_actionEditing;
    std::unique_ptr<TreeCommands> m_treeCommands;
    QSplitter* m_splitter = nullptr;
    CPavexTreeView* m_tree = nullptr;
    CPavexView* m_view = nullptr;
    QLabel* m_statusTitle = nullptr;
    ui::CommandActions m_commands;
    ui::RecentFileList m_recent = journalRecentFiles();
    ui::RecentFileMenu* m_recentMenu = nullptr;
    QPrinter m_printer;
    QPointer<QMenu> m_behaviourMenu;
    QPointer<QWidget> m_activePane;
    ui::SnapshotHistory* m_history = nullptr;
    // Last, so that the guide goes before the journal it shows.
    std::unique_ptr<AutopilotController> m_autopilot;
};
