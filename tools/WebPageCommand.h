// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"

// kvtool webpage ROLE.kvr -o PAGE.html [--template FILE] [--cgi PATH] [--mailserver HOST] [--from ADDR]
// [--subject TEXT] [--message TEXT]: the role editor's web questionnaire, made from a script.
Command webPageCommand();
