// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/MailHandoff.h"

namespace ui {

// Hands the file to the desktop's composer with `xdg-email --attach FILE`.
class DesktopMailHandoff : public MailHandoff {
public:
    // `composer` is the command to run (a name looked up on PATH, or a path); `patienceMs` is how
    // long to wait for it before taking a composer that is still running as one that took over.
    explicit DesktopMailHandoff(QString composer = QStringLiteral("xdg-email"), int patienceMs = 10000);

    bool available() const override;
    MailResult composeWithAttachment(const QString& filePath) override;

    // xdg-email's exit status: 0 done; 1 bad arguments, 2 file missing, 3 no mail program,
    // 4 the mail program failed, 5 file unreadable. None of them says that the user cancelled.
    static MailResult resultOfExitCode(int exitCode);

private:
    QString m_composer;
    int m_patienceMs;
};

} // namespace ui
