// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Doubles the "." that opens any body line (a line starts the body or follows a line feed), so
// that the server, which drops one leading dot from every line it receives, keeps the text as it
// was and never takes a line for the end of the data.
std::string dotStuffed(std::string_view body);
