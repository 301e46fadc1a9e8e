// SPDX-License-Identifier: GPL-3.0-or-later
// Two real starts of the role editor: the second hands its file to the first and ends.
#include "kvrole/SingleInstance.h"
#include "model/RoleFile.h"
#include "tests/support/Samples.h"
#include "tests/support/TempFolder.h"
#include "ui/RecentFiles.h"
#include "ui/Settings.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <functional>
#include <memory>

namespace {

bool eventually(const std::function<bool()>& condition, int ms = 15000) {
    const QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QTest::qWait(50);
    }
    return true;
}

class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override {
        // The editors started here and this test share these settings, so they meet on one socket.
        ui::Settings::useFolder(QString::fromStdString(m_temp.file("config")));
        m_socket = SingleInstance::nameFor(ui::Settings(ui::SettingsScope::roleEditor()).fileName());
        m_roleA = QString::fromStdString(m_temp.write("Role A.kvr", RoleFile::encode(samples::role())));
        m_roleB = QString::fromStdString(m_temp.write("Role B.kvr", RoleFile::encode(samples::role())));
    }

    void TearDown() override {
        for (const auto& editor : m_editors) {
            if (editor->state() != QProcess::NotRunning) {
                editor->kill();
                editor->waitForFinished(5000);
            }
        }
        QFile::remove(m_socket);
    }

    QProcess& startEditor(const QStringList& files, const QString& folder = {}) {
        auto editor = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(m_temp.file("config")));
        environment.insert("XDG_RUNTIME_DIR", qEnvironmentVariable("XDG_RUNTIME_DIR"));
        editor->setProcessEnvironment(environment);
        editor->setProcessChannelMode(QProcess::ForwardedChannels);
        editor->setWorkingDirectory(folder);
        editor->start(QStringLiteral(KVROLE_PATH), files);
        EXPECT_TRUE(editor->waitForStarted(10000));
        m_editors.push_back(std::move(editor));
        return *m_editors.back();
    }

    // What the running editor opened, as it records it in the recent-file list.
    static QStringList opened() {
        return ui::RecentFileList(ui::SettingsScope::roleEditor(), QStringLiteral("RecentFile")).paths();
    }

    bool serving() const { return QFileInfo(m_socket).exists(); }

    TempFolder m_temp;
    QString m_socket;
    QString m_roleA;
    QString m_roleB;
    std::vector<std::unique_ptr<QProcess>> m_editors;
};

TEST_F(SingleInstanceTest, ASecondStartHandsItsFileToTheRunningEditorAndEnds) {
    QProcess& first = startEditor({m_roleA});
    ASSERT_TRUE(eventually([this] { return serving() && opened().contains(m_roleA); }));

    // Started in the file's folder with its bare name, as a file manager or a shell may.
    QProcess& second = startEditor({QFileInfo(m_roleB).fileName()}, QFileInfo(m_roleB).path());
    ASSERT_TRUE(second.waitForFinished(15000)) << "the second start ran on instead of handing over";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(eventually([this] { return opened().contains(m_roleB); })) << opened().join('|').toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashedEditorIsRemovedNotObeyed) {
    // A socket file nobody listens on, as a crashed run leaves it.
    const int leftover = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(leftover, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(m_socket);
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof(address.sun_path));
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(::bind(leftover, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(leftover);
    ASSERT_TRUE(serving());

    QProcess& editor = startEditor({m_roleA});
    EXPECT_FALSE(editor.waitForFinished(2000)) << "the editor took the leftover for a running one";
    ASSERT_TRUE(eventually([this] { return opened().contains(m_roleA); }));

    QProcess& later = startEditor({m_roleB});
    ASSERT_TRUE(later.waitForFinished(15000));
    EXPECT_EQ(later.exitCode(), 0);
    EXPECT_TRUE(eventually([this] { return opened().contains(m_roleB); }));
    EXPECT_EQ(editor.state(), QProcess::Running);
}

TEST(SingleInstanceName, FollowsTheSettingsAndFallsBackToTheTemporaryFolderWithoutARuntimeFolder) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    ASSERT_FALSE(runtime.isEmpty());
    const QString mine = SingleInstance::nameFor("/home/me/.config/KV Software/KVRole.conf");
    EXPECT_TRUE(mine.startsWith(runtime + "/kvrole-" + QString::number(::getuid()) + "-")) << mine.toStdString();
    EXPECT_NE(mine, SingleInstance::nameFor("/tmp/test-settings/KV Software/KVRole.conf"));
    EXPECT_EQ(mine, SingleInstance::nameFor("/home/me/.config/KV Software/KVRole.conf"));

    qunsetenv("XDG_RUNTIME_DIR");
    const QString withoutRuntime = SingleInstance::nameFor("/home/me/.config/KV Software/KVRole.conf");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    EXPECT_EQ(QFileInfo(withoutRuntime).path(), QDir::tempPath());
}

} // namespace
