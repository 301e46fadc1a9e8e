// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Requests.h"
#include "model/AtomicFile.h"
#include "model/JournalFile.h"
#include "model/ScriptedPrompts.h"
#include "model/WebReply.h"
#include "tests/support/Samples.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class RequestsTest : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return m_temp.file(name); }

    // A request written from the journal and answered by one respondent.
    std::string answeredRequest(const CPavexDoc& journal, const std::string& name = "answered.kvq") {
        const std::string path = file(name);
        ScriptedPrompts prompts;
        EXPECT_TRUE(requests::writeFeedbackRequest(journal, path, prompts));
        CPavexDoc request;
        EXPECT_TRUE(requests::openRequestToAnswer(path, request, prompts));
        CPavexFeedback answers = requests::startAnswer("Robin", 2);
        answers.date = {OleDate::Valid, 46100.0};
        answers.responses = {{0, 1}, {1, 1}, {2, 0}};
        EXPECT_TRUE(requests::completeRequest(request, answers, prompts));
        EXPECT_TRUE(prompts.shown().empty());
        return path;
    }

    std::string webReplyFile(const CWebReply& reply, const std::string& name = "reply.kvi") {
        const std::string path = file(name);
        EXPECT_TRUE(AtomicFile::write(path, reply.encode()));
        return path;
    }

    static CPavexDoc journal(const std::string& password = "secret") {
        CPavexDoc doc = samples::journal(password);
        doc.path = "/journals/Alex.kva";
        doc.modified = false;
        return doc;
    }

    TempFolder m_temp{"requests-test"};
    const std::string& m_folder = m_temp.path();
};

} // namespace

TEST_F(RequestsTest, ProposedNamesAndTheRequestExtension) {
    EXPECT_EQ(requests::proposedRequestName("Untitled"), "Unti.kvq");
    EXPECT_EQ(requests::proposedRequestName("Alex.kva"), "Alex.kvq");
    EXPECT_EQ(requests::proposedRequestName("abc"), "abc");
    EXPECT_EQ(requests::withRequestExtension("/x/answer"), "/x/answer.kvq");
    EXPECT_EQ(requests::withRequestExtension("/x/Answer.KVQ"), "/x/Answer.KVQ");
    EXPECT_EQ(requests::withRequestExtension("/x/a.kvi"), "/x/a.kvi");
    EXPECT_EQ(requests::withRequestExtension("/x/a.kva"), "/x/a.kva.kvq");
}

TEST_F(RequestsTest, CreateAsksForTheFileAndLeavesTheJournalAsItWas) {
    CPavexDoc doc = journal();
    const CPavexDoc before = doc;
    ScriptedPrompts prompts;
    prompts.queueFileName(file("for-pat"));
    ASSERT_TRUE(requests::createFeedbackRequest(doc, prompts));
    ASSERT_EQ(prompts.fileChoices().size(), 1u);
    EXPECT_EQ(prompts.fileChoices()[0].title, "Create Feedback Request");
    EXPECT_EQ(prompts.fileChoices()[0].proposedName, "Alex.kvq");
    EXPECT_TRUE(prompts.fileChoices()[0].confirmOverwrite);
    EXPECT_EQ(static_cast<const JournalRecord&>(doc), static_cast<const JournalRecord&>(before));
    EXPECT_EQ(doc.path, before.path);
    EXPECT_FALSE(doc.modified);

    JournalRecord request;
    ScriptedPrompts reading;
    ASSERT_TRUE(JournalFile::read(file("for-pat.kvq"), request, reading).ok());
    EXPECT_TRUE(reading.shown().empty()); // a request never asks for its password
    EXPECT_EQ(request.request, 1);
    EXPECT_TRUE(request.questionnaires.empty());
    EXPECT_TRUE(request.actions.empty());
    EXPECT_EQ(request.framework.descriptionsFlag, 0);
    EXPECT_EQ(request.password, ""); // the respondent never holds the journal's key
    EXPECT_EQ(request.framework.behaviours.size(), 3u);
}

TEST_F(RequestsTest, CreateNeedsTheNameAndStopsOnCancelOrAFailedWrite) {
    CPavexDoc nameless = journal();
    nameless.person.clear();
    ScriptedPrompts prompts;
    EXPECT_FALSE(requests::createFeedbackRequest(nameless, prompts));
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Please enter your name using Tools Options from the pull-down menus."});
    EXPECT_TRUE(prompts.fileChoices().empty());

    CPavexDoc doc = journal();
    const CPavexDoc before = doc;
    ScriptedPrompts cancelled;
    EXPECT_FALSE(requests::createFeedbackRequest(doc, cancelled));
    ScriptedPrompts failing;
    failing.queueFileName(file("no-such-folder/x.kvq"));
    EXPECT_FALSE(requests::createFeedbackRequest(doc, failing));
    EXPECT_EQ(failing.texts(), std::vector<std::string>{"Sorry, x.kvq could not be saved: No such file or directory."});
    EXPECT_EQ(static_cast<const JournalRecord&>(doc), static_cast<const JournalRecord&>(before));
    EXPECT_FALSE(doc.modified);
}

TEST_F(RequestsTest, AnsweringRefusesJournalsAndCompletedRequests) {
    const std::string journalPath = file("jo.kva");
    ASSERT_TRUE(AtomicFile::write(journalPath, JournalFile::encode(journal())));
    CPavexDoc request;
    ScriptedPrompts prompts;
    EXPECT_FALSE(requests::openRequestToAnswer(journalPath, request, prompts));
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"This is a Reflectory file.  You cannot open it with KVReply."});
    EXPECT_EQ(prompts.shown().size(), 1u); // no password prompt

    const std::string answered = answeredRequest(journal());
    const std::string bytes = *readWholeFile(answered, nullptr);
    ScriptedPrompts again;
    EXPECT_FALSE(requests::openRequestToAnswer(answered, request, again));
    EXPECT_EQ(again.texts(), std::vector<std::string>{"This Reflectory Request has already been completed.  Please "
                                                      "send it back to the person that was assessed."});
    EXPECT_EQ(*readWholeFile(answered, nullptr), bytes);
    EXPECT_EQ(requests::startAnswer("", 1).assessor, "<anonymous>");
}

TEST_F(RequestsTest, AProtectedRequestMergesBackIntoItsJournal) {
    CPavexDoc doc = journal();
    const std::string path = answeredRequest(doc);
    ScriptedPrompts prompts;
    ASSERT_TRUE(requests::mergeFile(doc, path, prompts));
    EXPECT_TRUE(prompts.shown().empty());
    ASSERT_EQ(doc.questionnaires.size(), 3u);
    EXPECT_EQ(doc.questionnaires[2].assessor, "Robin");
    EXPECT_EQ(doc.questionnaires[2].relationship, 2);
    EXPECT_EQ(doc.questionnaires[2].useInResults, 1);
    EXPECT_TRUE(doc.modified);
}

TEST_F(RequestsTest, AMergeTellsWhichQuestionnairesItAppended) {
    // A returned request may carry several questionnaires: they are appended in their order.
    CPavexDoc returned = journal();
    returned.request = 1;
    returned.actions.clear();
    returned.questionnaires[0].assessor = "Kim";
    returned.questionnaires[1].assessor = "Lee";
    const std::string path = file("two.kvq");
    ASSERT_TRUE(AtomicFile::write(path, JournalFile::encode(returned)));

    CPavexDoc doc = journal();
    doc.questionnaires.resize(1);
    ScriptedPrompts prompts;
    const requests::Merged merged = requests::mergeFile(doc, path, prompts);
    EXPECT_EQ(merged, (requests::Merged{1, 2}));
    ASSERT_EQ(doc.questionnaires.size(), 3u);
    EXPECT_EQ(doc.questionnaires[1].assessor, "Kim");
    EXPECT_EQ(doc.questionnaires[2].assessor, "Lee");

    EXPECT_EQ(requests::mergeFile(doc, webReplyFile(samples::webReply("secret")), prompts), (requests::Merged{3, 1}));
    EXPECT_EQ(doc.questionnaires.size(), 4u);

    ScriptedPrompts declined; // the same request again: the duplicate question, answered Cancel
    const requests::Merged stopped = requests::mergeFile(doc, path, declined);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(stopped.count, 0u);
    EXPECT_EQ(declined.texts(), std::vector<std::string>{requesttext::kDuplicate});

    // Room for one more questionnaire is not room for a request of two.
    doc.questionnaires.resize(31);
    ScriptedPrompts full;
    EXPECT_FALSE(requests::mergeFile(doc, path, full));
    EXPECT_EQ(full.texts(), std::vector<std::string>{journaltext::kTooManyQuestionnaires});
    EXPECT_EQ(doc.questionnaires.size(), 31u);
}

TEST_F(RequestsTest, RequestMergeChecksInOrderAndChangesNothingWhenItStops) {
    const CPavexDoc original = journal();
    const std::string path = answeredRequest(original);

    // The name differs: asked; Cancel stops.
    CPavexDoc renamed = original;
    renamed.person = "Someone Else";
    ScriptedPrompts cancel;
    EXPECT_FALSE(requests::mergeRequestFile(renamed, path, cancel));
    EXPECT_EQ(cancel.texts(), std::vector<std::string>{requesttext::nameMismatch("Alex Example")});
    EXPECT_EQ(renamed.questionnaires.size(), 2u);
    EXPECT_FALSE(renamed.modified);

    // The name differs and OK is given, but a common behaviour differs.
    CPavexDoc otherRole = renamed;
    otherRole.framework.behaviours[1].scale = 0;
    ScriptedPrompts ok;
    ok.queueAnswer(true);
    EXPECT_FALSE(requests::mergeRequestFile(otherRole, path, ok));
    EXPECT_EQ(ok.texts(), (std::vector<std::string>{requesttext::nameMismatch("Alex Example"),
                                                    "This feedback is for the role of Team Leader. The behaviours "
                                                    "do not match yours and cannot be merged."}));
    EXPECT_EQ(otherRole.questionnaires.size(), 2u);

    // A journal with fewer behaviours that agree on the common ones takes it.
    CPavexDoc shorter = original;
    shorter.framework.behaviours.pop_back();
    ScriptedPrompts quiet;
    EXPECT_TRUE(requests::mergeRequestFile(shorter, path, quiet));
    EXPECT_TRUE(quiet.shown().empty());
}

TEST_F(RequestsTest, AnOlderRequestCarryingAPasswordIsAskedItOnlyWhenItDiffers) {
    // Requests written before they stopped carrying the journal's password still hold it.
    const std::string path = answeredRequest(journal("other"));
    JournalRecord older;
    ScriptedPrompts reading;
    ASSERT_TRUE(JournalFile::read(path, older, reading).ok());
    older.password = "other";
    ASSERT_TRUE(AtomicFile::write(path, JournalFile::encode(older)));
    CPavexDoc doc = journal("secret");
    doc.person = "Alex Example";
    ScriptedPrompts wrong;
    wrong.queuePassword(std::string("guess"));
    EXPECT_FALSE(requests::mergeRequestFile(doc, path, wrong));
    ASSERT_EQ(wrong.shown().size(), 2u);
    EXPECT_EQ(wrong.shown()[0].kind, ScriptedPrompts::Kind::Password);
    EXPECT_EQ(wrong.shown()[1].text, "Sorry, that was the wrong password for the feedback reply");

    ScriptedPrompts cancelled;
    EXPECT_FALSE(requests::mergeRequestFile(doc, path, cancelled));
    EXPECT_EQ(cancelled.texts(), std::vector<std::string>{"Sorry, that was the wrong password for the feedback reply"});

    ScriptedPrompts right;
    right.queuePassword(std::string("other"));
    EXPECT_TRUE(requests::mergeRequestFile(doc, path, right));
    EXPECT_EQ(doc.questionnaires.size(), 3u);
}

TEST_F(RequestsTest, EmptyRequestsAndDuplicatesAtAnyPosition) {
    CPavexDoc doc = journal();
    const std::string unanswered = file("empty.kvq");
    ScriptedPrompts prompts;
    ASSERT_TRUE(requests::writeFeedbackRequest(doc, unanswered, prompts));
    EXPECT_FALSE(requests::mergeRequestFile(doc, unanswered, prompts));
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"There are no responses in this feedback reply to merge"});

    const std::string path = answeredRequest(doc);
    ASSERT_TRUE(requests::mergeRequestFile(doc, path, prompts));
    doc.questionnaires.push_back(doc.questionnaires[0]); // the merged one is no longer last
    doc.questionnaires.back().useInResults = 0;
    ScriptedPrompts second;
    EXPECT_FALSE(requests::mergeRequestFile(doc, path, second));
    EXPECT_EQ(second.texts(), std::vector<std::string>{requesttext::kDuplicate});
    EXPECT_EQ(doc.questionnaires.size(), 4u);
    second.queueAnswer(true);
    EXPECT_TRUE(requests::mergeRequestFile(doc, path, second));
    EXPECT_EQ(doc.questionnaires.size(), 5u);
}

TEST_F(RequestsTest, AMergeNeverGoesPastThirtyTwoQuestionnaires) {
    CPavexDoc doc = journal();
    const std::string path = answeredRequest(doc);
    doc.questionnaires.resize(32);
    const CPavexDoc full = doc;
    ScriptedPrompts prompts;
    EXPECT_FALSE(requests::mergeRequestFile(doc, path, prompts));
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{journaltext::kTooManyQuestionnaires});
    EXPECT_EQ(static_cast<const JournalRecord&>(doc), static_cast<const JournalRecord&>(full));

    CWebReply reply = samples::webReply("secret");
    ScriptedPrompts web;
    EXPECT_FALSE(requests::mergeWebReply(doc, webReplyFile(reply), web));
    EXPECT_EQ(web.texts(), std::vector<std::string>{journaltext::kTooManyQuestionnaires});
}

TEST_F(RequestsTest, WebReplyMergesWithoutPromptsWhenNothingIsProtected) {
    CPavexDoc doc = journal("");
    CWebReply reply = samples::webReply("");
    reply.responses = "100";
    ScriptedPrompts prompts;
    ASSERT_TRUE(requests::mergeWebReply(doc, webReplyFile(reply), prompts));
    EXPECT_TRUE(prompts.shown().empty());
    const CPavexFeedback& added = doc.questionnaires.back();
    EXPECT_EQ(added.assessor, "Sam Respondent");
    EXPECT_EQ(added.relationship, 2);
    EXPECT_EQ(added.responses, (std::vector<CResponse>{{0, 1}, {1, 0}, {2, 0}}));
    EXPECT_EQ(added.date, reply.date);
    EXPECT_EQ(added.details, reply.details);

    ScriptedPrompts again;
    EXPECT_FALSE(requests::mergeWebReply(doc, webReplyFile(reply, "again.kvi"), again));
    EXPECT_EQ(again.texts(), std::vector<std::string>{requesttext::kDuplicate});
}

TEST_F(RequestsTest, WebReplyRefusals) {
    const CPavexDoc original = journal("secret");
    struct Case {
        std::string name;
        CWebReply reply;
        std::string message;
    };
    CWebReply shortAnswers = samples::webReply();
    shortAnswers.responses = "30";
    CWebReply otherRole = samples::webReply();
    otherRole.roleName = "Chef";
    CWebReply digitTooLarge = samples::webReply();
    digitTooLarge.responses = "304"; // scale 0 has four options
    CWebReply strangeRelationship = samples::webReply();
    strangeRelationship.relationship = "6";
    CWebReply negativeRelationship = samples::webReply();
    negativeRelationship.relationship = "-1";
    CWebReply wordRelationship = samples::webReply();
    wordRelationship.relationship = "x"; // once read as 0, which stored it as a self-assessment
    wordRelationship.responses = "abc";
    CWebReply trailingRelationship = samples::webReply();
    trailingRelationship.relationship = "3x";
    CWebReply letterAnswer = samples::webReply();
    letterAnswer.responses = "3a0"; // once read as option 0
    const std::vector<Case> cases = {
        {"short", shortAnswers, requesttext::roleMismatch("Team Leader")},
        {"role", otherRole, requesttext::roleMismatch("Chef")},
        {"digit", digitTooLarge, "Sorry, the feedback doesn't match your role."},
        {"letter", letterAnswer, "Sorry, the feedback doesn't match your role."},
        {"relationship", strangeRelationship, requesttext::kReplyRelationshipUnknown},
        {"negative", negativeRelationship, requesttext::kReplyRelationshipUnknown},
        {"word", wordRelationship, requesttext::kReplyRelationshipUnknown},
        {"trailing", trailingRelationship, requesttext::kReplyRelationshipUnknown},
    };
    for (const Case& c : cases) {
        CPavexDoc doc = original;
        ScriptedPrompts prompts;
        EXPECT_FALSE(requests::mergeWebReply(doc, webReplyFile(c.reply, c.name + ".kvi"), prompts)) << c.name;
        EXPECT_EQ(prompts.texts(), std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(static_cast<const JournalRecord&>(doc), static_cast<const JournalRecord&>(original)) << c.name;
    }

    CPavexDoc doc = original;
    ScriptedPrompts missing;
    EXPECT_FALSE(requests::mergeWebReply(doc, file("none.kvi"), missing));
    EXPECT_EQ(missing.texts(), std::vector<std::string>{"Sorry, cannot read that file"});

    ScriptedPrompts wrong;
    wrong.queuePassword(std::string("nope"));
    EXPECT_FALSE(requests::mergeWebReply(doc, webReplyFile(samples::webReply("other"), "other.kvi"), wrong));
    EXPECT_EQ(wrong.texts(), std::vector<std::string>{"Sorry, that was the wrong password for the feedback reply"});
}

TEST_F(RequestsTest, MergeDialogChoosesTheMergeByExtension) {
    CPavexDoc doc = journal();
    ScriptedPrompts prompts;
    prompts.queueFileName(webReplyFile(samples::webReply("secret"), "UPPER.KVI"));
    EXPECT_TRUE(requests::mergeCompletedFeedback(doc, prompts));
    EXPECT_EQ(prompts.fileChoices()[0].title, "Merge Completed Feedback Request");
    EXPECT_TRUE(prompts.fileChoices()[0].mustExist);
    EXPECT_EQ(doc.questionnaires.back().assessor, "Sam Respondent");
}

TEST(QuestionnaireRefusal, TooManyBehavioursOrABehaviourWithoutOptions) {
    CPavexFramework framework = samples::role().framework;
    EXPECT_EQ(requests::questionnaireRefusal(framework), "");
    framework.behaviours.resize(257, framework.behaviours[0]);
    EXPECT_EQ(requests::questionnaireRefusal(framework), "Sorry, this role has more than 256 behaviours, more than "
                                                         "one questionnaire can hold, so it cannot be answered.");
    framework.behaviours.resize(256);
    EXPECT_EQ(requests::questionnaireRefusal(framework), "");
    framework.scales[0].optionCount = 0;
    EXPECT_EQ(requests::questionnaireRefusal(framework), "Sorry, the behaviour \"Listens to others\" has no answers "
                                                         "to choose from, so this questionnaire cannot be completed.");
    framework.scales[0].optionCount = 4;
    framework.behaviours[5].scale = 9;
    EXPECT_NE(requests::questionnaireRefusal(framework), "");
}
