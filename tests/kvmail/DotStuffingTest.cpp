#include "kvmail/DotStuffing.h"

#include <gtest/gtest.h>

TEST(DotStuffing, DoublesOnlyLinesThatAreASingleDot) {
    EXPECT_EQ(dotStuffed("a\r\n.\r\nb\r\n"), "a\r\n..\r\nb\r\n");
    EXPECT_EQ(dotStuffed("a\r\n.x\r\n..\r\n"), "a\r\n.x\r\n..\r\n");
    EXPECT_EQ(dotStuffed(".\r\nfirst line\r\n"), "..\r\nfirst line\r\n");
    EXPECT_EQ(dotStuffed("no dots\r\n"), "no dots\r\n");
}

TEST(DotStuffing, DoublesEveryOneOfConsecutiveDotLines) {
    EXPECT_EQ(dotStuffed("a\r\n.\r\n.\r\n.\r\nb"), "a\r\n..\r\n..\r\n..\r\nb");
    EXPECT_EQ(dotStuffed(".\r\n.\r\n"), "..\r\n..\r\n");
}
