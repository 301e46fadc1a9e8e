// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PatientProcess.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTimer>

namespace ui {

namespace {

// Helpers still running after the wait. Held here until they end, and never destroyed at exit,
// because destroying a QProcess kills it, and the user may still be busy with what it started.
QSet<QProcess*>& runningHelpers() {
    static auto* running = new QSet<QProcess*>;
    return *running;
}

} // namespace

QString PatientProcess::locate(const QString& program) {
    if (program.contains('/')) {
        const QFileInfo file(program);
        return file.isFile() && file.isExecutable() ? program : QString();
    }
    return QStandardPaths::findExecutable(program);
}

PatientProcess::Result PatientProcess::run(const QString& program, const QStringList& arguments, int patienceMs) {
    // Without a parent: a helper that outlives the wait must not be killed with its owner.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);

    QEventLoop loop;
    QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            loop.quit();
        }
    });
    QTimer::singleShot(patienceMs, &loop, &QEventLoop::quit);
    process->start(program, arguments);
    if (process->state() != QProcess::NotRunning) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    Result result;
    if (process->state() != QProcess::NotRunning) {
        runningHelpers().insert(process);
        QObject::connect(process, &QProcess::finished, process, [process] {
            runningHelpers().remove(process);
            process->deleteLater();
        });
        result.outcome = Outcome::StillRunning;
        return result;
    }
    if (process->error() != QProcess::FailedToStart) {
        result.outcome = Outcome::Exited;
        result.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    }
    delete process;
    return result;
}

} // namespace ui
