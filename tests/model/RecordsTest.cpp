// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Action.h"
#include "model/Feedback.h"
#include "model/Framework.h"
#include "model/Role.h"
#include "model/RoleFile.h"
#include "model/WebReply.h"
#include "tests/support/Samples.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Builds expected bytes field by field, independently of the record code.
class Bytes {
public:
    Bytes& i32(std::int32_t v) {
        char b[4];
        std::memcpy(b, &v, 4);
        m_s.append(b, 4);
        return *this;
    }
    Bytes& text(std::string_view t) {
        m_s.push_back(static_cast<char>(t.size()));
        m_s.append(t);
        return *this;
    }
    Bytes& date(std::int32_t status, double value) {
        i32(status);
        char b[8];
        std::memcpy(b, &value, 8);
        m_s.append(b, 8);
        return *this;
    }
    const std::string& str() const { return m_s; }

private:
    std::string m_s;
};

CPavexFeedback sampleQuestionnaire() {
    CPavexFeedback q;
    q.assessor = "Jo";
    q.relationship = 3;
    q.details = "ok";
    q.date = {OleDate::Valid, 2.0};
    q.useInResults = 1;
    q.responses = {{0, 2}, {1, 0}};
    return q;
}

} // namespace

TEST(QuestionnaireRecord, PlainLayoutFieldByField) {
    ArchiveWriter out;
    sampleQuestionnaire().store(out);
    const std::string expected =
        Bytes().i32(1).text("Jo").i32(3).text("ok").date(0, 2.0).i32(1).i32(2).i32(0).i32(2).i32(1).i32(0).str();
    EXPECT_EQ(out.bytes(), expected);
    EXPECT_EQ(out.bytes().size(), 4u + 3 + 4 + 3 + 12 + 4 + 4 + 8 * 2);
}

TEST(QuestionnaireRecord, ScrambledKeepsNameRelationshipDateAndFlagReadable) {
    ArchiveWriter out;
    out.scrambler().setKey("a"); // draws 250, 18237, 2761, 26456, 23942, ...
    sampleQuestionnaire().store(out);
    Keystream k;
    k.seed(65);
    Bytes expected;
    expected.i32(1).text("Jo").i32(3);
    expected.i32(2 + k.draw()).i32('o' + k.draw()).i32('k' + k.draw());
    expected.date(0, 2.0).i32(1);
    expected.i32(2 + k.draw());
    for (std::int32_t v : {0, 2, 1, 0}) {
        expected.i32(v + k.draw());
    }
    EXPECT_EQ(out.bytes(), expected.str());

    ArchiveReader in(out.bytes());
    in.scrambler().setState(true, 65);
    CPavexFeedback read;
    ASSERT_TRUE(read.load(in));
    EXPECT_EQ(read, sampleQuestionnaire());
}

TEST(QuestionnaireRecord, MoreThanTheMostResponsesIsDamage) {
    const std::string bytes = Bytes().i32(1).text("Jo").i32(0).text("").date(0, 0).i32(1).i32(257).str();
    ArchiveReader in(bytes);
    CPavexFeedback read = sampleQuestionnaire();
    EXPECT_FALSE(read.load(in));
    EXPECT_EQ(in.status(), ReadStatus::Corrupt);
    EXPECT_EQ(read, sampleQuestionnaire()); // nothing of the partial record is kept
}

TEST(ActionRecord, VersionOneReadsWithoutSituationAndMeasureAndIsWrittenAsVersionTwo) {
    const std::string v1 = Bytes().i32(1).i32(4).text("Do it").date(0, 10.0).text("help").i32(1).str();
    ArchiveReader in(v1);
    CPavexAction action;
    ASSERT_TRUE(action.load(in));
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(action.version, 1);
    EXPECT_EQ(action.behaviour, 4);
    EXPECT_EQ(action.action, "Do it");
    EXPECT_EQ(action.support, "help");
    EXPECT_EQ(action.situation, "");
    EXPECT_EQ(action.measure, "");
    EXPECT_EQ(action.completed, 1);

    ArchiveWriter out;
    action.store(out);
    EXPECT_EQ(out.bytes(),
              Bytes().i32(2).i32(4).text("Do it").date(0, 10.0).text("help").text("").text("").i32(1).str());
}

TEST(ActionRecord, UnknownVersionIsRefused) {
    const std::string v3 = Bytes().i32(3).i32(4).text("x").date(0, 1).text("").text("").text("").i32(0).str();
    ArchiveReader in(v3);
    CPavexAction action;
    EXPECT_FALSE(action.load(in));
    EXPECT_EQ(in.status(), ReadStatus::Unsupported);
}

TEST(ActionText, BlanksOnlyBecomeUnspecified) {
    EXPECT_EQ(CPavexAction::normalisedActionText("  \t "), "<unspecified>");
    EXPECT_EQ(CPavexAction::normalisedActionText(""), "<unspecified>");
    EXPECT_EQ(CPavexAction::normalisedActionText("  Plan"), "Plan");
}

TEST(FrameworkRecord, VersionOneHasNoDescriptionsAndDropsTheScaleExtras) {
    const std::string v1 = Bytes()
                               .i32(1)
                               .i32(1)
                               .text("Comp")
                               .i32(1)
                               .i32(2)
                               .text("No")
                               .i32(-1)
                               .text("Yes")
                               .i32(1)
                               .text("dropped")
                               .i32(99)
                               .i32(1)
                               .i32(1)
                               .text("Listens")
                               .i32(0)
                               .i32(0)
                               .text("res")
                               .i32(1)
                               .str();
    ArchiveReader in(v1);
    CPavexFramework framework;
    ASSERT_TRUE(framework.load(in));
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(framework.descriptionsFlag, 0);
    ASSERT_EQ(framework.scales.size(), 1u);
    EXPECT_EQ(framework.scales[0].optionCount, 2);
    EXPECT_EQ(framework.scales[0].labels[1], "Yes");
    EXPECT_EQ(framework.scales[0].values[0], -1);
    EXPECT_EQ(framework.scales[0].maximum, 1);
    ASSERT_EQ(framework.behaviours.size(), 1u);
    EXPECT_EQ(framework.behaviours[0].reserved, "res");
    EXPECT_EQ(framework.behaviours[0].marked, 1);

    ArchiveWriter out;
    framework.store(out);
    const std::string v3 = Bytes()
                               .i32(3)
                               .i32(0)
                               .i32(1)
                               .text("Comp")
                               .i32(1)
                               .i32(2)
                               .text("No")
                               .i32(-1)
                               .text("Yes")
                               .i32(1)
                               .i32(1)
                               .i32(1)
                               .text("Listens")
                               .i32(0)
                               .i32(0)
                               .text("res")
                               .i32(1)
                               .str();
    EXPECT_EQ(out.bytes(), v3);
}

TEST(FrameworkRecord, VersionTwoHasDescriptions) {
    const std::string v2 =
        Bytes().i32(2).i32(1).text("Comp").text("Comp desc").i32(0).i32(0).text("Framework desc").str();
    ArchiveReader in(v2);
    CPavexFramework framework;
    ASSERT_TRUE(framework.load(in));
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(framework.descriptionsFlag, 1);
    EXPECT_EQ(framework.competencies[0].description, "Comp desc");
    EXPECT_EQ(framework.description, "Framework desc");
}

TEST(FrameworkRecord, WithoutDescriptionsStoresNoneAndReadsThemEmpty) {
    CPavexFramework framework = samples::role().framework;
    framework.descriptionsFlag = 0;
    ArchiveWriter out;
    framework.store(out);
    ArchiveReader in(out.bytes());
    CPavexFramework read;
    ASSERT_TRUE(read.load(in));
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(read.description, "");
    EXPECT_EQ(read.competencies[0].description, "");
    EXPECT_EQ(read.behaviours[0].description, "");
    EXPECT_EQ(read.behaviours[2].statement, framework.behaviours[2].statement);
}

TEST(FrameworkRecord, CountsBeyondLimitsAndUnknownVersionsAreRefused) {
    struct Case {
        std::string bytes;
        ReadStatus status;
    };
    const std::vector<Case> cases = {
        {Bytes().i32(4).str(), ReadStatus::Unsupported},
        {Bytes().i32(0).str(), ReadStatus::Unsupported},
        {Bytes().i32(3).i32(1).i32(1025).str(), ReadStatus::Corrupt},
        {Bytes().i32(3).i32(1).i32(0).i32(33).str(), ReadStatus::Corrupt},
        {Bytes().i32(3).i32(1).i32(0).i32(1).i32(7).str(), ReadStatus::Corrupt},
        {Bytes().i32(3).i32(1).i32(0).i32(0).i32(1025).str(), ReadStatus::Corrupt},
        {Bytes().i32(3).i32(1).i32(-1).str(), ReadStatus::Corrupt},
    };
    for (const Case& c : cases) {
        ArchiveReader in(c.bytes);
        CPavexFramework framework = samples::role().framework;
        EXPECT_FALSE(framework.load(in));
        EXPECT_EQ(in.status(), c.status);
        EXPECT_EQ(framework, samples::role().framework);
    }
}

TEST(FrameworkRecord, ZeroOptionScaleAndOutOfRangeIndexesReadAsStored) {
    CPavexFramework framework;
    framework.scales.push_back({});
    framework.behaviours.push_back({"b", 99, -4, "", 0, ""});
    ArchiveWriter out;
    framework.store(out);
    ArchiveReader in(out.bytes());
    CPavexFramework read;
    ASSERT_TRUE(read.load(in));
    EXPECT_EQ(read.scales[0].optionCount, 0);
    EXPECT_EQ(read.behaviours[0].competency, 99);
    EXPECT_EQ(read.scaleOf(read.behaviours[0]), nullptr);
}

TEST(RoleFile, WritesFormatOneThenTheRoleWithBehaviourTermFirst) {
    CRole role = CRole::makeDefault();
    role.name = "N";
    const std::string bytes = RoleFile::encode(role);
    Bytes expected;
    expected.i32(1).text("N").text("");
    for (const char* label : {"Self", "Manager", "Direct Report", "Peer", "Customer", "Other"}) {
        expected.text(label);
    }
    expected.text("Behaviour").text("Competency");
    expected.i32(3).i32(1).i32(0).i32(1).i32(4);
    expected.text("Not needed").i32(-1).text("Priority for action").i32(0);
    expected.text("Not always consistent").i32(1).text("Clear strength").i32(2).i32(2);
    expected.i32(0).text("");
    EXPECT_EQ(bytes, expected.str());

    CRole read;
    ASSERT_TRUE(RoleFile::decode(bytes, read).ok());
    EXPECT_EQ(read, role);
}

TEST(RoleFile, FullSampleRoundTrips) {
    CRole read;
    const std::string bytes = RoleFile::encode(samples::role());
    ASSERT_TRUE(RoleFile::decode(bytes, read).ok());
    EXPECT_EQ(read, samples::role());
    EXPECT_EQ(RoleFile::encode(read), bytes);
}

TEST(WebReplyRecord, UnprotectedReplyIsPlainWithSeedZero) {
    CWebReply reply = samples::webReply("");
    const std::string bytes = reply.encode();
    const std::string expected = Bytes()
                                     .i32(0)
                                     .i32(0)
                                     .text("")
                                     .text("Sam Respondent")
                                     .text("Team Leader")
                                     .text("301")
                                     .text("2")
                                     .date(0, 46001.25)
                                     .text("Good work \xa3")
                                     .str();
    EXPECT_EQ(bytes, expected);
}

TEST(WebReplyRecord, ProtectedReplyDecodesFromItsOwnHeader) {
    const CWebReply reply = samples::webReply("secret");
    const std::string bytes = reply.encode();
    CWebReply read;
    ASSERT_TRUE(read.decode(bytes).ok());
    EXPECT_EQ(read.scrambleSwitch, 1);
    EXPECT_EQ(read.seed, seedFromKey("secret"));
    EXPECT_EQ(read.password, "secret");
    EXPECT_EQ(read.details, reply.details);
    EXPECT_EQ(read.encode(), bytes);
    EXPECT_EQ(bytes.find("Sam"), std::string::npos);
}
