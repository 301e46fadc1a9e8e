// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/DroppedFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool looksLikeSavedMail(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) {
        return true;
    }
    if (path.endsWith(QLatin1String(".eml"), Qt::CaseInsensitive) ||
        path.endsWith(QLatin1String(".mbox"), Qt::CaseInsensitive)) {
        return true;
    }
    // An mbox is often saved without an ending.
    QFile file(path);
    return info.isFile() && file.open(QIODevice::ReadOnly) && file.read(5) == "From ";
}

} // namespace

DroppedFileKind droppedFileKind(const QString& path) {
    const QString ending = path.right(4).toLower();
    if (ending == QLatin1String(".kvq")) {
        return DroppedFileKind::RequestFile;
    }
    if (ending == QLatin1String(".kvi")) {
        return DroppedFileKind::WebReply;
    }
    if (ending == QLatin1String(".kvr")) {
        return DroppedFileKind::RoleProfile;
    }
    if (ending == QLatin1String(".kva")) {
        return DroppedFileKind::Journal;
    }
    if (looksLikeSavedMail(path)) {
        return DroppedFileKind::Mail;
    }
    return DroppedFileKind::Unknown;
}
