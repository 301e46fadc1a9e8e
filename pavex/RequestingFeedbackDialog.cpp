// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/RequestingFeedbackDialog.h"

#include "ui/Icons.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kWayPictureSize = 32;

struct WayRow {
    ui::Icon picture;
    const char* text;
};

// In the order of RequestingFeedbackDialog::Way, after None.
const std::array<WayRow, 4> kWayRows = {{
    {ui::Icon::NewQuestionnaire,
     "1)    Ask them to complete a feedback questionnaire now - directly into your reflectory on this computer.  "
     "Leave the room whilst they do it."},
    {ui::Icon::SendRequest,
     "2)    Send them an email containing an automated questionnaire as an attachment.  PAVEX will create this "
     "email for you with the attachment if you have compatible email software."},
    {ui::Icon::CreateRequest, "3)    Save the automated questionnaire on a floppy diskette (or other computer media "
                              "you can give or send to them)."},
    {ui::Icon::WebQuestionnaire,
     "4)    Make a web page they answer in any web browser, on any computer or phone, with nothing to install.  "
     "They mail you the file it saves, and you merge it with Tools Merge Feedback From Mail."},
}};

QLabel* wrappedLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

RequestingFeedbackDialog::RequestingFeedbackDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Requesting Feedback"));
    setWindowIcon(ui::programIcon(ui::Program::Journal));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wrappedLabel("There are four ways to get others to give you feedback.  Choose one by selecting "
                                   "a radio button (click on the little circle by the option) and press 'OK':",
                                   this));

    auto* grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    grid->setHorizontalSpacing(10);
    // Exclusive, yet none checked until the user picks one.
    auto* group = new QButtonGroup(this);
    for (std::size_t i = 0; i < kWayRows.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* button = new QRadioButton(this);
        group->addButton(button);
        m_ways[i] = button;
        auto* picture = new QLabel(this);
        picture->setPixmap(ui::icon(kWayRows[i].picture).pixmap(kWayPictureSize));
        auto* text = wrappedLabel(kWayRows[i].text, this);
        text->setBuddy(button);
        // A click on the picture or the text chooses the way too.
        picture->installEventFilter(this);
        text->installEventFilter(this);
        picture->setProperty("way", row);
        text->setProperty("way", row);
        grid->addWidget(button, row, 0, Qt::AlignTop);
        grid->addWidget(picture, row, 1, Qt::AlignTop);
        grid->addWidget(text, row, 2);
    }
    layout->addLayout(grid);
    layout->addWidget(wrappedLabel("To complete an automated questionnaire the person giving you feedback must "
                                   "double-click on the file in the email package or in Explorer.  The results will "
                                   "be saved back into the same file.",
                                   this));

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // OK with no way chosen would do nothing: it waits for a choice.
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(group, &QButtonGroup::buttonToggled, this,
            [this] { m_buttons->button(QDialogButtonBox::Ok)->setEnabled(chosenWay() != Way::None); });
    layout->addWidget(m_buttons);
    resize(480, sizeHint().height());
}

bool RequestingFeedbackDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const QVariant way = watched->property("way");
        if (way.isValid()) {
            m_ways[static_cast<std::size_t>(way.toInt())]->setChecked(true);
        }
    }
    return QDialog::eventFilter(watched, event);
}

RequestingFeedbackDialog::Way RequestingFeedbackDialog::chosenWay() const {
    for (std::size_t i = 0; i < m_ways.size(); ++i) {
        if (m_ways[i]->isChecked()) {
            return static_cast<Way>(i + 1);
        }
    }
    return Way::None;
}

QRadioButton* RequestingFeedbackDialog::wayButton(Way way) const {
    if (way == Way::None) {
        return nullptr;
    }
    return m_ways[static_cast<std::size_t>(way) - 1];
}
