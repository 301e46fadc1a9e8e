// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/MailEncoding.h"

#include <gtest/gtest.h>

using mailencoding::headerText;
using mailencoding::quotedPrintable;

TEST(QuotedPrintable, EncodesEqualsEightBitBytesAndLoneLineBreaksButKeepsCrLf) {
    EXPECT_EQ(quotedPrintable("Caf\xe9 \x80 a=b\r\nnext"), "Caf=E9 =80 a=3Db\r\nnext");
    EXPECT_EQ(quotedPrintable("a\nb\rc\x7f\x01"), "a=0Ab=0Dc=7F=01");
    EXPECT_EQ(quotedPrintable(".x\r\n..\r\n.\r\n"), ".x\r\n..\r\n.\r\n");
    EXPECT_EQ(quotedPrintable(""), "");
}

TEST(QuotedPrintable, KeepsEveryPrintableCharacterButTheEqualsSignAndEncodesTheBytesBesideThem) {
    std::string printable;
    for (char c = '!'; c <= '~'; ++c) {
        printable += c;
    }
    const std::string twoLines = printable.substr(0, 47) + "\r\n" + printable.substr(47);
    std::string expected = twoLines;
    expected.replace(expected.find('='), 1, "=3D");
    EXPECT_EQ(quotedPrintable(twoLines), expected);
    EXPECT_EQ(headerText(printable), printable);
    EXPECT_EQ(quotedPrintable("\x1f\x7f"), "=1F=7F");
}

TEST(QuotedPrintable, EncodesOnlyTheWhiteSpaceThatEndsALine) {
    EXPECT_EQ(quotedPrintable("a b\tc \r\nd\t\r\n \r\ne "), "a b\tc=20\r\nd=09\r\n=20\r\ne=20");
}

TEST(QuotedPrintable, CutsLongLinesWithSoftBreaksNeverInsideAnEscape) {
    // A line of exactly 76 characters stands as it is; one more needs a soft break.
    EXPECT_EQ(quotedPrintable(std::string(76, 'a')), std::string(76, 'a'));
    EXPECT_EQ(quotedPrintable(std::string(77, 'a')), std::string(75, 'a') + "=\r\naa");
    EXPECT_EQ(quotedPrintable(std::string(74, 'a') + "\xe9"), std::string(74, 'a') + "=\r\n=E9");
    EXPECT_EQ(quotedPrintable(std::string(73, 'a') + "\xe9"), std::string(73, 'a') + "=E9");
    const std::string encoded = quotedPrintable(std::string(200, '\xe9') + "\r\n" + std::string(200, 'b'));
    std::size_t lineStart = 0;
    while (lineStart < encoded.size()) {
        const std::size_t lineEnd = std::min(encoded.find("\r\n", lineStart), encoded.size());
        const std::string line = encoded.substr(lineStart, lineEnd - lineStart);
        EXPECT_LE(line.size(), 76u) << line;
        EXPECT_TRUE(line.find('=', line.size() - std::min<std::size_t>(line.size(), 2)) == std::string::npos ||
                    line.ends_with("="))
            << "an escape was cut: " << line;
        lineStart = lineEnd + 2;
    }
}

TEST(HeaderText, LeavesPrintableAsciiAlone) {
    EXPECT_EQ(headerText("Web PAVEX Feedback\t(1) = ok?"), "Web PAVEX Feedback\t(1) = ok?");
    EXPECT_EQ(headerText(""), "");
}

TEST(HeaderText, CarriesOtherBytesAsFoldedEncodedWords) {
    EXPECT_EQ(headerText("Zo\xeb's feedback"), "=?windows-1252?Q?Zo=EB=27s_feedback?=");
    // Text that looks like an encoded word is encoded, so that no reader decodes what was typed.
    EXPECT_EQ(headerText("=?x?"), "=?windows-1252?Q?=3D=3Fx=3F?=");
    // A line break cannot end the header field: it is encoded like any other byte.
    EXPECT_EQ(headerText("a\r\nBcc: x"), "=?windows-1252?Q?a=0D=0ABcc=3A_x?=");
    const std::string folded = headerText(std::string(40, '\xe9'));
    EXPECT_EQ(folded, "=?windows-1252?Q?" + std::string("=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9") +
                          "?=\r\n =?windows-1252?Q?=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9?=\r\n "
                          "=?windows-1252?Q?=E9=E9=E9=E9=E9=E9=E9=E9=E9=E9?=");
}
