// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "mailreader/MailMerge.h"
#include "model/WebReply.h"

#include <QAction>
#include <QMenuBar>
#include <QStatusBar>

#include <algorithm>

namespace {

// A mail as the gateway sends it: a text part and the reply attached in base64.
std::string mailWith(const std::string& name, const std::string& reply) {
    return "From: gateway@example.org\r\nSubject: Feedback\r\nMIME-Version: 1.0\r\n"
           "Content-Type: multipart/mixed; boundary=\"B\"\r\n\r\n"
           "--B\r\nContent-Type: text/plain\r\n\r\nAnswers attached.\r\n"
           "--B\r\nContent-Type: application/octet-stream\r\nContent-Transfer-Encoding: base64\r\n"
           "Content-Disposition: attachment; filename=\"" +
           name + "\"\r\n\r\n" + QByteArray::fromStdString(reply).toBase64().toStdString() + "\r\n--B--\r\n";
}

class MailMergeWindowTest : public MainWindowTest {
protected:
    std::string mbox(const std::vector<std::string>& mails) {
        std::string text;
        for (const std::string& mail : mails) {
            text += "From gateway@example.org Tue Dec  8 10:00:00 2026\n" + mail + "\n";
        }
        const std::string path = m_temp.file("inbox");
        EXPECT_TRUE(AtomicFile::write(path, text));
        return path;
    }

    void mergeFromMenu(const std::string& path) {
        m_prompts.queueFileName(QString::fromStdString(path));
        m_frame->action(CMainFrame::Command::MergeFromMail)->trigger();
    }
};

} // namespace

TEST_F(MailMergeWindowTest, TheMenuMergesEveryReplyAndShowsOneSummary) {
    openSample();
    const std::size_t before = m_journal.questionnaires.size();
    CWebReply reply = samples::webReply("");
    reply.roleName = m_journal.roleName;
    const std::string inbox = mbox({mailWith("Sam.kvi", reply.encode()), mailWith("Sam again.kvi", reply.encode())});

    mergeFromMenu(inbox);
    EXPECT_EQ(m_prompts.texts(), QStringList{"From inbox (2 mails), 2 replies:\n"
                                             "Merged (1):\n"
                                             "    Sam.kvi (mail 1): Sam Respondent (Direct Report)\n"
                                             "Skipped as already merged (1):\n"
                                             "    Sam again.kvi (mail 2)"});
    ASSERT_EQ(m_frame->document().questionnaires.size(), before + 1);
    EXPECT_TRUE(m_frame->document().modified);
    QTreeWidgetItem* feedback = tree().itemOf(*contents().landmarks().feedback);
    EXPECT_EQ(feedback->child(static_cast<int>(before))->text(0), "Sam Respondent");
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "Merged the feedback of Sam Respondent (Direct Report)");
}

TEST_F(MailMergeWindowTest, NothingThatPassesLeavesTheJournalUnmodified) {
    openSample();
    CWebReply reply = samples::webReply("");
    reply.roleName = "Designer";
    const std::string inbox = mbox({mailWith("Sam.kvi", reply.encode()), "Subject: no attachment\n\nhi\n"});

    drop({QString::fromStdString(inbox)});
    EXPECT_EQ(m_prompts.texts(), QStringList{"From inbox (2 mails), 1 reply:\n"
                                             "Refused (1):\n"
                                             "    Sam.kvi (mail 1): " +
                                             QString::fromStdString(requesttext::roleMismatch("Designer"))});
    EXPECT_EQ(static_cast<const JournalRecord&>(m_frame->document()), static_cast<const JournalRecord&>(m_journal));
    EXPECT_FALSE(m_frame->document().modified);
}

TEST_F(MailMergeWindowTest, TheCommandSitsBesideMergeCompletedFeedbackAndNeedsARole) {
    EXPECT_FALSE(m_frame->action(CMainFrame::Command::MergeFromMail)->isEnabled());
    openSample();
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::MergeFromMail)->isEnabled());
    QMenu* tools = nullptr;
    for (QAction* menu : m_frame->menuBar()->actions()) {
        if (menu->text() == "&Tools") {
            tools = menu->menu();
        }
    }
    ASSERT_NE(tools, nullptr);
    const std::vector<QString> texts = menuTexts(*tools);
    const auto merge = std::find(texts.begin(), texts.end(), "&Merge Completed Feedback Request...");
    ASSERT_NE(merge, texts.end());
    EXPECT_EQ(*(merge + 1), "Merge &Feedback From Mail...");
    EXPECT_EQ(droppedFileKind(QString::fromStdString(m_temp.path())), DroppedFileKind::Mail);
    EXPECT_EQ(droppedFileKind("saved.EML"), DroppedFileKind::Mail);
}
