#include "pavex/JournalReport.h"
#include "pavex/PavexShell.h"
#include "ui/TextFieldFocus.h"

#include "model/JournalFile.h"
#include "model/ScriptedPrompts.h"

#include <QApplication>

#include <iostream>

namespace {

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
    PavexShell shell;
    if (!shell.start(arguments)) {
        return 0;
    }
    return QApplication::exec();
}
