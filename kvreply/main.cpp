#include "ReplyProgram.h"
#include "ui/Icons.h"
#include "ui/QtPrompts.h"
#include "ui/TextFieldFocus.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(replytext::kProgramTitle));
    QApplication::setWindowIcon(ui::programIcon(ui::Program::Reply));
    ui::TextFieldFocus::install();
    ui::QtPrompts prompts(QString::fromLatin1(replytext::kProgramTitle));
    DialogDecoration decoration;
    decoration.windowIcon = ui::programIcon(ui::Program::Reply);
    decoration.cornerPicture = ui::dialogPicture().pixmap(ui::dialogPictureSize());
    ReplyProgram program(prompts, decoration);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    program.run(arguments);
    return 0;
}
