// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/PageFactory.h"
#include "tests/pavex/MainWindowFixture.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ShownTitle.h"
#include "ui/WindowPlacement.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>

namespace {

TEST_F(MainWindowTest, StartsWithAnUntitledJournalUsingMostOfTheScreenBesideATreeWithAShareOfIt) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(m_frame->geometry(), ui::WindowPlacement::firstGeometry(screen));
    EXPECT_EQ(m_frame->splitter()->sizes().front(), CMainFrame::firstTreeWidth(m_frame->width()));
    EXPECT_EQ(CMainFrame::firstTreeWidth(1024), 409);
    EXPECT_EQ(CMainFrame::firstTreeWidth(500), CMainFrame::kTreeWidth);
    EXPECT_EQ(shownTitle(*m_frame), "Untitled - Reflectory 360");
    EXPECT_EQ(tree().topLevelItemCount(), 3);
    // Without a role the commands that need one are off.
    EXPECT_FALSE(m_frame->action(CMainFrame::Command::CreateRequest)->isEnabled());
    EXPECT_FALSE(m_frame->action(CMainFrame::Command::MergeRequest)->isEnabled());
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::Autopilot)->isEnabled()); // the guide works without a role
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::New)->isEnabled());
    EXPECT_EQ(m_frame->action(CMainFrame::Command::New)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
}

TEST_F(MainWindowTest, OpeningTheShippedSampleJournalShowsTheFeedbackListAndBuildsTheWholeTree) {
    ASSERT_TRUE(m_frame->openJournalFile(QStringLiteral(PAVEX_SAMPLE_JOURNAL)));
    EXPECT_EQ(m_frame->statusTitle(), "Completed feedback questionnaires");
    EXPECT_EQ(shownTitle(*m_frame), "sample-journal.kva - Reflectory 360");
    int nodes = 0;
    contents().forEachNode([&](ContentNode& node, int) {
        ++nodes;
        QTreeWidgetItem* item = tree().itemOf(node);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(0).toStdString(), node.label()); // the sample's labels are plain ASCII
        EXPECT_EQ(item->childCount(), static_cast<int>(node.childCount()));
        EXPECT_FALSE(item->icon(0).isNull());
    });
    int items = 0;
    for (QTreeWidgetItemIterator it(&tree()); *it != nullptr; ++it) {
        ++items;
    }
    EXPECT_EQ(items, nodes);
    EXPECT_EQ(tree().selectedNode(), contents().landmarks().feedback);
    EXPECT_EQ(tree().itemOf(*contents().landmarks().feedback)->childCount(),
              static_cast<int>(m_frame->document().questionnaires.size()));
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::CreateRequest)->isEnabled());
    EXPECT_EQ(m_frame->recentFiles().paths().front(), QStringLiteral(PAVEX_SAMPLE_JOURNAL));
}

TEST_F(MainWindowTest, SelectingEachKindOfNodeShowsItsPageAndTitle) {
    openSample();
    const auto& marks = contents().landmarks();
    const std::vector<ContentNode*> nodes = {marks.feedback,
                                             &marks.feedback->child(0),
                                             marks.results,
                                             marks.firstCompetency,
                                             marks.firstBehaviour,
                                             marks.differences,
                                             &marks.differences->child(0),
                                             marks.extraRequirements,
                                             marks.journal,
                                             marks.developmentAreas,
                                             marks.withActions,
                                             marks.actions,
                                             &marks.actions->child(0)};
    for (ContentNode* node : nodes) {
        ASSERT_NE(node, nullptr);
        tree().selectNode(*node);
        CResultPage* page = tree().pageOf(*node);
        EXPECT_EQ(m_frame->contentView()->page(), page) << node->label();
        EXPECT_FALSE(m_frame->statusTitle().isEmpty()) << node->label();
        EXPECT_EQ(m_frame->statusTitle(), page->statusTitle()) << node->label();
    }
    tree().selectNode(marks.feedback->child(0));
    EXPECT_EQ(m_frame->statusTitle(), "Completed assessment questionnaire");
    tree().selectNode(*marks.journal);
    EXPECT_EQ(m_frame->statusTitle(), "Development journal");
}

TEST_F(MainWindowTest, RightClickShowsTheNodesPageFirstThenTheMenuOfItsKind) {
    openSample();
    ContentNode& questionnaire = contents().landmarks().feedback->child(1);
    const QRect place = tree().visualItemRect(tree().itemOf(questionnaire));
    QTest::mouseClick(tree().viewport(), Qt::RightButton, {}, place.center());
    EXPECT_EQ(tree().selectedNode(), &questionnaire);
    EXPECT_EQ(m_frame->contentView()->page(), tree().pageOf(questionnaire));
    ASSERT_NE(tree().popupMenu(), nullptr);
    EXPECT_EQ(menuTexts(*tree().popupMenu()),
              (std::vector<QString>{"&New...", "&Edit...", "&Delete", "&Use In Results", "-", "New &Action..."}));
    EXPECT_EQ(tree().popupMenu()->actions()[3]->isChecked(), m_journal.questionnaires[1].useInResults != 0);
    tree().popupMenu()->close();

    ContentNode& behaviour = *contents().landmarks().firstBehaviour;
    tree().scrollToItem(tree().itemOf(behaviour));
    QTest::mouseClick(tree().viewport(), Qt::RightButton, {}, tree().visualItemRect(tree().itemOf(behaviour)).center());
    EXPECT_EQ(tree().selectedNode(), &behaviour);
    ASSERT_NE(tree().popupMenu(), nullptr);
    EXPECT_EQ(menuTexts(*tree().popupMenu()),
              (std::vector<QString>{"&New Action...", "&Edit Journal...", "&Marked For Development", "-",
                                    "New &Questionnaire..."}));
    QMenu* last = tree().popupMenu();
    last->close();
    QApplication::processEvents();

    // Away from every node nothing happens.
    tree().collapseAll();
    QTest::mouseClick(tree().viewport(), Qt::RightButton, {}, QPoint(5, tree().viewport()->height() - 3));
    EXPECT_EQ(tree().selectedNode(), &behaviour);
}

TEST_F(MainWindowTest, ClickingABehaviourRowsCheckBoxMarksItAndChangesTheDevelopmentAreas) {
    openSample();
    const auto& marks = contents().landmarks();
    tree().selectNode(*marks.developmentAreas);
    const QImage areasBefore = drawView();

    tree().selectNode(*marks.behaviours);
    drawView();
    const auto& rows = m_frame->contentView()->page()->hotAreas();
    ASSERT_FALSE(rows.empty());
    const HotArea row = rows.front();
    const int before = m_frame->document().framework.behaviours[static_cast<std::size_t>(row.behaviour)].marked;
    EXPECT_FALSE(m_frame->document().modified);
    QTest::mouseClick(m_frame->contentView()->viewport(), Qt::LeftButton, {}, row.checkBox.center());
    EXPECT_NE(m_frame->document().framework.behaviours[static_cast<std::size_t>(row.behaviour)].marked, before);
    EXPECT_TRUE(m_frame->document().modified);

    // A click beside the check box marks nothing.
    const std::vector<CBehaviour> afterOne = m_frame->document().framework.behaviours;
    QTest::mouseClick(m_frame->contentView()->viewport(), Qt::LeftButton, {}, row.name.center());
    EXPECT_EQ(m_frame->document().framework.behaviours, afterOne);

    tree().selectNode(*marks.developmentAreas);
    EXPECT_NE(drawView(), areasBefore);
}

TEST_F(MainWindowTest, ADroppedRequestAndWebReplyAreMergedUnderFeedback) {
    openSample();
    const std::size_t before = m_journal.questionnaires.size();
    const std::string request = answeredRequest(m_journal);
    drop({QString::fromStdString(request)});
    ASSERT_EQ(m_frame->document().questionnaires.size(), before + 1);
    EXPECT_TRUE(m_frame->document().modified);
    QTreeWidgetItem* feedback = tree().itemOf(*contents().landmarks().feedback);
    ASSERT_EQ(feedback->childCount(), static_cast<int>(before + 1));
    EXPECT_EQ(feedback->child(static_cast<int>(before))->text(0), "Robin");

    CWebReply reply = samples::webReply("");
    reply.roleName = m_journal.roleName;
    const std::string replyPath = m_temp.file("reply.KVI");
    ASSERT_TRUE(AtomicFile::write(replyPath, reply.encode()));
    drop({QString::fromStdString(replyPath)});
    ASSERT_EQ(feedback->childCount(), static_cast<int>(before + 2)) << m_prompts.texts().join("|").toStdString();
    EXPECT_EQ(feedback->child(static_cast<int>(before + 1))->text(0).toStdString(), reply.assessor);
    EXPECT_EQ(m_frame->statusTitle(), "Completed feedback questionnaires");
}

TEST_F(MainWindowTest, ARequestHoldingSeveralQuestionnairesAddsANodeForEachAndKeepsTheSelection) {
    openSample();
    JournalRecord returned = requests::requestRecord(m_journal, true);
    for (const char* assessor : {"Robin", "Sam"}) {
        CPavexFeedback answers = requests::startAnswer(assessor, 3);
        answers.responses = {{0, 1}, {1, 1}, {2, 0}};
        returned.questionnaires.push_back(answers);
    }
    const std::string request = m_temp.file("Returned.kvq");
    ASSERT_TRUE(AtomicFile::write(request, JournalFile::encode(returned)));
    ContentNode* behaviour = contents().landmarks().firstBehaviour;
    tree().selectNode(*behaviour);
    QTreeWidgetItem* firstQuestionnaire = tree().itemOf(contents().landmarks().feedback->child(0));

    drop({QString::fromStdString(request)});
    ASSERT_EQ(m_frame->document().questionnaires.size(), m_journal.questionnaires.size() + 2);
    EXPECT_EQ(tree().selectedNode(), behaviour);
    EXPECT_EQ(m_frame->contentView()->page(), tree().pageOf(*behaviour));
    QTreeWidgetItem* feedback = tree().itemOf(*contents().landmarks().feedback);
    EXPECT_EQ(feedback->child(0), firstQuestionnaire);
    ASSERT_EQ(feedback->childCount(), static_cast<int>(m_journal.questionnaires.size() + 2));
    EXPECT_EQ(feedback->child(feedback->childCount() - 2)->text(0), "Robin");
    EXPECT_EQ(feedback->child(feedback->childCount() - 1)->text(0), "Sam");
}

TEST_F(MainWindowTest, FeedbackDroppedOnAJournalWithoutARoleIsRefused) {
    const CPavexDoc withRole = samples::journal("");
    const std::string request = answeredRequest(withRole);
    CWebReply reply = samples::webReply("");
    reply.roleName.clear();
    reply.responses.clear();
    const std::string replyPath = m_temp.file("reply.kvi");
    ASSERT_TRUE(AtomicFile::write(replyPath, reply.encode()));

    drop({QString::fromStdString(request)});
    drop({QString::fromStdString(replyPath)});
    EXPECT_EQ(m_prompts.texts(), (QStringList{"Please choose your role first, using Tools Choose Your Role.",
                                              "Please choose your role first, using Tools Choose Your Role."}));
    EXPECT_TRUE(m_frame->document().questionnaires.empty());
    EXPECT_FALSE(m_frame->document().modified);
    EXPECT_EQ(tree().itemOf(*contents().landmarks().feedback)->childCount(), 0);
    EXPECT_TRUE(m_frame->action(CMainFrame::Command::ChooseRole)->isEnabled());
}

TEST_F(MainWindowTest, ARequestOnTheCommandLineIsMergedIntoTheJournalUsedLastOrNeedsOneOpened) {
    m_journal = samples::journal("");
    const std::string request = answeredRequest(m_journal);
    {
        PavexShell shell;
        shell.prompts().setDialogsShown(false);
        EXPECT_TRUE(shell.start({QString::fromStdString(request)})); // no journal yet: the open dialog is declined
        EXPECT_EQ(shell.prompts().texts(), QStringList{PavexShell::kNoJournalToMergeInto});
        EXPECT_TRUE(shell.mainFrame().document().questionnaires.empty());
        shell.mainFrame().hide();
    }

    const std::string journal = writeJournal(m_journal, "Last.kva");
    journalRecentFiles().add(QString::fromStdString(journal));
    PavexShell shell;
    shell.prompts().setDialogsShown(false);
    EXPECT_TRUE(shell.start({QString::fromStdString(request)}));
    EXPECT_EQ(shell.mainFrame().document().title(), "Last.kva");
    ASSERT_EQ(shell.mainFrame().document().questionnaires.size(), m_journal.questionnaires.size() + 1)
        << shell.prompts().texts().join("|").toStdString();
    EXPECT_EQ(shell.mainFrame().document().questionnaires.back().assessor, "Robin");
    EXPECT_TRUE(shell.mainFrame().document().modified);
    shell.mainFrame().hide();
}

TEST_F(MainWindowTest, AMergeFromTheCommandLineTellsItsNewsInPlaceOfThePageTitleNotOverIt) {
    m_journal = samples::journal("");
    const std::string request = answeredRequest(m_journal);
    journalRecentFiles().add(QString::fromStdString(writeJournal(m_journal, "Last.kva")));
    PavexShell shell;
    shell.prompts().setDialogsShown(false);
    ASSERT_TRUE(shell.start({QString::fromStdString(request)}));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shell.mainFrame()));
    QStatusBar* status = shell.mainFrame().statusBar();
    EXPECT_TRUE(status->currentMessage().startsWith("Merged the feedback of Robin"))
        << status->currentMessage().toStdString();
    const auto shownLabels = [status] {
        QStringList shown;
        for (const QLabel* label : status->findChildren<QLabel*>()) {
            if (label->isVisible() && !label->text().isEmpty()) {
                shown << label->text();
            }
        }
        return shown;
    };
    EXPECT_TRUE(shownLabels().isEmpty()) << "drawn under the news: " << shownLabels().join('|').toStdString();

    // Minimised and back, the same; once the news goes, the page title is back.
    shell.mainFrame().showMinimized();
    shell.mainFrame().showNormal();
    EXPECT_TRUE(shownLabels().isEmpty()) << shownLabels().join('|').toStdString();
    status->clearMessage();
    EXPECT_EQ(shownLabels(), QStringList{shell.mainFrame().statusTitle()});
    shell.mainFrame().hide();
}

TEST_F(MainWindowTest, AnUpperCaseRoleFileIsAddedAndOnlyTheFirstDroppedFileIsHandled) {
    const std::string roles = m_temp.file("roles") + "/";
    std::filesystem::create_directories(roles);
    ui::Settings(ui::SettingsScope::journalProgram()).setText("RoleDirectory", QString::fromStdString(roles));
    const std::string role = m_temp.file("Coach.KVR");
    ASSERT_TRUE(AtomicFile::write(role, RoleFile::encode(samples::role())));
    drop({QString::fromStdString(role), QString::fromStdString(m_temp.file("other.txt"))});
    EXPECT_TRUE(std::filesystem::exists(roles + "Coach.KVR"));
    EXPECT_EQ(m_prompts.texts(), QStringList{RoleLibrary::kRoleAdded});
}

TEST_F(MainWindowTest, AFileOfAnyOtherKindIsRefused) {
    openSample();
    const std::string notes = m_temp.file("notes.kvx");
    ASSERT_TRUE(AtomicFile::write(notes, "text"));
    drop({QString::fromStdString(notes)});
    EXPECT_EQ(m_prompts.texts(), QStringList{kNotAReflectoryFile});
    EXPECT_EQ(static_cast<const JournalRecord&>(m_frame->document()), static_cast<const JournalRecord&>(m_journal));
    EXPECT_FALSE(m_frame->document().modified);
}

TEST_F(MainWindowTest, DroppedNamesAreSortedByTheirEndingInAnyCase) {
    EXPECT_EQ(droppedFileKind("a.kvq"), DroppedFileKind::RequestFile);
    EXPECT_EQ(droppedFileKind("/x/B.KvI"), DroppedFileKind::WebReply);
    EXPECT_EQ(droppedFileKind("role.KVR"), DroppedFileKind::RoleProfile);
    EXPECT_EQ(droppedFileKind("journal.kva"), DroppedFileKind::Journal);
    EXPECT_EQ(droppedFileKind("journal.kva.bak"), DroppedFileKind::Unknown);
    EXPECT_EQ(droppedFileKind("kva"), DroppedFileKind::Unknown);
    EXPECT_EQ(droppedFileKind(""), DroppedFileKind::Unknown);
}

TEST_F(MainWindowTest, OpeningARequestFileAsAJournalIsRefusedAndKeepsTheOpenJournal) {
    openSample();
    const std::string request = m_temp.file("Ask.kvq");
    ScriptedPrompts quiet;
    ASSERT_TRUE(requests::writeFeedbackRequest(m_frame->document(), request, quiet));
    EXPECT_FALSE(m_frame->openJournalFile(QString::fromStdString(request)));
    EXPECT_EQ(m_prompts.texts(), QStringList{journaltext::kRequestFileRefused});
    EXPECT_EQ(m_frame->document().questionnaires.size(), m_journal.questionnaires.size());
    EXPECT_EQ(tree().topLevelItemCount(), 3);
}

TEST_F(MainWindowTest, ARecentFileThatIsGoneOrDamagedLeavesTheListAfterItsMessage) {
    const auto recentEntry = [this](const std::string& path) -> QAction* {
        const QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
        for (QAction* entry : m_frame->menuBar()->actions().front()->menu()->actions()) {
            if (entry->toolTip() == absolute) {
                return entry;
            }
        }
        return nullptr;
    };
    const std::string gone = writeJournal(samples::journal(""), "Gone.kva");
    const std::string damaged = writeJournal(samples::journal(""), "Damaged.kva");
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(gone)));
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(damaged)));
    std::filesystem::remove(gone);
    ASSERT_TRUE(AtomicFile::write(damaged, "\x01"));

    ASSERT_NE(recentEntry(gone), nullptr);
    recentEntry(gone)->trigger();
    ASSERT_NE(recentEntry(damaged), nullptr);
    recentEntry(damaged)->trigger();
    EXPECT_EQ(m_prompts.texts(), (QStringList{"Sorry, cannot open Gone.kva: No such file or directory.",
                                              "Sorry, Damaged.kva is damaged and cannot be read: the file ends "
                                              "unexpectedly."}));
    EXPECT_EQ(recentEntry(gone), nullptr);
    EXPECT_EQ(recentEntry(damaged), nullptr);
    EXPECT_TRUE(m_frame->recentFiles().paths().isEmpty());
}

TEST_F(MainWindowTest, ARecentFileDeclinedByPasswordOrRefusedAsARequestStaysListed) {
    const std::string locked = writeJournal(samples::journal("secret"), "Locked.kva");
    const std::string becomesRequest = writeJournal(samples::journal(""), "Asked.kva");
    m_prompts.queuePassword(QStringLiteral("secret"));
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(locked)));
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(becomesRequest)));
    ScriptedPrompts quiet;
    ASSERT_TRUE(requests::writeFeedbackRequest(samples::journal(""), becomesRequest, quiet));
    const QStringList listed = m_frame->recentFiles().paths();
    m_prompts.clearShown();

    EXPECT_FALSE(m_frame->openRecentFile(listed.back())); // the password prompt is cancelled
    m_prompts.queuePassword(QStringLiteral("guess"));
    EXPECT_FALSE(m_frame->openRecentFile(listed.back()));
    EXPECT_FALSE(m_frame->openRecentFile(listed.front()));
    EXPECT_EQ(m_prompts.texts(), (QStringList{"Sorry, that was the wrong password",
                                              QString::fromLatin1(journaltext::kRequestFileRefused)}));
    EXPECT_EQ(m_frame->recentFiles().paths(), listed);
}

TEST_F(MainWindowTest, SavingAndReopeningKeepsEverything) {
    openSample();
    m_frame->toggleBehaviourMark(0);
    const QString copy = QString::fromStdString(m_temp.file("Copy"));
    m_prompts.queueFileName(copy);
    ASSERT_TRUE(m_frame->saveAs());
    EXPECT_EQ(m_prompts.fileChoices().back().title, "Save Reflectory As");
    EXPECT_EQ(m_prompts.fileChoices().back().filters.front().label, "Reflectorys (*.kva)");
    EXPECT_FALSE(m_frame->document().modified);
    EXPECT_EQ(shownTitle(*m_frame), "Copy.kva - Reflectory 360");
    const JournalRecord saved = m_frame->document();

    ASSERT_TRUE(m_frame->newJournal());
    EXPECT_EQ(m_frame->document().questionnaires.size(), 0u);
    EXPECT_EQ(shownTitle(*m_frame), "Untitled - Reflectory 360");
    ASSERT_TRUE(m_frame->openJournalFile(copy + ".kva"));
    EXPECT_EQ(static_cast<const JournalRecord&>(m_frame->document()), saved);
    EXPECT_EQ(m_frame->recentFiles().paths().front(), copy + ".kva");
    EXPECT_TRUE(m_prompts.saveQuestions().isEmpty());
}

TEST_F(MainWindowTest, UnsavedChangesAreOfferedForSavingAndCancelKeepsTheJournal) {
    openSample();
    m_frame->toggleBehaviourMark(1);
    m_prompts.setUnqueuedSaveAnswer(SaveAnswer::Cancel);
    EXPECT_FALSE(m_frame->newJournal());
    EXPECT_EQ(m_prompts.saveQuestions(), QStringList{"Save changes to Alex.kva?"});
    EXPECT_TRUE(m_frame->document().modified);
    EXPECT_FALSE(m_frame->close());

    m_prompts.setUnqueuedSaveAnswer(SaveAnswer::Yes);
    ASSERT_TRUE(m_frame->newJournal());
    JournalRecord reread;
    ScriptedPrompts quiet;
    ASSERT_TRUE(JournalFile::read(m_temp.file("Alex.kva"), reread, quiet).ok());
    EXPECT_NE(reread.framework.behaviours[1].marked, m_journal.framework.behaviours[1].marked);
}

TEST_F(MainWindowTest, EverySaveDialogOfAJournalAsksBeforeReplacingAFile) {
    m_prompts.setDialogsShown(true);
    std::vector<QString> titlesAsking;
    const auto expectAsking = [&titlesAsking] {
        whenModal<QFileDialog>([&titlesAsking](QFileDialog* dialog) {
            if (dialog->acceptMode() == QFileDialog::AcceptSave &&
                !dialog->testOption(QFileDialog::DontConfirmOverwrite)) {
                titlesAsking.push_back(dialog->windowTitle());
            }
            dialog->reject();
        });
    };
    expectAsking();
    EXPECT_FALSE(m_frame->save()); // the first save of a new journal
    m_frame->document().modified = true;
    m_prompts.queueSaveAnswer(SaveAnswer::Yes);
    expectAsking();
    EXPECT_FALSE(m_frame->saveModifiedIfWanted());
    expectAsking();
    EXPECT_FALSE(m_frame->saveAs());
    EXPECT_EQ(m_prompts.saveQuestions(), QStringList{"Save changes to Untitled?"});
    EXPECT_EQ(titlesAsking, (std::vector<QString>{"Save Reflectory", "Save Reflectory", "Save Reflectory As"}));
}

TEST_F(MainWindowTest, FileNamesOutsideAsciiShowAsTheyAreInTitlesQuestionsAndAttachments) {
    m_journal = samples::journal("");
    ASSERT_TRUE(m_frame->openJournalFile(QString::fromStdString(writeJournal(m_journal, "Zo\u00EB.kva"))));
    EXPECT_EQ(shownTitle(*m_frame), QString::fromUtf8("Zo\u00EB.kva - Reflectory 360"));
    ASSERT_TRUE(m_frame->sendJournal());
    ASSERT_EQ(m_handoff.handoffs().size(), 1u);
    EXPECT_EQ(m_handoff.handoffs()[0].fileName, QString::fromUtf8("Zo\u00EB.kva"));
    m_frame->toggleBehaviourMark(0);
    m_prompts.setUnqueuedSaveAnswer(SaveAnswer::Cancel);
    EXPECT_FALSE(m_frame->newJournal());
    EXPECT_EQ(m_prompts.saveQuestions(), QStringList{QString::fromUtf8("Save changes to Zo\u00EB.kva?")});
}

TEST_F(MainWindowTest, PrintingTheCurrentPageToPdfGivesOneSheet) {
    openSample();
    tree().selectNode(*contents().landmarks().results);
    const QString pdf = QString::fromStdString(m_temp.file("page.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        ASSERT_TRUE(m_frame->printCurrentPage(printer));
    }
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString bytes = QString::fromLatin1(file.readAll());
    EXPECT_EQ(bytes.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))), 1);
}

TEST_F(MainWindowTest, PrintPreviewShowsATallPageOnAsManySheetsAsItNeeds) {
    ASSERT_TRUE(m_frame->openJournalFile(QStringLiteral(PAVEX_SAMPLE_JOURNAL)));
    tree().selectNode(*contents().landmarks().behaviours);
    int pages = -1;
    whenModal<QPrintPreviewDialog>([&pages](QPrintPreviewDialog* preview) {
        auto* widget = preview->findChild<QPrintPreviewWidget*>();
        if (widget != nullptr) {
            widget->updatePreview();
            pages = widget->pageCount();
        }
        preview->reject();
    });
    m_frame->action(CMainFrame::Command::PrintPreview)->trigger();
    // The sample's behaviours ranking is taller than a sheet at eleven points.
    EXPECT_EQ(pages, 2);
}

TEST_F(MainWindowTest, ExportReportWritesTheSummaryThenEveryPageButTheQuestionnairesWithBookmarks) {
    openSample();
    const QString pdf = QString::fromStdString(m_temp.file("report"));
    m_prompts.queueFileName(pdf);
    ASSERT_TRUE(m_frame->exportReport());
    QFile file(pdf + ".pdf");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString bytes = QString::fromLatin1(file.readAll());
    int pagesWithoutNames = 0;
    contents().forEachNode([&](ContentNode& node, int) {
        const ContentNode* root = &node;
        while (root->parent() != nullptr) {
            root = root->parent();
        }
        const std::unique_ptr<CResultPage> page = makeResultPage(node.page());
        page->refresh();
        // Pages that would only say there are no scores to show are left out.
        pagesWithoutNames += root->icon() == IconKind::Feedback || page->showsNoScores() ? 0 : 1;
    });
    // Cover, contents, how to read, competencies, strengths, disagreements, comments, plan.
    constexpr int kSummarySheets = 8;
    EXPECT_EQ(bytes.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))),
              pagesWithoutNames + kSummarySheets);
    EXPECT_TRUE(bytes.contains(QStringLiteral("/Outlines")));
}

TEST_F(MainWindowTest, ExportReportSaysWhereItSavedHowManyPagesAndCancelLeavesNoFileBehind) {
    openSample();
    const QString pdf = QString::fromStdString(m_temp.file("report.pdf"));
    ASSERT_TRUE(m_frame->exportReportTo(pdf));
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const int pages = static_cast<int>(
        QString::fromLatin1(written.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))));
    written.close();
    EXPECT_EQ(m_frame->statusBar()->currentMessage(),
              QStringLiteral("Saved the report to report.pdf (%1 pages)").arg(pages));

    const auto cancelSoon = [this] {
        QTimer::singleShot(0, m_frame.get(), [this] {
            auto* progress = m_frame->findChild<QProgressDialog*>();
            ASSERT_NE(progress, nullptr);
            progress->cancel();
        });
    };
    // Over an earlier file: it stays as it was.
    {
        QFile earlier(pdf);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly | QIODevice::Truncate));
        earlier.write("an earlier report");
    }
    cancelSoon();
    EXPECT_FALSE(m_frame->exportReportTo(pdf));
    QFile kept(pdf);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("an earlier report"));
    // A new file: none is left.
    const QString fresh = QString::fromStdString(m_temp.file("fresh.pdf"));
    cancelSoon();
    EXPECT_FALSE(m_frame->exportReportTo(fresh));
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_TRUE(m_prompts.texts().isEmpty()); // cancelling is no failure to apologise for
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), QStringLiteral("The report was cancelled."));
}

TEST_F(MainWindowTest, ExportReportOffersTheAssessorsNamesAsACheckBoxThatAddsTheQuestionnaires) {
    openSample();
    const auto sheets = [this](bool withNames) {
        const QString pdf = QString::fromStdString(m_temp.file(withNames ? "named.pdf" : "plain.pdf"));
        m_prompts.queueFileName(pdf);
        m_prompts.queueCheckBox(withNames);
        EXPECT_TRUE(m_frame->exportReport());
        QFile file(pdf);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)")));
    };
    const auto plain = sheets(false);
    const auto named = sheets(true);
    const FileChoice& choice = m_prompts.fileChoices().back();
    EXPECT_EQ(choice.checkBoxLabel, "Include the assessors' names (the completed questionnaires)");
    // The list of questionnaires and one page per questionnaire.
    EXPECT_EQ(named - plain, 1 + static_cast<int>(m_frame->document().questionnaires.size()));
}

TEST_F(MainWindowTest, RightClickingABehaviourRowOffersItsMenuWhoseMarkTogglesIt) {
    openSample();
    tree().selectNode(*contents().landmarks().firstCompetency);
    drawView();
    const auto& rows = m_frame->contentView()->page()->hotAreas();
    ASSERT_FALSE(rows.empty());
    const HotArea row = rows.back();
    QTest::mouseClick(m_frame->contentView()->viewport(), Qt::RightButton, {}, row.name.center());
    EXPECT_EQ(m_frame->contentView()->rememberedBehaviour(), row.behaviour);
    QMenu* menu = m_frame->behaviourMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menuTexts(*menu), (std::vector<QString>{"&New Action...", "&Edit Journal...", "&Marked For Development",
                                                      "-", "New &Questionnaire..."}));
    const auto& behaviour = m_frame->document().framework.behaviours[static_cast<std::size_t>(row.behaviour)];
    const int before = behaviour.marked;
    EXPECT_EQ(menu->actions()[2]->isChecked(), before != 0);
    menu->actions()[2]->trigger();
    EXPECT_NE(behaviour.marked, before);
    EXPECT_TRUE(m_frame->document().modified);
    menu->close();
}

TEST_F(MainWindowTest, OpenAsksAboutUnsavedChangesOnceAfterTheFileIsChosen) {
    openSample();
    m_frame->toggleBehaviourMark(0);
    const std::string other = writeJournal(samples::journal(""), "Other.kva");
    m_prompts.queueFileName(QString::fromStdString(other));
    ASSERT_TRUE(m_frame->openJournal());
    EXPECT_EQ(m_prompts.fileChoices().back().title, "Open Reflectory");
    EXPECT_EQ(m_prompts.saveQuestions(), QStringList{"Save changes to Alex.kva?"});
    EXPECT_EQ(m_frame->document().title(), "Other.kva");
    EXPECT_FALSE(m_frame->document().modified);
}

TEST_F(MainWindowTest, SendHandsTheJournalAsItStandsToTheMailProgram) {
    openSample();
    m_frame->toggleBehaviourMark(0);
    ASSERT_TRUE(m_frame->sendJournal());
    ASSERT_EQ(m_handoff.handoffs().size(), 1u);
    EXPECT_EQ(m_handoff.handoffs()[0].fileName, "Alex.kva");
    JournalRecord sent;
    ASSERT_TRUE(JournalFile::decode(std::string_view(m_handoff.handoffs()[0].content.constData(),
                                                     static_cast<std::size_t>(m_handoff.handoffs()[0].content.size())),
                                    sent)
                    .ok());
    EXPECT_EQ(sent.framework.behaviours[0].marked, m_frame->document().framework.behaviours[0].marked);

    m_handoff.setAvailable(false);
    EXPECT_FALSE(m_frame->sendJournal());
    EXPECT_EQ(m_prompts.texts(), QStringList{"Unable to load mail system support."});
}

TEST_F(MainWindowTest, OnlyAPagesFirstDrawingScrollsBackToTheTop) {
    const QString sample = QStringLiteral(PAVEX_SAMPLE_JOURNAL);
    ASSERT_TRUE(m_frame->openJournalFile(sample));
    m_frame->resize(700, 300);
    QApplication::processEvents();
    QScrollBar* vertical = m_frame->contentView()->verticalScrollBar();
    tree().selectNode(*contents().landmarks().journal);
    drawView();
    const int bottom = vertical->maximum();
    ASSERT_GT(bottom, 0) << "the development journal is taller than the view";
    vertical->setValue(bottom);
    drawView();
    EXPECT_EQ(vertical->value(), bottom);

    // A rebuilt tree has new pages, whose first drawing starts at the top again.
    ASSERT_TRUE(m_frame->openJournalFile(sample));
    tree().selectNode(*contents().landmarks().journal);
    vertical->setValue(bottom);
    drawView();
    EXPECT_EQ(vertical->value(), 0);
}

TEST(WelcomeDialog, OffersThreeChoicesWithTheFirstChosenAndCancelEndsTheProgram) {
    WelcomeDialog welcome(true);
    EXPECT_EQ(welcome.windowTitle(), "PAVEX");
    EXPECT_TRUE(welcome.choiceButton(WelcomeDialog::Choice::NewJournal)->isChecked());
    EXPECT_EQ(welcome.choiceButton(WelcomeDialog::Choice::ReopenLast)->text(), "&Reopen the last reflectory");
    EXPECT_EQ(welcome.choice(), WelcomeDialog::Choice::NewJournal);
    welcome.choiceButton(WelcomeDialog::Choice::OpenAnother)->setChecked(true);
    EXPECT_EQ(welcome.choice(), WelcomeDialog::Choice::OpenAnother);

    TempFolder temp("pavex-welcome-test");
    ui::Settings::useFolder(QString::fromStdString(temp.path()));
    PavexShell shell;
    shell.prompts().setDialogsShown(false);
    EXPECT_FALSE(shell.begin(welcome, false));
    EXPECT_TRUE(shell.begin(welcome, true)); // the open dialog is declined: the new journal stays
    EXPECT_EQ(shell.mainFrame().document().title(), "Untitled");

    CPavexDoc last = samples::journal("");
    const std::string path = temp.file("Last.kva");
    ScriptedPrompts quiet;
    ASSERT_TRUE(JournalFile::save(path, last, quiet));
    EXPECT_FALSE(shell.lastJournalKnown());
    journalRecentFiles().add(QString::fromStdString(path));
    PavexShell again;
    EXPECT_TRUE(again.lastJournalKnown());
    welcome.choiceButton(WelcomeDialog::Choice::ReopenLast)->setChecked(true);
    EXPECT_TRUE(again.begin(welcome, true));
    EXPECT_EQ(again.mainFrame().document().title(), "Last.kva");
}

TEST_F(MainWindowTest, TheWindowsPlaceAndTreeWidthAreRememberedWhenItCloses) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect chosen(screen.left() + 15, screen.top() + 25, screen.width() * 2 / 3, screen.height() * 2 / 3);
    m_frame->setGeometry(chosen);
    m_frame->splitter()->setSizes({240, chosen.width() - 240});
    QApplication::processEvents();
    const QRect placed = m_frame->geometry();
    const int tree = m_frame->splitter()->sizes().front();
    ASSERT_TRUE(m_frame->close());

    CMainFrame reopened(m_prompts, m_handoff);
    EXPECT_EQ(reopened.geometry(), placed);
    reopened.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&reopened));
    EXPECT_EQ(reopened.splitter()->sizes().front(), tree);
}

TEST_F(MainWindowTest, ANarrowedWindowSharesItsWidthBetweenTreeAndPage) {
    m_frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    m_frame->resize(1280, 900);
    m_frame->splitter()->setSizes({500, 780});
    QApplication::processEvents();
    m_frame->resize(800, 600);
    QApplication::processEvents();
    const QList<int> sizes = m_frame->splitter()->sizes();
    EXPECT_LE(sizes.front(), m_frame->splitter()->width() / 2);
    EXPECT_GE(sizes.back(), 350);
    // A tree narrower than its share keeps its width.
    m_frame->splitter()->setSizes({250, 550});
    m_frame->resize(780, 600);
    QApplication::processEvents();
    EXPECT_EQ(m_frame->splitter()->sizes().front(), 250);
}

TEST_F(MainWindowTest, ATreeLabelCutOffByTheTreesWidthShowsInFullAsItsTooltip) {
    openSample();
    m_frame->splitter()->setSizes({60, m_frame->width() - 60});
    QApplication::processEvents();
    const ContentNode* behaviour = contents().landmarks().firstBehaviour;
    ASSERT_NE(behaviour, nullptr);
    tree().selectNode(*behaviour);
    QTreeWidgetItem* item = tree().itemOf(*behaviour);
    ASSERT_NE(item, nullptr);
    tree().scrollToItem(item);
    const QPoint inside = tree().visualItemRect(item).center();
    EXPECT_TRUE(tree().labelCutOff(*item));
    EXPECT_EQ(tree().toolTipAt(inside), item->text(0));

    m_frame->splitter()->setSizes({m_frame->width() - 60, 60});
    QApplication::processEvents();
    tree().horizontalScrollBar()->setValue(0);
    EXPECT_FALSE(tree().labelCutOff(*item));
    EXPECT_TRUE(tree().toolTipAt(tree().visualItemRect(item).center()).isEmpty());
}

TEST(WelcomeDialog, ReopeningTheLastJournalIsDisabledWhenThereIsNoneToReopen) {
    const WelcomeDialog firstRun(false);
    EXPECT_FALSE(firstRun.choiceButton(WelcomeDialog::Choice::ReopenLast)->isEnabled());
    EXPECT_TRUE(firstRun.choiceButton(WelcomeDialog::Choice::OpenAnother)->isEnabled());
    EXPECT_EQ(firstRun.choice(), WelcomeDialog::Choice::NewJournal);
    const WelcomeDialog later(true);
    EXPECT_TRUE(later.choiceButton(WelcomeDialog::Choice::ReopenLast)->isEnabled());
}

} // namespace
