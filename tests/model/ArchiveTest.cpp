// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Archive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::string hex(std::string_view bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

std::string textBytes(std::size_t length) {
    ArchiveWriter out;
    out.writeText(std::string(length, 'x'));
    return out.bytes();
}

std::string le32(std::uint32_t v) {
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}

} // namespace

TEST(TextPrefix, ShortTextsTakeOneLengthByte) {
    EXPECT_EQ(hex(textBytes(0)), "00");
    EXPECT_EQ(hex(textBytes(254).substr(0, 1)), "fe");
    EXPECT_EQ(textBytes(254).size(), 255u);
}

TEST(TextPrefix, MediumTextsTakeMarkerAndSixteenBits) {
    EXPECT_EQ(hex(textBytes(255).substr(0, 3)), "ffff00");
    EXPECT_EQ(hex(textBytes(65533).substr(0, 3)), "fffdff");
    EXPECT_EQ(textBytes(65533).size(), 65536u);
}

TEST(TextPrefix, LongTextsTakeThirtyTwoBits) {
    const std::string bytes = textBytes(65534);
    EXPECT_EQ(hex(bytes.substr(0, 7)), "fffffffeff0000");
    EXPECT_EQ(bytes.size(), 7u + 65534u);
}

TEST(TextPrefix, EveryFormReadsBack) {
    for (std::size_t length : {0u, 1u, 254u, 255u, 65533u, 65534u, 70000u}) {
        const std::string bytes = textBytes(length);
        ArchiveReader in(bytes);
        EXPECT_EQ(in.readText(), std::string(length, 'x')) << length;
        EXPECT_TRUE(in.ok());
        EXPECT_TRUE(in.atEnd());
    }
}

TEST(Primitives, IntegersAndDatesAreLittleEndianStatusFirst) {
    ArchiveWriter out;
    out.writeInt(-2);
    out.writeDate({OleDate::Null, 1.5});
    EXPECT_EQ(hex(out.bytes()), "feffffff"
                                "02000000"
                                "000000000000f83f");
    ArchiveReader in(out.bytes());
    EXPECT_EQ(in.readInt(), -2);
    EXPECT_EQ(in.readDate(), (OleDate{OleDate::Null, 1.5}));
    EXPECT_TRUE(in.ok());
}

TEST(WideText, IsConvertedToTheCodePage) {
    // Marker 0xFF 0xFFFE, then a count of 4 characters: "a", e-acute, euro sign, a character outside.
    std::string bytes = "\xFF\xFE\xFF\x04";
    const char16_t units[] = {u'a', 0x00E9, 0x20AC, 0x4E2D};
    bytes.append(reinterpret_cast<const char*>(units), sizeof units);
    ArchiveReader in(bytes);
    EXPECT_EQ(in.readText(), "a\xE9\x80?");
    EXPECT_TRUE(in.atEnd());
}

TEST(WideText, WithLongCountAndShortData_IsTruncated) {
    std::string bytes = "\xFF\xFE\xFF\xFF\xFF\xFF";
    bytes += le32(0x7FFFFFFF);
    bytes += "ab";
    ArchiveReader in(bytes);
    EXPECT_EQ(in.readText(), "");
    EXPECT_EQ(in.status(), ReadStatus::Truncated);
}

TEST(Damage, LengthBeyondTheFileIsTruncationWithoutAllocating) {
    std::string bytes = "\xFF\xFF\xFF";
    bytes += le32(0xFFFFFFF0u);
    ArchiveReader in(bytes);
    EXPECT_EQ(in.readText(), "");
    EXPECT_EQ(in.status(), ReadStatus::Truncated);
    EXPECT_EQ(in.problem(), "the file ends unexpectedly");
}

TEST(Damage, FirstProblemSticksAndLaterReadsYieldNothing) {
    ArchiveReader in("\x01\x02");
    EXPECT_EQ(in.readInt(), 0);
    EXPECT_FALSE(in.ok());
    in.fail(ReadStatus::Corrupt, "later");
    EXPECT_EQ(in.status(), ReadStatus::Truncated);
    EXPECT_EQ(in.readText(), "");
}

TEST(Damage, CountsOutsideTheirLimitAreCorrupt) {
    ArchiveWriter out;
    out.writeInt(33);
    out.writeInt(-1);
    ArchiveReader high(out.bytes());
    EXPECT_EQ(high.readCount(32, "questionnaires"), 0);
    EXPECT_EQ(high.status(), ReadStatus::Corrupt);
    EXPECT_EQ(high.problem(), "the number of questionnaires (33) is outside 0 to 32");
    ArchiveReader negative(out.bytes().substr(4));
    negative.readCount(32, "questionnaires");
    EXPECT_EQ(negative.status(), ReadStatus::Corrupt);
}

TEST(Keystream, SeedKeepsTwentyFourBitsOfSignedBytes) {
    EXPECT_EQ(seedFromKey("a"), 65);
    EXPECT_EQ(seedFromKey("secret"), 16348586);
    EXPECT_EQ(seedFromKey("\xE9t\xE9"), 16704974); // bytes above 127 count as negative
}

TEST(Keystream, DrawsFollowTheGenerator) {
    Keystream stream;
    stream.seed(65);
    EXPECT_EQ(stream.draw(), 250);
    EXPECT_EQ(stream.draw(), 18237);
    EXPECT_EQ(stream.draw(), 2761);
    EXPECT_EQ(stream.draw(), 26456);
}

TEST(Scrambling, EmptyKeyTurnsTheSwitchOffAndKeepsTheSeed) {
    Scrambler scrambler;
    scrambler.setKey("a");
    scrambler.setKey("");
    EXPECT_FALSE(scrambler.isOn());
    EXPECT_EQ(scrambler.seed(), 65);
}

TEST(Scrambling, IntegersAddTheDrawnValue) {
    ArchiveWriter out;
    out.scrambler().setKey("secret");
    out.writeScrambledInt(1000);
    out.writeScrambledInt(-5);
    EXPECT_EQ(hex(out.bytes()), "612500000c0c0000");

    ArchiveReader in(out.bytes());
    in.scrambler().setState(true, seedFromKey("secret"));
    EXPECT_EQ(in.readScrambledInt(), 1000);
    EXPECT_EQ(in.readScrambledInt(), -5);
}

TEST(Scrambling, TextsTakeFourBytesPerCharacterAndKeepHighBytes) {
    ArchiveWriter out;
    out.scrambler().setKey("a");
    out.writeScrambledText("ab\xFF");
    EXPECT_EQ(hex(out.bytes()), "fd0000009e4700002b0b000057670000");

    ArchiveReader in(out.bytes());
    in.scrambler().setState(true, 65);
    EXPECT_EQ(in.readScrambledText(), "ab\xFF");
    EXPECT_TRUE(in.atEnd());
}

TEST(Scrambling, EmptyTextDrawsOnceAndSwitchOffDrawsNothing) {
    ArchiveWriter on;
    on.scrambler().setKey("a");
    on.writeScrambledText("");
    on.writeScrambledInt(0);
    EXPECT_EQ(hex(on.bytes()), "fa000000"
                               "3d470000"); // 0 + 250, then 0 + 18237

    ArchiveWriter off;
    off.writeScrambledText("ab");
    off.writeScrambledInt(7);
    EXPECT_EQ(hex(off.bytes()), "026162"
                                "07000000");
}

TEST(Scrambling, ImpossibleScrambledLengthsAreDamage) {
    ArchiveWriter out;
    out.scrambler().setKey("a");
    out.writeScrambledInt(-3);
    ArchiveReader negative(out.bytes());
    negative.scrambler().setState(true, 65);
    EXPECT_EQ(negative.readScrambledText(), "");
    EXPECT_EQ(negative.status(), ReadStatus::Corrupt);

    ArchiveWriter huge;
    huge.scrambler().setKey("a");
    huge.writeScrambledInt(0x7FFF0000);
    ArchiveReader in(huge.bytes());
    in.scrambler().setState(true, 65);
    EXPECT_EQ(in.readScrambledText(), "");
    EXPECT_EQ(in.status(), ReadStatus::Truncated);
}
