// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/MailDelivery.h"
#include "model/JournalFile.h"
#include "model/ScriptedPrompts.h"
#include "tests/support/RecordingMailHandoff.h"
#include "tests/support/Samples.h"
#include "tests/support/TempFolder.h"
#include "ui/AfxFolders.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

struct MailFixture {
    explicit MailFixture(bool composer, int alternativeSwitch = 0, bool alternativeLibrary = false) {
        handoff.setAvailable(composer);
        probe.standardMailInstalled = [this] { return handoff.available(); };
        probe.alternativeProfileSwitch = [alternativeSwitch] { return alternativeSwitch; };
        probe.alternativeLibraryFound = [alternativeLibrary] { return alternativeLibrary; };
    }
    bool send(const CPavexDoc& journal, int mailType) {
        MailDelivery delivery(handoff, probe, folders);
        return delivery.sendFeedbackRequest(journal, mailType, prompts);
    }
    ui::RecordingMailHandoff handoff;
    MailSystemProbe probe;
    ui::AfxFolders folders;
    ScriptedPrompts prompts;
};

CPavexDoc journal() {
    CPavexDoc doc = samples::journal("secret");
    doc.path = "/journals/Alex.kva";
    doc.modified = true;
    return doc;
}

} // namespace

TEST(MailDelivery, AnEmptyNameIsTheOnlyThingSaid) {
    MailFixture mail(true);
    CPavexDoc nameless = journal();
    nameless.person.clear();
    EXPECT_FALSE(mail.send(nameless, 0));
    EXPECT_EQ(mail.prompts.texts(),
              std::vector<std::string>{"Please enter your name using Tools Options from the pull-down menus."});
    EXPECT_TRUE(mail.handoff.handoffs().empty());
    EXPECT_TRUE(mail.prompts.fileChoices().empty());
}

TEST(MailDelivery, TheRequestGoesToTheComposerUnderItsNameAndTheJournalStaysAsItWas) {
    MailFixture mail(true);
    const CPavexDoc doc = journal();
    const CPavexDoc before = doc;
    ASSERT_TRUE(mail.send(doc, 0));
    ASSERT_EQ(mail.handoff.handoffs().size(), 1u);
    const auto& handoff = mail.handoff.handoffs()[0];
    EXPECT_EQ(handoff.fileName, "Feedback Request from Alex Example.kvq");
    EXPECT_TRUE(mail.prompts.shown().empty());

    JournalRecord sent;
    const QByteArray& bytes = handoff.content;
    ASSERT_TRUE(
        JournalFile::decode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), sent).ok());
    EXPECT_EQ(sent.request, 1);
    EXPECT_TRUE(sent.questionnaires.empty());
    EXPECT_TRUE(sent.actions.empty());
    EXPECT_EQ(sent.framework.descriptionsFlag, 1); // a mailed request keeps the descriptions
    EXPECT_EQ(static_cast<const JournalRecord&>(doc), static_cast<const JournalRecord&>(before));
    EXPECT_EQ(doc.path, "/journals/Alex.kva");
    EXPECT_TRUE(doc.modified);

    mail.folders.removeAll();
    EXPECT_FALSE(QFileInfo::exists(handoff.path));
}

TEST(MailDelivery, ComposerResultsAreToldAsTheMailSystemsTellThem) {
    MailFixture mail(true);
    mail.handoff.queueResult(ui::MailResult::UserAbort);
    mail.handoff.queueResult(ui::MailResult::Failure);
    EXPECT_FALSE(mail.send(journal(), 1));
    EXPECT_TRUE(mail.prompts.texts().empty());
    EXPECT_FALSE(mail.send(journal(), 1));
    EXPECT_EQ(mail.prompts.texts(),
              (std::vector<std::string>{"Send Mail failed to send message.", mailtext::kSaveInstead}));
    EXPECT_TRUE(mail.prompts.fileChoices().empty()) << "the offer was declined";
}

TEST(MailDelivery, AfterTheMailProgramFailedTheRequestCanBeSavedAsAFile) {
    TempFolder folder;
    MailFixture mail(true);
    mail.handoff.queueResult(ui::MailResult::Failure);
    mail.prompts.queueAnswer(true);
    const std::string saved = folder.file("For Robin.kvq");
    mail.prompts.queueFileName(saved);
    EXPECT_TRUE(mail.send(journal(), 0));
    EXPECT_EQ(mail.prompts.texts(),
              (std::vector<std::string>{"Send Mail failed to send message.", mailtext::kSaveInstead}));
    ASSERT_EQ(mail.prompts.fileChoices().size(), 1u);
    EXPECT_EQ(mail.prompts.fileChoices()[0].title, "Create Feedback Request");
    EXPECT_GT(QFileInfo(QString::fromStdString(saved)).size(), 0);
}

TEST(MailDelivery, WithoutAnyMailTheRequestIsCreatedOnDisk) {
    MailFixture mail(false);
    EXPECT_FALSE(mail.send(journal(), 0)); // the create dialog is cancelled
    EXPECT_EQ(mail.prompts.texts(), std::vector<std::string>{mailtext::kNoMail});
    ASSERT_EQ(mail.prompts.fileChoices().size(), 1u);
    EXPECT_EQ(mail.prompts.fileChoices()[0].title, "Create Feedback Request");
    EXPECT_EQ(mail.prompts.fileChoices()[0].proposedName, "Alex.kvq");
}

TEST(MailDelivery, TheAlternativeChoiceOnASystemWithOnlyTheComposerFailsWithItsOwnMessages) {
    MailFixture mail(true);
    EXPECT_FALSE(mail.send(journal(), 2));
    EXPECT_EQ(mail.prompts.texts(), std::vector<std::string>{"SMI is not properly installed"});
    EXPECT_TRUE(mail.handoff.handoffs().empty());

    MailFixture switchedOn(false, 1, true);
    EXPECT_FALSE(switchedOn.send(journal(), 0));
    EXPECT_EQ(switchedOn.prompts.texts(), std::vector<std::string>{"Unable to load either SMI32.DLL nor SMI.DLL"});

    MailFixture standardChosen(false, 1, true);
    EXPECT_FALSE(standardChosen.send(journal(), 1));
    EXPECT_EQ(standardChosen.prompts.texts(), std::vector<std::string>{"Unable to load mail system support."});
}

TEST(MailDelivery, ARequestThatCannotBeWrittenForTheComposerIsTold) {
    const bool tempWasSet = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray savedTemp = qgetenv("TMPDIR");
    for (const char* unusable : {"/nonexistent-reflectory-temp", "/dev/null"}) {
        qputenv("TMPDIR", unusable);
        MailFixture mail(true);
        EXPECT_FALSE(mail.send(journal(), 0));
        EXPECT_EQ(mail.prompts.texts(), std::vector<std::string>{"Sorry, Feedback Request from Alex Example.kvq could "
                                                                 "not be saved: no temporary folder could be made."})
            << unusable;
        EXPECT_TRUE(mail.handoff.handoffs().empty());
    }
    if (tempWasSet) {
        qputenv("TMPDIR", savedTemp);
    } else {
        qunsetenv("TMPDIR");
    }
}
