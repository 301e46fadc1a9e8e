// SPDX-License-Identifier: GPL-3.0-or-later
// A journal from an untrusted source must never freeze the window: its ranking pages draw in a
// time bounded by the page, whatever numbers the file holds.
#include "analysis/pages/RankingPage.h"
#include "tests/pavex/MainWindowFixture.h"

#include <QTimer>

TEST_F(MainWindowTest, AJournalWithAHugeScaleMaximumShowsItsRankingAndStaysResponsive) {
    m_journal = samples::journal("");
    m_journal.framework.scales.at(0).maximum = 2147483647;
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(writeJournal(m_journal, "Hostile.kva"))));
    tree().selectNode(*contents().landmarks().competencies);
    drawView();
    const auto* ranking = dynamic_cast<const CRankingPage*>(m_frame->contentView()->page());
    ASSERT_NE(ranking, nullptr);
    EXPECT_EQ(ranking->geometry().axisTop, 100);
    EXPECT_EQ(m_frame->statusTitle(), "Competencies ranked by average score");
    bool answered = false;
    QTimer::singleShot(0, m_frame.get(), [&answered] { answered = true; });
    EXPECT_TRUE(QTest::qWaitFor([&answered] { return answered; }, 5000));
}
