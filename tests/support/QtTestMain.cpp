// SPDX-License-Identifier: GPL-3.0-or-later
// The one main of the Qt tests: an application on the offscreen platform unless a display is asked
// for, Qt's test mode for standard paths, and settings and runtime files in folders of the run's
// own, so the tests run on machines without a screen and never touch the user's files.
#include "ui/TextFieldFocus.h"
#include "ui/VisibleFocus.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The build lists the tests by running this program, without the tests' environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir runtimeFolder;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder.path()));
    }
    QStandardPaths::setTestModeEnabled(true);
    testing::InitGoogleTest(&argc, argv);
    // Death tests start this program afresh instead of forking one that runs Qt's threads.
    GTEST_FLAG_SET(death_test_style, "threadsafe");

    QApplication application(argc, argv);
    // As in the programs: every dialog that asks for text opens with the focus in its first field.
    ui::TextFieldFocus::install();
    ui::VisibleFocus::install();
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    return RUN_ALL_TESTS();
}
