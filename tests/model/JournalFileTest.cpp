// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/JournalFile.h"
#include "model/AtomicFile.h"
#include "model/RoleFile.h"
#include "model/ScriptedPrompts.h"
#include "tests/support/Samples.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string& path) {
    std::string error;
    return readWholeFile(path, &error).value_or("<missing>");
}

std::int32_t intAt(const std::string& bytes, std::size_t offset) {
    std::int32_t v;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

} // namespace

TEST(JournalBytes, UnprotectedJournalStoresSwitchOffSeedZeroAndPlainTexts) {
    CPavexDoc doc = samples::journal("");
    const std::string bytes = JournalFile::encode(doc);
    EXPECT_EQ(intAt(bytes, 0), 0);
    EXPECT_EQ(intAt(bytes, 4), 0);
    EXPECT_EQ(bytes.substr(8, 1 + 1 + 12), std::string("\x00\x0C"
                                                       "Alex Example",
                                                       14));
    EXPECT_EQ(intAt(bytes, 22), 0);  // request flag
    EXPECT_EQ(intAt(bytes, 26), 2);  // questionnaires
    EXPECT_EQ(intAt(bytes, 30), 2);  // actions
    EXPECT_EQ(intAt(bytes, 34), 1);  // first relationship colour
    EXPECT_EQ(intAt(bytes, 70), 10); // heading colour
    EXPECT_NE(bytes.find("I try hard."), std::string::npos);
}

TEST(JournalBytes, ProtectedJournalDecodesFromItsOwnHeader) {
    const CPavexDoc doc = samples::journal("secret");
    const std::string bytes = JournalFile::encode(doc);
    EXPECT_EQ(intAt(bytes, 0), 1);
    EXPECT_EQ(intAt(bytes, 4), seedFromKey("secret"));
    EXPECT_EQ(bytes.find("I try hard."), std::string::npos);
    EXPECT_EQ(bytes.find("Alex"), std::string::npos);

    JournalRecord read;
    bool storedPasswordAccepted = false;
    const ReadOutcome outcome = JournalFile::decode(bytes, read, [&](const JournalFile::PasswordCheck& isRight) {
        storedPasswordAccepted = isRight("secret") && !isRight("Secret");
        return JournalFile::PasswordVerdict::Continue;
    });
    ASSERT_TRUE(outcome.ok());
    EXPECT_TRUE(storedPasswordAccepted);
    EXPECT_EQ(read.questionnaires, doc.questionnaires);
    EXPECT_EQ(read.actions, doc.actions);
    EXPECT_EQ(read.framework, doc.framework);
    EXPECT_EQ(read.colours, doc.colours);
    EXPECT_EQ(read.autopilotWindow, doc.autopilotWindow);
    EXPECT_EQ(read.reserved, "r");
    EXPECT_EQ(JournalFile::encode(read), bytes);
}

TEST(JournalBytes, EveryFieldRoundTrips) {
    for (const std::string password : {"", "secret", "\xE9t\xE9"}) {
        CPavexDoc doc = samples::journal(password);
        JournalRecord read;
        ASSERT_TRUE(JournalFile::decode(JournalFile::encode(doc), read).ok());
        doc.scrambleSwitch = password.empty() ? 0 : 1;
        doc.seed = password.empty() ? 0 : seedFromKey(password);
        EXPECT_EQ(read, static_cast<const JournalRecord&>(doc)) << password;
    }
}

TEST(JournalBytes, ForeignSeedIsTakenFromTheFile) {
    // Another writer may store any seed: readers decode with the file's seed, never the password's.
    CPavexDoc plain = samples::journal("");
    plain.questionnaires.clear();
    plain.actions.clear();
    const std::string plainBytes = JournalFile::encode(plain);
    const std::size_t headerSize = 4 + 4 + 1 + 13 + 4;

    ArchiveWriter out;
    out.scrambler().setState(true, 12345);
    out.writeInt(1);
    out.writeInt(12345);
    out.writeScrambledText("pw");
    out.writeScrambledText("Alex Example");
    out.writeInt(1);
    const std::string bytes = out.bytes() + plainBytes.substr(headerSize);

    JournalRecord read;
    ASSERT_TRUE(JournalFile::decode(bytes, read).ok());
    EXPECT_EQ(read.password, "pw");
    EXPECT_EQ(read.person, "Alex Example");
    EXPECT_EQ(read.seed, 12345);
    EXPECT_EQ(read.framework, plain.framework);
}

TEST(JournalOpen, AsksThePasswordAndRefusesAWrongOne) {
    TempFolder folder;
    const std::string path = folder.file("jo.kva");
    writeFile(path, JournalFile::encode(samples::journal("secret")));

    CPavexDoc doc;
    ScriptedPrompts prompts;
    prompts.queuePassword(std::string("Secret"));
    EXPECT_FALSE(JournalFile::open(path, doc, prompts));
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Sorry, that was the wrong password"});
    EXPECT_EQ(prompts.shown().front().kind, ScriptedPrompts::Kind::Password);
    EXPECT_EQ(doc.person, "");

    ScriptedPrompts cancelling;
    cancelling.queuePassword(std::nullopt);
    EXPECT_FALSE(JournalFile::open(path, doc, cancelling));
    EXPECT_TRUE(cancelling.texts().empty());

    ScriptedPrompts right;
    right.queuePassword(std::string("secret"));
    ASSERT_TRUE(JournalFile::open(path, doc, right));
    EXPECT_EQ(doc.person, "Alex Example");
    EXPECT_EQ(doc.path, path);
    EXPECT_EQ(doc.title(), "jo.kva");
    EXPECT_FALSE(doc.modified);
}

TEST(JournalOpen, AtTheDesktopAWrongPasswordIsAskedAgainUpToThreeTimesNamingTheFile) {
    TempFolder folder;
    const std::string path = folder.file("Jo\xc3\xa9.kva");
    writeFile(path, JournalFile::encode(samples::journal("secret")));
    const std::string wrong = "Sorry, that was the wrong password";
    const ScriptedPrompts::Shown asked{ScriptedPrompts::Kind::Password, "Security Check",
                                       "Please type the password for this file:\nJo\xe9.kva"};
    const ScriptedPrompts::Shown told{ScriptedPrompts::Kind::Message, "", wrong};

    CPavexDoc doc;
    ScriptedPrompts secondRight;
    secondRight.queuePassword(std::string("Secret"));
    secondRight.queuePassword(std::string("secret"));
    ASSERT_TRUE(JournalFile::open(path, doc, secondRight, nullptr, JournalFile::kDesktopPasswordTries));
    EXPECT_EQ(secondRight.shown(), (std::vector<ScriptedPrompts::Shown>{asked, told, asked}));
    EXPECT_EQ(doc.person, "Alex Example");

    CPavexDoc untouched;
    ScriptedPrompts allWrong;
    for (const char* typed : {"a", "b", "c", "secret"}) {
        allWrong.queuePassword(std::string(typed));
    }
    ReadOutcome outcome;
    EXPECT_FALSE(JournalFile::open(path, untouched, allWrong, &outcome, JournalFile::kDesktopPasswordTries));
    EXPECT_EQ(outcome.status, ReadStatus::WrongPassword);
    EXPECT_EQ(allWrong.shown(), (std::vector<ScriptedPrompts::Shown>{asked, told, asked, told, asked, told}));
    EXPECT_FALSE(allWrong.allAnswersUsed()); // the fourth is never asked for

    ScriptedPrompts cancelledAfterOne;
    cancelledAfterOne.queuePassword(std::string("a"));
    cancelledAfterOne.queuePassword(std::nullopt);
    EXPECT_FALSE(JournalFile::open(path, untouched, cancelledAfterOne, &outcome, JournalFile::kDesktopPasswordTries));
    EXPECT_EQ(outcome.status, ReadStatus::Cancelled);
    EXPECT_EQ(cancelledAfterOne.texts(), std::vector<std::string>{wrong});
    EXPECT_EQ(untouched.person, "");
}

TEST(JournalOpen, RefusesARequestFileWithoutAskingItsPassword) {
    TempFolder folder;
    CPavexDoc request = samples::journal("secret");
    request.request = 1;
    request.questionnaires.clear();
    request.actions.clear();
    const std::string path = folder.file("req.kvq");
    writeFile(path, JournalFile::encode(request));

    CPavexDoc doc;
    ScriptedPrompts prompts;
    EXPECT_FALSE(JournalFile::open(path, doc, prompts));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text,
              "This is a Feedback Reply file.  Use \"File Merge Reply...\" to add it to your Reflectory");
    EXPECT_EQ(doc.person, "");

    // The merge reads the same file without the refusal and without a password prompt.
    JournalRecord read;
    ScriptedPrompts merging;
    EXPECT_TRUE(JournalFile::read(path, read, merging).ok());
    EXPECT_TRUE(merging.shown().empty());
}

// Damaged journals are opened in DamagedFilesTest.cpp, from the files in tests/data/damaged.
TEST(JournalOpen, AMissingFileIsReportedAndChangesNothing) {
    TempFolder folder;
    CPavexDoc doc = samples::journal("");
    doc.path = "/somewhere/else.kva";
    ScriptedPrompts missing;
    EXPECT_FALSE(JournalFile::open(folder.file("none.kva"), doc, missing));
    EXPECT_EQ(missing.texts(), std::vector<std::string>{"Sorry, cannot open none.kva: No such file or directory."});
    EXPECT_EQ(doc.path, "/somewhere/else.kva");
}

TEST(JournalSave, WritesAtomicallyAndKeepsTheOldFileWhenAWriteFails) {
    TempFolder folder;
    const std::string path = folder.file("jo.kva");
    writeFile(path, "previous journal");

    // A disk that fills up after 100 bytes.
    std::size_t total = 0;
    const AtomicFile::WriteFunction fillsUp = [&](int fd, const void* data, std::size_t size) -> ssize_t {
        if (total >= 100) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t chunk = std::min<std::size_t>(size, 100 - total);
        total += chunk;
        return ::write(fd, data, chunk);
    };
    std::string error;
    ASSERT_FALSE(AtomicFile::write(path, JournalFile::encode(samples::journal()), &error, fillsUp));
    EXPECT_EQ(error, "No space left on device");
    EXPECT_EQ(readFile(path), "previous journal");
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(path).parent_path()), fs::directory_iterator{}), 1);

    CPavexDoc doc = samples::journal();
    doc.modified = true;
    ScriptedPrompts prompts;
    ASSERT_TRUE(JournalFile::save(path, doc, prompts));
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(readFile(path), JournalFile::encode(doc));
}

TEST(JournalSave, AnInterruptedWriteIsRetriedButAWriteOfNothingIsAFullDisk) {
    TempFolder folder;
    const std::string path = folder.file("jo.kva");
    const std::string bytes = JournalFile::encode(samples::journal());

    bool interrupted = false;
    const AtomicFile::WriteFunction interruptedOnce = [&](int fd, const void* data, std::size_t size) -> ssize_t {
        if (!interrupted) {
            interrupted = true;
            errno = EINTR;
            return -1;
        }
        return ::write(fd, data, std::min<std::size_t>(size, 7));
    };
    std::string error;
    ASSERT_TRUE(AtomicFile::write(path, bytes, &error, interruptedOnce)) << error;
    EXPECT_EQ(readFile(path), bytes);

    // errno left at EINTR by an earlier call must not turn a write of nothing into an endless retry.
    const AtomicFile::WriteFunction writesNothing = [](int, const void*, std::size_t) -> ssize_t {
        errno = EINTR;
        return 0;
    };
    ASSERT_FALSE(AtomicFile::write(path, "other bytes", &error, writesNothing));
    EXPECT_EQ(error, "No space left on device");
    EXPECT_EQ(readFile(path), bytes);
}

TEST(JournalSave, FailureIsToldAndTheDocumentStaysModified) {
    TempFolder folder;
    CPavexDoc doc = samples::journal();
    doc.modified = true;
    ScriptedPrompts prompts;
    const std::string path = folder.file("missing-folder/jo.kva");
    EXPECT_FALSE(JournalFile::save(path, doc, prompts));
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Sorry, jo.kva could not be saved: No such file or directory. "
                                                        "The file on disk is unchanged."});
}

TEST(JournalSave, SavingThroughALinkReplacesItsTargetAndKeepsTheLink) {
    TempFolder folder;
    fs::create_directory(folder.file("real"));
    const std::string target = folder.file("real/jo.kva");
    writeFile(target, "previous journal");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real/jo.kva", folder.file("jo.kva"));
    fs::create_symlink("jo.kva", folder.file("shortcut.kva")); // a link to a link

    CPavexDoc doc = samples::journal();
    ScriptedPrompts prompts;
    ASSERT_TRUE(JournalFile::save(folder.file("shortcut.kva"), doc, prompts));
    EXPECT_TRUE(fs::is_symlink(folder.file("shortcut.kva")));
    EXPECT_TRUE(fs::is_symlink(folder.file("jo.kva")));
    EXPECT_EQ(readFile(target), JournalFile::encode(doc));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(doc.path, folder.file("shortcut.kva")); // the user keeps working with the name they chose
    // No temporary file is left beside the link or the target.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator{}), 3);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.file("real")), fs::directory_iterator{}), 1);
}

TEST(JournalSave, ALinkToNothingCreatesItsTargetAndALoopIsRefused) {
    TempFolder folder;
    fs::create_symlink(folder.file("new.kva"), folder.file("dangling.kva"));
    ASSERT_TRUE(AtomicFile::write(folder.file("dangling.kva"), "bytes"));
    EXPECT_TRUE(fs::is_symlink(folder.file("dangling.kva")));
    EXPECT_EQ(readFile(folder.file("new.kva")), "bytes");

    fs::create_symlink("b.kva", folder.file("a.kva"));
    fs::create_symlink("a.kva", folder.file("b.kva"));
    CPavexDoc doc = samples::journal();
    ScriptedPrompts prompts;
    EXPECT_FALSE(JournalFile::save(folder.file("a.kva"), doc, prompts));
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Sorry, a.kva could not be saved: Too many levels of symbolic "
                                                        "links. The file on disk is unchanged."});
    EXPECT_TRUE(fs::is_symlink(folder.file("a.kva")));
}
