// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/VisibleFocus.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

// The test main installs the watcher, as each program's main does.

// A button the program itself focuses, with no Tab key pressed, shows its focus.
TEST(VisibleFocus, AControlFocusedByTheProgramShowsItsFocus) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* first = new QPushButton(QStringLiteral("Not needed"), &dialog);
    auto* second = new QPushButton(QStringLiteral("Clear strength"), &dialog);
    layout->addWidget(first);
    layout->addWidget(second);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    first->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(first->hasFocus());
    const QImage focused = first->grab().toImage();
    second->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    EXPECT_NE(first->grab().toImage(), focused);
    EXPECT_TRUE(dialog.testAttribute(Qt::WA_KeyboardFocusChange));
}
