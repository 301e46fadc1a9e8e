// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvmail/FormFields.h"

#include <gtest/gtest.h>

using formfields::decodeValue;
using formfields::field;

TEST(FormFields, DecodesPlusEscapesAndShortEscapes) {
    EXPECT_EQ(decodeValue("a+b%41%4"), std::string("a bA\x04"));
    EXPECT_EQ(decodeValue("%zz"), "zz");
    EXPECT_EQ(decodeValue("%e9t%E9"), "\xe9t\xe9");
    EXPECT_EQ(decodeValue("%4g"), "\x04g");
}

TEST(FormFields, DropsZeroBytesAndATrailingPercent) {
    EXPECT_EQ(decodeValue("a%00b"), "ab");
    EXPECT_EQ(decodeValue("a%0"), "a");
    EXPECT_EQ(decodeValue("abc%"), "abc");
}

TEST(FormFields, AnAmpersandAlwaysEndsAFieldEvenAfterAPercent) {
    EXPECT_EQ(field("name=ab&c", "name"), "ab");
    EXPECT_EQ(field("name=a%&b=c", "name"), "a");
    EXPECT_EQ(field("name=a%&b=c", "b"), "c");
    EXPECT_EQ(field("name=a%4&b", "name"), "a\x04");
}

TEST(FormFields, TakesTheFirstFieldOfTheExactNameOnly) {
    const std::string body = "role=Sales+lead&name=Ann&email=ann%40example.com&nickname=x";
    EXPECT_EQ(field(body, "role"), "Sales lead");
    EXPECT_EQ(field(body, "name"), "Ann");
    EXPECT_EQ(field(body, "email"), "ann@example.com");
    EXPECT_EQ(field("nickname=x&rolename=y&name=Ann", "name"), "Ann");
    EXPECT_EQ(field("comments=name%3DEve&name=Ann", "name"), "Ann");
    EXPECT_EQ(field("name=Ann&name=Eve", "name"), "Ann");
    EXPECT_EQ(field("name=&name=Eve", "name"), "");
    EXPECT_EQ(field("na%6De=Ann", "name"), "Ann");
    EXPECT_EQ(field("Name=Ann", "name"), "");
    EXPECT_EQ(field(body, "password"), "");
    EXPECT_EQ(field("name=", "name"), "");
}

TEST(FormFields, SplitsPiecesAtTheFirstEqualsAndSkipsEmptyOnes) {
    using Fields = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(formfields::fields("&a=1=2&&flag&=v&"), (Fields{{"a", "1=2"}, {"flag", ""}, {"", "v"}}));
    EXPECT_EQ(formfields::fields(""), Fields{});
}

TEST(FormFields, ReadsEveryFieldOfAQuestionnairePostAndIgnoresOthers) {
    const PostedForm form = PostedForm::parse("rolename=X&q0=1&email=a%40b.c&name=Bo&role=R&replies=0123&password=pw&"
                                              "relationship=2&comments=Fine%0D%0Awork&mailserver=mx&from=f%40b.c&"
                                              "subject=S&message=M&name=Eve&q1=2");
    EXPECT_EQ(form.email, "a@b.c");
    EXPECT_EQ(form.name, "Bo");
    EXPECT_EQ(form.role, "R");
    EXPECT_EQ(form.replies, "0123");
    EXPECT_EQ(form.password, "pw");
    EXPECT_EQ(form.relationship, "2");
    EXPECT_EQ(form.comments, "Fine\r\nwork");
    EXPECT_EQ(form.mailserver, "mx");
    EXPECT_EQ(form.from, "f@b.c");
    EXPECT_EQ(form.subject, "S");
    EXPECT_EQ(form.message, "M");
}
