// SPDX-License-Identifier: GPL-3.0-or-later
#include "mailreader/MailReader.h"
#include "mailreader/MailSource.h"
#include "mailreader/MimeAttachments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<mailsource::Message> split(std::string_view mbox) {
    std::vector<mailsource::Message> messages;
    mailsource::splitMbox(mbox, [&](mailsource::Message&& m) { messages.push_back(std::move(m)); });
    return messages;
}

std::string withAttachment(const std::string& dispositionName, const std::string& body,
                           const std::string& encoding = "base64") {
    return "Subject: x\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"B\"\r\n\r\n"
           "--B\r\nContent-Type: text/plain\r\n\r\nhello\r\n"
           "--B\r\nContent-Type: application/octet-stream\r\nContent-Transfer-Encoding: " +
           encoding + "\r\nContent-Disposition: attachment; " + dispositionName + "\r\n\r\n" + body + "\r\n--B--\r\n";
}

std::vector<std::string> namesIn(const std::string& message) {
    std::vector<std::string> names;
    for (const auto& a : mimeattachments::feedbackAttachments(message).attachments) {
        names.push_back(a.name);
    }
    return names;
}

} // namespace

TEST(MboxSplitting, FromLinesSeparateMessagesAndQuotedOnesLoseOneMark) {
    const auto messages = split("From a@b Mon Jan 1 00:00:00 2026\nSubject: one\n\n>From here\n>>From there\n"
                                ">not From\nFrom b@c Tue Jan 2 00:00:00 2026\nSubject: two\n\nbody\n");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].number, 1u);
    EXPECT_EQ(messages[0].text, "Subject: one\n\nFrom here\n>From there\n>not From\n");
    EXPECT_EQ(messages[1].number, 2u);
    EXPECT_EQ(messages[1].text, "Subject: two\n\nbody\n");
    EXPECT_EQ(mailsource::kindOfBytes("From x\n"), mailsource::Kind::Mbox);
    EXPECT_EQ(mailsource::kindOfBytes("Subject: From x\n"), mailsource::Kind::Message);
}

TEST(MboxSplitting, AnOversizedMessageIsSkippedWithAReasonAndTheNextIsRead) {
    std::string mbox = "From a\n" + std::string(mailsource::kMaxMessageBytes, 'x') + "\nFrom b\nSubject: ok\n";
    const auto messages = split(mbox);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].text.empty());
    EXPECT_EQ(messages[0].problem, "larger than 32 MB, skipped");
    EXPECT_EQ(messages[1].text, "Subject: ok\n");
}

TEST(MimeAttachments, NamesInEveryEncodingMailProgramsUse) {
    EXPECT_EQ(namesIn(withAttachment("filename*=UTF-8''Zo%C3%AB%20%E2%82%AC.kvi", "QUJD")),
              std::vector<std::string>{"Zoë €.kvi"});
    EXPECT_EQ(namesIn(withAttachment("filename*0*=UTF-8''Feedback%20from%20;\r\n filename*1=\"Pat.KVQ\"", "QUJD")),
              std::vector<std::string>{"Feedback from Pat.KVQ"});
    EXPECT_EQ(namesIn(withAttachment("filename=\"=?UTF-8?B?Wm/Dqy5rdmk=?=\"", "QUJD")),
              std::vector<std::string>{"Zoë.kvi"});
    EXPECT_EQ(namesIn(withAttachment("filename=\"Zo\xeb.kvi\"", "QUJD")), std::vector<std::string>{"Zoë.kvi"});
    EXPECT_EQ(namesIn(withAttachment("filename=\"notes.txt\"", "QUJD")), std::vector<std::string>{});
}

TEST(MimeAttachments, ContentIsDecodedFromBase64AndQuotedPrintable) {
    auto found = mimeattachments::feedbackAttachments(withAttachment("filename=a.kvi", "AAEC/w=="));
    ASSERT_EQ(found.attachments.size(), 1u);
    EXPECT_EQ(found.attachments[0].bytes, std::string("\x00\x01\x02\xff", 4));
    found = mimeattachments::feedbackAttachments(withAttachment("filename=a.kvi", "A=00=FF=\r\nB", "quoted-printable"));
    ASSERT_EQ(found.attachments.size(), 1u);
    EXPECT_EQ(found.attachments[0].bytes, std::string("A\x00\xff"
                                                      "B",
                                                      4));
}

TEST(MimeAttachments, NestedPartsAndForwardedMailsAreSearchedWithinALimit) {
    const std::string inner = withAttachment("filename=inner.kvi", "QUJD");
    const std::string forwarded =
        "Subject: Fwd\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"F\"\r\n\r\n"
        "--F\r\nContent-Type: multipart/alternative; boundary=\"G\"\r\n\r\n"
        "--G\r\nContent-Type: text/plain\r\n\r\nsee below\r\n--G--\r\n"
        "--F\r\nContent-Type: message/rfc822\r\n\r\n" +
        inner + "\r\n--F--\r\n";
    EXPECT_EQ(namesIn(forwarded), std::vector<std::string>{"inner.kvi"});

    std::string deep = "Subject: deep\r\n";
    for (int i = 0; i < mimeattachments::kMaxNesting + 5; ++i) {
        deep += "Content-Type: multipart/mixed; boundary=\"b" + std::to_string(i) + "\"\r\n\r\n--b" +
                std::to_string(i) + "\r\n";
    }
    deep += "Content-Type: application/octet-stream\r\nContent-Disposition: attachment; filename=x.kvi\r\n\r\nQUJD\r\n";
    const auto found = mimeattachments::feedbackAttachments(deep);
    EXPECT_TRUE(found.attachments.empty());
    EXPECT_EQ(found.problem, "parts nested more than 32 deep were not read");
}

TEST(MailReader, TruncatedAndNoiseMailsGiveWhatCanBeReadWithoutFailing) {
    const std::string whole = withAttachment("filename=a.kvi", "QUJDREVG");
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        const mailreader::MailContents contents = mailreader::readFeedbackMailBytes(whole.substr(0, cut));
        EXPECT_LE(contents.files.size(), 1u);
    }
    const auto contents = mailreader::readFeedbackMailBytes("From x\n" + whole + "From y\n" + whole);
    EXPECT_EQ(contents.mailCount, 2u);
    ASSERT_EQ(contents.files.size(), 2u);
    EXPECT_EQ(contents.files[1].mail, 2u);
    EXPECT_EQ(contents.files[1].bytes, "ABCDEF");
}
