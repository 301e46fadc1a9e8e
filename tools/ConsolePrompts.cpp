// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ConsolePrompts.h"

#include "model/Windows1252.h"

#include <algorithm>

namespace {

// Texts are Windows-1252 and may hold line breaks; the terminal gets UTF-8, one line per prompt.
std::string printable(std::string_view text) {
    std::string line = cp1252::toUtf8(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return line;
}

} // namespace

void ConsolePrompts::message(std::string_view text, std::string_view) {
    m_log << printable(text) << '\n';
}

bool ConsolePrompts::question(std::string_view text, std::string_view) {
    m_log << printable(text) << (m_answerOk ? " [OK]" : " [Cancel]") << '\n';
    return m_answerOk;
}

SaveAnswer ConsolePrompts::askSaveChanges(std::string_view documentName) {
    // A script's changes are saved by the command itself, never by a question.
    m_log << printable(saveChangesText(documentName)) << " [Cancel]" << '\n';
    return SaveAnswer::Cancel;
}

std::optional<std::string> ConsolePrompts::askPassword(std::string_view) {
    m_log << kSecurityCheckCaption << ": " << kPasswordPrompt << (m_password ? " [given]" : " [Cancel]") << '\n';
    return m_password;
}

std::optional<std::string> ConsolePrompts::chooseOpenFile(const FileChoice&) {
    return std::nullopt;
}

std::optional<std::string> ConsolePrompts::chooseSaveFile(const FileChoice&) {
    return std::nullopt;
}
