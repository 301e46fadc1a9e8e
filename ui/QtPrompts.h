// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/UserPrompts.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <optional>
#include <vector>

namespace ui {

// The desktop programs' prompts: real message boxes, the password dialog and the file dialogs.
//
// Tests drive real commands through the "next answer" hook: answers queued beforehand are taken
// instead of showing a dialog, one per prompt of the matching kind, in order. Every prompt is
// recorded, answered by the queue or by the user. With dialogs switched off, a prompt without a
// queued answer is declined (Cancel, no password, no file) and a message is only recorded, so a
// test never waits on a modal dialog.
class QtPrompts : public UserPrompts {
public:
    enum class Kind { Message, Question, Password, OpenFile, SaveFile, SaveChanges };

    struct Shown {
        Kind kind;
        QString caption;
        QString text; // message or question text, the password prompt, or the file dialog's title
        bool operator==(const Shown&) const = default;
    };

    // `programTitle` is the caption of every message box that names none.
    explicit QtPrompts(QString programTitle, QWidget* parent = nullptr);

    // The window the dialogs are modal to (the main window, once it exists).
    void setDialogParent(QWidget* parent) { m_parent = parent; }
    const QString& programTitle() const { return m_programTitle; }

    // The hook.
    void queueAnswer(bool ok) { m_answers.push_back(ok); }
    void queuePassword(std::optional<QString> password) { m_passwords.push_back(std::move(password)); }
    // A queued name is what the user would have typed: the default extension is added as the
    // dialog adds it; existence and overwrite are not checked, the test stands for the user.
    void queueFileName(std::optional<QString> path) { m_fileNames.push_back(std::move(path)); }
    // The state a file dialog's check box is left in when its file name is taken from the queue.
    void queueCheckBox(bool checked) { m_checkBoxes.push_back(checked); }
    void queueSaveAnswer(SaveAnswer answer) { m_saveAnswers.push_back(answer); }
    void setDialogsShown(bool shown) { m_dialogsShown = shown; }
    // With dialogs switched off, the answer to a "Save changes" question nothing was queued for
    // (Cancel unless a test says otherwise).
    void setUnqueuedSaveAnswer(SaveAnswer answer) { m_unqueuedSaveAnswer = answer; }
    bool allAnswersUsed() const {
        return m_answers.empty() && m_passwords.empty() && m_fileNames.empty() && m_saveAnswers.empty();
    }

    const std::vector<Shown>& shown() const { return m_shown; }
    // The texts of messages and questions, in order.
    QStringList texts() const;
    // The "Save changes" questions asked, in order.
    QStringList saveQuestions() const;
    const std::vector<FileChoice>& fileChoices() const { return m_fileChoices; }
    void clearShown();

    void message(std::string_view text, std::string_view caption = {}) override;
    bool question(std::string_view text, std::string_view caption = {}) override;
    bool questionWithButtons(std::string_view text, std::string_view caption, std::string_view proceedLabel,
                             std::string_view keepLabel) override;
    std::optional<std::string> askPassword(std::string_view context = {}) override;
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    SaveAnswer askSaveChanges(std::string_view documentName) override;

private:
    QString captionFor(std::string_view caption) const;
    bool showBox(const QString& text, const QString& caption, bool withCancel);
    std::optional<std::string> chooseFile(const FileChoice& choice, Kind kind);

    QString m_programTitle;
    QPointer<QWidget> m_parent;
    bool m_dialogsShown = true;
    std::deque<bool> m_answers;
    std::deque<std::optional<QString>> m_passwords;
    std::deque<std::optional<QString>> m_fileNames;
    std::deque<bool> m_checkBoxes;
    std::deque<SaveAnswer> m_saveAnswers;
    SaveAnswer m_unqueuedSaveAnswer = SaveAnswer::Cancel;
    std::vector<Shown> m_shown;
    std::vector<FileChoice> m_fileChoices;
};

} // namespace ui
