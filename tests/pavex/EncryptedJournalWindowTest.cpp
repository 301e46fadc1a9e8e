// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/ResultsExport.h"
#include "tests/pavex/MainWindowFixture.h"
#include "vault/Envelope.h"

namespace {

class EncryptedWindowTest : public MainWindowTest {
protected:
    std::string writeEncrypted() {
        CPavexDoc doc = samples::journal("tulip");
        doc.encrypted = true;
        return writeJournal(doc, "Sealed.kva");
    }

    static std::string bytesOf(const QByteArray& content) {
        return std::string(content.constData(), static_cast<std::size_t>(content.size()));
    }
};

} // namespace

TEST_F(EncryptedWindowTest, OpenAsksThePasswordOnceAndSaveAndSendKeepTheJournalSealed) {
    const std::string path = writeEncrypted();
    m_prompts.queuePassword(QStringLiteral("tulip"));
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(path)));
    ASSERT_EQ(m_prompts.shown().size(), 1u);
    EXPECT_EQ(m_prompts.shown()[0].kind, ui::QtPrompts::Kind::Password);
    EXPECT_EQ(m_prompts.shown()[0].caption, "Security Check");
    EXPECT_TRUE(m_frame->document().encrypted);

    m_frame->toggleBehaviourMark(0);
    ASSERT_TRUE(m_frame->save());
    std::string error;
    EXPECT_TRUE(vault::looksSealed(readWholeFile(path, &error).value_or("")));

    ASSERT_TRUE(m_frame->sendJournal());
    ASSERT_EQ(m_handoff.handoffs().size(), 1u);
    const std::string sent = bytesOf(m_handoff.handoffs()[0].content);
    EXPECT_TRUE(vault::looksSealed(sent));
    EXPECT_EQ(sent.find("Alex Example"), std::string::npos);
}

TEST_F(EncryptedWindowTest, AWrongPasswordIsToldAndTheOpenJournalStays) {
    openSample();
    const std::string path = writeEncrypted();
    m_prompts.queuePassword(QStringLiteral("Tulip"));
    EXPECT_FALSE(m_frame->openJournalFile(QString::fromStdString(path)));
    EXPECT_EQ(m_prompts.texts(), QStringList{journaltext::kWrongPassword});
    EXPECT_FALSE(m_frame->document().encrypted);
    EXPECT_EQ(m_frame->document().title(), "Alex.kva");
}

TEST_F(EncryptedWindowTest, AMistypedPasswordIsAskedAgainNamingTheFile) {
    const std::string path = writeEncrypted();
    m_prompts.queuePassword(QStringLiteral("Tulip"));
    m_prompts.queuePassword(QStringLiteral("tulip"));
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(path)));
    EXPECT_EQ(m_prompts.texts(), QStringList{journaltext::kWrongPassword});
    ASSERT_EQ(m_prompts.shown().size(), 3u);
    EXPECT_EQ(m_prompts.shown()[2].text, QStringLiteral("Please type the password for this file:\nSealed.kva"));
    EXPECT_TRUE(m_frame->document().encrypted);
}

TEST_F(EncryptedWindowTest, ExportResultsWritesTheBehaviourTableAfterAskingForTheFile) {
    m_frame->newJournal();
    EXPECT_FALSE(m_frame->action(CMainFrame::Command::ExportResults)->isEnabled()); // no role, no figures
    openSample();
    QAction* command = m_frame->action(CMainFrame::Command::ExportResults);
    EXPECT_TRUE(command->isEnabled());
    EXPECT_EQ(command->text(), "Export Results...");

    const QString chosen = QString::fromStdString(m_temp.file("figures"));
    m_prompts.queueFileName(chosen);
    command->trigger();
    ASSERT_FALSE(m_prompts.fileChoices().empty());
    const FileChoice& choice = m_prompts.fileChoices().back();
    EXPECT_EQ(choice.title, exporttext::kExportTitle);
    EXPECT_EQ(choice.proposedName, "Alex.csv");
    EXPECT_TRUE(choice.confirmOverwrite);
    QFile file(chosen + ".csv");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray csv = file.readAll();
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"
                               "Competency,Behaviour,Average,Self average,"));
    EXPECT_EQ(csv.count("\r\n"), 1 + static_cast<int>(m_journal.framework.behaviours.size()));
    EXPECT_TRUE(m_prompts.texts().isEmpty());
}
