// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <string>

namespace ui {

class AfxFolders;
class MailHandoff;

// The one way the programs hand a file to the mail composer: the bytes are written, whole or not
// at all, into a fresh private folder under the name the recipient is to see, then composed.
// What the user is told on each outcome stays with the command.
class MailAttachment {
public:
    enum class Result { Sent, UserAbort, MailUnavailable, NotWritten, ComposeFailed };

    MailAttachment(MailHandoff& handoff, AfxFolders& folders) : m_handoff(handoff), m_folders(folders) {}

    // The written file's path; nothing when it could not be written, with `error` saying why
    // (empty when no private folder could be made).
    std::optional<QString> write(const QString& name, const std::string& bytes, std::string* error);
    // Checks for a composer, writes the file and composes a message with it attached.
    Result send(const QString& name, const std::string& bytes, std::string* error = nullptr);

private:
    MailHandoff& m_handoff;
    AfxFolders& m_folders;
};

} // namespace ui
