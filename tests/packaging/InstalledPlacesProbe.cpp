// SPDX-License-Identifier: GPL-3.0-or-later
// Copied into an installed bin/ folder by the install test: prints what the places rules of the
// desktop programs find from there, and what file type the desktop gives each file named.
#include "ui/HelpPages.h"
#include "ui/ProgramPlaces.h"
#include "ui/Settings.h"

#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    const ui::ProgramPlaces places;
    const ui::Settings journalSettings(ui::SettingsScope::journalProgram());
    out << "roles " << places.roleDirectory(journalSettings) << '\n';
    out << "role-folders " << places.roleFolders(journalSettings).join(QLatin1Char('|')) << '\n';
    out << "role-drop " << places.roleDropDirectory(journalSettings) << '\n';
    out << "journal-help " << ui::HelpPages(places, QStringLiteral("document.htm")).firstChoice({}) << '\n';
    out << "role-help " << ui::HelpPages(places, QStringLiteral("roledoc.htm")).firstChoice({}) << '\n';
    out << "help-fallback " << ui::HelpPages(places, QStringLiteral("document.htm")).fallback() << '\n';
    out << "template " << places.findData(QStringLiteral("template.txt")).value_or(QStringLiteral("-")) << '\n';
    const QMimeDatabase types;
    const QStringList files = QCoreApplication::arguments().mid(1);
    for (const QString& file : files) {
        const QMimeType type = types.mimeTypeForFile(file);
        out << "type " << file << ' ' << type.name() << ' ' << type.iconName() << '\n';
    }
    return 0;
}
