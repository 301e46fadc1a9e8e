// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"

// kvtool build JSON OUT: writes the file a JSON description gives.
Command buildCommand();
