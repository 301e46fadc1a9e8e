#pragma once

#include <QDialog>

class CKVRoleDoc;
class EditorContext;
class QCheckBox;
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

private:
    void browse();

    UserPrompts& m_prompts;
    QLineEdit* m_fileName;
    QPushButton* m_browse;
    QCheckBox* m_viewAfterCreating;
    QLineEdit* m_from;
    QLineEdit* m_subject;
    QPlainTextEdit* m_message;
    QLineEdit* m_cgi;
    QLineEdit* m_mailServer;
};

// Create Web Questionnaire: asks with the dialog, remembers the settings, writes the page from the
// template and shows it when asked to. Changes nothing in the role.
void createWebQuestionnaire(const CKVRoleDoc& document, EditorContext& context, QWidget* parent);
