#include "kvmail/ReplyReader.h"
#include "FakeStream.h"

#include <gtest/gtest.h>

namespace {
const auto kSoon = std::chrono::steady_clock::now() + std::chrono::seconds(5);
}

TEST(ReplyReader, JoinsAReplySplitAcrossReceivesEvenBetweenCrAndLf) {
    FakeStream stream({"2", "50 o", "k\r", "\n"});
    ReplyReader reader;
    EXPECT_EQ(reader.read(stream, kSoon), "250 ok\r\n");
    EXPECT_EQ(reader.pending(), "");
}

TEST(ReplyReader, KeepsWhatFollowsTheFirstLineForTheNextReply) {
    FakeStream stream({"250-first\r\n250 second\r\n354 go"});
    ReplyReader reader;
    EXPECT_EQ(reader.read(stream, kSoon), "250-first\r\n");
    EXPECT_EQ(reader.pending(), "250 second\r\n354 go");
    EXPECT_EQ(reader.read(stream, kSoon), "250 second\r\n");
    // The peer then closes: what came before is the last reply, then nothing.
    EXPECT_EQ(reader.read(stream, kSoon), "354 go");
    EXPECT_EQ(reader.read(stream, kSoon), "");
}

TEST(ReplyReader, AFullBufferWithoutALineEndIsOneReply) {
    FakeStream stream({std::string(1500, '9') + "\r\n"});
    ReplyReader reader;
    EXPECT_EQ(reader.read(stream, kSoon), std::string(ReplyReader::kCapacity, '9'));
    EXPECT_EQ(reader.read(stream, kSoon), std::string(1500 - ReplyReader::kCapacity, '9') + "\r\n");
}

TEST(ReplyReader, AStreamErrorGivesNoReply) {
    FakeStream stream({"25"}, true);
    ReplyReader reader;
    EXPECT_FALSE(reader.read(stream, kSoon));
}

TEST(ReplyReader, CodeIsTheLeadingDigitsOfTheFirstThreeCharacters) {
    EXPECT_EQ(ReplyReader::replyCode("250 ok"), 250);
    EXPECT_EQ(ReplyReader::replyCode("2501"), 250);
    EXPECT_EQ(ReplyReader::replyCode("25"), 25);
    EXPECT_EQ(ReplyReader::replyCode("2x0"), 2);
    EXPECT_EQ(ReplyReader::replyCode(" 250"), 0);
    EXPECT_EQ(ReplyReader::replyCode(""), 0);
}
