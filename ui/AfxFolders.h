// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <vector>

namespace ui {

// Private temporary folders for files handed to the mail composer. The composer names the
// attachment after the file, so each file goes into a fresh folder under the name the recipient
// is to see; and since the composer may read it after the hand-off returns, the folders are
// removed when the program ends, not at once.
class AfxFolders {
public:
    AfxFolders() = default;
    ~AfxFolders() { removeAll(); }
    AfxFolders(const AfxFolders&) = delete;
    AfxFolders& operator=(const AfxFolders&) = delete;

    // A new folder "afxXXXXXX" in the temporary directory (TMPDIR), readable by this user only.
    std::optional<QString> createFolder();
    // The path for a file of that name in a new folder; the name is made safe first.
    std::optional<QString> pathFor(const QString& displayName);
    void removeAll();
    std::size_t count() const { return m_folders.size(); }

    // A display name as a file name: no folder separators or NULs, not "." or "..", and short
    // enough for the file system (the extension is kept).
    static QString safeFileName(const QString& displayName);

    // The program's own folders, removed when the program exits.
    static AfxFolders& forProcess();

private:
    std::vector<std::filesystem::path> m_folders;
};

} // namespace ui
