// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RecentFiles.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace ui {

RecentFileList::RecentFileList(SettingsScope scope, QString entryPrefix)
    : m_scope(std::move(scope)), m_entryPrefix(std::move(entryPrefix)) {
    const Settings settings(m_scope);
    for (int i = 0; i < kCapacity; ++i) {
        const QString path = settings.text(entryName(i));
        if (!path.isEmpty() && !m_paths.contains(path)) {
            m_paths.append(path);
        }
    }
}

QString RecentFileList::entryName(int index) const {
    return m_entryPrefix + QString::number(index + 1);
}

void RecentFileList::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_paths.removeAll(absolute);
    m_paths.prepend(absolute);
    while (m_paths.size() > kCapacity) {
        m_paths.removeLast();
    }
    store();
}

void RecentFileList::remove(const QString& path) {
    m_paths.removeAll(path);
    store();
}

void RecentFileList::store() {
    Settings settings(m_scope);
    for (int i = 0; i < kCapacity; ++i) {
        if (i < m_paths.size()) {
            settings.setText(entryName(i), m_paths[i]);
        } else {
            settings.remove(entryName(i));
        }
    }
    settings.sync();
}

RecentFileMenu::RecentFileMenu(RecentFileList& list, QAction* separator, Opener open, QObject* parent)
    : QObject(parent), m_list(list), m_separator(separator), m_open(std::move(open)) {
    Q_ASSERT(m_separator != nullptr);
    refresh();
}

void RecentFileMenu::refresh() {
    QMenu* menu = nullptr;
    for (QObject* holder : m_separator->associatedObjects()) {
        menu = menu ? menu : qobject_cast<QMenu*>(holder);
    }
    Q_ASSERT(menu != nullptr);
    for (QAction* entry : m_entries) {
        menu->removeAction(entry);
        // The entry may be the one whose trigger is being handled.
        entry->deleteLater();
    }
    m_entries.clear();
    const QList<QAction*> items = menu->actions();
    QAction* following = items.value(items.indexOf(m_separator) + 1, nullptr);
    const QStringList& paths = m_list.paths();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this);
        entry->setToolTip(path);
        entry->setData(path);
        connect(entry, &QAction::triggered, this, [this, path] { open(path); });
        menu->insertAction(following, entry);
        m_entries.append(entry);
    }
    m_separator->setVisible(!m_entries.isEmpty());
}

bool RecentFileMenu::open(const QString& path) {
    const Outcome outcome = m_open(path);
    if (outcome == Outcome::Unopenable) {
        m_list.remove(path);
        refresh();
    }
    return outcome == Outcome::Opened;
}

} // namespace ui
