// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace ui {

// Opens a document or an address with the desktop's program for it; true when it was handed over.
using DocumentOpener = std::function<bool(const QString& pathOrAddress)>;

// "http://...", "mailto:..." and "file:..." are addresses; anything else is a file path.
QUrl documentUrl(const QString& pathOrAddress);

// Runs the desktop's opener (xdg-open) and waits a few seconds for its exit status: an opener
// reports success as soon as it starts a browser, even one that then refuses to run, so only its
// own exit status tells. One still running after the wait has started a program that keeps it
// waiting, and counts as success. Without the opener on PATH the platform's own way is taken.
// A local file that does not exist counts as a failure at once.
bool openWithDesktop(const QString& pathOrAddress);

// The opener openWithDesktop runs (a name looked up on PATH, or a path) and how long it waits;
// tests put a script of their own in its place.
void setDesktopOpener(const QString& program, int patienceMs);
void restoreDesktopOpener();

} // namespace ui
