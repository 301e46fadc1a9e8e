// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/RoleDrag.h"

#include "kvrole/KVRoleView.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QUuid>

QPointer<CKVRoleView> RoleDrag::s_source;
kvrole::ItemRef RoleDrag::s_item = kvrole::ItemRef::root();
QByteArray RoleDrag::s_token;

QMimeData* RoleDrag::begin(CKVRoleView* source, kvrole::ItemRef item) {
    s_source = source;
    s_item = item;
    // The process and a fresh number: another program, or another run of this one, cannot match.
    s_token = QByteArray::number(QCoreApplication::applicationPid()) + ':' +
              QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kMimeType), s_token);
    return data;
}

void RoleDrag::end() {
    s_source.clear();
    s_token.clear();
}

CKVRoleView* RoleDrag::sourceOf(const QMimeData* data) {
    if (!data || s_token.isEmpty() || !s_source || !data->hasFormat(QString::fromLatin1(kMimeType)) ||
        data->data(QString::fromLatin1(kMimeType)) != s_token) {
        return nullptr;
    }
    return s_source.data();
}

bool RoleDrag::isForeign(const QMimeData* data) {
    return data && data->hasFormat(QString::fromLatin1(kMimeType)) && sourceOf(data) == nullptr;
}
