// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DesktopOpen.h"
#include "ui/FileSearch.h"
#include "ui/HelpPages.h"
#include "ui/ProgramPlaces.h"
#include "ui/QtPrompts.h"
#include "ui/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ui;

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

// A stand-in for the desktop's opener: notes its argument in `record`, then runs `ending`.
QString fakeOpener(const QString& record, const QString& ending) {
    static int count = 0;
    const QString script = QFileInfo(record).path() + QStringLiteral("/opener-%1.sh").arg(++count);
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly)) {
        return {};
    }
    file.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n%2\n").arg(record, ending).toUtf8());
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return script;
}

QStringList recorded(const QString& record) {
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

// A program folder "bin" and an installed data folder "share/reflectory" beside it, and settings
// of its own.
class PlacesTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        QDir(m_root.path()).mkpath("bin");
        Settings::useFolder(m_root.filePath("settings"));
    }
    void TearDown() override { restoreDesktopOpener(); }
    QString bin(const QString& relative = {}) const { return m_root.filePath("bin/" + relative); }
    QString share(const QString& relative = {}) const { return m_root.filePath("share/reflectory/" + relative); }
    ProgramPlaces places() const { return ProgramPlaces(m_root.filePath("bin")); }

    QTemporaryDir m_root;
};

} // namespace

TEST_F(PlacesTest, SearchTakesTheFirstFolderThatHoldsTheFile) {
    const QStringList names{"program", "current", "system", "path1", "path2"};
    QStringList folders;
    for (const QString& name : names) {
        folders << m_root.filePath(name);
        touch(m_root.filePath(name + "/pavex"));
    }
    QDir(folders[1]).mkpath("subfolder");
    const FileSearch search(folders);
    for (const QString& folder : folders) {
        EXPECT_EQ(search.find("pavex"), QDir(folder).filePath("pavex"));
        QFile::remove(QDir(folder).filePath("pavex"));
    }
    EXPECT_EQ(search.find("pavex"), std::nullopt);
    EXPECT_EQ(search.find("subfolder"), std::nullopt) << "a folder is not a file";
    EXPECT_EQ(search.find(""), std::nullopt);
}

TEST_F(PlacesTest, StandardOrderIsProgramCurrentEtcThenPath) {
    EXPECT_EQ(FileSearch::standardFolders("/opt/bin", "/home/me", "/usr/bin::/bin"),
              QStringList({"/opt/bin", "/home/me", "/etc", "/usr/bin", "/home/me", "/bin"}));
    const QStringList standard = FileSearch::standard().folders();
    ASSERT_GE(standard.size(), 3);
    EXPECT_EQ(standard[0], QCoreApplication::applicationDirPath());
    EXPECT_EQ(standard[1], QDir::currentPath());
    EXPECT_EQ(standard[2], "/etc");
}

TEST_F(PlacesTest, DataIsLookedForBesideTheProgramThenInShare) {
    EXPECT_EQ(places().dataFolders(), QStringList({QDir::cleanPath(bin()), QDir::cleanPath(share())}));
    EXPECT_EQ(places().findData("template.txt"), std::nullopt);
    EXPECT_EQ(places().dataPath("template.txt"), bin("template.txt"));
    touch(share("template.txt"));
    EXPECT_EQ(places().findData("template.txt"), share("template.txt"));
    touch(bin("template.txt"));
    EXPECT_EQ(places().findData("template.txt"), bin("template.txt"));
    EXPECT_EQ(ProgramPlaces().programFolder(), QCoreApplication::applicationDirPath());
}

TEST_F(PlacesTest, RoleDirectoryComesFromTheSettingOrTheDataFolders) {
    Settings settings(SettingsScope::journalProgram());
    EXPECT_EQ(places().roleDirectory(settings), bin("roles/"));
    QDir().mkpath(share("roles"));
    EXPECT_EQ(places().roleDirectory(settings), share("roles/"));

    settings.setText("RoleDirectory", "/srv/team roles/");
    EXPECT_EQ(places().roleDirectory(settings), "/srv/team roles/");
    settings.setText("RoleDirectory", "/srv/team roles");
    EXPECT_EQ(places().roleDirectory(settings), "/srv/team roles/") << "file names are appended directly";
    settings.setText("RoleDirectory", "");
    EXPECT_EQ(places().roleDirectory(settings), share("roles/"));
}

TEST_F(PlacesTest, UserRolesListWithTheShippedOnesAndTakeDroppedRolesUnlessTheSettingNamesAFolder) {
    Settings settings(SettingsScope::journalProgram());
    QDir().mkpath(share("roles"));
    const QString mine = ProgramPlaces::userRoleDirectory();
    EXPECT_TRUE(mine.endsWith("/reflectory/roles/"));
    EXPECT_FALSE(mine.startsWith(m_root.path())) << "the user's folder is not beside the program";
    EXPECT_EQ(places().roleFolders(settings), QStringList({mine, share("roles/")}));
    QDir(mine).removeRecursively();
    EXPECT_EQ(places().roleDropDirectory(settings), mine);
    EXPECT_TRUE(QFileInfo(mine).isDir()) << "made for the first dropped role";

    settings.setText("RoleDirectory", "/srv/team roles");
    EXPECT_EQ(places().roleFolders(settings), QStringList{"/srv/team roles/"});
    settings.setText("RoleDirectory", m_root.filePath("team"));
    EXPECT_EQ(places().roleDropDirectory(settings), m_root.filePath("team") + "/");
    settings.setText("RoleDirectory", "");
}

TEST_F(PlacesTest, HelpOpensTheSettingThenTheProgramsCopyThenTheInstalledCopy) {
    Settings settings(SettingsScope::roleEditor());
    QtPrompts prompts("KVRole");
    prompts.setDialogsShown(false);
    QStringList tried;
    const auto refuseAll = [&tried](const QString& page) {
        tried << page;
        return false;
    };
    const HelpPages help(places(), "roledoc.htm", m_root.filePath("installed"));

    EXPECT_FALSE(help.open(settings, prompts, refuseAll));
    EXPECT_EQ(tried, QStringList({bin("document/roledoc.htm"), m_root.filePath("installed/document/roledoc.htm")}));
    EXPECT_EQ(prompts.texts(), QStringList{"Sorry, the help documentation cannot be located.  Visit the PAVEX web site "
                                           "at " +
                                           m_root.filePath("installed/document/")});
    EXPECT_EQ(prompts.shown().front().caption, "KVRole");

    // The page is there, but no browser could be started for it.
    tried.clear();
    touch(share("document/roledoc.htm"));
    EXPECT_FALSE(help.open(settings, prompts, refuseAll));
    EXPECT_EQ(prompts.texts().last(), HelpPages::noBrowserMessage(share("document/roledoc.htm")));
    EXPECT_TRUE(prompts.texts().last().contains(share("document/roledoc.htm")));

    tried.clear();
    settings.setText("DocumentationHome", "https://help.example.org/roles.htm");
    EXPECT_TRUE(help.open(settings, prompts, [&tried](const QString& page) {
        tried << page;
        return true;
    }));
    EXPECT_EQ(tried, QStringList{"https://help.example.org/roles.htm"});
    settings.setText("DocumentationHome", "");
    EXPECT_EQ(help.firstChoice(""), share("document/roledoc.htm"));
}

TEST_F(PlacesTest, HelpWithNothingInstalledTellsTheUserWithoutStartingAnything) {
    const QString record = m_root.filePath("opened.txt");
    setDesktopOpener(fakeOpener(record, "exit 0"), 2000);
    QtPrompts prompts("KV 360");
    prompts.setDialogsShown(false);
    EXPECT_FALSE(HelpPages(places(), "document.htm", m_root.filePath("installed"))
                     .open(Settings(SettingsScope::journalProgram()), prompts));
    EXPECT_EQ(prompts.texts().size(), 1);
    EXPECT_FALSE(QFile::exists(record)) << "nothing was started";
}

TEST_F(PlacesTest, TheDesktopOpenerIsRunAndItsExitStatusDecides) {
    const QString record = m_root.filePath("opened.txt");
    touch(bin("document/document.htm"));
    setDesktopOpener(fakeOpener(record, "exit 0"), 5000);
    EXPECT_TRUE(openWithDesktop(bin("document/document.htm")));
    EXPECT_TRUE(openWithDesktop("https://www.reflectory360.example/help?a=1&b=2"));
    EXPECT_FALSE(openWithDesktop(bin("document/missing.htm")));
    EXPECT_FALSE(openWithDesktop(""));
    EXPECT_EQ(recorded(record),
              QStringList({bin("document/document.htm"), "https://www.reflectory360.example/help?a=1&b=2"}));

    // A browser that refuses to run makes the opener fail after it started; one that keeps the
    // opener waiting has been started.
    setDesktopOpener(fakeOpener(record, "exit 4"), 5000);
    EXPECT_FALSE(openWithDesktop(bin("document/document.htm")));
    setDesktopOpener(fakeOpener(record, "exec sleep 1"), 300);
    EXPECT_TRUE(openWithDesktop(bin("document/document.htm")));

    EXPECT_EQ(documentUrl("mailto:someone@example.org").scheme(), "mailto");
    EXPECT_TRUE(documentUrl("c:/Program Files/document.htm").isLocalFile()) << "a drive letter is no scheme";
    EXPECT_TRUE(documentUrl("relative/page.htm").isLocalFile());
}

TEST_F(PlacesTest, HelpWhoseBrowserCannotStartSaysSo) {
    const QString record = m_root.filePath("opened.txt");
    touch(bin("document/roledoc.htm"));
    setDesktopOpener(fakeOpener(record, "exit 3"), 5000);
    QtPrompts prompts("KVRole");
    prompts.setDialogsShown(false);
    EXPECT_FALSE(HelpPages(places(), "roledoc.htm", m_root.filePath("installed"))
                     .open(Settings(SettingsScope::roleEditor()), prompts));
    EXPECT_EQ(prompts.texts(), QStringList{HelpPages::noBrowserMessage(bin("document/roledoc.htm"))});
    EXPECT_EQ(recorded(record), QStringList{bin("document/roledoc.htm")});
}
