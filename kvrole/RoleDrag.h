// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvrole/core/RoleEditor.h"

#include <QPointer>

class CKVRoleView;
class QMimeData;

// The one drag of a tree item under way in this program. Its data carry a token of this drag
// only, so a drop from another program, or a stale drag, is never taken for ours.
class RoleDrag {
public:
    static constexpr char kMimeType[] = "application/x-reflectory-role-item";

    // Starts the drag of `item` from `source`; the caller hands the data to QDrag.
    static QMimeData* begin(CKVRoleView* source, kvrole::ItemRef item);
    static void end();

    // The view the dragged data came from, or nullptr when they are not this program's drag.
    static CKVRoleView* sourceOf(const QMimeData* data);
    static kvrole::ItemRef item() { return s_item; }
    // An item dragged from another run of the editor: its data name no item of this one.
    static bool isForeign(const QMimeData* data);

private:
    static QPointer<CKVRoleView> s_source;
    static kvrole::ItemRef s_item;
    static QByteArray s_token;
};
