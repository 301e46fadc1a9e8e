// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>
#include <vector>

// A bookmark of a PDF's outline: its title (UTF-8), the sheet it opens (counted from 0) and the
// bookmarks below it.
struct OutlineEntry {
    std::string title;
    int sheet = 0;
    std::vector<OutlineEntry> children;
};

// Copies the PDF at `source` to `target` with the given outline, shown when the file opens. Entries
// that name a sheet the file does not have are dropped with their children. False with a reason in
// `failure` when the PDF cannot be read or written.
bool writeWithOutline(const QString& source, const QString& target, const std::vector<OutlineEntry>& outline,
                      std::string& failure);

// How many entries the outline holds, its children counted.
std::size_t outlineSize(const std::vector<OutlineEntry>& outline);
