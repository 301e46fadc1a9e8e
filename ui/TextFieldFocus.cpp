// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TextFieldFocus.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace ui {

namespace {

bool isEditableText(const QWidget* widget) {
    if (const auto* line = qobject_cast<const QLineEdit*>(widget)) {
        // A spin box's own line edit is a number, not text.
        return !line->isReadOnly() && qobject_cast<const QAbstractSpinBox*>(line->parentWidget()) == nullptr;
    }
    if (const auto* text = qobject_cast<const QTextEdit*>(widget)) {
        return !text->isReadOnly();
    }
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) {
        return !plain->isReadOnly();
    }
    return false;
}

} // namespace

void TextFieldFocus::install() {
    static TextFieldFocus* const watcher = [] {
        auto* created = new TextFieldFocus(qApp);
        qApp->installEventFilter(created);
        return created;
    }();
    Q_UNUSED(watcher);
}

QWidget* TextFieldFocus::firstTextField(QWidget* dialog) {
    for (QWidget* widget = dialog->nextInFocusChain(); widget != nullptr && widget != dialog;
         widget = widget->nextInFocusChain()) {
        if (widget->window() == dialog && isEditableText(widget) && widget->isEnabled() &&
            widget->isVisibleTo(dialog) && widget->focusPolicy() != Qt::NoFocus) {
            return widget;
        }
    }
    return nullptr;
}

bool TextFieldFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog != nullptr && dialog->isWindow() && qobject_cast<QFileDialog*>(dialog) == nullptr) {
            QWidget* current = dialog->focusWidget();
            if (current == nullptr || !isEditableText(current)) {
                if (QWidget* field = firstTextField(dialog)) {
                    field->setFocus(Qt::OtherFocusReason);
                }
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
