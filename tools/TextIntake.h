// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Texts from the command line and from JSON are UTF-8; the files hold Windows-1252. A text with a
// character the code page lacks fails the command, naming where it came from, so that nothing is
// stored differently from how it was given. Scripts that relied on such characters becoming '?'
// ask for that with kvtool's --replace-with-question-mark.
namespace textintake {

inline constexpr std::string_view kReplaceOption = "--replace-with-question-mark";

void setReplacing(bool replace);
bool replacing();

// The text in the files' code page; `field` names it in the refusal ("--person", "actions[0].action").
std::string fromUtf8(std::string_view utf8, std::string_view field);

} // namespace textintake
