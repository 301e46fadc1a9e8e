// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/pavex/MainWindowFixture.h"

#include "pavex/AutopilotController.h"
#include "pavex/AutopilotWindow.h"
#include "pavex/RequestingFeedbackDialog.h"
#include "pavex/WebPageDialog.h"
#include "pavex/editors/ActionCommands.h"
#include "pavex/editors/ActionDialog.h"
#include "pavex/editors/BehaviourJournalDialog.h"
#include "pavex/editors/QuestionnaireDetailsDialog.h"
#include "pavex/options/OptionSheet.h"
#include "pavex/rolechoice/RoleChoiceDialog.h"
#include "questionnaire/PreliminariesDialog.h"
#include "questionnaire/QuestionnaireDialog.h"
#include "tests/support/AccessibleNames.h"
#include "ui/PasswordDialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>

namespace {

std::vector<QAccessible::Event> g_events;
std::vector<QObject*> g_eventObjects;

void recordEvent(QAccessibleEvent* event) {
    g_events.push_back(event->type());
    g_eventObjects.push_back(event->object());
}

// The figure a cell reads: kvtool writes a figure without a value as -1.
double figureOfCell(const QString& text) {
    return text.isEmpty() ? -1.0 : text.toDouble();
}

class PageAccessibilityTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        openSample();
    }

    // The pages kvtool prints for the journal as it is on disk.
    QJsonArray printedPages() {
        QProcess tool;
        tool.start(QStringLiteral(KVTOOL_PATH), {"results", QString::fromStdString(m_temp.file("Alex.kva"))});
        EXPECT_TRUE(tool.waitForFinished(30000));
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
        return QJsonDocument::fromJson(tool.readAllStandardOutput()).object()["pages"].toArray();
    }

    QJsonObject printedPage(const QString& title, const QString& kind) {
        for (const QJsonValue page : printedPages()) {
            if (page["title"].toString() == title && page["kind"].toString() == kind) {
                return page.toObject();
            }
        }
        ADD_FAILURE() << "kvtool printed no " << kind.toStdString() << " page " << title.toStdString();
        return {};
    }

    QAccessibleInterface* viewInterface() { return QAccessible::queryAccessibleInterface(m_frame->contentView()); }

    QString cell(int row, int column) {
        QAccessibleInterface* c = viewInterface()->tableInterface()->cellAt(row, column);
        return c != nullptr ? c->text(QAccessible::Name) : QStringLiteral("<none>");
    }

    QString groupName(int group) { return QString::fromStdString(m_journal.relationshipLabels[group]); }
};

TEST_F(PageAccessibilityTest, TheBehaviourRankingReadsAsATableOfTheFiguresKvtoolPrints) {
    tree().selectNode(*contents().landmarks().behaviours);
    QAccessibleInterface* view = viewInterface();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->role(), QAccessible::Table);
    EXPECT_EQ(view->text(QAccessible::Name), m_frame->statusTitle());
    QAccessibleTableInterface* table = view->tableInterface();
    ASSERT_NE(table, nullptr);

    const QJsonObject printed = printedPage(m_frame->statusTitle(), "ranking");
    const QJsonArray items = printed["items"].toArray();
    const int shown = printed["shown"].toInt();
    ASSERT_GT(shown, 0);
    ASSERT_EQ(table->rowCount(), shown);
    ASSERT_EQ(table->columnCount(), 1 + 3 * kRelationshipCount + 1);
    EXPECT_EQ(table->columnDescription(0), "Overall average");
    EXPECT_EQ(table->columnDescription(1), groupName(0) + " average");
    EXPECT_EQ(table->columnDescription(2), groupName(0) + " lowest");
    EXPECT_EQ(table->columnDescription(3 * kRelationshipCount), groupName(kRelationshipCount - 1) + " highest");
    EXPECT_EQ(table->columnDescription(table->columnCount() - 1), "Marked for Development");

    for (int row = 0; row < shown; ++row) {
        const QJsonObject item = items[row].toObject();
        EXPECT_EQ(table->rowDescription(row), item["name"].toString());
        EXPECT_EQ(figureOfCell(cell(row, 0)), item["overall"].toDouble()) << row;
        const QJsonArray groups = item["groups"].toArray();
        for (int g = 0; g < kRelationshipCount; ++g) {
            const QJsonObject group = groups[g].toObject();
            EXPECT_EQ(figureOfCell(cell(row, 1 + 3 * g)), group["average"].toDouble()) << row << " " << g;
            EXPECT_EQ(figureOfCell(cell(row, 2 + 3 * g)), group["lowest"].toDouble()) << row << " " << g;
            EXPECT_EQ(figureOfCell(cell(row, 3 + 3 * g)), group["highest"].toDouble()) << row << " " << g;
        }
        EXPECT_EQ(cell(row, table->columnCount() - 1), item["marked"].toInt() != 0 ? "Yes" : "No");
    }

    // A cell names its headers, and the view's children are its cells in reading order.
    QAccessibleInterface* second = table->cellAt(1, 0);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->tableCellInterface()->rowHeaderCells().value(0)->text(QAccessible::Name),
              items[1]["name"].toString());
    EXPECT_EQ(second->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name), "Overall average");
    EXPECT_EQ(view->child(table->columnCount()), second);
    EXPECT_EQ(view->indexOfChild(second), table->columnCount());
    EXPECT_EQ(table->cellAt(shown, 0), nullptr);
}

TEST_F(PageAccessibilityTest, AFrequencyPageReadsAsTheCountsPerResponseAndGroup) {
    tree().selectNode(*contents().landmarks().firstBehaviour);
    QAccessibleTableInterface* table = viewInterface()->tableInterface();
    ASSERT_NE(table, nullptr);
    const QJsonObject printed = printedPage(m_frame->statusTitle(), "frequencies");
    const QJsonArray counts = printed["counts"].toArray();
    ASSERT_FALSE(counts.isEmpty());
    ASSERT_EQ(table->rowCount(), counts.size());
    EXPECT_EQ(table->columnDescription(0), groupName(0));
    for (int option = 0; option < counts.size(); ++option) {
        EXPECT_FALSE(table->rowDescription(option).isEmpty());
        for (int g = 0; g < kRelationshipCount; ++g) {
            EXPECT_EQ(cell(option, g).toInt(), counts[option][g].toInt()) << option << " " << g;
        }
    }
}

// A ranking with nothing to rank shows a message where its rows would be; the reader hears it.
TEST_F(PageAccessibilityTest, ARankingWithoutScoresReadsAsItsMessage) {
    // A group no questionnaire of the sample is from leaves its difference page without scores.
    const ContentNode& differences = *contents().landmarks().differences;
    bool found = false;
    for (std::size_t i = 0; i < differences.childCount() && !found; ++i) {
        tree().selectNode(differences.child(i));
        found = m_frame->contentView()->page()->showsNoScores();
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(viewInterface()->tableInterface()->rowCount(), 0);
    EXPECT_EQ(viewInterface()->text(QAccessible::Description), "There are no scores to display");
    tree().selectNode(*contents().landmarks().behaviours);
    EXPECT_EQ(viewInterface()->text(QAccessible::Description), "");
}

TEST_F(PageAccessibilityTest, ListAndDetailPagesReadAsTheirRows) {
    tree().selectNode(*contents().landmarks().feedback);
    QAccessibleTableInterface* list = viewInterface()->tableInterface();
    EXPECT_EQ(list->rowCount(), static_cast<int>(m_journal.questionnaires.size()));
    EXPECT_EQ(cell(0, 0), QString::fromStdString(m_journal.questionnaires[0].assessor));

    tree().selectNode(contents().landmarks().feedback->child(0));
    QAccessibleTableInterface* detail = viewInterface()->tableInterface();
    ASSERT_GT(detail->rowCount(), 0);
    EXPECT_FALSE(detail->rowDescription(0).isEmpty());
    EXPECT_EQ(viewInterface()->text(QAccessible::Name), "Completed assessment questionnaire");
}

TEST_F(PageAccessibilityTest, KeysMoveTheRowFocusAndActOnTheFocusedRow) {
    const auto& marks = contents().landmarks();
    tree().selectNode(*marks.behaviours);
    CPavexView* view = m_frame->contentView();
    view->setFocus();
    drawView();
    const PageFigures& figures = view->figures();
    ASSERT_GT(figures.rowCount(), 2);

    EXPECT_EQ(view->focusRow(), 0);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(view->focusRow(), 2);
    QTest::keyClick(view, Qt::Key_End);
    EXPECT_EQ(view->focusRow(), figures.rowCount() - 1);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(view->focusRow(), figures.rowCount() - 1);
    QTest::keyClick(view, Qt::Key_Home);
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(view->focusRow(), 0);
    QTest::keyClick(view, Qt::Key_Down);

    // Space toggles the focused row's mark, and the table tells the new state.
    const int behaviour = figures.rowBehaviours[1];
    const auto& behaviours = m_frame->document().framework.behaviours;
    const int before = behaviours[static_cast<std::size_t>(behaviour)].marked;
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_NE(behaviours[static_cast<std::size_t>(behaviour)].marked, before);
    EXPECT_TRUE(m_frame->document().modified);
    EXPECT_EQ(cell(1, viewInterface()->tableInterface()->columnCount() - 1), before != 0 ? "No" : "Yes");
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(behaviours[static_cast<std::size_t>(behaviour)].marked, before);

    // The focused row shows a frame that the unfocused view does not draw.
    const QImage focused = drawView();
    m_frame->treeView()->setFocus();
    EXPECT_NE(drawView(), focused);

    // Shift+F10 opens the row's menu as a right-click does.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(view->rememberedBehaviour(), behaviour);
    ASSERT_NE(m_frame->behaviourMenu(), nullptr);
    m_frame->behaviourMenu()->close();
}

// F6 moves on round the tree, the page and the Autopilot while it is up; Shift+F6 moves back.
TEST_F(PageAccessibilityTest, F6AndShiftF6MoveTheKeyboardRoundTheTreeThePageAndTheAutopilot) {
    m_frame->action(CMainFrame::Command::Autopilot)->trigger();
    AutopilotWindow* guide = m_frame->autopilot().window();
    ASSERT_NE(guide, nullptr);
    QWidget* tree = m_frame->treeView();
    QWidget* page = m_frame->contentView();
    m_frame->activateWindow();
    tree->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    const auto press = [](Qt::KeyboardModifiers modifiers) {
        QWidget* target =
            QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : QApplication::activeWindow();
        QTest::keyClick(target, Qt::Key_F6, modifiers);
        QApplication::processEvents();
    };
    const auto inGuide = [guide] { return QApplication::activeWindow() == guide; };

    press(Qt::NoModifier);
    EXPECT_EQ(QApplication::focusWidget(), page);
    press(Qt::NoModifier);
    EXPECT_TRUE(QTest::qWaitFor(inGuide, 2000));
    press(Qt::NoModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == tree; }, 2000));

    press(Qt::ShiftModifier);
    EXPECT_TRUE(QTest::qWaitFor(inGuide, 2000));
    press(Qt::ShiftModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == page; }, 2000));
    press(Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), tree);

    // Without the guide the keys go between the two panes.
    guide->close();
    press(Qt::NoModifier);
    EXPECT_EQ(QApplication::focusWidget(), page);
    press(Qt::NoModifier);
    EXPECT_EQ(QApplication::focusWidget(), tree);
}

// Shift+F10 on the tree opens the selected node's pop-up menu on its first entry, which Return takes.
TEST_F(PageAccessibilityTest, ShiftF10OpensTheTreesPopUpMenuOnItsFirstEntry) {
    tree().selectNode(*contents().landmarks().behaviours);
    m_frame->treeView()->setFocus();
    QTest::keyClick(m_frame->treeView(), Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    ASSERT_FALSE(menu->actions().isEmpty());
    EXPECT_EQ(menu->activeAction(), menu->actions().first());
    menu->close();

    // The page's row menu, opened from the keyboard, starts on its first entry too.
    m_frame->contentView()->setFocus();
    drawView();
    QTest::keyClick(m_frame->contentView(), Qt::Key_Menu);
    ASSERT_NE(m_frame->behaviourMenu(), nullptr);
    EXPECT_EQ(m_frame->behaviourMenu()->activeAction(), m_frame->behaviourMenu()->actions().value(0));
    m_frame->behaviourMenu()->close();
}

TEST_F(PageAccessibilityTest, AChangeOfPageIsAnnouncedWithTheNewTitle) {
    g_events.clear();
    g_eventObjects.clear();
    QAccessible::installUpdateHandler(recordEvent);
    tree().selectNode(*contents().landmarks().behaviours);
    QAccessible::installUpdateHandler(nullptr);
    bool announced = false;
    for (std::size_t i = 0; i < g_events.size(); ++i) {
        announced =
            announced || (g_events[i] == QAccessible::NameChanged && g_eventObjects[i] == m_frame->contentView());
    }
    EXPECT_TRUE(announced);
    EXPECT_EQ(viewInterface()->text(QAccessible::Name), m_frame->statusTitle());
}

} // namespace

namespace {

class NoActions final : public ActionCommands {
public:
    bool newAction(std::int32_t) override { return false; }
    bool editAction(std::size_t) override { return false; }
    bool deleteAction(std::size_t) override { return false; }
};

using accessiblenames::unnamedControls;

} // namespace

TEST_F(PageAccessibilityTest, EveryShowingControlOfTheWindowAndItsDialogsHasAName) {
    EXPECT_EQ(unnamedControls(*m_frame), "");

    CPavexDoc& doc = m_frame->document();
    ActionDialog action(doc.framework, doc.actions.empty() ? CPavexAction{} : doc.actions.front(), m_prompts);
    EXPECT_EQ(unnamedControls(action), "");
    NoActions none;
    BehaviourJournalDialog journal(doc, 0, none);
    EXPECT_EQ(unnamedControls(journal), "");
    QuestionnaireDetailsDialog details(doc.questionnaires.front(), m_prompts);
    EXPECT_EQ(unnamedControls(details), "");
    COptionSheet options(doc, 0);
    EXPECT_EQ(unnamedControls(options), "");
    AutopilotWindow guide;
    EXPECT_EQ(unnamedControls(guide), "");
    WelcomeDialog welcome(true);
    EXPECT_EQ(unnamedControls(welcome), "");
    RequestingFeedbackDialog requesting;
    EXPECT_EQ(unnamedControls(requesting), "");
    WebPageDialog webPage(m_prompts);
    EXPECT_EQ(unnamedControls(webPage), "");
    ui::PasswordDialog password;
    EXPECT_EQ(unnamedControls(password), "");
    ASSERT_TRUE(AtomicFile::write(m_temp.file("Leader.kvr"), RoleFile::encode(samples::role())));
    RoleChoiceDialog roles(m_temp.path() + "/", m_prompts);
    EXPECT_EQ(unnamedControls(roles), "");
    PreliminariesDialog preliminaries(DialogFlavour::Journal, "", {}, m_prompts);
    EXPECT_EQ(unnamedControls(preliminaries), "");
    CPavexFeedback record;
    QuestionnaireDialog questionnaire(DialogFlavour::Journal, doc.framework, record, m_prompts, {});
    EXPECT_EQ(unnamedControls(questionnaire), "");
}

TEST_F(PageAccessibilityTest, ALongFormFitsTheScreenAndScrolls) {
    CPavexDoc& doc = m_frame->document();
    ActionDialog action(doc.framework, CPavexAction{}, m_prompts);
    const QSize room = action.screen()->availableGeometry().size();
    EXPECT_LE(action.height(), room.height());
    EXPECT_LE(action.width(), room.width());
    EXPECT_NE(action.findChild<QScrollArea*>(), nullptr);
}
