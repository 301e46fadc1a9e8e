// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QTextEdit>
#include <QWidget>

#include <string>

// What a screen reader finds of a window's controls, read through Qt's own accessibility API.
namespace accessiblenames {

// A control a reader stops at: the usual input widgets, and any other widget the Tab key reaches.
inline bool interactive(const QWidget& widget) {
    // Scroll bars are read through the view they scroll, headers through their named sections, a
    // scroll area through the form it holds, and the text box of a spin box or combo box through
    // the box.
    if (qobject_cast<const QScrollBar*>(&widget) != nullptr || qobject_cast<const QHeaderView*>(&widget) != nullptr ||
        qobject_cast<const QScrollArea*>(&widget) != nullptr ||
        qobject_cast<const QAbstractSpinBox*>(widget.parentWidget()) != nullptr ||
        qobject_cast<const QComboBox*>(widget.parentWidget()) != nullptr) {
        return false;
    }
    return qobject_cast<const QAbstractButton*>(&widget) != nullptr ||
           qobject_cast<const QLineEdit*>(&widget) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(&widget) != nullptr ||
           qobject_cast<const QTextEdit*>(&widget) != nullptr ||
           qobject_cast<const QAbstractItemView*>(&widget) != nullptr ||
           qobject_cast<const QComboBox*>(&widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(&widget) != nullptr ||
           qobject_cast<const QAbstractSlider*>(&widget) != nullptr || (widget.focusPolicy() & Qt::TabFocus) != 0;
}

// The showing controls of a window that a reader would find without a name, as "class objectName"
// one after another; empty when every control has its name.
inline std::string unnamedControls(QWidget& window) {
    QStringList unnamed;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || !interactive(*widget)) {
            continue;
        }
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
        if (control == nullptr || control->text(QAccessible::Name).trimmed().isEmpty()) {
            unnamed << QStringLiteral("%1 %2").arg(QString::fromLatin1(widget->metaObject()->className()),
                                                   widget->objectName());
        }
    }
    return unnamed.join(QStringLiteral("; ")).toStdString();
}

} // namespace accessiblenames
