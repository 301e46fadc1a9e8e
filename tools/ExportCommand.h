#pragma once

#include "tools/Command.h"

// kvtool export JOURNAL -o FILE.csv [--responses] [--password P]: the journal's results as CSV.
Command exportCommand();
