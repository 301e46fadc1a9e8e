// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"

// kvtool new JOURNAL --role ROLE.kvr [--person NAME] [--password P]: writes a new journal.
Command newCommand();
