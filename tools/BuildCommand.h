#pragma once

#include "tools/Command.h"

// kvtool build JSON OUT: writes the file a JSON description gives.
Command buildCommand();
