#include "kvrole/EditorContext.h"

#include "ui/DesktopMailHandoff.h"

#include <QApplication>
#include <QMessageBox>

namespace {

EditorContext::SaveAnswer askWithMessageBox(const QString& title) {
    const auto answer =
        QMessageBox::question(QApplication::activeWindow(), QString::fromLatin1(EditorContext::kProgramTitle),
                              EditorContext::saveChangesText(title),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        return EditorContext::SaveAnswer::Save;
    }
    return answer == QMessageBox::No ? EditorContext::SaveAnswer::Discard : EditorContext::SaveAnswer::Cancel;
}

} // namespace

EditorContext::EditorContext(std::unique_ptr<ui::MailHandoff> mail, ui::ProgramPlaces places)
    : m_prompts(QString::fromLatin1(kProgramTitle)), m_settings(ui::SettingsScope::roleEditor()),
      m_mail(mail ? std::move(mail) : std::make_unique<ui::DesktopMailHandoff>()), m_places(std::move(places)),
      m_confirmDelete(m_settings.integer(QStringLiteral("ConfirmDelete"), 1) != 0), m_saveQuestion(askWithMessageBox) {}

void EditorContext::setConfirmDelete(bool confirm) {
    m_confirmDelete = confirm;
    m_settings.setInteger(QStringLiteral("ConfirmDelete"), confirm ? 1 : 0);
    m_settings.sync();
}
