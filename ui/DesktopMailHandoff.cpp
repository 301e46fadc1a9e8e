#include "ui/DesktopMailHandoff.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTimer>

namespace ui {

namespace {

// Composers still running after the wait. Held here until they end, and never destroyed at
// exit, because destroying a QProcess kills it and the user may still be writing the message.
QSet<QProcess*>& runningComposers() {
    static auto* running = new QSet<QProcess*>;
    return *running;
}

} // namespace

DesktopMailHandoff::DesktopMailHandoff(QString composer, int patienceMs)
    : m_composer(std::move(composer)), m_patienceMs(patienceMs) {}

bool DesktopMailHandoff::available() const {
    if (m_composer.contains('/')) {
        const QFileInfo program(m_composer);
        return program.isFile() && program.isExecutable();
    }
    return !QStandardPaths::findExecutable(m_composer).isEmpty();
}

MailResult DesktopMailHandoff::resultOfExitCode(int exitCode) {
    return exitCode == 0 ? MailResult::Sent : MailResult::Failure;
}

MailResult DesktopMailHandoff::composeWithAttachment(const QString& filePath) {
    if (!available() || !QFileInfo(filePath).isFile()) {
        return MailResult::Failure;
    }
    // Without a parent: a composer that outlives the wait must not be killed with this object.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);

    QEventLoop loop;
    QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            loop.quit();
        }
    });
    QTimer::singleShot(m_patienceMs, &loop, &QEventLoop::quit);
    process->start(m_composer, {QStringLiteral("--attach"), QFileInfo(filePath).absoluteFilePath()});
    if (process->state() != QProcess::NotRunning) {
        // Windows repaint meanwhile, but the user cannot start another command.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    if (process->state() != QProcess::NotRunning) {
        // Some composers stay in the foreground until the user closes them: it has the file.
        runningComposers().insert(process);
        QObject::connect(process, &QProcess::finished, process, [process] {
            runningComposers().remove(process);
            process->deleteLater();
        });
        return MailResult::Sent;
    }
    const bool exitedNormally =
        process->error() != QProcess::FailedToStart && process->exitStatus() == QProcess::NormalExit;
    const MailResult result = exitedNormally ? resultOfExitCode(process->exitCode()) : MailResult::Failure;
    delete process;
    return result;
}

} // namespace ui
