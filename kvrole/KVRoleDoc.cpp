// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/KVRoleDoc.h"

#include "kvrole/core/RoleEditor.h"
#include "model/AtomicFile.h"
#include "model/RoleFile.h"
#include "model/UserPrompts.h"
#include "ui/Cp1252Text.h"
#include "ui/SnapshotHistory.h"

#include <QFile>
#include <QFileInfo>

CKVRoleDoc::CKVRoleDoc(int untitledNumber, QObject* parent)
    : QObject(parent), m_role(CRole::makeDefault()), m_title(QStringLiteral("Role%1").arg(untitledNumber)),
      m_history(new ui::SnapshotHistory([this] { return RoleFile::encode(m_role); },
                                        [this](const std::string& snapshot) { restore(snapshot); }, this)) {
    // Undoing back to the role as last saved leaves nothing to save.
    connect(&m_history->stack(), &QUndoStack::cleanChanged, this, [this](bool clean) { setModified(!clean); });
}

void CKVRoleDoc::restore(const std::string& snapshot) {
    CRole read;
    // The bytes are the role's own encoding, so they read back; a failure leaves the role alone.
    if (!RoleFile::decode(snapshot, read).ok()) {
        return;
    }
    const bool renamed = read.name != m_role.name;
    m_role = std::move(read);
    if (renamed && !hasFile()) {
        setTitle(ui::fromCp1252(m_role.name));
    }
    emit restored();
}

bool CKVRoleDoc::open(const QString& path, UserPrompts& prompts) {
    CRole read;
    const ReadOutcome outcome = RoleFile::read(QFile::encodeName(path).toStdString(), read);
    if (!outcome.ok()) {
        prompts.message(outcome.status == ReadStatus::Unreadable ? kFailedToOpen : kUnexpectedFormat);
        return false;
    }
    if (const std::string fault = kvrole::editing::orderFault(read.framework); !fault.empty()) {
        prompts.message("The role " + QFile::encodeName(QFileInfo(path).fileName()).toStdString() +
                        " cannot be edited: " + fault + ".");
        return false;
    }
    m_role = std::move(read);
    m_path = path;
    setTitle(QFileInfo(path).fileName());
    m_history->forget();
    setModified(false);
    updateAllViews();
    return true;
}

bool CKVRoleDoc::saveAs(const QString& path, UserPrompts& prompts) {
    if (!AtomicFile::write(QFile::encodeName(path).toStdString(), RoleFile::encode(m_role))) {
        prompts.message(kFailedToSave);
        return false;
    }
    m_path = path;
    setTitle(QFileInfo(path).fileName());
    m_history->markSaved();
    setModified(false);
    return true;
}

void CKVRoleDoc::setModified(bool modified) {
    if (m_modified != modified) {
        m_modified = modified;
        emit modifiedChanged(modified);
    }
}

void CKVRoleDoc::setRoleName(std::string name) {
    m_role.name = std::move(name);
    if (!hasFile()) {
        setTitle(ui::fromCp1252(m_role.name));
    }
}

void CKVRoleDoc::setTitle(const QString& title) {
    if (m_title != title) {
        m_title = title;
        emit titleChanged(title);
    }
}
