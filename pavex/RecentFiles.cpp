#include "pavex/RecentFiles.h"

#include <QFileInfo>

namespace {
QString entryName(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}
} // namespace

RecentFiles::RecentFiles(ui::SettingsScope scope) : m_scope(std::move(scope)) {
    const ui::Settings settings(m_scope);
    for (int i = 0; i < kCapacity; ++i) {
        const QString path = settings.text(entryName(i));
        if (!path.isEmpty() && !m_paths.contains(path)) {
            m_paths.append(path);
        }
    }
}

void RecentFiles::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_paths.removeAll(absolute);
    m_paths.prepend(absolute);
    while (m_paths.size() > kCapacity) {
        m_paths.removeLast();
    }
    store();
}

void RecentFiles::remove(const QString& path) {
    m_paths.removeAll(path);
    store();
}

void RecentFiles::store() {
    ui::Settings settings(m_scope);
    for (int i = 0; i < kCapacity; ++i) {
        if (i < m_paths.size()) {
            settings.setText(entryName(i), m_paths[i]);
        } else {
            settings.remove(entryName(i));
        }
    }
    settings.sync();
}
