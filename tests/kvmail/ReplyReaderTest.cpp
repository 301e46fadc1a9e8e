// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/ReplyReader.h"
#include "FakeStream.h"

#include <gtest/gtest.h>

namespace {

const auto kSoon = std::chrono::steady_clock::now() + std::chrono::seconds(5);
using Outcome = ReplyReader::Outcome;

void expectReply(ReplyReader& reader, FakeStream& stream, int code) {
    const ReplyReader::Result result = reader.read(stream, kSoon);
    EXPECT_EQ(result.outcome, Outcome::Reply);
    EXPECT_EQ(result.code, code);
}

void expectFailure(ReplyReader& reader, FakeStream& stream, Outcome outcome) {
    const ReplyReader::Result result = reader.read(stream, kSoon);
    EXPECT_EQ(result.outcome, outcome);
    EXPECT_EQ(result.code, 0);
}

} // namespace

TEST(ReplyReader, JoinsAReplySplitAcrossReceivesEvenBetweenCrAndLf) {
    FakeStream stream({"2", "50 o", "k\r", "\n"});
    ReplyReader reader;
    expectReply(reader, stream, 250);
    EXPECT_EQ(reader.pending(), "");
}

TEST(ReplyReader, AMultiLineReplyInOnePacketIsOneReplyAndWhatFollowsIsKept) {
    FakeStream stream({"220-mail.example.org\r\n220-more\r\n220 ready\r\n250 hel", "lo\r\n"});
    ReplyReader reader;
    expectReply(reader, stream, 220);
    EXPECT_EQ(reader.pending(), "250 hel");
    expectReply(reader, stream, 250);
    EXPECT_EQ(reader.pending(), "");
}

TEST(ReplyReader, AMultiLineReplyCutAnywhereIsReadWhole) {
    FakeStream stream({"250-a\r", "\n250", "-b\r\n2", "50", " c\r\n"});
    ReplyReader reader;
    expectReply(reader, stream, 250);
}

TEST(ReplyReader, ALastLineMayBeTheBareCode) {
    FakeStream stream({"354\r\n221 bye\r\n"});
    ReplyReader reader;
    expectReply(reader, stream, 354);
    expectReply(reader, stream, 221);
}

TEST(ReplyReader, LinesOfTheWrongShapeAreAProtocolFailureThatLasts) {
    for (const std::string bad : {"hello\r\n", "25 ok\r\n", "2500 ok\r\n", "250_ok\r\n", " 250 ok\r\n", "\r\n",
                                  "250-first\r\n251 other code\r\n", "250-first\r\nnonsense\r\n"}) {
        FakeStream stream({bad, "250 ok\r\n"});
        ReplyReader reader;
        expectFailure(reader, stream, Outcome::Malformed);
        // Whatever comes later cannot be trusted to answer anything.
        expectFailure(reader, stream, Outcome::Malformed);
    }
}

TEST(ReplyReader, ALineLongerThanTheBufferIsMalformed) {
    FakeStream stream({"250 " + std::string(1500, 'x') + "\r\n"});
    ReplyReader reader;
    expectFailure(reader, stream, Outcome::Malformed);
    FakeStream longest({"250 " + std::string(ReplyReader::kCapacity - 6, 'x') + "\r\n"});
    ReplyReader fits;
    expectReply(fits, longest, 250);
}

TEST(ReplyReader, APeerThatClosesBeforeTheLastLineGivesNoReply) {
    FakeStream stream({"250-first\r\n250 sec"});
    ReplyReader reader;
    expectFailure(reader, stream, Outcome::Closed);
    FakeStream silent({});
    ReplyReader nothing;
    expectFailure(nothing, silent, Outcome::Closed);
}

TEST(ReplyReader, AStreamErrorGivesNoReply) {
    FakeStream stream({"25"}, true);
    ReplyReader reader;
    expectFailure(reader, stream, Outcome::StreamError);
}
