#include "MailDelivery.h"

#include "model/JournalFile.h"
#include "model/Requests.h"
#include "model/UserPrompts.h"
#include "ui/AfxFolders.h"
#include "ui/Cp1252Text.h"
#include "ui/FileSearch.h"
#include "ui/MailHandoff.h"

#include "model/AtomicFile.h"
#include "model/Windows1252.h"

#include <QFile>

MailSystemProbe MailSystemProbe::forDesktop(const ui::MailHandoff& handoff) {
    MailSystemProbe probe;
    probe.standardMailInstalled = [&handoff] { return handoff.available(); };
    probe.alternativeProfileSwitch = [] { return 0; };
    probe.alternativeLibraryFound = [] {
        return ui::FileSearch::standard().find(QStringLiteral("SMI.DLL")).has_value();
    };
    return probe;
}

MailDelivery::MailDelivery(ui::MailHandoff& handoff, MailSystemProbe probe, ui::AfxFolders& folders)
    : m_handoff(handoff), m_probe(std::move(probe)), m_folders(folders) {}

bool MailDelivery::sendFeedbackRequest(const CPavexDoc& journal, int mailType, UserPrompts& prompts) {
    if (journal.person.empty()) {
        prompts.message(requesttext::kEnterYourName);
        return false;
    }
    const bool standardPresent = m_probe.standardMailInstalled();
    const bool alternativePresent = m_probe.alternativeProfileSwitch() != 0 && m_probe.alternativeLibraryFound();
    if (!standardPresent && !alternativePresent) {
        prompts.message(mailtext::kNoMail);
        return requests::createFeedbackRequest(journal, prompts);
    }
    // The choice made in the options wins even when that system is missing: its own messages say so.
    const bool useStandard = mailType == static_cast<int>(MailType::Standard) ||
                             (mailType != static_cast<int>(MailType::Alternative) && standardPresent);
    return useStandard ? sendStandard(journal, prompts) : sendAlternative(journal, prompts);
}

// The request goes into a private folder under the name the recipient is to see. A request that
// cannot be written is told, as every failed save is.
bool MailDelivery::writeAttachment(const CPavexDoc& journal, std::string* path, UserPrompts& prompts) {
    const std::string name = "Feedback Request from " + journal.person + ".kvq";
    const std::optional<QString> target = m_folders.pathFor(ui::fromCp1252(name));
    if (!target) {
        prompts.message("Sorry, " + name + " could not be saved: no temporary folder could be made.");
        return false;
    }
    *path = QFile::encodeName(*target).toStdString();
    std::string error;
    if (!AtomicFile::write(*path, JournalFile::encode(requests::requestRecord(journal, true)), &error)) {
        prompts.message("Sorry, " + name + " could not be saved: " + cp1252::fromUtf8(error) + ".");
        return false;
    }
    return true;
}

bool MailDelivery::sendStandard(const CPavexDoc& journal, UserPrompts& prompts) {
    if (!m_handoff.available()) {
        prompts.message(mailtext::kCannotLoad);
        return false;
    }
    std::string path;
    if (!writeAttachment(journal, &path, prompts)) {
        return false;
    }
    switch (m_handoff.composeWithAttachment(QFile::decodeName(QByteArray::fromStdString(path)))) {
    case ui::MailResult::Sent:
        return true;
    case ui::MailResult::UserAbort:
        return false;
    case ui::MailResult::Failure:
        break;
    }
    prompts.message(mailtext::kSendFailed);
    return false;
}

bool MailDelivery::sendAlternative(const CPavexDoc& journal, UserPrompts& prompts) {
    std::string path;
    if (!writeAttachment(journal, &path, prompts)) {
        return false;
    }
    if (m_probe.alternativeProfileSwitch() == 0) {
        prompts.message(mailtext::kAlternativeNotInstalled);
        return false;
    }
    // Its libraries exist only on another platform, so loading them fails here.
    prompts.message(mailtext::kAlternativeNotLoaded);
    return false;
}
