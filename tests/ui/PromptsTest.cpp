// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ModalScript.h"
#include "ui/FileChooser.h"
#include "ui/PasswordDialog.h"
#include "ui/QtPrompts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using ui::FileChooser;
using ui::QtPrompts;
using Kind = QtPrompts::Kind;

namespace {

const QString kTitle = QStringLiteral("KV 360");

FileChoice journalSaveChoice() {
    return {"Save Reflectory", {{"Reflectorys (*.kva)", {"*.kva"}}}, "", "kva", false, true, {}, {}, {}};
}

// Fails the test and closes the dialog if any modal dialog shows up while it lives.
class NoDialogExpected {
public:
    NoDialogExpected() {
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "a dialog appeared: " << dialog->windowTitle().toStdString();
                dialog->close();
            }
        });
        m_timer.start(10);
    }

private:
    QTimer m_timer;
};

// Types a name into the dialog's file name box and presses its OK button, as a user would.
void typeAndAccept(QFileDialog* dialog, const QString& folder, const QString& name) {
    dialog->setDirectory(folder);
    auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(nameBox, nullptr);
    nameBox->setText(name);
    QMetaObject::invokeMethod(dialog, "accept");
}

void click(QMessageBox* box, QMessageBox::StandardButton which) {
    ASSERT_NE(box->button(which), nullptr);
    box->button(which)->click();
}

} // namespace

TEST(QtPrompts, QueuedAnswersAreTakenInOrderAndEveryPromptIsRecorded) {
    NoDialogExpected guard;
    QtPrompts prompts(kTitle);
    prompts.queueAnswer(true);
    prompts.queueAnswer(false);
    prompts.queuePassword(QStringLiteral("Grüße"));
    prompts.queueFileName(QStringLiteral("/tmp/folder.d/journal"));
    prompts.queueFileName(std::nullopt);

    EXPECT_TRUE(prompts.question("First?"));
    EXPECT_FALSE(prompts.question("Second?", "Own caption"));
    EXPECT_EQ(prompts.askPassword(), std::optional<std::string>("Gr\xfc\xdf"
                                                                "e"));
    EXPECT_EQ(prompts.chooseSaveFile(journalSaveChoice()), std::optional<std::string>("/tmp/folder.d/journal.kva"));
    EXPECT_EQ(prompts.chooseOpenFile({"Open Reflectory", {}, "", "kva", true, false, {}, {}, {}}), std::nullopt);
    EXPECT_TRUE(prompts.allAnswersUsed());

    const std::vector<QtPrompts::Shown> expected{
        {Kind::Question, kTitle, QStringLiteral("First?")},
        {Kind::Question, QStringLiteral("Own caption"), QStringLiteral("Second?")},
        {Kind::Password, QStringLiteral("Security Check"), QStringLiteral("Please type the password for this file:")},
        {Kind::SaveFile, {}, QStringLiteral("Save Reflectory")},
        {Kind::OpenFile, {}, QStringLiteral("Open Reflectory")},
    };
    EXPECT_EQ(prompts.shown(), expected);
    EXPECT_EQ(prompts.texts(), QStringList({"First?", "Second?"}));
    ASSERT_EQ(prompts.fileChoices().size(), 2u);
    EXPECT_EQ(prompts.fileChoices()[0].title, "Save Reflectory");
}

TEST(QtPrompts, APasswordTheFilesCannotHoldIsRefusedAndAskedAgainNeverComparedAsQuestionMarks) {
    NoDialogExpected guard;
    QtPrompts prompts(kTitle);
    prompts.setDialogsShown(false);
    prompts.queuePassword(QString::fromUtf8("\u043f\u0430\u0440\u043e\u043b\u044c")); // Cyrillic
    prompts.queuePassword(QString::fromUtf8("key\U0001F511"));                        // an emoji
    prompts.queuePassword(QStringLiteral("??????"));
    EXPECT_EQ(prompts.askPassword("Alex.kva"), std::optional<std::string>("??????"));
    const QString refusal =
        QStringLiteral("Sorry, \"Password\" can hold only the letters of Western European languages (Windows-1252).");
    EXPECT_EQ(prompts.texts(), QStringList({refusal, refusal}));
    ASSERT_EQ(prompts.shown().size(), 5u);
    EXPECT_EQ(prompts.shown()[4].kind, Kind::Password); // asked once more after each refusal

    prompts.queuePassword(QString::fromUtf8("\u043f\u0430\u0440\u043e\u043b\u044c"));
    EXPECT_EQ(prompts.askPassword(), std::nullopt); // refused, then nothing more typed: cancelled
}

TEST(QtPrompts, WithoutDialogsUnansweredPromptsAreDeclined) {
    NoDialogExpected guard;
    QtPrompts prompts(kTitle);
    prompts.setDialogsShown(false);
    prompts.message("Caf\xe9 \x80 5");
    EXPECT_FALSE(prompts.question("Asked?"));
    EXPECT_EQ(prompts.askPassword(), std::nullopt);
    EXPECT_EQ(prompts.chooseOpenFile(journalSaveChoice()), std::nullopt);
    EXPECT_EQ(prompts.chooseSaveFile(journalSaveChoice()), std::nullopt);
    EXPECT_EQ(prompts.shown().size(), 5u);
    EXPECT_EQ(prompts.shown().front(), (QtPrompts::Shown{Kind::Message, kTitle, QStringLiteral("Café € 5")}));
}

TEST(QtPrompts, RealQuestionBoxCarriesTheProgramTitleAndOkCancel) {
    QtPrompts prompts(kTitle);
    for (const bool pressOk : {false, true}) {
        bool seen = false;
        whenModal<QMessageBox>([&](QMessageBox* box) {
            seen = true;
            EXPECT_EQ(box->windowTitle(), kTitle);
            EXPECT_EQ(box->text(), QStringLiteral("Delete <b>Jo & Al</b>?"));
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
            click(box, pressOk ? QMessageBox::Ok : QMessageBox::Cancel);
        });
        EXPECT_EQ(prompts.question("Delete <b>Jo & Al</b>?"), pressOk);
        EXPECT_TRUE(seen);
    }
}

TEST(QtPrompts, QuestionWithNamedButtonsTakesEscapeAndTheCloseBoxAsKeep) {
    QtPrompts prompts(kTitle);
    enum class Act { Proceed, Escape, Close };
    for (const Act act : {Act::Escape, Act::Close, Act::Proceed}) {
        bool seen = false;
        whenModal<QMessageBox>([&](QMessageBox* box) {
            seen = true;
            QStringList names;
            for (QAbstractButton* button : box->buttons()) {
                names << button->text();
            }
            names.sort();
            EXPECT_EQ(names, QStringList({QStringLiteral("Discard Answers"), QStringLiteral("Keep Answering")}));
            EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("Keep Answering"));
            if (act == Act::Proceed) {
                for (QAbstractButton* button : box->buttons()) {
                    if (button->text() == QStringLiteral("Discard Answers")) {
                        button->click();
                    }
                }
            } else if (act == Act::Escape) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->close();
            }
        });
        EXPECT_EQ(prompts.questionWithButtons("Sure?", "Cancel questionnaire", "Discard Answers", "Keep Answering"),
                  act == Act::Proceed);
        EXPECT_TRUE(seen);
    }
}

TEST(QtPrompts, RealMessageBoxHasOnlyOkAndTheGivenCaption) {
    QtPrompts prompts(kTitle);
    QString caption;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        caption = box->windowTitle();
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        click(box, QMessageBox::Ok);
    });
    prompts.message("Role profile added to your choice of roles.", "KVRole");
    EXPECT_EQ(caption, QStringLiteral("KVRole"));
}

TEST(QtPrompts, RealPasswordDialogMasksTheEntryAndGivesFileBytes) {
    QtPrompts prompts(kTitle);
    whenModal<ui::PasswordDialog>([](ui::PasswordDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Security Check"));
        const auto labels = dialog->findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), 1);
        EXPECT_EQ(labels.first()->text(), QStringLiteral("Please type the password for this file:"));
        EXPECT_EQ(dialog->entry()->echoMode(), QLineEdit::Password);
        QTest::keyClicks(dialog->entry(), QStringLiteral("Gr"));
        dialog->entry()->insert(QStringLiteral("üße €")); // typed through an input method
        QTest::keyClick(dialog->entry(), Qt::Key_Return);
    });
    EXPECT_EQ(prompts.askPassword(), std::optional<std::string>("Gr\xfc\xdf"
                                                                "e \x80"));

    whenModal<ui::PasswordDialog>([](ui::PasswordDialog* dialog) {
        QTest::keyClicks(dialog->entry(), QStringLiteral("secret"));
        QTest::keyClick(dialog->entry(), Qt::Key_Escape);
    });
    EXPECT_EQ(prompts.askPassword(), std::nullopt);
}

TEST(QtPrompts, PasswordDialogNamesTheFileOnALineBelowThePromptWithFocusInTheEntry) {
    QtPrompts prompts(kTitle);
    whenModal<ui::PasswordDialog>([](ui::PasswordDialog* dialog) {
        const auto labels = dialog->findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), 2);
        EXPECT_EQ(labels[0]->text(), QStringLiteral("Please type the password for this file:"));
        EXPECT_EQ(labels[1]->text(), QStringLiteral("Café.kva"));
        EXPECT_EQ(dialog->focusWidget(), dialog->entry());
        QTest::keyClicks(dialog->entry(), QStringLiteral("typed"));
        QTest::keyClick(dialog->entry(), Qt::Key_Return);
    });
    EXPECT_EQ(prompts.askPassword("Caf\xe9.kva"), std::optional<std::string>("typed"));
    EXPECT_EQ(prompts.shown().back().text, QStringLiteral("Please type the password for this file:\nCafé.kva"));
}

TEST(QtPrompts, RealSaveDialogAddsTheExtensionAndAsksBeforeReplacing) {
    QTemporaryDir folder;
    QFile existing(folder.filePath("old.kva"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QtPrompts prompts(kTitle);

    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Save Reflectory"));
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Reflectorys (*.kva)"});
        typeAndAccept(dialog, folder.path(), "journal");
    });
    EXPECT_EQ(prompts.chooseSaveFile(journalSaveChoice()),
              std::optional<std::string>(folder.filePath("journal.kva").toStdString()));

    bool askedToReplace = false;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        whenModal<QMessageBox>([&](QMessageBox* box) {
            askedToReplace = true;
            click(box, QMessageBox::Yes);
        });
        typeAndAccept(dialog, folder.path(), "old");
    });
    EXPECT_EQ(prompts.chooseSaveFile(journalSaveChoice()),
              std::optional<std::string>(folder.filePath("old.kva").toStdString()));
    EXPECT_TRUE(askedToReplace);
}

TEST(QtPrompts, RealSaveDialogShowsTheChoicesCheckBoxAndHandsBackItsState) {
    QTemporaryDir folder;
    QtPrompts prompts(kTitle);
    FileChoice choice = journalSaveChoice();
    choice.checkBoxLabel = "Include the names";
    choice.checkBoxState = std::make_shared<bool>(false);
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        auto* box = dialog->findChild<QCheckBox*>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QStringLiteral("Include the names"));
        EXPECT_FALSE(box->isChecked());
        box->setChecked(true);
        typeAndAccept(dialog, folder.path(), "named");
    });
    EXPECT_EQ(prompts.chooseSaveFile(choice), std::optional<std::string>(folder.filePath("named.kva").toStdString()));
    EXPECT_TRUE(*choice.checkBoxState);
}

TEST(QtPrompts, RealOpenDialogInsistsOnAnExistingFileAndCancelGivesNothing) {
    QtPrompts prompts(kTitle);
    QTemporaryDir startFolder;
    const FileChoice choice{"Open Reflectory Request",
                            {{"Reflectory Requests", {"*.KVQ"}}},
                            "Request.KVQ",
                            "",
                            true,
                            false,
                            {},
                            {},
                            QFile::encodeName(startFolder.path()).toStdString()};
    whenModal<QFileDialog>([&startFolder](QFileDialog* dialog) {
        EXPECT_EQ(dialog->directory().absolutePath(), QDir(startFolder.path()).absolutePath());
        auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(nameBox, nullptr);
        EXPECT_EQ(nameBox->text(), QStringLiteral("Request.KVQ"));
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Reflectory Requests (*.KVQ)"});
        dialog->reject();
    });
    EXPECT_EQ(prompts.chooseOpenFile(choice), std::nullopt);
}

TEST(FileChooser, FiltersFollowThePlatformsPatterns) {
    EXPECT_EQ(FileChooser::nameFilters({{"Reflectory Roles (*.kvr)", {"*.kvr"}}, {"All Files (*.*)", {"*.*"}}}),
              QStringList({"Reflectory Roles (*.kvr)", "All Files (*)"}));
    EXPECT_EQ(FileChooser::nameFilters({{"Text and CSV", {"*.txt", "*.csv"}}, {"Anything", {}}}),
              QStringList({"Text and CSV (*.txt *.csv)", "Anything (*)"}));
    EXPECT_EQ(FileChooser::nameFilters({{"Caf\xe9 (*.kva)", {"*.kva"}}}), QStringList{"Café (*.kva)"});
}

TEST(FileChooser, DefaultExtensionOnlyWhenTheNameHasNone) {
    EXPECT_EQ(FileChooser::withDefaultExtension("/a/b.d/journal", "kva"), "/a/b.d/journal.kva");
    EXPECT_EQ(FileChooser::withDefaultExtension("/a/journal.KVA", "kva"), "/a/journal.KVA");
    EXPECT_EQ(FileChooser::withDefaultExtension("/a/my.journal", "kva"), "/a/my.journal");
    EXPECT_EQ(FileChooser::withDefaultExtension("/a/journal", ""), "/a/journal");
    EXPECT_EQ(FileChooser::withDefaultExtension("", "kva"), "");
    EXPECT_EQ(FileChooser::extensionOf({"", {}, "", ".kvr", false, false, {}, {}, {}}), "kvr");
}

TEST(QtPrompts, SaveChangesAsksYesNoCancelAboutTheFileNameAndTakesQueuedAnswersFirst) {
    QtPrompts prompts(kTitle);
    const std::pair<QMessageBox::StandardButton, SaveAnswer> presses[] = {{QMessageBox::Yes, SaveAnswer::Yes},
                                                                          {QMessageBox::No, SaveAnswer::No},
                                                                          {QMessageBox::Cancel, SaveAnswer::Cancel}};
    for (const auto& [button, answer] : presses) {
        whenModal<QMessageBox>([button = button](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), kTitle);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Yes));
            click(box, button);
        });
        EXPECT_EQ(prompts.askSaveChanges("Zo\xC3\xAB.kva"), answer);
    }
    prompts.queueSaveAnswer(SaveAnswer::No);
    EXPECT_EQ(prompts.askSaveChanges("Untitled"), SaveAnswer::No);
    prompts.setDialogsShown(false);
    EXPECT_EQ(prompts.askSaveChanges("Untitled"), SaveAnswer::Cancel);
    prompts.setUnqueuedSaveAnswer(SaveAnswer::No);
    EXPECT_EQ(prompts.askSaveChanges("Untitled"), SaveAnswer::No);
    EXPECT_EQ(prompts.saveQuestions().first(), QString::fromUtf8("Save changes to Zo\u00EB.kva?"));
    EXPECT_EQ(prompts.saveQuestions().size(), 6);
    EXPECT_TRUE(prompts.texts().isEmpty());
}
