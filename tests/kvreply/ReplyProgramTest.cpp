// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvreply/ReplyProgram.h"
#include "model/AtomicFile.h"
#include "model/JournalFile.h"
#include "model/Requests.h"
#include "model/RoleFile.h"
#include "model/ScriptedPrompts.h"
#include "questionnaire/CommentsDialog.h"
#include "questionnaire/PreliminariesDialog.h"
#include "questionnaire/QuestionnaireDialog.h"
#include "tests/support/AccessibleNames.h"
#include "tests/support/ModalScript.h"
#include "tests/support/Samples.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ReplyProgramTest : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return m_temp.file(name); }
    static std::string bytesOf(const std::string& path) { return readWholeFile(path, nullptr).value_or(""); }

    std::string request(const CPavexDoc& journal, const std::string& name = "Request.kvq") {
        ScriptedPrompts prompts;
        EXPECT_TRUE(requests::writeFeedbackRequest(journal, file(name), prompts));
        return file(name);
    }

    // The respondent types a name, picks a relationship and answers every question.
    static void answerEverything(ModalScript& script, const QString& name, int relationship, std::vector<int> buttons) {
        script.then(ModalScript::on<PreliminariesDialog>([=](PreliminariesDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Reflectory Request");
            dialog->nameEdit()->setText(name);
            dialog->relationshipButton(relationship)->click();
            dialog->okButton()->click();
        }));
        script.then(ModalScript::on<QuestionnaireDialog>([=](QuestionnaireDialog* dialog) {
            for (int button : buttons) {
                dialog->responseButton(button)->click();
            }
            EXPECT_EQ(dialog->progressText(), QString("%1 answered").arg(buttons.size()));
            dialog->okButton()->click();
        }));
    }

    TempFolder m_temp{"kvreply-test"};
    const std::string& m_folder = m_temp.path();
};

} // namespace

TEST_F(ReplyProgramTest, AnsweredRequestIsSavedInPlaceAndMergesIntoTheJournal) {
    CPavexDoc journal = samples::journal("secret");
    const std::string path = request(journal);
    ModalScript script;
    answerEverything(script, "Robin", 3, {1, 0, 1});
    ScriptedPrompts prompts;
    ReplyProgram program(prompts, {});
    EXPECT_EQ(program.run({QString::fromStdString(path)}), ReplyProgram::Outcome::Saved);
    EXPECT_TRUE(script.done());
    // A protected request is answered without its password; the last word says where the answers are.
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Your answers are saved in " + path +
                                                        ". Send this file back to Alex Example, who adds them to "
                                                        "their reflectory."});
    EXPECT_EQ(prompts.shown().size(), 1u);

    JournalRecord answered;
    ASSERT_TRUE(JournalFile::decode(bytesOf(path), answered).ok());
    EXPECT_EQ(answered.request, 1);
    ASSERT_EQ(answered.questionnaires.size(), 1u);
    EXPECT_EQ(answered.questionnaires[0].assessor, "Robin");
    EXPECT_EQ(answered.questionnaires[0].relationship, 3);
    EXPECT_EQ(answered.questionnaires[0].responses, (std::vector<CResponse>{{0, 1}, {1, 0}, {2, 1}}));

    ScriptedPrompts merging;
    ASSERT_TRUE(requests::mergeFile(journal, path, merging));
    EXPECT_EQ(journal.questionnaires.back().assessor, "Robin");
}

// Runs kvtool with the arguments; its standard output, or nothing when it fails.
std::optional<std::string> kvtool(const std::string& arguments) {
    FILE* pipe = popen((std::string(KVTOOL_PATH) + " " + arguments).c_str(), "r");
    if (!pipe) {
        return std::nullopt;
    }
    std::string out;
    char buffer[4096];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) {
        out.append(buffer, n);
    }
    return pclose(pipe) == 0 ? std::optional<std::string>(out) : std::nullopt;
}

TEST_F(ReplyProgramTest, ARequestFromTheToolIsAnsweredHereAndMergedByTheTool) {
    const std::string role = file("role.kvr"), journal = file("Alex.kva"), request = file("Request.kvq");
    ASSERT_TRUE(AtomicFile::write(role, RoleFile::encode(samples::role())));
    ASSERT_TRUE(kvtool("new " + journal + " --role " + role + " --person Alex --password pw"));
    ASSERT_TRUE(kvtool("request " + journal + " " + request + " --password pw"));

    ModalScript script;
    answerEverything(script, "Robin", 4, {3, 1, 2});
    ScriptedPrompts prompts;
    ASSERT_EQ(ReplyProgram(prompts, {}).run({QString::fromStdString(request)}), ReplyProgram::Outcome::Saved);

    ASSERT_TRUE(kvtool("merge " + journal + " " + request + " --password pw"));
    const std::optional<std::string> results = kvtool("results " + journal + " --password pw");
    ASSERT_TRUE(results);
    EXPECT_NE(results->find("\"path\": \"Feedback/Robin\""), std::string::npos);
}

TEST_F(ReplyProgramTest, JournalsAndCompletedRequestsAreRefusedAndLeftAlone) {
    const std::string journalPath = file("Alex.kva");
    ASSERT_TRUE(AtomicFile::write(journalPath, JournalFile::encode(samples::journal("secret"))));
    const std::string journalBytes = bytesOf(journalPath);
    ScriptedPrompts prompts;
    ReplyProgram program(prompts, {});
    EXPECT_EQ(program.run({QString::fromStdString(journalPath)}), ReplyProgram::Outcome::Refused);
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"This is a Reflectory file.  You cannot open it with KVReply."});
    EXPECT_EQ(bytesOf(journalPath), journalBytes);

    const std::string path = request(samples::journal("secret"));
    {
        ModalScript script;
        answerEverything(script, "", 0, {0, 0, 0});
        ScriptedPrompts first;
        ASSERT_EQ(ReplyProgram(first, {}).run({QString::fromStdString(path)}), ReplyProgram::Outcome::Saved);
    }
    const std::string answered = bytesOf(path);
    JournalRecord record;
    ASSERT_TRUE(JournalFile::decode(answered, record).ok());
    EXPECT_EQ(record.questionnaires[0].assessor, "<anonymous>");

    ScriptedPrompts again;
    EXPECT_EQ(ReplyProgram(again, {}).run({QString::fromStdString(path)}), ReplyProgram::Outcome::Refused);
    EXPECT_EQ(again.texts(), std::vector<std::string>{"This Reflectory Request has already been completed.  Please "
                                                      "send it back to the person that was assessed."});
    EXPECT_EQ(bytesOf(path), answered);
}

TEST_F(ReplyProgramTest, CancellingWritesNothing) {
    const std::string path = request(samples::journal(""));
    const std::string before = bytesOf(path);
    ModalScript script;
    script.then(ModalScript::on<PreliminariesDialog>([](PreliminariesDialog* dialog) { dialog->reject(); }));
    ScriptedPrompts prompts;
    EXPECT_EQ(ReplyProgram(prompts, {}).run({QString::fromStdString(path)}), ReplyProgram::Outcome::Cancelled);
    EXPECT_EQ(bytesOf(path), before);

    ScriptedPrompts noFile;
    EXPECT_EQ(ReplyProgram(noFile, {}).run({}), ReplyProgram::Outcome::Cancelled);
    EXPECT_EQ(noFile.fileChoices().at(0).title, "Open Reflectory Request");
    EXPECT_TRUE(noFile.fileChoices().at(0).mustExist);
}

TEST_F(ReplyProgramTest, WhenTheRequestCannotBeRewrittenTheAnswersCanBeSavedElsewhere) {
    const std::string folder = file("attachments");
    fs::create_directory(folder);
    CPavexDoc journal = samples::journal("secret");
    ScriptedPrompts writing;
    ASSERT_TRUE(requests::writeFeedbackRequest(journal, folder + "/Request.kvq", writing));

    ModalScript script;
    answerEverything(script, "Robin", 1, {0, 1, 0});
    // The folder goes away while the respondent answers, as a mail program's temporary folder may.
    script.then([](QWidget*) { return false; });
    ScriptedPrompts prompts;
    prompts.queueAnswer(true);
    prompts.queueFileName(file("Saved.kvq"));
    ReplyProgram program(prompts, {});
    QTimer::singleShot(0, [&] { fs::remove_all(folder); });
    EXPECT_EQ(program.run({QString::fromStdString(folder + "/Request.kvq")}), ReplyProgram::Outcome::SavedElsewhere);
    ASSERT_GE(prompts.texts().size(), 2u);
    EXPECT_EQ(prompts.texts()[0], "Sorry, Request.kvq could not be saved: No such file or directory. The file on "
                                  "disk is unchanged.");
    EXPECT_EQ(prompts.texts()[1], replytext::kSaveElsewhere);
    EXPECT_EQ(prompts.texts().back(), replytext::answersSaved(file("Saved.kvq"), "Alex Example"));
    JournalRecord saved;
    ASSERT_TRUE(JournalFile::decode(bytesOf(file("Saved.kvq")), saved).ok());
    EXPECT_EQ(saved.questionnaires.at(0).assessor, "Robin");
}

// A reader finds a name on every control of every window the respondent meets.
TEST_F(ReplyProgramTest, EveryShowingControlOfItsDialogsHasAName) {
    const std::string path = request(samples::journal(""));
    ModalScript script;
    script.then(ModalScript::on<PreliminariesDialog>([](PreliminariesDialog* dialog) {
        EXPECT_EQ(accessiblenames::unnamedControls(*dialog), "");
        dialog->nameEdit()->setText("Robin");
        dialog->relationshipButton(2)->click();
        dialog->okButton()->click();
    }));
    script.then(ModalScript::on<QuestionnaireDialog>([](QuestionnaireDialog* dialog) {
        EXPECT_EQ(accessiblenames::unnamedControls(*dialog), "");
        for (int question = 0; question < 3; ++question) {
            dialog->responseButton(1)->click();
        }
        EXPECT_EQ(accessiblenames::unnamedControls(*dialog), ""); // the final page
        ScriptedPrompts prompts;
        CommentsDialog comments("", prompts, dialog);
        EXPECT_EQ(accessiblenames::unnamedControls(comments), "");
        dialog->okButton()->click();
    }));
    ScriptedPrompts prompts;
    EXPECT_EQ(ReplyProgram(prompts, {}).run({QString::fromStdString(path)}), ReplyProgram::Outcome::Saved);
    EXPECT_TRUE(script.done());
}
