// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"
#include "pavex/options/ColourButton.h"

#include <QDialog>

#include <array>

class EncryptionChoice;
class QAbstractButton;
class QLineEdit;
class QTabWidget;
class UserPrompts;

namespace ui {
class Settings;
} // namespace ui

// "Personal": the name of the person keeping the journal and the journal's password, typed twice,
// and whether the journal is stored encrypted under it.
class PersonalPage : public QWidget {
    Q_OBJECT
public:
    PersonalPage(const JournalRecord& journal, QWidget* parent = nullptr);
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* passwordEdit() const { return m_password; }
    QLineEdit* repeatEdit() const { return m_repeat; }
    EncryptionChoice* encryption() const { return m_encryption; }

private:
    QLineEdit* m_name = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_repeat = nullptr;
    EncryptionChoice* m_encryption = nullptr;
};

// "Colours": the ten colours of the graphs and lists.
class CColourPage : public QWidget {
    Q_OBJECT
public:
    // In the order of the page: Average, the six relationships, then Heading, Background, Lines.
    static constexpr std::size_t kColourCount = 10;

    CColourPage(const JournalColours& colours, const ColourButton::ColourChooser& chooser, QWidget* parent = nullptr);
    ColourButton* button(std::size_t which) const { return m_buttons[which]; }
    JournalColours colours() const;

private:
    std::array<ColourButton*, kColourCount> m_buttons{};
};

// "Email": how feedback requests are mailed (the "MailType" setting).
class CPAVEXEmailOptions : public QWidget {
    Q_OBJECT
public:
    CPAVEXEmailOptions(int mailType, QWidget* parent = nullptr);
    QAbstractButton* choice(int mailType) const;
    int mailType() const;

private:
    std::array<QAbstractButton*, 3> m_choices{};
    int m_initial;
};

// "KV 360 Options": the three pages; nothing reaches the journal or the settings before OK.
class COptionSheet : public QDialog {
    Q_OBJECT
public:
    COptionSheet(const JournalRecord& journal, int mailType, QWidget* parent = nullptr,
                 const ColourButton::ColourChooser& chooser = ColourButton::chooseWithDialog);

    QTabWidget* tabs() const { return m_tabs; }
    PersonalPage* personal() const { return m_personal; }
    CColourPage* colourPage() const { return m_colours; }
    CPAVEXEmailOptions* email() const { return m_email; }

    // Closing with OK: the name, the password when both boxes agree (otherwise the message and the
    // old password), encryption while there is a password, the colours, the mail setting; the
    // journal is then modified.
    void applyTo(CPavexDoc& doc, ui::Settings& settings, UserPrompts& prompts) const;

private:
    QTabWidget* m_tabs = nullptr;
    PersonalPage* m_personal = nullptr;
    CColourPage* m_colours = nullptr;
    CPAVEXEmailOptions* m_email = nullptr;
};

// Tools Options: the sheet on the journal, applied on OK. True when it ended with OK.
bool runOptionsSheet(CPavexDoc& doc, ui::Settings& settings, UserPrompts& prompts, QWidget* parent);

namespace optiontext {
inline constexpr const char* kPasswordsDiffer =
    "Sorry, the password was not the same in both fields.  It has not been changed.";
inline constexpr const char* kMailTypeSetting = "MailType";
} // namespace optiontext
