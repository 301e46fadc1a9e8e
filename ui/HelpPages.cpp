#include "ui/HelpPages.h"

#include "model/UserPrompts.h"
#include "ui/Cp1252Text.h"
#include "ui/Settings.h"

#include <QDir>

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

QString HelpPages::notFoundMessage() {
    return QStringLiteral("Sorry, the help documentation cannot be located.  Visit the PAVEX web site at ") +
           QString::fromLatin1(kProductWebSite);
}

bool HelpPages::open(const Settings& settings, UserPrompts& prompts, const DocumentOpener& opener) const {
    if (opener(firstChoice(settings.text(QStringLiteral("DocumentationHome")))) || opener(fallback())) {
        return true;
    }
    prompts.message(toCp1252(notFoundMessage()));
    return false;
}

} // namespace ui
