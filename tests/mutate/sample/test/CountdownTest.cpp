// SPDX-License-Identifier: GPL-3.0-or-later
#include "Countdown.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Stops at the first failure: a later check may hang on a fault an earlier one found.
static void expect(bool holds, const char* what) {
    if (!holds) {
        std::printf("failed: %s\n", what);
        std::exit(1);
    }
}

int main() {
    expect(ticksUntilZero(3) == 3, "three ticks from 3");
    expect(ticksUntilZero(0) == 0, "no tick from 0");
    expect(ticksUntilZero(-1) == 0, "no tick below 0");
    // The limit itself is never checked: a fault there slips through.
    expect(clampTo(7, 5) == 5, "clamped to the limit");
    expect(clampTo(2, 5) == 2, "kept below the limit");
    expect(std::strcmp(countdownNote(), "if (a < b && c == 1) return 2;") == 0, "note");
    return 0;
}
