#include "kvrole/KVRoleDoc.h"

#include "kvrole/core/RoleEditor.h"
#include "model/AtomicFile.h"
#include "model/RoleFile.h"
#include "model/UserPrompts.h"
#include "ui/Cp1252Text.h"

#include <QFile>
#include <QFileInfo>

CKVRoleDoc::CKVRoleDoc(int untitledNumber, QObject* parent)
    : QObject(parent), m_role(CRole::makeDefault()), m_title(QStringLiteral("Role%1").arg(untitledNumber)) {}

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
