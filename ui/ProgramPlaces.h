// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace ui {

class Settings;

// Where a program finds its own files: beside itself in the build tree, or in
// ../share/reflectory/ once installed (programs in <prefix>/bin, data in <prefix>/share/reflectory).
class ProgramPlaces {
public:
    // An empty folder means the running program's own folder.
    explicit ProgramPlaces(QString programFolder = {});

    const QString& programFolder() const { return m_programFolder; }
    // Beside the program first, then ../share/reflectory.
    QStringList dataFolders() const;
    // The first data folder holding `relativePath`.
    std::optional<QString> findData(const QString& relativePath) const;
    // As findData, but beside the program when no folder holds it.
    QString dataPath(const QString& relativePath) const;

    // The journal program's role folder: the "RoleDirectory" setting when it has a value,
    // otherwise the data folder holding "roles". Always ends with '/', because role file names
    // are appended to it directly.
    QString roleDirectory(const Settings& settings) const;
    // The folders the role choice lists: the "RoleDirectory" setting alone when it has a value,
    // otherwise the user's own role folder and then the shipped one.
    QStringList roleFolders(const Settings& settings) const;
    // Where a role file dropped on the journal program is copied: the "RoleDirectory" setting when
    // it has a value, otherwise the user's own role folder, made when it is missing.
    QString roleDropDirectory(const Settings& settings) const;

    // The user's own role folder (<per-user data>/reflectory/roles/, ending with '/'). Installed, the
    // shipped role folder is read-only, so roles the user adds or saves live here.
    static QString userRoleDirectory();

    // The data folder of the installation this program was built for; the last place to look.
    static QString installedDataFolder();

private:
    QString m_programFolder;
};

} // namespace ui
