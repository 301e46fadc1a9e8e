// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/RoleClipboard.h"

#include "kvrole/core/LineText.h"
#include "ui/Cp1252Text.h"

#include <QClipboard>
#include <QMimeData>

namespace roleclipboard {

namespace {

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

bool put(QClipboard& clipboard, const std::string& cp1252) {
    auto* data = new QMimeData;
    data->setText(ui::fromCp1252(cp1252));
    data->setData(QString::fromLatin1(kCp1252Format), bytesOf(cp1252));
    clipboard.setMimeData(data);
    const QMimeData* held = clipboard.mimeData();
    return held && held->data(QString::fromLatin1(kCp1252Format)) == bytesOf(cp1252);
}

std::optional<std::string> textOf(const QMimeData* data) {
    if (!data) {
        return std::nullopt;
    }
    if (data->hasFormat(QString::fromLatin1(kCp1252Format))) {
        const QByteArray bytes = data->data(QString::fromLatin1(kCp1252Format));
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    if (data->hasText()) {
        return ui::toCp1252(data->text());
    }
    return std::nullopt;
}

std::vector<int> unfitLines(const QMimeData* data) {
    if (!data || data->hasFormat(QString::fromLatin1(kCp1252Format)) || !data->hasText()) {
        return {};
    }
    return kvrole::fromUtf8ByLine(data->text().toStdString()).unfitLines;
}

std::optional<std::string> take(const QClipboard& clipboard) {
    return textOf(clipboard.mimeData());
}

} // namespace roleclipboard
