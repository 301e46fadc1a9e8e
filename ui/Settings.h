// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>

namespace ui {

// Where a program keeps its per-user settings: the company, the program's application name and
// the section holding its values.
struct SettingsScope {
    QString organization;
    QString application;
    QString section;

    static SettingsScope journalProgram() { return {"KV Software", "KV 360", "PAVEX"}; }
    static SettingsScope roleEditor() { return {"KV Software", "KVRole", "KVRole"}; }
};

// A program's per-user settings: integers and texts by value name within its section. A value
// that is absent, or stored in a form that cannot be read as the type asked for, gives the
// caller's default.
class Settings {
public:
    explicit Settings(const SettingsScope& scope);

    bool contains(const QString& name) const;
    QString text(const QString& name, const QString& fallback = {}) const;
    int integer(const QString& name, int fallback) const;

    void setText(const QString& name, const QString& value);
    void setInteger(const QString& name, int value);
    void remove(const QString& name);
    // Writes pending changes to disk; done by itself when the object goes, too.
    void sync();

    // The file the values live in; tells tests and support where to look.
    QString fileName() const { return m_settings.fileName(); }

    // Keeps every program's settings under `folder` from now on (tests use a temporary folder).
    static void useFolder(const QString& folder);

private:
    QString key(const QString& name) const { return m_section + '/' + name; }

    mutable QSettings m_settings;
    QString m_section;
};

} // namespace ui
