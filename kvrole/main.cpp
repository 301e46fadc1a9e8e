#include "kvrole/EditorContext.h"
#include "kvrole/MainFrame.h"
#include "ui/CommandLineHelp.h"
#include "ui/TextFieldFocus.h"

#include <QApplication>
#include <QStringList>

namespace {

constexpr std::string_view kUsage =
    "Usage: KVRole [ROLE]\n"
    "Edit role profiles (.kvr): the competencies and behaviours of a job that a 360-degree feedback\n"
    "questionnaire asks about, their questions and answer scales, and the web questionnaire pages\n"
    "made from them.\n"
    "\n"
    "With no ROLE a new role profile is started.\n"
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
    ui::TextFieldFocus::install();

    EditorContext context;
    CMainFrame frame(context);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        if (!frame.openDocument(arguments.at(1))) {
            return 1;
        }
    } else {
        frame.newDocument();
    }
    frame.show();
    return QApplication::exec();
}
