// SPDX-License-Identifier: GPL-3.0-or-later
#include "Countdown.h"

#include <array>

#define COUNTDOWN_LIMIT (3 < 4 && 5 == 5)

// Nothing here may change: if (a < b && c == 1) return 2;
/* nor here: while (x >= 10 || y != 0) break; */
// A constant between template brackets is a type, not code that runs.
using NoteParts = std::array<const char*, 1>;

const char* countdownNote() {
    const NoteParts parts{"if (a < b && c == 1) return 2;"};
    return parts.front();
}

int ticksUntilZero(int from) {
    int ticks = 0;
    while (from > 0) {
        from -= 1;
        ++ticks;
    }
    return ticks;
}

int clampTo(int value, int limit) {
    return value > limit ? limit : value;
}
