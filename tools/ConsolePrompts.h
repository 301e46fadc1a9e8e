// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/UserPrompts.h"

#include <optional>
#include <ostream>
#include <string>

// Prompts for scripts: every message and question is printed on one stream, questions are answered
// by a flag, the password prompt by an option, and no file dialog is ever answered.
class ConsolePrompts : public UserPrompts {
public:
    ConsolePrompts(std::ostream& log, bool answerOk, std::optional<std::string> password)
        : m_log(log), m_answerOk(answerOk), m_password(std::move(password)) {}

    void message(std::string_view text, std::string_view caption = {}) override;
    bool question(std::string_view text, std::string_view caption = {}) override;
    std::optional<std::string> askPassword(std::string_view context = {}) override;
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    SaveAnswer askSaveChanges(std::string_view documentName) override;

private:
    std::ostream& m_log;
    bool m_answerOk;
    std::optional<std::string> m_password;
};
