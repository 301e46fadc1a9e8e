// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

// The questionnaire dialogs appear in the journal program and in the reply program; their titles
// and a few texts differ.
enum class DialogFlavour { Journal, Reply };

// What the dialogs show around their content.
struct DialogDecoration {
    QPixmap cornerPicture; // top right corner; none when null
    QIcon windowIcon;      // the program's icon; the default when null
};
