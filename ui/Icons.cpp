// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Icons.h"

#include <QFile>
#include <QHash>

// The generated resource file of a static library needs an explicit reference to be linked in.
static void loadIconResources() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(reflectory_icons);
        return true;
    }();
    (void)loaded;
}

namespace ui {

namespace {

QIcon fromResources(const QString& name, std::initializer_list<int> sizes) {
    loadIconResources();
    static QHash<QString, QIcon> cache;
    auto found = cache.constFind(name);
    if (found != cache.constEnd()) {
        return *found;
    }
    QIcon result;
    for (int size : sizes) {
        const QString path = QStringLiteral(":/reflectory/icons/%1/%2.png").arg(size).arg(name);
        if (QFile::exists(path)) {
            result.addFile(path, QSize(size, size));
        }
    }
    cache.insert(name, result);
    return result;
}

} // namespace

QString iconName(Icon which) {
    switch (which) {
    case Icon::FileNew:
        return QStringLiteral("file-new");
    case Icon::FileOpen:
        return QStringLiteral("file-open");
    case Icon::FileSave:
        return QStringLiteral("file-save");
    case Icon::FilePrint:
        return QStringLiteral("file-print");
    case Icon::About:
        return QStringLiteral("about");
    case Icon::EditCut:
        return QStringLiteral("edit-cut");
    case Icon::EditCopy:
        return QStringLiteral("edit-copy");
    case Icon::EditPaste:
        return QStringLiteral("edit-paste");
    case Icon::EditUndo:
        return QStringLiteral("edit-undo");
    case Icon::EditRedo:
        return QStringLiteral("edit-redo");
    case Icon::ChooseRole:
        return QStringLiteral("choose-role");
    case Icon::NewQuestionnaire:
        return QStringLiteral("new-questionnaire");
    case Icon::SendRequest:
        return QStringLiteral("send-request");
    case Icon::CreateRequest:
        return QStringLiteral("create-request");
    case Icon::MergeRequest:
        return QStringLiteral("merge-request");
    case Icon::NewAction:
        return QStringLiteral("new-action");
    case Icon::Autopilot:
        return QStringLiteral("autopilot");
    case Icon::RoleDetails:
        return QStringLiteral("role-details");
    case Icon::NewCompetency:
        return QStringLiteral("new-competency");
    case Icon::NewBehaviour:
        return QStringLiteral("new-behaviour");
    case Icon::EditResponses:
        return QStringLiteral("edit-responses");
    case Icon::WebQuestionnaire:
        return QStringLiteral("web-questionnaire");
    case Icon::Feedback:
        return QStringLiteral("feedback");
    case Icon::Results:
        return QStringLiteral("results");
    case Icon::Behaviour:
        return QStringLiteral("behaviour");
    case Icon::Journal:
        return QStringLiteral("journal");
    case Icon::DevelopmentArea:
        return QStringLiteral("development-area");
    case Icon::Action:
        return QStringLiteral("action");
    case Icon::Role:
        return QStringLiteral("role");
    case Icon::Competency:
        return QStringLiteral("competency");
    }
    return {};
}

QString programIconName(Program which) {
    switch (which) {
    case Program::Journal:
        return QStringLiteral("program-pavex");
    case Program::Reply:
        return QStringLiteral("program-kvreply");
    case Program::RoleEditor:
        return QStringLiteral("program-kvrole");
    }
    return {};
}

const QList<Icon>& allIcons() {
    static const QList<Icon> all = [] {
        QList<Icon> icons;
        for (int i = 0; i <= static_cast<int>(Icon::Competency); ++i) {
            icons << static_cast<Icon>(i);
        }
        return icons;
    }();
    return all;
}

QIcon icon(Icon which) {
    return fromResources(iconName(which), {16, 32, 64});
}

QIcon programIcon(Program which) {
    return fromResources(programIconName(which), {16, 24, 32, 48, 64, 128, 256});
}

QIcon dialogPicture() {
    return fromResources(QStringLiteral("dialog-picture"), {64, 128, 256});
}

} // namespace ui
