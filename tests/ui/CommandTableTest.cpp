// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CommandTable.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

enum class Cmd { New, Open, Exit, Copy, Guide };

// The entries of a menu or toolbar as texts, "-" for a separator, hidden ones left out.
QStringList layoutOf(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions) {
        if (action->isVisible()) {
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
    }
    return texts;
}

} // namespace

TEST(CommandTable, BuildsMenusToolbarPromptsTipsAndKeysFromOneTable) {
    QMainWindow window;
    QToolBar* toolbar = window.addToolBar(QStringLiteral("Toolbar"));
    const std::vector<ui::CommandRow<Cmd>> rows = {
        {Cmd::New, "&New", "Create a new document", "New", {QKeySequence(QStringLiteral("Ctrl+N"))}, ui::Icon::FileNew},
        {Cmd::Open, "&Open...", "Open an existing document"},
        {Cmd::Exit, "E&xit", "Quit the application"},
        {Cmd::Copy,
         "&Copy",
         "",
         "",
         {QKeySequence(QStringLiteral("Ctrl+C")), QKeySequence(QStringLiteral("Ctrl+Ins"))}},
        {Cmd::Guide, "&Autopilot", "", "", {}, ui::Icon::Autopilot, true},
    };
    using ui::Slot;
    const ui::CommandActions made =
        ui::buildCommands<Cmd>(window, rows,
                               {{"&File", {Cmd::New, Cmd::Open, Slot::RecentFiles, Slot::Separator, Cmd::Exit}},
                                {"&Edit", {Cmd::Copy}},
                                {"&View", {Cmd::Guide}}},
                               toolbar, {Cmd::New, Slot::Separator, Cmd::Copy, Slot::Separator, Cmd::Guide});

    EXPECT_EQ(layoutOf(made.menu(QStringLiteral("&File"))->actions()), QStringList({"&New", "&Open...", "-", "E&xit"}));
    EXPECT_EQ(layoutOf(toolbar->actions()), QStringList({"&New", "-", "&Copy", "-", "&Autopilot"}));
    ASSERT_NE(made.recentFilesSlot(), nullptr);
    EXPECT_EQ(made.menu(QStringLiteral("&File"))->actions().indexOf(made.recentFilesSlot()), 2);

    const QAction* newCommand = made.action(static_cast<int>(Cmd::New));
    EXPECT_EQ(newCommand->statusTip(), "Create a new document");
    EXPECT_EQ(newCommand->toolTip(), "New");
    EXPECT_FALSE(newCommand->icon().isNull());
    EXPECT_EQ(made.action(static_cast<int>(Cmd::Open))->toolTip(), "Open"); // from the text
    EXPECT_EQ(made.action(static_cast<int>(Cmd::Copy))->shortcuts().size(), 2);
    EXPECT_TRUE(made.action(static_cast<int>(Cmd::Guide))->isCheckable());
    EXPECT_FALSE(made.action(static_cast<int>(Cmd::Exit))->isCheckable());
}
