// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Settings.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;

namespace ui {

// The last files a program opened or saved, most recent first, kept in its settings under
// numbered names ("File1", "File2", ...) so that each program keeps the list its users know.
class RecentFileList {
public:
    static constexpr int kCapacity = 4;

    RecentFileList(SettingsScope scope, QString entryPrefix);

    const QStringList& paths() const { return m_paths; }
    // Moves the path (made absolute) to the front, listed once, and stores the list.
    void add(const QString& path);
    void remove(const QString& path);

private:
    QString entryName(int index) const;
    void store();

    SettingsScope m_scope;
    QString m_entryPrefix;
    QStringList m_paths;
};

// The recent-file entries of a menu ("&1 name", the path as tip and data), after the separator the
// command table left for them; the separator shows only while there are entries. A file that
// itself cannot be opened leaves the list after its failure is told, as it would fail the same
// way next time; one the user declined (a password, say) stays.
class RecentFileMenu : public QObject {
public:
    enum class Outcome { Opened, Declined, Unopenable };
    using Opener = std::function<Outcome(const QString& path)>;

    RecentFileMenu(RecentFileList& list, QAction* separator, Opener open, QObject* parent);

    // Shows the list as it stands now.
    void refresh();
    QList<QAction*> entries() const { return m_entries; }
    // Opens a listed file as its entry does; true when it opened.
    bool open(const QString& path);

private:
    RecentFileList& m_list;
    QAction* m_separator;
    Opener m_open;
    QList<QAction*> m_entries;
};

} // namespace ui
