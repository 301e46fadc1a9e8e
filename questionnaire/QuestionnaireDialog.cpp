// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuestionnaireDialog.h"

#include "CommentsDialog.h"
#include "DialogText.h"
#include "model/UserPrompts.h"
#include "ui/Announcement.h"
#include "ui/FocusFramedButton.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kJournalFinalText = "Press the OK button to finish";
const char* const kReplyFinalText =
    "All the questions have now been answered. Press the OK button to finish.  The responses you have given will be "
    "saved in the Reflectory Request file.  Please send it back to the person who asked you for feedback.";

std::optional<std::string> showCommentsDialog(const std::string& text, UserPrompts& prompts, QWidget* parent) {
    CommentsDialog dialog(text, prompts, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.text();
}

} // namespace

QuestionnaireDialog::QuestionnaireDialog(DialogFlavour flavour, const CPavexFramework& framework,
                                         CPavexFeedback& record, UserPrompts& prompts,
                                         const DialogDecoration& decoration, QWidget* parent)
    : QDialog(parent), m_flavour(flavour), m_progress(framework, record), m_prompts(prompts),
      m_commentsEditor(
          [&prompts](const std::string& text, QWidget* owner) { return showCommentsDialog(text, prompts, owner); }) {
    setWindowTitle(flavour == DialogFlavour::Reply ? QStringLiteral("Reflectory Request")
                                                   : QStringLiteral("Questionnaire"));
    if (!decoration.windowIcon.isNull()) {
        setWindowIcon(decoration.windowIcon);
    }
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* instruction = new QLabel(QStringLiteral("Click the button that best matches your view of how well the "
                                                  "person being assessed carries out the behaviour described below."),
                                   this);
    instruction->setWordWrap(true);
    top->addWidget(instruction, 1);
    if (!decoration.cornerPicture.isNull()) {
        auto* picture = new QLabel(this);
        picture->setPixmap(decoration.cornerPicture);
        top->addWidget(picture, 0, Qt::AlignTop | Qt::AlignRight);
    }
    layout->addLayout(top);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* frameLayout = new QHBoxLayout(frame);
    m_behaviour = new QPlainTextEdit(frame);
    m_behaviour->setReadOnly(true);
    m_behaviour->setFocusPolicy(Qt::NoFocus);
    m_behaviour->setAccessibleName(QStringLiteral("Behaviour"));
    m_behaviour->setMinimumSize(320, 200);
    QFont larger = m_behaviour->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.2);
    m_behaviour->setFont(larger);
    frameLayout->addWidget(m_behaviour, 1);
    auto* buttonColumn = new QGridLayout;
    for (int b = 0; b < QuestionnaireProgress::kButtons; ++b) {
        auto* number = new QLabel(QString::number(b + 1), frame);
        auto* button = new ui::FocusFramedButton(frame);
        button->setAutoDefault(false);
        button->setCheckable(true);
        button->setMinimumWidth(200);
        button->setMinimumHeight(32); // a large target: answering is most of the work
        button->setToolTip(QStringLiteral("Key %1").arg(b + 1));
        buttonColumn->addWidget(number, b, 0);
        buttonColumn->addWidget(button, b, 1);
        m_responses[static_cast<std::size_t>(b)] = button;
        // A click answers; whether it leaves the button checked is for refresh() to say.
        connect(button, &QPushButton::clicked, this, [this, b] { answer(b); });
        // Hiding a button must not let the ones below move up, so the numbers stay beside their buttons.
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
        QSizePolicy numberPolicy = number->sizePolicy();
        numberPolicy.setRetainSizeWhenHidden(true);
        number->setSizePolicy(numberPolicy);
        number->setObjectName(QStringLiteral("responseNumber%1").arg(b + 1));
    }
    buttonColumn->setRowStretch(QuestionnaireProgress::kButtons, 1);
    frameLayout->addLayout(buttonColumn);
    layout->addWidget(frame, 1);

    auto* progressRow = new QHBoxLayout;
    // Shown as a box, read as the plain text it is.
    m_progressBox = new QLabel(this);
    m_progressBox->setFrameShape(QFrame::Panel);
    m_progressBox->setFrameShadow(QFrame::Sunken);
    m_progressBox->setMinimumWidth(120);
    m_progressBox->setMaximumWidth(160);
    progressRow->addWidget(m_progressBox);
    progressRow->addStretch(1);
    layout->addLayout(progressRow);

    auto* bottom = new QHBoxLayout;
    m_previous = new QPushButton(QStringLiteral("<< &Previous"), this);
    m_comments = new QPushButton(QStringLiteral("Make &Comments..."), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    for (QPushButton* button : {m_previous, m_comments, m_cancel}) {
        button->setAutoDefault(false);
    }
    m_ok->setDefault(true);
    bottom->addWidget(m_previous);
    bottom->addWidget(m_comments);
    bottom->addStretch(1);
    bottom->addWidget(m_cancel);
    bottom->addWidget(m_ok);
    layout->addLayout(bottom);

    connect(m_previous, &QPushButton::clicked, this, &QuestionnaireDialog::goBack);
    connect(m_comments, &QPushButton::clicked, this, &QuestionnaireDialog::makeComments);
    connect(m_cancel, &QPushButton::clicked, this, &QuestionnaireDialog::reject);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (m_progress.onFinalPage()) {
            accept();
        }
    });
    refresh();
}

QString QuestionnaireDialog::progressText() const {
    return m_progressBox->text();
}

QString QuestionnaireDialog::behaviourText() const {
    return m_behaviour->toPlainText();
}

void QuestionnaireDialog::answer(int button) {
    if (m_progress.answer(button)) {
        refresh();
    }
}

void QuestionnaireDialog::goBack() {
    if (m_progress.previous()) {
        refresh();
    }
}

void QuestionnaireDialog::makeComments() {
    if (const std::optional<std::string> edited = m_commentsEditor(m_progress.commentsText(), this)) {
        m_progress.setDetails(*edited);
    }
}

void QuestionnaireDialog::refresh() {
    const QuestionnaireProgress::Page page = m_progress.page();
    m_progressBox->setText(QString::fromStdString(page.progress));
    m_progressBox->setAccessibleName(QStringLiteral("Progress: ") + m_progressBox->text());
    if (page.finalPage) {
        m_behaviour->setPlainText(
            QString::fromLatin1(m_flavour == DialogFlavour::Reply ? kReplyFinalText : kJournalFinalText));
    } else {
        m_behaviour->setPlainText(toDisplay(page.behaviourText));
    }
    // The buttons are what has focus: each tells the question it answers.
    const QString question =
        page.finalPage
            ? m_behaviour->toPlainText()
            : QStringLiteral("Question %1: %2").arg(QString::fromStdString(page.progress), m_behaviour->toPlainText());
    for (int b = 0; b < QuestionnaireProgress::kButtons; ++b) {
        QPushButton* button = m_responses[static_cast<std::size_t>(b)];
        const bool shown = b < page.visibleButtons;
        button->setText(shown ? escapedMnemonics(toDisplay(page.buttonLabels[static_cast<std::size_t>(b)]))
                              : QString());
        button->setEnabled(shown);
        button->setVisible(shown);
        // The answer given before Previous shows pressed in, is read out as checked and described,
        // and takes Return: one key keeps it.
        const bool earlier = b == page.earlierButton;
        button->setChecked(earlier);
        button->setAutoDefault(earlier);
        QFont font = button->font();
        font.setBold(earlier);
        button->setFont(font);
        // Every shown button tells the question it answers; the earlier answer says so after it.
        QString description = shown ? question : QString();
        if (earlier) {
            description += QStringLiteral("; ") + QString::fromLatin1(kEarlierAnswer);
        }
        button->setAccessibleDescription(description);
        button->setToolTip(earlier ? QStringLiteral("Key %1 (%2)").arg(b + 1).arg(QString::fromLatin1(kEarlierAnswer))
                                   : QStringLiteral("Key %1").arg(b + 1));
        if (QWidget* number = findChild<QWidget*>(QStringLiteral("responseNumber%1").arg(b + 1))) {
            number->setVisible(shown);
        }
    }
    m_previous->setEnabled(page.previousEnabled);
    m_ok->setEnabled(page.okEnabled);
    QWidget* focused = nullptr;
    if (page.finalPage) {
        focused = m_ok;
    } else if (page.earlierButton >= 0) {
        focused = m_responses[static_cast<std::size_t>(page.earlierButton)];
    } else if (page.visibleButtons > 0) {
        focused = m_responses[0];
    }
    if (focused != nullptr) {
        focused->setFocus();
        m_ok->setAccessibleDescription(page.finalPage ? question : QString());
        announceQuestion(focused);
    }
}

void QuestionnaireDialog::announceQuestion(QWidget* focused) {
    QAccessibleEvent described(focused, QAccessible::DescriptionChanged);
    ui::announce(described);
    // Focus that stays on the same button moves no focus event of its own: one is sent so that a
    // reader speaks the button and its new question again.
    if (focused->hasFocus()) {
        QAccessibleEvent focus(focused, QAccessible::Focus);
        ui::announce(focus);
    }
}

void QuestionnaireDialog::reject() {
    if (m_prompts.questionWithButtons(kCancelQuestionnaireText, kCancelQuestionnaireCaption, kDiscardAnswers,
                                      kKeepAnswering)) {
        QDialog::reject();
    }
}

void QuestionnaireDialog::keyPressEvent(QKeyEvent* event) {
    const int digit = event->key() - Qt::Key_1;
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (digit >= 0 && digit < QuestionnaireProgress::kButtons) {
            answer(digit);
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void QuestionnaireDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    reject();
}
