// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestSupport.h"
#include "kvrole/ChildFrame.h"
#include "kvrole/KVRoleDoc.h"
#include "tests/support/ShownTitle.h"
#include "ui/ProgramPlaces.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

using EditorWindowLayout = EditorWindowFixture;

} // namespace

TEST_F(EditorWindowLayout, TitlesNameTheProgramOnceAndMarkAModifiedRole) {
    EXPECT_EQ(shownTitle(*m_frame), "Reflectory Kitsmith");

    CKVRoleDoc* role = m_frame->newDocument();
    QMdiSubWindow* child = m_frame->mdiArea()->activeSubWindow();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(shownTitle(*m_frame), "Reflectory Kitsmith - " + role->title());
    EXPECT_EQ(shownTitle(*child), role->title());

    role->setModified(true);
    EXPECT_EQ(shownTitle(*m_frame), "Reflectory Kitsmith - " + role->title() + "*");
    EXPECT_EQ(shownTitle(*child), role->title() + "*");
    role->setModified(false);
    EXPECT_EQ(shownTitle(*child), role->title());
}

TEST_F(EditorWindowLayout, EveryChildWindowOpensWhollyInsideTheWorkspace) {
    m_frame->resize(700, 500);
    QApplication::processEvents();
    for (int count = 0; count < 4; ++count) {
        m_frame->newDocument();
    }
    const QRect area = m_frame->mdiArea()->viewport()->rect();
    const QList<QMdiSubWindow*> children = m_frame->mdiArea()->subWindowList();
    ASSERT_EQ(children.size(), 4);
    for (const QMdiSubWindow* child : children) {
        EXPECT_TRUE(area.contains(child->geometry())) << child->windowTitle().toStdString();
    }
}

TEST_F(EditorWindowLayout, ChildWindowsOpenedBeforeTheWindowShowsAreInsideOnceItDoes) {
    m_frame.reset();
    m_frame = std::make_unique<CMainFrame>(*m_context);
    m_frame->newDocument();
    m_frame->newDocument();
    m_frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    const QRect area = m_frame->mdiArea()->viewport()->rect();
    for (const QMdiSubWindow* child : m_frame->mdiArea()->subWindowList()) {
        EXPECT_TRUE(area.contains(child->geometry()));
    }
}

TEST_F(EditorWindowLayout, OpenStartsInTheRoleFolderUntilARoleWasUsed) {
    const QStringList recent = m_frame->recentFiles();
    m_frame->action(CMainFrame::Command::Open)->trigger();
    ASSERT_FALSE(m_context->prompts().fileChoices().empty());
    const std::string expected = recent.isEmpty()
                                     ? QFile::encodeName(ui::ProgramPlaces::userRoleDirectory()).toStdString()
                                     : QFile::encodeName(QFileInfo(recent.front()).absolutePath()).toStdString();
    EXPECT_EQ(m_context->prompts().fileChoices().back().startFolder, expected);

    QTemporaryDir folder;
    CKVRoleDoc* role = m_frame->newDocument();
    m_context->prompts().queueFileName(folder.filePath("kept.kvr"));
    ASSERT_TRUE(m_frame->saveAs(*role));
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "Saved kept.kvr");
    m_frame->action(CMainFrame::Command::Open)->trigger();
    EXPECT_EQ(m_context->prompts().fileChoices().back().startFolder,
              QFile::encodeName(QDir(folder.path()).absolutePath()).toStdString());
}
