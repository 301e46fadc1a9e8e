// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TextFieldFocus.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

// The test main installs the watcher, as each program's main does.

TEST(TextFieldFocus, ADialogOpensWithTheFocusInItsFirstVisibleEditableTextField) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* button = new QPushButton(QStringLiteral("Pick"), &dialog);
    auto* count = new QSpinBox(&dialog);
    auto* readOnly = new QLineEdit(&dialog);
    readOnly->setReadOnly(true);
    auto* disabled = new QLineEdit(&dialog);
    disabled->setEnabled(false);
    auto* tabs = new QTabWidget(&dialog);
    auto* hiddenPage = new QWidget;
    auto* onHiddenPage = new QLineEdit(hiddenPage);
    auto* shownPage = new QWidget;
    auto* name = new QLineEdit(shownPage);
    tabs->addTab(shownPage, QStringLiteral("Shown"));
    tabs->addTab(hiddenPage, QStringLiteral("Hidden"));
    auto* notes = new QPlainTextEdit(&dialog);
    for (QWidget* widget :
         {static_cast<QWidget*>(button), static_cast<QWidget*>(count), static_cast<QWidget*>(readOnly),
          static_cast<QWidget*>(disabled), static_cast<QWidget*>(tabs), static_cast<QWidget*>(notes)}) {
        layout->addWidget(widget);
    }
    EXPECT_EQ(ui::TextFieldFocus::firstTextField(&dialog), name);
    Q_UNUSED(onHiddenPage);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.focusWidget(), name);
}

TEST(TextFieldFocus, ATextFieldTheDialogChoseKeepsTheFocusAndADialogWithoutTextHasNone) {
    QDialog chosen;
    auto* layout = new QVBoxLayout(&chosen);
    auto* first = new QLineEdit(&chosen);
    auto* second = new QLineEdit(&chosen);
    layout->addWidget(first);
    layout->addWidget(second);
    second->setFocus();
    chosen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chosen));
    EXPECT_EQ(chosen.focusWidget(), second);

    QDialog noText;
    auto* box = new QCheckBox(QStringLiteral("Tick"), &noText);
    (new QVBoxLayout(&noText))->addWidget(box);
    EXPECT_EQ(ui::TextFieldFocus::firstTextField(&noText), nullptr);
}
