#include "pavex/DroppedFile.h"

DroppedFileKind droppedFileKind(const QString& path) {
    const QString ending = path.right(4).toLower();
    if (ending == QLatin1String(".kvq")) {
        return DroppedFileKind::RequestFile;
    }
    if (ending == QLatin1String(".kvi")) {
        return DroppedFileKind::WebReply;
    }
    if (ending == QLatin1String(".kvr")) {
        return DroppedFileKind::RoleProfile;
    }
    if (ending == QLatin1String(".kva")) {
        return DroppedFileKind::Journal;
    }
    return DroppedFileKind::Unknown;
}
