// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Settings.h"

namespace ui {

Settings::Settings(const SettingsScope& scope)
    : m_settings(scope.organization, scope.application), m_section(scope.section) {}

bool Settings::contains(const QString& name) const {
    return m_settings.contains(key(name));
}

QString Settings::text(const QString& name, const QString& fallback) const {
    const QVariant value = m_settings.value(key(name));
    if (!value.isValid()) {
        return fallback;
    }
    // A hand-edited file may hold an unquoted "a, b", which the file format reads as a list.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    return value.toString();
}

int Settings::integer(const QString& name, int fallback) const {
    const QVariant value = m_settings.value(key(name));
    if (!value.isValid()) {
        return fallback;
    }
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : fallback;
}

void Settings::setText(const QString& name, const QString& value) {
    m_settings.setValue(key(name), value);
}

void Settings::setInteger(const QString& name, int value) {
    m_settings.setValue(key(name), value);
}

void Settings::remove(const QString& name) {
    m_settings.remove(key(name));
}

void Settings::sync() {
    m_settings.sync();
}

void Settings::useFolder(const QString& folder) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
}

} // namespace ui
