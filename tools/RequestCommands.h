// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"

// Feedback requests from scripts: write a request, answer it, merge the answers back.
Command requestCommand();
Command answerCommand();
Command mergeCommand();
