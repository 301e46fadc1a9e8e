// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MailAttachment.h"
#include "tests/support/RecordingMailHandoff.h"
#include "ui/AfxFolders.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using Result = ui::MailAttachment::Result;

TEST(MailAttachment, TheFileReachesTheComposerUnderItsNameAndEachFailureIsTold) {
    QTemporaryDir temporary;
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    ui::RecordingMailHandoff handoff;
    ui::AfxFolders folders;
    ui::MailAttachment attachment(handoff, folders);

    EXPECT_EQ(attachment.send(QString::fromUtf8("Zo\u00EB.kva"), "journal bytes"), Result::Sent);
    ASSERT_EQ(handoff.handoffs().size(), 1u);
    EXPECT_EQ(handoff.handoffs()[0].fileName, QString::fromUtf8("Zo\u00EB.kva"));
    EXPECT_EQ(handoff.handoffs()[0].content, "journal bytes");

    handoff.queueResult(ui::MailResult::UserAbort);
    EXPECT_EQ(attachment.send(QStringLiteral("a.kvr"), "x"), Result::UserAbort);
    handoff.queueResult(ui::MailResult::Failure);
    EXPECT_EQ(attachment.send(QStringLiteral("a.kvr"), "x"), Result::ComposeFailed);

    // Without a temporary folder to write in, nothing reaches the composer.
    qputenv("TMPDIR", QFile::encodeName(temporary.filePath(QStringLiteral("missing"))));
    std::string error = "unchanged";
    EXPECT_EQ(attachment.send(QStringLiteral("a.kvr"), "x", &error), Result::NotWritten);
    EXPECT_EQ(error, "");
    handoff.setAvailable(false);
    EXPECT_EQ(attachment.send(QStringLiteral("a.kvr"), "x"), Result::MailUnavailable);
    EXPECT_EQ(handoff.handoffs().size(), 3u);
    previous.isEmpty() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", previous);
}
