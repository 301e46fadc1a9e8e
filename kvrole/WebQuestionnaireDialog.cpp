// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/WebQuestionnaireDialog.h"

#include "kvrole/EditorContext.h"
#include "kvrole/KVRoleDoc.h"
#include "kvrole/core/WebQuestionnaire.h"
#include "model/UserPrompts.h"
#include "ui/Cp1252Text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace {

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The remembered entries, each with the value a new user starts with.
struct RememberedField {
    const char* key;
    std::string kvrole::WebPageSettings::*setting;
};
// In the order they are written back.
constexpr RememberedField kRemembered[] = {
    {"EmailFrom", &kvrole::WebPageSettings::from},       {"EmailMailServer", &kvrole::WebPageSettings::mailServer},
    {"EmailCGI", &kvrole::WebPageSettings::cgi},         {"EmailMessage", &kvrole::WebPageSettings::message},
    {"EmailSubject", &kvrole::WebPageSettings::subject},
};

} // namespace

WebQuestionnaireDialog::WebQuestionnaireDialog(UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_fileName(new QLineEdit), m_browse(new QPushButton(tr("Browse..."))),
      m_viewAfterCreating(new QCheckBox(tr("&View after creating"))), m_from(new QLineEdit), m_subject(new QLineEdit),
      m_message(new QPlainTextEdit), m_cgi(new QLineEdit), m_mailServer(new QLineEdit), m_portWarning(new QLabel) {
    setWindowTitle(tr("Create Web Feedback Questionnaire"));
    m_message->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_message->setTabChangesFocus(true);
    // An empty address makes a page that needs no server: it saves the answers for the respondent to mail.
    m_cgi->setPlaceholderText(tr("None: the page needs no server"));
    connect(m_browse, &QPushButton::clicked, this, &WebQuestionnaireDialog::browse);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_fileName, 1);
    fileRow->addWidget(m_browse);
    auto* fileForm = new QFormLayout;
    fileForm->addRow(buddyLabel(tr("&Filename:"), m_fileName), fileRow);
    fileForm->addRow(QString(), m_viewAfterCreating);

    auto* mail = new QGroupBox(tr("Email that is sent with feedback as an attachment:"));
    auto* mailForm = new QFormLayout(mail);
    mailForm->addRow(buddyLabel(tr("&From:"), m_from), m_from);
    mailForm->addRow(buddyLabel(tr("&Subject:"), m_subject), m_subject);
    mailForm->addRow(buddyLabel(tr("&Message:"), m_message), m_message);

    auto* server = new QGroupBox(tr("Server details:"));
    auto* serverForm = new QFormLayout(server);
    serverForm->addRow(buddyLabel(tr("&CGI Script Path:"), m_cgi), m_cgi);
    serverForm->addRow(buddyLabel(tr("&Email Server:"), m_mailServer), m_mailServer);
    m_portWarning->setWordWrap(true);
    m_portWarning->setObjectName(QStringLiteral("portWarning"));
    m_portWarning->hide();
    serverForm->addRow(QString(), m_portWarning);
    connect(m_mailServer, &QLineEdit::textChanged, this, &WebQuestionnaireDialog::showPortWarning);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileForm);
    layout->addWidget(mail);
    layout->addWidget(server);
    layout->addWidget(buttons);

    // One label column across both groups, so that the fields line up.
    int labelWidth = 0;
    for (const QFormLayout* form : {fileForm, mailForm, serverForm}) {
        for (int row = 0; row < form->rowCount(); ++row) {
            if (QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole); item && item->widget()) {
                labelWidth = std::max(labelWidth, item->widget()->sizeHint().width());
            }
        }
    }
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label != m_portWarning) {
            label->setMinimumWidth(labelWidth);
        }
    }
    resize(520, 440);
}

void WebQuestionnaireDialog::showPortWarning() {
    const std::string warning = kvrole::mailServerPortWarning(ui::toCp1252(m_mailServer->text()));
    m_portWarning->setText(ui::fromCp1252(warning));
    m_portWarning->setVisible(!warning.empty());
}

QString defaultWebPagePath(const CKVRoleDoc& document) {
    const QString name = QString::fromStdString(kvrole::defaultWebPageName(document.title().toStdString()));
    QString folder = document.hasFile() ? QFileInfo(document.path()).absolutePath()
                                        : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(name);
}

void WebQuestionnaireDialog::browse() {
    FileChoice choice;
    choice.title = "Create Web Questionnaire";
    choice.filters = {{"Web HTML Files", {"*.html"}}};
    choice.defaultExtension = "html";
    choice.proposedName = localPath(m_fileName->text());
    // Replacing is asked about once, when OK is pressed.
    choice.confirmOverwrite = false;
    if (const std::optional<std::string> path = m_prompts.chooseSaveFile(choice)) {
        m_fileName->setText(QFile::decodeName(QByteArray::fromStdString(*path)));
    }
}

std::optional<QString> createWebQuestionnaire(const CKVRoleDoc& document, EditorContext& context, QWidget* parent) {
    ui::Settings& settings = context.settings();
    UserPrompts& prompts = context.prompts();
    const kvrole::WebPageSettings defaults;
    const auto remembered = [&](const RememberedField& field) {
        return settings.text(QString::fromLatin1(field.key), QString::fromStdString(defaults.*field.setting));
    };

    WebQuestionnaireDialog dialog(prompts, parent);
    dialog.fileNameEdit()->setText(defaultWebPagePath(document));
    dialog.fromEdit()->setText(remembered(kRemembered[0]));
    dialog.mailServerEdit()->setText(remembered(kRemembered[1]));
    dialog.cgiEdit()->setText(remembered(kRemembered[2]));
    dialog.messageEdit()->setPlainText(remembered(kRemembered[3]));
    dialog.subjectEdit()->setText(remembered(kRemembered[4]));
    const auto typed = [&dialog] {
        return std::vector<ui::TypedText>{{dialog.fromEdit()->text(), QStringLiteral("From")},
                                          {dialog.subjectEdit()->text(), QStringLiteral("Subject")},
                                          {dialog.messageEdit()->toPlainText(), QStringLiteral("Message")},
                                          {dialog.cgiEdit()->text(), QStringLiteral("CGI Script Path")},
                                          {dialog.mailServerEdit()->text(), QStringLiteral("Email Server")}};
    };
    if (!ui::execUntilTextsFit(dialog, prompts, typed)) {
        return std::nullopt;
    }

    const QString entered[] = {dialog.fromEdit()->text(), dialog.mailServerEdit()->text(), dialog.cgiEdit()->text(),
                               dialog.messageEdit()->toPlainText(), dialog.subjectEdit()->text()};
    kvrole::WebPageSettings page;
    for (std::size_t index = 0; index < std::size(kRemembered); ++index) {
        settings.setText(QString::fromLatin1(kRemembered[index].key), entered[index]);
        page.*kRemembered[index].setting = ui::toCp1252(entered[index]);
    }
    settings.sync();

    const QString fileName = dialog.fileNameEdit()->text();
    if (QFileInfo::exists(fileName) &&
        !prompts.question(
            ui::toCp1252(QStringLiteral("The file %1 already exists.  Do you want to replace it?").arg(fileName)))) {
        return std::nullopt;
    }
    const kvrole::WebPageOutcome outcome = kvrole::writeWebPage(
        document.role(), page,
        kvrole::findWebTemplate(localPath(context.places().programFolder()), std::getenv("PATH")), localPath(fileName));
    if (outcome != kvrole::WebPageOutcome::Written) {
        prompts.message(kvrole::webPageFailureText(outcome));
        // Without a new page there is nothing to show: an old file of that name would mislead.
        return std::nullopt;
    }
    const QString written = QFileInfo(fileName).absoluteFilePath();
    if (dialog.viewAfterCreatingBox()->isChecked() && !context.documentOpener()(written)) {
        prompts.message(ui::toCp1252(QStringLiteral("No program could be started to show %1.").arg(fileName)));
    }
    return written;
}
