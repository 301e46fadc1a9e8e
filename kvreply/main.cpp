// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplyProgram.h"
#include "ui/CommandLineHelp.h"
#include "ui/Icons.h"
#include "ui/QtPrompts.h"
#include "ui/TextFieldFocus.h"
#include "ui/VisibleFocus.h"

#include <QApplication>

namespace {

constexpr std::string_view kUsage =
    "Usage: KVReply [REQUEST]\n"
    "Answer a 360-degree feedback request (.kvq) that someone sent you: tell how you know the\n"
    "person, answer the questionnaire about them, add comments, and send the answers back by mail or\n"
    "save them as a file.\n"
    "\n"
    "With no REQUEST a file dialog asks for one.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this text and exit\n";

} // namespace

int main(int argc, char** argv) {
    if (ui::printedHelp(argc, argv, kUsage)) {
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(replytext::kProgramTitle));
    QApplication::setWindowIcon(ui::programIcon(ui::Program::Reply));
    ui::TextFieldFocus::install();
    ui::VisibleFocus::install();
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
