// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "UserPrompts.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

// Answers prompts from a queue and records everything it was shown. Without a queued answer a
// question is cancelled, a password prompt is cancelled and a file choice is abandoned.
class ScriptedPrompts : public UserPrompts {
public:
    enum class Kind { Message, Question, Password, OpenFile, SaveFile, SaveChanges };

    struct Shown {
        Kind kind;
        std::string caption;
        std::string text; // message or question text, the password prompt, or a file dialog's title
        bool operator==(const Shown&) const = default;
    };

    void queueAnswer(bool ok) { m_questions.push_back(ok); }
    void queuePassword(std::optional<std::string> password) { m_passwords.push_back(std::move(password)); }
    void queueFileName(std::optional<std::string> path) { m_files.push_back(std::move(path)); }
    void queueSaveAnswer(SaveAnswer answer) { m_saveAnswers.push_back(answer); }

    void message(std::string_view text, std::string_view caption = {}) override;
    bool question(std::string_view text, std::string_view caption = {}) override;
    bool questionWithButtons(std::string_view text, std::string_view caption, std::string_view proceedLabel,
                             std::string_view keepLabel) override;
    std::optional<std::string> askPassword(std::string_view context = {}) override;
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    SaveAnswer askSaveChanges(std::string_view documentName) override;

    const std::vector<Shown>& shown() const { return m_shown; }
    // The texts of messages and questions, in order.
    std::vector<std::string> texts() const;
    const std::vector<FileChoice>& fileChoices() const { return m_fileChoices; }
    // The button labels of each question that named its buttons, proceed first, in order.
    const std::vector<std::pair<std::string, std::string>>& buttonLabels() const { return m_buttonLabels; }
    bool allAnswersUsed() const {
        return m_questions.empty() && m_passwords.empty() && m_files.empty() && m_saveAnswers.empty();
    }
    void clearShown() {
        m_shown.clear();
        m_fileChoices.clear();
    }

private:
    std::deque<bool> m_questions;
    std::deque<std::optional<std::string>> m_passwords;
    std::deque<std::optional<std::string>> m_files;
    std::deque<SaveAnswer> m_saveAnswers;
    std::vector<Shown> m_shown;
    std::vector<FileChoice> m_fileChoices;
    std::vector<std::pair<std::string, std::string>> m_buttonLabels;
};
