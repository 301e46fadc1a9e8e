// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AfxFolders.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <system_error>

namespace ui {

namespace {

// Longest file name most Linux file systems take, in bytes.
constexpr qsizetype kMaxNameBytes = 255;

// Drops the last character, both halves of a surrogate pair at once.
void chopCharacter(QString& text) {
    text.chop(text.size() >= 2 && text.back().isLowSurrogate() ? 2 : 1);
}

} // namespace

std::optional<QString> AfxFolders::createFolder() {
    // A TMPDIR that does not exist gives no temporary directory at all, not the root folder.
    const QString temporary = QDir::tempPath();
    if (temporary.isEmpty()) {
        return std::nullopt;
    }
    QByteArray pattern = QFile::encodeName(temporary + QStringLiteral("/afxXXXXXX"));
    // mkdtemp makes the folder with mode 0700 and a name nobody else can have taken.
    if (::mkdtemp(pattern.data()) == nullptr) {
        return std::nullopt;
    }
    m_folders.emplace_back(pattern.toStdString());
    return QFile::decodeName(pattern);
}

std::optional<QString> AfxFolders::pathFor(const QString& displayName) {
    const std::optional<QString> folder = createFolder();
    if (!folder) {
        return std::nullopt;
    }
    return *folder + '/' + safeFileName(displayName);
}

void AfxFolders::removeAll() {
    // Plain standard library: this also runs while the program exits, after Qt has shut down.
    for (const std::filesystem::path& folder : m_folders) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    m_folders.clear();
}

QString AfxFolders::safeFileName(const QString& displayName) {
    QString name = displayName;
    name.replace('/', '_');
    name.replace(QChar(0), '_');
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..")) {
        return QStringLiteral("attachment");
    }
    const qsizetype dot = name.lastIndexOf('.');
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    QString stem = dot > 0 ? name.left(dot) : name;
    while (!stem.isEmpty() && QFile::encodeName(stem + extension).size() > kMaxNameBytes) {
        chopCharacter(stem);
    }
    QString result = stem + extension;
    while (QFile::encodeName(result).size() > kMaxNameBytes) {
        chopCharacter(result); // only an absurdly long extension gets here
    }
    return result;
}

AfxFolders& AfxFolders::forProcess() {
    // Destroyed at exit, which removes the folders.
    static AfxFolders folders;
    return folders;
}

} // namespace ui
