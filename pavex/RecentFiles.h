#pragma once

#include "ui/Settings.h"

#include <QStringList>

// The last journals opened or saved, most recent first, kept in the program's settings.
class RecentFiles {
public:
    static constexpr int kCapacity = 4;

    explicit RecentFiles(ui::SettingsScope scope = {"KV Software", "KV 360", "Recent File List"});

    const QStringList& paths() const { return m_paths; }
    // Moves the path to the front (a path already listed is not listed twice) and stores the list.
    void add(const QString& path);
    void remove(const QString& path);

private:
    void store();

    ui::SettingsScope m_scope;
    QStringList m_paths;
};
