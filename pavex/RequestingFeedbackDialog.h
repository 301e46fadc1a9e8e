// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <array>

class QDialogButtonBox;
class QRadioButton;

// "Requesting Feedback": the four ways of getting feedback from others, offered by the guide. No
// way is chosen at first; the caller runs the command of the way chosen when the dialog is accepted.
class RequestingFeedbackDialog : public QDialog {
    Q_OBJECT
public:
    enum class Way { None, QuestionnaireHere, EmailRequest, SavedRequest, WebPage };

    explicit RequestingFeedbackDialog(QWidget* parent = nullptr);

    Way chosenWay() const;
    QRadioButton* wayButton(Way way) const;
    QDialogButtonBox* buttons() const { return m_buttons; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QRadioButton*, 4> m_ways{};
    QDialogButtonBox* m_buttons = nullptr;
};
