// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Windows1252.h"

#include <gtest/gtest.h>

TEST(CodePage, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
}

TEST(CodePage, UndefinedBytesAreTheirControlCharacters) {
    EXPECT_EQ(cp1252::toUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(cp1252::toUtf8("\x80\xE9"), "\u20AC\u00E9");
}

TEST(CodePage, CharactersOutsideAndMalformedInputBecomeQuestionMarks) {
    EXPECT_EQ(cp1252::fromUtf8("a\u4E2D\U0001F600b"), "a??b");
    EXPECT_EQ(cp1252::fromUtf8("\xC3"), "?");
    EXPECT_EQ(cp1252::fromUtf8("\xE2\x82"), "??");
    EXPECT_EQ(cp1252::fromUtf8("\xED\xA0\x80"), "?"); // an encoded surrogate is not a character
    const char16_t pair[] = {0xD83D, 0xDE00, u'x', 0xDC00};
    EXPECT_EQ(cp1252::fromUtf16(pair, 4), "?x?");
}
