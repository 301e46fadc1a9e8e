#pragma once

#include <QString>

// What a file dropped on the main window is taken for, by the last four characters of its name in
// any case.
enum class DroppedFileKind { RequestFile, WebReply, RoleProfile, Journal, Unknown };

DroppedFileKind droppedFileKind(const QString& path);

inline constexpr const char* kNotAReflectoryFile = "Sorry, this is not a Reflectory file type.";
