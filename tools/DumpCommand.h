#pragma once

#include "tools/Command.h"

// kvtool dump FILE [--password P] [--kind role|journal|reply]: prints a file as JSON.
Command dumpCommand();
