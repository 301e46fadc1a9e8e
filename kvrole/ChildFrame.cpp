// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/ChildFrame.h"

#include "kvrole/KVRoleView.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(CKVRoleView* view, CloseCheck closeCheck) : m_view(view), m_closeCheck(std::move(closeCheck)) {
    setWidget(view);
    setAttribute(Qt::WA_DeleteOnClose);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_closeCheck && !m_closeCheck(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
