// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HelpPages.h"

#include "model/UserPrompts.h"
#include "ui/Cp1252Text.h"
#include "ui/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace ui {

HelpPages::HelpPages(ProgramPlaces places, QString pageName, QString installedDataFolder)
    : m_places(std::move(places)), m_pageName(std::move(pageName)),
      m_installedDataFolder(std::move(installedDataFolder)) {}

QString HelpPages::firstChoice(const QString& documentationHome) const {
    if (!documentationHome.isEmpty()) {
        return documentationHome;
    }
    return m_places.dataPath(QStringLiteral("document/") + m_pageName);
}

QString HelpPages::fallback() const {
    return QDir::cleanPath(m_installedDataFolder + QStringLiteral("/document/") + m_pageName);
}

QString HelpPages::notFoundMessage(const QString& installedDataFolder) {
    return QStringLiteral("Sorry, the help documentation cannot be located.  Visit the PAVEX web site at ") +
           QDir::cleanPath(installedDataFolder + QStringLiteral("/document")) + QLatin1Char('/');
}

QString HelpPages::noBrowserMessage(const QString& page) {
    return QStringLiteral("Sorry, no web browser could be started to show the help documentation.  Open %1 in a "
                          "web browser to read it.")
        .arg(page);
}

bool HelpPages::open(const Settings& settings, UserPrompts& prompts, const DocumentOpener& opener) const {
    const QString first = firstChoice(settings.text(QStringLiteral("DocumentationHome")));
    if (opener(first) || opener(fallback())) {
        return true;
    }
    // A page that is there but was not shown means the desktop has no browser to start: saying
    // "cannot be located" would send the user looking for something they already have.
    for (const QString& page : {first, fallback()}) {
        if (QFileInfo(page).isFile()) {
            prompts.message(toCp1252(noBrowserMessage(QFileInfo(page).absoluteFilePath())));
            return false;
        }
    }
    prompts.message(toCp1252(notFoundMessage(m_installedDataFolder)));
    return false;
}

} // namespace ui
