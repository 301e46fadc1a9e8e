// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/JournalReport.h"
#include "pavex/PavexShell.h"
#include "ui/CommandLineHelp.h"
#include "ui/TextFieldFocus.h"
#include "ui/VisibleFocus.h"

#include "model/JournalFile.h"
#include "model/ScriptedPrompts.h"

#include <QApplication>

#include <iostream>

namespace {

constexpr std::string_view kUsage =
    "Usage: pavex [FILE]\n"
    "  or:  pavex --export-report JOURNAL REPORT.pdf\n"
    "Keep a 360-degree feedback journal: choose the role profile that matches a job, answer its\n"
    "questionnaire about yourself, ask others for their view, merge their answers, read the ranked\n"
    "results and plan development actions.\n"
    "\n"
    "With no FILE a welcome window offers to start a journal or to open one. A journal (.kva) is\n"
    "opened; an answered feedback request (.kvq) or web reply (.kvi) is merged into the journal\n"
    "used last.\n"
    "\n"
    "Options:\n"
    "  --export-report JOURNAL REPORT.pdf\n"
    "                 write the journal's feedback report as a PDF file, without a window\n"
    "  -h, --help     show this text and exit\n";

// pavex --export-report JOURNAL OUT.pdf: the journal's report without a window, for machines
// without a display.
int exportReport(const QString& journalPath, const QString& pdfPath) {
    ScriptedPrompts prompts;
    CPavexDoc journal;
    if (!JournalFile::open(journalPath.toStdString(), journal, prompts)) {
        std::cerr << "pavex: cannot open " << journalPath.toStdString() << "\n";
        return 1;
    }
    if (!writeJournalReport(journal, pdfPath)) {
        std::cerr << "pavex: cannot write " << pdfPath.toStdString() << "\n";
        return 1;
    }
    std::cout << "pavex: wrote the report of " << journalPath.toStdString() << " to " << pdfPath.toStdString() << "\n";
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (ui::printedHelp(argc, argv, kUsage)) {
        return 0;
    }
    const bool reportOnly = argc == 4 && std::string_view(argv[1]) == "--export-report";
    if (reportOnly && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pavex"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (reportOnly) {
        return exportReport(arguments.at(1), arguments.at(2));
    }
    ui::TextFieldFocus::install();
    ui::VisibleFocus::install();
    PavexShell shell;
    if (!shell.start(arguments)) {
        return 0;
    }
    return QApplication::exec();
}
