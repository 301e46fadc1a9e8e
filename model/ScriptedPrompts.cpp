// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedPrompts.h"

namespace {

template <typename T> T takeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) {
        return fallback;
    }
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

void ScriptedPrompts::message(std::string_view text, std::string_view caption) {
    m_shown.push_back({Kind::Message, std::string(caption), std::string(text)});
}

bool ScriptedPrompts::question(std::string_view text, std::string_view caption) {
    m_shown.push_back({Kind::Question, std::string(caption), std::string(text)});
    return takeFront(m_questions, false);
}

bool ScriptedPrompts::questionWithButtons(std::string_view text, std::string_view caption,
                                          std::string_view proceedLabel, std::string_view keepLabel) {
    m_buttonLabels.emplace_back(proceedLabel, keepLabel);
    return question(text, caption);
}

std::optional<std::string> ScriptedPrompts::askPassword(std::string_view context) {
    m_shown.push_back({Kind::Password, std::string(kSecurityCheckCaption), passwordPromptText(context)});
    return takeFront(m_passwords, std::optional<std::string>{});
}

std::optional<std::string> ScriptedPrompts::chooseOpenFile(const FileChoice& choice) {
    m_shown.push_back({Kind::OpenFile, {}, choice.title});
    m_fileChoices.push_back(choice);
    return takeFront(m_files, std::optional<std::string>{});
}

std::optional<std::string> ScriptedPrompts::chooseSaveFile(const FileChoice& choice) {
    m_shown.push_back({Kind::SaveFile, {}, choice.title});
    m_fileChoices.push_back(choice);
    return takeFront(m_files, std::optional<std::string>{});
}

SaveAnswer ScriptedPrompts::askSaveChanges(std::string_view documentName) {
    m_shown.push_back({Kind::SaveChanges, {}, saveChangesText(documentName)});
    return takeFront(m_saveAnswers, SaveAnswer::Cancel);
}

std::vector<std::string> ScriptedPrompts::texts() const {
    std::vector<std::string> result;
    for (const Shown& shown : m_shown) {
        if (shown.kind == Kind::Message || shown.kind == Kind::Question) {
            result.push_back(shown.text);
        }
    }
    return result;
}
