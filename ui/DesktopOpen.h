#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace ui {

// Opens a document or an address with the desktop's program for it; true when it was handed over.
using DocumentOpener = std::function<bool(const QString& pathOrAddress)>;

// "http://...", "mailto:..." and "file:..." are addresses; anything else is a file path.
QUrl documentUrl(const QString& pathOrAddress);
// Through QDesktopServices. A local file that does not exist counts as a failure: the desktop's
// opener would report that only after it had been started, too late for the caller to try
// another place.
bool openWithDesktop(const QString& pathOrAddress);

} // namespace ui
