// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/CommandTable.h"
#include "ui/RecentFiles.h"

#include <QMainWindow>
#include <QMap>
#include <QPrinter>
#include <QStringList>

#include <memory>

class CChildFrame;
class CKVRoleDoc;
class CKVRoleView;
class EditorContext;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QUndoGroup;

// The role editor's main window: any number of role documents, each in one or more child windows.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    enum class Command {
        New,
        Open,
        Merge,
        Close,
        Save,
        SaveAs,
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
        ToggleToolbar,
        ToggleStatusBar,
        RoleDetails,
        NewCompetency,
        NewBehaviour,
        EditResponses,
        Edit,
        Delete,
        Options,
        WebQuestionnaire,
        NewWindow,
        Cascade,
        Tile,
        ArrangeIcons,
        Contents,
        About,
    };

    explicit CMainFrame(EditorContext& context);
    ~CMainFrame() override;

    QAction* action(Command command) const;
    QList<QAction*> recentFileActions() const;
    QMdiArea* mdiArea() const { return m_mdi; }
    QToolBar* toolBar() const { return m_toolBar; }
    QMenu* menu(const QString& title) const;

    CKVRoleDoc* newDocument();
    // Opens a role profile (or shows its window when it is open already); nothing on failure.
    CKVRoleDoc* openDocument(const QString& path);
    // Opens each file; true when at least one of them is open afterwards.
    bool openDocuments(const QStringList& paths);
    // Files another start of the editor handed over (none: a new role), shown at the front.
    void openHandedOver(const QStringList& paths);
    // The Window menu's entries for the open windows, in the order the windows were opened.
    QList<QAction*> windowListEntries() const { return m_windowEntries; }
    // An entry of the recent-file list; one that cannot be opened leaves the list after its
    // failure is told.
    CKVRoleDoc* openRecentFile(const QString& path);
    CKVRoleView* activeView() const;
    CKVRoleDoc* activeDocument() const;
    QList<CKVRoleDoc*> documents() const { return m_documents; }
    QList<CChildFrame*> framesOf(const CKVRoleDoc* document) const;

    // The commands of the menus, for the menus and for tests.
    bool save(CKVRoleDoc& document);
    bool saveAs(CKVRoleDoc& document);
    void merge();
    void send();
    // Prints the active role to `printer` without dialogs.
    void printTo(QPrinter& printer);
    QPrinter& printer() { return *m_printer; }

    QStringList recentFiles() const { return m_recent.paths(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createCommands();
    CChildFrame* addFrame(CKVRoleDoc& document);
    bool canClose(CChildFrame* frame);
    bool canCloseDocument(CKVRoleDoc& document);
    void frameClosed(CChildFrame* frame);
    void updateCommands();
    void updateTitles();
    // The Window menu lists the open windows, numbered, with the active one checked.
    void updateWindowList();
    // The child windows' area, estimated from the main window's size before it is shown.
    QRect workspaceArea() const;
    // Moves (and if need be shrinks) a child window to lie wholly inside the area.
    void fitIntoWorkspace(QMdiSubWindow* frame);
    // A word in the status bar after a role is saved.
    void tellSaved(const CKVRoleDoc& document);
    // Where the Open dialog starts.
    QString openFolder() const;
    void addRecentFile(const QString& path);
    void openFile();
    void print();
    void printPreview();
    void printSetup();
    void options();
    void contents();
    void about();

    EditorContext& m_context;
    QMdiArea* m_mdi;
    QUndoGroup* m_history;
    QToolBar* m_toolBar = nullptr;
    ui::CommandActions m_commands;
    ui::RecentFileList m_recent{ui::SettingsScope::roleEditor(), QStringLiteral("RecentFile")};
    ui::RecentFileMenu* m_recentMenu = nullptr;
    QList<QMenu*> m_documentMenus;
    QList<QAction*> m_windowEntries;
    QList<CKVRoleDoc*> m_documents;
    int m_untitledCount = 0;
    bool m_closing = false;
    std::unique_ptr<QPrinter> m_printer;
};
