// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"

// kvtool dump FILE [--password P] [--kind role|journal|reply]: prints a file as JSON.
Command dumpCommand();
