// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SnapshotHistory.h"
#include "model/JournalSnapshot.h"
#include "model/ScriptedPrompts.h"
#include "tests/support/Samples.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using ui::SnapshotHistory;

constexpr std::size_t kSteps = ui::SnapshotHistory::kMaxSteps;

// A history over a plain text, for what does not depend on the document.
struct TextHistory {
    std::string text;
    SnapshotHistory history{[this] { return text; }, [this](const std::string& snapshot) { text = snapshot; }};
};

TEST(SnapshotHistory, OneStepPerCommandHoweverItIsMadeAndNoneForNoChange) {
    TextHistory document;
    EXPECT_TRUE(document.history.record("Type", [&] {
        document.text = "ab";
        // A command that runs another records one step.
        document.history.record("Inner", [&] { document.text += "c"; });
        return true;
    }));
    document.history.record("Nothing", [] {});
    document.history.record("Same", [&] { document.text = "abc"; });
    ASSERT_EQ(document.history.stack().count(), 1);
    EXPECT_EQ(document.history.stack().undoText(), "Type");

    document.history.stack().undo();
    EXPECT_EQ(document.text, "");
    document.history.stack().redo();
    EXPECT_EQ(document.text, "abc");
    EXPECT_EQ(ui::undoText("Type"), "&Undo Type");
    EXPECT_EQ(ui::undoText(""), "&Undo");
    EXPECT_EQ(ui::redoText("Merge Feedback from A&B"), "&Redo Merge Feedback from A&&B");
}

TEST(SnapshotHistory, KeepsWithinItsMemoryByDroppingTheOldestStepsAndKnowsWhereTheSaveWas) {
    TextHistory document;
    // A step that replaces the whole text keeps it twice: a fifth of the bound each.
    const std::size_t big = SnapshotHistory::kMaxBytes / 10 - 4096;
    document.history.record("First", [&] { document.text = std::string(big, 'a'); });
    document.history.markSaved();
    for (char letter = 'b'; letter <= 'f'; ++letter) {
        document.history.record("Big", [&] { document.text = std::string(big, letter); });
        EXPECT_LE(document.history.memoryUsed(), SnapshotHistory::kMaxBytes);
    }
    ASSERT_EQ(document.history.stack().count(), 5) << "the oldest step went";
    EXPECT_EQ(document.history.stack().cleanIndex(), 0) << "the saved state is the oldest one kept";
    for (int step = 0; step < 5; ++step) {
        document.history.stack().undo();
    }
    EXPECT_TRUE(document.history.stack().isClean());
    EXPECT_EQ(document.text, std::string(big, 'a'));
    EXPECT_FALSE(document.history.stack().canUndo());

    // Once the saved state is dropped, no state is clean any more.
    for (int step = 0; step < 5; ++step) {
        document.history.stack().redo();
    }
    document.history.record("Big", [&] { document.text = std::string(big, 'g'); });
    EXPECT_EQ(document.history.stack().count(), 5);
    EXPECT_EQ(document.history.stack().cleanIndex(), -1);
}

// A seeded run of commands, undos and redos on a journal, checked against the list of encoded
// states the test keeps itself. The guide's place moves now and then and must survive every undo.
TEST(SnapshotHistory, ARandomRunOnAJournalAlwaysComesBackToTheBytesTheTestKept) {
    CPavexDoc journal = samples::journal("secret");
    SnapshotHistory history(
        [&] { return JournalSnapshot::take(journal); },
        [&](const std::string& snapshot) { ASSERT_TRUE(JournalSnapshot::restore(snapshot, journal)); });
    std::vector<std::string> states{JournalSnapshot::take(journal)};
    std::size_t at = 0;
    std::size_t oldest = 0;
    std::mt19937 random(2929);
    ScriptedPrompts prompts;
    const auto pick = [&random](std::size_t count) { return count == 0 ? 0 : random() % count; };

    for (int round = 0; round < 400; ++round) {
        const unsigned choice = random() % 14;
        if (choice < 3) {
            ASSERT_EQ(history.stack().canUndo(), at > oldest) << round;
            if (at > oldest) {
                journal.autopilotPage = static_cast<std::int32_t>(random() % 9);
                const std::int32_t page = journal.autopilotPage;
                history.stack().undo();
                --at;
                ASSERT_EQ(journal.autopilotPage, page) << "the guide stays where it is";
            }
        } else if (choice < 5) {
            ASSERT_EQ(history.stack().canRedo(), at + 1 < states.size()) << round;
            if (at + 1 < states.size()) {
                history.stack().redo();
                ++at;
            }
        } else {
            history.record("Edit", [&] {
                switch (choice) {
                case 5:
                    journal.toggleMark(static_cast<std::int32_t>(pick(journal.framework.behaviours.size())));
                    break;
                case 6:
                    journal.toggleUseInResults(pick(journal.questionnaires.size()));
                    break;
                case 7:
                    journal.toggleCompleted(pick(journal.actions.size()));
                    break;
                case 8:
                    journal.addAction({}, prompts);
                    break;
                case 9:
                    if (!journal.actions.empty()) {
                        prompts.queueAnswer(true);
                        journal.deleteAction(pick(journal.actions.size()), prompts);
                    }
                    break;
                case 10:
                    journal.addQuestionnaire(
                        journal.questionnaires.empty() ? CPavexFeedback{} : journal.questionnaires[0], prompts);
                    break;
                case 11:
                    journal.person = "Person " + std::to_string(random() % 5);
                    journal.password = random() % 2 ? "" : "secret" + std::to_string(random() % 3);
                    break;
                case 12:
                    journal.encrypted = !journal.encrypted;
                    break;
                default:
                    // Not an edit: the guide moving.
                    journal.autopilotWindow[0] = static_cast<std::int32_t>(random());
                    break;
                }
            });
            if (std::string now = JournalSnapshot::take(journal); now != states[at]) {
                states.resize(at + 1);
                states.push_back(std::move(now));
                ++at;
                oldest = std::max(oldest, at > kSteps ? at - kSteps : 0);
            }
        }
        ASSERT_EQ(JournalSnapshot::take(journal), states[at]) << "round " << round;
        ASSERT_EQ(static_cast<std::size_t>(history.stack().index()), at - oldest) << round;
    }
    EXPECT_GT(states.size(), kSteps) << "the run reaches the bound on steps";
}

} // namespace
