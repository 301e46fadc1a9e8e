// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestSupport.h"

#include "kvrole/KVRoleDoc.h"
#include "kvrole/WebQuestionnaireDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

namespace {

const QStringList kRememberedKeys = {"EmailFrom", "EmailMailServer", "EmailCGI", "EmailMessage", "EmailSubject"};

// The editor with its programs' folder in a temporary folder, so that a test decides whether a
// template is found beside the program.
class WebQuestionnaireCommand : public EditorWindowFixture {
protected:
    void SetUp() override {
        EditorWindowFixture::SetUp();
        m_frame.reset();
        m_context = std::make_unique<EditorContext>(std::make_unique<ui::RecordingMailHandoff>(),
                                                    ui::ProgramPlaces(m_folder.path()));
        m_context->prompts().setDialogsShown(false);
        m_context->prompts().setUnqueuedSaveAnswer(SaveAnswer::No);
        m_context->setDocumentOpener([this](const QString& path) {
            m_opened << path;
            return true;
        });
        for (const QString& key : kRememberedKeys) {
            m_context->settings().remove(key);
        }
        m_frame = std::make_unique<CMainFrame>(*m_context);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
        m_frame->newDocument();
        // Only the program's folder may hold a template: the current folder and PATH are searched too.
        m_previousFolder = QDir::currentPath();
        QDir::setCurrent(m_folder.path());
        m_previousPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_folder.filePath("bin")));
    }

    void TearDown() override {
        QDir::setCurrent(m_previousFolder);
        qputenv("PATH", m_previousPath);
        EditorWindowFixture::TearDown();
    }

    void writeTemplate(const QByteArray& text) {
        QFile file(m_folder.filePath("template.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QStringList remembered() const {
        QStringList values;
        for (const QString& key : kRememberedKeys) {
            values << (m_context->settings().contains(key) ? m_context->settings().text(key) : "<none>");
        }
        return values;
    }

    // Runs the command; `answer` fills the dialog and closes it.
    void run(std::function<void(WebQuestionnaireDialog*)> answer) {
        whenModal<WebQuestionnaireDialog>(std::move(answer));
        m_frame->action(CMainFrame::Command::WebQuestionnaire)->trigger();
    }

    QTemporaryDir m_folder;
    QStringList m_opened;
    QString m_previousFolder;
    QByteArray m_previousPath;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST_F(WebQuestionnaireCommand, DialogShowsItsFieldsWithTheNewUsersValuesAndCancelWritesNothing) {
    QString shown;
    run([&](WebQuestionnaireDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Create Web Feedback Questionnaire");
        // A role never saved: the documents folder (the home folder where there is none).
        const QFileInfo proposed(dialog->fileNameEdit()->text());
        EXPECT_EQ(proposed.fileName(), "Role1.html");
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        EXPECT_EQ(proposed.absolutePath(), QFileInfo(documents).isDir() ? documents : QDir::homePath());
        EXPECT_FALSE(dialog->viewAfterCreatingBox()->isChecked());
        EXPECT_EQ(dialog->viewAfterCreatingBox()->text(), "&View after creating");
        EXPECT_EQ(dialog->fromEdit()->text(), "");
        EXPECT_EQ(dialog->subjectEdit()->text(), "Web PAVEX Feedback");
        EXPECT_EQ(dialog->messageEdit()->toPlainText(),
                  "Here is some PAVEX feedback that someone completed for you on the web.  Drag and drop it into "
                  "PAVEX, or use PAVEX Tools->Merge, to add it to your reflectory.");
        EXPECT_EQ(dialog->cgiEdit()->text(), "/cgi-bin/kvmail");
        EXPECT_EQ(dialog->mailServerEdit()->text(), "");
        EXPECT_EQ(dialog->browseButton()->text(), "Browse...");
        QStringList labels;
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->buddy()) {
                labels << label->text();
            }
        }
        EXPECT_EQ(
            labels,
            (QStringList{"&Filename:", "&From:", "&Subject:", "&Message:", "&CGI Script Path:", "&Email Server:"}));
        QStringList groups;
        for (QGroupBox* group : dialog->findChildren<QGroupBox*>()) {
            groups << group->title();
        }
        EXPECT_EQ(groups, (QStringList{"Email that is sent with feedback as an attachment:", "Server details:"}));
        dialog->fromEdit()->setText("typed@example.org");
        dialog->reject();
    });
    EXPECT_EQ(remembered(), (QStringList{"<none>", "<none>", "<none>", "<none>", "<none>"}));
    EXPECT_FALSE(QFile::exists(m_folder.filePath("Role1.html")));
    EXPECT_TRUE(m_context->prompts().shown().empty());
    QAction* command = m_frame->action(CMainFrame::Command::WebQuestionnaire);
    EXPECT_EQ(command->statusTip(), "Generate an HTML file for the Internet for gathering feedback");
    EXPECT_EQ(command->toolTip(), "Create Web Questionnaire");
    EXPECT_TRUE(m_frame->toolBar()->actions().contains(command));
    QMenu* tools = nullptr;
    for (QAction* menu : m_frame->menuBar()->actions()) {
        if (menu->text() == "&Tools") {
            tools = menu->menu();
        }
    }
    ASSERT_NE(tools, nullptr);
    EXPECT_TRUE(tools->actions().contains(command));
    EXPECT_EQ(command->text(), "Create &Web Questionnaire...");
}

TEST_F(WebQuestionnaireCommand, AMailServerWithAPortIsWarnedAboutAsSoonAsItIsTyped) {
    run([&](WebQuestionnaireDialog* dialog) {
        EXPECT_TRUE(dialog->portWarning()->isHidden());
        QTest::keyClicks(dialog->mailServerEdit(), "127.0.0.1:2525");
        EXPECT_FALSE(dialog->portWarning()->isHidden());
        EXPECT_EQ(dialog->portWarning()->text(),
                  "The Email Server names a port: the web server's kvmail.ini must list \"127.0.0.1:2525\" in "
                  "allowed_mailservers, or set port there and leave it out here.");
        dialog->mailServerEdit()->setText("mail.example.org");
        EXPECT_TRUE(dialog->portWarning()->isHidden());
        dialog->mailServerEdit()->setText("[::1]:25");
        EXPECT_FALSE(dialog->portWarning()->isHidden());
        dialog->reject();
    });
}

TEST_F(WebQuestionnaireCommand, ASavedRolesPageGoesBesideItAndTheStatusBarSaysWhere) {
    writeTemplate("<h1>%rolename%</h1>");
    const QString role = m_folder.filePath("roles/Sales.kvr");
    ASSERT_TRUE(QDir().mkpath(m_folder.filePath("roles")));
    ASSERT_TRUE(view()->document().saveAs(role, m_context->prompts()));
    const QString page = m_folder.filePath("roles/Sales.html");
    run([&](WebQuestionnaireDialog* dialog) {
        EXPECT_EQ(dialog->fileNameEdit()->text(), page);
        dialog->accept();
    });
    EXPECT_TRUE(readAll(page).startsWith("<h1>"));
    EXPECT_EQ(m_frame->statusBar()->currentMessage(),
              "Saved the web questionnaire as " + QDir::toNativeSeparators(page));
}

TEST_F(WebQuestionnaireCommand, BrowseOffersHtmlFilesAndReplacesTheNameOnlyWhenChosen) {
    const QString chosen = m_folder.filePath("chosen.html");
    m_context->prompts().queueFileName(chosen);
    m_context->prompts().queueFileName(std::nullopt);
    run([&](WebQuestionnaireDialog* dialog) {
        dialog->fileNameEdit()->setText("typed.html");
        dialog->browseButton()->click();
        EXPECT_EQ(dialog->fileNameEdit()->text(), chosen);
        dialog->browseButton()->click();
        EXPECT_EQ(dialog->fileNameEdit()->text(), chosen);
        dialog->reject();
    });
    const std::vector<FileChoice>& choices = m_context->prompts().fileChoices();
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].title, "Create Web Questionnaire");
    ASSERT_EQ(choices[0].filters.size(), 1u);
    EXPECT_EQ(choices[0].filters[0].label, "Web HTML Files");
    EXPECT_EQ(choices[0].filters[0].patterns, std::vector<std::string>{"*.html"});
    EXPECT_EQ(choices[0].defaultExtension, "html");
    EXPECT_EQ(choices[0].proposedName, "typed.html");
    EXPECT_FALSE(choices[0].confirmOverwrite);
    EXPECT_EQ(choices[1].proposedName, chosen.toStdString());
}

TEST_F(WebQuestionnaireCommand, MissingTemplateIsToldAfterTheSettingsAreRemembered) {
    const QString page = m_folder.filePath("page.html");
    run([&](WebQuestionnaireDialog* dialog) {
        dialog->fileNameEdit()->setText(page);
        dialog->viewAfterCreatingBox()->setChecked(true);
        dialog->fromEdit()->setText("me@example.org");
        dialog->mailServerEdit()->setText("mail.example.org");
        dialog->cgiEdit()->setText("/cgi/kvmail");
        dialog->messageEdit()->setPlainText("Line 1\nLine 2");
        dialog->subjectEdit()->setText("Feedback");
        dialog->accept();
    });
    EXPECT_EQ(remembered(),
              (QStringList{"me@example.org", "mail.example.org", "/cgi/kvmail", "Line 1\nLine 2", "Feedback"}));
    EXPECT_EQ(m_context->prompts().texts(), QStringList{"Template file 'template.txt' not found"});
    EXPECT_FALSE(QFile::exists(page));
    EXPECT_TRUE(m_opened.isEmpty());

    // Remembered for the next time; the file name and the view box are not.
    run([&](WebQuestionnaireDialog* dialog) {
        EXPECT_EQ(QFileInfo(dialog->fileNameEdit()->text()).fileName(), "Role1.html");
        EXPECT_FALSE(dialog->viewAfterCreatingBox()->isChecked());
        EXPECT_EQ(dialog->mailServerEdit()->text(), "mail.example.org");
        EXPECT_EQ(dialog->messageEdit()->toPlainText(), "Line 1\nLine 2");
        dialog->reject();
    });
}

TEST_F(WebQuestionnaireCommand, OkWritesThePageShowsItAndAsksBeforeReplacingAnother) {
    writeTemplate("<h1>%rolename%</h1><p>%message%</p><form action=\"%CGI%\">\r\n<script>%questiondata%</script>");
    view()->document().setRoleName("Tom & \"Jerry\"");
    view()->document().setModified(false);
    const QString page = m_folder.filePath("page.html");
    const auto answer = [&](WebQuestionnaireDialog* dialog) {
        dialog->fileNameEdit()->setText(page);
        dialog->viewAfterCreatingBox()->setChecked(true);
        dialog->messageEdit()->setPlainText("For %rolename%");
        dialog->accept();
    };
    run(answer);
    const QByteArray written = readAll(page);
    EXPECT_TRUE(written.startsWith("<h1>Tom &amp; &quot;Jerry&quot;</h1><p>For Tom &amp; &quot;Jerry&quot;</p>"
                                   "<form action=\"/cgi-bin/kvmail\">\r\n<script>\r\nfunction question_data()"))
        << written.toStdString();
    EXPECT_EQ(m_opened, QStringList{page});
    EXPECT_TRUE(m_context->prompts().shown().empty());
    EXPECT_FALSE(view()->document().isModified());

    // A page already there is replaced only after OK to the question; Cancel keeps it and the settings.
    writeTemplate("new page");
    m_opened.clear();
    run([&](WebQuestionnaireDialog* dialog) {
        dialog->subjectEdit()->setText("Second");
        answer(dialog);
    });
    EXPECT_EQ(m_context->prompts().texts(),
              QStringList{"The file " + page + " already exists.  Do you want to replace it?"});
    EXPECT_TRUE(readAll(page).startsWith("<h1>Tom"));
    EXPECT_TRUE(m_opened.isEmpty());
    EXPECT_EQ(m_context->settings().text("EmailSubject"), "Second");

    m_context->prompts().clearShown();
    m_context->prompts().queueAnswer(true);
    run(answer);
    EXPECT_EQ(readAll(page), "new page");
    EXPECT_EQ(m_opened, QStringList{page});
}
