#include "kvrole/EditorContext.h"
#include "kvrole/MainFrame.h"
#include "ui/TextFieldFocus.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv) {
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
