// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/options/OptionSheet.h"
#include "model/AtomicFile.h"
#include "model/JournalFile.h"
#include "model/ScriptedPrompts.h"
#include "pavex/options/EncryptionChoice.h"
#include "tests/support/ModalScript.h"
#include "tests/support/Samples.h"
#include "tests/support/TempFolder.h"
#include "ui/Settings.h"
#include "vault/Envelope.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class OptionsSheetTest : public ::testing::Test {
protected:
    OptionsSheetTest() {
        ui::Settings::useFolder(QString::fromStdString(m_temp.path()));
        m_doc.modified = false;
    }

    // Answers every colour dialog with the next colour of the list.
    ColourButton::ColourChooser chooser() {
        return [this](const QColor& initial, QWidget*) -> std::optional<QColor> {
            m_offered.push_back(initial);
            if (m_colours.empty()) {
                return std::nullopt;
            }
            const QColor next = m_colours.front();
            m_colours.erase(m_colours.begin());
            return next;
        };
    }

    TempFolder m_temp{"pavex-options-test"};
    CPavexDoc m_doc = samples::journal("secret");
    ScriptedPrompts m_prompts;
    std::vector<QColor> m_colours;
    std::vector<QColor> m_offered;
};

TEST_F(OptionsSheetTest, ShowsThreePagesFilledFromTheJournalAndTheSettings) {
    COptionSheet sheet(m_doc, 2, nullptr, chooser());
    EXPECT_EQ(sheet.windowTitle(), "KV 360 Options");
    ASSERT_EQ(sheet.tabs()->count(), 3);
    EXPECT_EQ(sheet.tabs()->tabText(0), "Personal");
    EXPECT_EQ(sheet.tabs()->tabText(1), "Colours");
    EXPECT_EQ(sheet.tabs()->tabText(2), "Email");
    EXPECT_EQ(sheet.personal()->nameEdit()->text().toStdString(), m_doc.person);
    EXPECT_EQ(sheet.personal()->passwordEdit()->text(), "secret");
    EXPECT_EQ(sheet.personal()->repeatEdit()->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(sheet.email()->choice(2)->isChecked());
    EXPECT_EQ(sheet.email()->choice(2)->text(), "use Lotus Notes / ccmail SMI");
    // Red in the low byte: the stored Self colour is the button's colour.
    const auto self = static_cast<std::uint32_t>(m_doc.colours.relationships[0]);
    EXPECT_EQ(sheet.colourPage()->button(1)->colour(),
              QColor(static_cast<int>(self & 0xFF), static_cast<int>((self >> 8) & 0xFF),
                     static_cast<int>((self >> 16) & 0xFF)));
    EXPECT_EQ(sheet.colourPage()->button(1)->accessibleName(), "Self scores:");
    EXPECT_EQ(sheet.colourPage()->button(9)->accessibleName(), "Lines:");
    EXPECT_EQ(sheet.colourPage()->colours(), m_doc.colours);
}

TEST_F(OptionsSheetTest, PasswordsMustAgreeAndBothClearedRemoveTheProtection) {
    ui::Settings settings(ui::SettingsScope::journalProgram());
    COptionSheet oneCleared(m_doc, 0, nullptr, chooser());
    oneCleared.personal()->nameEdit()->setText("Alex Example");
    oneCleared.personal()->repeatEdit()->clear();
    oneCleared.applyTo(m_doc, settings, m_prompts);
    EXPECT_EQ(m_prompts.texts(), std::vector<std::string>{optiontext::kPasswordsDiffer});
    EXPECT_EQ(m_doc.password, "secret");
    EXPECT_EQ(m_doc.person, "Alex Example"); // the rest of the sheet still counts
    EXPECT_TRUE(m_doc.modified);

    COptionSheet bothCleared(m_doc, 0, nullptr, chooser());
    bothCleared.personal()->passwordEdit()->clear();
    bothCleared.personal()->repeatEdit()->clear();
    bothCleared.applyTo(m_doc, settings, m_prompts);
    EXPECT_EQ(m_doc.password, "");
    EXPECT_EQ(m_prompts.texts().size(), 1u);

    COptionSheet caseMatters(m_doc, 0, nullptr, chooser());
    caseMatters.personal()->passwordEdit()->setText("Tiger");
    caseMatters.personal()->repeatEdit()->setText("tiger");
    caseMatters.applyTo(m_doc, settings, m_prompts);
    EXPECT_EQ(m_doc.password, "");
}

TEST_F(OptionsSheetTest, AClickedColourIsStoredRedInTheLowByteAndCancelKeepsTheOldOne) {
    m_colours = {QColor(0x12, 0x34, 0x56)};
    COptionSheet sheet(m_doc, 0, nullptr, chooser());
    sheet.colourPage()->button(8)->click(); // Background
    ASSERT_EQ(m_offered.size(), 1u);
    sheet.colourPage()->button(0)->click(); // Average: the chooser is cancelled
    EXPECT_EQ(sheet.colourPage()->button(0)->colour(), m_offered.back());

    ui::Settings settings(ui::SettingsScope::journalProgram());
    sheet.applyTo(m_doc, settings, m_prompts);
    EXPECT_EQ(m_doc.colours.background, 0x563412);
    EXPECT_EQ(m_doc.colours.average, samples::journal("").colours.average);
    EXPECT_TRUE(m_doc.modified);
}

TEST_F(OptionsSheetTest, CancelChangesNothingAndOkWritesTheMailTypeForTheNextStart) {
    const CPavexDoc before = m_doc;
    {
        ui::Settings settings(ui::SettingsScope::journalProgram());
        whenModal<COptionSheet>([](COptionSheet* sheet) {
            sheet->personal()->nameEdit()->setText("Someone else");
            sheet->email()->choice(1)->click();
            sheet->reject();
        });
        EXPECT_FALSE(runOptionsSheet(m_doc, settings, m_prompts, nullptr));
    }
    EXPECT_TRUE(static_cast<const JournalRecord&>(m_doc) == before);
    EXPECT_FALSE(m_doc.modified);
    {
        ui::Settings settings(ui::SettingsScope::journalProgram());
        EXPECT_FALSE(settings.contains("MailType"));
        whenModal<COptionSheet>([](COptionSheet* sheet) {
            sheet->email()->choice(1)->click();
            sheet->accept();
        });
        EXPECT_TRUE(runOptionsSheet(m_doc, settings, m_prompts, nullptr));
    }
    EXPECT_EQ(ui::Settings(ui::SettingsScope::journalProgram()).integer("MailType", 0), 1);
    EXPECT_TRUE(m_doc.modified);
}

// The OK button of a sheet that is up, as the user would press it.
void pressOk(COptionSheet* sheet) {
    auto* buttons = sheet->findChild<QDialogButtonBox*>();
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

// Types the text key by key; unlike QTest::keyClicks, it also types characters beyond ASCII.
void retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

TEST_F(OptionsSheetTest, TypingIntoTheSheetAndPressingOkReachesTheJournal) {
    ui::Settings settings(ui::SettingsScope::journalProgram());
    whenModal<COptionSheet>([](COptionSheet* sheet) {
        retype(sheet->personal()->nameEdit(), QString::fromUtf8("Zoë Łapka"));
        retype(sheet->personal()->repeatEdit(), QString()); // only the second box cleared
        pressOk(sheet);
    });
    ASSERT_TRUE(runOptionsSheet(m_doc, settings, m_prompts, nullptr));
    // A character the journal cannot hold is refused as it is typed, not stored as '?'.
    EXPECT_EQ(m_doc.person, "Zo\xEB apka");
    EXPECT_EQ(m_prompts.texts(), std::vector<std::string>{optiontext::kPasswordsDiffer});
    EXPECT_EQ(m_doc.password, "secret");
    EXPECT_TRUE(m_doc.modified);
}

TEST_F(OptionsSheetTest, TheColourDialogStartsAtTheButtonsColourAndCancellingTheSheetDropsThePick) {
    const CPavexDoc before = m_doc;
    ui::Settings settings(ui::SettingsScope::journalProgram());
    QColor offered;
    QColor shown;
    whenModal<COptionSheet>([&](COptionSheet* sheet) {
        ColourButton* self = sheet->colourPage()->button(1);
        whenModal<QColorDialog>([&](QColorDialog* dialog) {
            offered = dialog->currentColor();
            dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
            dialog->accept();
        });
        QTest::mouseClick(self, Qt::LeftButton);
        shown = self->colour();
        // The standard dialog's Cancel leaves the button as it was.
        whenModal<QColorDialog>([](QColorDialog* dialog) {
            dialog->setCurrentColor(Qt::white);
            dialog->reject();
        });
        QTest::mouseClick(self, Qt::LeftButton);
        EXPECT_EQ(self->colour(), shown);
        sheet->reject();
    });
    EXPECT_FALSE(runOptionsSheet(m_doc, settings, m_prompts, nullptr));
    EXPECT_EQ(offered, QColor(1, 0, 0)); // the stored Self colour 0x000001
    EXPECT_EQ(shown, QColor(0x12, 0x34, 0x56));
    EXPECT_TRUE(static_cast<const JournalRecord&>(m_doc) == before);
    EXPECT_FALSE(m_doc.modified);
}

} // namespace

TEST_F(OptionsSheetTest, EncryptionCanBeChosenOnlyWithAPasswordAndOkStoresIt) {
    ui::Settings settings(ui::SettingsScope::journalProgram());
    COptionSheet sheet(m_doc, 0, nullptr, chooser());
    EncryptionChoice* encryption = sheet.personal()->encryption();
    EXPECT_EQ(encryption->box()->text(), "&Encrypt this journal with its password");
    EXPECT_EQ(encryption->note()->text(), optiontext::kEncryptNote);
    EXPECT_TRUE(encryption->box()->isEnabled());
    EXPECT_FALSE(encryption->box()->isChecked());
    encryption->box()->setChecked(true);
    sheet.applyTo(m_doc, settings, m_prompts);
    EXPECT_TRUE(m_doc.encrypted);

    // Emptying the password takes the tick away, and OK stores an ordinary journal.
    COptionSheet cleared(m_doc, 0, nullptr, chooser());
    EXPECT_TRUE(cleared.personal()->encryption()->box()->isChecked());
    cleared.personal()->passwordEdit()->clear();
    cleared.personal()->repeatEdit()->clear();
    EXPECT_FALSE(cleared.personal()->encryption()->box()->isEnabled());
    EXPECT_FALSE(cleared.personal()->encryption()->box()->isChecked());
    cleared.applyTo(m_doc, settings, m_prompts);
    EXPECT_FALSE(m_doc.encrypted);
    EXPECT_TRUE(m_doc.password.empty());

    // A first password starts ticked once both boxes agree; the person's choice then stays.
    COptionSheet unprotected(m_doc, 0, nullptr, chooser());
    QCheckBox* box = unprotected.personal()->encryption()->box();
    EXPECT_FALSE(box->isEnabled());
    QTest::keyClicks(unprotected.personal()->passwordEdit(), "p");
    EXPECT_FALSE(box->isEnabled()); // the boxes differ: no password would be kept
    QTest::keyClicks(unprotected.personal()->repeatEdit(), "p");
    EXPECT_TRUE(box->isEnabled());
    EXPECT_TRUE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(box->isChecked());
    QTest::keyClicks(unprotected.personal()->passwordEdit(), "q");
    QTest::keyClicks(unprotected.personal()->repeatEdit(), "q");
    EXPECT_FALSE(box->isChecked());
    unprotected.applyTo(m_doc, settings, m_prompts);
    EXPECT_EQ(m_doc.password, "pq");
    EXPECT_FALSE(m_doc.encrypted);

    // A journal that has a password but is ordinary starts as it is.
    COptionSheet ordinary(m_doc, 0, nullptr, chooser());
    EXPECT_TRUE(ordinary.personal()->encryption()->box()->isEnabled());
    EXPECT_FALSE(ordinary.personal()->encryption()->box()->isChecked());
}

TEST_F(OptionsSheetTest, BoxesThatDifferNeverChangeTheEncryptionOfAnEncryptedJournal) {
    struct Typed {
        const char* password;
        const char* repeat;
        std::string kept;
        bool encrypted;
        bool told;
    };
    const Typed cases[] = {
        {"", "secret", "secret", true, true},
        {"secret", "", "secret", true, true},
        {"other", "", "secret", true, true},
        {"", "other", "secret", true, true},
        {"other", "secret", "secret", true, true},
        {"other", "another", "secret", true, true},
        {"", "", "", false, false},
        {"new", "new", "new", true, false},
        {"secret", "secret", "secret", true, false},
    };
    ui::Settings settings(ui::SettingsScope::journalProgram());
    for (const Typed& typed : cases) {
        SCOPED_TRACE(std::string(typed.password) + " / " + typed.repeat);
        CPavexDoc doc = samples::journal("secret");
        doc.encrypted = true;
        COptionSheet sheet(doc, 0, nullptr, chooser());
        PersonalPage* page = sheet.personal();
        retype(page->passwordEdit(), QString::fromLatin1(typed.password));
        retype(page->repeatEdit(), QString::fromLatin1(typed.repeat));
        EXPECT_EQ(page->encryption()->box()->isChecked(), typed.encrypted);
        ScriptedPrompts prompts;
        sheet.applyTo(doc, settings, prompts);
        EXPECT_EQ(doc.password, typed.kept);
        EXPECT_EQ(doc.encrypted, typed.encrypted);
        EXPECT_EQ(prompts.texts(),
                  typed.told ? std::vector<std::string>{optiontext::kPasswordsDiffer} : std::vector<std::string>{});

        // What Save writes afterwards: the envelope, or an ordinary journal without a password.
        const std::string path = m_temp.file("saved.kva");
        ScriptedPrompts saving;
        ASSERT_TRUE(JournalFile::save(path, doc, saving));
        const std::optional<std::string> bytes = readWholeFile(path, nullptr);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(vault::looksSealed(*bytes), typed.encrypted);
        EXPECT_EQ(bytes->find(doc.questionnaires.front().assessor) == std::string::npos, typed.encrypted)
            << "an assessor's name is readable only in an ordinary journal";
    }
}
