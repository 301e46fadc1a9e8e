// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MailAttachment.h"

#include "model/AtomicFile.h"
#include "ui/AfxFolders.h"
#include "ui/MailHandoff.h"

#include <QFile>

namespace ui {

std::optional<QString> MailAttachment::write(const QString& name, const std::string& bytes, std::string* error) {
    const std::optional<QString> path = m_folders.pathFor(name);
    if (!path) {
        if (error) {
            error->clear();
        }
        return std::nullopt;
    }
    if (!AtomicFile::write(QFile::encodeName(*path).toStdString(), bytes, error)) {
        return std::nullopt;
    }
    return path;
}

MailAttachment::Result MailAttachment::send(const QString& name, const std::string& bytes, std::string* error) {
    if (!m_handoff.available()) {
        return Result::MailUnavailable;
    }
    const std::optional<QString> path = write(name, bytes, error);
    if (!path) {
        return Result::NotWritten;
    }
    switch (m_handoff.composeWithAttachment(*path)) {
    case MailResult::Sent:
        return Result::Sent;
    case MailResult::UserAbort:
        return Result::UserAbort;
    case MailResult::Failure:
        break;
    }
    return Result::ComposeFailed;
}

} // namespace ui
