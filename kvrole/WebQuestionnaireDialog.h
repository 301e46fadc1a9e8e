// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class CKVRoleDoc;
class EditorContext;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class UserPrompts;

// "Create Web Feedback Questionnaire": the page's file name, whether to show it afterwards, and the
// mail and server settings the page carries.
class WebQuestionnaireDialog : public QDialog {
public:
    explicit WebQuestionnaireDialog(UserPrompts& prompts, QWidget* parent = nullptr);

    QLineEdit* fileNameEdit() const { return m_fileName; }
    QPushButton* browseButton() const { return m_browse; }
    QCheckBox* viewAfterCreatingBox() const { return m_viewAfterCreating; }
    QLineEdit* fromEdit() const { return m_from; }
    QLineEdit* subjectEdit() const { return m_subject; }
    QPlainTextEdit* messageEdit() const { return m_message; }
    QLineEdit* cgiEdit() const { return m_cgi; }
    QLineEdit* mailServerEdit() const { return m_mailServer; }
    // Shown while the Email Server names a port, which the site must allow.
    QLabel* portWarning() const { return m_portWarning; }

private:
    void browse();
    void showPortWarning();

    UserPrompts& m_prompts;
    QLineEdit* m_fileName;
    QPushButton* m_browse;
    QCheckBox* m_viewAfterCreating;
    QLineEdit* m_from;
    QLineEdit* m_subject;
    QPlainTextEdit* m_message;
    QLineEdit* m_cgi;
    QLineEdit* m_mailServer;
    QLabel* m_portWarning;
};

// Create Web Questionnaire: asks with the dialog, remembers the settings, writes the page from the
// template and shows it when asked to. Changes nothing in the role. Returns the page's full path
// when it was written.
std::optional<QString> createWebQuestionnaire(const CKVRoleDoc& document, EditorContext& context, QWidget* parent);

// Where the page goes unless the user says otherwise: beside the role's file, or in the user's
// documents folder for a role never saved, named after the role's title.
QString defaultWebPagePath(const CKVRoleDoc& document);
