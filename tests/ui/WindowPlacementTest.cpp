// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPlacement.h"
#include "ui/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

using ui::Settings;
using ui::SettingsScope;
using ui::WindowPlacement;

namespace {

const QRect kLeftScreen(0, 0, 1280, 900);
const QRect kRightScreen(1280, 0, 1920, 1080);

QRect screenArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

TEST(WindowPlacement, AFirstRunUsesMostOfTheScreenCentred) {
    const QRect first = WindowPlacement::firstGeometry(QRect(0, 30, 1280, 870));
    EXPECT_EQ(first.size(), QSize(1024, 696));
    EXPECT_EQ(first.center(), QRect(0, 30, 1280, 870).center());
}

TEST(WindowPlacement, AStoredPlaceIsBroughtWhollyOntoTheScreenItShowsMostOn) {
    const QList<QRect> screens{kLeftScreen, kRightScreen};
    // Wholly on a screen: kept.
    EXPECT_EQ(WindowPlacement::onVisibleScreen(QRect(100, 100, 800, 600), screens), QRect(100, 100, 800, 600));
    // Hanging off the right screen's right edge: moved in.
    EXPECT_EQ(WindowPlacement::onVisibleScreen(QRect(2800, 50, 800, 600), screens), QRect(2400, 50, 800, 600));
    // On a screen that is gone (far right, or above): onto the first one, shrunk to fit it.
    EXPECT_EQ(WindowPlacement::onVisibleScreen(QRect(5000, 3000, 1600, 1000), screens), QRect(0, 0, 1280, 900));
    EXPECT_EQ(WindowPlacement::onVisibleScreen(QRect(200, -2000, 400, 300), screens), QRect(200, 0, 400, 300));
    // Mostly on the right screen: it goes there.
    EXPECT_EQ(WindowPlacement::onVisibleScreen(QRect(1200, 100, 700, 500), screens), QRect(1280, 100, 700, 500));
}

TEST(WindowPlacement, GeometryAndSplitterAreStoredPerProgramAndRestored) {
    QTemporaryDir folder;
    Settings::useFolder(folder.path());
    const QRect area = screenArea();
    {
        QWidget firstRun;
        WindowPlacement::restore(firstRun, Settings(SettingsScope::journalProgram()));
        EXPECT_EQ(firstRun.geometry(), WindowPlacement::firstGeometry(area));
    }
    const QRect chosen(area.left() + 10, area.top() + 20, area.width() / 2, area.height() / 2);
    {
        QWidget window;
        window.setGeometry(chosen);
        QSplitter splitter(&window);
        splitter.addWidget(new QWidget);
        splitter.addWidget(new QWidget);
        splitter.setGeometry(0, 0, chosen.width(), 100);
        splitter.setSizes({150, chosen.width() - 150 - splitter.handleWidth()});
        Settings settings(SettingsScope::journalProgram());
        WindowPlacement::store(window, settings, &splitter);
    }
    QWidget reopened;
    const Settings journal(SettingsScope::journalProgram());
    WindowPlacement::restore(reopened, journal);
    EXPECT_EQ(reopened.geometry(), chosen);
    EXPECT_FALSE(reopened.windowState().testFlag(Qt::WindowMaximized));
    QSplitter splitter;
    splitter.addWidget(new QWidget);
    splitter.addWidget(new QWidget);
    splitter.resize(chosen.width(), 100);
    WindowPlacement::restoreSplitter(splitter, journal, chosen.width());
    EXPECT_EQ(splitter.sizes().front(), 150);

    // The other program keeps its own place.
    QWidget editor;
    WindowPlacement::restore(editor, Settings(SettingsScope::roleEditor()));
    EXPECT_EQ(editor.geometry(), WindowPlacement::firstGeometry(area));
}

TEST(WindowPlacement, APlaceStoredOnAScreenThatIsGoneOpensOnAVisibleOne) {
    QTemporaryDir folder;
    Settings::useFolder(folder.path());
    {
        Settings settings(SettingsScope::roleEditor());
        settings.setInteger("WindowLeft", 9000);
        settings.setInteger("WindowTop", -4000);
        settings.setInteger("WindowWidth", 500);
        settings.setInteger("WindowHeight", 400);
        settings.setInteger("WindowMaximized", 1);
    }
    QWidget window;
    WindowPlacement::restore(window, Settings(SettingsScope::roleEditor()));
    EXPECT_TRUE(screenArea().contains(window.geometry())) << window.geometry().x() << "," << window.geometry().y();
    EXPECT_EQ(window.size(), QSize(500, 400));
    EXPECT_TRUE(window.windowState().testFlag(Qt::WindowMaximized));
}
