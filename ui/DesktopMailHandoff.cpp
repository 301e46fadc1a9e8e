// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DesktopMailHandoff.h"

#include "ui/PatientProcess.h"

#include <QFileInfo>

namespace ui {

DesktopMailHandoff::DesktopMailHandoff(QString composer, int patienceMs)
    : m_composer(std::move(composer)), m_patienceMs(patienceMs) {}

bool DesktopMailHandoff::available() const {
    return !PatientProcess::locate(m_composer).isEmpty();
}

MailResult DesktopMailHandoff::resultOfExitCode(int exitCode) {
    return exitCode == 0 ? MailResult::Sent : MailResult::Failure;
}

MailResult DesktopMailHandoff::composeWithAttachment(const QString& filePath) {
    if (!available() || !QFileInfo(filePath).isFile()) {
        return MailResult::Failure;
    }
    const PatientProcess::Result run = PatientProcess::run(
        m_composer, {QStringLiteral("--attach"), QFileInfo(filePath).absoluteFilePath()}, m_patienceMs);
    switch (run.outcome) {
    case PatientProcess::Outcome::StillRunning:
        // Some composers stay in the foreground until the user closes them: it has the file.
        return MailResult::Sent;
    case PatientProcess::Outcome::Exited:
        return run.exitCode < 0 ? MailResult::Failure : resultOfExitCode(run.exitCode);
    case PatientProcess::Outcome::NotStarted:
        break;
    }
    return MailResult::Failure;
}

} // namespace ui
