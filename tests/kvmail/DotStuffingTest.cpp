// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/DotStuffing.h"

#include <gtest/gtest.h>

TEST(DotStuffing, DoublesTheDotThatOpensAnyLine) {
    EXPECT_EQ(dotStuffed("a\r\n.\r\nb\r\n"), "a\r\n..\r\nb\r\n");
    EXPECT_EQ(dotStuffed("a\r\n.x\r\n..\r\n...\r\n"), "a\r\n..x\r\n...\r\n....\r\n");
    EXPECT_EQ(dotStuffed(".\r\nfirst line\r\n"), "..\r\nfirst line\r\n");
    EXPECT_EQ(dotStuffed(".5 points"), "..5 points");
    EXPECT_EQ(dotStuffed("end.\r\n"), "end.\r\n");
    EXPECT_EQ(dotStuffed("no dots\r\n"), "no dots\r\n");
    EXPECT_EQ(dotStuffed(""), "");
}

TEST(DotStuffing, DoublesEveryOneOfConsecutiveDotLines) {
    EXPECT_EQ(dotStuffed("a\r\n.\r\n.\r\n.\r\nb"), "a\r\n..\r\n..\r\n..\r\nb");
    EXPECT_EQ(dotStuffed(".\r\n.\r\n"), "..\r\n..\r\n");
}

TEST(DotStuffing, ALineFeedWithoutCarriageReturnAlsoStartsALine) {
    // Some servers end lines at a bare line feed; to them ".\n" would end the data early.
    EXPECT_EQ(dotStuffed("a\n.\nb\r.c\r\n.d"), "a\n..\nb\r.c\r\n..d");
}
