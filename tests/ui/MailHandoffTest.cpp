// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/RecordingMailHandoff.h"
#include "ui/AfxFolders.h"
#include "ui/DesktopMailHandoff.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace ui;

namespace {

void writeFile(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions = {}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    if (permissions) {
        file.setPermissions(permissions);
    }
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A stand-in for xdg-email that notes its arguments and the attachment, then exits as told.
QString fakeComposer(const QTemporaryDir& folder, int exitCode, const char* extra = "") {
    const QString path = folder.filePath(QStringLiteral("composer-%1").arg(exitCode));
    writeFile(path,
              QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\ncat \"$2\" > '%2'\n%3\nexit %4\n")
                  .arg(folder.filePath("arguments"), folder.filePath("attachment"), extra)
                  .arg(exitCode)
                  .toUtf8(),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

// Points the temporary directory at a folder of the test's own while it lives.
class TemporaryDirectory {
public:
    TemporaryDirectory() : m_previous(qgetenv("TMPDIR")) { qputenv("TMPDIR", QFile::encodeName(m_folder.path())); }
    ~TemporaryDirectory() { m_previous.isEmpty() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", m_previous); }
    // Also in folders below: a death test's child runs the test afresh and so makes its own.
    QStringList afxEntries() const {
        QStringList found;
        QDirIterator it(m_folder.path(), {"afx*"}, QDir::AllEntries | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            found << it.next();
        }
        return found;
    }
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    QByteArray m_previous;
};

} // namespace

TEST(DesktopMailHandoff, HandsTheFileOverWithAttachAndMapsTheExitStatus) {
    QTemporaryDir folder;
    const QString attachment = folder.filePath("Feedback Request from Jo.kvq");
    writeFile(attachment, "request bytes");

    DesktopMailHandoff composer(fakeComposer(folder, 0));
    EXPECT_TRUE(composer.available());
    EXPECT_EQ(composer.composeWithAttachment(attachment), MailResult::Sent);
    EXPECT_EQ(readFile(folder.filePath("arguments")), "--attach\n" + attachment.toUtf8() + "\n");
    EXPECT_EQ(readFile(folder.filePath("attachment")), "request bytes");

    for (const int failure : {1, 2, 3, 4, 5}) {
        EXPECT_EQ(DesktopMailHandoff(fakeComposer(folder, failure)).composeWithAttachment(attachment),
                  MailResult::Failure)
            << failure;
    }
}

TEST(DesktopMailHandoff, MissingComposerOrFileFailsWithoutRunningAnything) {
    QTemporaryDir folder;
    const QString attachment = folder.filePath("request.kvq");
    writeFile(attachment, "x");
    DesktopMailHandoff missing(folder.filePath("no-such-composer"));
    EXPECT_FALSE(missing.available());
    EXPECT_EQ(missing.composeWithAttachment(attachment), MailResult::Failure);
    EXPECT_FALSE(DesktopMailHandoff("reflectory-no-such-composer").available());

    DesktopMailHandoff composer(fakeComposer(folder, 0));
    EXPECT_EQ(composer.composeWithAttachment(folder.filePath("gone.kvq")), MailResult::Failure);
    EXPECT_FALSE(QFile::exists(folder.filePath("arguments")));
}

TEST(DesktopMailHandoff, ComposerStillOpenAfterTheWaitHasTheFile) {
    QTemporaryDir folder;
    const QString attachment = folder.filePath("request.kvq");
    writeFile(attachment, "x");
    DesktopMailHandoff composer(fakeComposer(folder, 4, "sleep 2"), 200);
    EXPECT_EQ(composer.composeWithAttachment(attachment), MailResult::Sent);
}

TEST(RecordingMailHandoff, RecordsEachHandoffAndAnswersAsQueued) {
    QTemporaryDir folder;
    const QString attachment = folder.filePath("Role.kvr");
    writeFile(attachment, "role bytes");
    RecordingMailHandoff mail;
    mail.queueResult(MailResult::UserAbort);
    mail.queueResult(MailResult::Failure);
    EXPECT_EQ(mail.composeWithAttachment(attachment), MailResult::UserAbort);
    EXPECT_EQ(mail.composeWithAttachment(attachment), MailResult::Failure);
    QFile::remove(attachment);
    EXPECT_EQ(mail.composeWithAttachment(attachment), MailResult::Sent);

    ASSERT_EQ(mail.handoffs().size(), 3u);
    EXPECT_EQ(mail.handoffs()[0].fileName, "Role.kvr");
    EXPECT_EQ(mail.handoffs()[0].content, "role bytes");
    EXPECT_FALSE(mail.handoffs()[2].fileExisted);
    mail.setAvailable(false);
    EXPECT_FALSE(mail.available());
}

TEST(AfxFolders, EachFileGetsAPrivateFolderUnderItsDisplayName) {
    TemporaryDirectory temp;
    AfxFolders folders;
    const std::optional<QString> first = folders.pathFor("Feedback Request from Jo Bloggs.kvq");
    const std::optional<QString> second = folders.pathFor("Feedback Request from Jo Bloggs.kvq");
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    const QFileInfo file(*first);
    EXPECT_EQ(file.fileName(), "Feedback Request from Jo Bloggs.kvq");
    const QFileInfo folder(file.path());
    EXPECT_EQ(folder.path(), temp.path());
    EXPECT_TRUE(folder.fileName().startsWith("afx"));
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_EQ(folder.permissions() & others, QFileDevice::Permissions()) << "private to this user";
    EXPECT_EQ(folders.count(), 2u);

    writeFile(*first, "bytes");
    folders.removeAll();
    EXPECT_TRUE(temp.afxEntries().isEmpty());
}

TEST(AfxFolders, DisplayNamesCannotLeaveTheFolder) {
    EXPECT_EQ(AfxFolders::safeFileName("Feedback Request from ../../etc/x.kvq"),
              "Feedback Request from .._.._etc_x.kvq");
    EXPECT_EQ(AfxFolders::safeFileName(".."), "attachment");
    EXPECT_EQ(AfxFolders::safeFileName(""), "attachment");
    const QString longName = AfxFolders::safeFileName("Feedback Request from " + QString(300, QChar(0x00E9)) + ".kvq");
    EXPECT_LE(QFile::encodeName(longName).size(), 255);
    EXPECT_TRUE(longName.endsWith(".kvq"));
}

TEST(AfxFolders, TheProgramsFoldersGoWhenItExits) {
    TemporaryDirectory temp;
    EXPECT_EXIT(
        {
            const std::optional<QString> path = AfxFolders::forProcess().pathFor("request.kvq");
            QFile file(path.value_or(QString()));
            const bool written = path && file.open(QIODevice::WriteOnly) && file.write("x") == 1;
            file.close();
            std::exit(written && AfxFolders::forProcess().count() == 1 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_TRUE(temp.afxEntries().isEmpty()) << temp.afxEntries().join(' ').toStdString();
}
