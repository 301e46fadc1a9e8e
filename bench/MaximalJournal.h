// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PavexDoc.h"

// The largest journal the files allow, password set: every count at its limit, long texts.
const JournalRecord& maximalJournal();
