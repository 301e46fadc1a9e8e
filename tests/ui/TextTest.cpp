// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ScriptedPrompts.h"
#include "ui/Cp1252Text.h"

#include <gtest/gtest.h>

using namespace ui;

TEST(Cp1252Text, EveryByteSurvivesBothWays) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const QString text = fromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toCp1252(text), all);

    EXPECT_EQ(text.at(0x41), QChar('A'));
    EXPECT_EQ(text.at(0x80), QChar(0x20AC)); // euro sign
    EXPECT_EQ(text.at(0x92), QChar(0x2019)); // right single quotation mark
    EXPECT_EQ(text.at(0x9F), QChar(0x0178));
    EXPECT_EQ(text.at(0xE9), QChar(0x00E9));
    for (const int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(text.at(undefined).unicode(), undefined) << undefined;
    }
}

TEST(Cp1252Text, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(toCp1252(u"Ā ž €"), "? \x9e \x80");
    // One character beyond the basic plane is one '?', not two.
    EXPECT_EQ(toCp1252(QString::fromUtf8("a\xF0\x9F\x98\x80z")), "a?z");
    // A lone surrogate is no character either.
    EXPECT_EQ(toCp1252(QString(QChar(0xD800)) + 'x'), "?x");
    EXPECT_EQ(toCp1252(QString()), "");
}

TEST(Cp1252Text, TextsThatDoNotFitAreToldByFieldAndNeverConverted) {
    EXPECT_TRUE(holdsCp1252(QString::fromUtf8("Zo\u00eb \u20ac ? \u0081")));
    EXPECT_FALSE(holdsCp1252(QString::fromUtf8("\u0418\u0432\u0430\u043d")));
    EXPECT_FALSE(holdsCp1252(QString::fromUtf8("a\U0001F600")));
    EXPECT_FALSE(holdsCp1252(QString(QChar(0xD800))));

    ScriptedPrompts prompts;
    EXPECT_TRUE(textsFit(prompts, {{QStringLiteral("Fine"), QStringLiteral("Name")}}));
    EXPECT_FALSE(textsFit(prompts, {{QStringLiteral("Fine"), QStringLiteral("Name")},
                                    {QString::fromUtf8("\u0418"), QStringLiteral("Statement")},
                                    {QString::fromUtf8("\U0001F600"), QStringLiteral("Other")}}));
    // The first field that does not fit is named, once.
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Sorry, \"Statement\" can hold only the letters of Western "
                                                        "European languages (Windows-1252)."});
}

TEST(TextMode, CrLfReadsAsLfAndLfWritesAsCrLf) {
    EXPECT_EQ(readTextMode("a\r\nb\rc\n\r\n\r"), "a\nb\rc\n\n\r");
    EXPECT_EQ(writeTextMode("a\nb\r\nc\n\n"), "a\r\nb\r\nc\r\n\r\n");
    EXPECT_EQ(writeTextMode("\n"), "\r\n");
    EXPECT_EQ(readTextMode(""), "");

    const std::string text = "line 1\nline 2\rstill 2\n\nend";
    EXPECT_EQ(readTextMode(writeTextMode(text)), text);
}
