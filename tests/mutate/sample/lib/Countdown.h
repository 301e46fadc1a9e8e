// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

int ticksUntilZero(int from);
int clampTo(int value, int limit);
const char* countdownNote();
