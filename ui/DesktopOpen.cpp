#include "ui/DesktopOpen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

namespace ui {

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
    return QDesktopServices::openUrl(url);
}

} // namespace ui
