// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/Base64Codec.h"

#include <gtest/gtest.h>

TEST(Base64Codec, EncodesTheStandardVectorsWithPadding) {
    EXPECT_EQ(Base64Codec::encode(""), "");
    EXPECT_EQ(Base64Codec::encode("f"), "Zg==");
    EXPECT_EQ(Base64Codec::encode("fo"), "Zm8=");
    EXPECT_EQ(Base64Codec::encode("foo"), "Zm9v");
    EXPECT_EQ(Base64Codec::encode("foob"), "Zm9vYg==");
    EXPECT_EQ(Base64Codec::encode("fooba"), "Zm9vYmE=");
    EXPECT_EQ(Base64Codec::encode("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Base64Codec::encode(std::string("\x00\xff\xfe\x80", 4)), "AP/+gA==");
}

TEST(Base64Codec, EveryByteValueComesBackAfterEncodingAcrossLineBreaks) {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes += static_cast<char>(i);
    }
    std::string text = Base64Codec::encode(bytes);
    for (std::size_t at = 72; at < text.size(); at += 74) {
        text.insert(at, "\r\n");
    }
    EXPECT_EQ(Base64Codec::decode(text), bytes);
}

TEST(Base64Codec, RefusesTextOutsideTheAlphabetOrWithMisplacedPadding) {
    EXPECT_FALSE(Base64Codec::decode("Zm9v!"));
    EXPECT_FALSE(Base64Codec::decode("Z==="));
    EXPECT_FALSE(Base64Codec::decode("Zg==Zg=="));
    EXPECT_FALSE(Base64Codec::decode("Zg="));
    EXPECT_FALSE(Base64Codec::decode("Z"));
}
