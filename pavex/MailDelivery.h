// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

class CPavexDoc;
class UserPrompts;

namespace ui {
class AfxFolders;
class MailHandoff;
} // namespace ui

// Which mail systems are installed. The desktop composer stands in for the first, standard kind;
// the second kind is found by its library name and its switch in the system mail profile, which
// this platform does not have.
struct MailSystemProbe {
    std::function<bool()> standardMailInstalled;
    std::function<int()> alternativeProfileSwitch; // the profile's "SMI" value; 0 when there is none
    std::function<bool()> alternativeLibraryFound;

    static MailSystemProbe forDesktop(const ui::MailHandoff& handoff);
};

// Send Feedback Request: the journal as a request file, handed to the mail program as an
// attachment named "Feedback Request from <name>.kvq". The journal itself is never changed.
class MailDelivery {
public:
    enum class MailType { Automatic = 0, Standard = 1, Alternative = 2 };

    MailDelivery(ui::MailHandoff& handoff, MailSystemProbe probe, ui::AfxFolders& folders);

    // mailType: the "MailType" setting. Returns true when the request went to the mail program
    // (or, without mail or after the mail program failed, was created on disk).
    bool sendFeedbackRequest(const CPavexDoc& journal, int mailType, UserPrompts& prompts);

private:
    bool sendStandard(const CPavexDoc& journal, UserPrompts& prompts);
    bool sendAlternative(const CPavexDoc& journal, UserPrompts& prompts);
    static std::string attachmentName(const CPavexDoc& journal);
    static std::string attachmentBytes(const CPavexDoc& journal);
    static void tellNotWritten(const CPavexDoc& journal, const std::string& error, UserPrompts& prompts);

    ui::MailHandoff& m_handoff;
    MailSystemProbe m_probe;
    ui::AfxFolders& m_folders;
};

namespace mailtext {
inline constexpr const char* kNoMail =
    "You do not have Microsoft MAPI or Lotus SMI compatible email.  You will need to create the feedback request "
    "on your hard disk and manually attach it to your message.";
inline constexpr const char* kCannotLoad = "Unable to load mail system support.";
inline constexpr const char* kSendFailed = "Send Mail failed to send message.";
inline constexpr const char* kSaveInstead =
    "Do you want to save the feedback request as a file instead?  You can then attach it to a message yourself.";
inline constexpr const char* kAlternativeNotInstalled = "SMI is not properly installed";
inline constexpr const char* kAlternativeNotLoaded = "Unable to load either SMI32.DLL nor SMI.DLL";
} // namespace mailtext
