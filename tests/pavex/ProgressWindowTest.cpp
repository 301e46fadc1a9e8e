// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ProgressPages.h"
#include "pavex/EarlierJournal.h"
#include "tests/pavex/MainWindowFixture.h"

#include <QStatusBar>

namespace {

// The same person a year before, protected by a password of its own and sealed.
CPavexDoc yearEarlier(const CPavexDoc& later) {
    CPavexDoc earlier = later;
    earlier.password = "tulip";
    earlier.encrypted = true;
    for (CPavexFeedback& questionnaire : earlier.questionnaires) {
        questionnaire.date.value -= 365;
        for (CResponse& response : questionnaire.responses) {
            response.option = std::max(0, response.option - 1);
        }
    }
    return earlier;
}

class ProgressWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        openSample();
        m_earlierPath = writeJournal(yearEarlier(m_journal), "Last year.kva");
        m_laterPath = m_frame->document().path;
    }

    bool compare() {
        m_prompts.queuePassword(QStringLiteral("tulip"));
        return m_frame->compareWithEarlierJournalFile(m_earlierPath);
    }

    bool reopen() { return m_frame->openJournalFile(QString::fromStdString(m_laterPath)); }

    std::string statusText() const { return m_frame->statusBar()->currentMessage().toStdString(); }

    std::string m_earlierPath;
    std::string m_laterPath;
};

} // namespace

TEST_F(ProgressWindowTest, CompareAddsTheProgressBranchWithoutChangingTheJournal) {
    const std::size_t roots = contents().rootCount();
    ASSERT_TRUE(compare());
    ASSERT_NE(contents().landmarks().progress, nullptr);
    EXPECT_EQ(contents().rootCount(), roots + 1);
    const ContentNode& branch = *contents().landmarks().progress;
    EXPECT_EQ(branch.label().rfind("Progress since ", 0), 0u) << branch.label();
    EXPECT_EQ(branch.childCount(), 5u);
    EXPECT_EQ(tree().selectedNode(), &branch);
    EXPECT_FALSE(m_frame->document().modified);
    EXPECT_FALSE(m_frame->isWindowModified());
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::StopComparing)->isEnabled());
    EXPECT_EQ(statusText(), "Comparing with Last year.kva");
    drawView(); // the page draws without failing
}

TEST_F(ProgressWindowTest, TheComparisonComesBackOnReopenAskingThePasswordAgain) {
    ASSERT_TRUE(compare());
    ASSERT_TRUE(m_frame->newJournal());
    EXPECT_EQ(contents().landmarks().progress, nullptr);

    m_prompts.clearShown();
    m_prompts.queuePassword(QStringLiteral("tulip"));
    ASSERT_TRUE(reopen());
    ASSERT_NE(contents().landmarks().progress, nullptr);
    ASSERT_EQ(m_prompts.shown().size(), 1u);
    EXPECT_EQ(m_prompts.shown()[0].kind, ui::QtPrompts::Kind::Password);

    // Cancel at the password leaves the branch out, and the choice stays for the next opening.
    m_prompts.queuePassword(std::nullopt);
    ASSERT_TRUE(reopen());
    EXPECT_EQ(contents().landmarks().progress, nullptr);
    m_prompts.queuePassword(QStringLiteral("tulip"));
    ASSERT_TRUE(reopen());
    EXPECT_NE(contents().landmarks().progress, nullptr);

    // The password itself is never among the settings.
    QFile settings(ui::Settings(ui::SettingsScope::journalProgram()).fileName());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_FALSE(settings.readAll().contains("tulip"));
}

TEST_F(ProgressWindowTest, StopComparingRemovesTheBranchAndForgetsTheChoice) {
    ASSERT_TRUE(compare());
    m_frame->stopComparing();
    EXPECT_EQ(contents().landmarks().progress, nullptr);
    EXPECT_FALSE(m_frame->action(CMainFrame::Command::StopComparing)->isEnabled());
    m_prompts.clearShown();
    ASSERT_TRUE(reopen());
    EXPECT_TRUE(m_prompts.shown().empty());
    EXPECT_EQ(contents().landmarks().progress, nullptr);
}

TEST_F(ProgressWindowTest, AMissingEarlierJournalLeavesTheBranchOutWithAWord) {
    ASSERT_TRUE(compare());
    std::filesystem::remove(m_earlierPath);
    ASSERT_TRUE(reopen());
    EXPECT_EQ(contents().landmarks().progress, nullptr);
    EXPECT_EQ(statusText(), "The earlier journal Last year.kva is no longer there: its Progress pages are left out.");
}

TEST_F(ProgressWindowTest, PairsThatCannotBeComparedAreToldAndChangeNothing) {
    EXPECT_FALSE(m_frame->compareWithEarlierJournalFile(m_laterPath));
    EXPECT_EQ(m_prompts.texts(), QStringList{progresspages::kSameJournal});

    CPavexDoc other = m_journal;
    for (CBehaviour& behaviour : other.framework.behaviours) {
        behaviour.statement += " in another role";
    }
    m_prompts.clearShown();
    EXPECT_FALSE(m_frame->compareWithEarlierJournalFile(writeJournal(other, "Other.kva")));
    EXPECT_EQ(m_prompts.texts(), QStringList{progresspages::kNothingInCommon});
    EXPECT_EQ(contents().landmarks().progress, nullptr);
    EXPECT_FALSE(m_frame->document().modified);
}

TEST_F(ProgressWindowTest, ALaterJournalChosenAsEarlierIsOpenedAndComparedTheOtherWayRound) {
    // The journal open is last year's; the one chosen is this year's.
    m_prompts.queuePassword(QStringLiteral("tulip"));
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(m_earlierPath)));
    m_prompts.clearShown();
    m_prompts.queueAnswer(true);
    ASSERT_TRUE(m_frame->compareWithEarlierJournalFile(m_laterPath));
    EXPECT_EQ(m_prompts.texts(), QStringList{QString::fromLatin1(progresspages::kLaterIsOlder) + " " +
                                             QString::fromLatin1(comparetext::kOpenInstead)});
    EXPECT_EQ(m_frame->document().path, m_laterPath);
    EXPECT_EQ(m_frame->earlierJournal().path(), m_earlierPath);
    EXPECT_NE(contents().landmarks().progress, nullptr);
}
