// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SealedJournal.h"
#include "model/AtomicFile.h"
#include "model/JournalFile.h"
#include "model/Requests.h"
#include "model/ScriptedPrompts.h"
#include "model/SuiteFile.h"
#include "tests/support/Samples.h"
#include "tests/support/TempFolder.h"
#include "vault/Envelope.h"

#include <sodium.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string readFile(const std::string& path) {
    std::string error;
    return readWholeFile(path, &error).value_or("<missing>");
}

std::string sha256Hex(const std::string& bytes) {
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256(digest, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    std::string hex;
    for (const unsigned char b : digest) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", b);
        hex += pair;
    }
    return hex;
}

CPavexDoc encryptedJournal() {
    CPavexDoc doc = samples::journal("tulip");
    doc.encrypted = true;
    return doc;
}

class SealedJournalTest : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return m_temp.file(name); }

    // Saves the journal through the program's Save (one key derivation).
    std::string saved(CPavexDoc doc, const std::string& name = "journal.kva") {
        const std::string path = file(name);
        ScriptedPrompts prompts;
        EXPECT_TRUE(JournalFile::save(path, doc, prompts));
        EXPECT_TRUE(prompts.shown().empty());
        return path;
    }

    TempFolder m_temp;
};

} // namespace

TEST_F(SealedJournalTest, EncryptedJournalRoundTripsThroughSaveAndOpen) {
    const CPavexDoc original = encryptedJournal();
    const std::string path = saved(original);
    EXPECT_TRUE(vault::looksSealed(readFile(path)));

    ScriptedPrompts prompts;
    prompts.queuePassword("tulip");
    CPavexDoc opened;
    ASSERT_TRUE(JournalFile::open(path, opened, prompts));
    EXPECT_TRUE(prompts.allAnswersUsed());
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, ScriptedPrompts::Kind::Password);
    EXPECT_TRUE(opened.encrypted);
    EXPECT_EQ(static_cast<const JournalRecord&>(opened).questionnaires, original.questionnaires);
    EXPECT_EQ(opened.actions, original.actions);
    EXPECT_EQ(JournalFile::encode(opened), JournalFile::encode(original));
    EXPECT_FALSE(opened.modified);
}

TEST_F(SealedJournalTest, WrongPasswordIsToldAndCancelIsSilentAndNeitherOpens) {
    const std::string path = saved(encryptedJournal());
    const std::string before = readFile(path);

    ScriptedPrompts prompts;
    prompts.queuePassword("Tulip");
    CPavexDoc doc = samples::journal("other");
    const CPavexDoc untouched = doc;
    EXPECT_FALSE(JournalFile::open(path, doc, prompts));
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{journaltext::kWrongPassword});

    ScriptedPrompts cancelling;
    cancelling.queuePassword(std::nullopt);
    EXPECT_FALSE(JournalFile::open(path, doc, cancelling));
    EXPECT_TRUE(cancelling.texts().empty());

    EXPECT_EQ(static_cast<const JournalRecord&>(doc), static_cast<const JournalRecord&>(untouched));
    EXPECT_EQ(readFile(path), before);
}

TEST_F(SealedJournalTest, AtTheDesktopASecondTryWithTheRightPasswordOpensIt) {
    const std::string path = saved(encryptedJournal());
    ScriptedPrompts prompts;
    prompts.queuePassword("Tulip");
    prompts.queuePassword("tulip");
    CPavexDoc opened;
    ASSERT_TRUE(JournalFile::open(path, opened, prompts, nullptr, JournalFile::kDesktopPasswordTries));
    EXPECT_TRUE(prompts.allAnswersUsed());
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{journaltext::kWrongPassword});
    EXPECT_TRUE(opened.encrypted);
    EXPECT_EQ(opened.password, "tulip");
}

TEST_F(SealedJournalTest, EnvelopeHoldsNoneOfTheJournalsTexts) {
    const std::string bytes = readFile(saved(encryptedJournal()));
    for (const char* text : {"Alex Example", "tulip", "Team Leader", "Pat", "Write goals down", "Weekly meeting",
                             "I try hard.", "Behaviour"}) {
        EXPECT_EQ(bytes.find(text), std::string::npos) << text;
    }
}

TEST_F(SealedJournalTest, EveryTruncationAndBitFlipIsRefusedWithoutTouchingTheRecord) {
    const std::string sealed = readFile(saved(encryptedJournal()));
    vault::EnvelopeHead head;
    ASSERT_TRUE(vault::readHead(sealed, head).ok());
    vault::SealKey key; // derived once for every case
    ASSERT_TRUE(vault::deriveKey("tulip", head, key));
    JournalRecord record;
    ASSERT_TRUE(SealedJournal::decodeWithKey(sealed, key, record).ok());
    const JournalRecord untouched = samples::journal("other");

    for (std::size_t size = 0; size < sealed.size(); ++size) {
        JournalRecord target = untouched;
        const ReadOutcome outcome = JournalFile::decode(sealed.substr(0, size), target);
        ASSERT_FALSE(outcome.ok()) << "size " << size;
        ASSERT_FALSE(SealedJournal::decodeWithKey(sealed.substr(0, size), key, target).ok()) << "size " << size;
        ASSERT_EQ(target, untouched);
    }
    for (std::size_t byte = 0; byte < sealed.size(); ++byte) {
        for (int bit = 0; bit < 8; ++bit) {
            std::string flipped = sealed;
            flipped[byte] = static_cast<char>(flipped[byte] ^ (1 << bit));
            JournalRecord target = untouched;
            const ReadOutcome outcome = SealedJournal::decodeWithKey(flipped, key, target);
            ASSERT_FALSE(outcome.ok()) << "byte " << byte << " bit " << bit;
            ASSERT_EQ(target, untouched);
        }
    }
}

TEST_F(SealedJournalTest, DamagedEnvelopeIsRefusedBeforeThePasswordIsAskedAndTheFileStaysAsItWas) {
    const std::string path = saved(encryptedJournal());
    std::string bytes = readFile(path);
    for (const std::size_t at : {std::size_t{0}, std::size_t{20}, bytes.size() / 2, bytes.size() - 1}) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x10);
        ASSERT_TRUE(AtomicFile::write(path, damaged));
        ScriptedPrompts prompts;
        prompts.queuePassword("tulip");
        CPavexDoc doc;
        EXPECT_FALSE(JournalFile::open(path, doc, prompts));
        ASSERT_EQ(prompts.shown().size(), 1u) << "offset " << at;
        EXPECT_EQ(prompts.shown()[0].kind, ScriptedPrompts::Kind::Message);
        EXPECT_TRUE(prompts.shown()[0].text.starts_with("Sorry, journal.kva ")) << prompts.shown()[0].text;
        EXPECT_EQ(readFile(path), damaged);
    }
    ASSERT_TRUE(AtomicFile::write(path, bytes.substr(0, 100)));
    ScriptedPrompts prompts;
    CPavexDoc doc;
    EXPECT_FALSE(JournalFile::open(path, doc, prompts));
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Sorry, journal.kva is damaged and cannot be read: the "
                                                        "encrypted journal ends unexpectedly."});
}

TEST_F(SealedJournalTest, OrdinarySaveIsByteIdenticalToTheWriterBeforeEncryptionExisted) {
    // The digest of this journal as the suite wrote it before journals could be encrypted.
    const char* const kDigestBefore = "4cbe7a66771dcd6a30a5567bc823bf3d88b67488f9213379fea250cf80c5f484";
    CPavexDoc doc = samples::journal("secret");
    const std::string plainPath = saved(doc, "plain.kva");
    EXPECT_EQ(sha256Hex(readFile(plainPath)), kDigestBefore);

    // Cleared option, or a cleared password: the ordinary format again.
    CPavexDoc cleared = encryptedJournal();
    cleared.password = "secret";
    cleared.encrypted = false;
    EXPECT_EQ(readFile(saved(cleared, "cleared.kva")), readFile(plainPath));
    CPavexDoc noPassword = encryptedJournal();
    noPassword.password.clear();
    const std::string bytes = readFile(saved(noPassword, "nopassword.kva"));
    EXPECT_FALSE(vault::looksSealed(bytes));
    EXPECT_EQ(bytes, JournalFile::encode(noPassword));
}

TEST_F(SealedJournalTest, RequestsFromEncryptedAndOrdinaryJournalsAreOrdinaryAndCarryNoPassword) {
    const CPavexDoc journal = encryptedJournal();
    const JournalRecord request = requests::requestRecord(journal, false);
    EXPECT_TRUE(request.password.empty());
    EXPECT_FALSE(request.encrypted);
    EXPECT_EQ(requests::requestRecord(samples::journal("tulip"), false).password, "");

    const std::string path = file("request.kvq");
    ScriptedPrompts prompts;
    ASSERT_TRUE(requests::writeFeedbackRequest(journal, path, prompts));
    EXPECT_FALSE(vault::looksSealed(readFile(path)));
    EXPECT_EQ(readFile(path).find("tulip"), std::string::npos);
}

TEST_F(SealedJournalTest, MergingIntoAnEncryptedJournalAsksNoReplyPasswordAndKeepsItEncrypted) {
    const std::string journalPath = saved(encryptedJournal());
    ScriptedPrompts prompts;
    prompts.queuePassword("tulip");
    CPavexDoc journal;
    ASSERT_TRUE(JournalFile::open(journalPath, journal, prompts));

    const std::string requestPath = file("request.kvq");
    ASSERT_TRUE(requests::writeFeedbackRequest(journal, requestPath, prompts));
    CPavexDoc request;
    ASSERT_TRUE(requests::openRequestToAnswer(requestPath, request, prompts));
    CPavexFeedback answers = requests::startAnswer("Robin", 2);
    answers.responses = {{0, 1}, {1, 1}, {2, 0}};
    ASSERT_TRUE(requests::completeRequest(request, answers, prompts));

    prompts.clearShown();
    const std::size_t before = journal.questionnaires.size();
    ASSERT_TRUE(requests::mergeFile(journal, requestPath, prompts));
    EXPECT_TRUE(prompts.shown().empty()); // no password asked for the request
    ASSERT_TRUE(JournalFile::save(journalPath, journal, prompts));
    EXPECT_TRUE(vault::looksSealed(readFile(journalPath)));

    prompts.queuePassword("tulip");
    CPavexDoc reopened;
    ASSERT_TRUE(JournalFile::open(journalPath, reopened, prompts));
    EXPECT_TRUE(reopened.encrypted);
    ASSERT_EQ(reopened.questionnaires.size(), before + 1);
    EXPECT_EQ(reopened.questionnaires.back().assessor, "Robin");
}

TEST_F(SealedJournalTest, ReadersThatAskNoPasswordRefuseAnEncryptedJournal) {
    const std::string path = saved(encryptedJournal());
    ScriptedPrompts prompts;
    CPavexDoc request;
    EXPECT_FALSE(requests::openRequestToAnswer(path, request, prompts));
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{requesttext::kNotARequest});
    JournalRecord record;
    const ReadOutcome outcome = JournalFile::decode(readFile(path), record);
    EXPECT_EQ(outcome.status, ReadStatus::Unsupported);
    EXPECT_EQ(SuiteFile::readFailureMessage(path, outcome),
              "Sorry, journal.kva cannot be read: it is an encrypted journal.");
}
