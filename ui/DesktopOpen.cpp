// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DesktopOpen.h"

#include "ui/PatientProcess.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

namespace ui {

namespace {

constexpr char kOpener[] = "xdg-open";
constexpr int kOpenerPatienceMs = 3000;

struct OpenerChoice {
    QString program = QString::fromLatin1(kOpener);
    int patienceMs = kOpenerPatienceMs;
};

OpenerChoice& opener() {
    static OpenerChoice choice;
    return choice;
}

} // namespace

QUrl documentUrl(const QString& pathOrAddress) {
    // A scheme of two letters or more, so that a drive letter such as "c:" stays a path.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(pathOrAddress).hasMatch()) {
        return QUrl(pathOrAddress, QUrl::TolerantMode);
    }
    return QUrl::fromLocalFile(QFileInfo(pathOrAddress).absoluteFilePath());
}

bool openWithDesktop(const QString& pathOrAddress) {
    if (pathOrAddress.isEmpty()) {
        return false;
    }
    const QUrl url = documentUrl(pathOrAddress);
    if (!url.isValid() || (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))) {
        return false;
    }
    const QString program = PatientProcess::locate(opener().program);
    if (program.isEmpty()) {
        return QDesktopServices::openUrl(url);
    }
    const QString argument = url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded);
    return PatientProcess::run(program, {argument}, opener().patienceMs).succeeded();
}

void setDesktopOpener(const QString& program, int patienceMs) {
    opener() = {program, patienceMs};
}

void restoreDesktopOpener() {
    opener() = OpenerChoice();
}

} // namespace ui
