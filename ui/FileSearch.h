// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace ui {

// Looks for a file by name through a list of folders; the first folder that holds it wins.
class FileSearch {
public:
    explicit FileSearch(QStringList folders) : m_folders(std::move(folders)) {}

    // The standard order: the program's folder, the current folder, /etc, then each folder of
    // PATH (an empty entry of PATH is the current folder).
    static FileSearch standard();
    static QStringList standardFolders(const QString& programFolder, const QString& currentFolder,
                                       const QString& pathVariable);

    // The full path of the first match, or nothing.
    std::optional<QString> find(const QString& fileName) const;
    const QStringList& folders() const { return m_folders; }

private:
    QStringList m_folders;
};

} // namespace ui
