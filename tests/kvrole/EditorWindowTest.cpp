// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestSupport.h"

#include "kvrole/ChildFrame.h"
#include "kvrole/KVRoleDoc.h"
#include "kvrole/ResponseDialog.h"
#include "model/RoleFile.h"
#include "ui/HelpPages.h"

#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

class EditorWindow : public EditorWindowFixture {};

QJsonObject dumpRole(const QString& path) {
    QProcess kvtool;
    kvtool.start(QStringLiteral(KVTOOL_PATH), {QStringLiteral("dump"), path});
    EXPECT_TRUE(kvtool.waitForFinished(10000));
    EXPECT_EQ(kvtool.exitCode(), 0) << kvtool.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(kvtool.readAllStandardOutput()).object();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList visibleEntries(QMenu* menu) {
    QStringList entries;
    for (QAction* action : menu->actions()) {
        if (action->isVisible() && !action->isSeparator()) {
            entries << action->text();
        }
    }
    return entries;
}

} // namespace

TEST_F(EditorWindow, ARoleMadeByKeyboardSavedAndReopenedIsWhatKvtoolDumps) {
    QTemporaryDir folder;
    m_frame->action(CMainFrame::Command::New)->trigger();
    key(Qt::Key_Tab);
    typeLabel("Coaching");
    key(Qt::Key_Tab);
    typeLabel("Asks open questions");
    key(Qt::Key_Return);
    typeLabel("Agrees next steps");
    view()->setCurrentItem(view()->rootItem()->child(0));
    key(Qt::Key_Return);
    typeLabel("Planning");
    key(Qt::Key_Tab);
    typeLabel("Sets milestones");

    whenModal<ResponseDialog>([](ResponseDialog* dialog) {
        dialog->useNotApplicableBox()->setChecked(false);
        dialog->promptCount()->setValue(2);
        dialog->box(1)->setText("No");
        dialog->box(2)->setText("Yes");
        dialog->accept();
    });
    m_frame->action(CMainFrame::Command::EditResponses)->trigger();

    const QString path = folder.filePath("coach.kvr");
    m_context->prompts().queueFileName(path);
    m_frame->action(CMainFrame::Command::Save)->trigger();
    EXPECT_FALSE(view()->document().isModified());
    EXPECT_EQ(m_frame->recentFiles().value(0), path);
    EXPECT_EQ(m_context->prompts().fileChoices().back().title, "Save Role");
    // A new role is proposed in the user's own role folder, where the journal program lists it.
    EXPECT_TRUE(QString::fromStdString(m_context->prompts().fileChoices().back().proposedName)
                    .startsWith(ui::ProgramPlaces::userRoleDirectory()));
    EXPECT_EQ(m_context->prompts().fileChoices().back().filters.at(0).label, "Reflectory Roles (*.kvr)");

    m_frame->action(CMainFrame::Command::Close)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(m_frame->activeView(), nullptr);
    ASSERT_NE(m_frame->openDocument(path), nullptr);
    EXPECT_EQ(view()->rootItem()->child(1)->child(0)->text(0), "Sets milestones");

    const QJsonObject role = dumpRole(path);
    const QJsonObject framework = role["framework"].toObject();
    QStringList competencies;
    for (const QJsonValue& competency : framework["competencies"].toArray()) {
        competencies << competency.toObject()["name"].toString();
    }
    EXPECT_EQ(competencies, (QStringList{"Coaching", "Planning"}));
    const QJsonArray behaviours = framework["behaviours"].toArray();
    ASSERT_EQ(behaviours.size(), 3);
    EXPECT_EQ(behaviours[1].toObject()["statement"].toString(), "Agrees next steps");
    EXPECT_EQ(behaviours[2].toObject()["competency"].toInt(), 1);
    const QJsonObject scale = framework["scales"].toArray().at(0).toObject();
    EXPECT_EQ(scale["maximum"].toInt(), 1);
    const QJsonArray options = scale["options"].toArray();
    ASSERT_EQ(options.size(), 2);
    EXPECT_EQ(options[1].toObject()["label"].toString(), "Yes");
    EXPECT_EQ(options[1].toObject()["value"].toInt(), 1);
}

TEST_F(EditorWindow, ClosingAModifiedRoleAsksToSaveAndCancelKeepsItOpen) {
    m_frame->newDocument();
    key(Qt::Key_Tab);
    typeLabel("X");
    m_context->prompts().setUnqueuedSaveAnswer(SaveAnswer::Cancel);
    m_frame->mdiArea()->activeSubWindow()->close();
    QApplication::processEvents();
    EXPECT_EQ(m_context->prompts().saveQuestions(), QStringList{"Save changes to Role1?"});
    ASSERT_NE(m_frame->activeView(), nullptr);

    // A second window of the same document closes without asking.
    m_frame->action(CMainFrame::Command::NewWindow)->trigger();
    EXPECT_EQ(m_frame->framesOf(&view()->document()).size(), 2);
    m_frame->mdiArea()->activeSubWindow()->close();
    QApplication::processEvents();
    EXPECT_EQ(m_context->prompts().saveQuestions().size(), 1);

    m_context->prompts().setUnqueuedSaveAnswer(SaveAnswer::No);
    m_frame->mdiArea()->activeSubWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_frame->activeView(), nullptr);
    EXPECT_TRUE(m_frame->documents().isEmpty());
}

TEST_F(EditorWindow, MergeReadsTheChosenCsvFileAndRebuildsEveryWindow) {
    QTemporaryDir folder;
    const QString csv = folder.filePath("behaviours.csv");
    writeFile(csv, "Listens well,Communication\r\nWrites clearly,Communication\r\n\"Plans, then acts\",Planning\r\n");
    m_frame->newDocument();
    m_frame->action(CMainFrame::Command::NewWindow)->trigger();
    m_context->prompts().queueFileName(csv);
    m_frame->action(CMainFrame::Command::Merge)->trigger();

    EXPECT_EQ(m_context->prompts().fileChoices().back().title, "Merge CSV File");
    EXPECT_TRUE(view()->document().isModified());
    for (CChildFrame* frame : m_frame->framesOf(&view()->document())) {
        QTreeWidgetItem* root = frame->view()->rootItem();
        ASSERT_EQ(root->childCount(), 2);
        EXPECT_TRUE(root->isExpanded());
        EXPECT_EQ(root->child(1)->child(0)->text(0), "Plans, then acts");
    }
    expectTreeMatchesRole();

    // A file that cannot be read changes nothing and says nothing.
    const CRole before = view()->document().role();
    m_context->prompts().queueFileName(folder.filePath("missing.csv"));
    m_frame->action(CMainFrame::Command::Merge)->trigger();
    EXPECT_EQ(view()->document().role(), before);
    EXPECT_TRUE(m_context->prompts().texts().isEmpty());
}

TEST_F(EditorWindow, ARecentRoleThatCannotBeOpenedLeavesTheListAfterItsMessage) {
    QTemporaryDir folder;
    const QString kept = folder.filePath("kept.kvr");
    const QString gone = folder.filePath("gone.kvr");
    for (const QString& path : {kept, gone}) {
        m_context->prompts().queueFileName(path);
        m_frame->newDocument();
        m_frame->action(CMainFrame::Command::Save)->trigger();
        m_frame->action(CMainFrame::Command::Close)->trigger();
    }
    ASSERT_EQ(m_frame->recentFiles().mid(0, 2), (QStringList{gone, kept}));
    ASSERT_TRUE(QFile::remove(gone));

    m_frame->recentFileActions().at(0)->trigger();
    EXPECT_EQ(m_context->prompts().texts(), QStringList{"Failed to open document."});
    EXPECT_FALSE(m_frame->recentFiles().contains(gone));
    EXPECT_EQ(m_frame->recentFiles().value(0), kept);
    EXPECT_EQ(m_frame->recentFileActions().at(0)->data().toString(), kept);
}

TEST_F(EditorWindow, SendHandsACopyNamedAfterTheRoleToTheMailProgram) {
    m_frame->newDocument();
    key(Qt::Key_Tab);
    typeLabel("Listening");
    m_frame->action(CMainFrame::Command::Send)->trigger();
    ASSERT_EQ(m_mail->handoffs().size(), 1u);
    EXPECT_EQ(m_mail->handoffs()[0].fileName, "Role1.kvr");
    EXPECT_TRUE(m_mail->handoffs()[0].content.contains("Listening"));
}

TEST_F(EditorWindow, WithoutADocumentTheMenusOfferOnlyWhatNeedsNone) {
    EXPECT_EQ(visibleEntries(m_frame->menu("&Tools")).contains("&Edit..."), false);
    EXPECT_TRUE(visibleEntries(m_frame->menu("&Tools")).contains("&Options..."));
    EXPECT_FALSE(m_frame->menu("&Edit")->menuAction()->isVisible());
    EXPECT_FALSE(m_frame->menu("&Window")->menuAction()->isVisible());
    EXPECT_FALSE(m_frame->action(CMainFrame::Command::Save)->isEnabled());
    m_frame->newDocument();
    EXPECT_TRUE(m_frame->menu("&Edit")->menuAction()->isVisible());
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::Save)->isEnabled());
    for (auto command : {CMainFrame::Command::Cut, CMainFrame::Command::Copy, CMainFrame::Command::Paste}) {
        EXPECT_TRUE(m_frame->action(command)->isEnabled());
    }
    EXPECT_FALSE(m_frame->action(CMainFrame::Command::Undo)->isEnabled());
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::WebQuestionnaire)->isEnabled());
    EXPECT_EQ(m_frame->action(CMainFrame::Command::NewCompetency)->statusTip(), "Add a new competency to the role");
    EXPECT_EQ(m_frame->action(CMainFrame::Command::NewCompetency)->toolTip(), "New competency");
}

TEST_F(EditorWindow, HelpContentsOpensTheDocumentationHomeOrSaysItCannotBeFound) {
    QStringList opened;
    bool opens = true;
    m_context->setDocumentOpener([&](const QString& page) {
        opened << page;
        return opens;
    });
    m_context->settings().setText("DocumentationHome", "/help/roledoc.htm");
    m_frame->action(CMainFrame::Command::Contents)->trigger();
    EXPECT_EQ(opened, QStringList{"/help/roledoc.htm"});

    m_context->settings().remove("DocumentationHome");
    opens = false;
    opened.clear();
    m_frame->action(CMainFrame::Command::Contents)->trigger();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened[0].endsWith("/document/roledoc.htm"));
    // The build puts the page beside the program, so only the browser is missing.
    EXPECT_EQ(m_context->prompts().texts(), QStringList{ui::HelpPages::noBrowserMessage(opened[0])});
    EXPECT_TRUE(ui::HelpPages::notFoundMessage().startsWith(
        "Sorry, the help documentation cannot be located.  Visit the PAVEX web site at "));
}

// The Window menu's entries for the open windows: their texts, and which one is checked.
QStringList windowList(const CMainFrame& frame) {
    QStringList entries;
    for (const QAction* entry : frame.windowListEntries()) {
        if (!entry->isSeparator()) {
            entries << entry->text() + (entry->isChecked() ? " (checked)" : "");
        }
    }
    return entries;
}

TEST_F(EditorWindow, TheWindowMenuListsTheOpenWindowsNumberedWithTheActiveOneChecked) {
    EXPECT_TRUE(windowList(*m_frame).isEmpty());
    for (int count = 0; count < 3; ++count) {
        m_frame->newDocument();
    }
    QMenu* windowMenu = m_frame->menu("&Window");
    ASSERT_NE(windowMenu, nullptr);
    EXPECT_EQ(windowList(*m_frame), (QStringList{"&1 Role1", "&2 Role2", "&3 Role3 (checked)"}));
    for (QAction* entry : m_frame->windowListEntries()) {
        EXPECT_TRUE(windowMenu->actions().contains(entry));
    }

    // Choosing an entry brings its window forward, minimised or not; choosing the active one
    // keeps its mark.
    const QList<QMdiSubWindow*> frames = m_frame->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    frames.front()->showMinimized();
    m_frame->mdiArea()->setActiveSubWindow(frames.back());
    ASSERT_TRUE(frames.front()->isMinimized());
    m_frame->windowListEntries().at(1)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(m_frame->activeDocument()->title(), "Role1");
    EXPECT_FALSE(m_frame->mdiArea()->activeSubWindow()->isMinimized());
    EXPECT_EQ(windowList(*m_frame), (QStringList{"&1 Role1 (checked)", "&2 Role2", "&3 Role3"}));
    m_frame->windowListEntries().at(1)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(windowList(*m_frame), (QStringList{"&1 Role1 (checked)", "&2 Role2", "&3 Role3"}));

    // A second window of a role, a renamed role and a closed window show at once.
    m_frame->action(CMainFrame::Command::NewWindow)->trigger();
    m_frame->activeDocument()->setRoleName("Sales & Service");
    QApplication::processEvents();
    EXPECT_EQ(windowList(*m_frame),
              (QStringList{"&1 Sales && Service:1", "&2 Role2", "&3 Role3", "&4 Sales && Service:2 (checked)"}));
    delete m_frame->mdiArea()->subWindowList(QMdiArea::CreationOrder).at(1);
    QApplication::processEvents();
    EXPECT_EQ(windowList(*m_frame),
              (QStringList{"&1 Sales && Service:1", "&2 Role3", "&3 Sales && Service:2 (checked)"}));
}

TEST_F(EditorWindow, OptionsAreKeptInTheSettings) {
    m_context->setConfirmDelete(false);
    EXPECT_EQ(m_context->settings().integer("ConfirmDelete", 1), 0);
    EditorContext later;
    EXPECT_FALSE(later.confirmDelete());
    m_context->setConfirmDelete(true);
}

TEST_F(EditorWindow, AnEditInOneWindowOfARoleLeavesEveryOtherWindowMatchingIt) {
    m_frame->newDocument();
    key(Qt::Key_Tab);
    typeLabel("First");
    key(Qt::Key_Tab);
    typeLabel("one");
    CKVRoleView* first = view();
    m_frame->action(CMainFrame::Command::NewWindow)->trigger();
    CKVRoleView* second = view();
    ASSERT_NE(first, second);

    // A competency put in front of the others in the first window moves every item of the second.
    m_frame->mdiArea()->setActiveSubWindow(m_frame->framesOf(&first->document()).front());
    first->select(kvrole::ItemRef::root());
    first->newCompetency();
    QTest::keyClicks(qobject_cast<QLineEdit*>(first->indexWidget(first->currentIndex())), "Zero");
    QTest::keyClick(first->indexWidget(first->currentIndex()), Qt::Key_Return);
    QApplication::processEvents();

    for (CChildFrame* frame : m_frame->framesOf(&first->document())) {
        m_frame->mdiArea()->setActiveSubWindow(frame);
        expectTreeMatchesRole();
    }
    // Deleting through the second window's items deletes what they show.
    m_frame->mdiArea()->setActiveSubWindow(m_frame->framesOf(&first->document()).back());
    m_context->setConfirmDelete(false);
    second->select(kvrole::ItemRef::behaviour(0));
    second->deleteSelected();
    EXPECT_TRUE(second->document().role().framework.behaviours.empty());
    EXPECT_EQ(second->document().role().framework.competencies.size(), 2u);
    expectTreeMatchesRole();
}

TEST_F(EditorWindow, ARoleWhoseBehavioursAreOutOfCompetencyOrderIsRefusedByName) {
    QTemporaryDir folder;
    CRole role = CRole::makeDefault();
    role.name = "Mixed";
    role.framework.competencies = {{"A", ""}, {"B", ""}};
    role.framework.behaviours = {{"b1", 1, 0, "", 0, ""}, {"a1", 0, 0, "", 0, ""}};
    const QString path = folder.filePath("Mixed.kvr");
    writeFile(path, QByteArray::fromStdString(RoleFile::encode(role)));
    EXPECT_EQ(m_frame->openDocument(path), nullptr);
    role.framework.behaviours = {{"a1", 0, 0, "", 0, ""}, {"x", 7, 0, "", 0, ""}};
    writeFile(path, QByteArray::fromStdString(RoleFile::encode(role)));
    EXPECT_EQ(m_frame->openDocument(path), nullptr);
    EXPECT_EQ(m_context->prompts().texts(),
              QStringList({"The role Mixed.kvr cannot be edited: its behaviours are not grouped by competency in "
                           "the competencies' order.",
                           "The role Mixed.kvr cannot be edited: a behaviour belongs to a competency that the role "
                           "does not have."}));
    EXPECT_TRUE(m_frame->documents().isEmpty());
}

TEST_F(EditorWindow, ExitCancelledAtALaterRoleKeepsTheEarlierOnesModified) {
    m_frame->newDocument();
    key(Qt::Key_Tab);
    typeLabel("Kept");
    m_frame->newDocument();
    key(Qt::Key_Tab);
    typeLabel("Also kept");
    m_context->prompts().queueSaveAnswer(SaveAnswer::No);
    m_context->prompts().queueSaveAnswer(SaveAnswer::Cancel);
    EXPECT_FALSE(m_frame->close());
    EXPECT_EQ(m_context->prompts().saveQuestions().size(), 2);
    for (CKVRoleDoc* document : m_frame->documents()) {
        EXPECT_TRUE(document->isModified()) << document->title().toStdString();
    }
}
