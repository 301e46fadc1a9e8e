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

TEST(FormFields, AValueEndsAtAnAmpersandUnlessAPercentKeepsIt) {
    EXPECT_EQ(decodeValue("ab&c"), "ab");
    EXPECT_EQ(decodeValue("a%&b&c"), "a&b");
    EXPECT_EQ(decodeValue("a%4&b"), "a\x04");
}

TEST(FormFields, FindsTheFirstNameFollowedByEqualsAnywhere) {
    const std::string body = "role=Sales+lead&name=Ann&email=ann%40example.com&nickname=x";
    EXPECT_EQ(field(body, "role"), "Sales lead");
    EXPECT_EQ(field(body, "name"), "Ann");
    EXPECT_EQ(field(body, "email"), "ann@example.com");
    EXPECT_EQ(field("nickname=x&name=Ann", "name"), "x");
    EXPECT_EQ(field(body, "password"), "");
    EXPECT_EQ(field("name=", "name"), "");
}

TEST(FormFields, ReadsEveryFieldOfAQuestionnairePost) {
    const PostedForm form = PostedForm::parse("email=a%40b.c&name=Bo&role=R&replies=0123&password=pw&relationship=2&"
                                              "comments=Fine%0D%0Awork&mailserver=mx&from=f%40b.c&subject=S&message=M");
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
