#pragma once

int ticksUntilZero(int from);
int clampTo(int value, int limit);
const char* countdownNote();
