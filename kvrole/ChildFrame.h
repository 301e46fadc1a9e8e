// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMdiSubWindow>

#include <functional>

class CKVRoleView;

// A window inside the main window, showing one document through its tree view.
class CChildFrame : public QMdiSubWindow {
public:
    // Asked before the window closes; false keeps it open.
    using CloseCheck = std::function<bool(CChildFrame*)>;

    CChildFrame(CKVRoleView* view, CloseCheck closeCheck);
    CKVRoleView* view() const { return m_view; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CKVRoleView* m_view;
    CloseCheck m_closeCheck;
};
