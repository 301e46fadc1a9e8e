// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "kvmail/MultipartMail.h"
#include "kvmail/PartWriterRegistry.h"
#include "kvmail/PlainTextWriter.h"

#include <gtest/gtest.h>

using testsupport::readFile;
using testsupport::TemporaryDirectory;

namespace {

const std::string kData = KVMAIL_TEST_DATA;
const std::string kBoundaryLine = "--ZQ_MAIL_PaRt_BoUnDaRy_05151998\r\n";
const std::string kClosingLine = "--ZQ_MAIL_PaRt_BoUnDaRy_05151998--\r\n";

std::string bytesOfLength(std::size_t length) {
    std::string bytes;
    for (std::size_t i = 0; i < length; ++i) {
        bytes += static_cast<char>(i * 7 + 3);
    }
    return bytes;
}

class MimeMessage : public testing::Test {
protected:
    void SetUp() override { testsupport::useUtc(); }

    static void pin(OutgoingMail& mail) {
        mail.setClock([] { return testsupport::kFixedTime; });
    }
    static std::string whole(const OutgoingMail& mail) { return mail.headerBlock() + mail.body(); }

    TemporaryDirectory m_dir;
};

} // namespace

TEST_F(MimeMessage, GatewayMailMatchesTheStoredCopyByteForByte) {
    MultipartMail mail;
    pin(mail);
    mail.setSender("feedback@example.org");
    mail.addRecipient("anna@example.com");
    mail.setSubject("Web PAVEX Feedback");
    mail.setText("Here is some PAVEX feedback that someone completed for you on the web.  Drag and drop it into "
                 "PAVEX, or use PAVEX Tools->Merge, to add it to your reflectory.");
    mail.addPart(m_dir.write("Feedback from Bob 20240102030405.kvi", bytesOfLength(55)), PartKind::File, {}, 4, 1);
    mail.prepare();
    EXPECT_EQ(whole(mail), readFile(kData + "/mail-with-text.eml"));
}

TEST_F(MimeMessage, WindowsLettersInTextAndSubjectTravelEncodedAndMatchTheStoredCopy) {
    MultipartMail mail;
    pin(mail);
    mail.setSender("feedback@example.org");
    mail.addRecipient("zoe@example.com");
    mail.setSubject("R\xfc"
                    "ckmeldung f\xfcr Zo\xeb \x96 5 \x80 = ?_ \"pr\xeat\" 100% vollst\xe4ndig");
    mail.setText("Caf\xe9 cr\xe8me \x80"
                 "5 = cheap; trailing space \r\n.x\r\n..\r\n.\r\ntab\tinside " +
                 std::string(30, '\xe9') + " " + std::string(90, 'w') + "\r\nlast line");
    mail.addPart(m_dir.write("Feedback from Zo\xeb \"Q\" 20240102030405.kvi", bytesOfLength(3)), PartKind::File);
    mail.prepare();
    EXPECT_EQ(whole(mail), readFile(kData + "/mail-in-windows-1252.eml"));
}

TEST_F(MimeMessage, EmptyTextLeavesOnlyTheAttachmentAndAFullLastLineIsFollowedByAnEmptyOne) {
    MultipartMail mail;
    pin(mail);
    mail.addRecipient("anna@example.com");
    mail.addPart(m_dir.write("Feedback from Ann 20240102030405.kvi", bytesOfLength(54)), PartKind::File);
    mail.prepare();
    EXPECT_EQ(whole(mail), readFile(kData + "/mail-attachment-only.eml"));
}

TEST_F(MimeMessage, HeaderNamesRecipientsInOrderAndDatesTheMailWithTheClock) {
    OutgoingMail mail;
    pin(mail);
    mail.setSender("me@example.org");
    mail.addRecipient("a@example.com");
    mail.addRecipient("b@example.com", "Bea ");
    mail.setSubject("Hello");
    mail.setText("Body");
    mail.prepare();
    EXPECT_EQ(mail.headerBlock(), "From: me@example.org\r\n"
                                  "To: <a@example.com>,Bea <b@example.com>\r\n"
                                  "Date: Tue, 02 Jan 2024 03:04:05 +0000\r\n"
                                  "Subject: Hello\r\n"
                                  "X-Mailer: ZQ Mail\r\n"
                                  "\r\n");
    EXPECT_EQ(mail.body(), "Body\r\n");
    EXPECT_EQ(mail.date(), testsupport::kFixedTime);
    ASSERT_EQ(mail.recipientCount(), 2u);
    EXPECT_EQ(mail.recipient(1)->displayName, "Bea ");
    EXPECT_FALSE(mail.recipient(2));
}

TEST_F(MimeMessage, FilePartsAreBase64InLinesOf72NamedInBothParameterForms) {
    MultipartMail mail;
    mail.addRecipient("a@example.com");
    mail.addPart(m_dir.write("Feedback from Al 20240102030405.kvi", bytesOfLength(55)), PartKind::File);
    mail.prepare();
    const std::string& body = mail.body();
    EXPECT_NE(body.find("Content-Type: application/octet-stream;\r\n"
                        " file*=windows-1252''Feedback%20from%20Al%2020240102030405.kvi;\r\n"
                        " file=\"Feedback from Al 20240102030405.kvi\"\r\n"
                        "Content-Transfer-Encoding: base64\r\n"
                        "Content-Disposition: attachment;\r\n"
                        " filename*=windows-1252''Feedback%20from%20Al%2020240102030405.kvi;\r\n"
                        " filename=\"Feedback from Al 20240102030405.kvi\"\r\n\r\n"),
              std::string::npos);
    const std::size_t first = body.find("\r\n\r\n", body.find("filename=")) + 4;
    const std::string lines = body.substr(first, body.find(kClosingLine) - first);
    ASSERT_EQ(lines.size(), 72u + 2 + 4 + 2 + 2);
    EXPECT_EQ(lines.substr(72, 2), "\r\n");
    EXPECT_EQ(lines.substr(74), "fQ==\r\n\r\n");
}

TEST_F(MimeMessage, AttachmentThatCannotBeReadLeavesItsBoundaryLineAlone) {
    MultipartMail mail;
    mail.addRecipient("a@example.com");
    mail.addPart(m_dir.file("missing.kvi"), PartKind::File);
    mail.addPart("", PartKind::File);
    mail.prepare();
    EXPECT_EQ(mail.body(),
              "This is a multi-part message in MIME format.\r\n\r\n" + kBoundaryLine + kBoundaryLine + kClosingLine);
}

TEST_F(MimeMessage, TextGoesBeforeEveryOtherPartAndPreparingTwiceSendsItOnce) {
    MultipartMail mail;
    mail.addRecipient("a@example.com");
    mail.addPart("  first  ", PartKind::Text, "; format=fixed");
    mail.setText("  mail text\r\n");
    mail.prepare();
    mail.prepare();
    EXPECT_EQ(mail.body(), "This is a multi-part message in MIME format.\r\n\r\n" + kBoundaryLine +
                               "Content-Type: text/plain; charset=windows-1252\r\n"
                               "Content-Transfer-Encoding: quoted-printable\r\n\r\nmail text\r\n" +
                               kBoundaryLine +
                               "Content-Type: text/plain; charset=windows-1252; format=fixed\r\n"
                               "Content-Transfer-Encoding: quoted-printable\r\n\r\nfirst\r\n" +
                               kClosingLine);
    EXPECT_TRUE(
        mail.headerBlock().ends_with("X-Mailer: ZQ Mail\r\nMIME-Version: 1.0\r\n"
                                     "Content-Type: multipart/mixed; boundary=ZQ_MAIL_PaRt_BoUnDaRy_05151998\r\n\r\n"));
}

TEST_F(MimeMessage, WritersAreRegisteredOncePerKindHoweverManyMailsAreMade) {
    for (int i = 0; i < 3; ++i) {
        MultipartMail mail;
    }
    EXPECT_EQ(PartWriterRegistry::instance().size(), 2u);
    EXPECT_EQ(PartWriterRegistry::instance().find(PartKind::Text)->contentType(), "text/plain");
    EXPECT_EQ(PartWriterRegistry::instance().find(PartKind::File)->contentType(), "application/octet-stream");
}

TEST(WordWrap, BreaksA200CharacterLineAtTheLastSpaceBeforeEachOverflow) {
    const std::string text = "The quick brown fox jumps over the lazy dog while the respondent writes a long comment "
                             "about the way the team works together, listens to customers, plans the next steps and "
                             "thanks everyone for it all.";
    ASSERT_EQ(text.size(), 200u);
    // The count restarts at the overflowing character, not at the break, so the second line
    // runs to 79 characters.
    EXPECT_EQ(PlainTextWriter::wordWrap(text, 76),
              "The quick brown fox jumps over the lazy dog while the respondent writes a\r\n"
              "long comment about the way the team works together, listens to customers, plans\r\n"
              "the next steps and thanks everyone for it all.");
}

TEST(WordWrap, LeavesLongWordsWholeAndRestartsAtLineBreaks) {
    EXPECT_EQ(PlainTextWriter::wordWrap(std::string(100, 'a'), 76), "\r\n" + std::string(100, 'a'));
    EXPECT_EQ(PlainTextWriter::wordWrap(std::string(80, 'x') + " tail", 76), "\r\n" + std::string(80, 'x') + " tail");
    std::string ys;
    for (int i = 0; i < 45; ++i) {
        ys += "y ";
    }
    EXPECT_EQ(PlainTextWriter::wordWrap("short line\r\n" + ys, 76),
              "short line\r\ny y y y y y y y y y y y y y y y y y y y y y y y y y y y y y y y y y y y y y\r\n"
              "y y y y y y y ");
    EXPECT_EQ(PlainTextWriter::wordWrap("fits", 76), "fits");
}
