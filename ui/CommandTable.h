// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Icons.h"

#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <optional>
#include <type_traits>
#include <variant>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace ui {

// One command of a program: what its menu item, toolbar button and status bar show. A program
// lists its commands once; `buildCommands` makes the actions, menus and toolbar from that list.
// What a command does and when it is enabled stay with the window.
template <typename Id> struct CommandRow {
    // A constructor rather than member defaults: GCC 12 cannot brace-initialise this template with them.
    CommandRow(Id id, const char* text, const char* prompt = "", const char* tooltip = "",
               QList<QKeySequence> keys = QList<QKeySequence>(), std::optional<Icon> icon = std::nullopt,
               bool checkable = false)
        : id(id), text(text), prompt(prompt), tooltip(tooltip), keys(std::move(keys)), icon(icon),
          checkable(checkable) {}

    Id id;
    const char* text;    // the menu text, with its mnemonic
    const char* prompt;  // shown in the status bar while the item is highlighted
    const char* tooltip; // the toolbar button's tip; the text without mnemonic when empty
    QList<QKeySequence> keys;
    std::optional<Icon> icon;
    bool checkable;
};

// Places in a menu or toolbar that are not commands.
enum class Slot {
    Separator,
    // Where the recent-file entries go: a separator, hidden while there are none, that
    // ui::RecentFileMenu fills after.
    RecentFiles,
};

template <typename Id> using Entry = std::variant<Id, Slot>;

template <typename Id> struct MenuRow {
    const char* title;
    std::vector<Entry<Id>> entries;
};

// The actions made from a table, by command id.
class CommandActions {
public:
    QAction* action(int id) const { return m_actions.value(id); }
    template <typename Id>
    requires std::is_enum_v<Id> QAction* action(Id id) const { return action(static_cast<int>(id)); }
    // Connects a command to its handler: a member function of `receiver`, or a function object
    // that lives as long as `receiver`.
    template <typename Id, typename Receiver, typename Handler>
    requires std::is_enum_v<Id>
    void onTriggered(Id id, const Receiver* receiver, Handler handler) const {
        QObject::connect(action(id), &QAction::triggered, receiver, std::move(handler));
    }
    QMenu* menu(const QString& title) const;
    // The separator after which the recent-file entries go (hidden until there are some), or
    // nullptr without such a slot.
    QAction* recentFilesSlot() const { return m_recentFiles; }
    const QList<QMenu*>& menus() const { return m_menus; }

private:
    friend class CommandBuilder;
    QHash<int, QAction*> m_actions;
    QList<QMenu*> m_menus;
    QAction* m_recentFiles = nullptr;
};

// The untyped half of buildCommands, so that the widgets code is compiled once.
class CommandBuilder {
public:
    struct Row {
        int id;
        QString text;
        QString prompt;
        QString tooltip;
        QList<QKeySequence> keys;
        std::optional<Icon> icon;
        bool checkable;
    };
    struct Menu {
        QString title;
        std::vector<std::variant<int, Slot>> entries;
    };
    static CommandActions build(QMainWindow& window, const std::vector<Row>& rows, const std::vector<Menu>& menus,
                                QToolBar* toolbar, const std::vector<std::variant<int, Slot>>& buttons);
};

// Makes one action per row (owned by the window), the menu bar from `menus` and the toolbar's
// buttons from `buttons`.
template <typename Id>
CommandActions buildCommands(QMainWindow& window, const std::vector<CommandRow<Id>>& rows,
                             const std::vector<MenuRow<Id>>& menus, QToolBar* toolbar,
                             const std::vector<Entry<Id>>& buttons) {
    const auto untyped = [](const Entry<Id>& entry) -> std::variant<int, Slot> {
        if (const Id* id = std::get_if<Id>(&entry)) {
            return static_cast<int>(*id);
        }
        return std::get<Slot>(entry);
    };
    std::vector<CommandBuilder::Row> plainRows;
    for (const CommandRow<Id>& row : rows) {
        plainRows.push_back({static_cast<int>(row.id), QString::fromUtf8(row.text), QString::fromUtf8(row.prompt),
                             QString::fromUtf8(row.tooltip), row.keys, row.icon, row.checkable});
    }
    std::vector<CommandBuilder::Menu> plainMenus;
    for (const MenuRow<Id>& menu : menus) {
        CommandBuilder::Menu plain{QString::fromUtf8(menu.title), {}};
        for (const Entry<Id>& entry : menu.entries) {
            plain.entries.push_back(untyped(entry));
        }
        plainMenus.push_back(std::move(plain));
    }
    std::vector<std::variant<int, Slot>> plainButtons;
    for (const Entry<Id>& entry : buttons) {
        plainButtons.push_back(untyped(entry));
    }
    return CommandBuilder::build(window, plainRows, plainMenus, toolbar, plainButtons);
}

} // namespace ui
