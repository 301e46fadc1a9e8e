// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "pavex/WebPageDialog.h"
#include "tests/support/ModalScript.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace {

std::string fileText(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
}

} // namespace

TEST_F(MainWindowTest, CreateWebQuestionnaireWritesThePersonsPageFromTheJournalsRole) {
    openSample();
    m_frame->document().password = "Tulip42";
    m_frame->document().roleName = "Journal's own role";
    const std::string page = m_temp.file("Ask.html");
    m_prompts.queueFileName(QString::fromStdString(page));
    whenModal<WebPageDialog>([this](WebPageDialog* dialog) {
        EXPECT_TRUE(dialog->gatewayEdit()->text().isEmpty());
        dialog->accept(); // no address yet: told, and the dialog stays
        EXPECT_EQ(m_prompts.texts(), QStringList{WebPageDialog::kAddressNeeded});
        EXPECT_TRUE(dialog->isVisible());
        dialog->emailEdit()->setText(" pat@example.org ");
        dialog->subjectEdit()->setText("Feedback for Pat");
        dialog->accept();
    });
    ASSERT_TRUE(m_frame->createWebQuestionnaire()) << m_prompts.texts().join("|").toStdString();

    const std::string html = fileText(page);
    EXPECT_NE(html.find("value=\"pat@example.org\""), std::string::npos);
    EXPECT_NE(html.find("form-action &#39;none&#39;"), std::string::npos);
    EXPECT_NE(html.find("action=\"\""), std::string::npos);
    EXPECT_NE(html.find("Journal&#39;s own role"), std::string::npos);
    EXPECT_NE(html.find(m_journal.framework.behaviours.front().statement), std::string::npos);
    EXPECT_EQ(html.find("Tulip42"), std::string::npos);
    EXPECT_EQ(m_frame->statusBar()->currentMessage(),
              "Saved the web questionnaire to Ask.html: send it to the people you ask, or put it on any web space");
    EXPECT_FALSE(m_frame->document().modified);

    // What was typed is offered again next time.
    m_prompts.queueFileName(std::nullopt);
    whenModal<WebPageDialog>([](WebPageDialog* dialog) {
        EXPECT_EQ(dialog->emailEdit()->text(), "pat@example.org");
        EXPECT_EQ(dialog->subjectEdit()->text(), "Feedback for Pat");
        dialog->accept();
    });
    EXPECT_FALSE(m_frame->createWebQuestionnaire());
}
