// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Role.h"
#include "ui/SnapshotHistory.h"

#include <QObject>
#include <QString>

class UserPrompts;

// One open role profile. It owns its role for its whole life; the views show and edit it.
class CKVRoleDoc : public QObject {
    Q_OBJECT

public:
    static constexpr char kFailedToOpen[] = "Failed to open document.";
    static constexpr char kFailedToSave[] = "Failed to save document.";
    static constexpr char kUnexpectedFormat[] = "Unexpected file format.";

    // A new role, titled "Role" + number until it is saved.
    explicit CKVRoleDoc(int untitledNumber, QObject* parent = nullptr);

    // Reads a role profile; on failure tells the user and leaves the document as it was.
    bool open(const QString& path, UserPrompts& prompts);
    // Writes the role profile; on failure tells the user and keeps the document's path and state.
    bool saveAs(const QString& path, UserPrompts& prompts);

    CRole& role() { return m_role; }
    const CRole& role() const { return m_role; }

    const QString& path() const { return m_path; }
    bool hasFile() const { return !m_path.isEmpty(); }
    const QString& title() const { return m_title; }
    bool isModified() const { return m_modified; }
    void setModified(bool modified = true);

    // Every change to the role goes through here: `change` runs, and what it changed is one step
    // named `what` in the document's undo history (none when the role's bytes stayed the same).
    template <typename Change> auto record(const QString& what, Change&& change);
    ui::SnapshotHistory& history() const { return *m_history; }

    // Renames the role; while the document has no file it is renamed too.
    void setRoleName(std::string name);
    // Asks every view to rebuild its tree from the role.
    void updateAllViews() { emit rebuildRequested(); }
    // Tells every view that `view` changed the role.
    void notifyEdited(const QObject* view) { emit editedIn(view); }

signals:
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);
    void rebuildRequested();
    void editedIn(const QObject* view);
    // Undo or Redo gave the role other content: every view rebuilds, keeping its place.
    void restored();

private:
    void setTitle(const QString& title);
    void restore(const std::string& snapshot);

    CRole m_role;
    QString m_path;
    QString m_title;
    bool m_modified = false;
    ui::SnapshotHistory* m_history;
};

template <typename Change> auto CKVRoleDoc::record(const QString& what, Change&& change) {
    return m_history->record(what, std::forward<Change>(change));
}
