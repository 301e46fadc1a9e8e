// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/Command.h"

#include <string>

class ContentNode;
class ContentTree;

// kvtool render FILE --page PATH [--width PX] [--password P] -o OUT.png|OUT.pdf: one page of the
// contents drawn as the view shows it (PNG) or as it is printed (PDF, one A4 sheet).
Command renderCommand();
// kvtool report FILE [--password P] [--paper a4|letter] [--with-names] [--pages-only] -o OUT.pdf: the
// feedback report, or with --pages-only every page of the contents in tree order, a sheet
// per page, as the print command prints them.
Command reportCommand();

// The node a path of `kvtool results` names: labels from a root down joined by "/", where "#k"
// (counted from 0) stands for the k-th child, or the k-th root at the start. The path is in UTF-8.
// Null when no node matches.
ContentNode* findNodeByPath(const ContentTree& tree, const std::string& path);
