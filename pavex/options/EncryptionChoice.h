#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

// The Personal page's "Encrypt this journal with its password" box with its note. The box can be
// ticked only while the password box holds a password; emptying it clears the tick.
class EncryptionChoice : public QWidget {
    Q_OBJECT
public:
    EncryptionChoice(bool encrypted, QLineEdit* passwordBox, QWidget* parent = nullptr);

    QCheckBox* box() const { return m_box; }
    QLabel* note() const { return m_note; }
    // What OK stores: ticked, with a password to encrypt with.
    bool encrypts() const;

private:
    void followPassword(const QString& password);

    QCheckBox* m_box = nullptr;
    QLabel* m_note = nullptr;
};

namespace optiontext {
inline constexpr const char* kEncrypt = "&Encrypt this journal with its password";
inline constexpr const char* kEncryptNote =
    "An encrypted journal cannot be opened by programs that do not know its format, and a forgotten "
    "password cannot be recovered. Feedback requests from it carry no password: give a web questionnaire "
    "a password of its own, not this one.";
} // namespace optiontext
