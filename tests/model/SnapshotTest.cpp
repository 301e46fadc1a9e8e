// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/JournalFile.h"
#include "model/JournalSnapshot.h"
#include "model/SnapshotDelta.h"
#include "tests/support/Samples.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(SnapshotDelta, GivesBackBothSidesOfAnyEditAndRefusesOtherBytes) {
    std::mt19937 random(29);
    const auto text = [&random](std::size_t length) {
        std::string bytes(length, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>('a' + random() % 3); // few letters: long shared heads and tails
        }
        return bytes;
    };
    const std::vector<std::pair<std::string, std::string>> fixed = {
        {"", ""}, {"", "abc"}, {"abc", ""}, {"aaaa", "aa"}, {"abab", "ab"}, {"xyz", "xyz"}, {"abc", "abd"}};
    std::vector<std::pair<std::string, std::string>> pairs = fixed;
    for (int round = 0; round < 300; ++round) {
        std::string before = text(random() % 40);
        std::string after = before;
        const std::size_t at = after.empty() ? 0 : random() % after.size();
        after.erase(at, std::min<std::size_t>(random() % 5, after.size() - at));
        after.insert(at, text(random() % 5));
        pairs.emplace_back(std::move(before), std::move(after));
    }
    for (const auto& [before, after] : pairs) {
        const SnapshotDelta delta = SnapshotDelta::between(before, after);
        EXPECT_EQ(delta.before(after), before) << before << " -> " << after;
        EXPECT_EQ(delta.after(before), after) << before << " -> " << after;
        EXPECT_EQ(delta.changesNothing(), before == after);
    }
    const SnapshotDelta delta = SnapshotDelta::between("head-old-tail", "head-new-tail");
    EXPECT_EQ(delta.before("head-xyz-tail"), std::nullopt);
    EXPECT_EQ(delta.before("HEAD-new-tail"), std::nullopt) << "a change outside the stretch is noticed";
    EXPECT_EQ(delta.after("head-new-tail"), std::nullopt) << "a delta is not applied twice";
}

TEST(JournalSnapshot, RestoresEveryFieldAndTheEncryptionChoiceButLeavesTheGuideWhereItIs) {
    CPavexDoc journal = samples::journal("secret");
    journal.encrypted = true;
    journal.path = "/somewhere/Alex.kva";
    journal.modified = true;
    const std::string snapshot = JournalSnapshot::take(journal);
    const std::string record = JournalFile::encode(journal);

    // Moving the guide is no edit: the snapshot does not change.
    CPavexDoc moved = journal;
    moved.autopilotPage = 7;
    moved.autopilotWindow = {1, 2, 3, 4};
    moved.autopilotShown = 1;
    EXPECT_EQ(JournalSnapshot::take(moved), snapshot);
    EXPECT_EQ(JournalFile::encode(journal), record) << "taking a snapshot leaves the journal alone";

    CPavexDoc changed = moved;
    changed.encrypted = false;
    EXPECT_NE(JournalSnapshot::take(changed), snapshot) << "the encryption choice is part of the snapshot";
    changed.password = "other";
    changed.person = "Someone Else";
    changed.questionnaires.pop_back();
    changed.actions.clear();
    changed.path = "/elsewhere.kva";
    changed.modified = false;
    ASSERT_TRUE(JournalSnapshot::restore(snapshot, changed));
    EXPECT_TRUE(changed.encrypted);
    EXPECT_EQ(changed.path, "/elsewhere.kva");
    EXPECT_FALSE(changed.modified);
    EXPECT_EQ(changed.autopilotPage, 7);
    EXPECT_EQ(changed.autopilotWindow, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
    changed.autopilotPage = journal.autopilotPage;
    changed.autopilotWindow = journal.autopilotWindow;
    changed.autopilotShown = journal.autopilotShown;
    EXPECT_EQ(JournalFile::encode(changed), record);

    EXPECT_FALSE(JournalSnapshot::restore("", changed));
    EXPECT_FALSE(JournalSnapshot::restore(snapshot.substr(0, snapshot.size() / 2), changed));
    EXPECT_EQ(JournalFile::encode(changed), record) << "bytes that are no snapshot change nothing";
}

} // namespace
