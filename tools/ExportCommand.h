// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"

// kvtool export JOURNAL -o FILE.csv [--responses] [--password P]: the journal's results as CSV.
Command exportCommand();
