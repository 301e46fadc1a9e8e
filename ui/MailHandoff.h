// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace ui {

// What became of a hand-off to the mail composer; the callers map it onto their own messages.
enum class MailResult {
    Sent,      // the composer took the attachment; the user addresses and sends the message there
    UserAbort, // the user called the message off; nothing to report
    Failure,   // no composer, or it failed; worth telling the user
};

// "Compose a message with this file attached" through the desktop's mail program.
class MailHandoff {
public:
    virtual ~MailHandoff() = default;

    // Whether a composer can be reached at all, before anything is prepared for it.
    virtual bool available() const = 0;
    // The composer names the attachment after the file, so `filePath` should carry the name the
    // recipient is to see (see AfxFolders). The composer may read the file after this returns.
    virtual MailResult composeWithAttachment(const QString& filePath) = 0;
};

} // namespace ui
