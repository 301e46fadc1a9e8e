// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/AutopilotWindow.h"

#include "ui/Icons.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

AutopilotWindow::AutopilotWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Autopilot"));
    setWindowIcon(ui::icon(ui::Icon::Autopilot));
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setPixmap(ui::dialogPicture().pixmap(ui::dialogPictureSize()));
    top->addWidget(picture, 0, Qt::AlignLeft | Qt::AlignTop);
    top->addStretch(1);
    m_hide = new QPushButton(QStringLiteral("&Hide"), this);
    m_hide->setAutoDefault(false);
    top->addWidget(m_hide, 0, Qt::AlignRight | Qt::AlignTop);
    layout->addLayout(top);

    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setTabChangesFocus(true);
    m_text->setAccessibleName(QStringLiteral("Autopilot step"));
    layout->addWidget(m_text, 1);

    auto* bottom = new QHBoxLayout;
    m_previous = new QPushButton(QStringLiteral("<<&Previous"), this);
    m_next = new QPushButton(QStringLiteral("&Next >>"), this);
    m_doIt = new QPushButton(QStringLiteral("&Do It"), this);
    for (QPushButton* button : {m_previous, m_next, m_doIt}) {
        button->setAutoDefault(false);
        bottom->addWidget(button);
    }
    // Return moves on through the steps, the way the guide is mostly read.
    m_next->setDefault(true);
    layout->addLayout(bottom);

    connect(m_hide, &QPushButton::clicked, this, &AutopilotWindow::hideRequested);
    connect(m_previous, &QPushButton::clicked, this, &AutopilotWindow::previousRequested);
    connect(m_next, &QPushButton::clicked, this, &AutopilotWindow::nextRequested);
    connect(m_doIt, &QPushButton::clicked, this, &AutopilotWindow::doItRequested);
    // The longest steps show whole without scrolling, and as little of the page as can be is hidden.
    resize(400, 350);
}

void AutopilotWindow::showStep(const GuideStepView& view) {
    m_step = view.step;
    // The steps' texts are Windows-1252 with Windows line ends; every character in them is Latin-1.
    QString text = QString::fromLatin1(view.text.data(), static_cast<qsizetype>(view.text.size()));
    m_text->setPlainText(text.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_previous->setEnabled(view.previousEnabled);
    m_next->setEnabled(view.nextEnabled);
    m_doIt->setEnabled(view.doItEnabled);
}

void AutopilotWindow::takeFocus() {
    raise();
    activateWindow();
    QPushButton* preferred = m_doIt->isEnabled() ? m_doIt : m_next->isEnabled() ? m_next : m_previous;
    (preferred->isEnabled() ? static_cast<QWidget*>(preferred) : m_text)->setFocus(Qt::OtherFocusReason);
}

void AutopilotWindow::closeEvent(QCloseEvent* event) {
    // Whoever shows the window stores its place before it goes.
    event->ignore();
    emit hideRequested();
}

void AutopilotWindow::reject() {
    // Escape hides the guide as its Hide button does.
    emit hideRequested();
}
