// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

// The suite's own icons, compiled into the library. Each QIcon holds renderings at several sizes,
// so it stays sharp at 16 and 32 pixels and on high-resolution screens.
namespace ui {

enum class Icon {
    // Toolbar commands.
    FileNew,
    FileOpen,
    FileSave,
    FilePrint,
    About,
    EditCut,
    EditCopy,
    EditPaste,
    EditUndo,
    EditRedo,
    ChooseRole,
    NewQuestionnaire,
    SendRequest,
    CreateRequest,
    MergeRequest,
    NewAction,
    Autopilot,
    RoleDetails,
    NewCompetency,
    NewBehaviour,
    EditResponses,
    WebQuestionnaire,
    // Tree node kinds: the journal's explorer, the role editor and the role choice.
    Feedback, // Feedback and the questionnaires
    Results,  // Results, Competencies and each competency's results
    Behaviour,
    Journal,
    DevelopmentArea,
    Action,
    Role,
    Competency,
};

enum class Program { Journal, Reply, RoleEditor };

QIcon icon(Icon which);
QIcon programIcon(Program which);
// The picture in the corner of the questionnaire dialogs and the Autopilot; drawn at
// dialogPictureSize() logical pixels.
QIcon dialogPicture();
inline constexpr int dialogPictureSize() {
    return 64;
}

// The resource name an icon's files carry, e.g. "file-new" for ":/reflectory/icons/16/file-new.png".
QString iconName(Icon which);
QString programIconName(Program which);
// Every Icon value, for whoever needs to walk them all.
const QList<Icon>& allIcons();

} // namespace ui
