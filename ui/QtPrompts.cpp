// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPrompts.h"

#include "ui/Cp1252Text.h"
#include "ui/FileChooser.h"
#include "ui/PasswordDialog.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

// Moves the first queued entry into *answer; false when nothing is queued. (Returning an
// optional of an optional here trips a false maybe-uninitialized warning in optimised builds.)
template <typename T> bool takeFront(std::deque<T>& queue, T* answer) {
    if (queue.empty()) {
        return false;
    }
    *answer = std::move(queue.front());
    queue.pop_front();
    return true;
}

std::string toPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

QtPrompts::QtPrompts(QString programTitle, QWidget* parent)
    : m_programTitle(std::move(programTitle)), m_parent(parent) {}

QStringList QtPrompts::texts() const {
    QStringList result;
    for (const Shown& shown : m_shown) {
        if (shown.kind == Kind::Message || shown.kind == Kind::Question) {
            result << shown.text;
        }
    }
    return result;
}

QStringList QtPrompts::saveQuestions() const {
    QStringList result;
    for (const Shown& shown : m_shown) {
        if (shown.kind == Kind::SaveChanges) {
            result << shown.text;
        }
    }
    return result;
}

SaveAnswer QtPrompts::askSaveChanges(std::string_view documentName) {
    const QString text =
        QStringLiteral("Save changes to %1?")
            .arg(QFile::decodeName(QByteArray(documentName.data(), static_cast<qsizetype>(documentName.size()))));
    m_shown.push_back({Kind::SaveChanges, m_programTitle, text});
    SaveAnswer answer = SaveAnswer::Cancel;
    if (takeFront(m_saveAnswers, &answer)) {
        return answer;
    }
    if (!m_dialogsShown) {
        return m_unqueuedSaveAnswer;
    }
    QMessageBox box(QMessageBox::Question, m_programTitle, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveAnswer::Yes;
    case QMessageBox::No:
        return SaveAnswer::No;
    default:
        return SaveAnswer::Cancel;
    }
}

void QtPrompts::clearShown() {
    m_shown.clear();
    m_fileChoices.clear();
}

QString QtPrompts::captionFor(std::string_view caption) const {
    return caption.empty() ? m_programTitle : fromCp1252(caption);
}

bool QtPrompts::showBox(const QString& text, const QString& caption, bool withCancel) {
    QMessageBox box(withCancel ? QMessageBox::Question : QMessageBox::Information, caption, text,
                    withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, m_parent);
    // The texts come from files and users: "<b>" or "&" in a name must show as typed.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

void QtPrompts::message(std::string_view text, std::string_view caption) {
    const Shown shown{Kind::Message, captionFor(caption), fromCp1252(text)};
    m_shown.push_back(shown);
    if (m_dialogsShown) {
        showBox(shown.text, shown.caption, false);
    }
}

bool QtPrompts::question(std::string_view text, std::string_view caption) {
    const Shown shown{Kind::Question, captionFor(caption), fromCp1252(text)};
    m_shown.push_back(shown);
    bool queued = false;
    if (takeFront(m_answers, &queued)) {
        return queued;
    }
    return m_dialogsShown && showBox(shown.text, shown.caption, true);
}

bool QtPrompts::questionWithButtons(std::string_view text, std::string_view caption, std::string_view proceedLabel,
                                    std::string_view keepLabel) {
    const Shown shown{Kind::Question, captionFor(caption), fromCp1252(text)};
    m_shown.push_back(shown);
    bool queued = false;
    if (takeFront(m_answers, &queued)) {
        return queued;
    }
    if (!m_dialogsShown) {
        return false;
    }
    QMessageBox box(QMessageBox::Question, shown.caption, shown.text, QMessageBox::NoButton, m_parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* proceed = box.addButton(fromCp1252(proceedLabel), QMessageBox::DestructiveRole);
    QPushButton* keep = box.addButton(fromCp1252(keepLabel), QMessageBox::RejectRole);
    // The safe answer is the one a stray Return or Escape gives.
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    return box.clickedButton() == proceed;
}

std::optional<std::string> QtPrompts::askPassword(std::string_view context) {
    const QString contextText = fromCp1252(context);
    QString shownText = fromCp1252(kPasswordPrompt);
    if (!contextText.isEmpty()) {
        shownText += QLatin1Char('\n') + contextText;
    }
    for (;;) {
        m_shown.push_back({Kind::Password, fromCp1252(kSecurityCheckCaption), shownText});
        std::optional<QString> password;
        if (!takeFront(m_passwords, &password) && m_dialogsShown) {
            PasswordDialog dialog(m_parent, contextText);
            if (dialog.exec() == QDialog::Accepted) {
                password = dialog.password();
            }
        }
        if (!password) {
            return std::nullopt;
        }
        // Passwords are compared with the file's 8-bit bytes: one the code page cannot hold would
        // be compared with '?' in place of its letters, so it is refused and asked again.
        if (holdsCp1252(*password)) {
            return toCp1252(*password);
        }
        message(unfitTextMessage(QStringLiteral("Password")));
    }
}

std::optional<std::string> QtPrompts::chooseOpenFile(const FileChoice& choice) {
    return chooseFile(choice, Kind::OpenFile);
}

std::optional<std::string> QtPrompts::chooseSaveFile(const FileChoice& choice) {
    return chooseFile(choice, Kind::SaveFile);
}

std::optional<std::string> QtPrompts::chooseFile(const FileChoice& choice, Kind kind) {
    m_shown.push_back({kind, {}, fromCp1252(choice.title)});
    m_fileChoices.push_back(choice);
    std::optional<QString> path;
    if (takeFront(m_fileNames, &path)) {
        if (path) {
            path = FileChooser::withDefaultExtension(*path, FileChooser::extensionOf(choice));
        }
        bool checked = false;
        if (path && choice.checkBoxState && takeFront(m_checkBoxes, &checked)) {
            *choice.checkBoxState = checked;
        }
    } else if (m_dialogsShown) {
        path = FileChooser::choose(
            choice, kind == Kind::SaveFile ? FileChooser::Purpose::Save : FileChooser::Purpose::Open, m_parent);
    }
    if (!path) {
        return std::nullopt;
    }
    return toPath(*path);
}

} // namespace ui
