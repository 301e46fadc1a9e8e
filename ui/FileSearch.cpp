// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileSearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ui {

FileSearch FileSearch::standard() {
    return FileSearch(
        standardFolders(QCoreApplication::applicationDirPath(), QDir::currentPath(), qEnvironmentVariable("PATH")));
}

QStringList FileSearch::standardFolders(const QString& programFolder, const QString& currentFolder,
                                        const QString& pathVariable) {
    QStringList folders{programFolder, currentFolder, QStringLiteral("/etc")};
    for (const QString& entry : pathVariable.split(QDir::listSeparator())) {
        folders << (entry.isEmpty() ? currentFolder : entry);
    }
    return folders;
}

std::optional<QString> FileSearch::find(const QString& fileName) const {
    if (fileName.isEmpty()) {
        return std::nullopt;
    }
    for (const QString& folder : m_folders) {
        const QFileInfo candidate(QDir(folder), fileName);
        if (candidate.isFile()) {
            return candidate.absoluteFilePath();
        }
    }
    return std::nullopt;
}

} // namespace ui
