// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/EarlierJournal.h"

#include "analysis/ProgressComparison.h"
#include "analysis/ProgressPages.h"
#include "model/JournalFile.h"
#include "model/SuiteFile.h"
#include "model/UserPrompts.h"
#include "ui/Settings.h"

#include <QByteArray>
#include <QFileInfo>

namespace {

bool sameFile(const std::string& a, const std::string& b) {
    const QString first = QFileInfo(QFile::decodeName(QByteArray::fromStdString(a))).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(QFile::decodeName(QByteArray::fromStdString(b))).canonicalFilePath();
}

ui::Settings settings() {
    return ui::Settings(ui::SettingsScope::journalProgram());
}

QString fileNameText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

std::string EarlierJournal::settingsName(const std::string& journalPath) {
    // Paths hold slashes, which the settings take for groups: the name carries the path encoded.
    const QString canonical = QFileInfo(fileNameText(journalPath)).absoluteFilePath();
    return "EarlierJournal_" +
           canonical.toUtf8().toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals).toStdString();
}

EarlierJournal::Choice EarlierJournal::choose(const std::string& earlierPath, const CPavexDoc& journal) {
    if (!journal.path.empty() && sameFile(earlierPath, journal.path)) {
        m_prompts.message(progresspages::kSameJournal);
        return Choice::Refused;
    }
    JournalRecord earlier;
    ReadOutcome outcome = JournalFile::read(earlierPath, earlier, m_prompts, JournalFile::kDesktopPasswordTries);
    if (outcome.status != ReadStatus::Ok) {
        return Choice::Cancelled; // the read has told what went wrong, or the user declined
    }
    if (earlier.request != 0) {
        m_prompts.message("Sorry, " + SuiteFile::displayName(earlierPath) + " is a feedback request, not a journal.");
        return Choice::Refused;
    }
    switch (progress::refusalOf(earlier, journal, false)) {
    case progress::Refusal::None:
        break;
    case progress::Refusal::SameJournal:
        m_prompts.message(progresspages::kSameJournal);
        return Choice::Refused;
    case progress::Refusal::NothingInCommon:
        m_prompts.message(progresspages::kNothingInCommon);
        return Choice::Refused;
    case progress::Refusal::LaterIsOlder:
        return m_prompts.question(std::string(progresspages::kLaterIsOlder) + " " + comparetext::kOpenInstead)
                   ? Choice::OpenInstead
                   : Choice::Cancelled;
    }
    take(std::move(earlier), earlierPath, journal.path);
    return Choice::Compared;
}

void EarlierJournal::take(JournalRecord record, const std::string& earlierPath, const std::string& journalPath) {
    m_record = std::move(record);
    m_path = earlierPath;
    if (!journalPath.empty()) {
        remember(journalPath);
    }
}

void EarlierJournal::remember(const std::string& journalPath) const {
    ui::Settings values = settings();
    values.setText(QString::fromStdString(settingsName(journalPath)),
                   QFileInfo(fileNameText(m_path)).absoluteFilePath());
}

void EarlierJournal::forget(const std::string& journalPath) {
    clear();
    if (!journalPath.empty()) {
        ui::Settings values = settings();
        values.remove(QString::fromStdString(settingsName(journalPath)));
    }
}

void EarlierJournal::clear() {
    m_record.reset();
    m_path.clear();
}

std::optional<std::string> EarlierJournal::restoreFor(const std::string& journalPath) {
    clear();
    if (journalPath.empty()) {
        return std::nullopt;
    }
    const QString remembered = settings().text(QString::fromStdString(settingsName(journalPath)));
    if (remembered.isEmpty()) {
        return std::nullopt;
    }
    const std::string earlierPath = QFile::encodeName(remembered).toStdString();
    if (!QFileInfo::exists(remembered)) {
        return "The earlier journal " + SuiteFile::displayName(earlierPath) +
               " is no longer there: its Progress pages are left out.";
    }
    JournalRecord earlier;
    if (JournalFile::read(earlierPath, earlier, m_prompts, JournalFile::kDesktopPasswordTries).status !=
            ReadStatus::Ok ||
        earlier.request != 0) {
        return std::nullopt; // declined or told: left out until the journal is opened again
    }
    m_record = std::move(earlier);
    m_path = earlierPath;
    return std::nullopt;
}
