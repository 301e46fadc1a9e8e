// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"

// kvtool role ROLE.kvr --csv FILE.csv [--about FILE.txt]: writes a new role profile made from a
// file of behaviours, the way the role editor's Merge makes it.
Command roleCommand();
