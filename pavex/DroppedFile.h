// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a file dropped on the main window is taken for, by the last four characters of its name in
// any case. Saved mail is a folder (Maildir), a name ending in ".eml" or ".mbox", or a file that
// begins as an mbox does, with "From ".
enum class DroppedFileKind { RequestFile, WebReply, RoleProfile, Journal, Mail, Unknown };

DroppedFileKind droppedFileKind(const QString& path);

inline constexpr const char* kNotAReflectoryFile = "Sorry, this is not a Reflectory file type.";
