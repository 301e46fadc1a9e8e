// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvrole/EditorContext.h"
#include "kvrole/KVRoleView.h"
#include "kvrole/MainFrame.h"
#include "tests/support/ModalScript.h"
#include "tests/support/RecordingMailHandoff.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A main window with recorded prompts and mail, no real dialogs behind the prompts.
class EditorWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        auto mail = std::make_unique<ui::RecordingMailHandoff>();
        m_mail = mail.get();
        m_context = std::make_unique<EditorContext>(std::move(mail));
        m_context->prompts().setDialogsShown(false);
        m_context->setConfirmDelete(true);
        m_context->prompts().setUnqueuedSaveAnswer(SaveAnswer::No);
        m_frame = std::make_unique<CMainFrame>(*m_context);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    void TearDown() override {
        m_context->prompts().setUnqueuedSaveAnswer(SaveAnswer::No);
        m_frame.reset();
        m_context.reset();
    }

    CKVRoleView* view() const { return m_frame->activeView(); }

    // Types into the label editor that a new item opened, and confirms with Return.
    void typeLabel(const QString& text) {
        auto* editor = qobject_cast<QLineEdit*>(view()->indexWidget(view()->currentIndex()));
        ASSERT_NE(editor, nullptr) << "no label editor is open";
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }

    void key(int which) {
        QTest::keyClick(view(), static_cast<Qt::Key>(which));
        QApplication::processEvents();
    }

    // Every item's value and text agree with the role's lists.
    void expectTreeMatchesRole() const;

    std::unique_ptr<EditorContext> m_context;
    std::unique_ptr<CMainFrame> m_frame;
    ui::RecordingMailHandoff* m_mail = nullptr;
};
