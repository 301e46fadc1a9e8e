// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"
#include "tools/JsonFields.h"

class ContentTree;

// kvtool results FILE [--password P]: the figures of every page of a journal's or request file's
// contents, as JSON, one entry per node of the contents tree in tree order.
Command resultsCommand();

// {"pages": [...]} for a built tree whose pages have been refreshed.
Json resultsToJson(const ContentTree& tree);
