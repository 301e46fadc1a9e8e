// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/RecentFiles.h"

// The journals last opened or saved, where the journal program has always kept them.
inline ui::RecentFileList journalRecentFiles() {
    return ui::RecentFileList({"KV Software", "KV 360", "Recent File List"}, QStringLiteral("File"));
}
