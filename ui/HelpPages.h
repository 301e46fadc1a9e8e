// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/DesktopOpen.h"
#include "ui/ProgramPlaces.h"

#include <QString>

class UserPrompts;

namespace ui {

class Settings;

// Opens a program's HTML help: the "DocumentationHome" setting when it has a value, otherwise the
// program's own copy under document/; then the installed copy; then tells the user where to look.
class HelpPages {
public:
    // `pageName` is the page under document/, e.g. "document.htm" or "roledoc.htm".
    HelpPages(ProgramPlaces places, QString pageName,
              QString installedDataFolder = ProgramPlaces::installedDataFolder());

    QString firstChoice(const QString& documentationHome) const;
    QString fallback() const;

    // True when a page was handed to the desktop.
    bool open(const Settings& settings, UserPrompts& prompts, const DocumentOpener& opener = openWithDesktop) const;

    // No page in any place: names the folder the guide is installed in, where a reader can look.
    static QString notFoundMessage(const QString& installedDataFolder = ProgramPlaces::installedDataFolder());
    // A page is there but the desktop could not start a browser for it.
    static QString noBrowserMessage(const QString& page);

private:
    ProgramPlaces m_places;
    QString m_pageName;
    QString m_installedDataFolder;
};

} // namespace ui
