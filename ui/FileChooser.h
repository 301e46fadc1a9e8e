// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/UserPrompts.h"

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace ui {

// Runs the desktop's open and save dialogs for a FileChoice.
class FileChooser {
public:
    enum class Purpose { Open, Save };

    // The dialog's name filters, e.g. "Reflectorys (*.kva)". A "*.*" pattern becomes "*" because
    // on this platform "*.*" would leave out every file name without a dot.
    static QStringList nameFilters(const std::vector<FileFilter>& filters);
    // Adds "." + extension when the file name (not its folders) has no dot, as the dialog does
    // with what the user types.
    static QString withDefaultExtension(const QString& path, const QString& extension);
    // The choice's default extension without its dot (callers may give ".kva" or "kva").
    static QString extensionOf(const FileChoice& choice);

    // Shows the modal dialog; the chosen path, or nothing when the user cancels.
    static std::optional<QString> choose(const FileChoice& choice, Purpose purpose, QWidget* parent);
};

} // namespace ui
