// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/TextIntake.h"

#include "tools/Command.h"

#include "model/Windows1252.h"

namespace textintake {

namespace {
bool g_replacing = false; // one command per process: set once from the command line
} // namespace

void setReplacing(bool replace) {
    g_replacing = replace;
}

bool replacing() {
    return g_replacing;
}

std::string fromUtf8(std::string_view utf8, std::string_view field) {
    if (!g_replacing && !cp1252::holdsUtf8(utf8)) {
        throw CommandFailure(cp1252::refusal(field) + " Nothing was written (" + std::string(kReplaceOption) +
                             " stores such characters as \"?\").");
    }
    return cp1252::fromUtf8(utf8);
}

} // namespace textintake
