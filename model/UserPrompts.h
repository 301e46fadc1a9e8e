// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the suite asks and tells the user. The desktop programs answer with real dialogs, the
// command-line tool and the tests with scripted answers, so every command runs without a screen.
//
// Texts shown to the user are the files' 8-bit (Windows-1252) bytes; file names are the
// platform's own (UTF-8) paths.

inline constexpr std::string_view kSecurityCheckCaption = "Security Check";
inline constexpr std::string_view kPasswordPrompt = "Please type the password for this file:";

// The prompt as shown: the fixed prompt, then the context on a line of its own.
inline std::string passwordPromptText(std::string_view context) {
    std::string text(kPasswordPrompt);
    if (!context.empty()) {
        text.append("\n").append(context);
    }
    return text;
}

struct FileFilter {
    std::string label;                 // e.g. "Reflectorys (*.kva)"
    std::vector<std::string> patterns; // e.g. {"*.kva"}
};

struct FileChoice {
    std::string title;
    std::vector<FileFilter> filters;
    std::string proposedName;
    std::string defaultExtension; // without the dot; added when the chosen name has none
    bool mustExist = false;
    // A save dialog asks before it replaces a file unless a caller says otherwise.
    bool confirmOverwrite = true;
    // A check box below the file name when `checkBoxState` is set: it shows the state on the way in
    // and holds the user's choice once a file is chosen. The label is in the files' code page.
    std::string checkBoxLabel;
    std::shared_ptr<bool> checkBoxState;
    // The folder the dialog starts in (UTF-8) unless the proposed name is a path of its own.
    std::string startFolder;
};

// The answers to "Save changes to %1?".
enum class SaveAnswer { Yes, No, Cancel };

// The question asked before a modified document is closed or replaced.
inline std::string saveChangesText(std::string_view documentName) {
    return "Save changes to " + std::string(documentName) + "?";
}

class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // A message with OK. An empty caption means the program's title.
    virtual void message(std::string_view text, std::string_view caption = {}) = 0;
    // An OK/Cancel question; true only for OK.
    virtual bool question(std::string_view text, std::string_view caption = {}) = 0;
    // A question whose two buttons say what they do instead of OK and Cancel; true only for
    // `proceedLabel`. Escape and the close box mean `keepLabel`. Without buttons of its own, a
    // prompt asks it as an OK/Cancel question.
    virtual bool questionWithButtons(std::string_view text, std::string_view caption, std::string_view proceedLabel,
                                     std::string_view keepLabel) {
        static_cast<void>(proceedLabel);
        static_cast<void>(keepLabel);
        return question(text, caption);
    }
    // The "Security Check" password prompt; nothing on Cancel. A context (the file's name as messages
    // show it, in the texts' code page) is shown on a line of its own below the prompt.
    virtual std::optional<std::string> askPassword(std::string_view context = {}) = 0;
    virtual std::optional<std::string> chooseOpenFile(const FileChoice& choice) = 0;
    virtual std::optional<std::string> chooseSaveFile(const FileChoice& choice) = 0;
    // "Save changes to %1?" with Yes, No and Cancel; the name is the platform's (a file name).
    virtual SaveAnswer askSaveChanges(std::string_view documentName) = 0;
};
