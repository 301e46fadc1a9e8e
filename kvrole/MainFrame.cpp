// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/MainFrame.h"

#include "kvrole/ChildFrame.h"
#include "kvrole/EditorContext.h"
#include "kvrole/KVRoleDoc.h"
#include "kvrole/KVRoleView.h"
#include "kvrole/RoleDialogs.h"
#include "kvrole/RolePrinter.h"
#include "kvrole/WebQuestionnaireDialog.h"
#include "kvrole/core/CsvMerge.h"
#include "kvrole/core/LineText.h"
#include "model/AtomicFile.h"
#include "model/RoleFile.h"
#include "model/TextRules.h"
#include "ui/AfxFolders.h"
#include "ui/CommandTable.h"
#include "ui/Cp1252Text.h"
#include "ui/HelpPages.h"
#include "ui/Icons.h"
#include "ui/MailAttachment.h"
#include "ui/ProgramPlaces.h"
#include "ui/Settings.h"
#include "ui/SnapshotHistory.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUndoGroup>

namespace {

constexpr char kRoleFilter[] = "Reflectory Roles (*.kvr)";

FileChoice roleFileChoice(const char* title) {
    FileChoice choice;
    choice.title = title;
    choice.filters = {{kRoleFilter, {"*.kvr"}}, {"All Files (*.*)", {"*.*"}}};
    choice.defaultExtension = "kvr";
    return choice;
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString fromLocalPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

CMainFrame::CMainFrame(EditorContext& context)
    : m_context(context), m_mdi(new QMdiArea), m_history(new QUndoGroup(this)),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setCentralWidget(m_mdi);
    setWindowIcon(ui::programIcon(ui::Program::RoleEditor));
    setAcceptDrops(true);
    createCommands();
    statusBar()->showMessage(tr("Ready"));
    m_context.prompts().setDialogParent(this);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] {
        CKVRoleDoc* document = activeDocument();
        m_history->setActiveStack(document ? &document->history().stack() : nullptr);
        updateCommands();
        updateTitles();
    });
    updateCommands();
    updateTitles();
    ui::WindowPlacement::restore(*this, ui::Settings(ui::SettingsScope::roleEditor()));
}

CMainFrame::~CMainFrame() {
    // The child windows go before the documents they show, without asking anything more.
    m_closing = true;
    disconnect(m_mdi, nullptr, this, nullptr);
    const QList<QMdiSubWindow*> frames = m_mdi->subWindowList();
    for (QMdiSubWindow* frame : frames) {
        frame->disconnect(this);
        delete frame;
    }
}

QAction* CMainFrame::action(Command command) const {
    return m_commands.action(command);
}

QMenu* CMainFrame::menu(const QString& title) const {
    return m_commands.menu(title);
}

QList<QAction*> CMainFrame::recentFileActions() const {
    return m_recentMenu->entries();
}

void CMainFrame::createCommands() {
    using C = Command;
    using ui::Icon;
    using ui::Slot;
    // Windows convention: the alternative keys of the clipboard commands.
    const auto keys = [](QKeyCombination first, QKeyCombination second) {
        return QList<QKeySequence>{QKeySequence(first), QKeySequence(second)};
    };
    // One row per command: {id, menu text, status-bar prompt, tooltip, keys, icon, checkable}.
    const std::vector<ui::CommandRow<C>> rows = {
        {C::New, "&New", "Create a new document", "New", QKeySequence::keyBindings(QKeySequence::New), Icon::FileNew},
        {C::Open, "&Open...", "Open an existing document", "Open", QKeySequence::keyBindings(QKeySequence::Open),
         Icon::FileOpen},
        {C::Merge, "&Merge...", "Merge a CSV file", "Merge"},
        {C::Close, "&Close", "Close the active document", "Close"},
        {C::Save, "&Save", "Save the active document", "Save", {QKeySequence(Qt::CTRL | Qt::Key_S)}, Icon::FileSave},
        {C::SaveAs, "Save &As...", "Save the active document with a new name", "Save As"},
        {C::Print,
         "&Print...",
         "Print the active document",
         "Print",
         {QKeySequence(Qt::CTRL | Qt::Key_P)},
         Icon::FilePrint},
        {C::PrintPreview, "Print Pre&view", "Display full pages", "Print Preview"},
        {C::PrintSetup, "P&rint Setup...", "Change the printer and printing options", "Print Setup"},
        {C::Send, "Sen&d...", "Send the active document through electronic mail", "Send Mail"},
        {C::Exit, "E&xit", "Quit the application; prompts to save documents", "Exit"},
        {C::Undo, "&Undo", "Undo the last action", "Undo", keys(Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace),
         Icon::EditUndo},
        {C::Redo, "&Redo", "Redo the previously undone action", "Redo",
         keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y), Icon::EditRedo},
        {C::Cut, "Cu&t", "Cut the selection and put it on the Clipboard", "Cut",
         keys(Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete), Icon::EditCut},
        {C::Copy, "&Copy", "Copy the selection and put it on the Clipboard", "Copy",
         keys(Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert), Icon::EditCopy},
        {C::Paste, "&Paste", "Insert Clipboard contents", "Paste",
         keys(Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert), Icon::EditPaste},
        {C::ToggleToolbar, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar", {}, std::nullopt, true},
        {C::ToggleStatusBar, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar", {}, std::nullopt, true},
        {C::RoleDetails, "Role Details", "Edit the role name and description", "Role Details", {}, Icon::RoleDetails},
        {C::NewCompetency,
         "New &Competency...",
         "Add a new competency to the role",
         "New competency",
         {},
         Icon::NewCompetency},
        {C::NewBehaviour,
         "New &Behaviour...",
         "Add a new behaviour to the selected competency",
         "New behaviour",
         {},
         Icon::NewBehaviour},
        {C::EditResponses,
         "Edit &Responses...",
         "Edit the responses to questions to rate each behaviour in this role",
         "Edit Responses",
         {},
         Icon::EditResponses},
        {C::Edit, "&Edit...", "Edit the currently selected item", "Edit current item"},
        {C::Delete, "&Delete", "Delete the currently selected item", "Delete current item"},
        {C::Options, "&Options...", "Set Kitsmith options", "Set Options"},
        {C::WebQuestionnaire,
         "Create &Web Questionnaire...",
         "Generate an HTML file for the Internet for gathering feedback",
         "Create Web Questionnaire",
         {},
         Icon::WebQuestionnaire},
        {C::NewWindow, "&New Window", "Open another window for the active document", "New Window"},
        {C::Cascade, "&Cascade", "Arrange windows so they overlap", "Cascade Windows"},
        {C::Tile, "&Tile", "Arrange windows as non-overlapping tiles", "Tile Windows"},
        {C::ArrangeIcons, "&Arrange Icons", "Arrange icons at the bottom of the window", "Arrange Icons"},
        {C::Contents, "&Contents...", "List Help topics", "Help Topics"},
        {C::About,
         "&About KVRole...",
         "Display program information, version number and copyright",
         "About",
         {},
         Icon::About},
    };
    const std::vector<ui::MenuRow<C>> menus = {
        {"&File",
         {C::New, C::Open, C::Merge, C::Close, C::Save, C::SaveAs, Slot::Separator, C::Print, C::PrintPreview,
          C::PrintSetup, Slot::Separator, C::Send, Slot::RecentFiles, Slot::Separator, C::Exit}},
        {"&Edit", {C::Undo, C::Redo, Slot::Separator, C::Cut, C::Copy, C::Paste}},
        {"&View", {C::ToggleToolbar, C::ToggleStatusBar}},
        {"&Tools",
         {C::NewCompetency, C::NewBehaviour, C::EditResponses, C::Edit, C::Delete, Slot::Separator, C::WebQuestionnaire,
          Slot::Separator, C::Options}},
        {"&Window", {C::NewWindow, C::Cascade, C::Tile, C::ArrangeIcons}},
        {"&Help", {C::Contents, Slot::Separator, C::About}},
    };
    const std::vector<ui::Entry<C>> buttons = {C::New,
                                               C::Open,
                                               C::Save,
                                               Slot::Separator,
                                               C::Cut,
                                               C::Copy,
                                               C::Paste,
                                               C::Undo,
                                               C::Redo,
                                               Slot::Separator,
                                               C::Print,
                                               C::About,
                                               Slot::Separator,
                                               C::RoleDetails,
                                               C::NewCompetency,
                                               C::NewBehaviour,
                                               C::EditResponses,
                                               Slot::Separator,
                                               C::WebQuestionnaire};
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("Toolbar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_commands = ui::buildCommands(*this, rows, menus, m_toolBar, buttons);
    m_documentMenus = {m_commands.menu(QStringLiteral("&Edit")), m_commands.menu(QStringLiteral("&Window"))};

    const auto onView = [this](void (CKVRoleView::*command)()) {
        return [this, command] {
            if (CKVRoleView* view = activeView()) {
                (view->*command)();
            }
        };
    };
    const auto onDocument = [this](bool (CMainFrame::*command)(CKVRoleDoc&)) {
        return [this, command] {
            if (CKVRoleDoc* document = activeDocument()) {
                (this->*command)(*document);
            }
        };
    };
    m_commands.onTriggered(C::New, this, [this] { newDocument(); });
    m_commands.onTriggered(C::Open, this, &CMainFrame::openFile);
    m_commands.onTriggered(C::Merge, this, &CMainFrame::merge);
    m_commands.onTriggered(C::Close, this, [this] {
        if (CKVRoleDoc* document = activeDocument(); document && canCloseDocument(*document)) {
            // Asked once for the document; its windows then close without asking again.
            for (CChildFrame* frame : framesOf(document)) {
                delete frame;
            }
        }
    });
    m_commands.onTriggered(C::Save, this, onDocument(&CMainFrame::save));
    m_commands.onTriggered(C::SaveAs, this, onDocument(&CMainFrame::saveAs));
    m_commands.onTriggered(C::Print, this, &CMainFrame::print);
    m_commands.onTriggered(C::PrintPreview, this, &CMainFrame::printPreview);
    m_commands.onTriggered(C::PrintSetup, this, &CMainFrame::printSetup);
    m_commands.onTriggered(C::Send, this, &CMainFrame::send);
    m_commands.onTriggered(C::Exit, this, &QWidget::close);
    m_commands.onTriggered(C::ToggleToolbar, m_toolBar, &QWidget::setVisible);
    m_commands.onTriggered(C::ToggleStatusBar, statusBar(), &QWidget::setVisible);
    m_commands.onTriggered(C::RoleDetails, this, onView(&CKVRoleView::roleDetails));
    m_commands.onTriggered(C::NewCompetency, this, onView(&CKVRoleView::newCompetency));
    m_commands.onTriggered(C::NewBehaviour, this, onView(&CKVRoleView::newBehaviour));
    m_commands.onTriggered(C::EditResponses, this, onView(&CKVRoleView::editResponses));
    m_commands.onTriggered(C::Edit, this, onView(&CKVRoleView::editSelected));
    m_commands.onTriggered(C::Delete, this, onView(&CKVRoleView::deleteSelected));
    m_commands.onTriggered(C::Cut, this, onView(&CKVRoleView::cut));
    m_commands.onTriggered(C::Copy, this, onView(&CKVRoleView::copy));
    m_commands.onTriggered(C::Paste, this, onView(&CKVRoleView::paste));
    m_commands.onTriggered(C::Options, this, &CMainFrame::options);
    // The history of the active window's document; every window of a document shares it.
    ui::followHistory(m_history, action(C::Undo), action(C::Redo));
    m_commands.onTriggered(C::WebQuestionnaire, this, [this] {
        if (CKVRoleDoc* document = activeDocument()) {
            if (const std::optional<QString> page = createWebQuestionnaire(*document, m_context, this)) {
                statusBar()->showMessage(tr("Saved the web questionnaire as %1").arg(QDir::toNativeSeparators(*page)));
            }
        }
    });
    m_commands.onTriggered(C::NewWindow, this, [this] {
        if (CKVRoleDoc* document = activeDocument()) {
            addFrame(*document);
        }
    });
    m_commands.onTriggered(C::Cascade, m_mdi, &QMdiArea::cascadeSubWindows);
    m_commands.onTriggered(C::Tile, m_mdi, &QMdiArea::tileSubWindows);
    m_commands.onTriggered(C::ArrangeIcons, m_mdi, [this] {
        // Minimised windows line up along the bottom; the others stay where they are.
        int left = 0;
        for (QMdiSubWindow* frame : m_mdi->subWindowList()) {
            if (frame->isMinimized()) {
                frame->move(left, m_mdi->viewport()->height() - frame->height());
                left += frame->width();
            }
        }
    });
    m_commands.onTriggered(C::Contents, this, &CMainFrame::contents);
    m_commands.onTriggered(C::About, this, &CMainFrame::about);
    action(C::ToggleToolbar)->setChecked(true);
    action(C::ToggleStatusBar)->setChecked(true);

    m_recentMenu = new ui::RecentFileMenu(
        m_recent, m_commands.recentFilesSlot(),
        [this](const QString& path) {
            return openDocument(path) ? ui::RecentFileMenu::Outcome::Opened : ui::RecentFileMenu::Outcome::Unopenable;
        },
        this);
}

void CMainFrame::updateCommands() {
    using C = Command;
    const bool hasDocument = activeView() != nullptr;
    // Without a document the menus offer only what needs none; the toolbar's buttons stay in
    // place, disabled.
    for (Command command : {C::Merge, C::Close, C::SaveAs, C::PrintPreview, C::Send, C::Edit, C::Delete, C::NewWindow,
                            C::Cascade, C::Tile, C::ArrangeIcons}) {
        action(command)->setVisible(hasDocument);
    }
    for (Command command : {C::Merge, C::Close, C::Save, C::SaveAs, C::Print, C::PrintPreview, C::Edit, C::Delete,
                            C::RoleDetails, C::NewCompetency, C::NewBehaviour, C::EditResponses, C::WebQuestionnaire,
                            C::NewWindow, C::Cascade, C::Tile, C::ArrangeIcons}) {
        action(command)->setEnabled(hasDocument);
    }
    for (QMenu* documentMenu : m_documentMenus) {
        documentMenu->menuAction()->setVisible(hasDocument);
    }
    action(C::Send)->setEnabled(hasDocument && m_context.mail().available());
    // Undo and Redo follow the active document's history; the clipboard commands act on the
    // selected item of any role.
    for (Command command : {C::Cut, C::Copy, C::Paste}) {
        action(command)->setEnabled(hasDocument);
    }
}

void CMainFrame::updateTitles() {
    // "[*]" is where the platform shows its mark of a modified document.
    const QString program = QString::fromLatin1(EditorContext::kProgramTitle);
    const CKVRoleDoc* document = activeDocument();
    setWindowTitle(document ? program + QStringLiteral(" - ") + document->title() + QStringLiteral("[*]") : program);
    setWindowModified(document != nullptr && document->isModified());
    for (CKVRoleDoc* each : m_documents) {
        const QList<CChildFrame*> frames = framesOf(each);
        for (int index = 0; index < frames.size(); ++index) {
            frames[index]->setWindowTitle(
                (frames.size() > 1 ? each->title() + QStringLiteral(":%1").arg(index + 1) : each->title()) +
                QStringLiteral("[*]"));
            frames[index]->setWindowModified(each->isModified());
        }
    }
    updateWindowList();
}

void CMainFrame::updateWindowList() {
    QMenu* windowMenu = m_commands.menu(QStringLiteral("&Window"));
    for (QAction* entry : std::as_const(m_windowEntries)) {
        windowMenu->removeAction(entry);
        // Not at once: the entry chosen may still be delivering its signal.
        entry->deleteLater();
    }
    m_windowEntries.clear();
    // A window being destroyed is still in the area's list, but no longer a child frame.
    QList<QMdiSubWindow*> frames;
    for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (dynamic_cast<CChildFrame*>(window)) {
            frames << window;
        }
    }
    if (frames.isEmpty()) {
        return;
    }
    m_windowEntries << windowMenu->addSeparator();
    QMdiSubWindow* active = m_mdi->activeSubWindow() ? m_mdi->activeSubWindow() : m_mdi->currentSubWindow();
    for (int index = 0; index < frames.size(); ++index) {
        QMdiSubWindow* frame = frames[index];
        QString title = frame->windowTitle().remove(QStringLiteral("[*]"));
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        // The first nine are reached by their digit.
        const QString number = index < 9 ? QStringLiteral("&%1").arg(index + 1) : QString::number(index + 1);
        QAction* entry = windowMenu->addAction(number + QLatin1Char(' ') + title);
        // Only the active window's entry carries a mark; the others show no empty box.
        entry->setCheckable(frame == active);
        entry->setChecked(frame == active);
        entry->setStatusTip(tr("Activate this window"));
        connect(entry, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(frame)] {
            // Once the entry has finished its signal, as activating rebuilds the entries; rebuilt
            // in any case, since choosing the checked entry has just taken its mark away.
            QTimer::singleShot(0, this, [this, window] {
                if (window) {
                    if (window->isMinimized()) {
                        window->showNormal();
                    }
                    m_mdi->setActiveSubWindow(window);
                }
                updateWindowList();
            });
        });
        m_windowEntries << entry;
    }
}

QRect CMainFrame::workspaceArea() const {
    // Before the window is shown the area is not laid out: estimate it from the window's size.
    if (m_mdi->isVisible()) {
        return m_mdi->viewport()->rect();
    }
    return QRect(0, 0, width(), height() * 3 / 4);
}

void CMainFrame::fitIntoWorkspace(QMdiSubWindow* frame) {
    const QRect area = m_mdi->viewport()->rect();
    frame->setGeometry(ui::WindowPlacement::onVisibleScreen(frame->geometry(), {area}));
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    for (QMdiSubWindow* frame : m_mdi->subWindowList()) {
        fitIntoWorkspace(frame);
    }
}

CChildFrame* CMainFrame::addFrame(CKVRoleDoc& document) {
    auto* view = new CKVRoleView(document, m_context);
    connect(view, &CKVRoleView::news, this, [this](const QString& text) { statusBar()->showMessage(text); });
    auto* frame = new CChildFrame(view, [this](CChildFrame* closing) { return canClose(closing); });
    frame->setWindowIcon(ui::icon(ui::Icon::Role));
    QMdiSubWindow* previous = m_mdi->activeSubWindow();
    m_mdi->addSubWindow(frame);
    connect(frame, &QObject::destroyed, this, [this] { frameClosed(nullptr); });
    const QRect area = workspaceArea();
    frame->resize(area.width() * 3 / 4, area.height() * 3 / 4);
    frame->show();
    if (m_mdi->isVisible()) {
        // Cascaded below the title of the window before it, back at the corner once there is no room.
        if (previous != nullptr && !previous->isMaximized()) {
            const int step = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame);
            QPoint next = previous->geometry().topLeft() + QPoint(step, step);
            if (!m_mdi->viewport()->rect().contains(QRect(next, frame->size()))) {
                next = QPoint(0, 0);
            }
            frame->move(next);
        }
        fitIntoWorkspace(frame);
    }
    m_mdi->setActiveSubWindow(frame);
    view->setFocus();
    updateTitles();
    updateCommands();
    return frame;
}

CKVRoleDoc* CMainFrame::newDocument() {
    auto* document = new CKVRoleDoc(++m_untitledCount, this);
    connect(document, &CKVRoleDoc::titleChanged, this, &CMainFrame::updateTitles);
    connect(document, &CKVRoleDoc::modifiedChanged, this, &CMainFrame::updateTitles);
    m_history->addStack(&document->history().stack());
    m_documents << document;
    addFrame(*document);
    return document;
}

CKVRoleDoc* CMainFrame::openDocument(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CKVRoleDoc* open : m_documents) {
        if (open->hasFile() && QFileInfo(open->path()).absoluteFilePath() == absolute) {
            if (const QList<CChildFrame*> frames = framesOf(open); !frames.isEmpty()) {
                m_mdi->setActiveSubWindow(frames.front());
            }
            return open;
        }
    }
    auto* document = new CKVRoleDoc(0, this);
    if (!document->open(absolute, m_context.prompts())) {
        delete document;
        return nullptr;
    }
    connect(document, &CKVRoleDoc::titleChanged, this, &CMainFrame::updateTitles);
    connect(document, &CKVRoleDoc::modifiedChanged, this, &CMainFrame::updateTitles);
    m_history->addStack(&document->history().stack());
    m_documents << document;
    addFrame(*document);
    addRecentFile(absolute);
    return document;
}

bool CMainFrame::openDocuments(const QStringList& paths) {
    bool anyOpen = false;
    for (const QString& path : paths) {
        anyOpen = openDocument(path) != nullptr || anyOpen;
    }
    return anyOpen;
}

void CMainFrame::openHandedOver(const QStringList& paths) {
    if (paths.isEmpty()) {
        newDocument();
    } else {
        openDocuments(paths);
    }
    // The user started the editor to see these: it comes to the front, restored if minimised.
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void CMainFrame::openFile() {
    FileChoice choice = roleFileChoice("Open Role");
    choice.mustExist = true;
    choice.startFolder = localPath(openFolder());
    if (const std::optional<std::string> path = m_context.prompts().chooseOpenFile(choice)) {
        openDocument(fromLocalPath(*path));
    }
}

QString CMainFrame::openFolder() const {
    // The folder of the role used last; before any, the user's own role folder, where Save puts
    // a new role and the journal program lists it.
    if (!m_recent.paths().isEmpty()) {
        return QFileInfo(m_recent.paths().front()).absolutePath();
    }
    const QString folder = ui::ProgramPlaces::userRoleDirectory();
    return QDir().mkpath(folder) ? folder : QString();
}

CKVRoleView* CMainFrame::activeView() const {
    auto* frame = dynamic_cast<CChildFrame*>(m_mdi->activeSubWindow());
    if (!frame) {
        // Without focus (e.g. while a dialog is up) the current window still counts.
        frame = dynamic_cast<CChildFrame*>(m_mdi->currentSubWindow());
    }
    return frame ? frame->view() : nullptr;
}

CKVRoleDoc* CMainFrame::activeDocument() const {
    CKVRoleView* view = activeView();
    return view ? &view->document() : nullptr;
}

QList<CChildFrame*> CMainFrame::framesOf(const CKVRoleDoc* document) const {
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        auto* frame = dynamic_cast<CChildFrame*>(window);
        if (frame && &frame->view()->document() == document) {
            frames << frame;
        }
    }
    return frames;
}

bool CMainFrame::save(CKVRoleDoc& document) {
    if (!document.hasFile()) {
        return saveAs(document);
    }
    if (!document.saveAs(document.path(), m_context.prompts())) {
        return false;
    }
    tellSaved(document);
    return true;
}

void CMainFrame::tellSaved(const CKVRoleDoc& document) {
    statusBar()->showMessage(tr("Saved %1").arg(document.title()));
}

bool CMainFrame::saveAs(CKVRoleDoc& document) {
    FileChoice choice = roleFileChoice("Save Role");
    // A new role starts in the user's own role folder, where the journal program lists it.
    QString proposed = document.path();
    if (!document.hasFile()) {
        const QString folder = ui::ProgramPlaces::userRoleDirectory();
        proposed = QDir().mkpath(folder) ? folder + document.title() : document.title();
    }
    choice.proposedName = localPath(proposed);
    choice.confirmOverwrite = true;
    const std::optional<std::string> path = m_context.prompts().chooseSaveFile(choice);
    if (!path) {
        return false;
    }
    const QString chosen = fromLocalPath(*path);
    if (!document.saveAs(chosen, m_context.prompts())) {
        return false;
    }
    addRecentFile(QFileInfo(chosen).absoluteFilePath());
    tellSaved(document);
    return true;
}

bool CMainFrame::canCloseDocument(CKVRoleDoc& document) {
    if (!document.isModified()) {
        return true;
    }
    switch (m_context.prompts().askSaveChanges(localPath(document.title()))) {
    case SaveAnswer::Yes:
        return save(document);
    case SaveAnswer::No:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool CMainFrame::canClose(CChildFrame* frame) {
    CKVRoleDoc& document = frame->view()->document();
    // Only the document's last window asks about saving.
    return framesOf(&document).size() > 1 || canCloseDocument(document);
}

void CMainFrame::frameClosed(CChildFrame*) {
    if (m_closing) {
        return;
    }
    // A document whose last window has gone goes too.
    for (CKVRoleDoc* document : QList<CKVRoleDoc*>(m_documents)) {
        bool shown = false;
        for (QMdiSubWindow* window : m_mdi->subWindowList()) {
            auto* frame = dynamic_cast<CChildFrame*>(window);
            shown = shown || (frame && frame->view() && &frame->view()->document() == document);
        }
        if (!shown) {
            m_documents.removeOne(document);
            document->deleteLater();
        }
    }
    updateCommands();
    updateTitles();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // A Cancel at any document cancels the exit, and then no document's changes may be forgotten:
    // the ones answered No stay modified until every document has been asked.
    QList<CKVRoleDoc*> discarded;
    for (CKVRoleDoc* document : m_documents) {
        if (!canCloseDocument(*document)) {
            event->ignore();
            return;
        }
        discarded << document;
    }
    for (CKVRoleDoc* document : discarded) {
        document->setModified(false);
    }
    ui::Settings settings(ui::SettingsScope::roleEditor());
    ui::WindowPlacement::store(*this, settings);
    event->accept();
}

void CMainFrame::merge() {
    CKVRoleDoc* document = activeDocument();
    if (!document) {
        return;
    }
    FileChoice choice;
    choice.title = "Merge CSV File";
    // Both spellings: the file systems here tell "*.CSV" from "*.csv".
    choice.filters = {{"CSV Files", {"*.CSV", "*.csv"}}};
    choice.mustExist = true;
    const std::optional<std::string> path = m_context.prompts().chooseOpenFile(choice);
    if (!path) {
        return;
    }
    const std::optional<std::string> bytes = readWholeFile(*path);
    if (!bytes) {
        return;
    }
    const kvrole::LineText text = kvrole::csvText(*bytes);
    if (!text.unfitLines.empty() &&
        !m_context.prompts().question(kvrole::unfitLinesQuestion("the file", text.unfitLines))) {
        return;
    }
    const std::optional<kvrole::CsvMergeResult> merged = document->record(
        QStringLiteral("Merge CSV File"), [&] { return kvrole::CsvMerge(document->role()).mergeText(text.cp1252); });
    if (!merged) {
        return;
    }
    if (merged->modified()) {
        document->setModified();
    }
    document->updateAllViews();
    if (merged->skippedWhenFull > 0) {
        const int skipped = merged->skippedWhenFull;
        m_context.prompts().message("Sorry, " + std::to_string(skipped) +
                                    (skipped == 1 ? " line of the file was" : " lines of the file were") +
                                    " not merged: a role holds at most 1024 competencies "
                                    "and 256 behaviours.");
    }
}

void CMainFrame::send() {
    CKVRoleDoc* document = activeDocument();
    if (!document) {
        return;
    }
    // The composer names the attachment after the file, so the copy carries the document's name.
    QString name = document->title();
    if (!endsWithIgnoringCase(localPath(name), ".kvr")) {
        name += QStringLiteral(".kvr");
    }
    using Result = ui::MailAttachment::Result;
    switch (ui::MailAttachment(m_context.mail(), ui::AfxFolders::forProcess())
                .send(name, RoleFile::encode(document->role()))) {
    case Result::Sent:
    case Result::UserAbort:
        return;
    case Result::MailUnavailable:
        m_context.prompts().message("Unable to load mail system support.");
        return;
    case Result::NotWritten:
        m_context.prompts().message(CKVRoleDoc::kFailedToSave);
        return;
    case Result::ComposeFailed:
        m_context.prompts().message("Send Mail failed to send message.");
        return;
    }
}

void CMainFrame::printTo(QPrinter& printer) {
    CKVRoleDoc* document = activeDocument();
    if (!document) {
        return;
    }
    RolePrinter(document->role(), printer).print(printer);
}

void CMainFrame::print() {
    if (!activeDocument()) {
        return;
    }
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, RolePrinter(activeDocument()->role(), *m_printer).pageCount());
    if (dialog.exec() == QDialog::Accepted) {
        printTo(*m_printer);
    }
}

void CMainFrame::printPreview() {
    if (!activeDocument()) {
        return;
    }
    QPrintPreviewDialog preview(m_printer.get(), this);
    preview.setWindowTitle(tr("Print Preview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) { printTo(*printer); });
    preview.resize(size());
    preview.exec();
}

void CMainFrame::printSetup() {
    QPageSetupDialog dialog(m_printer.get(), this);
    dialog.exec();
}

void CMainFrame::options() {
    OptionsDialog dialog(m_context.confirmDelete(), this);
    if (dialog.exec() == QDialog::Accepted) {
        m_context.setConfirmDelete(dialog.confirmDelete());
    }
}

void CMainFrame::contents() {
    ui::HelpPages(m_context.places(), QStringLiteral("roledoc.htm"))
        .open(m_context.settings(), m_context.prompts(), m_context.documentOpener());
}

void CMainFrame::about() {
    AboutDialog dialog(this);
    dialog.exec();
}

CKVRoleDoc* CMainFrame::openRecentFile(const QString& path) {
    return m_recentMenu->open(path) ? activeDocument() : nullptr;
}

void CMainFrame::addRecentFile(const QString& path) {
    m_recent.add(path);
    m_recentMenu->refresh();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            openDocument(url.toLocalFile());
        }
    }
    event->acceptProposedAction();
}
