// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CommandTable.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace ui {

namespace {

// The menu text without its mnemonic marks, for a tooltip the table leaves empty.
QString withoutMnemonic(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    if (text.endsWith(QStringLiteral("..."))) {
        text.chop(3);
    }
    return text;
}

} // namespace

QMenu* CommandActions::menu(const QString& title) const {
    for (QMenu* menu : m_menus) {
        if (menu->title() == title) {
            return menu;
        }
    }
    return nullptr;
}

CommandActions CommandBuilder::build(QMainWindow& window, const std::vector<Row>& rows, const std::vector<Menu>& menus,
                                     QToolBar* toolbar, const std::vector<std::variant<int, Slot>>& buttons) {
    CommandActions made;
    for (const Row& row : rows) {
        auto* action = new QAction(row.text, &window);
        action->setStatusTip(row.prompt);
        action->setToolTip(row.tooltip.isEmpty() ? withoutMnemonic(row.text) : row.tooltip);
        action->setShortcuts(row.keys);
        if (row.icon) {
            action->setIcon(icon(*row.icon));
        }
        action->setCheckable(row.checkable);
        Q_ASSERT(!made.m_actions.contains(row.id));
        made.m_actions.insert(row.id, action);
    }
    for (const Menu& menu : menus) {
        QMenu* built = window.menuBar()->addMenu(menu.title);
        made.m_menus << built;
        for (const auto& entry : menu.entries) {
            if (const int* id = std::get_if<int>(&entry)) {
                Q_ASSERT(made.m_actions.contains(*id));
                built->addAction(made.action(*id));
            } else if (std::get<Slot>(entry) == Slot::RecentFiles) {
                made.m_recentFiles = built->addSeparator();
                made.m_recentFiles->setVisible(false);
            } else {
                built->addSeparator();
            }
        }
    }
    if (toolbar) {
        for (const auto& entry : buttons) {
            if (const int* id = std::get_if<int>(&entry)) {
                Q_ASSERT(made.m_actions.contains(*id));
                toolbar->addAction(made.action(*id));
            } else {
                toolbar->addSeparator();
            }
        }
    }
    return made;
}

} // namespace ui
