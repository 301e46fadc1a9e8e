// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/MailHandoff.h"

#include <QByteArray>

#include <deque>
#include <vector>

namespace ui {

// Stands in for the composer in tests: records each hand-off with the file's bytes at that moment
// and answers with queued results (Sent when none is queued).
class RecordingMailHandoff : public MailHandoff {
public:
    struct Handoff {
        QString path;
        QString fileName; // the name the recipient would see
        QByteArray content;
        bool fileExisted = false;
    };

    void setAvailable(bool available) { m_available = available; }
    void queueResult(MailResult result) { m_results.push_back(result); }

    bool available() const override { return m_available; }
    MailResult composeWithAttachment(const QString& filePath) override;

    const std::vector<Handoff>& handoffs() const { return m_handoffs; }

private:
    bool m_available = true;
    std::deque<MailResult> m_results;
    std::vector<Handoff> m_handoffs;
};

} // namespace ui
