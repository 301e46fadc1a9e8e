// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RecentFiles.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using ui::RecentFileList;
using ui::RecentFileMenu;

namespace {

// A menu "Send | slot | Exit" as a command table leaves it, with settings in a folder of its own.
class RecentFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Settings::useFolder(m_settings.path());
        m_menu.addAction(QStringLiteral("Send"));
        m_slot = m_menu.addSeparator();
        m_slot->setVisible(false);
        m_menu.addAction(QStringLiteral("Exit"));
    }

    QStringList visibleTexts() const {
        QStringList texts;
        for (const QAction* action : m_menu.actions()) {
            if (action->isVisible()) {
                texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
            }
        }
        return texts;
    }

    QTemporaryDir m_settings;
    QMenu m_menu;
    QAction* m_slot = nullptr;
    const ui::SettingsScope m_scope{"KV Software", "Test", "Recent"};
};

} // namespace

TEST_F(RecentFilesTest, TheListKeepsFourPathsMostRecentFirstUnderTheProgramsOwnNames) {
    RecentFileList list(m_scope, QStringLiteral("RecentFile"));
    for (const char* name : {"/a/one.kvr", "/a/two.kvr", "/a/three.kvr", "/a/four.kvr", "/a/five.kvr", "/a/two.kvr"}) {
        list.add(QString::fromLatin1(name));
    }
    const QStringList expected{"/a/two.kvr", "/a/five.kvr", "/a/four.kvr", "/a/three.kvr"};
    EXPECT_EQ(list.paths(), expected);
    EXPECT_EQ(ui::Settings(m_scope).text(QStringLiteral("RecentFile1")), "/a/two.kvr");
    EXPECT_EQ(RecentFileList(m_scope, QStringLiteral("RecentFile")).paths(), expected);
    EXPECT_TRUE(RecentFileList(m_scope, QStringLiteral("File")).paths().isEmpty());
}

TEST_F(RecentFilesTest, EntriesFollowTheSlotWhichShowsOnlyWithEntriesAndAnUnopenableFileLeaves) {
    RecentFileList list(m_scope, QStringLiteral("File"));
    RecentFileMenu::Outcome outcome = RecentFileMenu::Outcome::Unopenable;
    QStringList opened;
    RecentFileMenu menu(
        list, m_slot,
        [&](const QString& path) {
            opened << path;
            return outcome;
        },
        nullptr);
    EXPECT_EQ(visibleTexts(), QStringList({"Send", "Exit"}));

    list.add(QStringLiteral("/j/Kept.kva"));
    list.add(QStringLiteral("/j/Gone.kva"));
    menu.refresh();
    EXPECT_EQ(visibleTexts(), QStringList({"Send", "-", "&1 Gone.kva", "&2 Kept.kva", "Exit"}));
    EXPECT_EQ(menu.entries().at(0)->toolTip(), "/j/Gone.kva");

    menu.entries().at(0)->trigger();
    EXPECT_EQ(opened, QStringList{"/j/Gone.kva"});
    EXPECT_EQ(list.paths(), QStringList{"/j/Kept.kva"});
    EXPECT_EQ(menu.entries().at(0)->data().toString(), "/j/Kept.kva");

    outcome = RecentFileMenu::Outcome::Declined; // a password the user did not give
    EXPECT_FALSE(menu.open(QStringLiteral("/j/Kept.kva")));
    EXPECT_EQ(list.paths(), QStringList{"/j/Kept.kva"});
    outcome = RecentFileMenu::Outcome::Opened;
    EXPECT_TRUE(menu.open(QStringLiteral("/j/Kept.kva")));
}
