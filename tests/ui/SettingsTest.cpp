// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using ui::Settings;
using ui::SettingsScope;

namespace {

// Each test keeps its settings in a folder of its own.
class SettingsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        Settings::useFolder(m_folder.path());
    }
    QString fileText(const QString& relative) const {
        QFile file(m_folder.filePath(relative));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir m_folder;
};

} // namespace

TEST_F(SettingsTest, ValuesSurviveInTheProgramsOwnSection) {
    {
        Settings journal(SettingsScope::journalProgram());
        journal.setText("RoleDirectory", "/srv/roles/");
        journal.setInteger("MailType", 2);
        Settings editor(SettingsScope::roleEditor());
        editor.setInteger("ConfirmDelete", 0);
    }
    Settings journal(SettingsScope::journalProgram());
    EXPECT_EQ(journal.text("RoleDirectory"), "/srv/roles/");
    EXPECT_EQ(journal.integer("MailType", 0), 2);
    EXPECT_FALSE(journal.contains("ConfirmDelete"));
    EXPECT_EQ(Settings(SettingsScope::roleEditor()).integer("ConfirmDelete", 1), 0);

    EXPECT_EQ(journal.fileName(), m_folder.filePath("KV Software/KV 360.conf"));
    EXPECT_TRUE(fileText("KV Software/KV 360.conf").contains("[PAVEX]\nMailType=2\nRoleDirectory=/srv/roles/"));
    EXPECT_TRUE(fileText("KV Software/KVRole.conf").contains("[KVRole]\nConfirmDelete=0"));
}

TEST_F(SettingsTest, AbsentOrUnreadableValuesGiveTheDefault) {
    Settings settings(SettingsScope::roleEditor());
    EXPECT_EQ(settings.integer("ConfirmDelete", 1), 1);
    EXPECT_EQ(settings.text("DocumentationHome"), QString());
    EXPECT_EQ(settings.text("EmailSubject", "Feedback"), "Feedback");

    settings.setText("ConfirmDelete", "yes please");
    EXPECT_EQ(settings.integer("ConfirmDelete", 1), 1);
    settings.setText("ConfirmDelete", " 0 ");
    EXPECT_EQ(settings.integer("ConfirmDelete", 1), 0);
    settings.setInteger("MailType", 1);
    EXPECT_EQ(settings.text("MailType"), "1");

    settings.remove("ConfirmDelete");
    EXPECT_FALSE(settings.contains("ConfirmDelete"));
}

TEST_F(SettingsTest, AwkwardTextsComeBackUnchanged) {
    const QStringList texts{
        "a, b; c",        "\"quoted\"",   "  padded  ", "C:\\Program Files\\x\\", "line one\nline two",
        "@Variant(oops)", "100% Grüße €", "",           "key=value [section]",    "#not a comment",
    };
    {
        Settings settings(SettingsScope::roleEditor());
        for (int i = 0; i < texts.size(); ++i) {
            settings.setText(QStringLiteral("Text%1").arg(i), texts[i]);
        }
    }
    const Settings settings(SettingsScope::roleEditor());
    for (int i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(settings.text(QStringLiteral("Text%1").arg(i), "absent"), texts[i]) << i;
    }
}

TEST_F(SettingsTest, HandEditedListLikeTextsReadAsWritten) {
    QDir().mkpath(m_folder.filePath("KV Software"));
    QFile file(m_folder.filePath("KV Software/KVRole.conf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[KVRole]\nEmailSubject=Feedback, please\nConfirmDelete=0\n");
    file.close();
    const Settings settings(SettingsScope::roleEditor());
    EXPECT_EQ(settings.text("EmailSubject"), "Feedback, please");
    EXPECT_EQ(settings.integer("ConfirmDelete", 1), 0);
}
