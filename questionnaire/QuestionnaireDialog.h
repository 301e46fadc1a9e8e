// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogFlavour.h"
#include "QuestionnaireProgress.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class UserPrompts;

// Walks the respondent through every behaviour of the framework, one page each, filling the record.
class QuestionnaireDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the comments editor on a text; nothing when it is cancelled. Tests replace it.
    using CommentsEditor = std::function<std::optional<std::string>(const std::string& text, QWidget* parent)>;

    QuestionnaireDialog(DialogFlavour flavour, const CPavexFramework& framework, CPavexFeedback& record,
                        UserPrompts& prompts, const DialogDecoration& decoration, QWidget* parent = nullptr);

    void setCommentsEditor(CommentsEditor editor) { m_commentsEditor = std::move(editor); }

    const QuestionnaireProgress& progress() const { return m_progress; }
    QPushButton* responseButton(int index) const { return m_responses[static_cast<std::size_t>(index)]; }
    QPushButton* previousButton() const { return m_previous; }
    QPushButton* commentsButton() const { return m_comments; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* okButton() const { return m_ok; }
    QString progressText() const;
    QString behaviourText() const;

    // Asks before discarding the answers; Escape and the close box come here too.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The digit keys 1 to 6 answer like the buttons of the same number.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void answer(int button);
    void goBack();
    void makeComments();
    void refresh();
    // Tells readers the question now asked, whether or not one is listening yet.
    void announceQuestion(QWidget* focused);

    DialogFlavour m_flavour;
    QuestionnaireProgress m_progress;
    UserPrompts& m_prompts;
    CommentsEditor m_commentsEditor;
    QPlainTextEdit* m_behaviour = nullptr;
    QLabel* m_progressBox = nullptr;
    std::array<QPushButton*, QuestionnaireProgress::kButtons> m_responses{};
    QPushButton* m_previous = nullptr;
    QPushButton* m_comments = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_ok = nullptr;
};

inline constexpr const char* kCancelQuestionnaireCaption = "Cancel questionnaire";
inline constexpr const char* kCancelQuestionnaireText =
    "The entries to this questionnaire will be discarded.  Are you sure";
// The cancel question's buttons say what they do.
inline constexpr const char* kDiscardAnswers = "Discard Answers";
inline constexpr const char* kKeepAnswering = "Keep Answering";
// How the answer given before Previous is described on its button.
inline constexpr const char* kEarlierAnswer = "your earlier answer";
