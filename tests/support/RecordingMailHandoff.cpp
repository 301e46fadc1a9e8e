// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/RecordingMailHandoff.h"

#include <QFile>
#include <QFileInfo>

namespace ui {

MailResult RecordingMailHandoff::composeWithAttachment(const QString& filePath) {
    Handoff handoff{filePath, QFileInfo(filePath).fileName(), {}, false};
    QFile file(filePath);
    if (file.open(QIODevice::ReadOnly)) {
        handoff.content = file.readAll();
        handoff.fileExisted = true;
    }
    m_handoffs.push_back(std::move(handoff));
    if (m_results.empty()) {
        return MailResult::Sent;
    }
    const MailResult result = m_results.front();
    m_results.pop_front();
    return result;
}

} // namespace ui
