// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/options/OptionSheet.h"

#include "model/UserPrompts.h"
#include "pavex/options/Cp1252Validator.h"
#include "pavex/options/EncryptionChoice.h"
#include "questionnaire/DialogText.h"
#include "ui/Settings.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Journal colours keep red in the low byte.
QColor toQColor(std::int32_t stored) {
    const auto value = static_cast<std::uint32_t>(stored);
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

std::int32_t toStored(const QColor& colour) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(colour.red()) |
                                     (static_cast<std::uint32_t>(colour.green()) << 8) |
                                     (static_cast<std::uint32_t>(colour.blue()) << 16));
}

const char* const kColourLabels[CColourPage::kColourCount] = {
    "Average scores:",  "Self scores:",  "Manager scores:", "Direct Report scores:", "Peer scores:",
    "Customer scores:", "Other scores:", "Heading:",        "Background:",           "Lines:",
};

// The stored colours in the page's order.
std::array<std::int32_t*, CColourPage::kColourCount> colourSlots(JournalColours& colours) {
    auto& r = colours.relationships;
    return {&colours.average,    &r[0],         &r[1], &r[2], &r[3], &r[4], &r[5], &colours.heading,
            &colours.background, &colours.lines};
}

constexpr int kMailTypes = 3;
const char* const kMailChoices[kMailTypes] = {
    "automatically sense installed email",
    "use Microsoft MAPI",
    "use Lotus Notes / ccmail SMI",
};

} // namespace

PersonalPage::PersonalPage(const JournalRecord& journal, QWidget* parent) : QWidget(parent) {
    auto* layout = new QFormLayout(this);
    m_name = new QLineEdit(toDisplay(journal.person), this);
    m_password = new QLineEdit(toDisplay(journal.password), this);
    m_repeat = new QLineEdit(toDisplay(journal.password), this);
    auto* validator = new Cp1252Validator(this);
    for (QLineEdit* box : {m_name, m_password, m_repeat}) {
        box->setValidator(validator);
    }
    for (QLineEdit* secret : {m_password, m_repeat}) {
        secret->setEchoMode(QLineEdit::Password);
    }
    layout->addRow(QStringLiteral("Your &name:"), m_name);
    layout->addRow(QStringLiteral("File &Password:"), m_password);
    layout->addRow(QStringLiteral("&Repeat password:"), m_repeat);
    auto* note =
        new QLabel(QStringLiteral("N.B. If you lose this password you will not be able to use your reflectory"), this);
    note->setWordWrap(true);
    note->setContentsMargins(0, 8, 0, 0); // apart from the boxes, as it is about both of them
    layout->addRow(note);
    m_encryption = new EncryptionChoice(journal.encrypted, toDisplay(journal.password), m_password, m_repeat, this);
    layout->addRow(m_encryption);
}

CColourPage::CColourPage(const JournalColours& colours, const ColourButton::ColourChooser& chooser, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    JournalColours copy = colours;
    const auto places = colourSlots(copy);
    constexpr std::size_t kFirstColumn = 7; // the averages and the six relationships
    for (std::size_t i = 0; i < kColourCount; ++i) {
        auto* label = new QLabel(QString::fromLatin1(kColourLabels[i]), this);
        m_buttons[i] = new ColourButton(toQColor(*places[i]), chooser, this);
        m_buttons[i]->setAccessibleName(label->text());
        const int row = static_cast<int>(i < kFirstColumn ? i : i - kFirstColumn);
        const int column = i < kFirstColumn ? 0 : 2;
        grid->addWidget(label, row, column);
        grid->addWidget(m_buttons[i], row, column + 1);
    }
    grid->setColumnMinimumWidth(2, 110);
    grid->setHorizontalSpacing(12);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(new QLabel(QStringLiteral("Click on a colour to change it."), this));
}

JournalColours CColourPage::colours() const {
    JournalColours colours;
    const auto places = colourSlots(colours);
    for (std::size_t i = 0; i < kColourCount; ++i) {
        *places[i] = toStored(m_buttons[i]->colour());
    }
    return colours;
}

CPAVEXEmailOptions::CPAVEXEmailOptions(int mailType, QWidget* parent) : QWidget(parent), m_initial(mailType) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("When sending feedback requests:"), this));
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < kMailTypes; ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(kMailChoices[i]), this);
        radio->setChecked(i == mailType);
        group->addButton(radio, i);
        m_choices[static_cast<std::size_t>(i)] = radio;
        layout->addWidget(radio);
    }
    layout->addStretch(1);
}

QAbstractButton* CPAVEXEmailOptions::choice(int mailType) const {
    return mailType >= 0 && mailType < kMailTypes ? m_choices[static_cast<std::size_t>(mailType)] : nullptr;
}

int CPAVEXEmailOptions::mailType() const {
    for (int i = 0; i < kMailTypes; ++i) {
        if (m_choices[static_cast<std::size_t>(i)]->isChecked()) {
            return i;
        }
    }
    // A stored value no button stands for stays as it was.
    return m_initial;
}

COptionSheet::COptionSheet(const JournalRecord& journal, int mailType, QWidget* parent,
                           const ColourButton::ColourChooser& chooser)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("KV 360 Options"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setAccessibleName(QStringLiteral("Options"));
    m_personal = new PersonalPage(journal, m_tabs);
    m_colours = new CColourPage(journal.colours, chooser, m_tabs);
    m_email = new CPAVEXEmailOptions(mailType, m_tabs);
    m_tabs->addTab(m_personal, QStringLiteral("Personal"));
    m_tabs->addTab(m_colours, QStringLiteral("Colours"));
    m_tabs->addTab(m_email, QStringLiteral("Email"));
    layout->addWidget(m_tabs, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(470, 370);
}

void COptionSheet::applyTo(CPavexDoc& doc, ui::Settings& settings, UserPrompts& prompts) const {
    doc.person = fromDisplay(m_personal->nameEdit()->text());
    const QString password = m_personal->passwordEdit()->text();
    if (password != m_personal->repeatEdit()->text()) {
        // Neither the password nor the format changes: the box followed the password kept.
        prompts.message(optiontext::kPasswordsDiffer);
    } else {
        doc.password = fromDisplay(password);
    }
    doc.encrypted = m_personal->encryption()->encrypts() && !doc.password.empty();
    doc.colours = m_colours->colours();
    settings.setInteger(QString::fromLatin1(optiontext::kMailTypeSetting), m_email->mailType());
    settings.sync();
    doc.modified = true;
}

bool runOptionsSheet(CPavexDoc& doc, ui::Settings& settings, UserPrompts& prompts, QWidget* parent) {
    COptionSheet sheet(doc, settings.integer(QString::fromLatin1(optiontext::kMailTypeSetting), 0), parent);
    if (sheet.exec() != QDialog::Accepted) {
        return false;
    }
    sheet.applyTo(doc, settings, prompts);
    return true;
}
