#include "kvrole/MainFrame.h"

#include "kvrole/ChildFrame.h"
#include "kvrole/EditorContext.h"
#include "kvrole/KVRoleDoc.h"
#include "kvrole/KVRoleView.h"
#include "kvrole/RoleDialogs.h"
#include "kvrole/RolePrinter.h"
#include "kvrole/WebQuestionnaireDialog.h"
#include "kvrole/core/CsvMerge.h"
#include "model/AtomicFile.h"
#include "model/RoleFile.h"
#include "model/TextRules.h"
#include "ui/AfxFolders.h"
#include "ui/Cp1252Text.h"
#include "ui/HelpPages.h"
#include "ui/Icons.h"
#include "ui/ProgramPlaces.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QStatusBar>
#include <QToolBar>

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

QString recentKey(int index) {
    return QStringLiteral("RecentFile%1").arg(index + 1);
}

} // namespace

CMainFrame::CMainFrame(EditorContext& context)
    : m_context(context), m_mdi(new QMdiArea), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setCentralWidget(m_mdi);
    setWindowIcon(ui::programIcon(ui::Program::RoleEditor));
    setAcceptDrops(true);
    createActions();
    createMenus();
    createToolBar();
    statusBar()->showMessage(tr("Ready"));
    m_context.prompts().setDialogParent(this);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] {
        updateCommands();
        updateTitles();
    });
    updateRecentFiles();
    updateCommands();
    updateTitles();
    resize(900, 640);
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

QAction* CMainFrame::makeAction(Command command, const QString& text, const QString& prompt, const QKeySequence& keys) {
    auto* action = new QAction(text, this);
    // The prompt is the status-bar text, then, after a line break, the tooltip.
    const qsizetype lineBreak = prompt.indexOf('\n');
    action->setStatusTip(prompt.left(lineBreak));
    action->setToolTip(lineBreak >= 0 ? prompt.mid(lineBreak + 1) : prompt);
    if (!keys.isEmpty()) {
        action->setShortcut(keys);
    }
    m_actions.insert(command, action);
    return action;
}

QAction* CMainFrame::action(Command command) const {
    return m_actions.value(command);
}

QMenu* CMainFrame::menu(const QString& title) const {
    for (QAction* entry : menuBar()->actions()) {
        if (entry->menu() && entry->text() == title) {
            return entry->menu();
        }
    }
    return nullptr;
}

void CMainFrame::createActions() {
    using C = Command;
    auto onView = [this](void (CKVRoleView::*command)()) {
        return [this, command] {
            if (CKVRoleView* view = activeView()) {
                (view->*command)();
            }
        };
    };
    auto onDocument = [this](bool (CMainFrame::*command)(CKVRoleDoc&)) {
        return [this, command] {
            if (CKVRoleDoc* document = activeDocument()) {
                (this->*command)(*document);
            }
        };
    };

    connect(makeAction(C::New, tr("&New"), tr("Create a new document\nNew"), QKeySequence::New), &QAction::triggered,
            this, [this] { newDocument(); });
    connect(makeAction(C::Open, tr("&Open..."), tr("Open an existing document\nOpen"), QKeySequence::Open),
            &QAction::triggered, this, &CMainFrame::openFile);
    connect(makeAction(C::Merge, tr("&Merge..."), tr("Merge a CSV file\nMerge")), &QAction::triggered, this,
            &CMainFrame::merge);
    connect(makeAction(C::Close, tr("&Close"), tr("Close the active document\nClose")), &QAction::triggered, this,
            [this] {
                if (CKVRoleDoc* document = activeDocument(); document && canCloseDocument(*document)) {
                    // Asked once for the document; its windows then close without asking again.
                    for (CChildFrame* frame : framesOf(document)) {
                        delete frame;
                    }
                }
            });
    connect(makeAction(C::Save, tr("&Save"), tr("Save the active document\nSave"), QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, onDocument(&CMainFrame::save));
    connect(makeAction(C::SaveAs, tr("Save &As..."), tr("Save the active document with a new name\nSave As")),
            &QAction::triggered, this, onDocument(&CMainFrame::saveAs));
    connect(makeAction(C::Print, tr("&Print..."), tr("Print the active document\nPrint"),
                       QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &CMainFrame::print);
    connect(makeAction(C::PrintPreview, tr("Print Pre&view"), tr("Display full pages\nPrint Preview")),
            &QAction::triggered, this, &CMainFrame::printPreview);
    connect(
        makeAction(C::PrintSetup, tr("P&rint Setup..."), tr("Change the printer and printing options\nPrint Setup")),
        &QAction::triggered, this, &CMainFrame::printSetup);
    connect(makeAction(C::Send, tr("Sen&d..."), tr("Send the active document through electronic mail\nSend Mail")),
            &QAction::triggered, this, &CMainFrame::send);
    connect(makeAction(C::Exit, tr("E&xit"), tr("Quit the application; prompts to save documents\nExit")),
            &QAction::triggered, this, &QWidget::close);

    makeAction(C::Undo, tr("&Undo"), tr("Undo the last action\nUndo"));
    action(C::Undo)->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    makeAction(C::Cut, tr("Cu&t"), tr("Cut the selection and put it on the Clipboard\nCut"));
    action(C::Cut)->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    makeAction(C::Copy, tr("&Copy"), tr("Copy the selection and put it on the Clipboard\nCopy"));
    action(C::Copy)->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    makeAction(C::Paste, tr("&Paste"), tr("Insert Clipboard contents\nPaste"));
    action(C::Paste)->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    action(C::Cut)->setIcon(ui::icon(ui::Icon::EditCut));
    action(C::Copy)->setIcon(ui::icon(ui::Icon::EditCopy));
    action(C::Paste)->setIcon(ui::icon(ui::Icon::EditPaste));

    QAction* toolbarSwitch =
        makeAction(C::ToggleToolbar, tr("&Toolbar"), tr("Show or hide the toolbar\nToggle ToolBar"));
    toolbarSwitch->setCheckable(true);
    toolbarSwitch->setChecked(true);
    connect(toolbarSwitch, &QAction::toggled, this, [this](bool on) { m_toolBar->setVisible(on); });
    QAction* statusSwitch =
        makeAction(C::ToggleStatusBar, tr("&Status Bar"), tr("Show or hide the status bar\nToggle StatusBar"));
    statusSwitch->setCheckable(true);
    statusSwitch->setChecked(true);
    connect(statusSwitch, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });

    connect(makeAction(C::RoleDetails, tr("Role Details"), tr("Edit the role name and description\nRole Details")),
            &QAction::triggered, this, onView(&CKVRoleView::roleDetails));
    connect(
        makeAction(C::NewCompetency, tr("New &Competency..."), tr("Add a new competency to the role\nNew competency")),
        &QAction::triggered, this, onView(&CKVRoleView::newCompetency));
    connect(makeAction(C::NewBehaviour, tr("New &Behaviour..."),
                       tr("Add a new behaviour to the selected competency\nNew behaviour")),
            &QAction::triggered, this, onView(&CKVRoleView::newBehaviour));
    connect(makeAction(C::EditResponses, tr("Edit Responses"),
                       tr("Edit the responses to questions to rate each behaviour in this role\nEdit Responses")),
            &QAction::triggered, this, onView(&CKVRoleView::editResponses));
    connect(makeAction(C::Edit, tr("&Edit..."), tr("Edit the currently selected item\nEdit current item")),
            &QAction::triggered, this, onView(&CKVRoleView::editSelected));
    connect(makeAction(C::Delete, tr("&Delete"), tr("Delete the currently selected item\nDelete current item")),
            &QAction::triggered, this, onView(&CKVRoleView::deleteSelected));
    connect(makeAction(C::Options, tr("&Options..."), tr("Set Kitsmith options\nSet Options")), &QAction::triggered,
            this, &CMainFrame::options);
    connect(makeAction(C::WebQuestionnaire, tr("Create Web Questionnaire"),
                       tr("Generate an HTML file for the Internet for gathering feedback\nCreate Web Questionnaire")),
            &QAction::triggered, this, [this] {
                if (CKVRoleDoc* document = activeDocument()) {
                    createWebQuestionnaire(*document, m_context, this);
                }
            });

    connect(makeAction(C::NewWindow, tr("&New Window"), tr("Open another window for the active document\nNew Window")),
            &QAction::triggered, this, [this] {
                if (CKVRoleDoc* document = activeDocument()) {
                    addFrame(*document);
                }
            });
    connect(makeAction(C::Cascade, tr("&Cascade"), tr("Arrange windows so they overlap\nCascade Windows")),
            &QAction::triggered, m_mdi, &QMdiArea::cascadeSubWindows);
    connect(makeAction(C::Tile, tr("&Tile"), tr("Arrange windows as non-overlapping tiles\nTile Windows")),
            &QAction::triggered, m_mdi, &QMdiArea::tileSubWindows);
    makeAction(C::ArrangeIcons, tr("&Arrange Icons"), tr("Arrange icons at the bottom of the window\nArrange Icons"));
    connect(action(C::ArrangeIcons), &QAction::triggered, m_mdi, [this] {
        // Minimised windows line up along the bottom; the others stay where they are.
        int left = 0;
        for (QMdiSubWindow* frame : m_mdi->subWindowList()) {
            if (frame->isMinimized()) {
                frame->move(left, m_mdi->viewport()->height() - frame->height());
                left += frame->width();
            }
        }
    });
    connect(makeAction(C::Contents, tr("&Contents..."), tr("List Help topics\nHelp Topics")), &QAction::triggered, this,
            &CMainFrame::contents);
    connect(makeAction(C::About, tr("&About KVRole..."),
                       tr("Display program information, version number and copyright\nAbout")),
            &QAction::triggered, this, &CMainFrame::about);

    action(C::New)->setIcon(ui::icon(ui::Icon::FileNew));
    action(C::Open)->setIcon(ui::icon(ui::Icon::FileOpen));
    action(C::Save)->setIcon(ui::icon(ui::Icon::FileSave));
    action(C::Print)->setIcon(ui::icon(ui::Icon::FilePrint));
    action(C::About)->setIcon(ui::icon(ui::Icon::About));
    action(C::RoleDetails)->setIcon(ui::icon(ui::Icon::RoleDetails));
    action(C::NewCompetency)->setIcon(ui::icon(ui::Icon::NewCompetency));
    action(C::NewBehaviour)->setIcon(ui::icon(ui::Icon::NewBehaviour));
    action(C::EditResponses)->setIcon(ui::icon(ui::Icon::EditResponses));
    action(C::WebQuestionnaire)->setIcon(ui::icon(ui::Icon::WebQuestionnaire));

    for (int index = 0; index < kRecentFiles; ++index) {
        auto* recent = new QAction(this);
        recent->setStatusTip(tr("Open this document"));
        connect(recent, &QAction::triggered, this, [this, recent] { openRecentFile(recent->data().toString()); });
        m_recentActions << recent;
    }
}

void CMainFrame::createMenus() {
    using C = Command;
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(action(C::New));
    file->addAction(action(C::Open));
    file->addAction(action(C::Merge));
    file->addAction(action(C::Close));
    file->addAction(action(C::Save));
    file->addAction(action(C::SaveAs));
    file->addSeparator();
    file->addAction(action(C::Print));
    file->addAction(action(C::PrintPreview));
    file->addAction(action(C::PrintSetup));
    file->addSeparator();
    file->addAction(action(C::Send));
    m_recentSeparator = file->addSeparator();
    file->addActions(m_recentActions);
    file->addSeparator();
    file->addAction(action(C::Exit));

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(action(C::Undo));
    edit->addSeparator();
    edit->addAction(action(C::Cut));
    edit->addAction(action(C::Copy));
    edit->addAction(action(C::Paste));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(action(C::ToggleToolbar));
    view->addAction(action(C::ToggleStatusBar));

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    tools->addAction(action(C::NewCompetency));
    tools->addAction(action(C::NewBehaviour));
    tools->addAction(action(C::Edit));
    tools->addAction(action(C::Delete));
    tools->addSeparator();
    tools->addAction(action(C::Options));

    QMenu* window = menuBar()->addMenu(tr("&Window"));
    window->addAction(action(C::NewWindow));
    window->addAction(action(C::Cascade));
    window->addAction(action(C::Tile));
    window->addAction(action(C::ArrangeIcons));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(action(C::Contents));
    help->addSeparator();
    help->addAction(action(C::About));
    m_documentMenus = {edit, window};
}

void CMainFrame::createToolBar() {
    using C = Command;
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("Toolbar"));
    m_toolBar->setIconSize(QSize(16, 16));
    for (Command command : {C::New, C::Open, C::Save}) {
        m_toolBar->addAction(action(command));
    }
    m_toolBar->addSeparator();
    for (Command command : {C::Cut, C::Copy, C::Paste}) {
        m_toolBar->addAction(action(command));
    }
    m_toolBar->addSeparator();
    m_toolBar->addAction(action(C::Print));
    m_toolBar->addAction(action(C::About));
    m_toolBar->addSeparator();
    for (Command command : {C::RoleDetails, C::NewCompetency, C::NewBehaviour, C::EditResponses}) {
        m_toolBar->addAction(action(command));
    }
    m_toolBar->addSeparator();
    m_toolBar->addAction(action(C::WebQuestionnaire));
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
    // Undo has no handler; the clipboard comes later.
    for (Command command : {C::Undo, C::Cut, C::Copy, C::Paste}) {
        action(command)->setEnabled(false);
    }
}

void CMainFrame::updateTitles() {
    const QString program = QString::fromLatin1(EditorContext::kProgramTitle);
    const CKVRoleDoc* document = activeDocument();
    setWindowTitle(document ? program + QStringLiteral(" - ") + document->title() : program);
    for (CKVRoleDoc* each : m_documents) {
        const QList<CChildFrame*> frames = framesOf(each);
        for (int index = 0; index < frames.size(); ++index) {
            frames[index]->setWindowTitle(frames.size() > 1 ? each->title() + QStringLiteral(":%1").arg(index + 1)
                                                            : each->title());
        }
    }
}

CChildFrame* CMainFrame::addFrame(CKVRoleDoc& document) {
    auto* view = new CKVRoleView(document, m_context);
    auto* frame = new CChildFrame(view, [this](CChildFrame* closing) { return canClose(closing); });
    frame->setWindowIcon(ui::icon(ui::Icon::Role));
    m_mdi->addSubWindow(frame);
    connect(frame, &QObject::destroyed, this, [this] { frameClosed(nullptr); });
    // The area may not be laid out yet when the first window opens; size by the main window.
    frame->resize(width() * 3 / 4, height() * 2 / 3);
    frame->show();
    m_mdi->setActiveSubWindow(frame);
    view->setFocus();
    updateTitles();
    updateCommands();
    return frame;
}

CKVRoleDoc* CMainFrame::newDocument() {
    auto* document = new CKVRoleDoc(++m_untitledCount, this);
    connect(document, &CKVRoleDoc::titleChanged, this, &CMainFrame::updateTitles);
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
    m_documents << document;
    addFrame(*document);
    addRecentFile(absolute);
    return document;
}

void CMainFrame::openFile() {
    FileChoice choice = roleFileChoice("Open Role");
    choice.mustExist = true;
    if (const std::optional<std::string> path = m_context.prompts().chooseOpenFile(choice)) {
        openDocument(fromLocalPath(*path));
    }
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
    return document.saveAs(document.path(), m_context.prompts());
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
    return true;
}

bool CMainFrame::canCloseDocument(CKVRoleDoc& document) {
    if (!document.isModified()) {
        return true;
    }
    switch (m_context.askSaveChanges(document.title())) {
    case EditorContext::SaveAnswer::Save:
        return save(document);
    case EditorContext::SaveAnswer::Discard:
        return true;
    case EditorContext::SaveAnswer::Cancel:
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
    const std::optional<kvrole::CsvMergeResult> merged = kvrole::CsvMerge(document->role()).mergeFile(*path);
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
    if (!m_context.mail().available()) {
        m_context.prompts().message("Unable to load mail system support.");
        return;
    }
    // The composer names the attachment after the file, so the copy carries the document's name.
    QString name = document->title();
    if (!endsWithIgnoringCase(localPath(name), ".kvr")) {
        name += QStringLiteral(".kvr");
    }
    const std::optional<QString> path = ui::AfxFolders::forProcess().pathFor(name);
    if (!path || !AtomicFile::write(localPath(*path), RoleFile::encode(document->role()))) {
        m_context.prompts().message(CKVRoleDoc::kFailedToSave);
        return;
    }
    if (m_context.mail().composeWithAttachment(*path) == ui::MailResult::Failure) {
        m_context.prompts().message("Send Mail failed to send message.");
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

QStringList CMainFrame::recentFiles() const {
    QStringList files;
    for (int index = 0; index < kRecentFiles; ++index) {
        const QString file = m_context.settings().text(recentKey(index));
        if (!file.isEmpty()) {
            files << file;
        }
    }
    return files;
}

CKVRoleDoc* CMainFrame::openRecentFile(const QString& path) {
    CKVRoleDoc* document = openDocument(path);
    // A role file that is gone or cannot be read would fail the same way next time.
    if (!document) {
        QStringList files = recentFiles();
        files.removeAll(path);
        storeRecentFiles(files);
    }
    return document;
}

void CMainFrame::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    storeRecentFiles(files);
}

void CMainFrame::storeRecentFiles(const QStringList& files) {
    for (int index = 0; index < kRecentFiles; ++index) {
        m_context.settings().setText(recentKey(index), index < files.size() ? files[index] : QString());
    }
    m_context.settings().sync();
    updateRecentFiles();
}

void CMainFrame::updateRecentFiles() {
    const QStringList files = recentFiles();
    for (int index = 0; index < kRecentFiles; ++index) {
        QAction* recent = m_recentActions[index];
        recent->setVisible(index < files.size());
        if (index < files.size()) {
            recent->setText(QStringLiteral("&%1 %2").arg(index + 1).arg(QFileInfo(files[index]).fileName()));
            recent->setData(files[index]);
        }
    }
    m_recentSeparator->setVisible(!files.isEmpty());
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
