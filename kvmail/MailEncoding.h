// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Encodings that carry the suite's 8-bit texts through mail, which is 7-bit: the client greets
// with HELO and so cannot ask the server to take 8-bit data.
namespace mailencoding {

// The code page of every text the gateway mails.
inline constexpr std::string_view kCharset = "windows-1252";

// Quoted-printable: CR LF pairs stay line breaks; "=", bytes outside printable ASCII (a lone CR
// or LF too) and a space or tab that ends a line become "=XX"; lines longer than 76 characters
// are cut by soft breaks ("=" before CR LF), never inside an "=XX".
std::string quotedPrintable(std::string_view text);

// The text of an unstructured header field (a subject) as it may stand in the header: unchanged
// when it is printable ASCII (tabs allowed) and holds no "=?"; otherwise "Q" encoded words in the
// code page, folded so that no line of the field passes 76 characters.
std::string headerText(std::string_view text);

} // namespace mailencoding
