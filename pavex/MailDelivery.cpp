// SPDX-License-Identifier: GPL-3.0-or-later
#include "MailDelivery.h"

#include "model/JournalFile.h"
#include "model/Requests.h"
#include "model/UserPrompts.h"
#include "ui/AfxFolders.h"
#include "ui/Cp1252Text.h"
#include "ui/FileSearch.h"
#include "ui/MailAttachment.h"
#include "ui/MailHandoff.h"

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
        return requests::createFeedbackRequest(journal, prompts).has_value();
    }
    // The choice made in the options wins even when that system is missing: its own messages say so.
    const bool useStandard = mailType == static_cast<int>(MailType::Standard) ||
                             (mailType != static_cast<int>(MailType::Alternative) && standardPresent);
    return useStandard ? sendStandard(journal, prompts) : sendAlternative(journal, prompts);
}

std::string MailDelivery::attachmentName(const CPavexDoc& journal) {
    return "Feedback Request from " + journal.person + ".kvq";
}

std::string MailDelivery::attachmentBytes(const CPavexDoc& journal) {
    return JournalFile::encode(requests::requestRecord(journal, true));
}

// A request that cannot be written is told, as every failed save is.
void MailDelivery::tellNotWritten(const CPavexDoc& journal, const std::string& error, UserPrompts& prompts) {
    prompts.message("Sorry, " + attachmentName(journal) + " could not be saved: " +
                    (error.empty() ? std::string("no temporary folder could be made") : cp1252::fromUtf8(error)) + ".");
}

bool MailDelivery::sendStandard(const CPavexDoc& journal, UserPrompts& prompts) {
    std::string error;
    using Result = ui::MailAttachment::Result;
    switch (ui::MailAttachment(m_handoff, m_folders)
                .send(ui::fromCp1252(attachmentName(journal)), attachmentBytes(journal), &error)) {
    case Result::Sent:
        return true;
    case Result::UserAbort:
        return false;
    case Result::MailUnavailable:
        prompts.message(mailtext::kCannotLoad);
        return false;
    case Result::NotWritten:
        tellNotWritten(journal, error, prompts);
        return false;
    case Result::ComposeFailed:
        break;
    }
    prompts.message(mailtext::kSendFailed);
    // Saved as a file, the request can still go out attached to a message by hand.
    return prompts.question(mailtext::kSaveInstead) && requests::createFeedbackRequest(journal, prompts).has_value();
}

bool MailDelivery::sendAlternative(const CPavexDoc& journal, UserPrompts& prompts) {
    std::string error;
    if (!ui::MailAttachment(m_handoff, m_folders)
             .write(ui::fromCp1252(attachmentName(journal)), attachmentBytes(journal), &error)) {
        tellNotWritten(journal, error, prompts);
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
