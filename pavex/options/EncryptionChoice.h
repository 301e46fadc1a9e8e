// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

// The Personal page's "Encrypt this journal with its password" box with its note. The box follows the
// password the journal will keep on OK: the typed one when both boxes agree, otherwise the one it has.
// Without such a password the box is cleared and disabled; with one it shows the person's choice,
// which starts as the journal's format, or ticked for a journal that had no password yet.
class EncryptionChoice : public QWidget {
    Q_OBJECT
public:
    EncryptionChoice(bool encrypted, const QString& keptPassword, QLineEdit* passwordBox, QLineEdit* repeatBox,
                     QWidget* parent = nullptr);

    QCheckBox* box() const { return m_box; }
    QLabel* note() const { return m_note; }
    // What OK stores: ticked, with a password to encrypt with.
    bool encrypts() const;

private:
    void followPassword();

    QCheckBox* m_box = nullptr;
    QLabel* m_note = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_repeat = nullptr;
    QString m_keptPassword;
    // The person's choice, kept while the box is disabled so that it comes back with a password.
    bool m_wanted = false;
};

namespace optiontext {
inline constexpr const char* kEncrypt = "&Encrypt this journal with its password";
inline constexpr const char* kEncryptNote =
    "An encrypted journal cannot be opened by programs that do not know its format, and a forgotten "
    "password cannot be recovered. Feedback requests from it carry no password: give a web questionnaire "
    "a password of its own, not this one.";
} // namespace optiontext
