// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/VisibleFocus.h"
#include "ui/FocusFramedButton.h"

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

// The framed button's focus shows as black dashes inside its edge, whatever the style draws.
TEST(VisibleFocus, AFramedButtonDrawsItsFocusInBlackInsideItsEdge) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* answer = new ui::FocusFramedButton(QStringLiteral("Clear strength"), &dialog);
    auto* other = new QPushButton(QStringLiteral("Cancel"), &dialog);
    answer->setMinimumSize(200, 32);
    layout->addWidget(answer);
    layout->addWidget(other);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const auto blackOnFrame = [answer] {
        const QImage image = answer->grab().toImage();
        const int y = ui::FocusFramedButton::kInset;
        int black = 0;
        for (int x = y; x < image.width() - y; ++x) {
            black += image.pixelColor(x, y) == QColor(Qt::black) ? 1 : 0;
        }
        return black;
    };
    other->setFocus();
    EXPECT_EQ(blackOnFrame(), 0);
    answer->setFocus();
    EXPECT_GT(blackOnFrame(), answer->width() / 4);
}
