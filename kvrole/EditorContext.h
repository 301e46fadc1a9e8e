// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/DesktopOpen.h"
#include "ui/MailHandoff.h"
#include "ui/ProgramPlaces.h"
#include "ui/QtPrompts.h"
#include "ui/Settings.h"

#include <QString>

#include <functional>
#include <memory>

// What every window of the role editor shares: the prompts, the settings and the mail hand-off.
// Tests build one with their own answers.
class EditorContext {
public:
    static constexpr char kProgramTitle[] = "Reflectory Kitsmith";

    explicit EditorContext(std::unique_ptr<ui::MailHandoff> mail = nullptr,
                           ui::ProgramPlaces places = ui::ProgramPlaces());

    ui::QtPrompts& prompts() { return m_prompts; }
    ui::Settings& settings() { return m_settings; }
    ui::MailHandoff& mail() { return *m_mail; }
    const ui::ProgramPlaces& places() const { return m_places; }

    bool confirmDelete() const { return m_confirmDelete; }
    void setConfirmDelete(bool confirm);

    // How help pages are handed to the desktop; tests record them instead.
    const ui::DocumentOpener& documentOpener() const { return m_opener; }
    void setDocumentOpener(ui::DocumentOpener opener) { m_opener = std::move(opener); }

private:
    ui::QtPrompts m_prompts;
    ui::Settings m_settings;
    std::unique_ptr<ui::MailHandoff> m_mail;
    ui::ProgramPlaces m_places;
    bool m_confirmDelete;
    ui::DocumentOpener m_opener = ui::openWithDesktop;
};
