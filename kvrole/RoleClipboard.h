// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <optional>
#include <string>
#include <vector>

class QClipboard;
class QMimeData;

// The role editor's clipboard text in both flavours: plain text for spreadsheets and editors, and
// the files' own code page with the exact bytes, which a paste prefers because it loses nothing.
namespace roleclipboard {

inline constexpr char kCp1252Format[] = "text/plain;charset=windows-1252";

// Puts the Windows-1252 text on the clipboard; false when the clipboard does not hold it afterwards.
bool put(QClipboard& clipboard, const std::string& cp1252);

// The clipboard's text as Windows-1252 bytes: the Windows-1252 flavour when present, else the plain
// text with characters that Windows-1252 lacks as "?". Nothing when the clipboard holds no text.
std::optional<std::string> take(const QClipboard& clipboard);
std::optional<std::string> textOf(const QMimeData* data);
// The lines (numbered from 1) of the plain text that hold such characters, so that a paste can ask
// first; none when the Windows-1252 flavour is there.
std::vector<int> unfitLines(const QMimeData* data);

} // namespace roleclipboard
