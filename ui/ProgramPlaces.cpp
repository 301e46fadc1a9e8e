// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgramPlaces.h"

#include "ui/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef REFLECTORY_INSTALLED_DATA_DIR
#define REFLECTORY_INSTALLED_DATA_DIR "/usr/local/share/reflectory"
#endif

namespace ui {

namespace {
QString withTrailingSeparator(QString folder) {
    if (!folder.endsWith('/')) {
        folder += '/';
    }
    return folder;
}
} // namespace

ProgramPlaces::ProgramPlaces(QString programFolder)
    : m_programFolder(programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : std::move(programFolder)) {}

QStringList ProgramPlaces::dataFolders() const {
    const QDir program(m_programFolder);
    return {QDir::cleanPath(program.absolutePath()),
            QDir::cleanPath(program.absoluteFilePath(QStringLiteral("../share/reflectory")))};
}

std::optional<QString> ProgramPlaces::findData(const QString& relativePath) const {
    for (const QString& folder : dataFolders()) {
        const QFileInfo candidate(QDir(folder), relativePath);
        if (candidate.exists()) {
            return QDir::cleanPath(candidate.absoluteFilePath());
        }
    }
    return std::nullopt;
}

QString ProgramPlaces::dataPath(const QString& relativePath) const {
    if (std::optional<QString> found = findData(relativePath)) {
        return *found;
    }
    return QDir::cleanPath(QDir(dataFolders().constFirst()).absoluteFilePath(relativePath));
}

QString ProgramPlaces::roleDirectory(const Settings& settings) const {
    const QString configured = settings.text(QStringLiteral("RoleDirectory"));
    // An empty value would put role files in whatever the current folder happens to be.
    if (!configured.isEmpty()) {
        return withTrailingSeparator(configured);
    }
    return withTrailingSeparator(dataPath(QStringLiteral("roles")));
}

QStringList ProgramPlaces::roleFolders(const Settings& settings) const {
    if (!settings.text(QStringLiteral("RoleDirectory")).isEmpty()) {
        return {roleDirectory(settings)};
    }
    return {userRoleDirectory(), roleDirectory(settings)};
}

QString ProgramPlaces::roleDropDirectory(const Settings& settings) const {
    const QString configured = settings.text(QStringLiteral("RoleDirectory"));
    const QString folder = configured.isEmpty() ? userRoleDirectory() : withTrailingSeparator(configured);
    // A failure to make it shows when the copy into it fails, with the reason.
    QDir().mkpath(folder);
    return folder;
}

QString ProgramPlaces::userRoleDirectory() {
    return withTrailingSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                 QStringLiteral("/reflectory/roles"));
}

QString ProgramPlaces::installedDataFolder() {
    return QStringLiteral(REFLECTORY_INSTALLED_DATA_DIR);
}

} // namespace ui
