// SPDX-License-Identifier: GPL-3.0-or-later
// The role editor as a screen reader and the keyboard alone meet it: a name on every control, and
// the tree's pop-up menu from the keyboard.
#include "GuiTestSupport.h"

#include "kvrole/ResponseDialog.h"
#include "kvrole/RoleDialogs.h"
#include "kvrole/WebQuestionnaireDialog.h"
#include "model/Role.h"
#include "tests/support/AccessibleNames.h"

#include <QContextMenuEvent>
#include <QMenu>

using accessiblenames::unnamedControls;

namespace {

class EditorAccessibility : public EditorWindowFixture {
protected:
    // Presses the key on the tree and reads the pop-up menu it opens, then answers it with `answer`
    // (a key the menu gets); returns the menu's entries, or nothing when no menu opened.
    QStringList popupAfter(Qt::Key key, Qt::KeyboardModifiers modifiers, Qt::Key answer) {
        QStringList entries;
        bool opened = false;
        bool looked = false;
        QObject guard; // no look once the test has moved on
        QTimer::singleShot(50, &guard, [&] {
            looked = true;
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            opened = true;
            for (QAction* action : menu->actions()) {
                entries << (action->isSeparator() ? QString() : action->text());
            }
            // Opened from the keyboard, the menu starts on its first entry, so Return takes it.
            EXPECT_EQ(menu->activeAction(), menu->actions().value(0));
            QTest::keyClick(menu, answer);
        });
        // The desktop turns the Menu key into a context menu event from the keyboard for the
        // focused widget; the offscreen platform does not, so the test sends that event.
        if (key == Qt::Key_Menu) {
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint(), modifiers);
            QApplication::sendEvent(view(), &menuKey);
        } else {
            QTest::keyClick(view(), key, modifiers);
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return looked; }, 2000));
        QApplication::processEvents();
        EXPECT_TRUE(opened) << "no pop-up menu opened";
        return entries;
    }
};

} // namespace

TEST_F(EditorAccessibility, EveryShowingControlOfTheEditorAndItsDialogsHasAName) {
    m_frame->newDocument();
    QApplication::processEvents();
    EXPECT_EQ(unnamedControls(*m_frame), "");

    RoleDetailsDialog details(QStringLiteral("Team Leader"), QStringLiteral("Leads a team"));
    EXPECT_EQ(unnamedControls(details), "");
    CompetencyDialog competency(QStringLiteral("Communication"));
    EXPECT_EQ(unnamedControls(competency), "");
    BehaviourDialog behaviour(QStringLiteral("Listens"), {QStringLiteral("Communication")}, 0);
    EXPECT_EQ(unnamedControls(behaviour), "");
    OptionsDialog options(true);
    EXPECT_EQ(unnamedControls(options), "");
    AboutDialog about;
    EXPECT_EQ(unnamedControls(about), "");
    ResponseDialog response(defaultResponseScale(), m_context->prompts());
    EXPECT_EQ(unnamedControls(response), "");
    WebQuestionnaireDialog web(m_context->prompts());
    EXPECT_EQ(unnamedControls(web), "");
}

TEST_F(EditorAccessibility, ShiftF10AndTheMenuKeyOpenTheTreesPopUpMenuAndReturnTakesItsFirstEntry) {
    m_frame->newDocument();
    view()->setFocus();
    view()->setCurrentItem(view()->rootItem());
    QApplication::processEvents();

    EXPECT_EQ(popupAfter(Qt::Key_F10, Qt::ShiftModifier, Qt::Key_Escape),
              (QStringList{"New &Competency", "", "&Edit...", "&Delete All"}));
    EXPECT_EQ(view()->rootItem()->childCount(), 0);
    EXPECT_FALSE(popupAfter(Qt::Key_Menu, Qt::NoModifier, Qt::Key_Escape).isEmpty());

    // Return on the first entry, New Competency, adds a competency and opens its label editor.
    popupAfter(Qt::Key_F10, Qt::ShiftModifier, Qt::Key_Return);
    EXPECT_EQ(view()->rootItem()->childCount(), 1);
}
