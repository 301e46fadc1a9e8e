// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ContentTree.h"
#include "model/AtomicFile.h"
#include "model/JournalFile.h"
#include "model/Requests.h"
#include "model/RoleFile.h"
#include "model/RoleLibrary.h"
#include "model/ScriptedPrompts.h"
#include "pavex/DroppedFile.h"
#include "pavex/MainFrame.h"
#include "pavex/PavexShell.h"
#include "pavex/PavexTreeView.h"
#include "pavex/PavexView.h"
#include "pavex/RecentFiles.h"
#include "pavex/WelcomeDialog.h"
#include "tests/support/RecordingMailHandoff.h"
#include "tests/support/Samples.h"
#include "tests/support/TempFolder.h"
#include "ui/QtPrompts.h"
#include "ui/Settings.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

inline std::vector<QString> menuTexts(const QMenu& menu) {
    std::vector<QString> texts;
    for (const QAction* action : menu.actions()) {
        texts.push_back(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

// The journal program's main window on screen with quiet prompts, a recording mail program and
// settings in a folder of its own.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Settings::useFolder(QString::fromStdString(m_temp.file("settings")));
        m_prompts.setDialogsShown(false);
        m_prompts.setUnqueuedSaveAnswer(SaveAnswer::No);
        m_frame = std::make_unique<CMainFrame>(m_prompts, m_handoff);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    std::string writeJournal(const CPavexDoc& doc, const std::string& name = "Alex.kva") {
        const std::string path = m_temp.file(name);
        CPavexDoc copy = doc;
        ScriptedPrompts quiet;
        EXPECT_TRUE(JournalFile::save(path, copy, quiet));
        return path;
    }

    // The sample journal without a password, open in the window.
    void openSample() {
        m_journal = samples::journal("");
        ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(writeJournal(m_journal))));
    }

    void drop(const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls.append(QUrl::fromLocalFile(path));
        }
        data.setUrls(urls);
        QDropEvent event(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        // Straight to the window: the application passes drops on only while a drag is under way.
        static_cast<QObject*>(m_frame.get())->event(&event);
    }

    std::string answeredRequest(const CPavexDoc& journal) {
        const std::string path = m_temp.file("Returned.kvq");
        ScriptedPrompts prompts;
        EXPECT_TRUE(requests::writeFeedbackRequest(journal, path, prompts));
        CPavexDoc request;
        EXPECT_TRUE(requests::openRequestToAnswer(path, request, prompts));
        CPavexFeedback answers = requests::startAnswer("Robin", 2);
        answers.responses = {{0, 1}, {1, 1}, {2, 0}};
        EXPECT_TRUE(requests::completeRequest(request, answers, prompts));
        return path;
    }

    CPavexTreeView& tree() { return *m_frame->treeView(); }
    ContentTree& contents() { return m_frame->contents(); }

    // Draws the view now, as the screen would, so that its page lays out and registers its rows.
    QImage drawView() { return m_frame->contentView()->viewport()->grab().toImage(); }

    TempFolder m_temp{"pavex-window-test"};
    ui::QtPrompts m_prompts{QStringLiteral("Reflectory 360")};
    ui::RecordingMailHandoff m_handoff;
    std::unique_ptr<CMainFrame> m_frame;
    CPavexDoc m_journal;
};
