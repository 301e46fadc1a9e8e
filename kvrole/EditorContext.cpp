// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/EditorContext.h"

#include "ui/DesktopMailHandoff.h"

EditorContext::EditorContext(std::unique_ptr<ui::MailHandoff> mail, ui::ProgramPlaces places)
    : m_prompts(QString::fromLatin1(kProgramTitle)), m_settings(ui::SettingsScope::roleEditor()),
      m_mail(mail ? std::move(mail) : std::make_unique<ui::DesktopMailHandoff>()), m_places(std::move(places)),
      m_confirmDelete(m_settings.integer(QStringLiteral("ConfirmDelete"), 1) != 0) {}

void EditorContext::setConfirmDelete(bool confirm) {
    m_confirmDelete = confirm;
    m_settings.setInteger(QStringLiteral("ConfirmDelete"), confirm ? 1 : 0);
    m_settings.sync();
}
