// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/EditorContext.h"
#include "kvrole/MainFrame.h"
#include "kvrole/SingleInstance.h"
#include "ui/CommandLineHelp.h"
#include "ui/Settings.h"
#include "ui/TextFieldFocus.h"
#include "ui/VisibleFocus.h"

#include <QApplication>
#include <QStringList>

namespace {

constexpr std::string_view kUsage =
    "Usage: KVRole [ROLE]...\n"
    "Edit role profiles (.kvr): the competencies and behaviours of a job that a 360-degree feedback\n"
    "questionnaire asks about, their questions and answer scales, and the web questionnaire pages\n"
    "made from them.\n"
    "\n"
    "With no ROLE a new role profile is started. An editor already running for the same user and\n"
    "desktop opens the roles in its own window instead.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this text and exit\n";

} // namespace

int main(int argc, char** argv) {
    if (ui::printedHelp(argc, argv, kUsage)) {
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("KV Software"));
    QApplication::setApplicationName(QStringLiteral("KVRole"));
    // No application display name: the platform would append it to every title a second time.

    // One editor per user and desktop, so that roles opened from the desktop share its windows
    // and can exchange items.
    const QStringList files = QApplication::arguments().mid(1);
    SingleInstance instance(SingleInstance::nameFor(ui::Settings(ui::SettingsScope::roleEditor()).fileName()));
    if (instance.start(files) == SingleInstance::Start::HandedOver) {
        return 0;
    }

    ui::TextFieldFocus::install();
    ui::VisibleFocus::install();
    EditorContext context;
    CMainFrame frame(context);
    // The first file that opens comes with the window; the others follow once it is laid out, so
    // that they cascade. When none opens, the program ends.
    qsizetype opened = 0;
    while (opened < files.size() && !frame.openDocument(files.at(opened))) {
        ++opened;
    }
    if (files.isEmpty()) {
        frame.newDocument();
    } else if (opened == files.size()) {
        return 1;
    }
    QObject::connect(&instance, &SingleInstance::filesHandedOver, &frame, &CMainFrame::openHandedOver);
    frame.show();
    frame.openDocuments(files.mid(opened + 1));
    return QApplication::exec();
}
