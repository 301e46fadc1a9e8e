// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/MainFrame.h"

#include "kvrole/core/WebQuestionnaire.h"
#include "mailreader/MailMerge.h"
#include "model/JournalFile.h"
#include "model/JournalSnapshot.h"
#include "model/Requests.h"
#include "model/RoleLibrary.h"
#include "model/SealedJournal.h"
#include "model/SuiteFile.h"
#include "model/UserPrompts.h"
#include "pavex/AutopilotController.h"
#include "pavex/DroppedFile.h"
#include "pavex/EarlierJournal.h"
#include "pavex/JournalReport.h"
#include "pavex/MailDelivery.h"
#include "pavex/PavexTreeView.h"
#include "pavex/PavexView.h"
#include "pavex/ResultsExport.h"
#include "pavex/TreeCommands.h"
#include "pavex/WebPageDialog.h"
#include "pavex/editors/ActionEditing.h"
#include "pavex/editors/LocaleDates.h"
#include "pavex/options/OptionSheet.h"
#include "pavex/rolechoice/RoleChoiceDialog.h"
#include "questionnaire/PreliminariesDialog.h"
#include "questionnaire/QuestionnaireDialog.h"
#include "ui/AfxFolders.h"
#include "ui/CommandTable.h"
#include "ui/Cp1252Text.h"
#include "ui/HelpPages.h"
#include "ui/Icons.h"
#include "ui/KeyboardMenu.h"
#include "ui/MailAttachment.h"
#include "ui/MailHandoff.h"
#include "ui/ProgramPlaces.h"
#include "ui/Settings.h"
#include "ui/SnapshotHistory.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QProgressDialog>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <cstdlib>

namespace {

// Wide enough for the progress window's title to show whole.
constexpr int kProgressDialogWidth = 360;

const char* const kFilterLabel = "Reflectorys (*.kva)";

FileChoice journalChoice(const char* title, const std::string& proposedName = {}) {
    FileChoice choice;
    choice.title = title;
    choice.filters = {{kFilterLabel, {"*.kva"}}};
    choice.proposedName = proposedName;
    choice.defaultExtension = "kva";
    return choice;
}

// Every save dialog asks before it replaces a file: the first Save of a new journal as much as
// Save As, or the user's other journal is gone.
FileChoice journalSaveChoice(const char* title, const std::string& proposedName) {
    FileChoice choice = journalChoice(title, proposedName);
    choice.confirmOverwrite = true;
    return choice;
}

// A failure of the file itself, as opposed to the user declining (password, request refused).
bool fileItselfFailed(const ReadOutcome& outcome) {
    switch (outcome.status) {
    case ReadStatus::Truncated:
    case ReadStatus::Corrupt:
    case ReadStatus::Unsupported:
    case ReadStatus::Unreadable:
        return true;
    case ReadStatus::Ok:
    case ReadStatus::Cancelled:
    case ReadStatus::WrongPassword:
        break;
    }
    return false;
}

DialogDecoration journalDecoration() {
    DialogDecoration decoration;
    decoration.cornerPicture = ui::dialogPicture().pixmap(ui::dialogPictureSize());
    decoration.windowIcon = ui::programIcon(ui::Program::Journal);
    return decoration;
}

// The step a merge makes: "Merge Feedback from " and whom the merged questionnaires are by.
QString mergeStepName(const CPavexDoc& journal, const requests::Merged& merged) {
    std::string names;
    for (std::size_t index = merged.first; index < merged.first + merged.count && index < journal.questionnaires.size();
         ++index) {
        names += (names.empty() ? "" : ", ") + journal.questionnaires[index].assessor;
    }
    return QStringLiteral("Merge Feedback from ") + ui::fromCp1252(names);
}

} // namespace

template <typename Change> auto CMainFrame::record(const QString& what, Change&& change) {
    return m_history->record(what, std::forward<Change>(change));
}

CMainFrame::CMainFrame(UserPrompts& prompts, ui::MailHandoff& mailHandoff, QWidget* parent)
    : QMainWindow(parent), m_prompts(prompts), m_mailHandoff(mailHandoff), m_doc(std::make_unique<CPavexDoc>()),
      m_contents(std::make_unique<ContentTree>(*m_doc, formatDateInUserLocale)),
      m_earlier(std::make_unique<EarlierJournal>(m_prompts)),
      m_actionEditing(std::make_unique<ActionEditing>(*m_doc, *m_contents, m_prompts, this)),
      m_treeCommands(std::make_unique<TreeCommands>(*m_doc, *m_contents, m_prompts, *m_actionEditing, this)),
      m_printer(QPrinter::HighResolution) {
    setWindowIcon(ui::programIcon(ui::Program::Journal));

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_tree = new CPavexTreeView(m_splitter);
    m_view = new CPavexView(m_splitter);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_view);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->installEventFilter(this);
    setCentralWidget(m_splitter);

    m_statusTitle = new QLabel(this);
    statusBar()->addWidget(m_statusTitle, 1);

    connect(m_tree, &CPavexTreeView::pageSelected, this, &CMainFrame::showPage);
    connect(m_tree, &CPavexTreeView::newQuestionnaireRequested, this, &CMainFrame::newFeedbackQuestionnaire);
    connect(m_tree, &CPavexTreeView::newActionRequested, this, &CMainFrame::newAction);
    connect(m_tree, &CPavexTreeView::editRequested, this, &CMainFrame::editSelectedNode);
    connect(m_tree, &CPavexTreeView::deleteRequested, this, &CMainFrame::deleteSelectedNode);
    connect(m_tree, &CPavexTreeView::toggleRequested, this, &CMainFrame::toggleSelectedNode);
    connect(m_view, &CPavexView::behaviourJournalRequested, this, &CMainFrame::editBehaviourJournal);
    connect(m_view, &CPavexView::markToggleRequested, this, &CMainFrame::toggleBehaviourMark);
    connect(m_view, &CPavexView::behaviourMenuRequested, this, &CMainFrame::showBehaviourMenu);

    // The pane last given the keyboard is the active one, whatever a menu does to the focus meanwhile.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == m_tree || now == m_view || now == m_view->viewport()) {
            m_activePane = now == m_tree ? static_cast<QWidget*>(m_tree) : m_view;
            updateDeleteCommand();
        }
    });
    m_history = new ui::SnapshotHistory([this] { return JournalSnapshot::take(*m_doc); },
                                        [this](const std::string& snapshot) { restoreJournal(snapshot); }, this);
    // Undoing back to the journal as last saved leaves nothing to save.
    connect(&m_history->stack(), &QUndoStack::cleanChanged, this, [this](bool clean) {
        m_doc->modified = !clean;
        updateTitle();
    });
    m_autopilot = std::make_unique<AutopilotController>(*this);
    connect(this, &CMainFrame::autopilotRequested, m_autopilot.get(), &AutopilotController::show);
    createMenus();
    addPaneKeys();
    setAcceptDrops(true);
    placeWindow();
    rebuildContents();
}

int CMainFrame::firstTreeWidth(int windowWidth) {
    return std::max(kTreeWidth, windowWidth * kTreePercent / 100);
}

int CMainFrame::widestTreeWithin(int splitterWidth) {
    return std::max(kTreeWidth, splitterWidth / 2);
}

// A splitter gives all of a narrowing to the stretching pane, so the page would shrink while the tree
// kept its width; past its share of the window the tree gives up its part of the narrowing too.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_splitter && event->type() == QEvent::Resize) {
        const QList<int> sizes = m_splitter->sizes();
        const int total = m_splitter->width() - m_splitter->handleWidth();
        const int widest = widestTreeWithin(m_splitter->width());
        if (sizes.size() == 2 && sizes.front() > widest && total > widest) {
            m_splitter->setSizes({widest, total - widest});
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::placeWindow() {
    const ui::Settings settings(ui::SettingsScope::journalProgram());
    ui::WindowPlacement::restore(*this, settings);
    const int tree = firstTreeWidth(width());
    m_splitter->setSizes({tree, std::max(1, width() - tree)});
    ui::WindowPlacement::restoreSplitter(*m_splitter, settings, width());
}

CMainFrame::~CMainFrame() {
    // Focus moves while the widgets go; the commands it updates are gone by then.
    disconnect(qApp, nullptr, this, nullptr);
    // The view and the tree hold pages of the contents, which go before the journal.
    m_tree->disconnect(this);
    m_view->disconnect(this);
    m_view->setPage(nullptr);
    m_tree->detach();
}

// F6 and Shift+F6 move the keyboard round the tree, the page and the Autopilot while it is up.
void CMainFrame::addPaneKeys() {
    const auto addKey = [this](const QKeySequence& keys, int step) {
        auto* key = new QAction(this);
        key->setShortcut(keys);
        key->setShortcutContext(Qt::ApplicationShortcut);
        addAction(key);
        connect(key, &QAction::triggered, this, [this, step] { movePaneFocus(step); });
    };
    addKey(QKeySequence(Qt::Key_F6), 1);
    addKey(QKeySequence(Qt::SHIFT | Qt::Key_F6), -1);
}

void CMainFrame::movePaneFocus(int step) {
    AutopilotWindow* guide = m_autopilot->window();
    const bool guideUp = guide != nullptr && guide->isVisible();
    QWidget* active = QApplication::activeWindow();
    if (active != this && !(guideUp && active == guide)) {
        return;
    }
    std::vector<QWidget*> panes{m_tree, m_view};
    if (guideUp) {
        panes.push_back(guide);
    }
    const int count = static_cast<int>(panes.size());
    QWidget* focus = QApplication::focusWidget();
    int at = 0;
    for (int i = 0; i < count; ++i) {
        if (focus != nullptr &&
            (panes[static_cast<std::size_t>(i)] == focus || panes[static_cast<std::size_t>(i)]->isAncestorOf(focus))) {
            at = i;
        }
    }
    QWidget* next = panes[static_cast<std::size_t>((at + step + count) % count)];
    next->window()->activateWindow();
    next->window()->raise();
    if (next != guide) {
        next->setFocus(Qt::OtherFocusReason);
    }
}

void CMainFrame::createMenus() {
    using C = Command;
    using ui::Slot;
    QToolBar* toolbar = addToolBar(tr("Toolbar"));
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setIconSize(QSize(16, 16));
    // One row per command: {id, menu text, status-bar prompt, tooltip (the text when empty), keys, icon}.
    const std::vector<ui::CommandRow<C>> rows = {
        {C::New, "&New", "", "", {QKeySequence(tr("Ctrl+N"))}, ui::Icon::FileNew},
        {C::Open, "&Open...", "", "", {QKeySequence(tr("Ctrl+O"))}, ui::Icon::FileOpen},
        {C::Save, "&Save", "", "", {QKeySequence(tr("Ctrl+S"))}, ui::Icon::FileSave},
        {C::SaveAs, "Save &As..."},
        {C::ExportReport, "Export Report..."},
        {C::ExportResults, "Export Results..."},
        {C::Print, "&Print...", "", "", {QKeySequence(tr("Ctrl+P"))}, ui::Icon::FilePrint},
        {C::PrintPreview, "Print Pre&view"},
        {C::PrintSetup, "P&rint Setup..."},
        {C::Send, "Sen&d..."},
        {C::Exit, "E&xit"},
        {C::Undo, "&Undo", "", "", {QKeySequence(Qt::CTRL | Qt::Key_Z)}, ui::Icon::EditUndo},
        {C::Redo,
         "&Redo",
         "",
         "",
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
         ui::Icon::EditRedo},
        {C::Cut, "Cu&t", "", "", QKeySequence::keyBindings(QKeySequence::Cut), ui::Icon::EditCut},
        {C::Copy, "&Copy", "", "", QKeySequence::keyBindings(QKeySequence::Copy), ui::Icon::EditCopy},
        {C::Paste, "&Paste", "", "", QKeySequence::keyBindings(QKeySequence::Paste), ui::Icon::EditPaste},
        {C::Delete, "&Delete"},
        {C::Autopilot, "&Autopilot", "", "", {}, ui::Icon::Autopilot, true},
        {C::Toolbar, "&Toolbar", "", "", {}, std::nullopt, true},
        {C::StatusBar, "&Status Bar", "", "", {}, std::nullopt, true},
        {C::ChooseRole, "Choose Your &Role...", "", "", {}, ui::Icon::ChooseRole},
        {C::NewQuestionnaire,
         "&New Feedback Questionnaire...",
         "",
         "",
         {QKeySequence(tr("Ctrl+Q"))},
         ui::Icon::NewQuestionnaire},
        {C::SendRequest, "&Send Feedback Request...", "", "", {}, ui::Icon::SendRequest},
        {C::CreateRequest, "&Create Feedback Request...", "", "", {}, ui::Icon::CreateRequest},
        {C::CreateWebPage, "Create &Web Questionnaire..."},
        {C::MergeRequest, "&Merge Completed Feedback Request...", "", "", {}, ui::Icon::MergeRequest},
        {C::MergeFromMail, "Merge &Feedback From Mail...", "", "", {}, ui::Icon::MergeRequest},
        {C::NewAction, "New &Action...", "", "", {}, ui::Icon::NewAction},
        {C::CompareEarlier, "Compare With &Earlier Journal..."},
        {C::StopComparing, "Stop Co&mparing"},
        {C::Options, "&Options..."},
        {C::HelpContents, "&Help Contents", "", "", {QKeySequence(Qt::Key_F1)}},
        {C::About, "&About pavex...", "", "", {}, ui::Icon::About},
    };
    const std::vector<ui::MenuRow<C>> menus = {
        {"&File",
         {C::New, C::Open, C::Save, C::SaveAs, C::ExportReport, C::ExportResults, Slot::Separator, C::Print,
          C::PrintPreview, C::PrintSetup, Slot::Separator, C::Send, Slot::RecentFiles, Slot::Separator, C::Exit}},
        {"&Edit", {C::Undo, C::Redo, Slot::Separator, C::Cut, C::Copy, C::Paste, C::Delete}},
        {"&View", {C::Autopilot, C::Toolbar, C::StatusBar}},
        {"&Tools",
         {C::ChooseRole, C::NewQuestionnaire, C::SendRequest, C::CreateRequest, C::CreateWebPage, C::MergeRequest,
          C::MergeFromMail, C::NewAction, Slot::Separator, C::CompareEarlier, C::StopComparing, Slot::Separator,
          C::Options}},
        {"&Help", {C::HelpContents, Slot::Separator, C::About}},
    };
    const std::vector<ui::Entry<C>> buttons = {
        C::New,          C::Open,         C::Save,         Slot::Separator,     C::Print,       C::About,
        Slot::Separator, C::ChooseRole,   Slot::Separator, C::NewQuestionnaire, C::SendRequest, C::CreateRequest,
        C::MergeRequest, Slot::Separator, C::NewAction,    Slot::Separator,     C::Autopilot};
    m_commands = ui::buildCommands(*this, rows, menus, toolbar, buttons);

    m_commands.onTriggered(C::New, this, &CMainFrame::newJournal);
    m_commands.onTriggered(C::Open, this, &CMainFrame::openJournal);
    m_commands.onTriggered(C::Save, this, &CMainFrame::save);
    m_commands.onTriggered(C::SaveAs, this, &CMainFrame::saveAs);
    m_commands.onTriggered(C::ExportReport, this, &CMainFrame::exportReport);
    m_commands.onTriggered(C::ExportResults, this, &CMainFrame::exportResults);
    m_commands.onTriggered(C::Print, this, &CMainFrame::printWithDialog);
    m_commands.onTriggered(C::PrintPreview, this, &CMainFrame::printPreview);
    m_commands.onTriggered(C::PrintSetup, this, &CMainFrame::pageSetup);
    m_commands.onTriggered(C::Send, this, &CMainFrame::sendJournal);
    m_commands.onTriggered(C::Exit, this, &QWidget::close);
    m_commands.onTriggered(C::Delete, this, &CMainFrame::deleteFromEditMenu);
    m_commands.onTriggered(C::Toolbar, toolbar, &QWidget::setVisible);
    m_commands.onTriggered(C::StatusBar, statusBar(), &QWidget::setVisible);
    m_commands.onTriggered(C::ChooseRole, this, &CMainFrame::chooseRole);
    m_commands.onTriggered(C::NewQuestionnaire, this, &CMainFrame::newFeedbackQuestionnaire);
    m_commands.onTriggered(C::SendRequest, this, &CMainFrame::sendFeedbackRequest);
    m_commands.onTriggered(C::CreateRequest, this, &CMainFrame::createFeedbackRequest);
    m_commands.onTriggered(C::MergeRequest, this, &CMainFrame::mergeCompletedFeedback);
    m_commands.onTriggered(C::MergeFromMail, this, &CMainFrame::mergeFeedbackFromMail);
    m_commands.onTriggered(C::CreateWebPage, this, &CMainFrame::createWebQuestionnaire);
    m_commands.onTriggered(C::NewAction, this, &CMainFrame::newAction);
    m_commands.onTriggered(C::CompareEarlier, this, &CMainFrame::compareWithEarlierJournal);
    m_commands.onTriggered(C::StopComparing, this, &CMainFrame::stopComparing);
    m_commands.onTriggered(C::Options, this, &CMainFrame::showOptions);
    m_commands.onTriggered(C::Autopilot, m_autopilot.get(), &AutopilotController::setShown);
    // Checked exactly while the guide is up, however it came or went.
    connect(m_autopilot.get(), &AutopilotController::shownChanged, action(C::Autopilot), &QAction::setChecked);
    m_commands.onTriggered(C::HelpContents, this, &CMainFrame::showHelp);
    m_commands.onTriggered(C::About, this, &CMainFrame::showAbout);

    // Shown as the user left them; a hidden toolbar is put back from the menu.
    action(C::Toolbar)->setChecked(true);
    connect(toolbar, &QToolBar::visibilityChanged, action(C::Toolbar), &QAction::setChecked);
    action(C::StatusBar)->setChecked(true);
    ui::followHistory(&m_history->stack(), action(C::Undo), action(C::Redo));
    // These arrive with a later release.
    for (const C pending : {C::Cut, C::Copy, C::Paste}) {
        action(pending)->setEnabled(false);
    }
    m_recentMenu = new ui::RecentFileMenu(
        m_recent, m_commands.recentFilesSlot(),
        [this](const QString& path) {
            ReadOutcome outcome;
            if (openJournalFile(path, &outcome)) {
                return ui::RecentFileMenu::Outcome::Opened;
            }
            // A declined password or a request file is no reason to forget the file.
            return fileItselfFailed(outcome) ? ui::RecentFileMenu::Outcome::Unopenable
                                             : ui::RecentFileMenu::Outcome::Declined;
        },
        this);
}

QString CMainFrame::statusTitle() const {
    return m_statusTitle->text();
}

void CMainFrame::rebuildContents() {
    m_tree->rebuild(*m_contents);
    journalChanged();
}

void CMainFrame::showPage(CResultPage* page) {
    m_view->setPage(page);
    m_statusTitle->setText(page != nullptr ? page->statusTitle() : QString());
    updateDeleteCommand();
}

void CMainFrame::journalChanged() {
    updateCommands();
    updateDeleteCommand();
    updateTitle();
}

void CMainFrame::updateDeleteCommand() {
    // Delete belongs to the tree: it is offered while the tree is the pane in use and its
    // selected node is one that can go.
    const ContentNode* node = m_tree->selectedNode();
    action(Command::Delete)->setEnabled(m_activePane == m_tree && node != nullptr && TreeCommands::canRemove(*node));
}

void CMainFrame::updateCommands() {
    const bool hasRole = m_doc->hasRole();
    for (const Command command :
         {Command::NewQuestionnaire, Command::SendRequest, Command::CreateRequest, Command::CreateWebPage,
          Command::MergeRequest, Command::MergeFromMail, Command::NewAction, Command::ExportResults}) {
        action(command)->setEnabled(hasRole);
    }
    // Every stored answer refers to a behaviour by its index, so the role is fixed by the first one.
    action(Command::ChooseRole)->setEnabled(m_doc->canChooseRole());
    action(Command::CompareEarlier)->setEnabled(hasRole);
    action(Command::StopComparing)->setEnabled(m_earlier->record() != nullptr);
}

QString CMainFrame::displayTitle() const {
    // The title is the file's name, which is the platform's, not the journal's 8-bit text.
    return QFile::decodeName(QByteArray::fromStdString(m_doc->title()));
}

void CMainFrame::updateTitle() {
    // The platform shows "[*]" as its mark of a modified document, and nothing otherwise.
    setWindowTitle(displayTitle() + QStringLiteral("[*] - ") + QString::fromLatin1(kProgramTitle));
    setWindowModified(m_doc->modified);
}

bool CMainFrame::saveModifiedIfWanted() {
    if (!m_doc->modified) {
        return true;
    }
    switch (m_prompts.askSaveChanges(m_doc->title())) {
    case SaveAnswer::Yes:
        return save();
    case SaveAnswer::No:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool CMainFrame::newJournal() {
    if (!saveModifiedIfWanted()) {
        return false;
    }
    m_view->setPage(nullptr);
    m_tree->detach();
    m_doc->newJournal();
    m_history->forget();
    m_earlier->clear();
    m_contents->setEarlierJournal(nullptr);
    rebuildContents();
    journalReplaced();
    return true;
}

bool CMainFrame::openJournal() {
    FileChoice choice = journalChoice("Open Reflectory");
    choice.mustExist = true;
    const auto path = m_prompts.chooseOpenFile(choice);
    if (!path || !openJournalFile(QString::fromStdString(*path))) {
        return false;
    }
    offerAutopilot();
    return true;
}

bool CMainFrame::openJournalFile(const QString& path) {
    ReadOutcome outcome;
    return openJournalFile(path, &outcome);
}

bool CMainFrame::openRecentFile(const QString& path) {
    return m_recentMenu->open(path);
}

bool CMainFrame::openJournalFile(const QString& path, ReadOutcome* outcome) {
    if (!saveModifiedIfWanted()) {
        return false;
    }
    CPavexDoc opened;
    if (!JournalFile::open(QFile::encodeName(path).toStdString(), opened, m_prompts, outcome,
                           JournalFile::kDesktopPasswordTries)) {
        return false;
    }
    // The pages refer to the journal being replaced, so they go before it changes.
    m_view->setPage(nullptr);
    m_tree->detach();
    *m_doc = std::move(opened);
    m_history->forget();
    m_contents->setEarlierJournal(nullptr);
    const std::optional<std::string> comparisonNews = m_earlier->restoreFor(m_doc->path);
    m_contents->setEarlierJournal(m_earlier->record());
    rebuildContents();
    if (comparisonNews) {
        tellDone(*comparisonNews);
    }
    journalReplaced();
    m_recent.add(path);
    m_recentMenu->refresh();
    return true;
}

bool CMainFrame::saveTo(const std::string& path) {
    // The guide is saved where the user has moved it, though it is still up.
    m_autopilot->recordPlace();
    if (!JournalFile::save(path, *m_doc, m_prompts)) {
        return false;
    }
    m_history->markSaved();
    m_recent.add(QString::fromStdString(path));
    m_recentMenu->refresh();
    updateTitle();
    tellDone("Saved " + SuiteFile::displayName(path));
    return true;
}

bool CMainFrame::save() {
    if (m_doc->path.empty()) {
        const auto path = m_prompts.chooseSaveFile(journalSaveChoice("Save Reflectory", m_doc->title()));
        return path && saveTo(*path);
    }
    return saveTo(m_doc->path);
}

bool CMainFrame::saveAs() {
    const auto path = m_prompts.chooseSaveFile(journalSaveChoice("Save Reflectory As", m_doc->title()));
    return path && saveTo(*path);
}

bool CMainFrame::exportResults() {
    return ::exportResults(*m_doc, m_prompts, m_earlier->record());
}

bool CMainFrame::compareWithEarlierJournal() {
    FileChoice choice = journalChoice(comparetext::kChooseTitle);
    choice.mustExist = true;
    const auto path = m_prompts.chooseOpenFile(choice);
    return path && compareWithEarlierJournalFile(*path);
}

bool CMainFrame::compareWithEarlierJournalFile(const std::string& earlierPath) {
    switch (m_earlier->choose(earlierPath, *m_doc)) {
    case EarlierJournal::Choice::Compared:
        break;
    case EarlierJournal::Choice::Cancelled:
    case EarlierJournal::Choice::Refused:
        return false;
    case EarlierJournal::Choice::OpenInstead: {
        // The journal open now becomes the earlier one of the journal chosen.
        JournalRecord thisJournal = *m_doc;
        const std::string thisPath = m_doc->path;
        if (!openJournalFile(QFile::decodeName(QByteArray::fromStdString(earlierPath)))) {
            return false;
        }
        m_view->setPage(nullptr);
        m_tree->detach();
        m_earlier->take(std::move(thisJournal), thisPath, m_doc->path);
        break;
    }
    }
    rebuildWithEarlierJournal();
    if (ContentNode* progress = m_contents->landmarks().progress) {
        m_tree->selectNode(*progress);
    }
    tellDone("Comparing with " + SuiteFile::displayName(m_earlier->path()) +
             (m_doc->path.empty() ? std::string(" until this journal is closed") : std::string()));
    return true;
}

void CMainFrame::stopComparing() {
    // The pages go before the earlier journal they show.
    m_view->setPage(nullptr);
    m_tree->detach();
    m_earlier->forget(m_doc->path);
    rebuildWithEarlierJournal();
    tellDone("Stopped comparing with the earlier journal");
}

void CMainFrame::rebuildWithEarlierJournal() {
    // The pages refer to the earlier journal too, so they go before the branch changes.
    m_view->setPage(nullptr);
    m_tree->detach();
    m_contents->setEarlierJournal(m_earlier->record());
    rebuildContents();
}

bool CMainFrame::exportReport() {
    FileChoice choice;
    choice.title = "Export Report";
    choice.filters = {{"PDF files (*.pdf)", {"*.pdf"}}};
    const std::string title = m_doc->title();
    const auto dot = title.rfind('.');
    choice.proposedName = (dot == std::string::npos ? title : title.substr(0, dot)) + ".pdf";
    choice.defaultExtension = "pdf";
    choice.confirmOverwrite = true;
    choice.checkBoxLabel = "Include the assessors' names (the completed questionnaires)";
    choice.checkBoxState = std::make_shared<bool>(false);
    const auto path = m_prompts.chooseSaveFile(choice);
    return path && exportReportTo(QString::fromStdString(*path), *choice.checkBoxState);
}

bool CMainFrame::exportReportTo(const QString& pdfPath, bool withNames) {
    QProgressDialog progress(QStringLiteral("Writing the report..."), QStringLiteral("Cancel"), 0, 1, this);
    progress.setWindowTitle(QString::fromLatin1(kProgramTitle));
    progress.setMinimumWidth(kProgressDialogWidth);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ReportRun run;
    run.progress = [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        // Before the dialog shows, the window still repaints, but takes no input meanwhile.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return !progress.wasCanceled();
    };
    // The paper follows the printer's set-up.
    const bool written =
        writeJournalReport(*m_doc, pdfPath, withNames, m_printer.pageLayout().pageSize(), &run, m_earlier->record());
    QApplication::restoreOverrideCursor();
    progress.close();
    if (run.cancelled) {
        statusBar()->showMessage(QStringLiteral("The report was cancelled."));
        return false;
    }
    if (!written) {
        m_prompts.message("Sorry, the report could not be written to " + ui::toCp1252(pdfPath) + ".");
        return false;
    }
    statusBar()->showMessage(
        QStringLiteral("Saved the report to %1 (%2 pages)").arg(QFileInfo(pdfPath).fileName()).arg(run.sheets));
    return true;
}

bool CMainFrame::printCurrentPage(QPrinter& printer) {
    printer.setDocName(ui::fromCp1252(m_doc->person));
    return m_view->printCurrentPage(printer);
}

void CMainFrame::printWithDialog() {
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    m_printer.setDocName(ui::fromCp1252(m_doc->person));
    QProgressDialog progress(QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0, 1, this);
    progress.setWindowTitle(QString::fromLatin1(kProgramTitle));
    progress.setMinimumWidth(kProgressDialogWidth);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = m_view->printCurrentPage(m_printer, [&progress](int sheet, int sheets) {
        progress.setMaximum(std::max(1, sheets));
        progress.setValue(sheet);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return !progress.wasCanceled();
    });
    QApplication::restoreOverrideCursor();
    const bool cancelled = progress.wasCanceled();
    progress.close();
    if (cancelled && m_printer.outputFormat() == QPrinter::PdfFormat && !m_printer.outputFileName().isEmpty()) {
        // A file printed only in part is no use to anyone.
        QFile::remove(m_printer.outputFileName());
    }
    if (cancelled) {
        statusBar()->showMessage(QStringLiteral("The printing was cancelled."));
    } else if (!printed) {
        m_prompts.message("Sorry, the page could not be printed.");
    }
}

void CMainFrame::printPreview() {
    QPrintPreviewDialog preview(&m_printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { printCurrentPage(*printer); });
    preview.exec();
}

void CMainFrame::pageSetup() {
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
}

bool CMainFrame::requireRole() {
    if (m_doc->hasRole()) {
        return true;
    }
    m_prompts.message(kChooseRoleFirst);
    return false;
}

bool CMainFrame::questionnaireCanStart() {
    if (!requireRole() || !m_doc->checkRoomForQuestionnaire(m_prompts)) {
        return false;
    }
    // A role the questionnaire could not hold every answer of, or not finish, is refused before any
    // dialog rather than stalling in it.
    if (const std::string refusal = requests::questionnaireRefusal(m_doc->framework); !refusal.empty()) {
        m_prompts.message(refusal);
        return false;
    }
    return true;
}

bool CMainFrame::newFeedbackQuestionnaire() {
    if (!questionnaireCanStart()) {
        return false;
    }
    PreliminariesDialog preliminaries(DialogFlavour::Journal, "", journalDecoration(), m_prompts, this);
    if (preliminaries.exec() != QDialog::Accepted) {
        return false;
    }
    return runQuestionnaire(requests::startAnswer(preliminaries.assessorName(), preliminaries.relationship()));
}

bool CMainFrame::startSelfAssessment() {
    if (!questionnaireCanStart()) {
        return false;
    }
    // The person about themselves: no preliminaries to ask.
    return runQuestionnaire(requests::startAnswer("Self", 0));
}

bool CMainFrame::runQuestionnaire(CPavexFeedback answers) {
    QuestionnaireDialog questionnaire(DialogFlavour::Journal, m_doc->framework, answers, m_prompts, journalDecoration(),
                                      this);
    if (questionnaire.exec() != QDialog::Accepted) {
        return false;
    }
    return record(QStringLiteral("New Questionnaire"), [&] {
        const std::size_t before = m_doc->questionnaires.size();
        const bool added = m_doc->addQuestionnaire(std::move(answers), m_prompts);
        afterMerge(added, before);
        return added;
    });
}

bool CMainFrame::createFeedbackRequest() {
    if (!requireRole()) {
        return false;
    }
    const std::optional<std::string> written = requests::createFeedbackRequest(*m_doc, m_prompts);
    if (written) {
        tellDone(requests::requestSavedNews(*written));
    }
    return written.has_value();
}

bool CMainFrame::sendFeedbackRequest() {
    if (!requireRole()) {
        return false;
    }
    MailDelivery delivery(m_mailHandoff, MailSystemProbe::forDesktop(m_mailHandoff), ui::AfxFolders::forProcess());
    const ui::Settings settings(ui::SettingsScope::journalProgram());
    return delivery.sendFeedbackRequest(*m_doc, settings.integer(QStringLiteral("MailType"), 0), m_prompts);
}

bool CMainFrame::mergeCompletedFeedback() {
    if (!requireRole()) {
        return false;
    }
    return static_cast<bool>(mergeAsOneStep([this] { return requests::mergeCompletedFeedback(*m_doc, m_prompts); }));
}

requests::Merged CMainFrame::mergeAsOneStep(const std::function<requests::Merged()>& merge) {
    QString step = QStringLiteral("Merge Feedback");
    return m_history->record(step, [&] {
        const std::size_t before = m_doc->questionnaires.size();
        const requests::Merged merged = merge();
        if (merged) {
            step = mergeStepName(*m_doc, merged);
        }
        afterMergedFile(merged, before);
        return merged;
    });
}

bool CMainFrame::createWebQuestionnaire() {
    if (!requireRole()) {
        return false;
    }
    ui::Settings settings(ui::SettingsScope::journalProgram());
    const kvrole::WebPageSettings defaults;
    WebPageDialog dialog(m_prompts, this);
    dialog.emailEdit()->setText(settings.text(QStringLiteral("WebPageEmail")));
    dialog.gatewayEdit()->setText(settings.text(QStringLiteral("WebPageGateway")));
    dialog.subjectEdit()->setText(settings.text(QStringLiteral("WebPageSubject"), ui::fromCp1252(defaults.subject)));
    dialog.messageEdit()->setPlainText(
        settings.text(QStringLiteral("WebPageMessage"), ui::fromCp1252(defaults.message)));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const QString email = dialog.emailEdit()->text().trimmed();
    const QString gateway = dialog.gatewayEdit()->text().trimmed();
    settings.setText(QStringLiteral("WebPageEmail"), email);
    settings.setText(QStringLiteral("WebPageGateway"), gateway);
    settings.setText(QStringLiteral("WebPageSubject"), dialog.subjectEdit()->text());
    settings.setText(QStringLiteral("WebPageMessage"), dialog.messageEdit()->toPlainText());
    settings.sync();

    FileChoice choice;
    choice.title = "Create Web Questionnaire";
    choice.filters = {{"Web Pages (*.html)", {"*.html"}}};
    choice.defaultExtension = "html";
    choice.proposedName = kvrole::defaultWebPageName(m_doc->title());
    choice.confirmOverwrite = true;
    const std::optional<std::string> chosen = m_prompts.chooseSaveFile(choice);
    if (!chosen) {
        return false;
    }
    // The journal's own role: the merge checks replies against it, whatever became of the role file.
    CRole role;
    role.name = m_doc->roleName;
    role.framework = m_doc->framework;
    kvrole::WebPageSettings page;
    page.email = ui::toCp1252(email);
    page.cgi = ui::toCp1252(gateway);
    page.subject = ui::toCp1252(dialog.subjectEdit()->text());
    page.message = ui::toCp1252(dialog.messageEdit()->toPlainText());
    const std::string programFolder = QFile::encodeName(ui::ProgramPlaces().programFolder()).toStdString();
    const kvrole::WebPageOutcome outcome =
        kvrole::writeWebPage(role, page, kvrole::findWebTemplate(programFolder, std::getenv("PATH")), *chosen);
    if (outcome != kvrole::WebPageOutcome::Written) {
        m_prompts.message(kvrole::webPageFailureText(outcome));
        return false;
    }
    tellDone("Saved the web questionnaire to " + SuiteFile::displayName(*chosen) +
             ": send it to the people you ask, or put it on any web space");
    return true;
}

bool CMainFrame::mergeFeedbackFromMail() {
    if (!requireRole()) {
        return false;
    }
    FileChoice choice;
    choice.title = mailmerge::kMergeFromMailTitle;
    choice.filters = {{"Saved Mail (*.eml *.mbox)", {"*.eml", "*.mbox"}}, {"All Files (*)", {"*"}}};
    choice.mustExist = true;
    const std::optional<std::string> chosen = m_prompts.chooseOpenFile(choice);
    if (!chosen) {
        return false;
    }
    return mergeFeedbackFromMailAt(QFile::decodeName(QByteArray::fromStdString(*chosen)));
}

bool CMainFrame::mergeFeedbackFromMailAt(const QString& path) {
    if (!requireRole()) {
        return false;
    }
    // Every reply the mail brings is taken back by one Undo.
    mailmerge::Summary summary;
    mergeAsOneStep([&] {
        summary = mailmerge::mergeFromMail(*m_doc, QFile::encodeName(path).toStdString(), m_prompts);
        return summary.merged;
    });
    m_prompts.message(summary.text());
    return static_cast<bool>(summary.merged);
}

void CMainFrame::afterMergedFile(const requests::Merged& merged, std::size_t questionnairesBefore) {
    afterMerge(static_cast<bool>(merged), questionnairesBefore);
    if (merged) {
        tellDone(requests::mergedNews(*m_doc, merged));
    }
}

void CMainFrame::tellDone(const std::string& news) {
    statusBar()->showMessage(ui::fromCp1252(news));
}

void CMainFrame::afterMerge(bool merged, std::size_t questionnairesBefore) {
    if (!merged) {
        return;
    }
    m_doc->modified = true;
    if (m_doc->questionnaires.size() > questionnairesBefore) {
        // One node per new questionnaire; the rest of the tree and its selection stay.
        m_contents->questionnaireAdded();
        // Every results page counts the new answers at its next refresh; the one on show now.
        if (CResultPage* page = m_view->page()) {
            page->refresh();
        }
        m_view->redraw();
    }
    journalChanged();
}

void CMainFrame::handleDroppedFile(const QString& path) {
    const std::string localPath = QFile::encodeName(path).toStdString();
    switch (droppedFileKind(path)) {
    case DroppedFileKind::RequestFile:
        // A drop does no more than the menu, which merges only into a journal with a role.
        if (requireRole()) {
            mergeAsOneStep([&] { return requests::mergeRequestFile(*m_doc, localPath, m_prompts); });
        }
        break;
    case DroppedFileKind::WebReply:
        if (requireRole()) {
            mergeAsOneStep([&] { return requests::mergeWebReply(*m_doc, localPath, m_prompts); });
        }
        break;
    case DroppedFileKind::RoleProfile:
        addRoleProfile(path);
        break;
    case DroppedFileKind::Journal:
        openJournalFile(path);
        break;
    case DroppedFileKind::Mail:
        mergeFeedbackFromMailAt(path);
        break;
    case DroppedFileKind::Unknown:
        m_prompts.message(kNotAReflectoryFile);
        break;
    }
}

void CMainFrame::addRoleProfile(const QString& path) {
    const ui::Settings settings(ui::SettingsScope::journalProgram());
    const QString folder = ui::ProgramPlaces().roleDropDirectory(settings);
    RoleLibrary::addRoleFile(QFile::encodeName(path).toStdString(), QFile::encodeName(folder).toStdString(), m_prompts);
}

void CMainFrame::toggleBehaviourMark(int behaviour) {
    if (!record(QStringLiteral("Mark For Development"), [&] { return m_doc->toggleMark(behaviour); })) {
        return;
    }
    if (CResultPage* page = m_view->page()) {
        page->refresh();
    }
    m_view->redraw();
    updateTitle();
}

void CMainFrame::showBehaviourMenu(int behaviour, const QPoint& globalPosition, bool fromKeyboard) {
    if (behaviour < 0 || static_cast<std::size_t>(behaviour) >= m_doc->framework.behaviours.size()) {
        return;
    }
    delete m_behaviourMenu;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    m_behaviourMenu = menu;
    connect(menu->addAction(tr("&New Action...")), &QAction::triggered, this, [this, behaviour] {
        afterEdit(record(QStringLiteral("New Action"), [&] { return m_actionEditing->newAction(behaviour); }));
    });
    connect(menu->addAction(tr("&Edit Journal...")), &QAction::triggered, this,
            [this, behaviour] { editBehaviourJournal(behaviour); });
    QAction* mark = menu->addAction(tr("&Marked For Development"));
    mark->setCheckable(true);
    mark->setChecked(m_doc->framework.behaviours[static_cast<std::size_t>(behaviour)].marked != 0);
    connect(mark, &QAction::triggered, this, [this, behaviour] { toggleBehaviourMark(behaviour); });
    menu->addSeparator();
    connect(menu->addAction(tr("New &Questionnaire...")), &QAction::triggered, this,
            &CMainFrame::newFeedbackQuestionnaire);
    if (fromKeyboard) {
        ui::popupFromKeyboard(*menu, globalPosition);
    } else {
        menu->popup(globalPosition);
    }
}

bool CMainFrame::chooseRole() {
    if (!m_doc->canChooseRole()) {
        return false;
    }
    const ui::Settings settings(ui::SettingsScope::journalProgram());
    std::vector<std::string> folders;
    for (const QString& folder : ui::ProgramPlaces().roleFolders(settings)) {
        folders.push_back(QFile::encodeName(folder).toStdString());
    }
    RoleChoiceDialog dialog(folders, m_prompts, this);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const std::optional<CRole> role = dialog.chosenRole();
    if (!role) {
        return false;
    }
    // The pages refer to the framework being replaced, so they go before it changes.
    record(QStringLiteral("Choose Role"), [&] {
        m_view->setPage(nullptr);
        m_tree->detach();
        m_doc->chooseRole(*role);
        // The choice is the journal's content: leaving without saving must ask, or it is lost.
        m_doc->modified = true;
        rebuildContents();
    });
    return true;
}

bool CMainFrame::newAction() {
    if (!requireRole()) {
        return false;
    }
    const ContentNode* node = m_tree->selectedNode();
    const std::int32_t behaviour = node != nullptr && node->kind() == NodeKind::Behaviour ? node->behaviour() : -1;
    const bool added = record(QStringLiteral("New Action"), [&] { return m_actionEditing->newAction(behaviour); });
    afterEdit(added);
    return added;
}

bool CMainFrame::showOptions() {
    ui::Settings settings(ui::SettingsScope::journalProgram());
    if (!record(QStringLiteral("Options"), [&] { return runOptionsSheet(*m_doc, settings, m_prompts, this); })) {
        return false;
    }
    // Every page draws with the journal's colours as they are now.
    m_view->redraw();
    journalChanged();
    return true;
}

bool CMainFrame::onSelectedNode(bool (TreeCommands::*command)(const ContentNode&),
                                const std::function<QString(NodeKind)>& stepName) {
    const ContentNode* node = m_tree->selectedNode();
    if (node == nullptr) {
        return false;
    }
    const bool changed = record(stepName(node->kind()), [&] { return (m_treeCommands.get()->*command)(*node); });
    afterEdit(changed);
    return changed;
}

bool CMainFrame::editSelectedNode() {
    return onSelectedNode(&TreeCommands::edit, [](NodeKind kind) {
        switch (kind) {
        case NodeKind::Behaviour:
            return QStringLiteral("Edit Journal");
        case NodeKind::Questionnaire:
            return QStringLiteral("Edit Questionnaire");
        case NodeKind::Action:
        case NodeKind::Other:
            break;
        }
        return QStringLiteral("Edit Action");
    });
}

bool CMainFrame::deleteSelectedNode() {
    return onSelectedNode(&TreeCommands::remove, [](NodeKind kind) {
        return kind == NodeKind::Questionnaire ? QStringLiteral("Delete Questionnaire")
                                               : QStringLiteral("Delete Action");
    });
}

bool CMainFrame::toggleSelectedNode() {
    return onSelectedNode(&TreeCommands::toggle, [](NodeKind kind) {
        switch (kind) {
        case NodeKind::Questionnaire:
            return QStringLiteral("Use In Results");
        case NodeKind::Action:
            return QStringLiteral("Completed");
        case NodeKind::Behaviour:
        case NodeKind::Other:
            break;
        }
        return QStringLiteral("Mark For Development");
    });
}

bool CMainFrame::editBehaviourJournal(int behaviour) {
    const bool changed =
        record(QStringLiteral("Edit Journal"), [&] { return m_treeCommands->editBehaviourJournal(behaviour); });
    afterEdit(changed);
    return changed;
}

void CMainFrame::restoreJournal(const std::string& snapshot) {
    // The pages refer to the journal being replaced, so they go before it changes.
    const CPavexTreeView::Place place = m_tree->place();
    m_view->setPage(nullptr);
    m_tree->detach();
    JournalSnapshot::restore(snapshot, *m_doc);
    rebuildContents();
    m_tree->restorePlace(place);
    m_view->redraw();
}

void CMainFrame::deleteFromEditMenu() {
    // Delete belongs to the tree; it acts only while the tree is the pane in use.
    if (m_activePane == m_tree) {
        deleteSelectedNode();
    }
}

void CMainFrame::afterEdit(bool changed) {
    if (!changed) {
        return;
    }
    m_tree->showSelected();
    m_view->redraw();
    journalChanged();
}

void CMainFrame::journalReplaced() {
    // The guide, when up, goes on with the new journal's own step.
    m_autopilot->journalReplaced();
}

void CMainFrame::offerAutopilot() {
    if (m_doc->autopilotShown == 1) {
        emit autopilotRequested();
    }
}

bool CMainFrame::sendJournal() {
    // The recipient sees the journal's own name; an untitled journal still arrives as a journal file.
    QString name = displayTitle();
    if (!name.endsWith(QLatin1String(".kva"), Qt::CaseInsensitive)) {
        name += QLatin1String(".kva");
    }
    // As Save would store it: an encrypted journal leaves only sealed.
    const std::optional<std::string> stored = SealedJournal::encodeStored(*m_doc);
    using Result = ui::MailAttachment::Result;
    ui::MailAttachment attachment(m_mailHandoff, ui::AfxFolders::forProcess());
    const Result result = !stored && m_mailHandoff.available() ? Result::NotWritten
                                                               : attachment.send(name, stored.value_or(std::string()));
    switch (result) {
    case Result::Sent:
        return true;
    case Result::UserAbort:
        return false;
    case Result::MailUnavailable:
        m_prompts.message(mailtext::kCannotLoad);
        return false;
    case Result::NotWritten:
    case Result::ComposeFailed:
        break;
    }
    m_prompts.message(mailtext::kSendFailed);
    return false;
}

void CMainFrame::showHelp() {
    const ui::Settings settings(ui::SettingsScope::journalProgram());
    ui::HelpPages(ui::ProgramPlaces(), QStringLiteral("document.htm")).open(settings, m_prompts);
}

void CMainFrame::showAbout() {
    QMessageBox box(this);
    box.setWindowTitle(tr("About pavex"));
    box.setIconPixmap(ui::programIcon(ui::Program::Journal).pixmap(48));
    box.setText(QStringLiteral("<b>pavex</b> &mdash; %1<br>Version %2")
                    .arg(QString::fromLatin1(kProgramTitle), QCoreApplication::applicationVersion()));
    box.exec();
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Words told before the window was first shown (a merge from the command line) could not hide
    // the page title then, as the status bar does only with widgets on show: told again now, they
    // take its place instead of being drawn over it. The same words again would be ignored.
    if (const QString news = statusBar()->currentMessage(); !news.isEmpty()) {
        statusBar()->clearMessage();
        statusBar()->showMessage(news);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (saveModifiedIfWanted()) {
        ui::Settings settings(ui::SettingsScope::journalProgram());
        ui::WindowPlacement::store(*this, settings, m_splitter);
        event->accept();
    } else {
        event->ignore();
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    // Only the first file of a drop is taken.
    if (!urls.isEmpty() && urls.front().isLocalFile()) {
        event->acceptProposedAction();
        handleDroppedFile(urls.front().toLocalFile());
    }
}
