// SPDX-License-Identifier: GPL-3.0-or-later
// Every damaged file in tests/data/damaged, opened the way the programs open it: the status, the
// user's message, and nothing of the file taken in. tests/data/make_damaged_files.cpp makes them.
#include "model/AtomicFile.h"
#include "model/JournalFile.h"
#include "model/Requests.h"
#include "model/RoleFile.h"
#include "model/ScriptedPrompts.h"
#include "model/SuiteFile.h"
#include "model/WebReply.h"
#include "tests/support/Samples.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct DamagedFile {
    const char* name;
    ReadStatus status;
    const char* message;
};

const DamagedFile kDamagedFiles[] = {
    {"journal-empty.kva", ReadStatus::Truncated,
     "Sorry, journal-empty.kva is damaged and cannot be read: the file ends unexpectedly."},
    {"journal-cut-short.kva", ReadStatus::Truncated,
     "Sorry, journal-cut-short.kva is damaged and cannot be read: the file ends unexpectedly."},
    {"journal-too-many-questionnaires.kva", ReadStatus::Corrupt,
     "Sorry, journal-too-many-questionnaires.kva is damaged and cannot be read: the number of questionnaires (33) "
     "is outside 0 to 32."},
    {"journal-future-action-version.kva", ReadStatus::Unsupported,
     "Sorry, journal-future-action-version.kva cannot be read: the action version 3 is not supported."},
    {"role-format-2.kvr", ReadStatus::Unsupported,
     "Sorry, role-format-2.kvr cannot be read: the role profile format 2 is not supported."},
    {"role-cut-inside-its-name.kvr", ReadStatus::Truncated,
     "Sorry, role-cut-inside-its-name.kvr is damaged and cannot be read: the file ends unexpectedly."},
    {"role-impossible-name-length.kvr", ReadStatus::Corrupt,
     "Sorry, role-impossible-name-length.kvr is damaged and cannot be read: a text has an impossible length."},
    {"role-plain-text.kvr", ReadStatus::Unsupported,
     "Sorry, role-plain-text.kvr cannot be read: the role profile format 544501614 is not supported."},
    {"reply-cut-short.kvi", ReadStatus::Truncated,
     "Sorry, reply-cut-short.kvi is damaged and cannot be read: the file ends unexpectedly."},
};

std::string fixture(const char* name) {
    return (std::filesystem::path(DAMAGED_FILES) / name).string();
}

// Opens the file as its program would and returns what the reader said; checks that a refused
// file leaves the document it was read into as it was.
ReadStatus openAsItsProgramDoes(const std::string& path, ScriptedPrompts& prompts) {
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension == ".kva") {
        CPavexDoc doc = samples::journal("");
        doc.path = "/somewhere/else.kva";
        const CPavexDoc before = doc;
        EXPECT_FALSE(JournalFile::open(path, doc, prompts));
        EXPECT_EQ(static_cast<const JournalRecord&>(doc), static_cast<const JournalRecord&>(before));
        EXPECT_EQ(doc.path, before.path);
        JournalRecord record;
        return JournalFile::decode(readWholeFile(path).value_or(""), record).status;
    }
    if (extension == ".kvr") {
        CRole role;
        const ReadOutcome outcome = RoleFile::read(path, role);
        EXPECT_EQ(role, CRole{});
        prompts.message(SuiteFile::readFailureMessage(path, outcome)); // as the role choice tells it
        return outcome.status;
    }
    CPavexDoc journal = samples::journal("secret");
    const CPavexDoc before = journal;
    EXPECT_FALSE(requests::mergeWebReply(journal, path, prompts));
    EXPECT_EQ(static_cast<const JournalRecord&>(journal), static_cast<const JournalRecord&>(before));
    CWebReply reply;
    return reply.decode(readWholeFile(path).value_or("")).status;
}

} // namespace

TEST(DamagedFiles, EachIsRefusedWithItsReasonAndChangesNothing) {
    for (const DamagedFile& damaged : kDamagedFiles) {
        SCOPED_TRACE(damaged.name);
        const std::string path = fixture(damaged.name);
        ASSERT_TRUE(std::filesystem::is_regular_file(path));
        ScriptedPrompts prompts;
        EXPECT_EQ(openAsItsProgramDoes(path, prompts), damaged.status);
        EXPECT_EQ(prompts.texts(), std::vector<std::string>{damaged.message});
    }
}

TEST(DamagedFiles, EveryTruncationOfEveryKindIsRefusedCleanly) {
    const CPavexDoc sample = samples::journal("secret");
    const std::string journal = JournalFile::encode(sample);
    for (std::size_t length = 0; length < journal.size(); ++length) {
        JournalRecord read = samples::journal("");
        const JournalRecord before = read;
        const ReadOutcome outcome = JournalFile::decode(std::string_view(journal).substr(0, length), read);
        ASSERT_TRUE(outcome.damaged()) << length;
        ASSERT_EQ(read, before) << length;
    }

    const std::string role = RoleFile::encode(samples::role());
    for (std::size_t length = 0; length < role.size(); ++length) {
        CRole read;
        ASSERT_FALSE(RoleFile::decode(std::string_view(role).substr(0, length), read).ok()) << length;
        ASSERT_EQ(read, CRole{}) << length;
    }

    const std::string reply = samples::webReply("secret").encode();
    for (std::size_t length = 0; length < reply.size(); ++length) {
        CWebReply read;
        ASSERT_TRUE(read.decode(std::string_view(reply).substr(0, length)).damaged());
        ASSERT_EQ(read, CWebReply{}) << length;
    }
}
